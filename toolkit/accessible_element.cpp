#include "accessible_element.h"

#include <ole2.h>
#include <oleacc.h>

#include <utility>

#include "library_function.h"
#include "win32_failure.h"

namespace OrvoUtility {

namespace {

// oleacc and oleaut32 are loaded when a screen reader first asks, not at
// every start: under Wine, loading them and COM took a fifth of the start-up.
struct AccessibilityLibrary {
    decltype(&CreateStdAccessibleObject) createStandard = nullptr;
    decltype(&LresultFromObject) resultFromObject = nullptr;
    decltype(&SysAllocString) allocString = nullptr;
};

const AccessibilityLibrary& Library() {
    static const AccessibilityLibrary library = [] {
        // The object handed to the client lives in this thread's apartment.
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        AccessibilityLibrary loaded;
        loaded.createStandard = LibraryFunction<decltype(&CreateStdAccessibleObject)>(
            L"oleacc.dll", "CreateStdAccessibleObject");
        loaded.resultFromObject =
            LibraryFunction<decltype(&LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
        loaded.allocString =
            LibraryFunction<decltype(&SysAllocString)>(L"oleaut32.dll", "SysAllocString");
        return loaded;
    }();
    return library;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT CopyText(const std::wstring& text, BSTR* copy) {
    if (copy == nullptr) return E_POINTER;
    *copy = Library().allocString(text.c_str());
    return *copy != nullptr ? S_OK : E_OUTOFMEMORY;
}

// The system's object for a window's client area, with the element's name,
// role and description for the window itself; everything else is the
// system's. The info is a copy: a client may keep the object after the
// element is gone, and call it from another thread.
class AccessibleElement final : public IAccessible, public IOleWindow {
public:
    AccessibleElement(IAccessible* standardObject, HWND window, AccessibleInfo elementInfo)
        : standard(standardObject), hwnd(window), info(std::move(elementInfo)) {}
    AccessibleElement(const AccessibleElement&) = delete;
    AccessibleElement& operator=(const AccessibleElement&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
        } else if (iid == __uuidof(IOleWindow)) {
            *object = static_cast<IOleWindow*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references); }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = InterlockedDecrement(&references);
        if (left == 0) delete this;
        return left;
    }

    // Clients reach the object through its own methods; late binding would
    // bypass the element's answers, so there is none.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child) || info.name.empty()) return standard->get_accName(child, name);
        return CopyText(info.name, name);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child) || info.role == 0) return standard->get_accRole(child, role);
        if (role == nullptr) return E_POINTER;
        role->vt = VT_I4;
        role->lVal = info.role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        if (!IsSelf(child) || info.description.empty()) {
            return standard->get_accDescription(child, description);
        }
        return CopyText(info.description, description);
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return standard->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return standard->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* width, LONG* height,
                                          VARIANT child) override {
        return standard->accLocation(x, y, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return standard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return standard->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard->put_accValue(child, value);
    }

    // Without it a client would take the window from the parent's object.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (window == nullptr) return E_POINTER;
        *window = hwnd;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

private:
    // Released only through Release.
    ~AccessibleElement() { standard->Release(); }

    LONG references = 1;
    IAccessible* standard;  // owned: one reference
    HWND hwnd;
    AccessibleInfo info;
};

void Notify(GUIElement& element, DWORD event) {
    if (element.hwnd != nullptr) NotifyWinEvent(event, element.hwnd, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace

LRESULT AccessibleObjectResult(HWND window, WPARAM wParam, const AccessibleInfo& info) {
    // The interface ids come from __uuidof: MinGW's oleacc library exports an
    // IID_IAccessible of its own that is no id at all.
    const AccessibilityLibrary& library = Library();
    if (library.createStandard == nullptr || library.resultFromObject == nullptr ||
        library.allocString == nullptr) {
        return 0;
    }
    IAccessible* standard = nullptr;
    if (FAILED(library.createStandard(window, OBJID_CLIENT, IID_PPV_ARGS(&standard)))) {
        RecordWin32Failure("CreateStdAccessibleObject");
        return 0;
    }
    auto* object = new AccessibleElement(standard, window, info);
    // The result holds its own reference to the object.
    LRESULT result =
        library.resultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object));
    object->Release();
    if (FAILED(static_cast<HRESULT>(result))) {
        RecordWin32Failure("LresultFromObject");
        return 0;
    }
    return result;
}

void NotifyFocus(GUIElement& element) { Notify(element, EVENT_OBJECT_FOCUS); }

void NotifySelection(GUIElement& element) { Notify(element, EVENT_OBJECT_SELECTION); }

}  // namespace OrvoUtility
