// Reads the resources back from this test program's own module, which links
// the same resource object as zelmivo.exe, through the calls the program and
// Explorer use.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstring>
#include <cwctype>
#include <string>
#include <vector>

#include "resource_ids.h"

namespace {

std::string ResourceBytes(int id, LPCWSTR type) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (found == nullptr) return std::string();
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) return std::string();
    return std::string(static_cast<const char*>(data), SizeofResource(module, found));
}

struct IconSize {
    LONG width = 0;
    LONG height = 0;
};

// Measures an icon by its colour bitmap and destroys it; 0 x 0 for none.
IconSize MeasureAndDestroy(HICON icon) {
    IconSize result;
    if (icon == nullptr) return result;
    ICONINFO info{};
    if (GetIconInfo(icon, &info)) {
        BITMAP bitmap{};
        if (info.hbmColor != nullptr && GetObjectW(info.hbmColor, sizeof bitmap, &bitmap)) {
            result.width = bitmap.bmWidth;
            result.height = bitmap.bmHeight;
        }
        if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
        if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
    }
    DestroyIcon(icon);
    return result;
}

IconSize LoadedIconSize(int id, int size) {
    return MeasureAndDestroy(static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

// LoadImageW stretches the nearest image to any size asked for, so the image
// the group offers for a size is also decoded at its own, unscaled size.
IconSize StoredIconSize(int id, int size) {
    std::string group = ResourceBytes(id, RT_GROUP_ICON);
    if (group.empty()) return IconSize();
    auto* directory = reinterpret_cast<BYTE*>(group.data());
    int imageId = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    std::string image = ResourceBytes(imageId, RT_ICON);
    if (image.empty()) return IconSize();
    return MeasureAndDestroy(CreateIconFromResourceEx(reinterpret_cast<BYTE*>(image.data()),
                                                      static_cast<DWORD>(image.size()), TRUE,
                                                      0x00030000, 0, 0, LR_DEFAULTCOLOR));
}

std::wstring ModulePath() {
    std::vector<wchar_t> buffer(MAX_PATH * 4);
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::wstring(buffer.data(), length);
}

std::vector<BYTE> VersionBlock() {
    std::wstring path = ModulePath();
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<BYTE> block(size);
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, block.data())) block.clear();
    return block;
}

}  // namespace

TEST(ResourceIcons, ProgramIconHasEverySize) {
    for (int size : {16, 32, 48, 256}) {
        IconSize loaded = LoadedIconSize(IDI_PROGRAM, size);
        EXPECT_EQ(loaded.width, size) << "program icon at " << size;
        EXPECT_EQ(loaded.height, size) << "program icon at " << size;
        IconSize stored = StoredIconSize(IDI_PROGRAM, size);
        EXPECT_EQ(stored.width, size) << "program icon image for " << size;
        EXPECT_EQ(stored.height, size) << "program icon image for " << size;
    }
}

TEST(ResourceIcons, TileIconsHaveTheSmallSizes) {
    for (int id : {IDI_PROGRAM_TILE, IDI_WEB_TILE}) {
        for (int size : {16, 32, 48}) {
            IconSize loaded = LoadedIconSize(id, size);
            EXPECT_EQ(loaded.width, size) << "icon " << id << " at " << size;
            EXPECT_EQ(loaded.height, size) << "icon " << id << " at " << size;
            IconSize stored = StoredIconSize(id, size);
            EXPECT_EQ(stored.width, size) << "icon " << id << " image for " << size;
            EXPECT_EQ(stored.height, size) << "icon " << id << " image for " << size;
        }
    }
}

