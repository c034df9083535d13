// Binds a form's own window events to its operations of the same name. Every
// form class of the program installs them on itself.
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui_element.h"

namespace OrvoUtility {

// Installs the four forwarders on the form itself.
template <class FormType>
void InstallFormRouting(FormType& form) {
    form.onCreate = [&form](GUIElement*, HWND) { form.HandleLoad(); };
    form.onClose = [&form](GUIElement*) { return form.HandleClosing(); };
    form.onSize = [&form](GUIElement*) { form.HandleResize(); };
    form.onKeyDown = [&form](GUIElement*, std::int32_t key) {
        form.HandleKeyDown(key);
        return 0;
    };
}

// Installs the forwarder of the form's own typing, for the forms that have
// HandleChar.
template <class FormType>
void InstallInputRouting(FormType& form) {
    form.onChar = [&form](GUIElement*, std::int32_t character) {
        return form.HandleChar(character);
    };
}

}  // namespace OrvoUtility
