// What the launcher's three editor dialogs share: a dialog-style window opened
// over an owner form that stays disabled until the dialog closes, a result
// code, the dialogs' handler operations and the routing that leads the
// toolkit's events to them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "button.h"
#include "font_description.h"
#include "form.h"
#include "label.h"
#include "text_box.h"

namespace MyApp {

class EditorDialog : public OrvoUtility::Form {
public:
    ~EditorDialog() override;

    // The dialogs' own operations, after the common ones.
    virtual void HandleLoad() = 0;
    // Gives the owner back to the user; the close always goes ahead.
    virtual bool HandleClosing();
    virtual void HandleResize();
    // Esc closes, Enter acts as "OK"; always lets the character through.
    virtual bool HandleChar(std::int32_t character);
    // False (swallowed) for Tab only.
    virtual bool HandleTextBoxChar(OrvoUtility::TextBox* box, std::int32_t character);
    virtual void HandleKeyDown(std::int32_t key);
    // Selects the whole text of the box.
    virtual void HandleTextBoxClick(OrvoUtility::TextBox* box);
    virtual void HandleButtonClick(OrvoUtility::Button* button) = 0;

    // 0 as made, 1 after a valid "OK", 2 after "Annulla"; other closes leave it.
    std::int32_t resultCode;
    OrvoUtility::Form* owner;  // not owned
    // The button Enter stands for; made by HandleLoad.
    OrvoUtility::Button* okButton;

    static constexpr std::int32_t resultNone = 0;
    static constexpr std::int32_t resultOk = 1;
    static constexpr std::int32_t resultCancel = 2;

protected:
    // Places the dialog 50 pixels right of and below the owner, with the given
    // client size and title, all at 96 DPI and shown at the owner's DPI; the
    // window is made later, by Open.
    EditorDialog(OrvoUtility::Form* ownerForm, const std::string& title, std::int32_t clientWidth,
                 std::int32_t clientHeight);

    // The last step of every dialog's constructor, once the dialog's own
    // fields exist: creates the window (HandleLoad builds the controls
    // meanwhile), fixes the client size and disables the owner.
    void Open();
    // Sends the window WM_CLOSE; HandleClosing and the owner's onDestroy run.
    void RequestClose();
    // The client size HandleLoad lays out for, at 96 DPI: HandleLoad places
    // every control at 96 DPI and the dialog scales the places to its own.
    SIZE LayoutSize();

    // Makes a control of the dialog, places and creates it; the dialog owns it.
    template <typename Control, typename... Arguments>
    Control* AddControl(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                        Arguments&&... arguments) {
        auto control = std::make_unique<Control>(this, std::forward<Arguments>(arguments)...);
        Control* made = control.get();
        controls.push_back(PlacedControl{std::move(control), RECT{x, y, x + w, y + h}});
        Place(controls.back());
        return made;
    }
    OrvoUtility::Label* AddLabel(const std::string& caption, std::int32_t x, std::int32_t y,
                                 std::int32_t w, std::int32_t h);
    // -1: no limit. Its characters reach the dialog.
    OrvoUtility::TextBox* AddTextBox(std::int32_t maxLength, std::int32_t x, std::int32_t y,
                                     std::int32_t w, std::int32_t h);
    // Its click reaches HandleButtonClick.
    OrvoUtility::Button* AddButton(const std::string& caption, std::int32_t x, std::int32_t y,
                                   std::int32_t w, std::int32_t h);

    // Shows the error box over the dialog and gives the box the focus back.
    void Refuse(OrvoUtility::TextBox* box, const std::string& message);
    // A control character or half a surrogate pair cannot stand in the
    // catalogue's file: such a box is refused, naming the field.
    bool CheckStorable(OrvoUtility::TextBox* box, const std::string& fieldName);

private:
    struct PlacedControl {
        std::unique_ptr<OrvoUtility::GUIElement> element;
        RECT place;  // at 96 DPI
    };

    // A measure given at 96 DPI, at the dialog's DPI.
    std::int32_t Scaled(std::int32_t value) const;
    // Gives the control its place and font at the dialog's DPI.
    void Place(PlacedControl& control);
    // Makes the fonts for the dialog's DPI.
    void MakeFonts();
    // Moved to a monitor of another DPI: takes the rectangle the system
    // suggests and places the controls anew at the new DPI.
    void HandleDpiChanged(std::int32_t newDpi, const RECT& suggested);

    std::int32_t clientWidth;
    std::int32_t clientHeight;
    std::unique_ptr<OrvoUtility::FontDescription> dialogFont;
    // The controls' font, the system font's look at the dialog's DPI; null
    // where that is the system font itself.
    std::unique_ptr<OrvoUtility::FontDescription> controlFont;
    // Declared after the fonts: the controls go first.
    std::vector<PlacedControl> controls;
};

}  // namespace MyApp
