#include "session/guarded.h"

#include "base/error.h"
#include "session/case_load.h"

#include <optional>

namespace varemo {

std::filesystem::path dataRootOf(const Session& g) {
    return g.dataRootOrProgram();
}

ShownSelection rememberSelection(const Session& g) {
    return {g.year, g.month(), g.caseNumber, g.dataSet, g.files.isOpen()};
}

void returnToSelection(Session& g, const ShownSelection& s) {
    g.year = s.year;
    g.selectMonth(s.month);
    g.caseNumber = s.caseNumber;
    g.dataSet = s.dataSet;
    g.files.close();
    if (s.filesOpen) OpenYearFiles(g);
}

CalculationWrites::CalculationWrites(Session& g)
    : g_(g), suspended_(g.closingStepSuspended), mode_(g.modeField) {
    g.closingStepSuspended = false;
    if (g.modeField == 12) g.modeField = 0;
}

CalculationWrites::~CalculationWrites() {
    g_.closingStepSuspended = suspended_;
    g_.modeField = mode_;
}

UserFolderWrite::UserFolderWrite(Session& g) : s_(g.storage) {
    if (s_.folderLockDepth == 0 && !g.userFolder.empty())
        s_.folderLock = std::make_shared<FolderLock>(g.userFolder);
    ++s_.folderLockDepth;
}

UserFolderWrite::~UserFolderWrite() {
    if (--s_.folderLockDepth == 0) s_.folderLock.reset();
}

StorageResult runGuarded(Session& g, const std::string& operation,
                         const std::vector<std::filesystem::path>& files, const std::function<void()>& body) {
    const ShownSelection shown = rememberSelection(g);
    std::optional<UserFolderWrite> lock;
    FileSnapshot snapshot(g.userFolder);
    // The lock is given back before a message waits for the user, so that other programs go on.
    auto fail = [&](const std::string& cause, const std::string& state) {
        lock.reset();
        g.prompter.ask(
            PromptMessage{PromptIcon::Critical,
                          "Fehler",
                          {operation + " konnte nicht ausgeführt werden.", "Ursache: " + cause, state},
                          PromptButtons::Ok});
        return StorageResult::Failed;
    };
    try {
        lock.emplace(g);
        snapshot.add(files);
    } catch (const FolderBusyError&) {
        return fail(kFolderBusyText, "Es wurde nichts verändert.");
    } catch (const std::exception& e) {
        return fail(failureCause(e), "Es wurde nichts verändert.");
    }
    try {
        g.files.close();
        body();
        return StorageResult::Done;
    } catch (const std::exception& e) {
        g.files.close();
        bool restored = snapshot.restore();
        std::string state =
            restored ? "Alle Dateien sind unverändert."
                     : "Nicht alle Dateien konnten zurückgesetzt werden. Die gesicherten Fassungen "
                       "liegen in " +
                           snapshot.folder().string() + ".";
        try {
            returnToSelection(g, shown);
        } catch (const std::exception&) {
            g.files.close();
        }
        return fail(failureCause(e), state);
    }
}

std::vector<std::filesystem::path> caseFilePaths(const std::filesystem::path& userFolder, int year,
                                                 DataSet set) {
    std::vector<std::filesystem::path> out;
    for (int m = 1; m <= 13; ++m)
        out.push_back(findFileIgnoringCase(userFolder, caseFileName(year, set, m)));
    return out;
}

std::vector<std::filesystem::path> caseFilePaths(const std::filesystem::path& userFolder, int year) {
    std::vector<std::filesystem::path> out;
    for (DataSet s : kAllDataSets) {
        auto some = caseFilePaths(userFolder, year, s);
        out.insert(out.end(), some.begin(), some.end());
    }
    return out;
}

} // namespace varemo
