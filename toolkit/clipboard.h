// Text handed to the system clipboard, for pasting into any program.
#pragma once

#include <string>

namespace OrvoUtility {

class GUIElement;

// Replaces what the clipboard holds with the text (CF_UNICODETEXT, from which
// the system makes the other text formats); the owner's window owns the
// clipboard meanwhile. False when the clipboard could not be had or written,
// which is recorded.
bool CopyTextToClipboard(GUIElement* owner, const std::wstring& text);

}  // namespace OrvoUtility
