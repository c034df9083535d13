// The catalogue file where the program keeps it, in the local application
// data of the test's Wine prefix, read and written byte for byte, and the
// fixed-width text a catalogue must be written as.
#pragma once

#include <shlobj.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace ZelmivoTest {

// A category's name and id.
using Category = std::pair<std::string, int>;
// An entry's category id, description, parameters and pathname.
using Entry = std::array<std::string, 4>;

inline std::string CatalogueText(const std::vector<Category>& categories,
                                 const std::vector<Entry>& entries) {
    // Columns count characters: the bytes that begin one.
    auto pad = [](const std::string& text, size_t width) {
        size_t characters = 0;
        for (char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        return text + std::string(characters < width ? width - characters : 0, ' ');
    };
    std::string text = "CATEGORIE\r\n";
    for (const auto& [name, id] : categories) text += pad(name, 50) + std::to_string(id) + "\r\n";
    text += "APP\r\n";
    for (const Entry& e : entries) {
        text += pad(e[0], 10) + pad(e[1], 50) + pad(e[2], 128) + e[3] + "\r\n";
    }
    return text;
}

// A path as Windows programs see it: Wine maps the Unix root to drive Z:.
inline std::wstring WindowsPath(const std::string& path) {
    return L"Z:" + std::filesystem::path(path).make_preferred().wstring();
}

inline std::wstring CataloguePath() {
    wchar_t base[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base);
    return std::wstring(base) + L"\\Zelmivo\\Dati\\app.txt";
}

// The file's bytes; empty when it cannot be read.
inline std::string ReadBytes(const std::wstring& path = CataloguePath()) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    SHCreateDirectoryExW(nullptr, std::filesystem::path(path).parent_path().c_str(), nullptr);
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    return static_cast<bool>(out << bytes);
}

// app.txt and what the program keeps beside it.
inline void RemoveCatalogue() {
    for (const wchar_t* end : {L"", L".bak", L".tmp", L".non-letto", L".non-letto.2"}) {
        DeleteFileW((CataloguePath() + end).c_str());
    }
}

}  // namespace ZelmivoTest
