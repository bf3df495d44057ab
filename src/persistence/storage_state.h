#pragma once
// What the session keeps of the program folder, the settings file and the user folder between
// operations: the data root, the protection switch, the employer and window record as read, the yearly
// default records and the start-up switches. Globaldaten holds one of these as `storage`.

#include "base/record_file.h"
#include "persistence/folder_lock.h"
#include "persistence/user_files.h"
#include "persistence/window_record.h"

#include <filesystem>
#include <memory>
#include <string>

namespace varemo {

// The status line of the main window (the footer): long operations report their progress there.
class StatusLine {
  public:
    virtual ~StatusLine() = default;
    virtual void show(const std::string& text) = 0;
};

// How a storage operation ended.
enum class StorageResult {
    Done,      // everything was done
    Cancelled, // the user said no; nothing was changed
    Refused,   // the operation is not possible (the message said why); nothing was changed
    Failed,    // a file could not be used; the files were put back as they were (the message said so)
};

struct StorageState {
    // The data root itself is Globaldaten::dataRoot.
    std::string dataRootText; // as stored in the settings file (or the program folder)
    bool protection = false;  // settings record 101 is "Schutz ein"
    std::string userLabel;    // label of the current user
    std::string caption;      // window caption

    WindowRecord window;                            // "varemo20.dim" as read, changed by the session
    RecordBuffer churchTax{kChurchTaxRecordLength}; // "kipausch.vee", record of the current year

    bool tariffsPresent = false;    // "Tarife/" + year + "1.ttt" exists below the data root
    bool optionTextDefault = false; // record 4988 of the year's option-text file reads "def"
    bool autoUpdateCheck = false;   // window record switch, off when "noupdate.txt" exists

    StatusLine* status = nullptr; // where progress goes; nothing is shown without one

    // The user folder's lock while a write operation runs, and how many operations share it.
    std::shared_ptr<FolderLock> folderLock;
    int folderLockDepth = 0;

    void showStatus(const std::string& text) const {
        if (status) status->show(text);
    }
};

} // namespace varemo
