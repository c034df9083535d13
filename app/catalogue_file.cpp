#include "catalogue_file.h"

#include "file_system.h"
#include "output_file.h"
#include "text.h"

namespace MyApp {

namespace {

const char kCategoriesKeyword[] = "CATEGORIE";
const char kAppsKeyword[] = "APP";
const char kProductFolder[] = "Zelmivo";
const char kFileName[] = "app.txt";
// Written in full beside the file, then moved over it.
const char kNewFileSuffix[] = ".tmp";
constexpr std::size_t kCategoryIdWidth = 10;

// The part of a line in the given columns; columns past its end are empty,
// so short lines read as far as they go.
std::string Column(const std::string& line, std::size_t start, std::size_t length) {
    return start < line.size() ? line.substr(start, length) : std::string();
}

std::string CatalogueFilePath() { return DataFolder(kProductFolder) + kFileName; }

}  // namespace

std::string AppDataFolder() { return LocalAppDataFolder(); }

std::string DataFolder(const std::string& productFolder) {
    std::string base = WithTrailingSeparator(AppDataFolder()) + productFolder;
    if (!PathExists(base) && !EnsureDirectory(base)) {
        return std::string();
    }
    base = WithTrailingSeparator(base) + "Dati";
    if (!PathExists(base) && !EnsureDirectory(base)) {
        return std::string();
    }
    return WithTrailingSeparator(base);
}

bool SaveCatalogue(Catalogue catalogue) {
    std::string path = CatalogueFilePath();
    if (catalogue.categories.empty()) {
        RemoveFile(path);
        return false;
    }
    std::vector<std::string> lines;
    lines.push_back(kCategoriesKeyword);
    for (const Categoria& category : catalogue.categories) {
        lines.push_back(FormatCategoryLine(category));
    }
    lines.push_back(kAppsKeyword);
    for (const Categoria& category : catalogue.categories) {
        for (const App& app : category.apps) {
            lines.push_back(FormatAppLine(app));
        }
    }
    // The old file is replaced only by a complete new one, so a full disk or
    // a crash never leaves half a catalogue.
    std::string newPath = path + kNewFileSuffix;
    FileStatus status;
    if (!WriteLines(newPath, std::move(lines), status)) {
        if (!status.openFailed) {
            RemoveFile(newPath);
        }
        return false;
    }
    if (!MoveFileOver(newPath, path)) {
        RemoveFile(newPath);
        return false;
    }
    return true;
}

Catalogue LoadCatalogue() {
    Catalogue catalogue;
    std::string path = CatalogueFilePath();
    if (!PathExists(path)) {
        return catalogue;
    }
    FileStatus status;
    bool inCategories = false;
    bool inApps = false;
    for (const std::string& line : ReadLines(path, status)) {
        if (line == kCategoriesKeyword) {
            inCategories = true;
            inApps = false;
        } else if (line == kAppsKeyword) {
            inApps = true;
            inCategories = false;
        } else if (Common::Trim(line).empty()) {
            continue;
        } else if (inCategories) {
            catalogue.categories.push_back(ParseCategoryLine(line));
        } else if (inApps) {
            App app;
            ParseAppLine(line, app);
            std::int32_t index = catalogue.FindCategory(app.categoryId);
            if (index >= 0) {
                catalogue.categories[static_cast<std::size_t>(index)].apps.push_back(
                    std::move(app));
            }
        }
    }
    return catalogue;
}

std::string FormatCategoryLine(const Categoria& category) {
    return Common::PadRight(category.name, ' ', kNameWidth) + Common::FormatInt64(category.id);
}

Categoria ParseCategoryLine(const std::string& line) {
    return Categoria(Common::ParseInt32(Column(line, kNameWidth, std::string::npos)),
                     Common::Trim(Column(line, 0, kNameWidth)));
}

std::string FormatAppLine(const App& app) {
    return Common::PadRight(Common::FormatInt64(app.categoryId), ' ', kCategoryIdWidth) +
           Common::PadRight(app.description, ' ', kDescriptionWidth) +
           Common::PadRight(app.parameters, ' ', kParametersWidth) + app.pathname;
}

void ParseAppLine(const std::string& line, App& app) {
    std::size_t at = 0;
    app.categoryId = Common::ParseInt32(Common::Trim(Column(line, at, kCategoryIdWidth)));
    at += kCategoryIdWidth;
    app.description = Common::Trim(Column(line, at, kDescriptionWidth));
    at += kDescriptionWidth;
    app.parameters = Common::Trim(Column(line, at, kParametersWidth));
    at += kParametersWidth;
    app.pathname = Column(line, at, std::string::npos);
}

bool WriteLines(const std::string& path, std::vector<std::string> lines, FileStatus& status) {
    status = FileStatus();
    OutputFile file(path);
    if (!file.IsOpen()) {
        status.error = true;
        status.openFailed = true;
        return false;
    }
    for (const std::string& line : lines) {
        if (!file.Write(line + "\r\n")) {
            status.error = true;
            break;
        }
    }
    // A full disk often shows only when the buffered data is flushed.
    if (!file.Close()) {
        status.error = true;
    }
    return !status.error;
}

std::vector<std::string> ReadLines(const std::string& path, FileStatus& status) {
    status = FileStatus();
    std::vector<std::string> lines;
    std::FILE* file = OpenForReading(path);
    if (file == nullptr) {
        status.error = true;
        status.openFailed = true;
        return lines;
    }
    // Read as bytes and split here, so that a byte such as Ctrl+Z is data
    // rather than a text-mode end of file.
    std::string content;
    char buffer[4096];
    for (std::size_t count = std::fread(buffer, 1, sizeof buffer, file); count > 0;
         count = std::fread(buffer, 1, sizeof buffer, file)) {
        content.append(buffer, count);
    }
    status.error = std::ferror(file) != 0;
    std::fclose(file);
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos && status.error) {
            break;
        }
        std::string line = content.substr(start, end == std::string::npos ? end : end - start);
        if (end != std::string::npos && !line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line.substr(0, line.find('\0')));
        start = end == std::string::npos ? content.size() : end + 1;
    }
    return lines;
}

bool EnsureDirectory(const std::string& path) { return PathExists(path) || MakeDirectory(path); }

std::string WithTrailingSeparator(const std::string& path) {
    if (path.empty() || path.back() == '\\' || path.back() == '/') {
        return path;
    }
    return path + "\\";
}

}  // namespace MyApp
