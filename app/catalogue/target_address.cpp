#include "target_address.h"

#include <cctype>

#include "text.h"

namespace MyApp {

bool IsWebAddress(const std::string& pathname) {
    std::string lower = Common::ToLower(pathname.substr(0, 8));
    return lower.compare(0, 7, "http://") == 0 || lower.compare(0, 8, "https://") == 0;
}

bool IsSchemeAddress(const std::string& pathname) {
    std::string::size_type colon = pathname.find(':');
    if (colon == std::string::npos || colon < 2 ||
        !std::isalpha(static_cast<unsigned char>(pathname[0]))) {
        return false;
    }
    for (std::string::size_type at = 1; at < colon; ++at) {
        unsigned char c = static_cast<unsigned char>(pathname[at]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
    }
    return true;
}

}  // namespace MyApp
