// A static text.
#pragma once

#include <string>

#include "gui_element.h"
#include "text_alignment.h"

namespace OrvoUtility {

class Label : public Child {
public:
    Label(GUIElement* parentElement, std::string caption);

    void Create() override;

    bool border;
    TextAlignment alignment;
};

}  // namespace OrvoUtility
