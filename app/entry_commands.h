// What the user does with one entry: start it (as administrator too), open
// the folder that holds it, copy its path. What fails is told over the window.
#pragma once

#include <string>

#include "catalogue.h"

namespace OrvoUtility {
class Form;
}  // namespace OrvoUtility

namespace MyApp {

// `verb` "runas" asks Windows to start it as administrator; the user's
// refusal at that prompt is no failure to tell.
void LaunchEntry(OrvoUtility::Form& window, const App& app, const std::string& verb);
void OpenEntryFolder(OrvoUtility::Form& window, const App& app);
void CopyEntryPath(OrvoUtility::Form& window, const App& app);

}  // namespace MyApp
