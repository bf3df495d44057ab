#include "session/case_load.h"

#include "pay/basic_pay.h"
#include "persistence/month_record.h"

#include <cmath>
#include <string>

namespace varemo {
namespace {

constexpr const char* kNewCaseName = "Neuer Personalfall";

// Highest keys of slots 1 to 53; -1 marks slots without a limit; slot 31 depends on the year.
constexpr std::array<int, 54> kHighest = {
    -1, 5,   17, 22, 38, 26, 70, 22, 18, 6,  // 0..9
    7,  14,  107, 107, 107, 3, 1, 7, 8, 9,   // 10..19
    12, 3,   7,  7,  15, 40, 7, 121, 6, 3,   // 20..29
    1,  -2,  -1, 54, 12, 3, 8, 129, 10, 13,  // 30..39
    6,  -1,  45, 45, 45, 1, 35, 15, 40, -1,  // 40..49
    12, 22,  12, 62,                         // 50..53
};

void writeCaseToAllMonths(Session& g, Case c) {
    for (int m = 1; m <= 12; ++m) {
        c.setKey(slot::Month, static_cast<int16_t>(m - 1));
        g.files.writeMonth(m, g.caseNumber, packMonthRecord(c));
    }
}

// Reads the month record and the name; sets the month slot.
void readCaseMonth(Session& g, Case& c) {
    unpackMonthRecord(g.files.readMonth(g.month(), g.caseNumber), c);
    c.name = g.files.readYear(g.caseNumber).name();
    c.setKey(slot::Month, static_cast<int16_t>(g.month() - 1));
}

// Range check of slots 1 to 53 and of the month counter; returns the error number or 0.
int checkRanges(Session& g, Case& c) {
    int error = 0;
    for (int s = 1; s <= 53; ++s) {
        int limit = highestKey(s, g.year);
        if (limit >= 0 && c.key(s) > limit) {
            c.setKey(s, 0);
            error = 50 + s;
        }
    }
    if (g.monthCounter > 12) {
        g.monthCounter = 0;
        error = 55;
    }
    return error;
}

void followUpCorrections(Case& c) {
    auto zeroAbove = [&c](int s, int limit) {
        if (c.key(s) > limit) c.setKey(s, 0);
    };
    if (c.key(55) < 0 || c.key(55) > 5) c.setKey(55, 0);
    zeroAbove(1, 10);
    zeroAbove(2, 17);
    zeroAbove(3, 10);
    zeroAbove(45, 1);
    zeroAbove(15, 3);
    zeroAbove(16, 1);
    zeroAbove(18, 8);
    if (c.key(25) > 40) c.setKey(25, 3);
    zeroAbove(35, 3);
    if (c.key(48) < 0) c.setKey(48, 0);
}

void amountCorrections(Session& g, Case& c) {
    auto set = [&c](int s, int32_t v) {
        c.amounts[static_cast<size_t>(s)] = v;
        c.previous[static_cast<size_t>(s)] = v;
    };
    if (c.amount(46) > 10000) set(46, 10000);
    if (c.amount(slot::TariffFactor) < 1000) set(slot::TariffFactor, 10000);
    if (c.amount(52) > 1000000) set(52, 0);
    if (c.amount(53) > 1000) set(53, 0);
    if (c.amount(25) < 0) set(25, 0);
    g.tariffFactor = static_cast<float>(c.amount(slot::TariffFactor)) / 10000.0f;
    int partial = c.key(slot::PartialMonth);
    if (partial == 2 || partial == 3)
        g.partialRetirementPercent = static_cast<int>(std::lround(c.amount(slot::PaidDays) / 100000.0));
}

void repairDate(Case& c) {
    std::string& d = c.dateText;
    if (d.size() > 2 && d[2] == '/') {
        d[2] = '.';
        if (d.size() > 5) d[5] = '.';
    }
    if (d.find('_') != std::string::npos) d.clear();
}

bool nameNeedsReplacing(const std::string& rawName) {
    for (size_t i = 0; i < 2 && i < rawName.size(); ++i)
        if (static_cast<unsigned char>(rawName[i]) < 34) return true;
    return rawName.size() < 2;
}

} // namespace

int highestKey(int slot, int year) {
    if (slot < 0 || slot >= static_cast<int>(kHighest.size())) return -1;
    if (slot == slot::OldAgeRelief) return year - 2004;
    return kHighest[static_cast<size_t>(slot)];
}

void OpenYearFiles(Session& g) {
    std::filesystem::create_directories(g.userFolder);
    g.files.open(g.userFolder, g.year, g.dataSet);
    g.funds = FundTable::defaultsFor(g.year);
    OpenPayTables(g);
}

void ResetToDefaults(Session& g) {
    std::string name = g.workingCase.name;
    g.workingCase = defaultCase();
    g.workingCase.name = name;
    writeCaseToAllMonths(g, g.workingCase);
    g.workingCase.setKey(slot::Month, static_cast<int16_t>(g.month() - 1));
}

void LoadCaseMonth(Session& g) {
    Case c;
    readCaseMonth(g, c);
    if (int error = checkRanges(g, c)) {
        // Built piece by piece: GCC 12 warns falsely on the chained concatenation.
        std::string heading = "Achtung (";
        heading += std::to_string(error);
        heading += ')';
        g.prompter.ask(PromptMessage{PromptIcon::Warning,
                                     "Achtung",
                                     {heading,
                                      "Der Personalfall wurde auf die Grundstellung zurückgesetzt,",
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
    if (!g.files.isOpen() || g.files.year() != g.year || g.files.dataSet() != g.dataSet) OpenYearFiles(g);
    LoadCaseMonth(g);
    return RecalculateShownMonth(g);
}

} // namespace varemo
