#include "editor_dialog.h"

#include "dpi.h"
#include "form_routing.h"
#include "resource_ids.h"
#include "shell.h"
#include "text.h"

namespace MyApp {

using OrvoUtility::Button;
using OrvoUtility::GUIElement;
using OrvoUtility::Label;
using OrvoUtility::TextBox;

namespace {

constexpr std::int32_t ownerOffset = 50;

bool Storable(const std::wstring& text) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        // A control character would break the file's line; half a surrogate
        // pair is no character at all.
        if (text[at] < L' ' || IS_LOW_SURROGATE(text[at])) return false;
        if (IS_HIGH_SURROGATE(text[at])) {
            if (at + 1 == text.size() || !IS_LOW_SURROGATE(text[at + 1])) return false;
            ++at;
        }
    }
    return true;
}

std::string UnstorableFieldMessage(const std::string& fieldName) {
    return "Il campo \"" + fieldName + "\" contiene caratteri che non possono essere salvati.";
}

}  // namespace

EditorDialog::EditorDialog(OrvoUtility::Form* ownerForm, const std::string& title,
                           std::int32_t clientWidthWanted, std::int32_t clientHeightWanted)
    : Form(ownerForm->instance, true),
      resultCode(resultNone),
      owner(ownerForm),
      okButton(nullptr),
      clientWidth(clientWidthWanted),
      clientHeight(clientHeightWanted) {
    // Characters typed in the text boxes reach HandleChar too.
    keyPreview = true;
    // Opened over the owner, the dialog shows on the owner's monitor.
    dpi = owner->dpi;
    MakeFonts();
    POINT ownerCorner = owner->GetPosition();
    left = ownerCorner.x + Scaled(ownerOffset);
    top = ownerCorner.y + Scaled(ownerOffset);
    width = Scaled(clientWidth);
    height = Scaled(clientHeight);
    SetTextNarrow(title);
    topMost = false;
    minimizeBox = true;
    resizable = false;
    OrvoUtility::InstallFormRouting(*this);
    OrvoUtility::InstallInputRouting(*this);
    onDpiChanged = [this](OrvoUtility::Form*, std::int32_t newDpi, const RECT& suggested) {
        HandleDpiChanged(newDpi, suggested);
    };
}

EditorDialog::~EditorDialog() {
    // Closed here, while HandleClosing can still give the owner back.
    if (created && hwnd != nullptr) RequestClose();
}

void EditorDialog::Open() {
    Create();
    SetIcon(IDI_PROGRAM);
    ApplyFont();
    SetClientSize(Scaled(clientWidth), Scaled(clientHeight));
    owner->SetEnabled(false);
    owner->modalChild = this;
}

void EditorDialog::RequestClose() {
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    created = false;
}

SIZE EditorDialog::LayoutSize() {
    RECT client;
    if (created && GetClientRect(hwnd, &client)) {
        width = client.right - client.left;
        height = client.bottom - client.top;
    }
    return SIZE{MulDiv(width, OrvoUtility::defaultDpi, dpi),
                MulDiv(height, OrvoUtility::defaultDpi, dpi)};
}

std::int32_t EditorDialog::Scaled(std::int32_t value) const {
    return OrvoUtility::ScaleForDpi(value, dpi);
}

void EditorDialog::Place(PlacedControl& control) {
    GUIElement& element = *control.element;
    const RECT& place = control.place;
    element.font = controlFont.get();
    element.left = Scaled(place.left);
    element.top = Scaled(place.top);
    element.width = Scaled(place.right - place.left);
    element.height = Scaled(place.bottom - place.top);
    if (!element.created) return;
    SetWindowPos(element.hwnd, nullptr, element.left, element.top, element.width, element.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // No font of its own takes the control back to the system font.
    HFONT handle = controlFont != nullptr ? controlFont->GetHandle() : nullptr;
    SendMessageW(element.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(handle), TRUE);
}

void EditorDialog::MakeFonts() {
    dialogFont = std::make_unique<OrvoUtility::FontDescription>("Lucida Console", Scaled(16));
    dialogFont->bold = true;
    font = dialogFont.get();
    controlFont = OrvoUtility::ControlFontAt(dpi);
}

void EditorDialog::HandleDpiChanged(std::int32_t newDpi, const RECT& suggested) {
    if (newDpi <= 0) return;
    dpi = newDpi;
    // The old fonts go at the end, once every window has the new ones.
    std::unique_ptr<OrvoUtility::FontDescription> oldDialogFont = std::move(dialogFont);
    std::unique_ptr<OrvoUtility::FontDescription> oldControlFont = std::move(controlFont);
    MakeFonts();
    ApplyFont();
    SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (PlacedControl& control : controls) Place(control);
}

Label* EditorDialog::AddLabel(const std::string& caption, std::int32_t x, std::int32_t y,
                              std::int32_t w, std::int32_t h) {
    Label* label = AddControl<Label>(x, y, w, h, caption);
    label->Create();
    return label;
}

TextBox* EditorDialog::AddTextBox(std::int32_t maxLength, std::int32_t x, std::int32_t y,
                                  std::int32_t w, std::int32_t h) {
    TextBox* box = AddControl<TextBox>(x, y, w, h, std::string());
    box->maxLength = maxLength;
    box->onChar = [this, box](GUIElement*, std::int32_t character) {
        return HandleTextBoxChar(box, character);
    };
    box->Create();
    return box;
}

Button* EditorDialog::AddButton(const std::string& caption, std::int32_t x, std::int32_t y,
                                std::int32_t w, std::int32_t h) {
    Button* button = AddControl<Button>(x, y, w, h, caption);
    button->onCommand = [this, button](GUIElement*) { HandleButtonClick(button); };
    button->Create();
    return button;
}

bool EditorDialog::HandleClosing() {
    owner->modalChild = nullptr;
    owner->SetEnabled(true);
    return true;
}

void EditorDialog::HandleResize() {}

bool EditorDialog::HandleChar(std::int32_t character) {
    if (character == VK_ESCAPE) {
        RequestClose();
    } else if (character == VK_RETURN && okButton != nullptr) {
        HandleButtonClick(okButton);
    }
    return true;
}

bool EditorDialog::HandleTextBoxChar(TextBox*, std::int32_t character) {
    return character != VK_TAB;
}

void EditorDialog::HandleKeyDown(std::int32_t) {}

void EditorDialog::HandleTextBoxClick(TextBox* box) {
    if (box->created && box->hwnd != nullptr) SendMessageW(box->hwnd, EM_SETSEL, 0, -1);
}

void EditorDialog::Refuse(TextBox* box, const std::string& message) {
    OrvoUtility::ShowError(this, message, "Errore");
    box->Focus();
}

bool EditorDialog::CheckStorable(TextBox* box, const std::string& fieldName) {
    if (Storable(box->GetText())) return true;
    Refuse(box, UnstorableFieldMessage(fieldName));
    return false;
}

}  // namespace MyApp
