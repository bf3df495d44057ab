#pragma once
// Form2: the cost-centre overview of all cases of the year and data set. The selection box chooses all
// cost centres, the cases without one, or one cost centre; the options accumulate the months, sort by
// name and put empty lines between cost centres. The upper grid lists cost centres and cases with their
// year totals and "GESAMTSUMME"; the lower grid the months. A click on a case's number closes the
// overview and asks the main window to show that case. "Drucken" prints the months of each cost centre
// and the overview of all of them in landscape. The cases are calculated once when the window
// opens, with a progress dialog that may be cancelled between cases; nothing is written.

#include "presentation/cost_centre_overview.h"
#include "session/session.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace varemo::print {
class PrintSurface;
}

namespace varemo::ui {

class CostCentreWindow : public QDialog {
    Q_OBJECT
  public:
    explicit CostCentreWindow(Session& g, QWidget* parent = nullptr);

    // False when the calculation of the cases was cancelled: the window has nothing to show.
    bool loaded() const { return loaded_; }

    QComboBox* selection() const { return combo_; }
    QCheckBox* accumulateOption() const { return accumulate_; }
    QCheckBox* sortOption() const { return sort_; }
    QCheckBox* emptyLinesOption() const { return emptyLines_; }
    QTableWidget* overviewGrid() const { return upper_; }
    QTableWidget* monthGrid() const { return months_; }
    const std::vector<ReportTable>& tables() const { return tables_; }

    // The printout: per cost centre (and the cases without one) its months with "SUMME", a new page for
    // each when pagePerCentre, then the overview of all cost centres ending in "GESAMTSUMME".
    void printTo(print::PrintSurface& s, bool pagePerCentre) const;
    // "Drucken": asks about the page breaks, then the printer.
    void printOverview();
    // The performance-pay print of the chosen cost centres.
    void printPerformancePay(print::PrintSurface& s) const;

    // As a click on a cell of the upper grid: the column "Nr." of a case chooses the case.
    void clickCase(int row, int column);

  signals:
    void caseChosen(int caseNumber);

  private:
    void refill();

    Session& g_;
    int year_;
    DataSet set_;
    bool loaded_ = true;
    std::vector<CaseYearFigures> cases_;
    std::vector<CostCentreEntry> entries_;
    std::vector<ReportTable> tables_;
    QComboBox* combo_;
    QCheckBox* accumulate_;
    QCheckBox* sort_;
    QCheckBox* emptyLines_;
    QTableWidget* upper_;
    QTableWidget* months_;
    QLabel* notes_;
};

} // namespace varemo::ui
