#pragma once
// Form3: the year view of one case (views 40, 41, 39 and the control listing) in a grid, the mode
// button that switches between single months and accumulated months, the export, and beside the grid a
// small chart of the twelve months (gross pay, net pay, employer's cost) to compare months by eye.
// A click on a month's column (view 39: its row) closes the view and asks the main window to show that
// month; "Drucken" closes it and leaves the main window to show the table in the print preview. The
// months are calculated once when the window opens; nothing is written.

#include "presentation/year_view.h"
#include "print/table_printout.h"
#include "session/session.h"

#include <QDialog>

#include <array>
#include <optional>

class QLabel;
class QPushButton;
class QTableWidget;

namespace varemo::ui {

// The twelve months as three lines: gross pay, net pay and employer's cost (a month without figures
// leaves a gap).
class MonthChart : public QWidget {
    Q_OBJECT
  public:
    using Series = std::array<std::optional<int64_t>, 12>; // cents
    explicit MonthChart(QWidget* parent = nullptr);
    void setSeries(const Series& gross, const Series& net, const Series& cost);
    const Series& gross() const { return gross_; }
    QSize sizeHint() const override { return {300, 220}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Series gross_{}, net_{}, cost_{};
};

// The table in a grid widget: captions, cells as the grid shows them, amounts right-aligned.
void fillGrid(QTableWidget* grid, const ReportTable& table);

// Asks for a file and writes the tables as CSV or JSON (by the chosen filter); a failure is told.
void exportTables(QWidget* parent, Prompter& prompter, const std::vector<ReportTable>& tables,
                  const QString& suggestedName);

class YearViewWindow : public QDialog {
    Q_OBJECT
  public:
    // settings: the control listing instead of view `kind`.
    YearViewWindow(Session& g, int caseNumber, YearViewKind kind, bool settings, QWidget* parent = nullptr);

    QTableWidget* grid() const { return grid_; }
    QPushButton* modeButton() const { return mode_; }
    QPushButton* exportButton() const { return export_; }
    MonthChart* chart() const { return chart_; }
    const ReportTable& table() const { return table_; }
    bool accumulated() const { return options_.accumulated; }

    // The mode button: single months and accumulated months in turn.
    void toggleAccumulated();
    // As a click on the cell: a month's column (or row) chooses the month and closes the view.
    void clickCell(int row, int column);
    // "Drucken": closes the view, which then asks for the preview of printKind() with table().
    void requestPrint();
    bool printRequested() const { return printRequested_; }
    // 39, 40 or 41 for the view shown, 49 for the control listing.
    int printKind() const;

  signals:
    void monthChosen(int month);

  private:
    void refill();

    Session& g_;
    int year_;
    CaseYearFigures figures_;
    YearViewOptions options_;
    bool settings_;
    bool printRequested_ = false;
    ReportTable table_;
    QTableWidget* grid_;
    QPushButton* mode_;
    QPushButton* export_;
    QLabel* heading_;
    QLabel* hint_;
    QLabel* notes_;
    MonthChart* chart_;
};

} // namespace varemo::ui
