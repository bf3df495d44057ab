#include "presentation/navigation.h"

#include "presentation/year_salary.h"
#include "session/case_load.h"
#include "session/case_operations.h"

namespace varemo {
namespace {

void openFilesIfNeeded(Session& g) {
    if (!g.files.isOpen() || g.files.year() != g.year || g.files.dataSet() != g.dataSet) OpenYearFiles(g);
}

} // namespace

void ShowSelection(Session& g) {
    if (g.showsYearSalary()) {
        openFilesIfNeeded(g);
        LoadYearSalary(g);
    } else {
        SelectCaseMonth(g);
    }
}

bool SelectMonth(Session& g, int month) {
    if (month < 1 || month > kYearSalaryMonth) return false;
    g.selectMonth(month);
    ShowSelection(g);
    return true;
}

bool SelectYear(Session& g, int year) {
    if (g.showsYearSalary()) {
        g.prompter.tell("Sorry",
                        {"Ein Jahreswechsel ist nur möglich, wenn ein Monatsgehalt eingestellt ist."});
        return false;
    }
    if (year < kFirstYear || year > kLastYear) return false;
    g.year = year;
    ShowSelection(g);
    return true;
}

bool SelectDataSet(Session& g, DataSet set) {
    g.dataSet = set;
    ShowSelection(g);
    return true;
}

bool SelectCase(Session& g, int caseNumber) {
    if (caseNumber < 1) return false;
    openFilesIfNeeded(g);
    // The case count includes the empty entry at the end of the list: choosing it creates a case.
    if (caseNumber >= caseCount(g, g.year)) {
        caseNumber = NewCase(g);
        if (caseNumber == 0) return false;
    }
    g.caseNumber = caseNumber;
    ShowSelection(g);
    return true;
}

std::vector<std::string> caseListNames(Session& g) {
    openFilesIfNeeded(g);
    std::vector<std::string> names;
    int count = caseCount(g, g.year);
    for (int n = 1; n < count; ++n)
        names.push_back(g.files.readYear(n).name());
    return names;
}

} // namespace varemo
