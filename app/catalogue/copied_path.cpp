#include "copied_path.h"

namespace MyApp {

std::wstring CopiedPath(const std::wstring& expandedPathname) {
    // Space and tab are what split a command line into its arguments.
    bool blank = expandedPathname.find_first_of(L" \t") != std::wstring::npos;
    bool quoted = expandedPathname.size() >= 2 && expandedPathname.front() == L'"' &&
                  expandedPathname.back() == L'"';
    return blank && !quoted ? L'"' + expandedPathname + L'"' : expandedPathname;
}

}  // namespace MyApp
