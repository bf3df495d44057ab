// What the window's elements and keyboard codes do: the functions of the bars and the menus, the
// buttons of the lines, the values typed into the sheet and the case bar, and the reading of keys.
#include "ui/main_window.h"

#include "presentation/navigation.h"
#include "session/backups.h"
#include "session/case_memo.h"
#include "session/case_operations.h"
#include "session/guarded.h"
#include "session/line_input.h"
#include "session/recalculate.h"
#include "session/recalculate_all.h"
#include "session/sheet_edits.h"
#include "session/users.h"
#include "session/year_transfer.h"
#include "ui/amount_field.h"
#include "ui/calculator_widget.h"
#include "ui/calculator_windows.h"
#include "ui/cost_centre_window.h"
#include "ui/engine_call.h"
#include "ui/links.h"
#include "ui/option_grid.h"
#include "ui/panel_contents.h"
#include "ui/serial_print_window.h"
#include "ui/sheet_area.h"
#include "ui/sheet_cell.h"
#include "ui/special_rules_dialog.h"
#include "ui/window_bars.h"
#include "ui/window_layout.h"
#include "ui/year_view_window.h"

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSpinBox>

namespace varemo::ui {
namespace {

bool isTextEntry(QObject* o) {
    return qobject_cast<QLineEdit*>(o) || qobject_cast<QAbstractSpinBox*>(o);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Values typed into the sheet and the case bar

void MainWindow::commitAmount(AmountSlot slot, const QString& text) {
    if (redisplaying_) return;
    engine([&] { history_.edit(g_, [&] { return EnterAmount(g_, slot, text.trimmed().toStdString()); }); });
}

void MainWindow::amountFocused(int line, AmountSlot slot, bool takesTransfer) {
    if (takesTransfer) focusedSlot_ = slot;
    calculator_->setTarget(QStringLiteral("Ziel: Zeile %1").arg(line));
}

void MainWindow::transferFromCalculator(const QString& text) {
    if (!focusedSlot_) {
        g_.prompter.tell("Rechner", {"Bitte klicken Sie zuerst in das graue Betragsfeld, das den Betrag "
                                     "übernehmen soll."});
        return;
    }
    commitAmount(*focusedSlot_, text);
}

void MainWindow::commitDate() {
    std::string text = sheet_->dateField()->text().trimmed().toStdString();
    if (text == g_.workingCase.dateText) return;
    engine([&] { history_.edit(g_, [&] { return EnterDate(g_, text); }); });
}

void MainWindow::commitCaseName() {
    QLineEdit* caseName = bars_->caseNameField();
    if (redisplaying_ || !caseName->isModified()) return;
    caseName->setModified(false);
    std::string name = caseName->text().toStdString();
    if (name == g_.workingCase.name) return;
    engine([&] { RenameCase(g_, name); });
}

void MainWindow::commitMemo() {
    QLineEdit* memo = bars_->memoField();
    if (!memo->isModified() || memoOwner_.caseNumber == 0 || memoOwner_.folder != g_.userFolder) return;
    memo->setModified(false);
    callEngine(g_.prompter, [&] {
        if (!saveCaseMemo(g_, memoOwner_.year, memoOwner_.caseNumber, memo->text().toStdString()))
            memo->setModified(true); // kept for another try; the message said why
    });
}

void MainWindow::showMemoOfCase() {
    const MemoOwner shown{g_.userFolder, g_.year, g_.caseNumber};
    if (shown == memoOwner_) return;
    commitMemo();
    memoOwner_ = shown;
    QLineEdit* memo = bars_->memoField();
    memo->clear();
    memo->setModified(false);
    memo->setText(q(shownCaseMemo(g_))); // a file that cannot be read is reported by the redisplay
}

void MainWindow::selectCaseNumber() {
    QSpinBox* caseNumber = bars_->caseNumberField();
    if (redisplaying_ || caseNumber->value() == g_.caseNumber) return;
    int n = caseNumber->value();
    engine([&] { SelectCase(g_, n); });
}

void MainWindow::changeDataSet(DataSet set) {
    engine([&] { SelectDataSet(g_, set); });
}

void MainWindow::copyCase(int direction) {
    auto sets = copyDirection(direction);
    if (!sets) return;
    engine([&] {
        if (CopyCase(g_, sets->first, sets->second) == StorageResult::Done) ShowSelection(g_);
    });
}

// ---------------------------------------------------------------------------------------------
// Buttons of the lines and the bars

// d01 to d03 and k01 to k06 press their button, which keeps the focus: Space presses it again.
void MainWindow::chooseDataSet(int number) {
    QPushButton* b = bars_->dataSetButton(static_cast<DataSet>(number - 1));
    b->setFocus(Qt::ShortcutFocusReason);
    b->click();
}

void MainWindow::copyButton(int number) {
    QPushButton* b = bars_->copyButton(number - 1);
    b->setFocus(Qt::ShortcutFocusReason);
    b->click();
}

void MainWindow::advanceCategory(int line) {
    toggleFlag(line, FlagColumn::PartialRetirement);
}

void MainWindow::toggleFlag(int line, FlagColumn column) {
    engine([&] { history_.edit(g_, [&] { return ToggleFlag(g_, line, column); }); });
}

void MainWindow::focusAmount(int line) {
    QLineEdit* target = sheet_->amountTarget(line);
    if (!target || !target->isVisible()) return;
    if (auto* field = qobject_cast<AmountField*>(target); field && !field->isTyped()) {
        if (g_.showsYearSalary()) CanChangeLines(g_); // says why nothing can be typed
        return;
    }
    target->setFocus(Qt::ShortcutFocusReason);
    target->selectAll();
}

void MainWindow::lineHelp(int) {
    answerUnavailable(Availability::OnDemand);
}

void MainWindow::infoButton(int number) {
    dispatch(infoDispatch(number), codeText('i', number), "");
}

void MainWindow::regulation(int) {
    answerUnavailable(Availability::Later);
}

void MainWindow::yearButton(int year) {
    engine([&] { SelectYear(g_, year); });
}

void MainWindow::monthButton(int month) {
    engine([&] { SelectMonth(g_, month); });
}

void MainWindow::answerUnavailable(Availability a) {
    g_.prompter.ask(unavailableMessage(a));
}

void MainWindow::functionButton(int number) {
    auto f = findFunctionButton(number);
    if (!f) return;
    // The pay statement is for a month only, whatever else the button will do.
    if (number == 24 && g_.showsYearSalary()) {
        g_.prompter.tell("Nicht für das Jahresgehalt",
                         {"Die Entgeltbescheinigung steht nur für Monatsgehälter zur Verfügung."});
        return;
    }
    dispatch(functionDispatch(number), codeText('f', number), f->hint);
}

void MainWindow::menuItem(int number) {
    bars_->hideMenus();
    auto item = findMenuItem(number);
    if (!item) return;
    dispatch(menuAuswertung(number), codeText('Y', number), item->caption);
}

void MainWindow::dispatch(const MenuDispatch& d, const std::string& code, const std::string& caption) {
    switch (d.action) {
    case MenuAction::None:
        return;
    case MenuAction::Unavailable:
        answerUnavailable(d.availability);
        return;
    case MenuAction::OpenPanel:
        // Ordering the case list renumbers the files: allowed only once three sessions are saved.
        if (d.panel == panel::kOrdering) {
            bool allowed = false;
            callEngine(g_.prompter, [&] { allowed = MoveSortAllowed(g_); });
            if (!allowed) return;
        }
        openPanel(d.panel);
        return;
    case MenuAction::OpenLink:
        openLink(g_, code, caption);
        return;
    case MenuAction::SpecialRules:
        openGeneralRules(d.inKind);
        return;
    case MenuAction::StorageLocation:
        chooseStorageLocation();
        return;
    case MenuAction::EndProgram:
        // The window closes even when the session could not be ended cleanly: the message said why.
        callEngine(g_.prompter, [this] { EndSession(g_); });
        close();
        return;
    case MenuAction::RecalculateAll:
        recalculateAll();
        return;
    case MenuAction::TransferAll:
        engine([&] { TransferAllToNextYear(g_, d.year); });
        return;
    case MenuAction::DeleteYear:
        engine([&] {
            if (DeleteYear(g_, d.year) == StorageResult::Done && d.year == g_.year) ShowSelection(g_);
        });
        return;
    case MenuAction::ToggleMaximised:
        if (isMaximized())
            showNormal();
        else
            showMaximized();
        return;
    case MenuAction::Calculator:
        calculator_->setVisible(!calculator_->isVisible());
        if (calculator_->isVisible()) {
            calculator_->raise();
            calculator_->setFocus(Qt::ShortcutFocusReason);
        }
        return;
    case MenuAction::FollowingMonths:
        g_.followingMonthsOn = !g_.followingMonthsOn;
        bars_->showHint(
            g_.followingMonthsOn
                ? QStringLiteral("Die Folgemonate bis Dezember werden wieder automatisch berechnet.")
                : QStringLiteral("Die automatische Berechnung der Folgemonate ist ausgeschaltet."));
        redisplay();
        return;
    case MenuAction::Memo:
        bars_->toggleMemo();
        return;
    case MenuAction::SerialPrint:
        openSerialPrint();
        return;
    case MenuAction::Overview:
        openOverview(d.overview);
        return;
    case MenuAction::OpenCalculator:
        openCalculator(d.calculator);
        return;
    case MenuAction::AdoptModelCase:
    case MenuAction::TransferCase:
        if (g_.showsYearSalary()) {
            g_.prompter.ask(yearSalaryMenuRefusal());
            return;
        }
        engine([&] {
            if (d.action == MenuAction::AdoptModelCase)
                AdoptAsModelCase(g_);
            else
                TransferCaseToNextYear(g_);
        });
        return;
    case MenuAction::SortCases:
        engine([&] {
            if (MoveSortAllowed(g_) && SortCases(g_) == StorageResult::Done) ShowSelection(g_);
        });
        return;
    case MenuAction::PrintWindow:
        printScreen(d.colour);
        return;
    case MenuAction::Printout:
        showPrintout(d.printKind);
        return;
    case MenuAction::PrinterSetup:
        printerSetup();
        return;
    }
}

void MainWindow::openPanel(int content) {
    std::unique_ptr<PanelContent> c = makePanelContent(content, *this);
    if (!c) {
        answerUnavailable(Availability::Later);
        return;
    }
    if (!tablett_) tablett_ = new Tablett(*this, this);
    tablett_->setPlacementStore(panelStore_);
    callEngine(g_.prompter, [&] { tablett_->showContent(std::move(c)); });
}

void MainWindow::openCalculator(CalculatorWindow which) {
    // The calculators read the case-month shown; the year salary has no month of its own.
    if (g_.showsYearSalary()) {
        g_.prompter.ask(yearSalaryMenuRefusal());
        return;
    }
    // The window before closes and stores what it holds; it goes once its own button has returned.
    if (calculatorWindow_) {
        calculatorWindow_->close();
        calculatorWindow_->deleteLater();
        calculatorWindow_ = nullptr;
    }
    CalculatorDialog* window = nullptr;
    callEngine(g_.prompter, [&] { window = makeCalculatorWindow(which, g_, *this); });
    calculatorWindow_ = window;
    if (!window) return;
    window->show();
    window->raise();
    window->activateWindow();
}

void MainWindow::openSpecialRules(int line) {
    if (g_.showsYearSalary()) {
        CanChangeLines(g_); // says why the key codes of a month cannot be changed now
        return;
    }
    auto transfer = [this](const SpecialRulesWindow& w) {
        engine([&] {
            history_.edit(g_, [&] {
                if (!CanChangeLines(g_)) return false;
                {
                    UserFolderWrite lock(g_);
                    (void)w.transfer(g_); // a line's window: always true
                }
                return RecalculateAndRedisplay(g_);
            });
        });
    };
    callEngine(g_.prompter, [&] {
        delete specialRules_;
        specialRules_ = new SpecialRulesDialog(g_, SpecialRulesWindow::forLine(g_, line), transfer, this);
        specialRules_->show();
    });
}

void MainWindow::openGeneralRules(bool inKind) {
    callEngine(g_.prompter, [&] {
        delete specialRules_;
        specialRules_ = new SpecialRulesDialog(g_, SpecialRulesWindow::forGeneralRules(g_, inKind), {}, this);
        specialRules_->show();
    });
}

namespace {

// The progress of the recalculation of all cases: the status line as before, and a dialog that keeps
// the window from taking input while the cases are run.
struct ProgressStatus : StatusLine {
    StatusLine* footer = nullptr;
    QProgressDialog* dialog = nullptr;
    void show(const std::string& text) override {
        if (footer) footer->show(text);
        dialog->setLabelText(QString::fromStdString(text));
        dialog->setValue(std::min(dialog->value() + 1, dialog->maximum()));
    }
};

} // namespace

void MainWindow::recalculateAll() {
    if (g_.showsYearSalary()) {
        g_.prompter.ask(yearSalaryMenuRefusal());
        return;
    }
    QProgressDialog dialog(QStringLiteral("Alle Personalfälle werden neu durchgerechnet."), QString(), 0, 1,
                           this);
    dialog.setWindowTitle(QStringLiteral("Neu durchrechnen"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(0);
    dialog.setCancelButton(nullptr); // a half-recalculated year would mix old and new defaults
    ProgressStatus progress;
    progress.footer = g_.storage.status;
    progress.dialog = &dialog;
    callEngine(g_.prompter, [&] { dialog.setMaximum(std::max(1, (recalculationCaseCount(g_) - 1) * 12)); });
    g_.storage.status = &progress;
    RecalculationSummary summary;
    engine([&] { summary = RecalculateAllCases(g_); });
    g_.storage.status = progress.footer;
    dialog.reset();
    if (summary.done)
        bars_->showHint(QStringLiteral("Alle Personalfälle wurden neu durchgerechnet (%1 Monate).")
                            .arg(summary.monthsRun));
}

void MainWindow::chooseStorageLocation() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Speicherung der Personaldaten"),
                                          QString::fromStdString(g_.dataRootOrProgram().string()));
    if (folder.isEmpty()) return; // no choice, no change
    engine([&] {
        if (SetStorageLocation(g_, folder.toStdString()) == StorageResult::Done) ShowSelection(g_);
    });
}

void MainWindow::openSerialPrint() {
    if (!printer_) printer_ = std::make_shared<QPrinter>(QPrinter::HighResolution);
    SerialPrintWindow window(g_, *printer_, this);
    window.exec();
    redisplay(); // the orders make other cases and months current
}

void MainWindow::openOverview(int number) {
    // Both views read the stored months of the year; the year salary is no month of them.
    if (number == kMenuCostCentres) {
        std::unique_ptr<CostCentreWindow> overview;
        callEngine(g_.prompter, [&] { overview = std::make_unique<CostCentreWindow>(g_, this); });
        if (!overview || !overview->loaded()) return;
        connect(overview.get(), &CostCentreWindow::caseChosen, this,
                [this](int caseNumber) { engine([&] { SelectCase(g_, caseNumber); }); });
        overview->exec();
        return;
    }
    const bool settings = number == kMenuYearSettings;
    const YearViewKind kind = number == kMenuYearEmployerCost ? YearViewKind::EmployerCost
                              : number == kMenuYearCombined   ? YearViewKind::Combined
                                                              : YearViewKind::Salaries;
    std::unique_ptr<YearViewWindow> view;
    callEngine(g_.prompter,
               [&] { view = std::make_unique<YearViewWindow>(g_, g_.caseNumber, kind, settings, this); });
    if (!view) return;
    connect(view.get(), &YearViewWindow::monthChosen, this,
            [this](int month) { engine([&] { SelectMonth(g_, month); }); });
    view->exec();
    if (view->printRequested()) {
        print::PrintOptions options;
        options.table = std::make_shared<const ReportTable>(view->table());
        showPrintout(view->printKind(), options);
    }
}

// ---------------------------------------------------------------------------------------------
// Keys and hints

void MainWindow::escape() {
    if (tablett_ && tablett_->isVisible()) tablett_->leave();
    closeOptionGrid();
    if (renameEditor_->isVisible()) {
        renameLine_ = 0;
        renameEditor_->hide();
    }
    bars_->hideMenus();
    keys_.reset();
    updateKeyState();
    sheet_->lineText(1)->setFocus();
}

void MainWindow::clearKeyCode() {
    if (keys_.state() == 0) return;
    keys_.reset();
    updateKeyState();
}

void MainWindow::undoEdit() {
    if (history_.steps(g_) == 0) {
        bars_->showHint(
            QStringLiteral("In diesem Monat gibt es keine Eingabe, die rückgängig gemacht werden kann."));
        return;
    }
    engine([&] { history_.undo(g_); });
    bars_->showHint(QStringLiteral("Die letzte Eingabe in diesem Monat wurde rückgängig gemacht."));
}

void MainWindow::revertTyping() {
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !isAncestorOf(focus)) return;
    if (auto* field = qobject_cast<AmountField*>(focus)) {
        field->revert();
    } else if (focus == sheet_->dateField()) {
        sheet_->dateField()->setText(q(g_.workingCase.dateText));
    } else if (focus == bars_->caseNameField()) {
        bars_->caseNameField()->setText(q(g_.workingCase.name));
        bars_->caseNameField()->setModified(false);
    } else if (focus == bars_->memoField()) {
        callEngine(g_.prompter, [&] { bars_->memoField()->setText(q(shownCaseMemo(g_))); });
        bars_->memoField()->setModified(false);
    } else if (QSpinBox* number = bars_->caseNumberField(); focus == number || number->isAncestorOf(focus)) {
        number->setValue(g_.caseNumber);
    }
}

bool MainWindow::previewKey(QObject* target, QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        // Escape takes back what was typed and not yet confirmed: nothing is stored or recalculated.
        // The calculator closes when it was being typed into.
        if (QWidget* focus = QApplication::focusWidget();
            focus && (focus == calculator_ || calculator_->isAncestorOf(focus)))
            calculator_->hide();
        revertTyping();
        keys_.press(KeyPress::escape());
        escape();
        return true;
    }
    // Ctrl+Z undoes the last confirmed edit of the case-month. A field with unconfirmed typing, and the
    // text fields, take it back themselves.
    if (e->key() == Qt::Key_Z && (e->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier |
                                                    Qt::AltModifier)) == Qt::ControlModifier) {
        auto* field = qobject_cast<AmountField*>(target);
        if (!isTextEntry(target) || (field && !field->hasTyping())) {
            clearKeyCode();
            undoEdit();
            return true;
        }
    }
    // Typing into a text field is no code, and it ends a code begun elsewhere: digits typed into an
    // amount must never complete a "y" left pending before.
    if (isTextEntry(target)) {
        clearKeyCode();
        return false;
    }
    const int key = e->key();
    // A Ctrl shortcut (Ctrl+C, Ctrl+A, Ctrl+Plus) ends a pending code too. Ctrl alone begins one like Y,
    // and digits typed while it is still held complete it.
    if ((e->modifiers() & Qt::ControlModifier) && key != Qt::Key_Control &&
        !(key >= Qt::Key_0 && key <= Qt::Key_9)) {
        clearKeyCode();
        return false;
    }
    KeyPress k = KeyPress::other();
    if (key == Qt::Key_Control)
        k = KeyPress::control();
    else if (key >= Qt::Key_0 && key <= Qt::Key_9)
        k = KeyPress::digit(key - Qt::Key_0);
    else if (key >= Qt::Key_A && key <= Qt::Key_Z &&
             !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        k = KeyPress::letter(static_cast<char>('A' + (key - Qt::Key_A)));
    else if (key == Qt::Key_Shift || key == Qt::Key_Alt || key == Qt::Key_Meta)
        return false;
    const int stateBefore = keys_.state();
    KeyResult r = keys_.press(k);
    updateKeyState();
    switch (r.outcome) {
    case KeyOutcome::Ignored:
        return false;
    case KeyOutcome::Consumed:
        return true;
    case KeyOutcome::Cancelled:
        // In an open option list the arrows and Enter still move and choose.
        return stateBefore != 3 && stateBefore != 4;
    case KeyOutcome::Execute: {
        QScopedValueRollback<bool> running(runningCode_, true);
        tastenauswertung(r.code, *this);
        updateKeyState();
        return true;
    }
    case KeyOutcome::OpenMenuGroup: {
        QScopedValueRollback<bool> running(runningCode_, true);
        bars_->openMenuGroup(r.group);
        return true;
    }
    case KeyOutcome::ChooseEntry: {
        QScopedValueRollback<bool> running(runningCode_, true);
        if (grid_->isVisible() && r.entry >= 1 && r.entry <= grid_->entryCount())
            chooseEntry(grid_->line(), grid_->isPayGroup(), r.entry - 1);
        return true;
    }
    case KeyOutcome::Escape:
        escape();
        return true;
    }
    return false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::Enter) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w) return false;
    bool mine = w == this || isAncestorOf(w);
    bool ownMenu = bars_->isMenu(w);
    if (type == QEvent::Enter) {
        if (mine) {
            QVariant hint = w->property("hint");
            if (hint.isValid()) bars_->showHint(hint.toString());
        }
        return false;
    }
    auto* e = static_cast<QKeyEvent*>(event);
    if (ownMenu) {
        // Digits after a menu group choose its item as a code (y a 4 1).
        if (e->key() >= Qt::Key_0 && e->key() <= Qt::Key_9) return previewKey(watched, e);
        return false;
    }
    if (!mine) return false;
    // A key the focused element did not take goes on to its parents; the code machine has seen it there.
    if (QWidget* focus = QApplication::focusWidget(); focus && focus != w && w->isAncestorOf(focus))
        return false;
    return previewKey(watched, e);
}

} // namespace varemo::ui
