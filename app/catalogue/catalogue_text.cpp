#include "catalogue_text.h"

#include <cstring>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "text.h"
#include "utf8.h"

namespace MyApp {

namespace {

const char kCategoriesKeyword[] = "CATEGORIE";
const char kAppsKeyword[] = "APP";
const char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr std::size_t kCategoryIdWidth = 10;

// The part of a line in the given columns; columns past its end are empty,
// so short lines read as far as they go.
std::string_view Column(std::string_view line, std::size_t start, std::size_t length) {
    return start < line.size() ? line.substr(start, length) : std::string_view();
}

std::string Trimmed(std::string_view text) { return std::string(Common::TrimmedView(text)); }

void AppendPadded(std::string& out, const std::string& text, std::size_t width) {
    out += text;
    if (text.size() < width) out.append(width - text.size(), ' ');
}

void AppendCategoryLine(std::string& out, const Categoria& category) {
    AppendPadded(out, category.name, kNameWidth);
    out += Common::FormatInt64(category.id);
}

void AppendAppLine(std::string& out, const App& app) {
    AppendPadded(out, Common::FormatInt64(app.categoryId), kCategoryIdWidth);
    AppendPadded(out, app.description, kDescriptionWidth);
    AppendPadded(out, app.parameters, kParametersWidth);
    out += app.pathname;
}

// The file's characters, one byte each, and what they were encoded in; the
// view points into `bytes` or, for UTF-8, into `decoded`.
std::string_view Decode(const std::string& bytes, std::string& decoded, ParsedCatalogue& parsed) {
    if (bytes.compare(0, 3, kByteOrderMark) == 0) {
        parsed.encoding = TextEncoding::Utf8WithMark;
        Common::Utf8Decoding result = Common::DecodeUtf8(bytes.substr(3));
        if (!result.valid) {
            parsed.lossless = false;
            return std::string_view(bytes).substr(3);
        }
        parsed.lossless = result.lossless;
        decoded = std::move(result.text);
        return decoded;
    }
    // Plain ASCII reads the same either way, and Latin-1 letters are rarely
    // valid UTF-8, so only text that needs UTF-8 is taken as such.
    if (!Common::ReadsAsUtf8(bytes)) {
        return bytes;
    }
    Common::Utf8Decoding result = Common::DecodeUtf8(bytes);
    parsed.encoding = TextEncoding::Utf8;
    parsed.lossless = result.lossless;
    decoded = std::move(result.text);
    return decoded;
}

Categoria CategoryFromLine(std::string_view line) {
    return Categoria(Common::ParseInt32(std::string(Column(line, kNameWidth, std::string::npos))),
                     Trimmed(Column(line, 0, kNameWidth)));
}

void AppFromLine(std::string_view line, App& app) {
    std::size_t at = 0;
    app.categoryId =
        Common::ParseInt32(std::string(Common::TrimmedView(Column(line, at, kCategoryIdWidth))));
    at += kCategoryIdWidth;
    app.description = Trimmed(Column(line, at, kDescriptionWidth));
    at += kDescriptionWidth;
    app.parameters = Trimmed(Column(line, at, kParametersWidth));
    at += kParametersWidth;
    app.pathname = std::string(Column(line, at, std::string::npos));
}

// Reads the lines in order; an entry joins the first category above it with
// its id, found through an index rather than a scan.
class LineReader {
public:
    explicit LineReader(Catalogue& target) : catalogue(target) {}

