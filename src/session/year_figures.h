#pragma once
// The twelve months of a case as their sheets show them, for the year view, the cost-centre overview
// and their exports. Each month is loaded from its record and run as loading it on the sheet runs it,
// but nothing is written: the run's closing step is suspended and a record the load would repair is
// reported instead of repaired. What the session was working on is put back afterwards.

#include "session/session.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace varemo {

struct MonthFigures {
    int month = 0;       // 1 to 12
    std::string problem; // why the month has no figures; empty when it has them
    bool available() const { return problem.empty(); }
    // The case has a record of the month; the figures of a month without one are those of an empty case.
    bool stored = true;

    Case workingCase; // after the run
    Sheet sheet;      // lines 1 to 47 with their texts and amounts
    EmployerCost employer;
    Money taxablePay;  // "10. = STEUERPFL. ENTGELT" of the tax worksheet
    Money healthBase;  // the base of the health insurance contribution
    Money pensionBase; // the base of the pension insurance contribution
    Money levyBase;    // "9. Umlagepflichtiges Entgelt" of the supplementary pension
    Money flatWageTax; // flat-rate taxes the employee bears (tax worksheet 19 to 21)
    Money flatSurcharge;
    Money flatChurchTax;
    Money performancePay; // lines 8 to 20 flagged as performance pay, after part-time
    std::string payGroup; // the pay group of line 4 as its list names it
    // The contributions by branch, the employee's and the employer's, and the levies.
    SocialInsuranceWorksheet social;
};

struct CaseYearFigures {
    int caseNumber = 0;
    std::string name;
    std::array<MonthFigures, 12> months;
};

// The months of case caseNumber in g.year and g.dataSet. The case must be stored in that year (the
// caller asks caseStored first).
CaseYearFigures CalculateCaseYear(Session& g, int caseNumber);

// All cases of g.year and g.dataSet, in case-number order. progress(done, total) is called before each
// case; when it returns false the work stops and the cases done so far are returned.
std::vector<CaseYearFigures> CalculateAllCases(Session& g,
                                               const std::function<bool(int done, int total)>& progress = {});

} // namespace varemo
