// The folders a program name or a library is looked for in: never the one a
// file dialog or a shortcut happened to leave current, where another file of
// the same name may have been planted.
#pragma once

namespace MyApp {

// The current folder becomes the user's profile folder, as for a program
// started from the Run box, and libraries come from the system's folders only.
void UseSafeFolders();

}  // namespace MyApp
