#include "button.h"

#include <cstdlib>
#include <utility>

#include "control_window.h"
#include "drawing.h"
#include "scoped_gdi.h"
#include "text.h"

namespace OrvoUtility {

namespace {

constexpr COLORREF disabledTextColor = 0x969696;
constexpr COLORREF disabledFrameColor = 0x696969;
// At the usual icon size of 32; scaled with the button's iconSize.
constexpr std::int32_t usualIconSize = 32;
constexpr std::int32_t imageMargin = 5;
constexpr std::int32_t captionGap = 8;
constexpr std::int32_t selectedFrameWidth = 3;

// The height of the font currently selected into the context, read from its
// LOGFONT: selecting a stand-in font hands the current one back.
LONG SelectedFontHeight(HDC dc) {
    ScopedGdiObject<HFONT> probe(
        CreateFontW(0, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"System"));
    if (probe.Get() == nullptr) return 0;
    LOGFONTW description{};
    {
        ScopedSelection standIn(dc, probe.Get());
        if (standIn.Previous() != nullptr) {
            GetObjectW(standIn.Previous(), sizeof(LOGFONTW), &description);
        }
    }
    // A negative height gives the character height; its size is what matters here.
    return std::labs(description.lfHeight);
}

}  // namespace

Button::Button(GUIElement* parentElement, std::string caption)
    : Child(parentElement),
      ownerDrawn(false),
      selected(false),
      enabledBitmap(nullptr),
      disabledBitmap(nullptr),
      enabledIcon(nullptr),
      disabledIcon(nullptr),
      iconSize(usualIconSize) {
    text = Common::NarrowToWide(caption);
    width = 80;
    height = 30;
}

void Button::Create() {
    if (created) return;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    if (ownerDrawn) style |= BS_OWNERDRAW;
    if (!enabled) style |= WS_DISABLED;
    CreateControlWindow(*this, L"Button", style, 0);
    SubclassWindow();
    created = true;
    FinishControlWindow(*this);
}

void Button::OnControlCommand(WORD) {
    if (onCommand != nullptr) onCommand(this);
}

bool Button::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_BUTTON) return false;
    DrawItem(item);
    return true;
}

std::int32_t Button::DrawImage(Drawing& drawing, RECT item, bool) {
    HBITMAP bitmap = enabled ? enabledBitmap : disabledBitmap;
    if (bitmap != nullptr) {
        BITMAP size{};
        GetObjectW(bitmap, sizeof(BITMAP), &size);
        drawing.DrawTransparentBitmap(item.left + imageMargin,
                                      (item.bottom - item.top - size.bmHeight) / 2, 0, 0, bitmap);
        return item.left + size.bmWidth + 8;
    }
    HICON icon = enabled ? enabledIcon : disabledIcon;
    if (icon == nullptr) return 0;
    if (drawing.dc != nullptr) {
        DrawIconEx(drawing.dc, item.left + Scaled(imageMargin),
                   (item.bottom - item.top - iconSize) / 2, icon, iconSize, iconSize, 0, nullptr,
                   DI_NORMAL | DI_COMPAT);
    }
    return item.left + iconSize + Scaled(captionGap);
}

std::int32_t Button::Scaled(std::int32_t usual) const {
    return MulDiv(usual, iconSize, usualIconSize);
}

void Button::DrawItem(const DRAWITEMSTRUCT& item) {
    Drawing drawing(this);
    drawing.AttachDeviceContext(item.hDC);
    RECT box = item.rcItem;
    std::int32_t boxWidth = box.right - box.left;
    std::int32_t boxHeight = box.bottom - box.top;

    COLORREF textColor = GetTextColor(item.hDC);
    std::int32_t offset = (boxHeight - SelectedFontHeight(item.hDC)) / 2;
    if (offset < 0) offset = 0;

    COLORREF backColor = GetBkColor(item.hDC);
    bool disabled = (item.itemState & ODS_DISABLED) != 0;
    if (selected && !disabled) std::swap(textColor, backColor);
    drawing.FillRectangle(box.left, box.top, boxWidth, boxHeight, backColor);
    COLORREF frameColor = textColor;
    if (disabled) {
        textColor = disabledTextColor;
        frameColor = disabledFrameColor;
    } else if ((item.itemState & ODS_SELECTED) != 0) {
        frameColor = 0xFFFFFF - textColor;
    }
    std::int32_t frames = selected && !disabled ? Scaled(selectedFrameWidth) : 1;
    for (std::int32_t inset = 0; inset < frames; ++inset) {
        drawing.FrameRectangle(box.left + inset, box.top + inset, boxWidth - 2 * inset,
                               boxHeight - 2 * inset, frameColor);
    }

    std::int32_t start = DrawImage(drawing, box, (item.itemState & ODS_SELECTED) != 0);
    drawing.DrawTextNarrow(box.left + start, box.top + offset, boxWidth - start, boxHeight,
                           GetTextNarrow(), textColor, nullptr,
                           start > 0 ? TextAlignment::Left : TextAlignment::Center);

    if ((item.itemState & ODS_FOCUS) != 0) {
        RECT focus{box.left + 3, box.top + 3, box.right - 3, box.bottom - 3};
        DrawFocusRect(item.hDC, &focus);
    }
}

}  // namespace OrvoUtility
