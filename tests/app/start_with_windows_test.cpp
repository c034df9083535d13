// Zelmivo in the user's Run list of the real registry, and the command line
// that list starts it with.
#include "start_with_windows.h"

#include <gtest/gtest.h>

// windows.h comes first: the other system headers build on it.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <string>

#include "product_info.h"
#include "text.h"

namespace {

// What the Run list holds for the program; empty when nothing.
std::wstring RunCommand() {
    wchar_t command[1024] = {};
    DWORD bytes = sizeof command;
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                 Common::NarrowToWide(MyApp::productName).c_str(), RRF_RT_REG_SZ, nullptr, command,
                 &bytes);
    return command;
}

class StartWithWindows : public ::testing::Test {
protected:
    // The prefix's next sign-in would start whatever a failed test left listed.
    void TearDown() override { MyApp::SetStartWithWindows(false, nullptr); }
};

// Each switch works twice in a row: over a listed program, and with none listed.
TEST_F(StartWithWindows, TheRunListStartsThisProgramMinimisedUntilTakenOff) {
    std::uint32_t error = 0;
    for (bool on : {true, true, false, false}) {
        ASSERT_TRUE(MyApp::SetStartWithWindows(on, &error)) << error;
        EXPECT_EQ(MyApp::StartsWithWindows(), on);
        EXPECT_EQ(RunCommand().empty(), !on);
        if (!on) continue;
        wchar_t program[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, program, MAX_PATH);
        int count = 0;
        LPWSTR* arguments = CommandLineToArgvW(RunCommand().c_str(), &count);
        ASSERT_EQ(count, 2);
        EXPECT_EQ(std::wstring(arguments[0]), program);
        LocalFree(arguments);
        EXPECT_TRUE(MyApp::StartMinimised(RunCommand().c_str()));
    }
}

TEST(StartMinimised, OnlyTheSwitchAsAnArgumentOfItsOwnInAnyCase) {
    const std::pair<const wchar_t*, bool> cases[] = {
        {L"\"C:\\Program Files\\Zelmivo\\zelmivo.exe\" /RIDOTTO", true},
        {L"zelmivo.exe altro /Ridotto", true},
        {L"zelmivo.exe", false},
        {L"zelmivo.exe /ridottox", false},
        {L"zelmivo.exe \"/ridotto x\"", false},
        {L"\"C:\\Cartella /ridotto\\zelmivo.exe\"", false},
        {L"C:\\ridotto\\zelmivo.exe -ridotto", false}};
    for (const auto& [commandLine, minimised] : cases) {
        EXPECT_EQ(MyApp::StartMinimised(commandLine), minimised)
            << Common::WideToNarrow(commandLine);
    }
}

}  // namespace
