// Reads the resources back from this test program's own module, which links
// the same resource object as zelmivo.exe, through the calls the program uses.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "resource_ids.h"

namespace {

TEST(Resources, EveryPictureAndSoundIsThere) {
    HINSTANCE module = GetModuleHandleW(nullptr);
    for (int icon : {IDI_PROGRAM, IDI_PROGRAM_TILE, IDI_WEB_TILE}) {
        HANDLE loaded = LoadImageW(module, MAKEINTRESOURCEW(icon), IMAGE_ICON, 32, 32, 0);
        EXPECT_NE(loaded, nullptr) << icon;
        DestroyIcon(static_cast<HICON>(loaded));
    }
    // The about box shows the logo at this size.
    HBITMAP logo = static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(IDB_LOGO), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP size{};
    ASSERT_NE(GetObjectW(logo, sizeof size, &size), 0);
    EXPECT_EQ(size.bmWidth, 164);
    EXPECT_EQ(size.bmHeight, 50);
    DeleteObject(logo);
    for (int sound : {IDW_SOUND_1, IDW_SOUND_2}) {
        HRSRC found =
            FindResourceW(module, MAKEINTRESOURCEW(sound), MAKEINTRESOURCEW(RT_ZELMIVO_SOUND));
        ASSERT_NE(found, nullptr) << sound;
        const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
        ASSERT_GT(SizeofResource(module, found), 12u);
        EXPECT_EQ(std::string(data, 4), "RIFF");
        EXPECT_EQ(std::string(data + 8, 4), "WAVE");
    }
}

}  // namespace
