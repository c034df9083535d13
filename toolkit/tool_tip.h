// One tooltip control shared by many windows of a form: each window is a tool
// of the control, with a text of its own. A control per window would cost a
// window each, which doubles the start-up of a form with a hundred tiles.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <unordered_map>

namespace OrvoUtility {

class ToolTip {
public:
    ToolTip() = default;
    // The control goes with its owner's window; one still there goes here.
    ~ToolTip();
    ToolTip(const ToolTip&) = delete;
    ToolTip& operator=(const ToolTip&) = delete;

    // Shows `text` over `tool` (its line breaks kept, lines up to `maxWidth`
    // pixels); the control is made over `owner` on first use.
    void SetText(HWND owner, HWND tool, const std::wstring& text, std::int32_t maxWidth);
    // Call before the tool's window is destroyed.
    void Remove(HWND tool);
    bool Has(HWND tool) const { return texts.count(tool) != 0; }

    // The control; null until the first text is set.
    HWND window = nullptr;

private:
    std::unordered_map<HWND, std::wstring> texts;
};

}  // namespace OrvoUtility
