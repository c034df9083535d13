#include "image.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "control_host.h"

namespace ZelmivoTests {
namespace {

using OrvoUtility::Image;

HBITMAP Shown(const Image* image) {
    return reinterpret_cast<HBITMAP>(SendMessageW(image->hwnd, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

// A 4 x 4 24-bit bitmap file in the temporary folder, removed with the object.
class BitmapFile {
public:
    BitmapFile() {
        char folder[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, folder);
        path = std::string(folder) + "zelmivo_image_test.bmp";
        const std::uint32_t rowBytes = 12;
        const std::uint32_t pixelBytes = rowBytes * 4;
        BITMAPFILEHEADER file{};
        BITMAPINFOHEADER info{};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof(file) + sizeof(info);
        file.bfSize = file.bfOffBits + pixelBytes;
        info.biSize = sizeof(info);
        info.biWidth = 4;
        info.biHeight = 4;
        info.biPlanes = 1;
        info.biBitCount = 24;
        info.biCompression = BI_RGB;
        std::vector<unsigned char> pixels(pixelBytes, 0);
        for (std::uint32_t i = 2; i < pixelBytes; i += 3) pixels[i] = 0xFF;
        FILE* stream = std::fopen(path.c_str(), "wb");
        std::fwrite(&file, sizeof(file), 1, stream);
        std::fwrite(&info, sizeof(info), 1, stream);
        std::fwrite(pixels.data(), 1, pixels.size(), stream);
        std::fclose(stream);
    }
    ~BitmapFile() { std::remove(path.c_str()); }

    std::string path;
};

using ImageTest = ControlHost;

TEST_F(ImageTest, StylesFollowTheFlags) {
    Image* plain = Add<Image>(form.get(), -1);
    plain->Create();
    Image* framed = Add<Image>(form.get(), -1);
    framed->border = true;
    framed->enabled = false;
    framed->Create();
    EXPECT_EQ(GetWindowLongW(plain->hwnd, GWL_STYLE), 0x5000010E);
    EXPECT_EQ(GetWindowLongW(plain->hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_EQ(GetWindowLongW(framed->hwnd, GWL_STYLE), 0x5880010E);
    EXPECT_EQ(GetWindowLongW(framed->hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
    EXPECT_EQ(plain->kind, "image");
}

TEST_F(ImageTest, NothingIsLoadedWithoutAPictureToLoad) {
    Image* zero = Add<Image>(form.get(), 0);
    zero->Create();
    Image* negative = Add<Image>(form.get(), -7);
    negative->Create();
    Image* noPath = Add<Image>(form.get(), -1);
    noPath->Create();
    Image* missing = Add<Image>(form.get(), 4321);
    missing->Create();
    for (Image* image : {zero, negative, noPath, missing}) {
        ASSERT_NE(image->hwnd, nullptr);
        EXPECT_TRUE(image->created);
        EXPECT_EQ(image->bitmap, nullptr);
        EXPECT_EQ(Shown(image), nullptr);
    }
    EXPECT_EQ(negative->resourceId, -7);
}

TEST_F(ImageTest, FilePictureIsShownOwnedAndReplaced) {
    BitmapFile file;
    Image* image = Add<Image>(form.get(), -1);
    image->LoadFromFile(file.path);
    EXPECT_EQ(image->bitmap, nullptr) << "nothing is loaded before the window exists";
    image->Create();
    HBITMAP first = image->bitmap;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Shown(image), first);
    BITMAP size{};
    ASSERT_NE(GetObjectW(first, sizeof(size), &size), 0);
    EXPECT_EQ(size.bmWidth, 4);

    image->LoadFromFile(file.path);
    EXPECT_NE(image->bitmap, nullptr);
    EXPECT_EQ(Shown(image), image->bitmap);
    EXPECT_EQ(GetObjectType(first), 0u) << "the replaced bitmap is deleted";

    HBITMAP second = image->bitmap;
    image->LoadFromFile(file.path + ".missing");
    EXPECT_EQ(image->bitmap, nullptr);
    EXPECT_EQ(Shown(image), nullptr) << "the control must not keep a deleted bitmap";
    EXPECT_EQ(GetObjectType(second), 0u);

    image->LoadFromFile(file.path);
    HBITMAP third = image->bitmap;
    image->LoadFromResource(4321);
    EXPECT_TRUE(image->filePath.empty());
    EXPECT_EQ(image->resourceId, 4321);
    EXPECT_EQ(image->bitmap, nullptr);
    EXPECT_EQ(Shown(image), nullptr);
    EXPECT_EQ(GetObjectType(third), 0u);

    image->LoadFromFile(file.path);
    HBITMAP last = image->bitmap;
    ASSERT_NE(last, nullptr);
    DestroyWindow(image->hwnd);
    elements.pop_back();
    EXPECT_EQ(GetObjectType(last), 0u) << "the image deletes its bitmap when destroyed";
}

}  // namespace
}  // namespace ZelmivoTests
