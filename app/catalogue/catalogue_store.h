// The catalogue the window shows and its file: the load and what it has to
// tell, the saves and their failures, and the changes other programs make to
// app.txt meanwhile. Every message for the user waits in the notices until
// the window can show it.
#pragma once

#include <string>
#include <vector>

#include "catalogue.h"
#include "catalogue_change.h"
#include "catalogue_file.h"

namespace MyApp {

class CatalogueStore {
public:
    void Load();
    const Catalogue& Shown() const { return catalogue; }

    // Applies the change and writes app.txt, onto what another program may
    // have left there meanwhile; false when the change no longer applies.
    bool Commit(const CatalogueChange& change);
    // Writes app.txt unless the file was not read whole or its folder cannot
    // be reached; a failure leaves the changes pending and, when asked to,
    // tells the user once per run of failures.
    void SaveChanges(bool reportFailure);
    bool HasPending() const { return !pendingChanges.empty(); }
    // Why the pending changes are not in app.txt.
    const std::string& UnsavedReason() const { return unsavedReason; }

    // Whether app.txt may be written: it was read whole and its folder is there.
    bool Writable() const { return file.writable; }
    // Whether another program changed app.txt since it was last read or written.
    bool ChangedOutside() const;
    // Takes in what another program left in app.txt, with the changes it
    // does not hold yet applied and saved.
    void TakeOutsideChange();

    // The folder that holds app.txt; empty when there is none.
    std::string DataFolder() const;
    std::vector<std::string> TakeNotices();

private:
    // False, with the reason in unsavedReason, when the save failed.
    bool WriteCatalogue();
    // False when app.txt cannot be read now.
    bool ReadOutsideChange();
    // Takes in what a load says of the file: why it may not be written, and
    // the lines it could not read.
    void TellOfLoad(const LoadResult& loaded);

    Catalogue catalogue;
    CatalogueFile file;
    // The message for a file not read whole; empty when it was.
    std::string loadProblemText;
    // The changes the window shows but app.txt does not hold, and why.
    std::vector<CatalogueChange> pendingChanges;
    std::string unsavedReason;
    bool saveFailureShown = false;
    bool backupFailureShown = false;
    std::vector<std::string> notices;
};

}  // namespace MyApp
