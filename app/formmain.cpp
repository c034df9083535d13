#include "formmain.h"

#include "brush_cache.h"
#include "catalogue_store.h"
#include "column_view.h"
#include "dialog_host.h"
#include "dpi.h"
#include "dropped_entries.h"
#include "file_system.h"
#include "folder_watcher.h"
#include "font_description.h"
#include "form_routing.h"
#include "hot_key.h"
#include "main_menus.h"
#include "panel.h"
#include "resource_ids.h"
#include "shell.h"
#include "single_instance.h"
#include "start_with_windows.h"
#include "text.h"
#include "tile_icons.h"
#include "timer.h"
#include "typed_finder.h"

namespace MyApp {

using OrvoUtility::Child;
using OrvoUtility::GUIElement;

namespace {

constexpr std::int32_t resizeDelayMs = 500;
// Posted by the icon worker when found icons wait to be taken.
constexpr UINT iconsFoundMessage = WM_APP + 1;
// Posted when something in the data folder changed.
constexpr UINT folderChangedMessage = WM_APP + 2;
// A change in the data folder is looked at again after this long.
constexpr std::int32_t folderRecheckMs = 1000;
constexpr std::int32_t comeForwardKey = 1;

std::unique_ptr<OrvoUtility::FontDescription> FormFontAt(std::int32_t dpi) {
    return std::make_unique<OrvoUtility::FontDescription>("Lucida Console",
                                                          MeasuresAt(dpi).formFontHeight);
}

// The system's menu loops leave the window enabled: only the thread's
// state tells that one is open.
bool MenuOpen() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetCurrentThreadId(), &info) &&
           (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE)) != 0;
}

// What the last load or save has to tell, once the window shows the
// catalogue it is about.
void TellNotices(OrvoUtility::Form& window, CatalogueStore& store) {
    for (const std::string& notice : store.TakeNotices()) {
        OrvoUtility::ShowError(&window, notice, "Errore");
    }
}

}  // namespace

FormMain::FormMain(HINSTANCE moduleInstance, const std::string& title)
    : Form(moduleInstance),
      baseTitle(title),
      formFont(FormFontAt(dpi)),
      store(std::make_unique<CatalogueStore>()),
      finder(std::make_unique<TypedFinder>()) {
    font = formFont.get();
    MoveTo(0, 0);
    double screenWidth = GetSystemMetrics(SM_CXSCREEN);
    double screenHeight = GetSystemMetrics(SM_CYSCREEN);
    Resize(static_cast<std::int32_t>(screenWidth * 0.9),
           static_cast<std::int32_t>(0.9 * screenHeight));
    SetTextNarrow(title);
    minimizeBox = true;
    resizable = true;
    OrvoUtility::InstallFormRouting(*this);
    OrvoUtility::InstallInputRouting(*this);
    onAppMessage = [this](OrvoUtility::Form*, UINT message, WPARAM, LPARAM) {
        HandleAppMessage(message);
    };
    onQueryEndSession = [this](OrvoUtility::Form*) { return HandleQueryEndSession(); };
    onDpiChanged = [this](OrvoUtility::Form*, std::int32_t newDpi, const RECT& suggested) {
        HandleDpiChanged(newDpi, suggested);
    };
    // High contrast turned on or off shows at once.
    onSettingChange = [this](OrvoUtility::Form*) { UseHighContrast(HighContrastOn()); };
    // The check shows what the registry holds now, whoever changed it.
    onMenuOpening = [this](OrvoUtility::Form*) {
        menus->Item(MenuCommand::StartWithWindows).SetChecked(StartsWithWindows());
    };
    // Pressed again while the window is in front, the key puts it away.
    onHotKey = [this](GUIElement*, std::int32_t) {
        if (GetForegroundWindow() == hwnd && !IsIconic(hwnd)) {
            ShowWindow(hwnd, SW_MINIMIZE);
        } else {
            ComeForward(hwnd);
        }
    };
    // HandleLoad runs inside, as the window is made. The window shows once
    // it is laid out, so that nothing in it is painted twice.
    visible = false;
    Create();
    if (!created) return;
    SetIcon(IDI_PROGRAM);
    ApplyFont();
    HandleResize();
    // The scroll bars are set at once; later the resize timer sets them.
    HandleTimer();
    ShowNow();
    iconTimer = std::make_unique<OrvoUtility::Timer>(this, USER_TIMER_MINIMUM);
    iconTimer->onTick = [this](OrvoUtility::Timer* timer) {
        timer->Stop();
        icons->BeginLookups();
    };
    iconTimer->Start();
    TellNotices(*this, *store);
    hotKey = std::make_unique<OrvoUtility::HotKey>(hwnd, comeForwardKey,
                                                   MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, 'Z');
    if (!hotKey->Registered()) {
        OrvoUtility::ShowError(this,
                               "Il tasto Ctrl+Alt+Z, che porta Zelmivo in primo piano da ogni "
                               "programma, è già usato da un altro programma.\r\n\r\n" +
                                   SystemErrorText(hotKey->Error()) +
                                   "\r\n\r\nZelmivo funziona comunque, senza quel tasto.",
                               "Errore");
    }
}

