#include "locale_text.h"

#include <windows.h>

#include "win32_failure.h"

namespace OrvoUtility {

namespace {

std::wstring Mapped(const std::wstring& text, DWORD flags) {
    if (text.empty()) return text;
    const int length = static_cast<int>(text.size());
    int needed = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags | LCMAP_LINGUISTIC_CASING,
                               text.c_str(), length, nullptr, 0, nullptr, nullptr, 0);
    std::wstring mapped(static_cast<std::size_t>(needed > 0 ? needed : 0), L'\0');
    if (needed <= 0 ||
        LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags | LCMAP_LINGUISTIC_CASING, text.c_str(),
                      length, &mapped[0], needed, nullptr, nullptr, 0) != needed) {
        RecordWin32Failure("LCMapStringEx");
        return text;
    }
    return mapped;
}

// Accented letters as a base letter followed by its marks.
std::wstring Decomposed(const std::wstring& text) {
    const int length = static_cast<int>(text.size());
    // The guess the system gives may be short; it says so and is asked again.
    int guess = NormalizeString(NormalizationD, text.c_str(), length, nullptr, 0);
    for (int attempt = 0; guess > 0 && attempt < 4; ++attempt) {
        std::wstring result(static_cast<std::size_t>(guess), L'\0');
        int written = NormalizeString(NormalizationD, text.c_str(), length, &result[0], guess);
        if (written > 0) {
            result.resize(static_cast<std::size_t>(written));
            return result;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
        guess = -written;
    }
    RecordWin32Failure("NormalizeString");
    return text;
}

}  // namespace

std::wstring UpperCase(const std::wstring& text) { return Mapped(text, LCMAP_UPPERCASE); }

std::wstring FoldedForFinding(const std::wstring& text) {
    std::wstring decomposed = Decomposed(text);
    std::wstring kept;
    kept.reserve(decomposed.size());
    for (wchar_t c : decomposed) {
        WORD marks = 0;
        WORD kind = 0;
        GetStringTypeW(CT_CTYPE3, &c, 1, &marks);
        GetStringTypeW(CT_CTYPE1, &c, 1, &kind);
        if ((marks & C3_NONSPACING) != 0) continue;
        kept.push_back((kind & (C1_ALPHA | C1_DIGIT)) != 0 ? c : L' ');
    }
    return Mapped(kept, LCMAP_LOWERCASE);
}

}  // namespace OrvoUtility
