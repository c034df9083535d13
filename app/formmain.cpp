#include "formmain.h"

// windows.h comes first: shellapi.h builds on it.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <algorithm>

#include "button.h"
#include "catalogue_file.h"
#include "font_description.h"
#include "panel.h"
#include "resource_ids.h"
#include "shell.h"
#include "text.h"
#include "text_box.h"
#include "timer.h"

namespace MyApp {

using OrvoUtility::Button;
using OrvoUtility::CellControl;
using OrvoUtility::Child;
using OrvoUtility::GUIElement;
using OrvoUtility::PanelChildren;
using OrvoUtility::TextBox;
using OrvoUtility::Timer;

FormMain* theMainForm = nullptr;
bool timerBusy = false;

namespace {

constexpr COLORREF controlBackground = 0xDCDCDC;
constexpr COLORREF panelBackground = 0xC0C0C0;
constexpr COLORREF headerBackground = 0x2A2AA5;
constexpr COLORREF headerText = 0xFFFFFF;
constexpr COLORREF addCellText = 0xFF0000;
constexpr std::int32_t resizeDelayMs = 500;

// The layout: columns 160 wide and 180 apart, tiles 40 high and 50 apart.
constexpr std::int32_t margin = 10;
constexpr std::int32_t columnStep = 180;
constexpr std::int32_t rowStep = 50;
constexpr std::int32_t cellWidth = 160;
constexpr std::int32_t cellHeight = 40;
constexpr std::int32_t headerHeight = 25;

// The form that owns an event: the sender itself or the nearest parent that is
// a main form.
FormMain* OwningMainForm(GUIElement* element) {
    for (GUIElement* current = element; current != nullptr; current = current->parent) {
        FormMain* form = dynamic_cast<FormMain*>(current);
        if (form != nullptr) return form;
    }
    return nullptr;
}

void RouteLoad(GUIElement* element, HWND) {
    FormMain* form = dynamic_cast<FormMain*>(element);
    if (form != nullptr) form->HandleLoad();
}

bool RouteClosing(GUIElement* element) {
    FormMain* form = dynamic_cast<FormMain*>(element);
    return form == nullptr || form->HandleClosing();
}

void RouteResize(GUIElement* element) {
    FormMain* form = dynamic_cast<FormMain*>(element);
    if (form != nullptr) form->HandleResize();
}

bool RouteChar(GUIElement* element, std::int32_t character) {
    TextBox* box = dynamic_cast<TextBox*>(element);
    if (box != nullptr) {
        FormMain* form = OwningMainForm(box);
        return form == nullptr || form->HandleTextBoxChar(box, character);
    }
    FormMain* form = dynamic_cast<FormMain*>(element);
    return form == nullptr || form->HandleChar(character);
}

std::int32_t RouteKeyDown(GUIElement* element, std::int32_t key) {
    FormMain* form = dynamic_cast<FormMain*>(element);
    if (form != nullptr) form->HandleKeyDown(key);
    return 0;
}

std::int32_t RouteKeyUp(GUIElement* element, std::int32_t key) {
    FormMain* form = dynamic_cast<FormMain*>(element);
    if (form != nullptr) form->HandleKeyUp(key);
    return 0;
}

std::int32_t RouteLeftUp(GUIElement* element, HWND, std::int32_t x, std::int32_t y) {
    TextBox* box = dynamic_cast<TextBox*>(element);
    if (box != nullptr) {
        FormMain* form = dynamic_cast<FormMain*>(box->parent);
        if (form != nullptr) form->HandleTextBoxClick(box);
        return 0;
    }
    FormMain* form = dynamic_cast<FormMain*>(element);
    if (form != nullptr) form->HandleMouseUp(x, y);
    return 0;
}

std::int32_t RouteLeftDown(GUIElement* element, HWND, std::int32_t x, std::int32_t y) {
    Child* child = dynamic_cast<Child*>(element);
    if (child != nullptr) {
        FormMain* form = OwningMainForm(child);
        if (form != nullptr) form->HandleChildMouseDown(child);
        return 0;
    }
    FormMain* form = dynamic_cast<FormMain*>(element);
    if (form != nullptr) form->HandleMouseDown(x, y);
    return 0;
}

std::int32_t RouteRightUp(GUIElement* element, HWND, std::int32_t x, std::int32_t y) {
    Child* child = dynamic_cast<Child*>(element);
    if (child != nullptr) {
        FormMain* form = OwningMainForm(child);
        if (form != nullptr) form->HandleChildRightUp(child, x, y);
        return 0;
    }
    FormMain* form = dynamic_cast<FormMain*>(element);
    if (form != nullptr) form->HandleRightUp(x, y);
    return 0;
}

void RouteTileClick(GUIElement* element) {
    FormMain* form = OwningMainForm(element->parent);
    if (form != nullptr) form->HandleTileClick(element);
}

void RouteTimer(Timer* timer) {
    FormMain* form = dynamic_cast<FormMain*>(timer->parent);
    if (form != nullptr) form->HandleTimer();
}

// Loaded unshared, so that the form owns it and may destroy it.
HICON LoadResourceIcon(int resourceId) {
    HICON icon = static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    if (icon == nullptr) GetLastError();
    return icon;
}

// The panel's size without its border and scroll bars.
void RefreshClientSize(GUIElement& element) {
    RECT client;
    if (element.hwnd == nullptr || !GetClientRect(element.hwnd, &client)) return;
    element.width = client.right - client.left;
    element.height = client.bottom - client.top;
}

}  // namespace

FormMain::FormMain(HINSTANCE moduleInstance, const std::string& title)
    : Form(moduleInstance),
      controlBrush(nullptr),
      contextTarget(nullptr),
      tilePanel(nullptr),
      contentWidth(640),
      contentHeight(480),
      addCategoryCell(nullptr),
      programIcon(nullptr),
      webIcon(nullptr),
      resizeTimer(nullptr) {
    // The form owns the description its `font` points to.
    font = new OrvoUtility::FontDescription("Lucida Console", 14);
    MoveTo(0, 0);
    double screenWidth = GetSystemMetrics(SM_CXSCREEN);
    double screenHeight = GetSystemMetrics(SM_CYSCREEN);
    Resize(static_cast<std::int32_t>(screenWidth * 0.9),
           static_cast<std::int32_t>(0.9 * screenHeight));
    SetTextNarrow(title);
    minimizeBox = true;
    resizable = true;
    onCreate = RouteLoad;
    onClose = RouteClosing;
    onSize = RouteResize;
    onChar = RouteChar;
    onKeyDown = RouteKeyDown;
    onKeyUp = RouteKeyUp;
    onLeftUp = RouteLeftUp;
    onLeftDown = RouteLeftDown;
    // HandleLoad runs inside, as the window is made.
    Create();
    SetIcon(IDI_PROGRAM);
    ApplyFont();
    HandleResize();
    if (theMainForm == nullptr) theMainForm = this;
}

FormMain::~FormMain() {
    // Normally the window is gone by now. One that is not is destroyed without
    // the close question: the form goes either way.
    if (created && hwnd != nullptr && IsWindow(hwnd)) DestroyWindow(hwnd);
    created = false;

    delete font;
    font = nullptr;
    if (controlBrush != nullptr) DeleteObject(controlBrush);
    controlBrush = nullptr;

    delete tilePanel;
    tilePanel = nullptr;
    delete addCategoryCell;
    addCategoryCell = nullptr;
    for (CellControl* cell : addAppCells) delete cell;
    for (CellControl* cell : categoryCells) delete cell;
    for (Button* tile : tiles) delete tile;
    addAppCells.clear();
    categoryCells.clear();
    tiles.clear();

    if (resizeTimer != nullptr) resizeTimer->Stop();
    delete resizeTimer;
    resizeTimer = nullptr;

    for (const auto& cached : iconCache) DestroyIcon(cached.second);
    if (programIcon != nullptr) DestroyIcon(programIcon);
    if (webIcon != nullptr) DestroyIcon(webIcon);
    iconCache.clear();

    if (theMainForm == this) theMainForm = nullptr;
}

HBRUSH FormMain::OnControlColor(HDC dc) {
    if (controlBrush != nullptr) DeleteObject(controlBrush);
    if (font != nullptr) {
        HFONT handle = font->GetHandle();
        if (handle != nullptr) SelectObject(dc, handle);
    }
    SetBkColor(dc, controlBackground);
    controlBrush = CreateSolidBrush(controlBackground);
    SetTextColor(dc, 0);
    return controlBrush;
}

void FormMain::HandleLoad() {
    catalogue = LoadCatalogue();
    if (created) RefreshClientSize(*this);
    BuildPanel();
    resizeTimer = new Timer(this, resizeDelayMs);
    resizeTimer->onTick = RouteTimer;
}

bool FormMain::HandleClosing() {
    if (!OrvoUtility::AskYesNo("Vuoi realmente uscire?", "Uscita")) return false;
    if (resizeTimer != nullptr) resizeTimer->Stop();
    return true;
}

void FormMain::HandleDialogClosed(OrvoUtility::Form*) {}

void FormMain::HandleResize() {
    if (hwnd != nullptr && IsWindow(hwnd)) RefreshClientSize(*this);
    if (tilePanel == nullptr) return;
    tilePanel->Resize(width - 2 * margin, height - 2 * margin);
    if (resizeTimer != nullptr && !resizeTimer->running) resizeTimer->Start();
}

void FormMain::HandleTimer() {
    if (timerBusy) return;
    timerBusy = true;
    RefreshClientSize(*tilePanel);
    if (tilePanel->width < contentWidth) {
        tilePanel->SetHorizontalScrollBar(true);
        tilePanel->SetHorizontalRange(contentWidth);
    } else {
        tilePanel->ScrollToLeft();
        tilePanel->ScrollToTop();
        tilePanel->SetHorizontalScrollBar(false);
    }
    // The horizontal bar may have taken some of the height.
    RefreshClientSize(*tilePanel);
    if (tilePanel->height < contentHeight) {
        tilePanel->SetVerticalScrollBar(true);
        tilePanel->SetVerticalRange(contentHeight);
    } else {
        tilePanel->ScrollToLeft();
        tilePanel->ScrollToTop();
        tilePanel->SetVerticalScrollBar(false);
    }
    if (resizeTimer->running) resizeTimer->Stop();
    timerBusy = false;
}

bool FormMain::HandleChar(std::int32_t) { return true; }

bool FormMain::HandleTextBoxChar(TextBox*, std::int32_t character) {
    return character != VK_TAB && character != VK_RETURN;
}

void FormMain::HandleKeyDown(std::int32_t) {}

void FormMain::HandleKeyUp(std::int32_t) {}

void FormMain::HandleMenuCommand(GUIElement*) {}

void FormMain::HandleCancelKey(GUIElement*, std::int32_t key) {
    if (key == VK_ESCAPE && hwnd != nullptr) SendMessageW(hwnd, WM_CLOSE, 0, 0);
}

void FormMain::HandleMouseUp(std::int32_t, std::int32_t) {}

void FormMain::HandleMouseDown(std::int32_t, std::int32_t) {}

void FormMain::HandleChildMouseDown(Child*) {}

void FormMain::HandleRightUp(std::int32_t, std::int32_t) {}

void FormMain::HandleChildRightUp(Child*, std::int32_t, std::int32_t) {}

void FormMain::Reserved17(std::int32_t) {}

void FormMain::HandleTextBoxClick(TextBox* box) {
    if (box->created && box->hwnd != nullptr) SendMessageW(box->hwnd, EM_SETSEL, 0, -1);
}

void FormMain::HandleTileClick(GUIElement*) {}

void FormMain::Reserved20(std::int32_t, std::int32_t) {}

void FormMain::Reserved21(std::int32_t, std::int32_t) {}

void FormMain::BuildPanel() {
    tilePanel = new PanelChildren(this);
    tilePanel->left = margin;
    tilePanel->top = margin;
    tilePanel->width = width - 2 * margin;
    tilePanel->height = height - 2 * margin;
    tilePanel->border = true;
    tilePanel->thinBorder = false;
    tilePanel->SetBackColor(panelBackground);
    tilePanel->childBackColor = controlBackground;
    tilePanel->childTextColor = 0;
    tilePanel->Create();

    addCategoryCell = new CellControl(tilePanel);
    addCategoryCell->width = cellWidth;
    addCategoryCell->height = cellHeight;
    addCategoryCell->SetTextNarrow("+ aggiungi categoria");
    addCategoryCell->SetHandCursor(true);
    addCategoryCell->onLeftDown = RouteLeftDown;
    addCategoryCell->textColor = addCellText;
    addCategoryCell->left =
        margin + columnStep * static_cast<std::int32_t>(catalogue.categories.size());
    addCategoryCell->top = margin;
    addCategoryCell->SetBackColor(tilePanel->backColor);
    addCategoryCell->Create();

    BuildColumns();
}

void FormMain::BuildColumns() {
    std::int32_t maxBottom = 0;
    std::int32_t column = 0;
    for (Categoria& category : catalogue.categories) {
        std::int32_t x = margin + columnStep * column;
        std::int32_t y = margin;
        if (category.cell == nullptr) {
            CellControl* header = new CellControl(tilePanel);
            header->width = cellWidth;
            header->height = headerHeight;
            header->tag = Common::FormatInt64(category.id);
            header->textColor = headerText;
            header->SetBackColor(headerBackground);
            header->onRightUp = RouteRightUp;
            header->Create();
            category.cell = header;
            categoryCells.push_back(header);

            CellControl* addCell = new CellControl(tilePanel);
            addCell->width = cellWidth;
            addCell->height = cellHeight;
            addCell->SetTextNarrow("+ aggiungi App");
            addCell->SetHandCursor(true);
            addCell->onLeftDown = RouteLeftDown;
            addCell->textColor = addCellText;
            addCell->tag = "APP;" + Common::FormatInt64(category.id);
            addCell->SetBackColor(tilePanel->backColor);
            addCell->Create();
            category.addCell = addCell;
            addAppCells.push_back(addCell);
        }
        category.cell->MoveTo(x, margin);
        category.cell->SetTextNarrow(category.name);

        for (App& app : category.apps) {
            y += rowStep;
            if (app.tile == nullptr) {
                Button* tile = new Button(tilePanel, app.description);
                tile->ownerDrawn = true;
                tile->width = cellWidth;
                tile->height = cellHeight;
                tile->onCommand = RouteTileClick;
                tile->onRightUp = RouteRightUp;
                tile->SetHandCursor(true);
                tile->tag = AppKey(app.categoryId, app.id);
                HICON icon = IconFor(app.pathname);
                if (icon != nullptr) tile->enabledIcon = icon;
                tile->Create();
                app.tile = tile;
                tiles.push_back(tile);
            }
            Button* tile = static_cast<Button*>(app.tile);
            HICON icon = IconFor(app.pathname);
            if (icon != nullptr) tile->enabledIcon = icon;
            tile->SetTextNarrow(app.description);
            tile->MoveTo(x, y);
        }
        category.addCell->MoveTo(x, y + rowStep);
        maxBottom = std::max(maxBottom, y + 2 * rowStep);
        ++column;
    }

    addCategoryCell->MoveTo(margin + columnStep * column, margin);
    POINT corner = addCategoryCell->GetPosition();
    std::int32_t addWidth = addCategoryCell->width;
    RECT frame;
    if (addCategoryCell->created && GetWindowRect(addCategoryCell->hwnd, &frame)) {
        addWidth = frame.right - frame.left;
    }
    contentWidth = std::max<std::int32_t>(contentWidth, corner.x + addWidth + margin);
    contentHeight = std::max(contentHeight, maxBottom);
}

HICON FormMain::IconFor(const std::string& pathname) {
    for (const auto& cached : iconCache) {
        if (cached.first == pathname) return cached.second;
    }
    HICON extracted = ExtractIconW(instance, Common::NarrowToWide(pathname).c_str(), 0);
    // The value 1 is no icon but the shell's answer for a file that holds none.
    if (reinterpret_cast<UINT_PTR>(extracted) > 1) {
        iconCache.emplace_back(pathname, extracted);
        return extracted;
    }
    if (webIcon == nullptr) webIcon = LoadResourceIcon(IDI_WEB_TILE);
    if (programIcon == nullptr) programIcon = LoadResourceIcon(IDI_PROGRAM_TILE);
    return Common::ToLower(pathname).compare(0, 4, "http") == 0 ? webIcon : programIcon;
}

void FormMain::RefreshAndSave() {
    tilePanel->ScrollToLeft();
    tilePanel->ScrollToTop();
    BuildColumns();
    HandleResize();
    SaveCatalogue(catalogue);
}

}  // namespace MyApp
