#include "persistence/year_settings.h"

#include "base/file_names.h"
#include "base/prompter.h"
#include "model/data_set.h"
#include "model/user_file_names.h"
#include "pay/civil_servant_rules.h"
#include "pay/special_payment_tables.h"
#include "persistence/file_ops.h"
#include "persistence/user_files.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>

namespace varemo {
namespace fs = std::filesystem;

namespace {

namespace vee {
constexpr size_t kPay = 0;
constexpr size_t kSv = 32;
constexpr size_t kSvRates = 36;
constexpr size_t kSvCeilings = 68;
constexpr size_t kSvMiniJob = 100;
constexpr size_t kSvRvMinimum = 104;
constexpr size_t kLiability = 112;
constexpr size_t kFunds = 128;
constexpr size_t kInsolvency = 130;
constexpr size_t kFundBlocks = 132;
constexpr size_t kFundBlockLength = 2 * 12 * kHealthFunds;
constexpr size_t kFundNames = 4452;
constexpr size_t kFundNameLength = 35;
constexpr size_t kColours = 5712;
constexpr size_t kColoursEnd = kColours + 1 + 3 * kColourAreaCount;
} // namespace vee

constexpr int kFundFieldCount = 5;
// The order of the blocks in the file.
constexpr FundField kFundFieldOrder[kFundFieldCount] = {FundField::General, FundField::U1, FundField::U2,
                                                        FundField::Reduced, FundField::Additional};

[[noreturn]] void damaged(const fs::path& file, int64_t record, const std::string& what) {
    throw RecordFileError("Die Datei " + file.string() + " ist beschädigt: Satz " + std::to_string(record) +
                          " enthält " + what +
                          ". Es wurde nichts geändert. Bitte die Datei aus einer Sicherung zurückholen "
                          "oder löschen; ohne sie gelten die Vorgabewerte.");
}

struct Reader {
    const fs::path& file;
    const RecordBuffer& r;
    int64_t record;