    void Read(std::string_view line) {
        line = line.substr(0, line.find('\0'));
        if (line == kCategoriesKeyword) {
            inCategories = true;
            inApps = false;
        } else if (line == kAppsKeyword) {
            inApps = true;
            inCategories = false;
        } else if (Common::TrimmedView(line).empty()) {
            return;
        } else if (inCategories) {
            catalogue.categories.push_back(CategoryFromLine(line));
            firstWithId.emplace(catalogue.categories.back().id, catalogue.categories.size() - 1);
        } else if (inApps) {
            App app;
            AppFromLine(line, app);
            auto found = firstWithId.find(app.categoryId);
            if (found != firstWithId.end()) {
                catalogue.categories[found->second].apps.push_back(std::move(app));
            }
        }
    }

private:
    Catalogue& catalogue;
    std::unordered_map<std::int32_t, std::size_t> firstWithId;
    bool inCategories = false;
    bool inApps = false;
};

}  // namespace

ParsedCatalogue ParseCatalogueText(const std::string& bytes) {
    ParsedCatalogue parsed;
    std::string decoded;
    const std::string_view text = Decode(bytes, decoded, parsed);
    LineReader reader(parsed.catalogue);
    std::size_t start = 0;
    while (start < text.size()) {
        // CR LF, LF or CR alone ends the line; memchr keeps the scan fast.
        const char* from = text.data() + start;
        std::size_t rest = text.size() - start;
        const void* lineFeed = std::memchr(from, '\n', rest);
        std::size_t length = lineFeed != nullptr ? static_cast<const char*>(lineFeed) - from : rest;
        const void* carriageReturn = std::memchr(from, '\r', length);
        if (carriageReturn != nullptr) length = static_cast<const char*>(carriageReturn) - from;
        std::size_t end = start + length;
        reader.Read(text.substr(start, length));
        start = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++start;
    }
    GiveCategoriesOwnIds(parsed.catalogue);
    return parsed;
}

std::string FormatCatalogueText(const Catalogue& catalogue, TextEncoding encoding) {
    std::string text;
    std::size_t size = 16;
    for (const Categoria& category : catalogue.categories) {
        size += kNameWidth + 16;
        for (const App& app : category.apps) {
            size +=
                kCategoryIdWidth + kDescriptionWidth + kParametersWidth + app.pathname.size() + 2;
        }
    }
    text.reserve(size);
    text += kCategoriesKeyword;
    text += "\r\n";
    for (const Categoria& category : catalogue.categories) {
        AppendCategoryLine(text, category);
        text += "\r\n";
    }
    text += kAppsKeyword;
    text += "\r\n";
    for (const Categoria& category : catalogue.categories) {
        for (const App& app : category.apps) {
            AppendAppLine(text, app);
            text += "\r\n";
        }
    }
    switch (encoding) {
        case TextEncoding::Latin1:
            // Letters such as "\xC3\xA8" would read back as UTF-8 and shift
            // the columns; the byte-order mark keeps them what they are.
            if (!Common::ReadsAsUtf8(text)) return text;
            return kByteOrderMark + Common::EncodeUtf8(text);
        case TextEncoding::Utf8:
            return Common::EncodeUtf8(text);
        case TextEncoding::Utf8WithMark:
            return kByteOrderMark + Common::EncodeUtf8(text);
    }
    return text;
}

std::string FormatCategoryLine(const Categoria& category) {
    std::string line;
    AppendCategoryLine(line, category);
    return line;
}

Categoria ParseCategoryLine(const std::string& line) { return CategoryFromLine(line); }

std::string FormatAppLine(const App& app) {
    std::string line;
    AppendAppLine(line, app);
    return line;
}

void ParseAppLine(const std::string& line, App& app) { AppFromLine(line, app); }

void GiveCategoriesOwnIds(Catalogue& catalogue) {
    std::unordered_set<std::int32_t> kept;
    std::vector<Categoria*> renumbered;
    for (Categoria& category : catalogue.categories) {
        if (category.id < kLowestCategoryId || !kept.insert(category.id).second) {
            renumbered.push_back(&category);
        }
    }
    std::int32_t candidate = 1;
    for (Categoria* category : renumbered) {
        while (kept.count(candidate) > 0) ++candidate;
        kept.insert(candidate);
        category->id = candidate;
        for (App& app : category->apps) app.categoryId = candidate;
    }
}

}  // namespace MyApp
