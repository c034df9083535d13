#include "catalogue_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "text.h"
#include "utf8.h"

namespace MyApp {

namespace {

const char kCategoriesKeyword[] = "CATEGORIE";
const char kAppsKeyword[] = "APP";
const std::string_view kUtf8Mark("\xEF\xBB\xBF");
const std::string_view kUtf16LittleEndianMark("\xFF\xFE");
const std::string_view kUtf16BigEndianMark("\xFE\xFF");
constexpr std::size_t kCategoryIdWidth = 10;

// Blanks and ASCII's other control characters, NUL among them: they hold
// nothing a field keeps.
bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

bool StartsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

// How much printable ASCII `text` starts with: up to its first control
// character (a line break among them) or byte of a multi-byte character.
std::size_t PlainLength(std::string_view text) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
    constexpr std::uint64_t kBlanks = 0x2020202020202020ull;
    std::size_t at = 0;
    for (std::uint64_t word; at + 8 <= text.size(); at += 8) {
        std::memcpy(&word, text.data() + at, sizeof word);
        // A byte below a blank borrows into its high bit, unless it had one.
        if (((word | ((word - kBlanks) & ~word)) & kHighBits) != 0) break;
    }
    while (at < text.size() && static_cast<unsigned char>(text[at]) - 0x20u < 0x60u) ++at;
    return at;
}

// A control character in a field would split or cut its line when written.
std::string WithoutControls(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < ' ') c = ' ';
    }
    return text;
}

// Cuts a line into its columns, each a number of characters; columns past
// its end are empty, so short lines read as far as they go. Control
// characters read as blanks.
class Columns {
public:
    // A line of printable ASCII alone, as most are, has byte columns.
    Columns(std::string_view line, bool plainLine) : rest(line), plain(plainLine) {}

    // The next `width` characters, without the blanks around them.
    std::string Field(std::size_t width) {
        const std::string_view column =
            plain ? rest.substr(0, width) : Common::FirstCodePoints(rest, width);
        rest.remove_prefix(column.size());
        std::string_view kept = Common::TrimmedView(column);
        if (plain) return std::string(kept);
        while (!kept.empty() && IsBlankOrControl(kept.front())) kept.remove_prefix(1);
        while (!kept.empty() && IsBlankOrControl(kept.back())) kept.remove_suffix(1);
        return WithoutControls(std::string(kept));
    }

    // The rest of the line with its blanks.
    std::string Rest() const {
        return plain ? std::string(rest) : WithoutControls(std::string(rest));
    }

private:
    std::string_view rest;
    bool plain;
};

