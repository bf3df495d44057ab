#pragma once
// The cost-centre overview: the employer's cost of all cases of a year and data set, by cost centre
// (sheet line 28 of each month) and by kind of staff. An upper table lists the cost centres with their
// cases and year totals and ends in "GESAMTSUMME"; a lower table lists the months of the selection with
// "Summe". Built from the same month figures as the year view: a case's figures are its sheets' figures.
//
// The column "Summe Personalkosten" holds pay, the employer's contributions, the levies and taxes he
// takes over and the calculated overheads; with "Sachbezüge", "ATZ-Aufst." and "Sonstiges" it makes
// the employer's total cost of the sheet (" AG-GESAMTAUFWAND"). "Leistungsentgelt" is part of the pay.
// Workers have no pay scale of their own in these years (their agreements merged into those of the
// employees), so the pay of all employees stands in "Angest.-verg.".

#include "base/report_table.h"
#include "model/data_set.h"
#include "session/year_figures.h"

#include <string>
#include <vector>

namespace varemo {

inline constexpr const char* kAllCostCentres = "Alle Kostenstellen";
inline constexpr const char* kWithoutCostCentre = "Alle ohne Kostenstelle";
inline constexpr const char* kGrandTotal = "GESAMTSUMME";

// The overview's selection box: all cost centres, the cases without one, or one cost centre (its
// position 1 to 121 in the list of sheet line 28).
struct CostCentreChoice {
    enum class Kind { All, Without, One } kind = Kind::All;
    int position = 0; // Kind::One
    bool operator==(const CostCentreChoice&) const = default;
};

struct CostCentreOptions {
    CostCentreChoice choice;
    bool accumulated = false; // the month table shows the totals from January
    bool sorted = false;      // cost centres and cases by name instead of by number
    bool emptyLines = false;  // an empty row after each cost centre
    // The upper table: 0 the whole year; 1 to 12 that month alone, accumulated January to that month.
    int month = 0;
};

// The entries of the selection box: "Alle Kostenstellen", "Alle ohne Kostenstelle", then each cost
// centre some case is assigned to in some month, by position, with its name.
struct CostCentreEntry {
    CostCentreChoice choice;
    std::string caption;
};
std::vector<CostCentreEntry> costCentreEntries(const std::vector<CaseYearFigures>& cases);

// The eleven amount columns, after "Nr." and "Name".
const std::vector<std::string>& costCentreAmountColumns();

// The upper table ("costCentres") and the month table ("months").
std::vector<ReportTable> buildCostCentreOverview(const std::vector<CaseYearFigures>& cases, int year,
                                                 DataSet set, const CostCentreOptions& options);

// The performance pay ("Leistungsentgelt") of each case of the choice, month by month: "Nr.", "Name",
// "JAN." … "DEZ.", "Summe", and "GESAMTSUMME"; a month the case spends in another cost centre is empty.
ReportTable buildPerformancePayTable(const std::vector<CaseYearFigures>& cases, int year, DataSet set,
                                     const CostCentreChoice& choice);

// The window title for a choice.
std::string costCentreTitle(const CostCentreChoice& choice, const std::vector<CaseYearFigures>& cases);
// Whom a printout covers: "für alle Kostenstellen", "für Personalfälle ohne Kostenstelle", "für " + name.
std::string costCentreAddressee(const CostCentreChoice& choice, const std::vector<CaseYearFigures>& cases);

} // namespace varemo
