#include "button.h"
#include "formmain.h"
#include "formmain_shared.h"
#include "resource_ids.h"
#include "target_address.h"
#include "win32_failure.h"

namespace MyApp {

using namespace MainWindowParts;

namespace {

// Loaded unshared, so that the form owns it and may destroy it.
OrvoUtility::OwnedIcon LoadResourceIcon(int resourceId, std::int32_t size) {
    HICON icon = static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size, size, 0));
    if (icon == nullptr) OrvoUtility::RecordWin32Failure("LoadImageW");
    return OrvoUtility::OwnedIcon(icon);
}

}  // namespace

HICON FormMain::IconFor(const std::string& pathname) {
    auto cached = iconCache.find(pathname);
    if (cached != iconCache.end()) return cached->second.get();
    if (iconLookups.insert(pathname).second) {
        if (iconExtractor == nullptr) {
            iconExtractor =
                std::make_unique<IconExtractor>(hwnd, iconsFoundMessage, measures.iconSize);
        }
        iconExtractor->Request(pathname);
    }
    if (webIcon == nullptr) webIcon = LoadResourceIcon(IDI_WEB_TILE, measures.iconSize);
    if (programIcon == nullptr) programIcon = LoadResourceIcon(IDI_PROGRAM_TILE, measures.iconSize);
    return IsWebAddress(pathname) ? webIcon.get() : programIcon.get();
}

void FormMain::ForgetIcons() {
    // First, so that no icon of the old size arrives after the cache is emptied.
    iconExtractor.reset();
    for (const std::unique_ptr<Button>& tile : tiles) tile->enabledIcon = nullptr;
    iconCache.clear();
    iconLookups.clear();
    programIcon.reset();
    webIcon.reset();
}

void FormMain::HandleIconAnswers() {
    if (iconExtractor == nullptr) return;
    bool found = false;
    for (const IconExtractor::Answer& answer : iconExtractor->TakeAnswers()) {
        if (answer.icon == nullptr) continue;
        // Taken over here; a pathname already cached frees the second copy.
        iconCache.emplace(answer.pathname, OrvoUtility::OwnedIcon(answer.icon));
        found = true;
    }
    if (!found) return;
    for (const Categoria& category : catalogue.categories) {
        for (const App& app : category.apps) {
            Button* tile = static_cast<Button*>(TileOf(app));
            if (tile == nullptr) continue;
            auto cached = iconCache.find(app.pathname);
            if (cached == iconCache.end() || tile->enabledIcon == cached->second.get()) continue;
            tile->enabledIcon = cached->second.get();
            if (tile->created && tile->hwnd != nullptr) InvalidateRect(tile->hwnd, nullptr, FALSE);
        }
    }
}

}  // namespace MyApp