void AppendPadded(std::string& out, const std::string& text, std::size_t width) {
    out += text;
    const std::size_t count = Common::CodePointCount(text);
    if (count < width) out.append(width - count, ' ');
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

// Text without a mark, as UTF-8: as it stands when it is ASCII or valid
// UTF-8, else decoded from Windows-1252 into `decoded`. Plain ASCII reads the
// same either way, and Windows-1252 letters are rarely valid UTF-8, so only
// text that needs UTF-8 is taken as such.
std::string_view DecodeUnmarked(std::string_view text, std::string& decoded,
                                ParsedCatalogue& parsed) {
    switch (Common::ShapeOfUtf8(text)) {
        case Common::Utf8Shape::Ascii:
            return text;
        case Common::Utf8Shape::MultiByte:
            parsed.encoding = TextEncoding::Utf8;
            return text;
        case Common::Utf8Shape::Invalid:
            break;
    }
    decoded = Common::DecodeWindows1252(text);
    return decoded;
}

// The text after a byte-order mark as UTF-8, with the encoding the mark
// names; the view points into `bytes` when they are that text already, else
// into `decoded`. Null when the bytes have no mark.
std::optional<std::string_view> DecodeMarked(const std::string& bytes, std::string& decoded,
                                             ParsedCatalogue& parsed) {
    std::string_view text(bytes);
    Common::Decoded result;
    if (StartsWith(text, kUtf8Mark)) {
        parsed.encoding = TextEncoding::Utf8WithMark;
        text.remove_prefix(kUtf8Mark.size());
        if (Common::ShapeOfUtf8(text) != Common::Utf8Shape::Invalid) return text;
        result = Common::DecodeUtf8(text);
    } else if (StartsWith(text, kUtf16LittleEndianMark)) {
        parsed.encoding = TextEncoding::Utf16Le;
        result = Common::DecodeUtf16(text.substr(2), Common::ByteOrder::LittleEndian);
    } else if (StartsWith(text, kUtf16BigEndianMark)) {
        parsed.encoding = TextEncoding::Utf16Be;
        result = Common::DecodeUtf16(text.substr(2), Common::ByteOrder::BigEndian);
    } else {
        return std::nullopt;
    }
    parsed.lossless = result.lossless;
    decoded = std::move(result.text);
    return std::string_view(decoded);
}

std::int32_t Clamped(std::int64_t number) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(number, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

// `number` is the id as the line writes it, whatever its size.
Categoria CategoryFromLine(std::string_view line, bool plain, std::int64_t& number) {
    Columns columns(line, plain);
    std::string name = columns.Field(kNameWidth);
    number = Common::ParseInt64(columns.Field(std::string_view::npos));
    return Categoria(Clamped(number), std::move(name));
}

// Gives the category column's whole number.
std::int64_t AppFromLine(std::string_view line, bool plain, App& app) {
    Columns columns(line, plain);
    const std::int64_t number = Common::ParseInt64(columns.Field(kCategoryIdWidth));
    app.categoryId = Clamped(number);
    app.description = columns.Field(kDescriptionWidth);
    app.parameters = columns.Field(kParametersWidth);
    app.pathname = columns.Rest();
    return number;
}

// Reads the lines in order; an entry joins the first category above it with
// its number, found through an index rather than a scan, and counts the lines
// it could not use.
class LineReader {
public:
    LineReader(Catalogue& target, std::size_t& unreadLines)
        : catalogue(target), unread(unreadLines) {}

    void Read(std::string_view line, bool plain) {
        // A plain line holds no control character, so no NUL.
        const std::string_view hidden =
            plain ? std::string_view() : line.substr(std::min(line.find('\0'), line.size()));
        line.remove_suffix(hidden.size());
        if (line == kCategoriesKeyword) {
            inCategories = true;
            inApps = false;
        } else if (line == kAppsKeyword) {
            inApps = true;
            inCategories = false;
        } else if (std::all_of(line.begin(), line.end(), IsBlankOrControl)) {
            // What a NUL hides is not read either.
            if (!std::all_of(hidden.begin(), hidden.end(), IsBlankOrControl)) ++unread;
        } else if (inCategories) {
            std::int64_t number = 0;
            catalogue.categories.push_back(CategoryFromLine(line, plain, number));
            // Above the 32-bit range the id is made one that gets renumbered,
            // so that two such categories stay apart.
            if (number > std::numeric_limits<std::int32_t>::max()) {
                catalogue.categories.back().id = kLowestCategoryId - 1;
            }
            firstWithNumber.emplace(number, catalogue.categories.size() - 1);
        } else if (inApps) {
            App app;
            auto found = firstWithNumber.find(AppFromLine(line, plain, app));
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
    std::string decoded;
    std::optional<std::string_view> marked = DecodeMarked(bytes, decoded, parsed);
    // Text without a mark is read as ASCII until a line holds something
    // else: what comes before is the same in every encoding, so only the rest
    // is looked at, and decoded if it must be. Most files are ASCII through.
    std::string_view text = marked.value_or(std::string_view(bytes));
    bool settled = marked.has_value();
    LineReader reader(parsed.catalogue, parsed.unreadLines);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::string_view rest = text.substr(start);
        // CR LF, LF or CR alone ends the line; one scan finds the end of a
        // plain line, memchr that of any other.
        std::size_t length = PlainLength(rest);
        const bool plain = length == rest.size() || rest[length] == '\r' || rest[length] == '\n';
        if (!plain && !settled) {
            settled = true;
            text = DecodeUnmarked(rest, decoded, parsed);
            start = 0;
            continue;
        }
        if (!plain) {
            length = std::min(rest.find('\n', length), rest.size());
            length = std::min(rest.substr(0, length).find('\r'), length);
        }
        reader.Read(rest.substr(0, length), plain);
        start += length + 1;
        if (length + 1 < rest.size() && rest[length] == '\r' && rest[length + 1] == '\n') ++start;
    }
    GiveCategoriesOwnIds(parsed.catalogue);
    return parsed;
}

CatalogueBytes FormatCatalogueText(const Catalogue& catalogue, TextEncoding encoding) {
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
        case TextEncoding::Windows1252: {
            // ASCII is the same bytes in both.
            if (Common::ShapeOfUtf8(text) == Common::Utf8Shape::Ascii) {
                return {std::move(text), encoding};
            }
            // Characters beyond it need UTF-8, and so do letters such as "Ã¨"
            // whose bytes would read back as UTF-8 as other letters.
            Common::Encoded encoded = Common::EncodeWindows1252(text);
            if (encoded.fits && Common::ShapeOfUtf8(encoded.bytes) == Common::Utf8Shape::Invalid) {
                return {std::move(encoded.bytes), encoding};
            }
            return {std::string(kUtf8Mark) + text, TextEncoding::Utf8WithMark};
        }
        case TextEncoding::Utf8:
            return {std::move(text), encoding};
        case TextEncoding::Utf8WithMark:
            return {std::string(kUtf8Mark) + text, encoding};
        case TextEncoding::Utf16Le:
            return {std::string(kUtf16LittleEndianMark) +
                        Common::EncodeUtf16(text, Common::ByteOrder::LittleEndian),
                    encoding};
        case TextEncoding::Utf16Be:
            return {std::string(kUtf16BigEndianMark) +
                        Common::EncodeUtf16(text, Common::ByteOrder::BigEndian),
                    encoding};
    }
    return {std::move(text), encoding};
}

std::string FormatCategoryLine(const Categoria& category) {
    std::string line;
    AppendCategoryLine(line, category);
    return line;
}

Categoria ParseCategoryLine(const std::string& line) {
    std::int64_t number = 0;
    return CategoryFromLine(line, PlainLength(line) == line.size(), number);
}

std::string FormatAppLine(const App& app) {
    std::string line;
    AppendAppLine(line, app);
    return line;
}

void ParseAppLine(const std::string& line, App& app) {
    AppFromLine(line, PlainLength(line) == line.size(), app);
}

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
