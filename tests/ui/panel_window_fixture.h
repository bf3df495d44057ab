#pragma once
// The main window of case 1, March 2020, shown and active, for the tests of the panel window: typing
// codes into line 1, the open panel, its buttons and fields, the last message told.

#include "presentation/navigation.h"
#include "support/session.h"
#include "ui/main_window.h"
#include "ui/sheet_cell.h"
#include "ui/tablett.h"

#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <memory>
#include <string>

namespace varemo::test {

struct PanelWindowFixture {
    PanelWindowFixture() : s(2020, DataSet::Real, 1, 3) {
        ShowSelection(s.g);
        window = std::make_unique<ui::MainWindow>(s.g);
        window->setWritesWindowRecord(false);
        window->show();
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window.get());
    }
    void type(const QString& keys) {
        for (QChar c : keys)
            QTest::keyClick(window->lineText(1), c.toLatin1());
    }
    ui::Tablett* panel() const { return window->panel(); }
    QPushButton* button(const QString& caption) const { return panel()->buttonWithCaption(caption); }
    void click(const QString& caption) const { button(caption)->click(); }
    template <class T> T* element(const QString& name) const { return panel()->body()->findChild<T*>(name); }
    std::string lastMessage() const {
        auto m = s.messageTexts();
        return m.empty() ? "" : m.back();
    }
    // The main window takes the focus back, as a click on it does.
    void activateMain() {
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window.get());
        QTest::qWait(20);
    }
    std::filesystem::path userFile(const std::string& name) const { return s.g.userFolder / name; }

    TestSession s;
    std::unique_ptr<ui::MainWindow> window;
};

} // namespace varemo::test
