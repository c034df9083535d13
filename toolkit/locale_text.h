// Text as the user's language treats it: capitals, and the folded form that
// finding by typing compares, in any script.
#pragma once

#include <string>

namespace OrvoUtility {

// "caffè" gives "CAFFÈ", "Документы" gives "ДОКУМЕНТЫ".
std::wstring UpperCase(const std::wstring& text);
// Small letters without accents, every character that is neither a letter
// nor a digit a blank: "Caffè – L’ultima" gives "caffe   l ultima", so that a
// blank ends every word.
std::wstring FoldedForFinding(const std::wstring& text);

}  // namespace OrvoUtility
