// The option list of a line (zgrid) and of the pay group, and the editor that renames a line's first
// entry: where they open, what they show, and what a choice does.
#include "ui/main_window.h"

#include "deductions/sheet_options.h"
#include "presentation/navigation.h"
#include "presentation/sheet_view.h"
#include "session/line_input.h"
#include "session/sheet_edits.h"
#include "ui/engine_call.h"
#include "ui/option_grid.h"
#include "ui/sheet_area.h"
#include "ui/sheet_cell.h"
#include "ui/window_bars.h"
#include "ui/window_layout.h"

#include <QLineEdit>

#include <algorithm>

namespace varemo::ui {

void MainWindow::openOptionList(int line) {
    if (!CanChangeLines(g_)) return;
    if (line == 6 && g_.sheet.line(6).options.empty()) {
        // Without label texts the date is all line 6 offers.
        sheet_->dateField()->setFocus();
        sheet_->dateField()->selectAll();
        return;
    }
    std::vector<std::string> entries;
    if (!callEngine(g_.prompter, [&] { entries = optionGridEntries(g_, line); })) return;
    if (entries.empty()) return;
    QStringList list;
    for (const auto& e : entries)
        list << q(e);
    int current = line == 1 ? g_.caseNumber - 1 : lineKey(g_.workingCase, line).value_or(-1);
    // Line 42 stores the share code of its entry, not the entry's position.
    if (line == 42 && current >= 0) current = employeeSharePosition(current);
    LinePlacement place = tastencode(line);
    const int rows = std::min(static_cast<int>(list.size()), 16);
    const int height = 70 + rows * 18;
    // Beside the line where the spread area has it.
    const QSize area = grid_->parentWidget()->size();
    int x = place.column == 0 ? stretchedSheetX(kColumns[0].amount, area.width())
                              : stretchedSheetX(kColumns[1].number, area.width()) - 336;
    int y = std::clamp(stretchedY(rowY(place.row), area.height()) - 4, 84, area.height() - height - 4);
    grid_->setGeometry(x, y, 330, height);
    grid_->showEntries(
        line, false, QStringLiteral("Zeile %1: %2").arg(line).arg(QString::fromUtf8(lineInfo(line).caption)),
        list, current, hasRenamableEntry(line) && line != 28 && line != 1);
    // Opened by mouse too, the list takes two digits as its numbers say.
    keys_.awaitEntry();
}

void MainWindow::openPayGroupList() {
    if (!CanChangeLines(g_)) return;
    std::vector<std::string> entries;
    if (!callEngine(g_.prompter, [&] { entries = payGroupEntries(g_); })) return;
    QStringList list;
    for (const auto& e : entries)
        list << q(e);
    const QSize area = grid_->parentWidget()->size();
    int y = std::clamp(stretchedY(rowY(tastencode(4).row), area.height()) - 4, 84, area.height() - 360);
    grid_->setGeometry(stretchedSheetX(kColumns[0].amount, area.width()), y, 330, 70 + 16 * 18);
    grid_->showEntries(4, true, QStringLiteral("Zeile 4: Gruppe"), list, g_.workingCase.payGroup(), false);
    keys_.awaitEntry();
}

void MainWindow::chooseEntry(int line, bool payGroup, int position) {
    closeOptionGrid();
    if (line == 1) {
        engine([&] {
            if (CanChangeLines(g_)) SelectCase(g_, position + 1);
        });
        return;
    }
    engine([&] {
        history_.edit(g_, [&] {
            return payGroup ? SetKey(g_, KeySlot::PayGroup, position) : ChooseOption(g_, line, position);
        });
    });
    sheet_->lineText(line)->setFocus();
}

void MainWindow::closeOptionGrid() {
    if (grid_->isVisible()) grid_->hide();
    // Digits typed after the list closed choose nothing.
    if (keys_.state() == 3 || keys_.state() == 4) clearKeyCode();
}

void MainWindow::renameEntry(int line) {
    if (line == 6) {
        focusAmount(6);
        return;
    }
    if (!CanChangeLines(g_)) return;
    if (line == 28) {
        callEngine(g_.prompter, [this] { RenameFirstEntry(g_, 28, ""); });
        return;
    }
    if (line == 1) {
        bars_->caseNameField()->setFocus();
        bars_->caseNameField()->selectAll();
        return;
    }
    closeOptionGrid();
    const auto& options = g_.sheet.line(line).options;
    SheetCell* text = sheet_->lineText(line);
    renameLine_ = line;
    renameEditor_->setGeometry(text->geometry());
    renameEditor_->setText(options.empty() ? QString() : q(options[0]));
    renameEditor_->show();
    renameEditor_->raise();
    renameEditor_->setFocus();
    renameEditor_->selectAll();
    bars_->showHint(
        QStringLiteral("Neuer Name des 1. Eintrags der Zeile %1, mit der Entertaste bestätigen").arg(line));
}

void MainWindow::commitRename() {
    int line = renameLine_;
    renameLine_ = 0;
    renameEditor_->hide();
    if (line == 0) return;
    std::string text = renameEditor_->text().toStdString();
    engine([&] { history_.edit(g_, [&] { return RenameFirstEntry(g_, line, text); }); });
    sheet_->lineText(line)->setFocus();
}

} // namespace varemo::ui