FormMain::~FormMain() {
    // Given back while the window it belongs to still exists.
    hotKey.reset();
    // Normally the window is gone by now. One that is not is destroyed without
    // the close question: the form goes either way. Its children's windows go
    // with it, before the members free the elements that stood for them.
    if (created && hwnd != nullptr && IsWindow(hwnd)) DestroyWindow(hwnd);
    created = false;
}

void FormMain::UseHighContrast(bool on) {
    if (view != nullptr) view->UseScheme(SchemeFor(on));
}

const Catalogue& FormMain::CatalogueShown() const { return store->Shown(); }

HBRUSH FormMain::OnControlColor(HDC dc) {
    // Left selected, not restored: the control paints its text with it.
    if (font != nullptr) {
        HFONT handle = font->GetHandle();
        if (handle != nullptr) SelectObject(dc, handle);
    }
    const ColourScheme& scheme = view != nullptr ? view->Scheme() : SchemeFor(false);
    SetBkColor(dc, scheme.controlBackground);
    SetTextColor(dc, scheme.controlText);
    return OrvoUtility::SolidBrushFor(scheme.controlBackground);
}

void FormMain::HandleLoad() {
    dpi = OrvoUtility::WindowDpi(hwnd);
    formFont = FormFontAt(dpi);
    font = formFont.get();
    menus = std::make_unique<MainMenus>(
        *this, [this](OrvoUtility::SubMenu* item) { HandleMenuCommand(item); });
    store->Load();
    icons = std::make_unique<TileIcons>(hwnd, iconsFoundMessage, MeasuresAt(dpi).iconSize);
    ColumnViewHandlers handlers;
    handlers.leftDown = [this](GUIElement* cell, HWND, std::int32_t, std::int32_t) {
        HandleChildMouseDown(static_cast<Child*>(cell));
        return 0;
    };
    handlers.rightUp = [this](GUIElement* child, HWND, std::int32_t x, std::int32_t y) {
        HandleChildRightUp(static_cast<Child*>(child), x, y);
        return 0;
    };
    handlers.tileClick = [this](GUIElement* tile) { HandleTileClick(tile); };
    // Keys typed on any cell or tile reach the window, whichever has the focus.
    handlers.keys = [this](GUIElement*, std::int32_t key) { return TakeKey(key) ? 1 : 0; };
    handlers.chars = [this](GUIElement*, std::int32_t character) { return HandleChar(character); };
    handlers.drop = [this](const std::vector<std::wstring>& paths, POINT point) {
        const Categoria* category = view->ColumnAt(point);
        std::vector<EntryText> added = EntriesForDroppedFiles(paths);
        if (category != nullptr && !added.empty()) {
            Commit(CatalogueChange::AddApps(category->id, std::move(added)));
        }
    };
    onKeyDown = handlers.keys;
    onChar = handlers.chars;
    view = std::make_unique<ColumnView>(*this, store->Shown(), *icons, std::move(handlers));
    view->Build();
    dialogs = std::make_unique<DialogHost>(
        *this, store->Shown(), [this](const CatalogueChange& change) { Commit(change); });
    resizeTimer = std::make_unique<OrvoUtility::Timer>(this, resizeDelayMs);
    resizeTimer->onTick = [this](OrvoUtility::Timer*) { HandleTimer(); };

    folderTimer = std::make_unique<OrvoUtility::Timer>(this, folderRecheckMs);
    folderTimer->onTick = [this](OrvoUtility::Timer* timer) {
        timer->Stop();
        if (!LookForOutsideChange()) timer->Start();
    };
    std::string folder = store->DataFolder();
    if (!folder.empty()) {
        folderWatcher = std::make_unique<OrvoUtility::FolderWatcher>(Common::NarrowToWide(folder),
                                                                     hwnd, folderChangedMessage);
    }
}

