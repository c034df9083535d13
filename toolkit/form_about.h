// The toolkit's ready-made information box: a logo, a title line, a second
// line, a web link and a mail link, a read-only notice and an OK button, all
// given by the opener.
#pragma once

#include <cstdint>
#include <string>

#include "modal_dialog.h"
#include "panel.h"

namespace OrvoUtility {

struct AboutContent {
    std::string boxTitle;
    // A bitmap resource, shown at its own size.
    std::int32_t logoId = 0;
    std::int32_t logoWidth = 0;
    std::int32_t logoHeight = 0;
    std::string titleText;
    std::string secondText;
    std::string noticeText;
    // A full URL, and the address the mail link writes to.
    std::string webAddress;
    std::string mailAddress;
    std::string okCaption;
};

class FormAbout : public ModalDialog {
public:
    // Opens at once, centred on the screen, over the owner, which stays
    // disabled until the box closes.
    FormAbout(Form* ownerForm, AboutContent content);

    void HandleLoad() override;
    virtual void HandleLinkClick(GUIElement* element, std::int32_t x, std::int32_t y);

    // At 96 DPI; the box shows at its owner's.
    static constexpr std::int32_t clientWidth = 600;
    static constexpr std::int32_t clientHeight = 300;

private:
    // A blue underlined link showing `address`, its click going to HandleLinkClick.
    CellControl* AddLink(const std::string& address, std::int32_t x, std::int32_t font);

    AboutContent content;
    CellControl* webLink = nullptr;
    CellControl* mailLink = nullptr;
};

}  // namespace OrvoUtility
