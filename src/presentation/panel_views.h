#pragma once
// The views of the panel window that show what the last calculation of the working case-month worked
// out, as a table (MSFlexGrid1) with notes below: the tax worksheet (content 6), the social-insurance
// worksheet (29), the part-time explanation (35) and the annual-earnings check (432); and the overview
// of the tariff table the case reads (49). Viewing changes nothing; the tables are built from the
// session's worksheets of the last run and the open tariff files.

#include "deductions/annual_earnings_check.h"
#include "law/mini_job.h"
#include "session/session.h"

#include <string>
#include <vector>

namespace varemo {

struct PanelTable {
    std::string title;
    std::vector<std::string> headers;
    std::vector<std::vector<std::string>> rows; // each as many cells as headers
    std::vector<std::string> notes;             // lines below the table
};

PanelTable taxWorksheetTable(const Globaldaten& g);
PanelTable socialInsuranceTable(const Globaldaten& g);
PanelTable partTimeTable(const Globaldaten& g);

// The inputs the annual-earnings panel starts with: the part of the supplementary-pension levy subject
// to contributions from the last run; the amounts only the user knows start empty.
AnnualEarningsInput annualEarningsDefaults(const Globaldaten& g);
PanelTable annualEarningsTable(const AnnualEarningsCheck& check);

// "Übersicht über den Inhalt der Tariftabellen": for the case's region and service relationship in the
// shown month (January for the year salary), one row per pay group with a tariff record, its 27 entries
// in euros (an entry without an amount shows "-"). Without tariff files, or for a service relationship
// without tables, the notes say so and the table is empty.
PanelTable tariffOverviewTable(Session& g);

// "Vergleiche A": the shown case number in the years 2017 to 2021 of the current data set, side by side
// from the year records: per month the gross pay (line 23) and the net pay (line 47), and their sums. A
// year whose file holds no such case shows "-" and is named in the notes. Reads the year files only.
PanelTable yearComparisonTable(const Session& g);

// The classification form "SV" (f18): the class of the main employment and of up to two mini-jobs, the
// pay that decides, the form's messages, and the contribution kinds of lines 37 to 40 that the class
// of this case's employment (the main one, or the first mini-job without one) selects.
std::string employmentClassText(EmploymentClass c);
SvFormInput svFormDefaults(const Globaldaten& g);
PanelTable svClassificationTable(Globaldaten& g, const SvFormInput& in);

} // namespace varemo
