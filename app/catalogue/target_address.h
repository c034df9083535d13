// What kind of target an entry's pathname names: the shell opens all of them,
// but a web or mail address has no folder to start in and no file icon.
#pragma once

#include <string>

namespace MyApp {

// "http://" or "https://" in any case: "httpd.exe" is a program.
bool IsWebAddress(const std::string& pathname);
// A scheme and a colon, as "mailto:" or "https:": a drive letter is not one.
bool IsSchemeAddress(const std::string& pathname);

}  // namespace MyApp
