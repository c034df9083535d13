#include "form_about.h"

#include <windows.h>

#include <string>

#include "dialog_test_support.h"
#include "gtest/gtest.h"
#include "product_info.h"
#include "resource_ids.h"

using OrvoUtility::FormAbout;

namespace DialogTests {

namespace {

class FormAboutTest : public DialogTest {
protected:
    // As the main window opens it: inputs, Create, shown without activation.
    std::unique_ptr<FormAbout> Open(const std::string& webAddress) {
        auto box = std::make_unique<FormAbout>(owner.get());
        box->logoId = IDB_LOGO;
        box->logoWidth = 164;
        box->logoHeight = 50;
        box->titleText = "Orvo Zelmivo";
        box->secondText = MyApp::productCopyright;
        box->noticeText = "Avviso:\r\nquesto programma si usa a proprio rischio.";
        box->webAddress = webAddress;
        box->Create();
        ShowWindow(box->hwnd, SW_SHOWNA);
        Pump();
        return box;
    }
};

TEST_F(FormAboutTest, ShowsLogoTextsAndLinksAtTheirPlaces) {
    auto box = Open(MyApp::productWebAddress);
    EXPECT_EQ(TextOf(box->hwnd), L"Info...");
    SIZE client = ClientSizeOf(box->hwnd);
    EXPECT_EQ(client.cx, 600);
    EXPECT_EQ(client.cy, 300);
    RECT frame = WindowRectOf(box->hwnd);
    EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - 600) / 2);
    EXPECT_FALSE(IsWindowEnabled(owner->hwnd));
    EXPECT_EQ(owner->modalChild, box.get());
    EXPECT_EQ(GetFocus(), box->okButton->hwnd);

    std::vector<ControlView> controls = ControlsOf(box->hwnd);
    ASSERT_EQ(controls.size(), 7u);
    const RECT expected[] = {{10, 10, 194, 290},  {209, 10, 590, 35}, {209, 35, 590, 60},
                             {209, 55, 359, 77},  {369, 55, 519, 77}, {209, 85, 590, 240},
                             {359, 250, 439, 275}};
    const wchar_t* texts[] = {L"",
                              L"Orvo Zelmivo",
                              L"Copyright (C) 2026 Orvo Software",
                              L"http://www.zelmivo.it",
                              L"info@zelmivo.it",
                              L"Avviso:\r\nquesto programma si usa a proprio rischio.",
                              L"OK"};
    for (std::size_t i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(controls[i].text, texts[i]);
        EXPECT_TRUE(EqualRect(&controls[i].box, &expected[i]));
    }
    const RECT logoBox{5, 5, 169, 55};
    RECT shownLogo = BoxOf(box->logo->hwnd);
    EXPECT_TRUE(EqualRect(&shownLogo, &logoBox));
    EXPECT_EQ(GetParent(box->logo->hwnd), box->logoPanel->hwnd);
    EXPECT_NE(SendMessageW(box->logo->hwnd, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    LONG noticeStyle = GetWindowLongW(box->noticeBox->hwnd, GWL_STYLE);
    EXPECT_NE(noticeStyle & ES_READONLY, 0);
    EXPECT_NE(noticeStyle & ES_MULTILINE, 0);
    EXPECT_EQ(box->mailLink->GetTextNarrow(), "info@zelmivo.it");
}

TEST_F(FormAboutTest, AnAddressWithoutTheWebPrefixIsAlsoTheMailText) {
    auto box = Open("https://esempio.org/zelmivo");
    EXPECT_EQ(TextOf(box->webLink->hwnd), L"https://esempio.org/zelmivo");
    EXPECT_EQ(TextOf(box->mailLink->hwnd), L"https://esempio.org/zelmivo");
}

TEST_F(FormAboutTest, EnterInTheNoticeClosesTheBoxInsteadOfBreakingTheLine) {
    auto box = Open(MyApp::productWebAddress);
    SetFocus(box->noticeBox->hwnd);
    // A read-only box still takes no characters; Enter is the one that closes.
    Type(box->noticeBox->hwnd, L"x");
    EXPECT_TRUE(IsWindow(box->hwnd));
    PressKey(box->noticeBox->hwnd, VK_RETURN);
    EXPECT_FALSE(IsWindow(box->hwnd));
    EXPECT_TRUE(IsWindowEnabled(owner->hwnd));
    EXPECT_EQ(owner->modalChild, nullptr);
    EXPECT_FALSE(box->created);
}

TEST_F(FormAboutTest, OkEscAndTheCloseBoxAllGiveTheOwnerBack) {
    {
        auto box = Open(MyApp::productWebAddress);
        Click(box->okButton->hwnd);
        EXPECT_FALSE(IsWindow(box->hwnd));
        EXPECT_TRUE(IsWindowEnabled(owner->hwnd));
    }
    {
        auto box = Open(MyApp::productWebAddress);
        PressKey(box->okButton->hwnd, VK_ESCAPE);
        EXPECT_FALSE(IsWindow(box->hwnd));
        EXPECT_TRUE(IsWindowEnabled(owner->hwnd));
    }
    {
        auto box = Open(MyApp::productWebAddress);
        EXPECT_FALSE(IsWindowEnabled(owner->hwnd));
        CloseByBox(box->hwnd);
        EXPECT_FALSE(IsWindow(box->hwnd));
        EXPECT_TRUE(IsWindowEnabled(owner->hwnd));
        EXPECT_EQ(owner->modalChild, nullptr);
    }
    {
        // A box deleted while still open gives the owner back too.
        auto box = Open(MyApp::productWebAddress);
        HWND window = box->hwnd;
        box.reset();
        EXPECT_FALSE(IsWindow(window));
        EXPECT_TRUE(IsWindowEnabled(owner->hwnd));
    }
}

}  // namespace

}  // namespace DialogTests
