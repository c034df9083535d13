#include "catalogue_store.h"

#include <utility>

#include "file_system.h"
#include "text.h"

namespace MyApp {

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

}  // namespace

void CatalogueStore::Load() {
    LoadResult loaded = LoadCatalogue();
    catalogue = std::move(loaded.catalogue);
    file = loaded.file;
    TellOfLoad(loaded);
}

void CatalogueStore::TellOfLoad(const LoadResult& loaded) {
    loadProblemText = LoadProblemText(loaded);
    if (!loadProblemText.empty()) notices.push_back(loadProblemText);
    if (loaded.unreadLines > 0) notices.push_back(UnreadLinesText(loaded));
}

bool CatalogueStore::Commit(const CatalogueChange& change) {
    if (!change.ApplyTo(catalogue)) return false;
    pendingChanges.push_back(change);
    SaveChanges(true);
    return true;
}

void CatalogueStore::SaveChanges(bool reportFailure) {
    // Nothing is written over a file that changed since it was read: the
    // changes go onto what it holds now.
    bool current = !file.writable || !MyApp::ChangedOutside(file) || ReadOutsideChange();
    if (current && !file.writable) {
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

bool CatalogueStore::WriteCatalogue() {
    SaveResult result = SaveCatalogue(catalogue, file);
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
    return true;
}

bool CatalogueStore::ChangedOutside() const { return file.writable && MyApp::ChangedOutside(file); }

void CatalogueStore::TakeOutsideChange() {
    // Changes a failed save left pending go into the new file.
    if (ReadOutsideChange() && !pendingChanges.empty()) SaveChanges(true);
}

bool CatalogueStore::ReadOutsideChange() {
    LoadResult read = ReloadCatalogue(file);
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
    file = read.file;
    TellOfLoad(read);
    if (!dropped.empty()) {
        notices.push_back("Un altro programma ha cambiato il catalogo nel file\r\n" + read.path +
                          "\r\ne queste modifiche non si possono più applicare:\r\n" + dropped +
                          "\r\n\r\nIl resto del catalogo è come l'altro programma l'ha lasciato.");
    }
    return true;
}

std::string CatalogueStore::DataFolder() const {
    return file.path.empty() ? std::string() : Common::DirectoryOf(file.path);
}

std::vector<std::string> CatalogueStore::TakeNotices() {
    std::vector<std::string> told;
    told.swap(notices);
    return told;
}

}  // namespace MyApp
