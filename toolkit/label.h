// A static text.
#pragma once

#include <string>

#include "gui_element.h"

namespace OrvoUtility {

class Label : public Child {
public:
    Label(GUIElement* parentElement, std::string caption);

    void Create() override;

    bool border;
    // Right alignment wins over centring.
    bool rightAligned;
    bool centered;
};

}  // namespace OrvoUtility
