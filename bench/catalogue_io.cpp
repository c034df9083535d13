#include "catalogue_io.h"

#include "catalogue_file.h"
#include "file_system.h"

namespace Bench {

namespace {

const char categoriesKeyword[] = "CATEGORIE";
const char appsKeyword[] = "APP";

}  // namespace

std::string CatalogueFilePath() { return MyApp::DataFolder("Zelmivo") + "app.txt"; }

std::vector<std::string> FormatLines(const MyApp::Catalogue& catalogue) {
    std::vector<std::string> lines;
    lines.push_back(categoriesKeyword);
    for (const MyApp::Categoria& category : catalogue.categories) {
        lines.push_back(MyApp::FormatCategoryLine(category));
    }
    lines.push_back(appsKeyword);
    for (const MyApp::Categoria& category : catalogue.categories) {
        for (const MyApp::App& app : category.apps) lines.push_back(MyApp::FormatAppLine(app));
    }
    return lines;
}

std::size_t ParseLines(const std::vector<std::string>& lines) {
    std::size_t entries = 0;
    bool inApps = false;
    for (const std::string& line : lines) {
        if (line == categoriesKeyword || line == appsKeyword) {
            inApps = line == appsKeyword;
        } else if (inApps) {
            MyApp::App app;
            MyApp::ParseAppLine(line, app);
            ++entries;
        } else {
            MyApp::ParseCategoryLine(line);
        }
    }
    return entries;
}

bool Save(const MyApp::Catalogue& catalogue) { return MyApp::SaveCatalogue(catalogue); }

std::size_t Load() {
    std::size_t entries = 0;
    for (const MyApp::Categoria& category : MyApp::LoadCatalogue().categories) {
        entries += category.apps.size();
    }
    return entries;
}

void RemoveCatalogueFile() { MyApp::RemoveFile(CatalogueFilePath()); }

}  // namespace Bench
