// The main window and its catalogue file: what a load has to tell, the saves,
// the changes other programs make to the file, and the end of the session.
#include "catalogue_file.h"
#include "folder_watcher.h"
#include "formmain.h"
#include "formmain_shared.h"
#include "panel.h"
#include "shell.h"
#include "text.h"
#include "timer.h"

namespace MyApp {

using namespace MainWindowParts;

namespace {

const char kNothingSavedUntilRead[] =
    "\r\n\r\nPer non perdere nulla di ciò che contiene, Zelmivo non salverà "
    "le modifiche finché il file non potrà essere letto per intero: ";

std::string UnreadableText(const std::string& path, SystemError error) {
    return "Impossibile leggere il catalogo dal file\r\n" + path + "\r\n\r\n" +
           SystemErrorText(error);
}

// What the user must know when the catalogue file was not read whole, or
// cannot be written at all.
std::string LoadProblemText(const LoadResult& loaded) {
    switch (loaded.problem) {
        case LoadProblem::None:
            break;
        case LoadProblem::NoDataFolder:
            return "Impossibile trovare o creare la cartella dei dati\r\n" +
                   (loaded.path.empty() ? std::string("%LOCALAPPDATA%\\Zelmivo\\Dati")
                                        : loaded.path) +
                   "\r\n\r\n" + SystemErrorText(loaded.error) +
                   "\r\n\r\nZelmivo non salverà nulla durante questa esecuzione.";
        case LoadProblem::Unreadable:
            return UnreadableText(loaded.path, loaded.error) + kNothingSavedUntilRead +
                   "chiudere il programma che lo tiene aperto e riavviare Zelmivo.";
        case LoadProblem::Unrepresentable:
            return "Il catalogo nel file\r\n" + loaded.path +
                   "\r\ncontiene byte che non formano testo valido nella sua codifica." +
                   kNothingSavedUntilRead + "correggere il file e riavviare Zelmivo.";
    }
    return std::string();
}

std::string UnreadLinesText(const LoadResult& loaded) {
    std::string lines =
        loaded.unreadLines == 1
            ? std::string("una riga")
            : Common::FormatInt64(static_cast<std::int64_t>(loaded.unreadLines)) + " righe";
    return "Il file del catalogo\r\n" + loaded.path + "\r\ncontiene " + lines +
           " che Zelmivo non ha potuto leggere.\r\n\r\nNulla va perso: prima di cambiare il "
           "file, Zelmivo lo conserva com'è accanto ad esso, in app.txt.non-letto.";
}

// The system's menu loops leave the window enabled: only the thread's
// state tells that one is open.
bool MenuOpen() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetCurrentThreadId(), &info) &&
           (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE)) != 0;
}

}  // namespace

void FormMain::TellOfLoad(const LoadResult& loaded) {
    loadProblemText = LoadProblemText(loaded);
    if (!loadProblemText.empty()) notices.push_back(loadProblemText);
    if (loaded.unreadLines > 0) notices.push_back(UnreadLinesText(loaded));
}

void FormMain::TellNotices() {
    std::vector<std::string> told;
    told.swap(notices);
    for (const std::string& notice : told) OrvoUtility::ShowError(this, notice, "Errore");
}

void FormMain::Commit(const CatalogueChange& change) {
    POINT view = tilePanel->ScrollPosition();
    if (!change.ApplyTo(catalogue)) return;
    pendingChanges.push_back(change);
    SaveChanges(true);
    ForgetElementsNotShown();
    // The view stays where the user left it, as far as the new extent allows,
    // and moves only as much as a new entry or column needs to be seen.
    std::int32_t revealed = 0;
    bool reveals = change.Reveals(catalogue, revealed);
    RECT newest = reveals ? NewestPlaceIn(revealed) : RECT{};
    LayOutAgain(view, reveals ? &newest : nullptr);
    TellNotices();
}

void FormMain::ForgetElementsNotShown() {
    std::unordered_set<std::int32_t> categories;
    std::unordered_set<std::int32_t> entries;
    for (const Categoria& category : catalogue.categories) {
        categories.insert(category.id);
        for (const App& app : category.apps) entries.insert(app.id);
    }
    auto forget = [this](std::unordered_map<std::int32_t, GUIElement*>& made,
                         const std::unordered_set<std::int32_t>& kept) {
        for (auto at = made.begin(); at != made.end();) {
            if (kept.count(at->first) != 0) {
                ++at;
                continue;
            }
            itemOf.erase(at->second);
            DestroyTileWindow(at->second);
            at = made.erase(at);
        }
    };
    forget(headerOf, categories);
    forget(addCellOf, categories);
    forget(tileOf, entries);
}

