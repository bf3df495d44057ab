#pragma once
// The update panel in the panel window (contents 1235, 1237 and 1238 of update/update_notice.h): the
// installed and offered dates of the main program and the tariff files, the tariff download of a row, and
// the pages "Updaten" and "Was ist neu?". Downloads run on a worker thread behind a progress dialog that
// can cancel them, so that the window keeps drawing; what they fetched is evaluated and installed on the
// window's thread, the only one that touches the session.

#include "ui/tablett.h"

#include <memory>

class QWidget;

namespace varemo::ui {

// nullptr when the code is no update content.
std::unique_ptr<PanelContent> makeUpdateContent(int code, PanelHost& host);

// Marks this program run's automatic check as pending or not, as the start-up decided it.
void beginUpdateRun(const Session& g);

// The first tick of the main window's timer: the automatic check, at most once per run. Shows the panel
// (1235) when an update is available; does nothing without an update server of the installation.
void runStartupUpdateCheck(PanelHost& host, QWidget* window);

} // namespace varemo::ui