bool FormMain::HandleClosing() {
    // The exit is the last chance to save what a failed save left behind.
    if (store->HasPending()) store->SaveChanges(false);
    std::string question = "Vuoi realmente uscire?";
    if (store->HasPending()) {
        question = "Le ultime modifiche non sono state salvate.\r\n\r\n" + store->UnsavedReason() +
                   "\r\n\r\nUscendo andranno perse. Vuoi realmente uscire?";
    }
    if (!OrvoUtility::AskYesNoFor(this, question, "Uscita")) return false;
    if (resizeTimer != nullptr) resizeTimer->Stop();
    return true;
}

void FormMain::HandleResize() {
    if (view == nullptr) return;
    view->Fit();
    if (resizeTimer != nullptr && !resizeTimer->running) resizeTimer->Start();
}

void FormMain::HandleTimer() {
    if (timerBusy) return;
    timerBusy = true;
    view->UpdateScrollBars();
    if (resizeTimer->running) resizeTimer->Stop();
    // A scroll bar that went away gave the content more room.
    view->MakeElementsInView();
    timerBusy = false;
}

void FormMain::HandleAppMessage(UINT message) {
    if (message == iconsFoundMessage && icons != nullptr && icons->TakeFound()) {
        view->RefreshIcons();
    } else if (message == folderChangedMessage) {
        LookForOutsideChange();
        // Looked at once more a moment later, for a writer that held the
        // file when it was first looked at.
        folderTimer->Stop();
        folderTimer->Start();
    } else if (message == ComeForwardMessage()) {
        ComeForward(hwnd);
    }
}

void FormMain::Commit(const CatalogueChange& change) {
    POINT viewAt = view->ScrollPosition();
    if (!store->Commit(change)) return;
    // The view stays where the user left it, as far as the new extent allows,
    // and moves only as much as a new entry or column needs to be seen.
    std::int32_t revealed = 0;
    bool reveals = change.Reveals(store->Shown(), revealed);
    ShowCatalogue(viewAt, reveals ? std::optional<std::int32_t>(revealed) : std::nullopt);
}

void FormMain::ShowCatalogue(POINT viewAt, std::optional<std::int32_t> revealed) {
    view->ForgetElementsNotShown();
    view->LayOutAgain(viewAt, revealed);
    HandleResize();
    if (sessionEndHeld && !store->HasPending()) {
        sessionEndHeld = !ShutdownBlockReasonDestroy(hwnd);
    }
    TellNotices(*this, *store);
}

bool FormMain::LookForOutsideChange() {
    if (view == nullptr || !store->Writable()) return true;
    // A dialog, a box or a menu acts on the catalogue as it was shown.
    if (!IsWindowEnabled(hwnd) || MenuOpen()) return false;
    if (!store->ChangedOutside()) return true;
    POINT viewAt = view->ScrollPosition();
    store->TakeOutsideChange();
    ShowCatalogue(viewAt, std::nullopt);
    return true;
}

bool FormMain::HandleQueryEndSession() {
    if (store->HasPending()) store->SaveChanges(false);
    if (!store->HasPending()) return true;
    // Windows names the program and this reason, and the user decides.
    if (!sessionEndHeld) {
        sessionEndHeld =
            ShutdownBlockReasonCreate(hwnd, L"Zelmivo non ha potuto salvare il catalogo") != FALSE;
    }
    return false;
}

void FormMain::HandleDpiChanged(std::int32_t newDpi, const RECT& suggested) {
    if (newDpi <= 0) return;
    std::int32_t oldDpi = dpi;
    dpi = newDpi;
    // The new fonts reach every window before the old ones are freed.
    std::unique_ptr<OrvoUtility::FontDescription> oldFont = std::move(formFont);
    formFont = FormFontAt(dpi);
    font = formFont.get();
    ApplyFont();
    view->UseDpi(dpi);
    // Every icon is taken again at the new size.
    icons->Restart(MeasuresAt(dpi).iconSize);
    view->DropIcons();
    // The suggested rectangle keeps the window the same size to the eye.
    SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    view->Rescale(oldDpi, newDpi);
    HandleResize();
}

}  // namespace MyApp
