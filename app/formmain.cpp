#include "formmain.h"

#include <algorithm>
#include <limits>

#include "button.h"
#include "catalogue_file.h"
#include "font_description.h"
#include "form_about.h"
#include "form_routing.h"
#include "formapp.h"
#include "formcategoria.h"
#include "formordina.h"
#include "menu.h"
#include "panel.h"
#include "product_info.h"
#include "resource_ids.h"
#include "shell.h"
#include "text.h"
#include "timer.h"
#include "win32_failure.h"
#include "zelmivo_version.h"

namespace MyApp {

using OrvoUtility::Button;
using OrvoUtility::CellControl;
using OrvoUtility::Child;
using OrvoUtility::FindOwningForm;
using OrvoUtility::GUIElement;
using OrvoUtility::Menu;
using OrvoUtility::PanelChildren;
using OrvoUtility::SubMenu;
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
constexpr std::int32_t logoWidth = 164;
constexpr std::int32_t logoHeight = 50;
// Posted by the icon worker when found icons wait to be taken.
constexpr UINT iconsFoundMessage = WM_APP + 1;

// The layout: columns 160 wide and 180 apart, tiles 40 high and 50 apart.
constexpr std::int32_t margin = 10;
constexpr std::int32_t columnStep = 180;
constexpr std::int32_t rowStep = 50;
constexpr std::int32_t cellWidth = 160;
constexpr std::int32_t cellHeight = 40;
constexpr std::int32_t headerHeight = 25;

// What the user must know when the catalogue file was not read whole.
std::string LoadProblemText(const LoadResult& loaded) {
    const std::string keep =
        "\r\n\r\nPer non perdere nulla di ci\xF2 che contiene, Zelmivo non salver\xE0 "
        "le modifiche finch\xE9 il file non potr\xE0 essere letto per intero: ";
    switch (loaded.problem) {
        case LoadProblem::None:
            break;
        case LoadProblem::Unreadable:
            return "Impossibile leggere il catalogo dal file\r\n" + loaded.path + "\r\n\r\n" +
                   SystemErrorText(loaded.error) + keep +
                   "chiudere il programma che lo tiene aperto e riavviare Zelmivo.";
        case LoadProblem::Unrepresentable:
            return "Il catalogo nel file\r\n" + loaded.path +
                   "\r\ncontiene caratteri che Zelmivo non pu\xF2 conservare." + keep +
                   "sostituire quei caratteri e riavviare Zelmivo.";
    }
    return std::string();
}

bool RouteChar(GUIElement* element, std::int32_t character) {
    FormMain* form = dynamic_cast<FormMain*>(element);
    return form == nullptr || form->HandleChar(character);
}

std::int32_t RouteLeftUp(GUIElement* element, HWND, std::int32_t x, std::int32_t y) {
    FormMain* form = dynamic_cast<FormMain*>(element);
    if (form != nullptr) form->HandleMouseUp(x, y);
    return 0;
}

std::int32_t RouteLeftDown(GUIElement* element, HWND, std::int32_t x, std::int32_t y) {
    Child* child = dynamic_cast<Child*>(element);
    if (child != nullptr) {
        FormMain* form = FindOwningForm<FormMain>(child);
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
        FormMain* form = FindOwningForm<FormMain>(child);
        if (form != nullptr) form->HandleChildRightUp(child, x, y);
        return 0;
    }
    FormMain* form = dynamic_cast<FormMain*>(element);
    if (form != nullptr) form->HandleRightUp(x, y);
    return 0;
}

// Items of the context menus belong to no form: their commands go to the
// first main form.
void RouteMenuCommand(GUIElement* item) {
    FormMain* form = FindOwningForm<FormMain>(item);
    if (form == nullptr) form = theMainForm;
    if (form != nullptr) form->HandleMenuCommand(item);
}

SubMenu* MenuItem(Menu* menu, const std::string& caption) {
    SubMenu* item = new SubMenu(menu, caption);
    item->onCommand = RouteMenuCommand;
    return item;
}

// The tag a cell or a tile carries; empty for anything else.
std::string TagOf(GUIElement* element) {
    PanelChildren* cell = dynamic_cast<PanelChildren*>(element);
    if (cell != nullptr) return cell->tag;
    Button* tile = dynamic_cast<Button*>(element);
    if (tile != nullptr) return tile->tag;
    return std::string();
}

// A deleted cell or tile loses its window at once; the element itself stays
// with the form until teardown, with no handle that a later window could reuse.
void DestroyElementWindow(GUIElement* element) {
    if (element == nullptr) return;
    if (element->hwnd != nullptr && IsWindow(element->hwnd)) DestroyWindow(element->hwnd);
    element->hwnd = nullptr;
    element->created = false;
}

// A relayout after one edit leaves alone every window whose place and text
// did not change.
void PlaceElement(GUIElement* element, std::int32_t x, std::int32_t y) {
    if (element->left != x || element->top != y || !element->created) element->MoveTo(x, y);
}

void LabelElement(GUIElement* element, const std::string& text) {
    std::wstring wide = Common::NarrowToWide(text);
    if (element->text != wide || !element->created) element->SetText(wide);
}

// The three kinds of place in a column.
enum class Place { Header, Tile, AddCell };

// Calls visit(place, category, entry or null, x, y) for every place of the
// layout, column by column, top to bottom, in content coordinates.
template <typename Visit>
void ForEachPlace(Catalogue& catalogue, Visit visit) {
    std::int32_t column = 0;
    for (Categoria& category : catalogue.categories) {
        std::int32_t x = margin + columnStep * column;
        visit(Place::Header, category, nullptr, x, margin);
        std::int32_t y = margin;
        for (App& app : category.apps) {
            y += rowStep;
            visit(Place::Tile, category, &app, x, y);
        }
        visit(Place::AddCell, category, nullptr, x, y + rowStep);
        ++column;
    }
}

// The link to the element at a place; null until it is made.
GUIElement*& ElementAt(Place place, Categoria& category, App* app) {
    if (place == Place::Header) return category.cell;
    if (place == Place::Tile) return app->tile;
    return category.addCell;
}

bool StartsWithHttp(const std::string& pathname) {
    return Common::ToLower(pathname).compare(0, 4, "http") == 0;
}

std::string QuotedInCapitals(const std::string& text) {
    return "\"" + Common::ToUpper(text) + "\"?";
}

// The destruction of an editor dialog's window: its owner applies the result.
void RouteDialogClosed(GUIElement* element) {
    EditorDialog* dialog = dynamic_cast<EditorDialog*>(element);
    if (dialog == nullptr) return;
    FormMain* form = dynamic_cast<FormMain*>(dialog->owner);
    if (form != nullptr) form->HandleDialogClosed(dialog);
}

// Frees the previous dialog of a class. Its result was applied when its
// window went, so its destruction must not report it again.
template <typename Dialog>
void Discard(Dialog*& dialog) {
    if (dialog == nullptr) return;
    dialog->onDestroy = nullptr;
    delete dialog;
    dialog = nullptr;
}

void RouteTileClick(GUIElement* element) {
    FormMain* form = FindOwningForm<FormMain>(element->parent);
    if (form != nullptr) form->HandleTileClick(element);
}

void RouteTimer(Timer* timer) {
    FormMain* form = dynamic_cast<FormMain*>(timer->parent);
    if (form != nullptr) form->HandleTimer();
}

// Scrolling shows cells and tiles that may not have been made yet; they are
// made and painted before the user sees the gap.
void RouteScroll(PanelChildren* panel, std::int32_t) {
    FormMain* form = FindOwningForm<FormMain>(panel);
    if (form == nullptr) return;
    form->CreateElementsInView();
    if (panel->hwnd != nullptr) {
        RedrawWindow(panel->hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
}

void RouteAppMessage(OrvoUtility::Form* element, UINT message, WPARAM, LPARAM) {
    FormMain* form = dynamic_cast<FormMain*>(element);
    if (form != nullptr && message == iconsFoundMessage) form->HandleIconAnswers();
}

// Loaded unshared, so that the form owns it and may destroy it.
HICON LoadResourceIcon(int resourceId) {
    HICON icon = static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    if (icon == nullptr) OrvoUtility::RecordWin32Failure("LoadImageW");
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
      aboutBox(nullptr),
      categoryDialog(nullptr),
      appDialog(nullptr),
      orderDialog(nullptr),
      menuBar(nullptr),
      fileMenu(nullptr),
      exitItem(nullptr),
      helpMenu(nullptr),
      homeItem(nullptr),
      guideItem(nullptr),
      infoItem(nullptr),
      categoryMenu(nullptr),
      renameCategoryItem(nullptr),
      deleteCategoryItem(nullptr),
      moveCategoryItem(nullptr),
      appMenu(nullptr),
      editAppItem(nullptr),
      deleteAppItem(nullptr),
      moveAppItem(nullptr),
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
    OrvoUtility::InstallFormRouting(*this);
    onChar = RouteChar;
    onLeftUp = RouteLeftUp;
    onLeftDown = RouteLeftDown;
    onAppMessage = RouteAppMessage;
    // HandleLoad runs inside, as the window is made.
    Create();
    SetIcon(IDI_PROGRAM);
    ApplyFont();
    HandleResize();
    if (theMainForm == nullptr) theMainForm = this;
    ReportLoadProblem();
}

FormMain::~FormMain() {
    // Normally the window is gone by now. One that is not is destroyed without
    // the close question: the form goes either way.
    if (created && hwnd != nullptr && IsWindow(hwnd)) DestroyWindow(hwnd);
    created = false;

    Discard(aboutBox);
    Discard(categoryDialog);
    Discard(appDialog);
    Discard(orderDialog);
    // The menu bar's handle went with the window; the elements remain.
    for (GUIElement* menu : std::initializer_list<GUIElement*>{
             menuBar, fileMenu, exitItem, helpMenu, homeItem, guideItem, infoItem, categoryMenu,
             renameCategoryItem, deleteCategoryItem, moveCategoryItem, appMenu, editAppItem,
             deleteAppItem, moveAppItem}) {
        delete menu;
    }

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

    // First, so that no found icon arrives after the cache is emptied.
    iconExtractor.reset();
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
    BuildMenus();
    LoadResult loaded = LoadCatalogue();
    catalogue = std::move(loaded.catalogue);
    catalogueFile = loaded.file;
    loadProblemText = LoadProblemText(loaded);
    if (created) RefreshClientSize(*this);
    BuildPanel();
    resizeTimer = new Timer(this, resizeDelayMs);
    resizeTimer->onTick = RouteTimer;
}

bool FormMain::HandleClosing() {
    // The exit is the last chance to save what a failed save left behind.
    if (unsavedChanges && catalogueFile.writable) SaveChanges(false);
    std::string question = "Vuoi realmente uscire?";
    if (unsavedChanges) {
        question = "Le ultime modifiche non sono state salvate.\r\n\r\n" + unsavedReason +
                   "\r\n\r\nUscendo andranno perse. Vuoi realmente uscire?";
    }
    if (!OrvoUtility::AskYesNo(question, "Uscita")) return false;
    if (resizeTimer != nullptr) resizeTimer->Stop();
    return true;
}

void FormMain::HandleDialogClosed(OrvoUtility::Form* dialog) {
    if (categoryDialog != nullptr && dialog->id == categoryDialog->id) {
        if (categoryDialog->resultCode != EditorDialog::resultOk) return;
        std::string name = Common::Trim(categoryDialog->name);
        if (categoryDialog->editMode) {
            catalogue.RenameCategory(Common::ParseInt32(TagOf(contextTarget)), name);
        } else {
            catalogue.AddCategory(name);
        }
        RefreshAndSave();
    } else if (appDialog != nullptr && dialog->id == appDialog->id) {
        if (appDialog->resultCode != EditorDialog::resultOk) return;
        if (appDialog->editMode) {
            catalogue.EditApp(TagOf(contextTarget), appDialog->description, appDialog->pathname,
                              appDialog->parameters);
        } else {
            catalogue.AddApp(appDialog->categoryId, appDialog->description, appDialog->pathname,
                             appDialog->parameters);
        }
        RefreshAndSave();
    } else if (orderDialog != nullptr && dialog->id == orderDialog->id) {
        if (orderDialog->resultCode != EditorDialog::resultOk) return;
        if (orderDialog->listKind == ReorderList::Categories) {
            catalogue.ReorderCategories(orderDialog->ids);
        } else {
            catalogue.ReorderApps(TagOf(contextTarget), orderDialog->ids);
        }
        RefreshAndSave();
    }
}

void FormMain::HandleResize() {
    if (hwnd != nullptr && IsWindow(hwnd)) RefreshClientSize(*this);
    if (tilePanel == nullptr) return;
    std::int32_t panelWidth = width - 2 * margin;
    std::int32_t panelHeight = height - 2 * margin;
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
    // A scroll bar that went away gave the content more room.
    CreateElementsInView();
    timerBusy = false;
}

bool FormMain::HandleChar(std::int32_t) { return true; }

void FormMain::HandleKeyDown(std::int32_t) {}

void FormMain::HandleKeyUp(std::int32_t) {}

void FormMain::HandleMenuCommand(GUIElement* item) {
    std::int32_t command = item->id;
    if (command == exitItem->id) {
        SendMessageW(hwnd, WM_CLOSE, 0, 0);
    } else if (command == homeItem->id) {
        OrvoUtility::OpenWithShell(productWebAddress);
    } else if (command == guideItem->id) {
        OrvoUtility::OpenWithShell(std::string(productWebAddress) + "/" + productName + ".asp");
    } else if (command == infoItem->id) {
        ShowAbout();
    } else if (command == renameCategoryItem->id) {
        OpenRenameCategory();
    } else if (command == editAppItem->id) {
        OpenEditApp();
    } else if (command == deleteCategoryItem->id) {
        DeleteContextCategory();
    } else if (command == deleteAppItem->id) {
        DeleteContextApp();
    } else if (command == moveAppItem->id) {
        OpenReorderApps();
    } else if (command == moveCategoryItem->id) {
        OpenReorderCategories();
    }
}

void FormMain::HandleMouseUp(std::int32_t, std::int32_t) {}

void FormMain::HandleMouseDown(std::int32_t, std::int32_t) {}

void FormMain::HandleChildMouseDown(Child* child) {
    if (addCategoryCell != nullptr && child->id == addCategoryCell->id) {
        OpenAddCategory();
        return;
    }
    CellControl* cell = dynamic_cast<CellControl*>(child);
    if (cell == nullptr || cell->tag.find(';') == std::string::npos) return;
    std::vector<std::string> parts = Common::Split(cell->tag, ";");
    if (parts.size() >= 2 && parts[0] == "APP") OpenAddApp(Common::ParseInt32(parts[1]));
}

void FormMain::HandleRightUp(std::int32_t, std::int32_t) {}

void FormMain::HandleChildRightUp(Child* child, std::int32_t x, std::int32_t y) {
    // Set first: the picked command arrives after the menu has closed.
    contextTarget = child;
    Menu* menu = nullptr;
    if (dynamic_cast<CellControl*>(child) != nullptr) {
        menu = categoryMenu;
    } else if (dynamic_cast<Button*>(child) != nullptr) {
        menu = appMenu;
    }
    if (menu == nullptr) return;
    POINT point{x, y};
    ClientToScreen(child->hwnd, &point);
    OrvoUtility::ShowPopup(menu, child->parent, point.x, point.y);
}

void FormMain::HandleTileClick(GUIElement* element) {
    Button* tile = dynamic_cast<Button*>(element);
    if (tile == nullptr) return;
    const App* app = catalogue.FindApp(tile->tag);
    if (app == nullptr) return;
    // Copies: the shell may dispatch messages while it starts the target.
    std::string pathname = app->pathname;
    std::string parameters = app->parameters;
    std::uint32_t error = 0;
    if (!OrvoUtility::LaunchTarget(pathname, parameters, !StartsWithHttp(pathname), &error)) {
        OrvoUtility::ShowError(
            this, "Impossibile aprire\r\n" + pathname + "\r\n\r\n" + SystemErrorText(error),
            "Errore");
    }
}

void FormMain::BuildMenus() {
    menuBar = new OrvoUtility::MenuBar(this);
    fileMenu = new Menu("&File", menuBar);
    exitItem = MenuItem(fileMenu, "&Esci");
    helpMenu = new Menu("&?", menuBar);
    guideItem = MenuItem(helpMenu, "&Guida");
    homeItem = MenuItem(helpMenu, "&Home");
    infoItem = MenuItem(helpMenu, "&Info...");
    menuBar->Create();

    categoryMenu = new Menu("", nullptr);
    renameCategoryItem = MenuItem(categoryMenu, "&Rinomina");
    deleteCategoryItem = MenuItem(categoryMenu, "&Cancella");
    moveCategoryItem = MenuItem(categoryMenu, "&Sposta...");
    categoryMenu->Create();

    appMenu = new Menu("", nullptr);
    editAppItem = MenuItem(appMenu, "&Modifica");
    deleteAppItem = MenuItem(appMenu, "&Cancella");
    moveAppItem = MenuItem(appMenu, "&Sposta...");
    appMenu->Create();
}

void FormMain::OpenAddApp(std::int32_t categoryId) {
    Discard(appDialog);
    appDialog = new FormApp(this, "Aggiungi Applicazione");
    appDialog->onDestroy = RouteDialogClosed;
    Focus();
    appDialog->categoryId = categoryId;
    appDialog->Show();
}

void FormMain::OpenEditApp() {
    const App* app = catalogue.FindApp(TagOf(contextTarget));
    if (app == nullptr) return;
    // Copied: nothing may hold into the catalogue while windows are made.
    App entry = *app;
    Discard(appDialog);
    appDialog = new FormApp(this, "Modifica Applicazione");
    appDialog->onDestroy = RouteDialogClosed;
    Focus();
    appDialog->categoryId = entry.categoryId;
    appDialog->Show();
    appDialog->LoadApp(entry.description, entry.pathname, entry.parameters);
}

void FormMain::OpenAddCategory() {
    Discard(categoryDialog);
    categoryDialog = new FormCategoria(this, "Aggiungi Categoria");
    categoryDialog->onDestroy = RouteDialogClosed;
    Focus();
    categoryDialog->Show();
}

void FormMain::OpenRenameCategory() {
    if (contextTarget == nullptr) return;
    Discard(categoryDialog);
    categoryDialog = new FormCategoria(this, "Modifica Categoria");
    categoryDialog->onDestroy = RouteDialogClosed;
    Focus();
    categoryDialog->Show();
    categoryDialog->nameBox->SetTextNarrow(contextTarget->GetTextNarrow());
    categoryDialog->nameBox->Focus();
    categoryDialog->editMode = true;
}

void FormMain::OpenReorderApps() {
    const App* app = catalogue.FindApp(TagOf(contextTarget));
    if (app == nullptr) return;
    std::vector<std::int32_t> ids;
    std::vector<std::string> texts;
    std::int32_t index = catalogue.FindCategory(app->categoryId);
    if (index >= 0) {
        for (const App& entry : catalogue.categories[static_cast<std::size_t>(index)].apps) {
            ids.push_back(entry.id);
            texts.push_back(entry.description);
        }
    }
    OpenReorderDialog(std::move(ids), std::move(texts), ReorderList::Apps);
}

void FormMain::OpenReorderCategories() {
    std::vector<std::int32_t> ids;
    std::vector<std::string> texts;
    for (const Categoria& category : catalogue.categories) {
        ids.push_back(category.id);
        texts.push_back(category.name);
    }
    OpenReorderDialog(std::move(ids), std::move(texts), ReorderList::Categories);
}

void FormMain::OpenReorderDialog(std::vector<std::int32_t> ids, std::vector<std::string> texts,
                                 ReorderList listKind) {
    Discard(orderDialog);
    orderDialog = new FormOrdina(this, "Modifica ordine...");
    orderDialog->onDestroy = RouteDialogClosed;
    Focus();
    orderDialog->ids = std::move(ids);
    orderDialog->texts = std::move(texts);
    orderDialog->listKind = listKind;
    orderDialog->Show();
    orderDialog->FillList();
}

void FormMain::ShowAbout() {
    Discard(aboutBox);
    aboutBox = new OrvoUtility::FormAbout(this);
    Focus();
    aboutBox->logoId = IDB_LOGO;
    aboutBox->logoWidth = logoWidth;
    aboutBox->logoHeight = logoHeight;
    aboutBox->titleText = std::string("Orvo ") + productName + " " + ZELMIVO_VERSION;
    aboutBox->secondText = productCopyright;
    // Broken by hand: the notice box does not wrap its lines.
    aboutBox->noticeText =
        "Zelmivo raccoglie in categorie i programmi,\r\n"
        "i documenti, le cartelle e gli indirizzi web\r\n"
        "che usi di pi\xF9: un clic su un pulsante li\r\n"
        "apre.\r\n\r\n"
        "Il catalogo \xE8 salvato dopo ogni modifica\r\n"
        "nel file app.txt, nella cartella\r\n"
        "Zelmivo\\Dati dei dati locali dell'utente.";
    aboutBox->webAddress = productWebAddress;
    aboutBox->Show();
}

void FormMain::DeleteContextCategory() {
    if (contextTarget == nullptr) return;
    std::string question = "Si desidera realmente cancellare la categoria " +
                           QuotedInCapitals(contextTarget->GetTextNarrow());
    if (!OrvoUtility::AskYesNoFor(this, question, "Conferma")) return;
    std::int32_t index = catalogue.FindCategory(Common::ParseInt32(TagOf(contextTarget)));
    if (index < 0) return;
    Categoria& category = catalogue.categories[static_cast<std::size_t>(index)];
    DestroyElementWindow(category.cell);
    DestroyElementWindow(category.addCell);
    for (App& app : category.apps) DestroyElementWindow(app.tile);
    catalogue.DeleteCategory(category.id);
    RefreshAndSave();
}

void FormMain::DeleteContextApp() {
    if (contextTarget == nullptr) return;
    std::string question = "Si desidera realmente cancellare il pulsante " +
                           QuotedInCapitals(contextTarget->GetTextNarrow());
    if (!OrvoUtility::AskYesNoFor(this, question, "Conferma")) return;
    std::string key = TagOf(contextTarget);
    App* app = catalogue.FindApp(key);
    if (app == nullptr) return;
    DestroyElementWindow(app->tile);
    catalogue.DeleteApp(key);
    RefreshAndSave();
}

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
    tilePanel->onVerticalScroll = RouteScroll;
    tilePanel->onHorizontalScroll = RouteScroll;
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
    // Windows that stay are moved out of the way before new ones are made, so
    // that a new window never paints over one that is about to move.
    std::int32_t column = static_cast<std::int32_t>(catalogue.categories.size());
    PlaceElement(addCategoryCell, margin + columnStep * column, margin);
    MoveMadeElements();
    MakeMissingElements(true);

    POINT corner = addCategoryCell->GetPosition();
    std::int32_t addWidth = addCategoryCell->width;
    RECT frame;
    if (addCategoryCell->created && GetWindowRect(addCategoryCell->hwnd, &frame)) {
        addWidth = frame.right - frame.left;
    }
    std::int32_t maxBottom = 0;
    for (const Categoria& category : catalogue.categories) {
        std::int32_t apps = static_cast<std::int32_t>(category.apps.size());
        maxBottom = std::max(maxBottom, margin + rowStep * (apps + 2));
    }
    contentWidth = std::max<std::int32_t>(contentWidth, corner.x + addWidth + margin);
    contentHeight = std::max(contentHeight, maxBottom);
}

void FormMain::CreateElementsInView() {
    if (tilePanel == nullptr || addCategoryCell == nullptr) return;
    MakeMissingElements(false);
}

void FormMain::MoveMadeElements() {
    auto move = [this](Place place, Categoria& category, App* app, std::int32_t x, std::int32_t y) {
        GUIElement* element = ElementAt(place, category, app);
        if (element == nullptr) return;
        if (place == Place::Header) LabelElement(element, category.name);
        if (place == Place::Tile) {
            Button* tile = static_cast<Button*>(element);
            HICON icon = IconFor(app->pathname);
            if (icon != nullptr && icon != tile->enabledIcon) {
                tile->enabledIcon = icon;
                if (tile->created) InvalidateRect(tile->hwnd, nullptr, FALSE);
            }
            LabelElement(tile, app->description);
        }
        PlaceElement(element, x, y);
    };
    ForEachPlace(catalogue, move);
}

void FormMain::MakeMissingElements(bool atOrigin) {
    RECT shown = ShownContent(atOrigin);
    // Coming into view later, an element takes its place in the tab order
    // after the one before it in the layout, as if it had been made at start.
    HWND previous = nullptr;
    auto make = [&](Place place, Categoria& category, App* app, std::int32_t x, std::int32_t y) {
        GUIElement*& element = ElementAt(place, category, app);
        std::int32_t boxHeight = place == Place::Header ? headerHeight : cellHeight;
        if (element == nullptr && x < shown.right && x + cellWidth > shown.left &&
            y < shown.bottom && y + boxHeight > shown.top) {
            if (place == Place::Header) {
                CellControl* header = NewHeaderCell(category);
                categoryCells.push_back(header);
                element = header;
            } else if (place == Place::Tile) {
                Button* tile = NewTile(*app);
                tiles.push_back(tile);
                element = tile;
            } else {
                CellControl* addCell = NewAddAppCell(category);
                addAppCells.push_back(addCell);
                element = addCell;
            }
            // The shown part's corner stands at the panel's client origin.
            element->left = x - shown.left;
            element->top = y - shown.top;
            element->Create();
            if (!atOrigin && element->hwnd != nullptr) {
                SetWindowPos(element->hwnd, previous != nullptr ? previous : HWND_TOP, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
        }
        if (element != nullptr && element->hwnd != nullptr) previous = element->hwnd;
    };
    ForEachPlace(catalogue, make);
}

RECT FormMain::ShownContent(bool atOrigin) {
    // Everything, when the panel cannot tell what it shows.
    RECT shown{0, 0, std::numeric_limits<std::int32_t>::max() / 2,
               std::numeric_limits<std::int32_t>::max() / 2};
    if (tilePanel == nullptr || tilePanel->hwnd == nullptr ||
        !GetClientRect(tilePanel->hwnd, &shown)) {
        return shown;
    }
    if (atOrigin || addCategoryCell == nullptr) return shown;
    // The "+ aggiungi categoria" cell always exists and scrolls with the
    // content: how far it stands from its place is how far the panel is scrolled.
    POINT at = addCategoryCell->GetPosition();
    std::int32_t placeX =
        margin + columnStep * static_cast<std::int32_t>(catalogue.categories.size());
    OffsetRect(&shown, placeX - at.x, margin - at.y);
    return shown;
}

CellControl* FormMain::NewHeaderCell(const Categoria& category) {
    CellControl* header = new CellControl(tilePanel);
    header->width = cellWidth;
    header->height = headerHeight;
    header->tag = Common::FormatInt64(category.id);
    header->textColor = headerText;
    header->SetBackColor(headerBackground);
    header->onRightUp = RouteRightUp;
    header->SetTextNarrow(category.name);
    return header;
}

CellControl* FormMain::NewAddAppCell(const Categoria& category) {
    CellControl* addCell = new CellControl(tilePanel);
    addCell->width = cellWidth;
    addCell->height = cellHeight;
    addCell->SetTextNarrow("+ aggiungi App");
    addCell->SetHandCursor(true);
    addCell->onLeftDown = RouteLeftDown;
    addCell->textColor = addCellText;
    addCell->tag = "APP;" + Common::FormatInt64(category.id);
    addCell->SetBackColor(tilePanel->backColor);
    return addCell;
}

Button* FormMain::NewTile(const App& app) {
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
    return tile;
}

HICON FormMain::IconFor(const std::string& pathname) {
    auto cached = iconCache.find(pathname);
    if (cached != iconCache.end()) return cached->second;
    if (iconLookups.insert(pathname).second) {
        if (iconExtractor == nullptr) {
            iconExtractor = std::make_unique<IconExtractor>(instance, hwnd, iconsFoundMessage);
        }
        iconExtractor->Request(pathname);
    }
    if (webIcon == nullptr) webIcon = LoadResourceIcon(IDI_WEB_TILE);
    if (programIcon == nullptr) programIcon = LoadResourceIcon(IDI_PROGRAM_TILE);
    return StartsWithHttp(pathname) ? webIcon : programIcon;
}

void FormMain::HandleIconAnswers() {
    if (iconExtractor == nullptr) return;
    bool found = false;
    for (const IconExtractor::Answer& answer : iconExtractor->TakeAnswers()) {
        if (answer.icon == nullptr) continue;
        auto stored = iconCache.emplace(answer.pathname, answer.icon);
        if (!stored.second) DestroyIcon(answer.icon);
        found = true;
    }
    if (!found) return;
    for (const Categoria& category : catalogue.categories) {
        for (const App& app : category.apps) {
            Button* tile = static_cast<Button*>(app.tile);
            if (tile == nullptr) continue;
            auto cached = iconCache.find(app.pathname);
            if (cached == iconCache.end() || tile->enabledIcon == cached->second) continue;
            tile->enabledIcon = cached->second;
            if (tile->created && tile->hwnd != nullptr) InvalidateRect(tile->hwnd, nullptr, FALSE);
        }
    }
}

void FormMain::RefreshAndSave() {
    tilePanel->ScrollToLeft();
    tilePanel->ScrollToTop();
    BuildColumns();
    HandleResize();
    SaveChanges(true);
}

void FormMain::SaveChanges(bool reportFailure) {
    if (!catalogueFile.writable) {
        unsavedChanges = true;
        unsavedReason = loadProblemText;
        return;
    }
    SaveResult result = SaveCatalogue(catalogue, catalogueFile);
    unsavedChanges = !result.saved;
    if (result.saved) {
        saveFailureShown = false;
        return;
    }
    unsavedReason = "Impossibile salvare il catalogo nel file\r\n" + result.path + "\r\n\r\n" +
                    SystemErrorText(result.error);
    // One box for a run of failures: it is shown again only after a save
    // has worked in between.
    if (!reportFailure || saveFailureShown) return;
    saveFailureShown = true;
    OrvoUtility::ShowError(this,
                           unsavedReason +
                               "\r\n\r\nLe modifiche restano nella finestra: Zelmivo "
                               "riprover\xE0 a salvarle alla prossima modifica e all'uscita.",
                           "Errore");
}

void FormMain::ReportLoadProblem() {
    if (!loadProblemText.empty()) OrvoUtility::ShowError(this, loadProblemText, "Errore");
}

}  // namespace MyApp
