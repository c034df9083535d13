// A dialog over an owner form, which waits disabled until the dialog ends.
// Its controls are given their places at 96 DPI and follow the dialog to any
// other DPI; each button runs a handler of its own; Enter stands for the OK
// button, and Esc and the close box for the cancel button.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "button.h"
#include "font_description.h"
#include "form.h"
#include "label.h"

namespace OrvoUtility {

// A font of the dialog, given at 96 DPI.
struct DialogFont {
    std::string faceName;
    std::int32_t height;
    bool bold = false;
    bool underline = false;
};

class ModalDialog : public Form {
public:
    ~ModalDialog() override;

    // The window's events, in this order; HandleLoad makes the controls.
    virtual void HandleLoad() = 0;
    // Gives the owner back; the close always goes ahead.
    virtual bool HandleClosing();
    virtual void HandleResize();
    // Esc cancels and Enter acts as the OK button; both are swallowed.
    virtual bool HandleChar(std::int32_t character);
    virtual void HandleKeyDown(std::int32_t key);
    // Runs the button's own handler.
    virtual void HandleButtonClick(Button* button);

    // The font index that stands for the controls' usual font: the system
    // font's look at the dialog's DPI.
    static constexpr std::int32_t controlFont = -1;

protected:
    // Over the owner and at its DPI, the client area given at 96 DPI; the
    // window is made later, by Open.
    ModalDialog(Form* ownerForm, const std::string& title, std::int32_t clientWidth,
                std::int32_t clientHeight);

    // The last step of every dialog's constructor, once its own fields
    // exist: creates the window (HandleLoad makes the controls meanwhile),
    // fixes the client size and disables the owner.
    void Open();
    // Closes the window; HandleClosing gives the owner back.
    void End();
    // Ends the dialog, then hands its result to the owner, which is enabled
    // again by then: whatever the owner shows next is the user's to answer.
    void EndWith(const std::function<void()>& handOver);
    // The client size HandleLoad lays out for, at 96 DPI: Open gives the
    // window that size as soon as HandleLoad is done.
    SIZE LayoutSize() const;
    std::int32_t Scaled(std::int32_t value) const;

    // A font for controls of the dialog and its index; `form` makes it the
    // dialog's own font too.
    std::int32_t AddFont(DialogFont description, bool form = false);

    // Makes a control in `parent` (the dialog when null) and places it; the
    // caller sets it up and creates it. The dialog owns it. `keepSize` leaves its size at 96 DPI,
    // for a picture that must not be stretched.
    template <typename Control, typename... Arguments>
    Control* AddControlIn(GUIElement* parent, RECT place, std::int32_t font, bool keepSize,
                          Arguments&&... arguments) {
        auto control = std::make_unique<Control>(parent != nullptr ? parent : this,
                                                 std::forward<Arguments>(arguments)...);
        Control* made = control.get();
        // Screen readers name the control after a label by it, as Windows
        // names a text box; Wine's list box would otherwise have no name.
        if (!labelForNext.empty())
            made->accessibleInfo = AccessibleInfo{labelForNext, 0, std::wstring()};
        labelForNext.clear();
        controls.push_back(PlacedControl{std::move(control), place, font, keepSize});
        Place(controls.back());
        return made;
    }
    template <typename Control, typename... Arguments>
    Control* AddControl(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                        Arguments&&... arguments) {
        return AddControlIn<Control>(nullptr, RECT{x, y, x + w, y + h}, controlFont, false,
                                     std::forward<Arguments>(arguments)...);
    }
    Label* AddLabel(const std::string& caption, std::int32_t x, std::int32_t y, std::int32_t w,
                    std::int32_t h);
    // A button whose click runs `onClick`.
    Button* AddButton(const std::string& caption, RECT place, std::function<void()> onClick);
    // The OK button, which runs `onOk` for a click and for Enter.
    Button* AddOkButton(const std::string& caption, RECT place, std::function<void()> onOk);
    // OK and cancel side by side in the bottom right corner; cancel ends the dialog.
    void AddAnswerButtons(const std::string& okCaption, const std::string& cancelCaption,
                          std::function<void()> onOk);

    Form* owner;  // not owned

private:
    struct PlacedControl {
        std::unique_ptr<GUIElement> element;
        RECT place;  // at 96 DPI
        std::int32_t font;
        bool keepSize;
    };
    struct Handled {
        Button* button;
        std::function<void()> onClick;
    };

    // Gives the control its place and font at the dialog's DPI.
    void Place(PlacedControl& control);
    FontDescription* FontAt(std::int32_t index) const;
    std::unique_ptr<FontDescription> MakeFont(const DialogFont& description) const;
    // Makes every font anew at the dialog's DPI.
    void MakeFonts();
    // Moved to a monitor of another DPI: takes the rectangle the system
    // suggests and places the controls anew.
    void HandleDpiChanged(std::int32_t newDpi, const RECT& suggested);

    std::int32_t clientWidth;
    std::int32_t clientHeight;
    std::vector<DialogFont> fontDescriptions;
    std::int32_t formFont = controlFont;
    std::vector<std::unique_ptr<FontDescription>> fonts;
    // Null where the system font itself is the controls' font.
    std::unique_ptr<FontDescription> systemLookFont;
    std::vector<Handled> handlers;
    Button* okButton = nullptr;
    // Declared after the fonts: the controls go first.
    std::vector<PlacedControl> controls;
    // The text of the label just added, for the control that follows it.
    std::wstring labelForNext;
};

}  // namespace OrvoUtility
