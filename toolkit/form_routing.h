// Handler functions that forward a form's own window events to the form's
// operations of the same name. Every form class of the program installs them
// on itself; the form is found from the sender with a run-time type check, so
// a handler on another element does nothing.
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui_element.h"

namespace OrvoUtility {

template <class FormType>
void RouteLoad(GUIElement* element, HWND) {
    FormType* form = FindOwningForm<FormType>(element);
    if (form != nullptr) form->HandleLoad();
}

template <class FormType>
bool RouteClosing(GUIElement* element) {
    FormType* form = FindOwningForm<FormType>(element);
    return form == nullptr || form->HandleClosing();
}

template <class FormType>
void RouteResize(GUIElement* element) {
    FormType* form = FindOwningForm<FormType>(element);
    if (form != nullptr) form->HandleResize();
}

template <class FormType>
std::int32_t RouteKeyDown(GUIElement* element, std::int32_t key) {
    FormType* form = FindOwningForm<FormType>(element);
    if (form != nullptr) form->HandleKeyDown(key);
    return 0;
}

template <class FormType>
std::int32_t RouteKeyUp(GUIElement* element, std::int32_t key) {
    FormType* form = FindOwningForm<FormType>(element);
    if (form != nullptr) form->HandleKeyUp(key);
    return 0;
}

// Installs the five forwarders on the form itself.
template <class FormType>
void InstallFormRouting(FormType& form) {
    form.onCreate = RouteLoad<FormType>;
    form.onClose = RouteClosing<FormType>;
    form.onSize = RouteResize<FormType>;
    form.onKeyDown = RouteKeyDown<FormType>;
    form.onKeyUp = RouteKeyUp<FormType>;
}

}  // namespace OrvoUtility
