// The tiles' icons: each pathname's icon is extracted once per run on a worker
// thread; until it is found, and when there is none, a tile shows the web or
// the program icon of the resources. Lookups wait until the window has
// painted: under Wine the worker slowed the first paint by a tenth.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "icon_extractor.h"
#include "scoped_gdi.h"

namespace MyApp {

class TileIcons {
public:
    // `window` hears `message` when found icons wait to be taken.
    TileIcons(HWND window, UINT message, std::int32_t iconSize);

    // The icon to show now for the pathname; asks the worker the first time.
    HICON IconFor(const std::string& pathname);
    // The extracted icon of the pathname; null until it is found.
    HICON Found(const std::string& pathname) const;
    // Sends the worker every lookup asked for so far, and the later ones as
    // they are asked for.
    void BeginLookups();
    // Takes the icons the worker found; false when none was new.
    bool TakeFound();
    // Lets go of every icon, to be taken again at this size.
    void Restart(std::int32_t newIconSize);

    HICON ProgramIcon() const { return programIcon.get(); }
    HICON WebIcon() const { return webIcon.get(); }
    std::size_t FoundCount() const { return found.size(); }

private:
    void Request(const std::string& pathname);

    HWND window;
    UINT message;
    std::int32_t iconSize;
    std::unordered_map<std::string, OrvoUtility::OwnedIcon> found;
    // Every pathname looked up, found or not.
    std::unordered_set<std::string> lookups;
    // Until then, the lookups asked for wait in `lookups`.
    bool lookupsBegun = false;
    // Declared after the icons, so that it stops first: nothing found
    // arrives once they are gone.
    std::unique_ptr<IconExtractor> extractor;
    OrvoUtility::OwnedIcon programIcon;
    OrvoUtility::OwnedIcon webIcon;
};

}  // namespace MyApp
