#include "session/year_figures.h"

#include "calc/calculation_run.h"
#include "deductions/contribution_group.h"
#include "deductions/insurance_status.h"
#include "pay/pay_options.h"
#include "session/case_load.h"
#include "session/case_operations.h"
#include "session/recalculate.h"

#include <utility>

namespace varemo {
namespace {

constexpr const char* kDamagedMonth =
    "Der gespeicherte Monat ist beschädigt; er wird beim Aufruf auf dem Blatt zurückgesetzt.";
constexpr const char* kRunFailed = "Die Berechnung des Monats wurde abgebrochen.";

// What the session was working on; the views run other case-months through it and put it back.
class WorkingStateKept {
  public:
    explicit WorkingStateKept(Session& g)
        : g_(g), caseNumber_(g.caseNumber), month_(g.month()), working_(g), steps_(g), pay_(g.pay),
          suspended_(g.closingStepSuspended) {
        g.closingStepSuspended = true; // looking at a month never writes it
    }
    ~WorkingStateKept() {
        g_.caseNumber = caseNumber_;
        g_.selectMonth(month_);
        static_cast<WorkingCaseMonth&>(g_) = std::move(working_);
        static_cast<StepHandOver&>(g_) = std::move(steps_);
        g_.pay = std::move(pay_);
        g_.closingStepSuspended = suspended_;
    }
    WorkingStateKept(const WorkingStateKept&) = delete;
    WorkingStateKept& operator=(const WorkingStateKept&) = delete;

  private:
    Session& g_;
    int caseNumber_;
    int month_;
    WorkingCaseMonth working_;
    StepHandOver steps_;
    PaySession pay_;
    bool suspended_;
};

void openYear(Session& g) {
    if (!g.files.holds(g.year, g.dataSet)) OpenYearFiles(g);
}

MonthFigures monthFigures(Session& g, int month) {
    MonthFigures f;
    f.month = month;
    f.stored = !g.files.readMonth(month, g.caseNumber).allZero();
    g.selectMonth(month);
    if (!ReadCaseMonthUnchanged(g)) {
        f.problem = kDamagedMonth;
        return f;
    }
    if (!RunCalculation(g)) {
        f.problem = g.overflow ? kOverflowText : kRunFailed;
        return f;
    }
    Redisplay(g);
    f.workingCase = g.workingCase;
    f.sheet = g.sheet;
    f.employer = g.pension.employer;
    f.partTimeFactor = g.extras.columns.partTimeFactor;
    f.monthPaid = g.extras.columns.monthPaid;
    f.monthWhole = g.extras.columns.monthWhole;
    f.taxTable = wageTaxTable(g);
    if (!g.social.worksheet.civilServant && topsUpMiniJobPension(g.workingCase))
        f.miniJobMinimumBase = g.social.defaults.rvMinimumBase;
    f.taxablePay = g.tax.worksheet.amount(10);
    f.flatWageTax = g.tax.worksheet.amount(19);
    f.flatSurcharge = g.tax.worksheet.amount(20);
    f.flatChurchTax = g.tax.worksheet.amount(21);
    f.healthBase = g.social.worksheet.kv.base;
    f.pensionBase = g.social.worksheet.rv.base;
    f.levyBase = g.pension.worksheet.amount(9);
    f.social = g.social.worksheet;
    const std::vector<std::string> groups = payGroupNames(g.pay.texts, g.workingCase.serviceRelationship());
    const int group = g.workingCase.payGroup();
    if (group >= 0 && group < static_cast<int>(groups.size()))
        f.payGroup = groups[static_cast<size_t>(group)];
    if (f.payGroup.empty()) f.payGroup = "Gruppe " + std::to_string(group + 1);
    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line) {
        const GrossLineAttributes& a = g.workingCase.grossLine(line);
        if (a.flag(LineFlag::PerformancePay)) f.performancePay += a.reducedAmount;
    }
    f.social = g.social.worksheet;
    f.pension = g.pension.worksheet;
    const int fund = g.workingCase.key(KeySlot::SupplementaryFund);
    if (isPensionFund(fund)) f.pensionRates = g.pension.settings.rates(fund, g.east, month - 1);
    f.employeeCapital = g.pension.employeeCapital;
    f.employerFlatTaxes = g.tax.employerFlat;
    f.annualAdjustment = g.tax.adjustment.performed();
    return f;
}

CaseYearFigures caseYear(Session& g, int caseNumber) {
    CaseYearFigures out;
    out.caseNumber = caseNumber;
    g.caseNumber = caseNumber;
    out.name = g.files.readYear(caseNumber).name();
    // The case is held across its twelve runs, so that each month is read and unpacked once and what the
    // contribution step works out from an earlier month is worked out once, not again in every later
    // month. Nothing is written while it is held (the closing step is suspended, loading repairs
    // nothing), and a write would replace what the store keeps; the hold ends with this function.
    const CaseYearInMemory held(g.files, caseNumber);
    for (int month = 1; month <= 12; ++month)
        out.months[static_cast<size_t>(month - 1)] = monthFigures(g, month);
    return out;
}

} // namespace

CaseYearFigures CalculateCaseYear(Session& g, int caseNumber) {
    WorkingStateKept kept(g);
    openYear(g);
    return caseYear(g, caseNumber);
}

std::vector<CaseYearFigures> CalculateAllCases(Session& g, const std::function<bool(int, int)>& progress) {
    WorkingStateKept kept(g);
    openYear(g);
    const DataSet set[] = {g.dataSet};
    const int count = caseCount(g, g.year);
    std::vector<CaseYearFigures> out;
    for (int caseNumber = 1; caseNumber < count; ++caseNumber) {
        if (progress && !progress(caseNumber - 1, count - 1)) break;
        if (!caseStored(g, g.year, caseNumber, set)) continue;
        out.push_back(caseYear(g, caseNumber));
    }
    return out;
}

} // namespace varemo
