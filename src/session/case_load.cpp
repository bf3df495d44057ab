#include "session/case_load.h"

#include "pay/basic_pay.h"
#include "persistence/month_record.h"
#include "session/guarded.h"
#include "session/year_settings_ops.h"

#include <cmath>
#include <string>
#include <utility>

namespace varemo {
namespace {

constexpr const char* kNewCaseName = "Neuer Personalfall";

void writeCaseToAllMonths(Session& g, Case c) {
    for (int m = 1; m <= 12; ++m) {
        c.setKey(KeySlot::Month, static_cast<int16_t>(m - 1));
        g.files.writeMonth(m, g.caseNumber, packMonthRecord(c));
    }
}

// Reads the month record and the name; sets the month slot.
void readCaseMonth(Session& g, Case& c) {
    g.files.loadMonth(g.month(), g.caseNumber, c);
    c.name = g.files.readYear(g.caseNumber).name();
    c.setKey(KeySlot::Month, static_cast<int16_t>(g.month() - 1));
}

// Range check of the keys and of the month counter; returns the error number (50 + the slot's number)
// or 0.
int checkRanges(Session& g, Case& c) {
    int error = 0;
    for (KeySlot s : slotsFrom(slots::kFirstRangeChecked, slots::kLastRangeChecked)) {
        int limit = highestKey(s, g.year);
        if (limit >= 0 && c.key(s) > limit) {
            c.setKey(s, 0);
            error = 50 + slotNumber(s);
        }
    }
    if (g.monthCounter > 12) {
        g.monthCounter = 0;
        error = 55;
    }
    return error;
}

void followUpCorrections(Case& c) {
    auto zeroAbove = [&c](KeySlot s, int limit) {
        if (c.key(s) > limit) c.setKey(s, 0);
    };
    if (c.key(KeySlot::FlatTaxLimitChoice) < 0 || c.key(KeySlot::FlatTaxLimitChoice) > 5)
        c.setKey(KeySlot::FlatTaxLimitChoice, 0);
    zeroAbove(KeySlot::DateLabel, 10);
    zeroAbove(KeySlot::Region, 17);
    zeroAbove(KeySlot::LineSeven, 10);
    zeroAbove(KeySlot::Payout, 1);
    zeroAbove(KeySlot::Overtime, 3);
    zeroAbove(KeySlot::TaxFreeSupplements, 1);
    zeroAbove(KeySlot::AnnualPayment, 8);
    if (c.key(KeySlot::SupplementaryFund) > 40) c.setKey(KeySlot::SupplementaryFund, 3);
    zeroAbove(KeySlot::SolidaritySurcharge, 3);
    if (c.key(KeySlot::EmployeeCapitalFund) < 0) c.setKey(KeySlot::EmployeeCapitalFund, 0);
}

void amountCorrections(Session& g, Case& c) {
    if (c.amount(AmountSlot::Reserved46) > 10000) c.enterAmount(AmountSlot::Reserved46, 10000);
    if (c.amount(AmountSlot::TariffFactor) < 1000) c.enterAmount(AmountSlot::TariffFactor, 10000);
    if (c.amount(AmountSlot::StepReserve) > 1000000) c.enterAmount(AmountSlot::StepReserve, 0);
    // Both directions: a damaged record may hold any 32-bit value, and the step subtracts this one.
    if (c.amount(AmountSlot::StepMovement) > 1000 || c.amount(AmountSlot::StepMovement) < -1000)
        c.enterAmount(AmountSlot::StepMovement, 0);
    if (c.amount(AmountSlot::SupplementaryFund) < 0) c.enterAmount(AmountSlot::SupplementaryFund, 0);
    g.tariffFactor = static_cast<float>(c.amount(AmountSlot::TariffFactor)) / 10000.0f;
    int partial = c.key(KeySlot::PartialMonth);
    if (partial == 2 || partial == 3)
        g.partialRetirementPercent = static_cast<int>(std::lround(c.amount(AmountSlot::PaidDays) / 100000.0));
}

void repairDate(Case& c) {
    std::string& d = c.dateText;
    if (d.size() > 2 && d[2] == '/') {
        d[2] = '.';
        if (d.size() > 5) d[5] = '.';
    }
    if (d.find('_') != std::string::npos) d.clear();
}

} // namespace

bool ReadCaseMonthUnchanged(Session& g) {
    Case c;
    readCaseMonth(g, c);
    // Only the record's keys count here; the session's month counter is no property of the record.
    const int32_t counter = std::exchange(g.monthCounter, 0);
    const bool damaged = checkRanges(g, c) != 0;
    g.monthCounter = counter;
    if (damaged || nameNeedsReplacing(g.files.readYear(g.caseNumber).rawName())) return false;
    followUpCorrections(c);
    amountCorrections(g, c);
    repairDate(c);
    g.workingCase = std::move(c);
    g.east = isEastRegion(g.workingCase.region());
    return true;
}

bool nameNeedsReplacing(const std::string& rawName) {
    for (size_t i = 0; i < 2 && i < rawName.size(); ++i)
        if (static_cast<unsigned char>(rawName[i]) < 34) return true;
    return rawName.size() < 2;
}

int highestKey(KeySlot slot, int year) {
    switch (slot) {
    case KeySlot::DateLabel:
        return 5;
    case KeySlot::Region:
        return 17;
    case KeySlot::LineSeven:
        return 22;
    case KeySlot::ServiceRelationship:
        return 38;
    case KeySlot::PayGroup:
        return 26;
    case KeySlot::Title:
        return 70;
    case KeySlot::Step:
        return 22;
    case KeySlot::FamilyAllowance:
        return 18;
    case KeySlot::StructuralAllowance:
        return 6;
    case KeySlot::CapitalForming:
        return 7;
    case KeySlot::PerformancePay:
        return 14;
    case KeySlot::Allowance1:
        return 107;
    case KeySlot::Allowance2:
        return 107;
    case KeySlot::Allowance3:
        return 107;
    case KeySlot::Overtime:
        return 3;
    case KeySlot::TaxFreeSupplements:
        return 1;
    case KeySlot::HolidayPay:
        return 7;
    case KeySlot::AnnualPayment:
        return 8;
    case KeySlot::OneTimePayment:
        return 9;
    case KeySlot::Month:
        return 12;
    case KeySlot::PartTime:
        return 3;
    case KeySlot::PartialMonth:
        return 7;
    case KeySlot::TaxAllowance:
        return 7;
    case KeySlot::InKind1:
        return 15;
    case KeySlot::SupplementaryFund:
        return 40;
    case KeySlot::ChildBenefit:
        return 7;
    case KeySlot::CostCentre:
        return 121;
    case KeySlot::Denomination:
        return 6;
    case KeySlot::OtherEmployments:
        return 3;
    case KeySlot::AnnualAdjustment:
        return 1;
    case KeySlot::OldAgeRelief:
        return year - 2004;
    case KeySlot::TaxClass:
        return 54;
    case KeySlot::Childless:
        return 12;
    case KeySlot::SolidaritySurcharge:
        return 3;
    case KeySlot::ChurchTax:
        return 8;
    case KeySlot::HealthRate:
        return 129;
    case KeySlot::CareKind:
        return 10;
    case KeySlot::PensionKind:
        return 13;
    case KeySlot::UnemploymentKind:
        return 6;
    case KeySlot::Deduction1:
        return 45;
    case KeySlot::Deduction2:
        return 45;
    case KeySlot::Deduction3:
        return 45;
    case KeySlot::Payout:
        return 1;
    case KeySlot::HealthFund:
        return 35;
    case KeySlot::InKind2:
        return 15;
    case KeySlot::EmployeeCapitalFund:
        return 40;
    case KeySlot::Office:
        return 12;
    case KeySlot::Reserved51:
        return 22;
    case KeySlot::ContributionKind:
        return 12;
    case KeySlot::Reserved53:
        return 62;
    default:
        return -1;
    }
}

void OpenYearFiles(Session& g) {
    std::filesystem::create_directories(g.userFolder);
    // The year's settings first: a damaged settings file leaves the files of the year shown before open.
    LoadYearSettings(g);
    g.files.open(g.userFolder, g.year, g.dataSet);
    OpenPayTables(g);
}

void ResetToDefaults(Session& g) {
    UserFolderWrite lock(g);
    std::string name = g.workingCase.name;
    g.workingCase = defaultCase();
    g.workingCase.name = name;
    writeCaseToAllMonths(g, g.workingCase);
    g.workingCase.setKey(KeySlot::Month, static_cast<int16_t>(g.month() - 1));
}

void LoadCaseMonth(Session& g) {
    UserFolderWrite lock(g); // the checks below may write the repaired case
    Case c;
    readCaseMonth(g, c);
    if (int error = checkRanges(g, c)) {
        // Built piece by piece: GCC 12 warns falsely on the chained concatenation.
        std::string heading = "Achtung (";
        heading += std::to_string(error);
        heading += ')';
        g.prompter.ask(PromptMessage{PromptIcon::Warning,
                                     "Achtung",
                                     {heading, "Der Personalfall wurde auf die Grundstellung zurückgesetzt,",
                                      "um einen Programmabsturz zu vermeiden."},
                                     PromptButtons::Ok});
        writeCaseToAllMonths(g, defaultCase());
        c = Case();
        readCaseMonth(g, c); // the defaults pass every check
    }
    followUpCorrections(c);
    amountCorrections(g, c);
    repairDate(c);

    YearRecord year = g.files.readYear(g.caseNumber);
    if (nameNeedsReplacing(year.rawName())) {
        year.setName(kNewCaseName);
        year.setCaseNumber(g.caseNumber);
        g.files.writeYear(g.caseNumber, year);
        writeCaseToAllMonths(g, defaultCase());
        c = Case();
        readCaseMonth(g, c);
        amountCorrections(g, c);
    }
    g.workingCase = std::move(c);
    g.east = isEastRegion(g.workingCase.region());
}

} // namespace varemo

#include "session/recalculate.h"

namespace varemo {

bool SelectCaseMonth(Session& g) {
    // Loading repairs damaged records and the run writes the month back.
    UserFolderWrite lock(g);
    if (!g.files.isOpen() || g.files.year() != g.year || g.files.dataSet() != g.dataSet) OpenYearFiles(g);
    LoadCaseMonth(g);
    return RecalculateShownMonth(g);
}

} // namespace varemo
