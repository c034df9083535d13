#include "accessible_query.h"

namespace ZelmivoTest {

std::wstring Heard(HWND window) {
    IAccessible* object = nullptr;
    if (AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_PPV_ARGS(&object)) != S_OK) return L"";
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr, description = nullptr;
    VARIANT role{};
    object->get_accName(self, &name);
    object->get_accDescription(self, &description);
    object->get_accRole(self, &role);
    std::wstring heard = std::wstring(name != nullptr ? name : L"") + L"|" +
                         std::to_wstring(role.lVal) + L"|" +
                         (description != nullptr ? description : L"");
    SysFreeString(name);
    SysFreeString(description);
    object->Release();
    return heard;
}

}  // namespace ZelmivoTest
