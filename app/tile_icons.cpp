#include "tile_icons.h"

#include "resource_ids.h"
#include "target_address.h"
#include "win32_failure.h"

namespace MyApp {

namespace {

// Loaded unshared, so that it is ours to destroy.
OrvoUtility::OwnedIcon LoadResourceIcon(int resourceId, std::int32_t size) {
    HICON icon = static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size, size, 0));
    if (icon == nullptr) OrvoUtility::RecordWin32Failure("LoadImageW");
    return OrvoUtility::OwnedIcon(icon);
}

}  // namespace

TileIcons::TileIcons(HWND window, UINT message, std::int32_t iconSize)
    : window(window), message(message), iconSize(iconSize) {}

HICON TileIcons::IconFor(const std::string& pathname) {
    HICON extracted = Found(pathname);
    if (extracted != nullptr) return extracted;
    if (lookups.insert(pathname).second && lookupsBegun) Request(pathname);
    if (webIcon == nullptr) webIcon = LoadResourceIcon(IDI_WEB_TILE, iconSize);
    if (programIcon == nullptr) programIcon = LoadResourceIcon(IDI_PROGRAM_TILE, iconSize);
    return IsWebAddress(pathname) ? webIcon.get() : programIcon.get();
}

void TileIcons::BeginLookups() {
    if (lookupsBegun) return;
    lookupsBegun = true;
    // Every pathname asked for so far waits in the lookups made.
    for (const std::string& pathname : lookups) Request(pathname);
}

void TileIcons::Request(const std::string& pathname) {
    if (extractor == nullptr) {
        extractor = std::make_unique<IconExtractor>(window, message, iconSize);
    }
    extractor->Request(pathname);
}

HICON TileIcons::Found(const std::string& pathname) const {
    auto at = found.find(pathname);
    return at != found.end() ? at->second.get() : nullptr;
}

bool TileIcons::TakeFound() {
    if (extractor == nullptr) return false;
    bool any = false;
    for (IconExtractor::Answer& answer : extractor->TakeAnswers()) {
        if (answer.icon == nullptr) continue;
        // Taken over here; a pathname found twice frees the second copy.
        found.emplace(answer.pathname, OrvoUtility::OwnedIcon(answer.icon));
        any = true;
    }
    return any;
}

void TileIcons::Restart(std::int32_t newIconSize) {
    // First, so that no icon of the old size arrives after the rest is gone.
    extractor.reset();
    found.clear();
    lookups.clear();
    programIcon.reset();
    webIcon.reset();
    iconSize = newIconSize;
}

}  // namespace MyApp
