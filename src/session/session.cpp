#include "session/session.h"

namespace varemo {

void SaveWindowRecord(Session& g) {
    saveWindowRecord(g.storage.window, g.userFolder, g.year, g.caseNumber, g.month(), g.dataSet);
}

} // namespace varemo
