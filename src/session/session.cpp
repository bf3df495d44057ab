#include "session/session.h"

#include "session/guarded.h"

namespace varemo {

void SaveWindowRecord(Session& g) {
    UserFolderWrite lock(g);
    saveWindowRecord(g.storage.window, g.userFolder, g.year, g.caseNumber, g.month(), g.dataSet);
}

} // namespace varemo
