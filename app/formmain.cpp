#include "formmain.h"

#include "brush_cache.h"
#include "button.h"
#include "catalogue_file.h"
#include "dpi.h"
#include "folder_watcher.h"
#include "font_description.h"
#include "form_about.h"
#include "form_routing.h"
#include "formapp.h"
#include "formcategoria.h"
#include "formmain_shared.h"
#include "formordina.h"
#include "menu.h"
#include "panel.h"
#include "resource_ids.h"
#include "shell.h"
#include "single_instance.h"
#include "timer.h"

namespace MyApp {

using namespace MainWindowParts;

FormMain::FormMain(HINSTANCE moduleInstance, const std::string& title)
    : Form(moduleInstance),
      contextTarget(nullptr),
      measures(MeasuresAt(dpi)),
      contentWidth(640),
      contentHeight(480),
      formFont(std::make_unique<OrvoUtility::FontDescription>("Lucida Console", 14)) {
    font = formFont.get();
    MoveTo(0, 0);
    double screenWidth = GetSystemMetrics(SM_CXSCREEN);
    double screenHeight = GetSystemMetrics(SM_CYSCREEN);
    Resize(static_cast<std::int32_t>(screenWidth * 0.9),
           static_cast<std::int32_t>(0.9 * screenHeight));
    SetTextNarrow(title);
    baseTitle = title;
    minimizeBox = true;
    resizable = true;
    OrvoUtility::InstallFormRouting(*this);
    OrvoUtility::InstallInputRouting(*this);
    // Keys reach the form whichever of its windows has the focus.
    ForwardKeys(this);
    onAppMessage = [this](OrvoUtility::Form*, UINT message, WPARAM, LPARAM) {
        if (message == iconsFoundMessage) HandleIconAnswers();
        if (message == folderChangedMessage) HandleFolderChanged();
        if (message == ComeForwardMessage()) ComeForward();
    };
    onQueryEndSession = [this](OrvoUtility::Form*) { return HandleQueryEndSession(); };
    onDpiChanged = [this](OrvoUtility::Form*, std::int32_t newDpi, const RECT& suggested) {
        HandleDpiChanged(newDpi, suggested);
    };
    // HandleLoad runs inside, as the window is made.
    Create();
    SetIcon(IDI_PROGRAM);
    ApplyFont();
    HandleResize();
    TellNotices();
}

FormMain::~FormMain() {
    // Normally the window is gone by now. One that is not is destroyed without
    // the close question: the form goes either way. Its children's windows go
    // with it, before the members free the elements that stood for them.
    if (created && hwnd != nullptr && IsWindow(hwnd)) DestroyWindow(hwnd);
    created = false;
}

HBRUSH FormMain::OnControlColor(HDC dc) {
    // Left selected, not restored: the control paints its text with it.
    if (font != nullptr) {
        HFONT handle = font->GetHandle();
        if (handle != nullptr) SelectObject(dc, handle);
    }
    SetBkColor(dc, controlBackground);
    SetTextColor(dc, 0);
    return OrvoUtility::SolidBrushFor(controlBackground);
}

void FormMain::HandleLoad() {
    UseDpi(OrvoUtility::WindowDpi(hwnd));
    BuildMenus();
    LoadResult loaded = LoadCatalogue();
    catalogue = std::move(loaded.catalogue);
    catalogueFile = loaded.file;
    TellOfLoad(loaded);
    if (created) RefreshClientSize(*this);
    BuildPanel();
    resizeTimer = std::make_unique<Timer>(this, resizeDelayMs);
    resizeTimer->onTick = [this](Timer*) { HandleTimer(); };
    WatchDataFolder();
}

bool FormMain::HandleClosing() {
    // The exit is the last chance to save what a failed save left behind.
    if (!pendingChanges.empty()) SaveChanges(false);
    std::string question = "Vuoi realmente uscire?";
    if (!pendingChanges.empty()) {
        question = "Le ultime modifiche non sono state salvate.\r\n\r\n" + unsavedReason +
                   "\r\n\r\nUscendo andranno perse. Vuoi realmente uscire?";
    }
    if (!OrvoUtility::AskYesNoFor(this, question, "Uscita")) return false;
    if (resizeTimer != nullptr) resizeTimer->Stop();
    return true;
}

void FormMain::HandleResize() {
    if (hwnd != nullptr && IsWindow(hwnd)) RefreshClientSize(*this);
    if (tilePanel == nullptr) return;
    std::int32_t panelWidth = width - 2 * measures.margin;
    std::int32_t panelHeight = height - 2 * measures.margin;
    // A refresh calls this for the timer alone: a panel of the right size is
    // not resized, which would repaint every tile in view.
    RECT frame;
    if (tilePanel->created && GetWindowRect(tilePanel->hwnd, &frame) &&
        frame.right - frame.left == panelWidth && frame.bottom - frame.top == panelHeight) {
        tilePanel->width = panelWidth;
        tilePanel->height = panelHeight;
    } else {
        tilePanel->Resize(panelWidth, panelHeight);
    }
    CreateElementsInView();
    if (resizeTimer != nullptr && !resizeTimer->running) resizeTimer->Start();
}

void FormMain::HandleTimer() {
    if (timerBusy) return;
    timerBusy = true;
    UpdateScrollBars();
    if (resizeTimer->running) resizeTimer->Stop();
    // A scroll bar that went away gave the content more room.
    CreateElementsInView();
    timerBusy = false;
}

void FormMain::UpdateScrollBars() {
    RefreshClientSize(*tilePanel);
    if (tilePanel->width < contentWidth) {
        tilePanel->SetHorizontalScrollBar(true);
        tilePanel->SetHorizontalRange(contentWidth);
    } else {
        // A bar that goes takes only its own direction back to the start:
        // the view stays put in the other.
        tilePanel->ScrollToLeft();
        tilePanel->SetHorizontalScrollBar(false);
    }
    // The horizontal bar may have taken some of the height.
    RefreshClientSize(*tilePanel);
    if (tilePanel->height < contentHeight) {
        tilePanel->SetVerticalScrollBar(true);
        tilePanel->SetVerticalRange(contentHeight);
    } else {
        tilePanel->ScrollToTop();
        tilePanel->SetVerticalScrollBar(false);
    }
}

void FormMain::LayOutAgain(POINT view, const RECT* reveal) {
    tilePanel->ScrollToLeft();
    tilePanel->ScrollToTop();
    BuildColumns();
    HandleResize();
    UpdateScrollBars();
    tilePanel->ScrollTo(view.x, view.y);
    if (reveal != nullptr) ScrollIntoView(*reveal);
    CreateElementsInView();
}

void FormMain::HandleDpiChanged(std::int32_t newDpi, const RECT& suggested) {
    if (newDpi <= 0) return;
    std::int32_t oldDpi = dpi;
    UseDpi(newDpi);
    ForgetIcons();
    // The suggested rectangle keeps the window the same size to the eye.
    SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (tilePanel == nullptr || addCategoryCell == nullptr) return;
    // The extent is measured anew; the view keeps the same part of the content.
    contentWidth = OrvoUtility::ScaleForDpi(640, newDpi);
    contentHeight = OrvoUtility::ScaleForDpi(480, newDpi);
    POINT view = tilePanel->ScrollPosition();
    LayOutAgain(POINT{MulDiv(view.x, newDpi, oldDpi), MulDiv(view.y, newDpi, oldDpi)}, nullptr);
}

void FormMain::UseDpi(std::int32_t newDpi) {
    dpi = newDpi;
    measures = MeasuresAt(dpi);
    // The new fonts reach every window before the old ones are freed.
    auto newFormFont =
        std::make_unique<OrvoUtility::FontDescription>("Lucida Console", measures.formFontHeight);
    // The tiles' captions keep the look of the system font at the window's DPI.
    std::unique_ptr<OrvoUtility::FontDescription> newTileFont = OrvoUtility::SystemFontAt(dpi);
    font = newFormFont.get();
    ApplyFont();
    for (const std::unique_ptr<Button>& tile : tiles) {
        tile->font = newTileFont.get();
        tile->iconSize = measures.iconSize;
        tile->ApplyFont();
    }
    for (const auto& cell : categoryCells) cell->fontSize = measures.cellFontHeight;
    for (const auto& cell : addAppCells) cell->fontSize = measures.cellFontHeight;
    if (addCategoryCell != nullptr) addCategoryCell->fontSize = measures.cellFontHeight;
    formFont = std::move(newFormFont);
    tileFont = std::move(newTileFont);
}

}  // namespace MyApp
