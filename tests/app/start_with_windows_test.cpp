// The command line of a start at sign-in. What the Run list holds, and that
// it starts the program minimised, is the end-to-end story's.
#include "start_with_windows.h"

#include <gtest/gtest.h>

#include <utility>

#include "text.h"

namespace {

TEST(StartMinimised, OnlyTheSwitchAsAnArgumentOfItsOwnInAnyCase) {
    const std::pair<const wchar_t*, bool> cases[] = {
        {L"\"C:\\Program Files\\Zelmivo\\zelmivo.exe\" /RIDOTTO", true},
        {L"zelmivo.exe altro /Ridotto", true},
        {L"zelmivo.exe /ridottox \"/ridotto x\" -ridotto", false},
        {L"\"C:\\Cartella /ridotto\\zelmivo.exe\"", false}};
    for (const auto& [commandLine, minimised] : cases) {
        EXPECT_EQ(MyApp::StartMinimised(commandLine), minimised)
            << Common::WideToNarrow(commandLine);
    }
}

}  // namespace