void FormMain::SaveChanges(bool reportFailure) {
    // Nothing is written over a file that changed since it was read: the
    // changes go onto what it holds now.
    bool current = !catalogueFile.writable || !ChangedOutside(catalogueFile) || TakeOutsideChange();
    if (current && !catalogueFile.writable) {
        unsavedReason = loadProblemText;
        return;
    }
    if (current && (pendingChanges.empty() || WriteCatalogue())) return;
    // One box for a run of failures: it is shown again only after a save
    // has worked in between.
    if (!reportFailure || saveFailureShown) return;
    saveFailureShown = true;
    notices.push_back(unsavedReason +
                      "\r\n\r\nLe modifiche restano nella finestra: Zelmivo "
                      "riproverà a salvarle alla prossima modifica e all'uscita.");
}

bool FormMain::WriteCatalogue() {
    SaveResult result = SaveCatalogue(catalogue, catalogueFile);
    // The backup is a courtesy: its failure is told once and stops nothing.
    if (result.backupFailed && !backupFailureShown) {
        backupFailureShown = true;
        notices.push_back("Impossibile salvare la copia di riserva del catalogo nel file\r\n" +
                          result.backupPath + "\r\n\r\n" + SystemErrorText(result.backupError) +
                          "\r\n\r\nIl catalogo è stato salvato comunque.");
    }
    if (!result.saved) {
        unsavedReason = "Impossibile salvare il catalogo nel file\r\n" + result.path + "\r\n\r\n" +
                        SystemErrorText(result.error);
        return false;
    }
    pendingChanges.clear();
    saveFailureShown = false;
    if (sessionEndHeld) sessionEndHeld = !ShutdownBlockReasonDestroy(hwnd);
    return true;
}

bool FormMain::TakeOutsideChange() {
    LoadResult read = ReloadCatalogue(catalogueFile);
    if (read.problem == LoadProblem::Unreadable) {
        unsavedReason = UnreadableText(read.path, read.error);
        return false;
    }
    std::string dropped;
    std::vector<CatalogueChange> applied;
    for (const CatalogueChange& change : pendingChanges) {
        if (change.ApplyTo(read.catalogue)) {
            applied.push_back(change);
        } else {
            dropped += "\r\n- " + change.Description();
        }
    }
    pendingChanges = std::move(applied);
    KeepShownIdentity(catalogue, read.catalogue);
    catalogue = std::move(read.catalogue);
    catalogueFile = read.file;
    TellOfLoad(read);
    if (!dropped.empty()) {
        notices.push_back("Un altro programma ha cambiato il catalogo nel file\r\n" + read.path +
                          "\r\ne queste modifiche non si possono più applicare:\r\n" + dropped +
                          "\r\n\r\nIl resto del catalogo è come l'altro programma l'ha lasciato.");
    }
    return true;
}

void FormMain::WatchDataFolder() {
    folderTimer = std::make_unique<Timer>(this, folderRecheckMs);
    folderTimer->onTick = [this](Timer* timer) {
        timer->Stop();
        if (!LookForOutsideChange()) timer->Start();
    };
    if (catalogueFile.path.empty() || hwnd == nullptr) return;
    folderWatcher = std::make_unique<OrvoUtility::FolderWatcher>(
        Common::NarrowToWide(Common::DirectoryOf(catalogueFile.path)), hwnd, folderChangedMessage);
}

void FormMain::HandleFolderChanged() {
    LookForOutsideChange();
    // Looked at once more a moment later, for a writer that held the file
    // when it was first looked at.
    if (folderTimer == nullptr) return;
    folderTimer->Stop();
    folderTimer->Start();
}

bool FormMain::LookForOutsideChange() {
    if (!catalogueFile.writable || tilePanel == nullptr) return true;
    // A dialog, a box or a menu acts on the catalogue as it was shown.
    if (!IsWindowEnabled(hwnd) || MenuOpen()) return false;
    if (!ChangedOutside(catalogueFile)) return true;
    POINT view = tilePanel->ScrollPosition();
    // Changes a failed save left pending go into the new file.
    if (TakeOutsideChange() && !pendingChanges.empty()) SaveChanges(true);
    ForgetElementsNotShown();
    LayOutAgain(view, nullptr);
    TellNotices();
    return true;
}

bool FormMain::HandleQueryEndSession() {
    if (!pendingChanges.empty()) SaveChanges(false);
    if (pendingChanges.empty()) return true;
    // Windows names the program and this reason, and the user decides.
    if (!sessionEndHeld) {
        sessionEndHeld =
            ShutdownBlockReasonCreate(hwnd, L"Zelmivo non ha potuto salvare il catalogo") != FALSE;
    }
    return false;
}

void FormMain::ComeForward() {
    if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
    // An open dialog or box is where the user left off.
    HWND front = GetLastActivePopup(hwnd);
    SetForegroundWindow(front);
    HWND focus = GetFocus();
    if (front == hwnd && focus != hwnd && !IsChild(hwnd, focus)) SetFocus(hwnd);
}

}  // namespace MyApp