    bool marker(size_t at) const {
        const uint8_t m = r.bytes()[at];
        if (m > 1) damaged(file, record, "eine ungültige Kennung an Stelle " + std::to_string(at));
        return m == 1;
    }
    bool flag(size_t at, const char* what) const {
        const uint8_t m = r.bytes()[at];
        if (m > 1) damaged(file, record, std::string("einen ungültigen Schalter \"") + what + "\"");
        return m == 1;
    }
    int32_t i32(size_t at, int32_t low, int32_t high, const std::string& what) const {
        const int32_t v = r.i32(at);
        if (v < low || v > high) damaged(file, record, "einen ungültigen Wert für " + what);
        return v;
    }
    int32_t i16(size_t at, int32_t low, int32_t high, const std::string& what) const {
        const int32_t v = r.i16(at);
        if (v < low || v > high) damaged(file, record, "einen ungültigen Wert für " + what);
        return v;
    }
};

constexpr int32_t kMaxCents = 2147483647;
constexpr int32_t kMaxMultiplier = 20000; // 200 %
constexpr int32_t kMaxSvRate = 200000;    // 20 % for one side

void readPay(const Reader& in, PaySwitches& p) {
    if (!in.marker(vee::kPay)) return;
    p.familyAllowanceComputed = in.flag(1, "Familienzuschlag berechnen");
    p.traineeName = in.flag(2, "Auszubildende");
    p.holidayPay = in.flag(3, "Urlaubsgeld");
    p.keepSpecialPaymentsOwnTable = in.flag(4, "Sonderzahlung eigene Tabelle");
    p.soliByFlowChart = in.flag(5, "Solidaritätszuschlag");
    p.multipliers.civilServant.startMonth = in.i16(6, 1, 12, "den Beginn des Beamten-Multiplikators");
    p.multipliers.civilServant.factor = in.i32(8, 1, kMaxMultiplier, "den Beamten-Multiplikator");
    p.multipliers.tariffEmployee.startMonth = in.i16(12, 1, 12, "den Beginn des Tarif-Multiplikators");
    p.multipliers.tariffEmployee.factor = in.i32(14, 1, kMaxMultiplier, "den Tarif-Multiplikator");
    p.landShareBase = in.i32(18, 0, kMaxCents, "den Landesanteil");
    p.landSharePerChild = in.i32(22, 0, kMaxCents, "den Landesanteil je Kind");
}

void writePay(RecordBuffer& r, const PaySwitches& p) {
    auto& b = r.bytes();
    b[vee::kPay] = 1;
    b[1] = p.familyAllowanceComputed ? 1 : 0;
    b[2] = p.traineeName ? 1 : 0;
    b[3] = p.holidayPay ? 1 : 0;
    b[4] = p.keepSpecialPaymentsOwnTable ? 1 : 0;
    b[5] = p.soliByFlowChart ? 1 : 0;
    r.setI16(6, static_cast<int16_t>(p.multipliers.civilServant.startMonth));
    r.setI32(8, p.multipliers.civilServant.factor);
    r.setI16(12, static_cast<int16_t>(p.multipliers.tariffEmployee.startMonth));
    r.setI32(14, p.multipliers.tariffEmployee.factor);
    r.setI32(18, p.landShareBase);
    r.setI32(22, p.landSharePerChild);
}

std::array<Rate*, 8> svRates(SvDefaults& d) {
    return {&d.kvGeneralHalf,      &d.kvReducedHalf,     &d.pvHalf,     &d.rvHalf, &d.avHalf,
            &d.childlessSurcharge, &d.averageAdditional, &d.saxonyShift};
}
std::array<Money*, 8> svCeilings(SvDefaults& d) {
    return {&d.kvCeiling[0], &d.kvCeiling[1], &d.pvCeiling[0], &d.pvCeiling[1],
            &d.rvCeiling[0], &d.rvCeiling[1], &d.avCeiling[0], &d.avCeiling[1]};
}

void readSv(const Reader& in, SvDefaults& d) {
    if (!in.marker(vee::kSv)) return;
    size_t i = 0;
    for (Rate* rate : svRates(d))
        rate->value = in.i32(vee::kSvRates + 4 * i++, 0, kMaxSvRate, "einen Beitragssatz");
    i = 0;
    for (Money* ceiling : svCeilings(d))
        *ceiling =
            Money::fromCents(in.i32(vee::kSvCeilings + 4 * i++, 0, kMaxCents, "eine Bemessungsgrenze"));
    d.miniJobLimit = Money::fromCents(in.i32(vee::kSvMiniJob, 0, kMaxCents, "die Geringfügigkeitsgrenze"));
    d.rvMinimumBase = Money::fromCents(in.i32(vee::kSvRvMinimum, 0, kMaxCents, "die Mindestbemessung"));
}

void writeSv(RecordBuffer& r, SvDefaults d) {
    r.bytes()[vee::kSv] = 1;
    size_t i = 0;
    for (Rate* rate : svRates(d))
        r.setI32(vee::kSvRates + 4 * i++, static_cast<int32_t>(rate->value));
    i = 0;
    for (Money* ceiling : svCeilings(d))
        r.setI32(vee::kSvCeilings + 4 * i++, ceiling->toCents());
    r.setI32(vee::kSvMiniJob, d.miniJobLimit.toCents());
    r.setI32(vee::kSvRvMinimum, d.rvMinimumBase.toCents());
}

void readFunds(const Reader& in, FundTable& t) {
    if (!in.marker(vee::kFunds)) return;
    RecordingPrompter quiet; // stored values lie within the bounds, checked below
    const int32_t insolvency = in.i16(vee::kInsolvency, kInsolvencyRateBounds.low, kInsolvencyRateBounds.high,
                                      "den Insolvenzgeld-Umlagesatz");
    if (insolvency != t.insolvencyRate()) (void)t.enterInsolvencyRate(quiet, insolvency);
    for (int b = 0; b < kFundFieldCount; ++b) {
        const FundField field = kFundFieldOrder[b];
        const FundBounds bounds = fundFieldBounds(field);
        for (int f = 0; f < kHealthFunds; ++f)
            for (int m = 0; m < 12; ++m) {
                const size_t at = vee::kFundBlocks + vee::kFundBlockLength * static_cast<size_t>(b) +
                                  2 * static_cast<size_t>(12 * f + m);
                const int32_t v =
                    in.i16(at, bounds.low, bounds.high, "einen Satz der Krankenkasse " + std::to_string(f));
                if (v != fundRate(t.rates(f, m), field)) (void)t.enter(quiet, f, m, field, v, false);
            }
    }
    for (int f = 0; f < kHealthFunds; ++f) {
        std::string name =
            in.r.text(vee::kFundNames + vee::kFundNameLength * static_cast<size_t>(f), vee::kFundNameLength);
        if (!name.empty()) t.setName(f, name);
    }
}

void writeFunds(RecordBuffer& r, FundTable t) {
    r.bytes()[vee::kFunds] = 1;
    r.setI16(vee::kInsolvency, static_cast<int16_t>(t.insolvencyRate()));
    for (int b = 0; b < kFundFieldCount; ++b)
        for (int f = 0; f < kHealthFunds; ++f)
            for (int m = 0; m < 12; ++m)
                r.setI16(vee::kFundBlocks + vee::kFundBlockLength * static_cast<size_t>(b) +
                             2 * static_cast<size_t>(12 * f + m),
                         static_cast<int16_t>(fundRate(t.rates(f, m), kFundFieldOrder[b])));
    for (int f = 0; f < kHealthFunds; ++f)
        r.setText(vee::kFundNames + vee::kFundNameLength * static_cast<size_t>(f), vee::kFundNameLength,
                  t.name(f));
}

void readChurchTax(const fs::path& file, int year, ChurchTaxTable& table) {
    const int64_t n = yearRecordNumber(year);
    const RecordBuffer r = readRecordIfExists(file, kChurchTaxRecordLength, n);
    if (r.i16(0) == 0) return;
    if (r.i16(0) != year) damaged(file, n, "das Jahr " + std::to_string(r.i16(0)));
    const ChurchTaxTable stored = churchTaxFromRecord(r);
    for (size_t region = 0; region < stored.size(); ++region) {
        const LandChurchTax& land = stored[region];
        const bool flagValid = r.i16(2 + 12 * region + 10) == 0 || r.i16(2 + 12 * region + 10) == 1;
        const auto valid = [](int32_t rate) { return rate >= 0 && rate <= 1000; };
        if (!valid(land.rateHundredths) || !valid(land.flatHundredths) || !valid(land.capHundredths) ||
            !flagValid)
            damaged(file, n, "einen ungültigen Kirchensteuersatz der Region " + std::to_string(region));
    }
    table = stored;
}

int64_t pensionRecord(int year, int index) {
    return int64_t{kPensionRecordsPerYear} * (year - kFirstYear) + index + 1;
}

constexpr int kPensionRateRecords = kPensionFundPositions * 24;

std::array<int32_t*, 5> pensionFields(PensionRates& r) {
    return {&r.levy, &r.levyEmployee, &r.restructuring, &r.capital, &r.capitalEmployee};
}

void readPension(const fs::path& file, int year, PensionSettings& s) {
    // Without the file every record reads as empty; asking once spares the check of each of its
    // several hundred records (a link is left to the record reads, which refuse it).
    std::error_code missing;
    if (fs::symlink_status(file, missing).type() == fs::file_type::not_found) return;
    auto readOne = [&](int index) -> std::optional<RecordBuffer> {
        const int64_t n = pensionRecord(year, index);
        RecordBuffer r = readRecordIfExists(file, kPensionDefaultsRecordLength, n);
        if (r.i16(0) == 0) return std::nullopt;
        if (r.i16(0) != year || r.i16(2) != 0) damaged(file, n, "eine ungültige Jahreszahl");
        return r;
    };
    for (int p = 0; p < kPensionFundPositions; ++p)
        for (int region = 0; region < 2; ++region)
            for (int m = 0; m < 12; ++m) {
                const auto r = readOne(24 * p + 12 * region + m);
                if (!r) continue;
                const Reader in{file, *r, pensionRecord(year, 24 * p + 12 * region + m)};
                PensionRates rates;
                size_t i = 0;
                for (int32_t* v : pensionFields(rates))
                    *v = in.i32(4 + 4 * i++, 0, kMaxRate, "einen Satz der Zusatzversorgung");
                PensionRates corrected = rates;
                if (CorrectPensionRates(corrected))
                    damaged(file, in.record, "unstimmige Sätze der Zusatzversorgung");
                s.rates(p, region == 1, m) = rates;
            }
    for (int m = 0; m < 12; ++m) {
        const auto r = readOne(kPensionRateRecords + m);
        if (!r) continue;
        const Reader in{file, *r, pensionRecord(year, kPensionRateRecords + m)};
        const auto um = static_cast<size_t>(m);
        s.threshold8[um] = Money::fromCents(in.i32(4, 0, kMaxCents, "einen Grenzwert"));
        s.threshold9[um] = Money::fromCents(in.i32(8, 0, kMaxCents, "einen Grenzwert"));
        s.ceilingWest[um] = Money::fromCents(in.i32(12, 0, kMaxCents, "eine Bemessungsgrenze"));
        s.ceilingEast[um] = Money::fromCents(in.i32(16, 0, kMaxCents, "eine Bemessungsgrenze"));
    }
    if (const auto r = readOne(kPensionRateRecords + 12)) {
        const Reader in{file, *r, pensionRecord(year, kPensionRateRecords + 12)};
        s.specialPaymentThresholdWest = Money::fromCents(in.i32(4, 0, kMaxCents, "einen Grenzwert"));
        s.specialPaymentThresholdEast = Money::fromCents(in.i32(8, 0, kMaxCents, "einen Grenzwert"));
    }
}

namespace tables {
constexpr size_t kWeeklyHours = 4;
constexpr size_t kChristmasBonus = 160;
constexpr size_t kHourlyRates = 316;
constexpr size_t kChildBenefit = 340;
constexpr size_t kPensionReserve = 532;
constexpr size_t kPensionFundLevy = 536;
constexpr int32_t kMaxHundredthsHours = 6000; // 60 hours a week
constexpr int32_t kMaxPercent = 10000;        // 100 %
} // namespace tables

void readYearTables(const fs::path& file, int year, YearTableValues& t) {
    const int64_t n = yearRecordNumber(year);
    const RecordBuffer r = readRecordIfExists(file, kSpecialPaymentRecordLength, n);
    if (r.i16(0) == 0) return;
    if (r.i16(0) != year || r.i16(2) != 0) damaged(file, n, "das Jahr " + std::to_string(r.i16(0)));
    const Reader in{file, r, n};
    YearTableValues read;
    for (size_t sr = 0; sr < read.weeklyHours.size(); ++sr)
        for (size_t area = 0; area < 2; ++area) {
            read.weeklyHours[sr][area] = in.i16(tables::kWeeklyHours + 4 * sr + 2 * area, 1,
                                                tables::kMaxHundredthsHours, "die Wochenarbeitszeit");
            read.christmasBonus[sr][area] = in.i16(tables::kChristmasBonus + 4 * sr + 2 * area, 0,
                                                   tables::kMaxPercent, "das Weihnachtsgeld");
        }
    for (size_t i = 0; i < read.hourlyRates.size(); ++i)
        read.hourlyRates[i] = in.i32(tables::kHourlyRates + 4 * i, 0, kMaxCents, "einen Stundensatz");
    for (size_t m = 0; m < 12; ++m)
        for (size_t k = 0; k < kChildBenefitRanks; ++k)
            read.childBenefit[m][k] =
                in.i32(tables::kChildBenefit + 16 * m + 4 * k, 0, kMaxCents, "das Kindergeld");
    read.pensionReservePercent =
        in.i32(tables::kPensionReserve, 0, tables::kMaxPercent, "die Versorgungsrücklage");
    read.pensionFundLevyPercent =
        in.i32(tables::kPensionFundLevy, 0, tables::kMaxPercent, "die Pensionsumlage");
    t = read;
}

namespace civil {
constexpr size_t kRegions = 4;
constexpr size_t kRegionLength = 64;
constexpr size_t kRules = 4;
constexpr size_t kRuleLength = 12;
constexpr int32_t kMaxCents = 999999999;     // 9.999.999,99 euros, as the panel takes them
constexpr int32_t kMaxPercentMilli = 100000; // 100 %

size_t regionAt(int region) {
    return kRegions + kRegionLength * static_cast<size_t>(region);
}
size_t ruleAt(int region, size_t n) {
    return regionAt(region) + kRules + kRuleLength * n;
}
uint8_t kindCode(CivilPaymentKind kind) {
    return static_cast<uint8_t>(static_cast<int>(kind) + 1);
}
} // namespace civil

// The stored rules of a year over the shipped ones; the message naming the file when the record holds
// what the program cannot have written (the table is then left as it was).
std::optional<std::string> readCivilRules(const fs::path& file, int year, CivilRuleTable& table) {
    const int64_t n = yearRecordNumber(year);
    const RecordBuffer r = readRecordIfExists(file, kCivilServantPaymentRecordLength, n);
    if (r.i16(0) == 0) return std::nullopt;
    auto damage = [&](const std::string& what) {
        return "Die Datei " + file.string() + " ist beschädigt: Satz " + std::to_string(n) + " enthält " +
               what + ". Für die Sonderzahlung der Beamten im Jahr " + std::to_string(year) +
               " gelten die Vorgabewerte. Bitte die Datei aus einer Sicherung zurückholen oder löschen.";
    };
    if (r.i16(0) != year || r.i16(2) != 0) return damage("das Jahr " + std::to_string(r.i16(0)));
    CivilRuleTable read = table;
    for (int region = 0; region < kCivilRuleRegions; ++region) {
        const size_t at = civil::regionAt(region);
        const uint8_t marker = r.bytes()[at];
        if (marker == 0) continue;
        const std::string land = civilEmployerName(region);
        if (marker > 1) return damage("eine ungültige Kennung für " + land);
        const std::vector<CivilServantPaymentRow> rows = shippedCivilRows(region, year);
        CivilLandRules& values = read[static_cast<size_t>(region)];
        bool kindsMatch = r.bytes()[at + 2] == rows.size() && r.bytes()[at + 3] == 0;
        for (size_t k = 0; k < rows.size() && kindsMatch; ++k)
            kindsMatch = r.bytes()[civil::ruleAt(region, k)] == civil::kindCode(rows[k].kind);
        if (!kindsMatch)
            return damage("Regeln für " + land + ", die das Programm für dieses Jahr nicht kennt");
        const int month = r.bytes()[at + 1];
        if (values.month == 0 ? month != 0 : month < 1 || month > 12)
            return damage("einen ungültigen Zahlungsmonat für " + land);
        values.month = month;
        for (size_t k = 0; k < rows.size(); ++k) {
            const size_t rule = civil::ruleAt(region, k);
            const int32_t cents = r.i32(rule + 4);
            const int32_t percent = r.i32(rule + 8);
            switch (civilRuleField(rows[k])) {
            case CivilRuleField::Amount:
                if (cents < 0 || cents > civil::kMaxCents)
                    return damage("einen ungültigen Betrag für " + land);
                values.rules[k].cents = cents;
                break;
            case CivilRuleField::Percent:
                if (percent < 0 || percent > civil::kMaxPercentMilli)
                    return damage("einen ungültigen Prozentsatz für " + land);
                values.rules[k].percentMilli = percent;
                break;
            case CivilRuleField::None:
                break;
            }
        }
    }
    table = read;
    return std::nullopt;
}

} // namespace

YearSettings YearSettings::shipped(int year) {
    YearSettings s;
    s.year = year;
    if (!restoreSvDefaults(s.sv, year)) s.sv.year = year;
    s.funds = FundTable::defaultsFor(year);
    s.churchTax = shippedChurchTax(year);
    s.pension = PensionDefaults(year);
    s.annualPayments = shippedAnnualPaymentTable();
    s.tables = YearTableValues::shipped(year);
    s.civilRules = shippedCivilRules(year);
    return s;
}

YearSettings readYearSettings(const fs::path& userFolder, int year) {
    YearSettings s = YearSettings::shipped(year);
    if (userFolder.empty() || year < kFirstYear || year > kLastYear) return s;
    const fs::path vee = findFileIgnoringCase(userFolder, kYearDefaultsFile);
    const int64_t n = yearRecordNumber(year);
    const RecordBuffer r = readRecordIfExists(vee, kYearDefaultsRecordLength, n);
    const Reader in{vee, r, n};
    readPay(in, s.pay);
    readSv(in, s.sv);
    if (in.marker(vee::kLiability)) {
        s.liability.u1 = in.flag(vee::kLiability + 1, "U1");
        s.liability.u2 = in.flag(vee::kLiability + 2, "U2");
        s.liability.insolvency = in.flag(vee::kLiability + 3, "Insolvenzgeld-Umlage");
    }
    readFunds(in, s.funds);
    if (in.marker(vee::kColours)) {
        s.colours.emplace();
        std::copy(r.bytes().begin() + static_cast<std::ptrdiff_t>(vee::kColours + 1),
                  r.bytes().begin() + static_cast<std::ptrdiff_t>(vee::kColoursEnd), s.colours->begin());
    }
    readChurchTax(findFileIgnoringCase(userFolder, kChurchTaxFile), year, s.churchTax);
    readPension(findFileIgnoringCase(userFolder, kPensionDefaultsFile), year, s.pension);
    s.annualPayments = readAnnualPaymentTable(userFolder);
    readYearTables(findFileIgnoringCase(userFolder, kSpecialPaymentFile), year, s.tables);
    const fs::path atz = findFileIgnoringCase(userFolder, kPartialRetirementFile);
    const RecordBuffer p = readRecordIfExists(atz, kPartialRetirementRecordLength, n);
    if (p.i16(0) != 0) {
        const Reader at{atz, p, n};
        if (p.i16(0) != year) damaged(atz, n, "ein falsches Jahr");
        const char* what = "einen Prozentsatz der Altersteilzeit";
        s.retirement.civilServant = at.i16(2, 1, 100, what);
        s.retirement.atg = at.i16(4, 1, 100, what);
        s.retirement.agreement = at.i16(6, 1, 100, what);
    }
    // A damaged file of these rules does not keep the year from opening: the shipped rules apply, and
    // the session says so.
    const fs::path civilFile = findFileIgnoringCase(userFolder, kCivilServantPaymentFile);
    try {
        if (auto problem = readCivilRules(civilFile, year, s.civilRules)) s.civilRulesProblem = *problem;
    } catch (const RecordFileError& e) {
        s.civilRulesProblem = std::string(e.what()) + " Für die Sonderzahlung der Beamten im Jahr " +
                              std::to_string(year) + " gelten die Vorgabewerte.";
    }
    return s;
}

namespace {

// The settings' blocks of the "varemo20.vee" record, every marker set (the colours' only when the year
// has its own).
RecordBuffer yearDefaultsBlocks(const YearSettings& from) {
    RecordBuffer r(kYearDefaultsRecordLength);
    writePay(r, from.pay);
    writeSv(r, from.sv);
    r.bytes()[vee::kLiability] = 1;
    r.bytes()[vee::kLiability + 1] = from.liability.u1 ? 1 : 0;
    r.bytes()[vee::kLiability + 2] = from.liability.u2 ? 1 : 0;
    r.bytes()[vee::kLiability + 3] = from.liability.insolvency ? 1 : 0;
    writeFunds(r, from.funds);
    if (from.colours) {
        r.bytes()[vee::kColours] = 1;
        std::copy(from.colours->begin(), from.colours->end(),
                  r.bytes().begin() + static_cast<std::ptrdiff_t>(vee::kColours + 1));
    }
    return r;
}

} // namespace

bool sameYearDefaults(const YearSettings& a, const YearSettings& b) {
    return yearDefaultsBlocks(a).bytes() == yearDefaultsBlocks(b).bytes();
}

void writeYearDefaultsSettings(const fs::path& userFolder, const YearSettings& s) {
    // A block that equals the shipped defaults is stored as "holds nothing", so that "Vorgabewerte"
    // leaves the year to the values the program ships.
    const auto block = yearDefaultsBlocks;
    const RecordBuffer wanted = block(s);
    const RecordBuffer shipped = block(YearSettings::shipped(s.year));
    constexpr std::array<std::pair<size_t, size_t>, 5> kBlocks = {
        {{vee::kPay, vee::kSv},
         {vee::kSv, vee::kLiability},
         {vee::kLiability, vee::kFunds},
         {vee::kFunds, vee::kFundNames + kHealthFunds * vee::kFundNameLength},
         {vee::kColours, vee::kColoursEnd}}};
    updateRecord(findFileIgnoringCase(userFolder, kYearDefaultsFile), kYearDefaultsRecordLength,
                 yearRecordNumber(s.year), [&](RecordBuffer& r) {
                     for (const auto& [from, to] : kBlocks) {
                         const auto a = wanted.bytes().begin();
                         const auto b = shipped.bytes().begin();
                         const auto at = static_cast<std::ptrdiff_t>(from);
                         const auto end = static_cast<std::ptrdiff_t>(to);
                         const bool same = std::equal(a + at, a + end, b + at);
                         for (size_t i = from; i < to; ++i)
                             r.bytes()[i] = same ? 0 : wanted.bytes()[i];
                     }
                 });
}

void writeChurchTaxSettings(const fs::path& userFolder, const YearSettings& s) {
    updateRecord(findFileIgnoringCase(userFolder, kChurchTaxFile), kChurchTaxRecordLength,
                 yearRecordNumber(s.year), [&s](RecordBuffer& r) {
                     RecordBuffer fresh = defaultChurchTaxRecord(s.year);
                     for (int region = 0; region < kRegionCount; ++region) {
                         const LandChurchTax& land = s.churchTax[static_cast<size_t>(region)];
                         const size_t at = 2 + 12 * static_cast<size_t>(region);
                         fresh.setI32(at, land.rateHundredths);
                         fresh.setI32(at + 4, land.flatHundredths);
                         fresh.setI16(at + 8, static_cast<int16_t>(land.capHundredths));
                         fresh.setI16(at + 10, land.capInPayroll ? 1 : 0);
                     }
                     r = fresh;
                 });
}

void writePensionSettings(const fs::path& userFolder, const YearSettings& s) {
    const fs::path file = findFileIgnoringCase(userFolder, kPensionDefaultsFile);
    std::vector<uint8_t> bytes = readWholeFile(file);
    const size_t end =
        static_cast<size_t>(pensionRecord(s.year, kPensionRecordsPerYear - 1)) * kPensionDefaultsRecordLength;
    if (bytes.size() < end) bytes.resize(end, 0);
    auto put = [&](int index, const RecordBuffer& r) {
        const size_t at =
            static_cast<size_t>(pensionRecord(s.year, index) - 1) * kPensionDefaultsRecordLength;
        std::copy(r.bytes().begin(), r.bytes().end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    };
    // Settings equal to the shipped ones are stored as "holds nothing".
    const bool shipped = s.pension == PensionDefaults(s.year);
    if (shipped) {
        for (int index = 0; index < kPensionRecordsPerYear; ++index)
            put(index, RecordBuffer(kPensionDefaultsRecordLength));
        writeFileAtomically(file, bytes);
        return;
    }
    PensionSettings p = s.pension;
    for (int pos = 0; pos < kPensionFundPositions; ++pos)
        for (int region = 0; region < 2; ++region)
            for (int m = 0; m < 12; ++m) {
                RecordBuffer r(kPensionDefaultsRecordLength);
                r.setI16(0, static_cast<int16_t>(s.year));
                size_t i = 0;
                for (int32_t* v : pensionFields(p.rates(pos, region == 1, m)))
                    r.setI32(4 + 4 * i++, *v);
                put(24 * pos + 12 * region + m, r);
            }
    for (size_t m = 0; m < 12; ++m) {
        RecordBuffer r(kPensionDefaultsRecordLength);
        r.setI16(0, static_cast<int16_t>(s.year));
        r.setI32(4, p.threshold8[m].toCents());
        r.setI32(8, p.threshold9[m].toCents());
        r.setI32(12, p.ceilingWest[m].toCents());
        r.setI32(16, p.ceilingEast[m].toCents());
        put(kPensionRateRecords + static_cast<int>(m), r);
    }
    RecordBuffer r(kPensionDefaultsRecordLength);
    r.setI16(0, static_cast<int16_t>(s.year));
    r.setI32(4, p.specialPaymentThresholdWest.toCents());
    r.setI32(8, p.specialPaymentThresholdEast.toCents());
    put(kPensionRateRecords + 12, r);
    writeFileAtomically(file, bytes);
}

void writeAnnualPaymentSettings(const fs::path& userFolder, const YearSettings& s) {
    writeAnnualPaymentTable(userFolder, s.annualPayments);
}

void writeYearTableSettings(const fs::path& userFolder, const YearSettings& s) {
    updateRecord(findFileIgnoringCase(userFolder, kSpecialPaymentFile), kSpecialPaymentRecordLength,
                 yearRecordNumber(s.year), [&s](RecordBuffer& r) {
                     std::fill_n(r.bytes().begin(), tables::kPensionFundLevy + 4, uint8_t{0});
                     // Values equal to the shipped ones are stored as "holds nothing".
                     if (s.tables == YearTableValues::shipped(s.year)) return;
                     const YearTableValues& t = s.tables;
                     r.setI16(0, static_cast<int16_t>(s.year));
                     for (size_t sr = 0; sr < t.weeklyHours.size(); ++sr)
                         for (size_t area = 0; area < 2; ++area) {
                             r.setI16(tables::kWeeklyHours + 4 * sr + 2 * area,
                                      static_cast<int16_t>(t.weeklyHours[sr][area]));
                             r.setI16(tables::kChristmasBonus + 4 * sr + 2 * area,
                                      static_cast<int16_t>(t.christmasBonus[sr][area]));
                         }
                     for (size_t i = 0; i < t.hourlyRates.size(); ++i)
                         r.setI32(tables::kHourlyRates + 4 * i, t.hourlyRates[i]);
                     for (size_t m = 0; m < 12; ++m)
                         for (size_t k = 0; k < kChildBenefitRanks; ++k)
                             r.setI32(tables::kChildBenefit + 16 * m + 4 * k, t.childBenefit[m][k]);
                     r.setI32(tables::kPensionReserve, t.pensionReservePercent);
                     r.setI32(tables::kPensionFundLevy, t.pensionFundLevyPercent);
                 });
}

void writePartialRetirementSettings(const fs::path& userFolder, const YearSettings& s) {
    // The legal and agreed percentages are stored as "holds nothing".
    const bool shipped = s.retirement == PartialRetirementPercents();
    updateRecord(findFileIgnoringCase(userFolder, kPartialRetirementFile), kPartialRetirementRecordLength,
                 yearRecordNumber(s.year), [&s, shipped](RecordBuffer& r) {
                     r = RecordBuffer(kPartialRetirementRecordLength);
                     if (shipped) return;
                     r.setI16(0, static_cast<int16_t>(s.year));
                     r.setI16(2, static_cast<int16_t>(s.retirement.civilServant));
                     r.setI16(4, static_cast<int16_t>(s.retirement.atg));
                     r.setI16(6, static_cast<int16_t>(s.retirement.agreement));
                 });
}

void writeCivilServantRuleSettings(const fs::path& userFolder, const YearSettings& s) {
    const CivilRuleTable shipped = shippedCivilRules(s.year);
    updateRecord(findFileIgnoringCase(userFolder, kCivilServantPaymentFile), kCivilServantPaymentRecordLength,
                 yearRecordNumber(s.year), [&](RecordBuffer& r) {
                     r = RecordBuffer(kCivilServantPaymentRecordLength);
                     // Rules equal to the shipped ones are stored as "holds nothing".
                     if (s.civilRules == shipped) return;
                     r.setI16(0, static_cast<int16_t>(s.year));
                     for (int region = 0; region < kCivilRuleRegions; ++region) {
                         const CivilLandRules& values = s.civilRules[static_cast<size_t>(region)];
                         if (values == shipped[static_cast<size_t>(region)]) continue;
                         const std::vector<CivilServantPaymentRow> rows = shippedCivilRows(region, s.year);
                         const size_t at = civil::regionAt(region);
                         r.bytes()[at] = 1;
                         r.bytes()[at + 1] = static_cast<uint8_t>(values.month);
                         r.bytes()[at + 2] = static_cast<uint8_t>(rows.size());
                         for (size_t k = 0; k < rows.size(); ++k) {
                             const size_t rule = civil::ruleAt(region, k);
                             r.bytes()[rule] = civil::kindCode(rows[k].kind);
                             r.setI32(rule + 4, values.rules[k].cents);
                             r.setI32(rule + 8, values.rules[k].percentMilli);
                         }
                     }
                 });
}

} // namespace varemo
