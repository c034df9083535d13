#include "catalogue_io.h"

#include "catalogue_file.h"
#include "catalogue_text.h"
#include "file_system.h"

namespace Bench {

std::string CatalogueFilePath() { return MyApp::LoadCatalogue().file.path; }

std::string FormatText(const MyApp::Catalogue& catalogue) {
    return MyApp::FormatCatalogueText(catalogue, MyApp::TextEncoding::Windows1252).bytes;
}

std::size_t ParseText(const std::string& text) {
    std::size_t entries = 0;
    for (const MyApp::Categoria& category : MyApp::ParseCatalogueText(text).catalogue.categories) {
        entries += category.apps.size();
    }
    return entries;
}

bool Save(const MyApp::Catalogue& catalogue) {
    // Each save as the first of a run would also copy the backup; the
    // benchmark measures the save a change makes once the run is going.
    static MyApp::CatalogueFile file = MyApp::LoadCatalogue().file;
    file.backupTried = true;
    return MyApp::SaveCatalogue(catalogue, file).saved;
}

std::size_t Load() {
    std::size_t entries = 0;
    for (const MyApp::Categoria& category : MyApp::LoadCatalogue().catalogue.categories) {
        entries += category.apps.size();
    }
    return entries;
}

void RemoveCatalogueFile() {
    MyApp::SystemError ignored = 0;
    MyApp::RemoveFile(CatalogueFilePath(), ignored);
}

}  // namespace Bench
