// Every name Windows allows: an entry typed in several scripts is saved,
// shown, launched and shown again; files written by ANSI and "Unicode"
// editors show what they hold and keep their bytes through an edit.
#include "end_to_end_test.h"
#include "text.h"

namespace ZelmivoE2E {
namespace {

class EveryNameTest : public EndToEndTest {};

using Common::WideToNarrow;

TEST_F(EveryNameTest, AnEntryInAnyScriptIsSavedShownLaunchedAndShownAgain) {
    const std::wstring folder = WindowsPath(ZELMIVO_E2E_OUTPUT_DIR) + L"\\Документы €";
    const std::wstring probe = folder + L"\\launch_probe.exe", report = folder + L"\\report.txt";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(WindowsPath(ZELMIVO_PROBE_PATH).c_str(), probe.c_str(), FALSE));
    DeleteFileW(report.c_str());
    SetEnvironmentVariableW(L"ZELMIVO_PROBE_OUT", report.c_str());
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Add(Item(L"+ aggiungi categoria"), {L"Документы"}, true));
    ASSERT_TRUE(Add(Item(L"+ aggiungi App"), {L"Fattura – L’ultima €", probe, L"ω"}, true));
    EXPECT_TRUE(Saved("\xEF\xBB\xBF" +
                      CatalogueText({{"Документы", 1}},
                                    {{"1", "Fattura – L’ultima €", "ω", WideToNarrow(probe)}})));

    ASSERT_TRUE(Click(Item(L"Fattura – L’ultima €")));
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(report); }));
    EXPECT_EQ(ReadBytes(report), WideToNarrow(folder) + "\nω\n");

    ASSERT_TRUE(Start());
    EXPECT_EQ(Shown(), L"Документы, Fattura – L’ultima €");
}

TEST_F(EveryNameTest, AnsiAndUnicodeFilesShowWhatTheyHoldAndKeepTheirBytes) {
    const std::wstring name = L"Fattura – L’ultima €";
    const std::string utf8 =
        CatalogueText({{"Ufficio", 1}}, {{"1", WideToNarrow(name), "", "f.pdf"}});
    // As an ANSI editor writes it: one byte a character, – ’ € in Windows-1252.
    std::string ansi = utf8;
    for (const auto& [from, to] :
         {std::pair<std::string, std::string>{"–", "\x96"}, {"’", "\x92"}, {"€", "\x80"}}) {
        ansi.replace(ansi.find(from), from.size(), to);
    }
    // As Notepad saves "Unicode": UTF-16 with its mark, low byte first.
    std::string utf16 = "\xFF\xFE";
    for (wchar_t unit : Common::NarrowToWide(utf8)) {
        utf16 += static_cast<char>(unit & 0xFF);
        utf16 += static_cast<char>(unit >> 8);
    }
    for (const std::string& file : {ansi, utf16}) {
        SCOPED_TRACE(file.substr(0, 2) == "\xFF\xFE" ? "UTF-16" : "Windows-1252");
        ASSERT_TRUE(WriteBytes(CataloguePath(), file));
        ASSERT_TRUE(Start());
        EXPECT_EQ(Shown(), L"Ufficio, " + name);
        // A column added and deleted again leaves the file as it came, byte for byte.
        ASSERT_TRUE(Add(Item(L"+ aggiungi categoria"), {L"Musica"}, true));
        ASSERT_TRUE(ChooseFromMenu(Item(L"Musica"), L'C'));
        EXPECT_EQ(AnswerMessageBox(IDYES),
                  L"Conferma: Si desidera realmente cancellare la categoria \"MUSICA\"?");
        EXPECT_TRUE(Saved(file));
    }
}

}  // namespace
}  // namespace ZelmivoE2E
