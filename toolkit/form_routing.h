// Binds a form's own window events to its operations of the same name. Every
// form class of the program installs them on itself.
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui_element.h"

namespace OrvoUtility {

// Installs the five forwarders on the form itself.
template <class FormType>
void InstallFormRouting(FormType& form) {
    form.onCreate = [&form](GUIElement*, HWND) { form.HandleLoad(); };
    form.onClose = [&form](GUIElement*) { return form.HandleClosing(); };
    form.onSize = [&form](GUIElement*) { form.HandleResize(); };
    form.onKeyDown = [&form](GUIElement*, std::int32_t key) {
        form.HandleKeyDown(key);
        return 0;
    };
    form.onKeyUp = [&form](GUIElement*, std::int32_t key) {
        form.HandleKeyUp(key);
        return 0;
    };
}

// Installs the forwarders of the form's own typing and left clicks, for the
// forms that have HandleChar, HandleMouseUp and HandleMouseDown.
template <class FormType>
void InstallInputRouting(FormType& form) {
    form.onChar = [&form](GUIElement*, std::int32_t character) {
        return form.HandleChar(character);
    };
    form.onLeftUp = [&form](GUIElement*, HWND, std::int32_t x, std::int32_t y) {
        form.HandleMouseUp(x, y);
        return 0;
    };
    form.onLeftDown = [&form](GUIElement*, HWND, std::int32_t x, std::int32_t y) {
        form.HandleMouseDown(x, y);
        return 0;
    };
}

}  // namespace OrvoUtility
