#include "form_about.h"

#include "image.h"
#include "shell.h"
#include "text_box.h"

namespace OrvoUtility {

namespace {

constexpr COLORREF linkColor = 0xFF0000;

}  // namespace

FormAbout::FormAbout(Form* ownerForm, AboutContent aboutContent)
    : ModalDialog(ownerForm, aboutContent.boxTitle, clientWidth, clientHeight),
      content(std::move(aboutContent)) {
    minimizeBox = false;
    modalFrame = true;
    AddFont(DialogFont{"Arial", 14}, true);
    CenterOnScreen();
    Open();
}

void FormAbout::HandleLoad() {
    // Every measure at 96 DPI; the logo keeps its own size.
    const SIZE size = LayoutSize();
    const std::int32_t titleFont = AddFont(DialogFont{"Arial", 16, true, false});
    const std::int32_t secondFont = AddFont(DialogFont{"Arial", 14});
    const std::int32_t linkFont = AddFont(DialogFont{"Arial", 16, false, true});

    const std::int32_t panelWidth = content.logoWidth + 20;
    auto* logoPanel = AddControlIn<PanelChildren>(
        nullptr, RECT{10, 10, 10 + panelWidth, size.cy - 10}, controlFont, false);
    logoPanel->border = true;
    logoPanel->Create();
    AddControlIn<Image>(logoPanel, RECT{5, 5, 5 + content.logoWidth, 5 + content.logoHeight},
                        controlFont, true, content.logoId)
        ->Create();

    const std::int32_t x0 = panelWidth + 25;
    const std::int32_t columnWidth = size.cx - x0 - 10;
    AddControlIn<Label>(nullptr, RECT{x0, 10, x0 + columnWidth, 35}, titleFont, false,
                        content.titleText)
        ->Create();
    AddControlIn<Label>(nullptr, RECT{x0, 35, x0 + columnWidth, 60}, secondFont, false,
                        content.secondText)
        ->Create();
    webLink = AddLink(content.webAddress, x0, linkFont);
    mailLink = AddLink(content.mailAddress, x0 + 160, linkFont);

    auto* notice = AddControlIn<TextBox>(nullptr, RECT{x0, 85, x0 + columnWidth, size.cy - 60},
                                         controlFont, false, content.noticeText);
    notice->multiLine = true;
    notice->readOnly = true;
    notice->verticalScrollBar = true;
    notice->Create();

    const std::int32_t buttonLeft = x0 + columnWidth / 2 - 40;
    AddOkButton(content.okCaption, RECT{buttonLeft, size.cy - 50, buttonLeft + 80, size.cy - 25},
                [this] { End(); })
        ->Focus();
}

CellControl* FormAbout::AddLink(const std::string& address, std::int32_t x, std::int32_t font) {
    auto* link = AddControlIn<CellControl>(nullptr, RECT{x, 55, x + 150, 77}, font, false);
    link->textColor = linkColor;
    link->textAlignment = TextAlignment::Left;
    link->SetTextNarrow(address);
    link->SetHandCursor(true);
    link->onLeftDown = [this](GUIElement* clicked, HWND, std::int32_t x, std::int32_t y) {
        HandleLinkClick(clicked, x, y);
        return 0;
    };
    link->Create();
    return link;
}

void FormAbout::HandleLinkClick(GUIElement* element, std::int32_t, std::int32_t) {
    if (element == nullptr) return;
    if (element == webLink) {
        OpenWithShell(content.webAddress);
    } else if (element == mailLink) {
        OpenWithShell("mailto:" + content.mailAddress);
    }
}

}  // namespace OrvoUtility
