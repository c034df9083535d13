#include "image.h"

#include "control_window.h"
#include "drawing.h"
#include "win32_failure.h"

namespace OrvoUtility {

Image::Image(GUIElement* parentElement, std::int32_t resource)
    : Child(parentElement), bitmap(nullptr), resourceId(resource), border(false) {}

Image::~Image() {
    if (bitmap != nullptr) DeleteObject(bitmap);
}

void Image::Create() {
    if (created) return;
    DWORD style = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_BITMAP;
    if (!enabled) style |= WS_DISABLED;
    if (border) style |= WS_BORDER;
    CreateControlWindow(*this, L"static", style, border ? WS_EX_CLIENTEDGE : 0);
    if (hwnd == nullptr) return;
    if (resourceId == -1) {
        LoadFromFile(filePath);
    } else {
        LoadFromResource(resourceId);
    }
    SubclassWindow();
    created = true;
    FinishControlWindow(*this);
}

void Image::LoadFromFile(std::string path) {
    filePath = path;
    resourceId = -1;
    if (hwnd == nullptr || filePath.empty()) return;
    Replace(LoadBitmapFromFile(filePath));
}

void Image::LoadFromResource(std::int32_t resource) {
    filePath.clear();
    resourceId = resource;
    if (hwnd == nullptr || resourceId <= 0) return;
    HANDLE loaded = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId),
                               IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (loaded == nullptr) RecordWin32Failure("LoadImageW");
    Replace(static_cast<HBITMAP>(loaded));
}

void Image::Replace(HBITMAP replacement) {
    // The control must never keep showing a bitmap that is about to be deleted,
    // so a failed load clears the picture too.
    SendMessageW(hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(replacement));
    if (bitmap != nullptr) DeleteObject(bitmap);
    bitmap = replacement;
}

}  // namespace OrvoUtility
