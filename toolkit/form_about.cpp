#include "form_about.h"

#include "dpi.h"
#include "form_routing.h"
#include "shell.h"

namespace OrvoUtility {

namespace {

constexpr COLORREF linkColor = 0xFF0000;

// Every part of the box hands its keys to the box, so Enter and Esc work
// wherever the focus is.
void Place(GUIElement& element, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
           const CharHandler& keys) {
    element.left = x;
    element.top = y;
    element.width = w;
    element.height = h;
    element.onChar = keys;
}

}  // namespace

FormAbout::FormAbout(Form* ownerForm)
    : Form(ownerForm->instance, true),
      owner(ownerForm),
      titleFont("Arial", ScaleForDpi(16, ownerForm->dpi)),
      linkFont("Arial", ScaleForDpi(16, ownerForm->dpi)),
      logoId(0),
      logoWidth(0),
      logoHeight(0),
      boxFont("Arial", ScaleForDpi(14, ownerForm->dpi)),
      controlFont(ControlFontAt(ownerForm->dpi)) {
    // Opened over the owner, the box shows on the owner's monitor.
    dpi = owner->dpi;
    topMost = false;
    minimizeBox = false;
    resizable = false;
    modalFrame = true;
    titleFont.bold = true;
    linkFont.underline = true;
    font = &boxFont;
    width = ScaleForDpi(clientWidth, dpi);
    height = ScaleForDpi(clientHeight, dpi);
    CenterOnScreen();
    SetTextNarrow("Info...");
    InstallFormRouting(*this);
    onChar = Keys();
    owner->SetEnabled(false);
    owner->modalChild = this;
}

FormAbout::~FormAbout() {
    // Closed here, while HandleClosing can still give the owner back; the
    // children then go before the fonts they use.
    if (created && hwnd != nullptr) {
        SendMessageW(hwnd, WM_CLOSE, 0, 0);
        created = false;
    }
    mailLink.reset();
    webLink.reset();
    okButton.reset();
    noticeBox.reset();
    logo.reset();
    logoPanel.reset();
    secondLabel.reset();
    titleLabel.reset();
}

void FormAbout::Create() {
    Form::Create();
    // The window was made visible by Create itself, so no later show reaches
    // OnShow: the client area is fixed here.
    SetClientSize(ScaleForDpi(clientWidth, dpi), ScaleForDpi(clientHeight, dpi));
}

void FormAbout::OnShow() {
    SetClientSize(ScaleForDpi(clientWidth, dpi), ScaleForDpi(clientHeight, dpi));
}

CharHandler FormAbout::Keys() {
    return [this](GUIElement*, std::int32_t character) { return HandleChar(character); };
}

void FormAbout::HandleLoad() {
    const CharHandler keys = Keys();
    // The layout's measures are given at 96 DPI; the logo keeps its size.
    auto scaled = [this](std::int32_t value) { return ScaleForDpi(value, dpi); };
    RECT client;
    if (created && GetClientRect(hwnd, &client)) {
        width = client.right - client.left;
        height = client.bottom - client.top;
    }
    const std::int32_t w = width;
    const std::int32_t h = height;

    logoPanel = std::make_unique<PanelChildren>(this);
    const std::int32_t panelWidth = logoWidth + scaled(20);
    Place(*logoPanel, scaled(10), scaled(10), panelWidth, h - scaled(20), keys);
    logoPanel->border = true;
    logoPanel->Create();

    logo = std::make_unique<Image>(logoPanel.get(), logoId);
    Place(*logo, scaled(5), scaled(5), logoWidth, logoHeight, keys);
    logo->Create();

    const std::int32_t x0 = panelWidth + scaled(25);
    const std::int32_t columnWidth = w - x0 - scaled(10);

    titleLabel = std::make_unique<Label>(this, titleText);
    Place(*titleLabel, x0, scaled(10), columnWidth, scaled(25), keys);
    titleLabel->font = &titleFont;
    titleLabel->Create();

    secondLabel = std::make_unique<Label>(this, secondText);
    Place(*secondLabel, x0, scaled(35), columnWidth, scaled(25), keys);
    secondLabel->font = &boxFont;
    secondLabel->Create();

    webLink = MakeLink(webAddress, x0);
    mailLink = MakeLink(mailAddress, x0 + scaled(160));

    noticeBox = std::make_unique<TextBox>(this, noticeText);
    noticeBox->multiLine = true;
    noticeBox->readOnly = true;
    noticeBox->verticalScrollBar = true;
    Place(*noticeBox, x0, scaled(85), columnWidth, h - scaled(145), keys);
    noticeBox->font = controlFont.get();
    noticeBox->Create();

    okButton = std::make_unique<Button>(this, "OK");
    const std::int32_t buttonWidth = scaled(80);
    Place(*okButton, x0 + columnWidth / 2 - buttonWidth / 2, h - scaled(50), buttonWidth,
          scaled(25), keys);
    okButton->font = controlFont.get();
    okButton->onCommand = [this](GUIElement* button) { HandleButtonClick(button); };
    okButton->Create();
    okButton->Focus();
}

std::unique_ptr<CellControl> FormAbout::MakeLink(const std::string& address, std::int32_t x) {
    const CharHandler keys = Keys();
    auto link = std::make_unique<CellControl>(this);
    link->textColor = linkColor;
    link->textAlignment = TextAlignment::Left;
    link->SetTextNarrow(address);
    link->SetHandCursor(true);
    link->onLeftDown = [this](GUIElement* clicked, HWND, std::int32_t x, std::int32_t y) {
        HandleLinkClick(clicked, x, y);
        return 0;
    };
    link->font = &linkFont;
    Place(*link, x, ScaleForDpi(55, dpi), ScaleForDpi(150, dpi), ScaleForDpi(22, dpi), keys);
    link->Create();
    return link;
}

bool FormAbout::HandleClosing() {
    owner->modalChild = nullptr;
    owner->SetEnabled(true);
    return true;
}

void FormAbout::HandleResize() {}

bool FormAbout::HandleChar(std::int32_t character) {
    if (character != VK_RETURN && character != VK_ESCAPE) return true;
    HandleButtonClick(okButton.get());
    return false;
}

void FormAbout::HandleKeyDown(std::int32_t) {}

void FormAbout::HandleButtonClick(GUIElement* element) {
    if (element == nullptr || okButton == nullptr || element->id != okButton->id) return;
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    created = false;
}

void FormAbout::HandleLinkClick(GUIElement* element, std::int32_t, std::int32_t) {
    if (element == nullptr) return;
    if (webLink != nullptr && element->id == webLink->id) {
        OpenWithShell(webAddress);
    } else if (mailLink != nullptr && element->id == mailLink->id) {
        OpenWithShell("mailto:" + mailLink->GetTextNarrow());
    }
}

}  // namespace OrvoUtility