TEST(ResourceIcons, ProgramIconIsTheFirstGroup) {
    // Explorer shows the first icon group of an .exe; ExtractIconEx counts the
    // groups in resource order, so index 0 must be the program's icon.
    HICON first = nullptr;
    ASSERT_EQ(ExtractIconExW(ModulePath().c_str(), 0, &first, nullptr, 1), 1u);
    ASSERT_NE(first, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(first, &info));
    HDC screen = GetDC(nullptr);
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    ASSERT_NE(GetDIBits(screen, info.hbmColor, 0, 0, nullptr, &header, DIB_RGB_COLORS), 0);
    const LONG size = header.bmiHeader.biWidth;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    header.bmiHeader.biHeight = -size;
    std::vector<RGBQUAD> pixels(static_cast<size_t>(size) * size);
    GetDIBits(screen, info.hbmColor, 0, size, pixels.data(), &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(first);
    // The program's tile is orange: just left of the centre, on the tile's
    // face below the letter's top bar, red clearly exceeds blue.
    const RGBQUAD& sample = pixels[static_cast<size_t>(size * 85 / 100) * size + size / 5];
    EXPECT_GT(sample.rgbRed, sample.rgbBlue + 100);
}

TEST(ResourceLogo, LogoIs164By50OnBlack) {
    HBITMAP logo =
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_LOGO),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(logo, nullptr);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(logo, sizeof section, &section), static_cast<int>(sizeof section));
    EXPECT_EQ(section.dsBm.bmWidth, 164);
    EXPECT_EQ(section.dsBm.bmHeight, 50);
    EXPECT_EQ(section.dsBmih.biBitCount, 24);
    // Black is the transparent colour: the corners are background, and the
    // drawing itself (a good share of the pixels) never uses it.
    const auto* bits = static_cast<const BYTE*>(section.dsBm.bmBits);
    const int stride = section.dsBm.bmWidthBytes;
    int drawn = 0;
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 164; ++x) {
            const BYTE* pixel = bits + y * stride + x * 3;
            if (pixel[0] != 0 || pixel[1] != 0 || pixel[2] != 0) ++drawn;
        }
    }
    EXPECT_EQ(std::memcmp(bits, "\0\0\0", 3), 0);
    EXPECT_EQ(std::memcmp(bits + 49 * stride + 163 * 3, "\0\0\0", 3), 0);
    EXPECT_GT(drawn, 164 * 50 / 6);
    DeleteObject(logo);
}

TEST(ResourceSounds, BothSoundsAreRiffWave) {
    for (int id : {IDW_SOUND_1, IDW_SOUND_2}) {
        std::string wave = ResourceBytes(id, MAKEINTRESOURCEW(RT_ZELMIVO_SOUND));
        ASSERT_GE(wave.size(), 44u) << "sound " << id;
        EXPECT_EQ(wave.substr(0, 4), "RIFF") << "sound " << id;
        EXPECT_EQ(wave.substr(8, 4), "WAVE") << "sound " << id;
        EXPECT_EQ(wave.substr(12, 4), "fmt ") << "sound " << id;
        DWORD riffLength = 0;
        std::memcpy(&riffLength, wave.data() + 4, sizeof riffLength);
        EXPECT_EQ(riffLength + 8, wave.size()) << "sound " << id;
    }
    // Only the numeric type finds them.
    EXPECT_EQ(FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDW_SOUND_1), L"WAVE"),
              nullptr);
}

TEST(ResourceVersion, VersionBlockNamesTheProduct) {
    std::vector<BYTE> block = VersionBlock();
    ASSERT_FALSE(block.empty());

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0410);
    EXPECT_EQ(translation[1], 1252);

    auto value = [&block](const wchar_t* name) {
        std::wstring query = std::wstring(L"\\StringFileInfo\\041004E4\\") + name;
        wchar_t* text = nullptr;
        UINT chars = 0;
        if (!VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &chars))
            return std::wstring(L"<missing>");
        return std::wstring(text);
    };
    EXPECT_EQ(value(L"ProductName"), L"Zelmivo");
    EXPECT_EQ(value(L"FileDescription"), L"Zelmivo");
    EXPECT_EQ(value(L"CompanyName"), L"Orvo Software");
    EXPECT_EQ(value(L"LegalCopyright"), L"Copyright (C) 2026 Orvo Software");
    EXPECT_EQ(value(L"OriginalFilename"), L"zelmivo.exe");
}

TEST(ResourceManifest, ManifestAsksForCommonControls6) {
    std::string manifest = ResourceBytes(1, MAKEINTRESOURCEW(24));
    ASSERT_FALSE(manifest.empty());
    const size_t controls = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(controls, std::string::npos);
    const size_t end = manifest.find("/>", controls);
    EXPECT_NE(manifest.substr(controls, end - controls).find("version=\"6.0.0.0\""),
              std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    // The process keeps the system code page: narrow texts are Latin-1.
    EXPECT_EQ(manifest.find("activeCodePage"), std::string::npos);
}

TEST(ResourceManifest, CommonControls6IsActive) {
    // The manifest gives the process an activation context that redirects
    // comctl32 to the side-by-side version 6 assembly.
    ACTCTX_SECTION_KEYED_DATA redirection{};
    redirection.cbSize = sizeof redirection;
    EXPECT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                         L"comctl32.dll", &redirection));
    HMODULE comctl = LoadLibraryW(L"comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    wchar_t path[MAX_PATH * 2] = {};
    GetModuleFileNameW(comctl, path, MAX_PATH * 2);
    FreeLibrary(comctl);
    std::wstring loaded(path);
    for (wchar_t& ch : loaded) ch = towlower(ch);
    EXPECT_NE(loaded.find(L"common-controls_6595b64144ccf1df_6."), std::wstring::npos)
        << "comctl32 loaded from " << loaded;
}
