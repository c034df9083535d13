// A click on a tile starts its target with the typed parameters, in the
// target's own folder. The target is the probe program, which reports how it
// was started.
#include <string>
#include <vector>

#include "data_folder.h"
#include "end_to_end_test.h"
#include "wait.h"

namespace ZelmivoE2E {
namespace {

class LaunchTest : public EndToEndTest {};

// The long, canonical spelling of a folder, so two spellings of one folder compare equal.
std::wstring Canonical(std::wstring path) {
    wchar_t buffer[MAX_PATH] = {};
    DWORD length = GetLongPathNameW(path.c_str(), buffer, MAX_PATH);
    if (length > 0 && length < MAX_PATH) path = buffer;
    while (path.size() > 3 && path.back() == L'\\') path.pop_back();
    CharLowerW(&path[0]);
    return path;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

TEST_F(LaunchTest, ClickingATileRunsItsTargetWithTheTypedParametersInItsFolder) {
    const std::wstring folder = ZelmivoSession::OutputFolder() + L"\\cartella sonda";
    const std::wstring probe = folder + L"\\launch_probe.exe";
    const std::wstring report = ZelmivoSession::OutputFolder() + L"\\launch_report.txt";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW((ZelmivoSession::OutputFolder() + L"\\launch_probe.exe").c_str(),
                          probe.c_str(), FALSE));
    DeleteFileW(report.c_str());
    // The program passes its environment on to what it launches.
    SetEnvironmentVariableW(L"ZELMIVO_PROBE_OUT", report.c_str());

    const std::string catalogue = CatalogueText({{"Strumenti", 4}}, {});
    ASSERT_TRUE(StartWith(&catalogue));
    ASSERT_TRUE(AddApp(0, L"Sonda", probe, L"uno \"due tre\"", false));
    // The catalogue keeps one byte per character.
    std::string probePath;
    for (wchar_t character : probe) probePath += static_cast<char>(character);
    EXPECT_TRUE(WaitForCatalogue(
        CatalogueText({{"Strumenti", 4}}, {{4, "Sonda", "uno \"due tre\"", probePath}})));
    EXPECT_EQ(GetFileAttributesW(report.c_str()), INVALID_FILE_ATTRIBUTES)
        << "the probe ran before its tile was clicked";

    ASSERT_TRUE(zelmivo.ClickItem(zelmivo.Tile(L"Sonda")));
    ASSERT_TRUE(WaitUntil(
        [&] { return GetFileAttributesW(report.c_str()) != INVALID_FILE_ATTRIBUTES; }, 20000))
        << "the probe was not started";
    std::vector<std::string> lines = Lines(ReadFileBytes(report));
    ASSERT_EQ(lines.size(), 3u);
    std::wstring workingFolder(lines[0].begin(), lines[0].end());
    EXPECT_EQ(Canonical(workingFolder), Canonical(folder));
    EXPECT_EQ(lines[1], "uno");
    EXPECT_EQ(lines[2], "due tre");
    EXPECT_TRUE(zelmivo.Process().IsRunning());
    SetEnvironmentVariableW(L"ZELMIVO_PROBE_OUT", nullptr);
}

}  // namespace
}  // namespace ZelmivoE2E
