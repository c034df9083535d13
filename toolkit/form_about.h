// The toolkit's ready-made information box: a logo, a title line, a second
// line, a web link and a mail link, a read-only notice and an
// "OK" button. The opener supplies the logo and the texts before Create.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "button.h"
#include "font_description.h"
#include "form.h"
#include "image.h"
#include "label.h"
#include "panel.h"
#include "text_box.h"

namespace OrvoUtility {

class FormAbout : public Form {
public:
    // Disables the owner at once; the opener sets the inputs, then creates and
    // shows the box.
    explicit FormAbout(Form* ownerForm);
    ~FormAbout() override;

    // Also fixes the client area, which the layout is made for.
    void Create() override;
    void OnShow() override;

    virtual void HandleLoad();
    virtual bool HandleClosing();
    virtual void HandleResize();
    // Enter and Esc close the box and are swallowed.
    virtual bool HandleChar(std::int32_t character);
    virtual void HandleKeyDown(std::int32_t key);
    virtual void HandleButtonClick(GUIElement* element);
    virtual void HandleLinkClick(GUIElement* element, std::int32_t x, std::int32_t y);

    // At 96 DPI; the box shows at its owner's.
    static constexpr std::int32_t clientWidth = 600;
    static constexpr std::int32_t clientHeight = 300;

    Form* owner;  // not owned
    FontDescription titleFont;
    FontDescription linkFont;
    std::unique_ptr<Image> logo;
    std::unique_ptr<Label> titleLabel;
    std::unique_ptr<Label> secondLabel;
    std::unique_ptr<PanelChildren> logoPanel;
    std::unique_ptr<TextBox> noticeBox;
    std::unique_ptr<Button> okButton;
    std::unique_ptr<CellControl> webLink;
    std::unique_ptr<CellControl> mailLink;
    // Inputs.
    std::int32_t logoId;
    std::int32_t logoWidth;
    std::int32_t logoHeight;
    std::string titleText;
    std::string secondText;
    std::string noticeText;
    // A full URL, and the address the mail link writes to.
    std::string webAddress;
    std::string mailAddress;

private:
    // The handler that hands a part's keys to the box.
    CharHandler Keys();
    // A blue underlined link showing `address`, its click going to HandleLinkClick.
    std::unique_ptr<CellControl> MakeLink(const std::string& address, std::int32_t x);

    // The box's own font (the form and the second line); `font` points here.
    FontDescription boxFont;
    // The notice's and the button's: the system font's look at the box's DPI,
    // null where that is the system font itself.
    std::unique_ptr<FontDescription> controlFont;
};

}  // namespace OrvoUtility
