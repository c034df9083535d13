// Finding the windows of another process and reading what they show: titles,
// control texts, classes and screen rectangles.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ZelmivoE2E {

std::wstring ClassOf(HWND window);
// The window's text through WM_GETTEXT, bounded so a hung program cannot hang the test.
std::wstring TextOf(HWND window);
RECT ScreenRect(HWND window);
POINT CenterOf(HWND window);

// Visible top-level windows of one process, in z-order.
std::vector<HWND> TopLevelWindows(DWORD processId);
// The first visible top-level window of the process with this class (any
// class when empty) whose title starts with `titlePrefix`; null when none.
HWND FindTopLevel(DWORD processId, const std::wstring& className, const std::wstring& titlePrefix);

// Direct children only, in z-order.
std::vector<HWND> ChildWindows(HWND parent);
// The first visible descendant with this class (or class prefix when
// `classIsPrefix`) and, when `text` is not null, exactly this text.
HWND FindDescendant(HWND parent, const std::wstring& className, const wchar_t* text,
                    bool classIsPrefix = false);
// All visible descendants, in the order the system lists them.
std::vector<HWND> Descendants(HWND parent);
// Visible descendants of one class, in z-order.
std::vector<HWND> DescendantsOfClass(HWND parent, const std::wstring& className);

// The window that has the keyboard focus in the thread that owns `window`.
HWND FocusedWindowOf(HWND window);

// The rectangle of `child` in the client coordinates of `container`.
RECT RectIn(HWND container, HWND child);

// Strings of a list box of another process.
std::vector<std::wstring> ListBoxItems(HWND list);
int ListBoxSelection(HWND list);

}  // namespace ZelmivoE2E
