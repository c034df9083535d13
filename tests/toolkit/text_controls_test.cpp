#include <gtest/gtest.h>
#include <windows.h>

#include "control_host.h"
#include "font_description.h"
#include "label.h"
#include "text_box.h"

namespace ZelmivoTests {
namespace {

using OrvoUtility::Label;
using OrvoUtility::TextBox;

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)); }
DWORD ExtendedStyleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
}

class LabelTest : public ControlHost {
protected:
    Label* Make(bool border, bool right, bool centred, bool enabled = true) {
        Label* label = Add<Label>(form.get(), "Descrizione:");
        label->border = border;
        label->rightAligned = right;
        label->centered = centred;
        label->enabled = enabled;
        label->Create();
        return label;
    }
};

TEST_F(LabelTest, StylesFollowTheFlags) {
    Label* plain = Make(false, false, false);
    EXPECT_EQ(StyleOf(plain->hwnd), 0x50000100u);
    EXPECT_EQ(ExtendedStyleOf(plain->hwnd) & WS_EX_CLIENTEDGE, 0u);
    Label* framed = Make(true, false, true);
    EXPECT_EQ(StyleOf(framed->hwnd), 0x50800101u);
    EXPECT_EQ(ExtendedStyleOf(framed->hwnd) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
    Label* both = Make(false, true, true);
    EXPECT_EQ(StyleOf(both->hwnd), 0x50000102u) << "right alignment wins";
    Label* disabled = Make(false, false, false, false);
    EXPECT_EQ(StyleOf(disabled->hwnd), 0x58000100u);

    EXPECT_EQ(plain->kind, "label");
    wchar_t caption[32] = {};
    GetWindowTextW(plain->hwnd, caption, 32);
    EXPECT_STREQ(caption, L"Descrizione:");
}

TEST_F(LabelTest, FontAndTooltipAreAppliedAtCreation) {
    OrvoUtility::FontDescription font("Tahoma", 20);
    Label* label = Add<Label>(form.get(), "Parametri:");
    label->font = &font;
    label->toolTipText = "aiuto";
    label->Create();
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(label->hwnd, WM_GETFONT, 0, 0)),
              font.GetHandle());
    EXPECT_NE(label->toolTipWindow, nullptr);
    Label* bare = Make(false, false, false);
    EXPECT_EQ(bare->toolTipWindow, nullptr);
    // The tooltip belongs to the form, not to the label: it goes by hand.
    DestroyWindow(label->toolTipWindow);
}

class TextBoxTest : public ControlHost {
protected:
    TextBox* Make(void (*configure)(TextBox&)) {
        TextBox* box = Add<TextBox>(form.get(), "abc");
        configure(*box);
        box->Create();
        return box;
    }
};

TEST_F(TextBoxTest, StylesFollowTheFlags) {
    TextBox* plain = Make([](TextBox&) {});
    EXPECT_EQ(StyleOf(plain->hwnd), 0x50810080u);
    EXPECT_EQ(ExtendedStyleOf(plain->hwnd) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);

    TextBox* bare = Make([](TextBox& box) {
        box.border = false;
        box.enabled = false;
        box.readOnly = true;
        box.digitsOnly = true;
    });
    EXPECT_EQ(StyleOf(bare->hwnd), 0x58012880u);
    EXPECT_EQ(ExtendedStyleOf(bare->hwnd) & WS_EX_CLIENTEDGE, 0u);

    TextBox* cases = Make([](TextBox& box) {
        box.upperCase = true;
        box.lowerCase = true;
        box.rightAligned = true;
        box.centered = true;
    });
    DWORD style = StyleOf(cases->hwnd);
    EXPECT_EQ(style & ES_UPPERCASE, static_cast<DWORD>(ES_UPPERCASE));
    EXPECT_EQ(style & ES_LOWERCASE, 0u) << "upper case wins";
    EXPECT_EQ(style & ES_RIGHT, static_cast<DWORD>(ES_RIGHT));
    EXPECT_EQ(style & ES_CENTER, 0u) << "right alignment wins";

    TextBox* lower = Make([](TextBox& box) {
        box.lowerCase = true;
        box.centered = true;
    });
    EXPECT_EQ(StyleOf(lower->hwnd) & (ES_LOWERCASE | ES_UPPERCASE | ES_CENTER | ES_RIGHT),
              static_cast<DWORD>(ES_LOWERCASE | ES_CENTER));
}

TEST_F(TextBoxTest, MultiLineBoxesScrollSidewaysOnlyWithoutWordWrap) {
    TextBox* wrapped = Make([](TextBox& box) {
        box.multiLine = true;
        box.wordWrap = true;
        box.verticalScrollBar = true;
    });
    EXPECT_EQ(StyleOf(wrapped->hwnd) & ~WS_VSCROLL, 0x50811044u);
    EXPECT_EQ(wrapped->Style(), 0x50A11044u);

    TextBox* unwrapped = Make([](TextBox& box) {
        box.multiLine = true;
        box.horizontalScrollBar = true;
    });
    EXPECT_EQ(unwrapped->Style(), 0x509110C4u);
    EXPECT_EQ(StyleOf(unwrapped->hwnd) & ES_AUTOHSCROLL, static_cast<DWORD>(ES_AUTOHSCROLL));
}

TEST_F(TextBoxTest, LimitIsSentOnlyForAMaximumLength) {
    TextBox* limited = Make([](TextBox& box) { box.maxLength = 5; });
    EXPECT_EQ(SendMessageW(limited->hwnd, EM_GETLIMITTEXT, 0, 0), 5);

    TextBox* open = Make([](TextBox&) {});
    HWND reference = CreateWindowExW(0, L"edit", L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 50, 20,
                                     form->hwnd, nullptr, nullptr, nullptr);
    ASSERT_NE(reference, nullptr);
    EXPECT_EQ(SendMessageW(open->hwnd, EM_GETLIMITTEXT, 0, 0),
              SendMessageW(reference, EM_GETLIMITTEXT, 0, 0));
    DestroyWindow(reference);
}

TEST_F(TextBoxTest, ApplyStylePutsChangedFlagsIntoTheLiveBox) {
    TextBox* box = Make([](TextBox&) {});
    box->readOnly = true;
    box->password = true;
    box->upperCase = true;
    box->ApplyStyle();
    DWORD style = StyleOf(box->hwnd);
    EXPECT_EQ(style & ES_READONLY, static_cast<DWORD>(ES_READONLY));
    EXPECT_EQ(style & ES_UPPERCASE, static_cast<DWORD>(ES_UPPERCASE));
    EXPECT_EQ(SendMessageW(box->hwnd, EM_GETPASSWORDCHAR, 0, 0), '*');

    box->readOnly = false;
    box->password = false;
    box->upperCase = false;
    box->ApplyStyle();
    EXPECT_EQ(StyleOf(box->hwnd) & (ES_READONLY | ES_UPPERCASE), 0u);
    EXPECT_EQ(SendMessageW(box->hwnd, EM_GETPASSWORDCHAR, 0, 0), 0);

    TextBox* later = Add<TextBox>(form.get(), "");
    later->readOnly = true;
    later->ApplyStyle();
    EXPECT_EQ(later->hwnd, nullptr) << "a box without a window is left alone";
}

}  // namespace
}  // namespace ZelmivoTests
