// Owning and scoped handles for short-lived GDI work: an object is deleted and
// a selection restored when its holder goes out of scope, so no early return
// can leak one. None of them can be copied, so nothing is freed twice. Also
// the owning holder of an icon, which has a release call of its own.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace OrvoUtility {

// Icons the holder owns (loaded unshared or extracted) go with DestroyIcon.
struct IconDestroyer {
    void operator()(HICON icon) const {
        if (icon != nullptr) DestroyIcon(icon);
    }
};
using OwnedIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

// A GDI object (pen, brush, bitmap, font) made here and deleted with DeleteObject.
template <typename Handle>
class ScopedGdiObject {
public:
    explicit ScopedGdiObject(Handle made) : handle(made) {}
    ~ScopedGdiObject() {
        if (handle != nullptr) DeleteObject(handle);
    }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;

    Handle Get() const { return handle; }

private:
    Handle handle;
};

// A memory device context compatible with another, deleted with DeleteDC.
class ScopedMemoryDC {
public:
    explicit ScopedMemoryDC(HDC compatibleWith) : dc(CreateCompatibleDC(compatibleWith)) {}
    ~ScopedMemoryDC() {
        if (dc != nullptr) DeleteDC(dc);
    }
    ScopedMemoryDC(const ScopedMemoryDC&) = delete;
    ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;

    HDC Get() const { return dc; }

private:
    HDC dc;
};

// Selects an object into a context and selects the previous one back at the
// end of the scope. A null context or object selects nothing.
class ScopedSelection {
public:
    ScopedSelection(HDC context, HGDIOBJ object)
        : dc(context),
          previous(context != nullptr && object != nullptr ? SelectObject(context, object)
                                                           : nullptr) {}
    ~ScopedSelection() {
        if (previous != nullptr) SelectObject(dc, previous);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

    // What the context held before: the current font, say, read through a stand-in.
    HGDIOBJ Previous() const { return previous; }

private:
    HDC dc;
    HGDIOBJ previous;
};

}  // namespace OrvoUtility
