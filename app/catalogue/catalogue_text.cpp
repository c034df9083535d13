#include "catalogue_text.h"

#include <algorithm>
#include <cstring>
#include <limits>
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
const char kUtf16LittleEndianMark[] = "\xFF\xFE";
const char kUtf16BigEndianMark[] = "\xFE\xFF";
// The blanks of a line, and the NUL that ends what is read of it.
const std::string_view kBlanksAndNul(" \t\n\v\f\r\0", 7);
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

std::int32_t Clamped(std::int64_t number) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(number, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

// `number` is the id as the line writes it, whatever its size.
Categoria CategoryFromLine(std::string_view line, std::int64_t& number) {
    number = Common::ParseInt64(std::string(Column(line, kNameWidth, std::string::npos)));
    return Categoria(Clamped(number), Trimmed(Column(line, 0, kNameWidth)));
}

// Gives the category column's whole number.
std::int64_t AppFromLine(std::string_view line, App& app) {
    std::size_t at = 0;
    const std::int64_t number =
        Common::ParseInt64(std::string(Common::TrimmedView(Column(line, at, kCategoryIdWidth))));
    app.categoryId = Clamped(number);
    at += kCategoryIdWidth;
    app.description = Trimmed(Column(line, at, kDescriptionWidth));
    at += kDescriptionWidth;
    app.parameters = Trimmed(Column(line, at, kParametersWidth));
    at += kParametersWidth;
    app.pathname = std::string(Column(line, at, std::string::npos));
    return number;
}

// Such a file is not read yet; its lines, split at the unit 0x000A, are only
// counted, with the same blanks as a line of bytes.
std::size_t CountUtf16Lines(const std::string& bytes) {
    const bool bigEndian = bytes.compare(0, 2, kUtf16BigEndianMark) == 0;
    std::size_t lines = 0;
    bool blank = true;
    for (std::size_t at = 2; at < bytes.size(); at += 2) {
        const unsigned first = static_cast<unsigned char>(bytes[at]);
        const unsigned second =
            at + 1 < bytes.size() ? static_cast<unsigned char>(bytes[at + 1]) : 0;
        const unsigned unit = bigEndian ? first << 8 | second : second << 8 | first;
        if (unit == '\n') {
            lines += blank ? 0 : 1;
            blank = true;
        } else if (unit != ' ' && (unit < '\t' || unit > '\r')) {
            blank = false;
        }
    }
    return lines + (blank ? 0 : 1);
}

// Reads the lines in order; an entry joins the first category above it with
// its number, found through an index rather than a scan, and counts the lines
// it could not use.
class LineReader {
public:
    LineReader(Catalogue& target, std::size_t& unreadLines)
        : catalogue(target), unread(unreadLines) {}

    void Read(std::string_view line) {
        const std::string_view whole = line;
        line = line.substr(0, line.find('\0'));
        if (line == kCategoriesKeyword) {
            inCategories = true;
            inApps = false;
        } else if (line == kAppsKeyword) {
            inApps = true;
            inCategories = false;
        } else if (Common::TrimmedView(line).empty()) {
            // What a NUL hides is not read either.
            if (whole.find_first_not_of(kBlanksAndNul) != std::string_view::npos) ++unread;
        } else if (inCategories) {
            std::int64_t number = 0;
            catalogue.categories.push_back(CategoryFromLine(line, number));
            // Above the 32-bit range the id is made one that gets renumbered,
            // so that two such categories stay apart.
            if (number > std::numeric_limits<std::int32_t>::max()) {
                catalogue.categories.back().id = kLowestCategoryId - 1;
            }
            firstWithNumber.emplace(number, catalogue.categories.size() - 1);
        } else if (inApps) {
            App app;
            auto found = firstWithNumber.find(AppFromLine(line, app));
            if (found != firstWithNumber.end()) {
                catalogue.categories[found->second].apps.push_back(std::move(app));
            } else {
                ++unread;
            }
        } else {
            ++unread;
        }
    }

private:
    Catalogue& catalogue;
    std::size_t& unread;
    std::unordered_map<std::int64_t, std::size_t> firstWithNumber;
    bool inCategories = false;
    bool inApps = false;
};

}  // namespace

ParsedCatalogue ParseCatalogueText(const std::string& bytes) {
    ParsedCatalogue parsed;
    if (bytes.compare(0, 2, kUtf16LittleEndianMark) == 0 ||
        bytes.compare(0, 2, kUtf16BigEndianMark) == 0) {
        parsed.unreadLines = CountUtf16Lines(bytes);
        return parsed;
    }
    std::string decoded;
    const std::string_view text = Decode(bytes, decoded, parsed);
    LineReader reader(parsed.catalogue, parsed.unreadLines);
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

Categoria ParseCategoryLine(const std::string& line) {
    std::int64_t number = 0;
    return CategoryFromLine(line, number);
}

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
