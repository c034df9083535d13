// A first start without a catalogue: the worked example typed through the
// real dialogs and written byte for byte, then leaving and coming back.
#include "end_to_end_test.h"

namespace ZelmivoE2E {
namespace {

class FirstStartTest : public EndToEndTest {};

TEST_F(FirstStartTest, TheWorkedExampleIsWrittenAndShownAgainAfterLeaving) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(TextOf(mainWindow).rfind(L"Orvo Zelmivo ", 0), 0u);
    const RECT frame = ScreenRect(mainWindow);
    EXPECT_EQ(std::tie(frame.left, frame.top, frame.right, frame.bottom),
              std::make_tuple(0L, 0L, GetSystemMetrics(SM_CXSCREEN) * 9 / 10,
                              GetSystemMetrics(SM_CYSCREEN) * 9 / 10));

    ASSERT_TRUE(Add(Item(L"+ aggiungi categoria"), {L"Ufficio"}, true));
    ASSERT_TRUE(Add(Item(L"+ aggiungi categoria"), {L"Giochi"}, false));
    ASSERT_TRUE(Add(Item(L"+ aggiungi App", 0),
                    {L"Blocco note", L"C:\\Windows\\notepad.exe", L"C:\\Note\\lista.txt"}, true));
    ASSERT_TRUE(
        Add(Item(L"+ aggiungi App", 1), {L"Solitario", L"D:\\Giochi\\sol.exe", L""}, false));
    const std::string workedExample =
        CatalogueText({{"Ufficio", 1}, {"Giochi", 2}},
                      {{"1", "Blocco note", "C:\\Note\\lista.txt", "C:\\Windows\\notepad.exe"},
                       {"2", "Solitario", "", "D:\\Giochi\\sol.exe"}});
    EXPECT_TRUE(Saved(workedExample));
    EXPECT_EQ(Shown(), L"Ufficio, Blocco note | Giochi, Solitario");

    // Headers are dark red; the cells that add things sit on the panel's grey.
    HDC screenDc = GetDC(nullptr);
    auto colourIn = [&](HWND cell) {
        return GetPixel(screenDc, ScreenRect(cell).left + 3, ScreenRect(cell).top + 3);
    };
    EXPECT_EQ(colourIn(Item(L"Giochi")), RGB(165, 42, 42));
    EXPECT_EQ(colourIn(Item(L"+ aggiungi categoria")), RGB(192, 192, 192));
    EXPECT_EQ(colourIn(Item(L"+ aggiungi App", 1)), RGB(192, 192, 192));
    ReleaseDC(nullptr, screenDc);

    ASSERT_TRUE(ChooseFromMenu(mainWindow, L'E'));
    EXPECT_EQ(AnswerMessageBox(IDYES), L"Uscita: Vuoi realmente uscire?");
    EXPECT_EQ(ExitCode(15000), 0u);

    ASSERT_TRUE(Start());
    EXPECT_EQ(Shown(), L"Ufficio, Blocco note | Giochi, Solitario");
}

}  // namespace
}  // namespace ZelmivoE2E
