#include "modal_dialog.h"

#include "dpi.h"
#include "form_routing.h"
#include "text.h"

namespace OrvoUtility {

ModalDialog::ModalDialog(Form* ownerForm, const std::string& title, std::int32_t clientWidthWanted,
                         std::int32_t clientHeightWanted)
    : Form(ownerForm->instance, true),
      owner(ownerForm),
      clientWidth(clientWidthWanted),
      clientHeight(clientHeightWanted) {
    // Characters typed in the controls reach HandleChar too.
    keyPreview = true;
    // Opened over the owner, the dialog shows on the owner's monitor.
    dpi = owner->dpi;
    MakeFonts();
    width = Scaled(clientWidth);
    height = Scaled(clientHeight);
    SetTextNarrow(title);
    topMost = false;
    resizable = false;
    InstallFormRouting(*this);
    InstallInputRouting(*this);
    onDpiChanged = [this](Form*, std::int32_t newDpi, const RECT& suggested) {
        HandleDpiChanged(newDpi, suggested);
    };
}

ModalDialog::~ModalDialog() {
    // Closed here, while HandleClosing can still give the owner back.
    if (created && hwnd != nullptr) End();
}

void ModalDialog::Open() {
    Create();
    SetClientSize(Scaled(clientWidth), Scaled(clientHeight));
    owner->SetEnabled(false);
    owner->modalChild = this;
}

void ModalDialog::End() {
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    created = false;
}

void ModalDialog::EndWith(const std::function<void()>& handOver) {
    End();
    handOver();
}

SIZE ModalDialog::LayoutSize() const { return SIZE{clientWidth, clientHeight}; }

std::int32_t ModalDialog::Scaled(std::int32_t value) const { return ScaleForDpi(value, dpi); }

std::int32_t ModalDialog::AddFont(DialogFont description, bool form) {
    fontDescriptions.push_back(std::move(description));
    fonts.push_back(MakeFont(fontDescriptions.back()));
    std::int32_t index = static_cast<std::int32_t>(fonts.size()) - 1;
    if (form) {
        formFont = index;
        font = FontAt(index);
        ApplyFont();
    }
    return index;
}

std::unique_ptr<FontDescription> ModalDialog::MakeFont(const DialogFont& description) const {
    auto made = std::make_unique<FontDescription>(description.faceName, Scaled(description.height));
    made->bold = description.bold;
    made->underline = description.underline;
    return made;
}

FontDescription* ModalDialog::FontAt(std::int32_t index) const {
    if (index < 0 || index >= static_cast<std::int32_t>(fonts.size())) return systemLookFont.get();
    return fonts[static_cast<std::size_t>(index)].get();
}

void ModalDialog::MakeFonts() {
    fonts.clear();
    for (const DialogFont& description : fontDescriptions) fonts.push_back(MakeFont(description));
    systemLookFont = ControlFontAt(dpi);
    font = formFont == controlFont ? nullptr : FontAt(formFont);
}

void ModalDialog::Place(PlacedControl& control) {
    GUIElement& element = *control.element;
    const RECT& place = control.place;
    element.font = FontAt(control.font);
    element.left = Scaled(place.left);
    element.top = Scaled(place.top);
    element.width = control.keepSize ? place.right - place.left : Scaled(place.right - place.left);
    element.height = control.keepSize ? place.bottom - place.top : Scaled(place.bottom - place.top);
    if (!element.created) return;
    SetWindowPos(element.hwnd, nullptr, element.left, element.top, element.width, element.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // No font of its own takes the control back to the system font.
    HFONT handle = element.font != nullptr ? element.font->GetHandle() : nullptr;
    SendMessageW(element.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(handle), TRUE);
}

void ModalDialog::HandleDpiChanged(std::int32_t newDpi, const RECT& suggested) {
    if (newDpi <= 0) return;
    dpi = newDpi;
    // The old fonts go at the end, once every window has the new ones.
    std::vector<std::unique_ptr<FontDescription>> oldFonts = std::move(fonts);
    std::unique_ptr<FontDescription> oldSystemLook = std::move(systemLookFont);
    MakeFonts();
    ApplyFont();
    SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SetClientSize(Scaled(clientWidth), Scaled(clientHeight));
    for (PlacedControl& control : controls) Place(control);
}

Label* ModalDialog::AddLabel(const std::string& caption, std::int32_t x, std::int32_t y,
                             std::int32_t w, std::int32_t h) {
    // A label takes no other label's name; the control after it takes its own.
    labelForNext.clear();
    Label* label = AddControl<Label>(x, y, w, h, caption);
    label->Create();
    labelForNext = Common::NarrowToWide(caption);
    return label;
}

Button* ModalDialog::AddButton(const std::string& caption, RECT place,
                               std::function<void()> onClick) {
    Button* button = AddControlIn<Button>(nullptr, place, controlFont, false, caption);
    button->onCommand = [this, button](GUIElement*) { HandleButtonClick(button); };
    button->Create();
    handlers.push_back(Handled{button, std::move(onClick)});
    return button;
}

Button* ModalDialog::AddOkButton(const std::string& caption, RECT place,
                                 std::function<void()> onOk) {
    okButton = AddButton(caption, place, std::move(onOk));
    return okButton;
}

void ModalDialog::AddAnswerButtons(const std::string& okCaption, const std::string& cancelCaption,
                                   std::function<void()> onOk) {
    SIZE size = LayoutSize();
    const std::int32_t top = size.cy - 35;
    // Made left to right, so that Tab reaches them in the order they stand.
    AddOkButton(okCaption, RECT{size.cx - 220, top, size.cx - 120, top + 25}, std::move(onOk));
    AddButton(cancelCaption, RECT{size.cx - 110, top, size.cx - 10, top + 25}, [this] { End(); });
}

bool ModalDialog::HandleClosing() {
    owner->modalChild = nullptr;
    owner->SetEnabled(true);
    return true;
}

void ModalDialog::HandleResize() {}

bool ModalDialog::HandleChar(std::int32_t character) {
    if (character == VK_ESCAPE) {
        End();
        return false;
    }
    if (character == VK_RETURN && okButton != nullptr) {
        HandleButtonClick(okButton);
        return false;
    }
    return true;
}

void ModalDialog::HandleKeyDown(std::int32_t) {}

void ModalDialog::HandleButtonClick(Button* button) {
    for (const Handled& handled : handlers) {
        if (handled.button == button) {
            // A copy: the handler may end the dialog.
            std::function<void()> onClick = handled.onClick;
            onClick();
            return;
        }
    }
}

}  // namespace OrvoUtility
