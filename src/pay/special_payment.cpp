#include "pay/special_payment.h"

#include "pay/one_time_payments.h"
#include "pay/part_time.h"
#include "base/record_file.h"
#include "base/file_names.h"
#include "model/user_file_names.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <string_view>

namespace varemo {

namespace {

constexpr int kFirstTableYear = kFirstYear;
constexpr size_t kAnnualRecordLength = 400;
constexpr size_t kEastOffset = 100;
constexpr int kTrainingGroup = 46;

std::string trim(std::string_view s) {
    size_t a = s.find_first_not_of(' ');
    if (a == std::string_view::npos) return "";
    size_t b = s.find_last_not_of(' ');
    return std::string(s.substr(a, b - a + 1));
}

// ---- Groups ----

// A pay group as the shipped tables name it: the scale ('E' Entgeltgruppe, also P groups; 'K' KR
// groups; 'S' S groups; 'A' Besoldungsordnung A; 'B' the other civil-servant scales; 'T' trainees and
// Anwärter) and its number.
struct GroupRef {
    char scale = 0;
    int number = 0;
};

GroupRef panelGroupRef(int position) {
    if (position < 16) return {'E', position + 1};
    if (position < 29) return {'K', position - 16 + 5};
    if (position < 46) return {'S', position - 29 + 2};
    return {'T', 0};
}

int numberIn(const std::string& name) {
    int n = 0;
    bool any = false;
    for (char ch : name) {
        if (std::isdigit(static_cast<unsigned char>(ch))) {
            n = n * 10 + (ch - '0');
            any = true;
        } else if (any) {
            break;
        }
    }
    return any ? n : 0;
}

// Group lists of the tables the panel knows (catalogue order).
const std::vector<std::string> kTvoedGroups = {"E1",  "E2",  "E3",  "E4",  "E5",  "E6",  "E7",
                                               "E8",  "E9a", "E9b", "E9c", "E10", "E11", "E12",
                                               "E13", "E14", "E15", "AT",  "E15Ü"};
const std::vector<std::string> kTvlGroups = {"E1",  "E2", "E3",  "E4",  "E5",  "E6",  "E7",
                                             "E8",  "E9", "E10", "E11", "E12", "E13", "E14",
                                             "E15", "AT", "E9a", "E9b", "E15Ü"};
const std::vector<std::string> kSueGroups = {"S2",   "S3",   "S4",  "S7",  "S8a", "S8b", "S9",  "S10",
                                             "S11a", "S11b", "S12", "S13", "S14", "S15", "S16", "S17",
                                             "S18",  "-",    "-",   "-",   "-",   "AT"};

GroupRef fromList(const std::vector<std::string>& list, char scale, int position) {
    if (position < 0 || position >= static_cast<int>(list.size())) return {};
    const int n = numberIn(list[static_cast<size_t>(position)]);
    return n > 0 ? GroupRef{scale, n} : GroupRef{};
}

GroupRef caseGroupRef(const Case& c) {
    const int sr = c.serviceRelationship();
    const int group = c.payGroup();
    switch (sr) {
    case 0:
    case 6:
    case 7:
        return {'A', group + 1};
    case 1:
    case 2:
    case 3:
    case 4:
        return {'B', group + 1};
    case 5:
    case 20:
        return {'T', 0};
    case 8:
        return {'K', group + 5};
    case 9:
        return {'S', group + 2};
    case 10:
    case 12:
    case 13:
        return fromList(kTvoedGroups, 'E', group);
    case 11:
        return fromList(kTvlGroups, 'E', group);
    case 14:
        return fromList(kSueGroups, 'S', group);
    default:
        return sr >= 0 && sr <= 27 ? GroupRef{'E', group + 1} : GroupRef{};
    }
}

// "KR5" → ('K', 5); "P9" → ('E', 9); "E9a" → ('E', 9); "A12" → ('A', 12).
bool parseGroupToken(const std::string& token, GroupRef& out) {
    std::string t = trim(token);
    char scale = 0;
    size_t at = 0;
    if (t.rfind("KR", 0) == 0 || t.rfind("Kr", 0) == 0) {
        scale = 'K';
        at = 2;
    } else if (!t.empty() && (t[0] == 'E' || t[0] == 'P')) {
        scale = 'E';
        at = 1;
    } else if (!t.empty() && (t[0] == 'S' || t[0] == 'A' || t[0] == 'C')) {
        scale = t[0] == 'C' ? 'B' : t[0];
        at = 1;
    } else {
        return false;
    }
    if (at >= t.size() || !std::isdigit(static_cast<unsigned char>(t[at]))) return false;
    out = {scale, numberIn(t.substr(at))};
    return true;
}

bool partCovers(std::string_view rawPart, const GroupRef& ref) {
    const std::string part = trim(rawPart);
    if (part == "all" || part == "all groups" || part == "Beamte and Anwärter") return ref.scale != 0;
    for (const char* trainee :
         {"Anwärter", "Auszubildende", "Praktikanten", "Dienstanfänger", "Unterhaltsbeihilfe"})
        if (part.find(trainee) != std::string::npos) return ref.scale == 'T';
    if (part == "judges") return ref.scale == 'B';
    GroupRef g;
    if (part.rfind("up to ", 0) == 0) {
        return parseGroupToken(part.substr(6), g) && g.scale == ref.scale && ref.number <= g.number;
    }
    const size_t higher = part.find(" and higher");
    if (higher != std::string::npos) {
        if (!parseGroupToken(part.substr(0, higher), g)) return false;
        if (g.scale == 'A' && ref.scale == 'B') return true;
        return g.scale == ref.scale && ref.number >= g.number;
    }
    const size_t dash = part.find('-');
    if (dash != std::string::npos) {
        GroupRef from, to;
        if (!parseGroupToken(part.substr(0, dash), from) || !parseGroupToken(part.substr(dash + 1), to))
            return false;
        return from.scale == ref.scale && ref.number >= from.number && ref.number <= to.number;
    }
    return parseGroupToken(part, g) && g.scale == ref.scale && g.number == ref.number;
}

bool bandCovers(std::string_view band, const GroupRef& ref) {
    if (ref.scale == 0) return false;
    size_t start = 0;
    while (start <= band.size()) {
        size_t comma = band.find(',', start);
        if (comma == std::string_view::npos) comma = band.size();
        if (partCovers(band.substr(start, comma - start), ref)) return true;
        start = comma + 1;
    }
    return false;
}

// ---- Agreements ----

const std::vector<std::string> kAgreementNames = {
    "TVöD Bund", "TVöD VKA",  "TVöD VKA SuE", "TVöD VKA Pflege", "TV-L",         "TV-L Pflege",
    "TV-L SuE",  "TV-Hessen", "TV-H Pflege",  "TV-H SuE",        "AVR Caritas",  "TVöD Sparkassen",
    "TV-V",      "TV-N",      "TV-Ärzte",     "TVAöD / TVA-L",   "AVR Diakonie", "Eigene Tabelle",
    "Reserve 1", "Reserve 2"};

enum Agreement : int {
    TvoedBund = 0,
    TvoedVka,
    TvoedVkaSue,
    TvoedVkaPflege,
    Tvl,
    TvlPflege,
    TvlSue,
    Tvh,
    TvhPflege,
    TvhSue,
    AvrCaritas,
    TvoedSparkassen,
    TvV,
    TvN,
    TvAerzte,
    Trainees,
    AvrDiakonie,
    OwnTable,
};

// The entry of the percentage table that a name of the shipped table fills, -1 for none.
int agreementOfCsv(std::string_view name) {
    if (name == "TV-H") return Tvh;
    for (int i = 0; i <= TvlSue; ++i)
        if (kAgreementNames[static_cast<size_t>(i)] == name) return i;
    return -1;
}

constexpr int kHessen = 7;

int agreementOf(const Case& c, int year) {
    const bool hessen = c.region() == kHessen;
    switch (c.serviceRelationship()) {
    case 8:
        return hessen ? TvhPflege : TvlPflege;
    case 9:
        return hessen ? TvhSue : TvlSue;
    case 10:
        return TvoedBund;
    case 11:
        return hessen ? Tvh : Tvl;
    case 12:
        return TvoedVka;
    case 13:
        return TvoedSparkassen;
    case 14:
        return TvoedVkaSue;
    case 16:
        return TvV;
    case 17:
        return TvN;
    case 20:
        return Trainees;
    case 21:
        return TvAerzte;
    case 22:
        return AvrDiakonie;
    case 23:
        return AvrCaritas;
    case 15:
    case 18:
    case 19:
    case 24:
    case 25:
    case 26:
        return OwnTable;
    default:
        (void)year;
        return -1;
    }
}

// ---- Months ----

Money cents(int64_t value) {
    return Money::fromCents(value);
}

float factorOf(const Case& c) {
    const int32_t regular = c.amount(slot::RegularHours) != 0 ? c.amount(slot::RegularHours) : 3850000;
    return static_cast<float>(c.amount(slot::AgreedHours)) / static_cast<float>(regular);
}

// The "W" pay of a case-month. fromSlots: the line amounts of the slots (the working case during its
// run); otherwise the per-line amounts of a stored record.
SpecialPaymentMonth monthOf(const Case& c, float factor, bool fromSlots) {
    std::array<Money, kGrossLines> amounts{};
    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line) {
        if (line == special::kLine) continue;
        amounts[static_cast<size_t>(line - kFirstGrossLine)] =
            fromSlots ? cents(lineAmount(c, line).value_or(0)) : c.grossLine(line).amount;
    }
    const PayColumns columns = reducePayLines(c, amounts, factor, Money());
    SpecialPaymentMonth m;
    Money gross;
    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line) {
        if (line == special::kLine) continue;
        const LineColumns& col = columns.line(line);
        const Money actual = fromSlots ? col.actual : c.grossLine(line).reducedAmount;
        gross += actual;
        if (!c.grossLine(line).flag(LineFlag::AnnualPayment)) continue;
        m.full += col.full;
        m.partTime += col.partTime;
        m.retirement += col.retirement;
        m.actual += actual;
        m.filled += col.retirement;
    }
    m.occupied = fromSlots ? gross > Money() : c.amount(slot::Gross) > 0;
    return m;
}

bool filesOfSession(const Globaldaten& g) {
    return g.store.holds(g.year, g.dataSet);
}

int monthIndexOf(const Case& c) {
    return std::clamp(c.monthIndex(), 0, 11);
}

void computeCivil(Globaldaten& g, SpecialPaymentComputation& comp, const SpecialPaymentMonth& current) {
    const Case& c = g.workingCase;
    const GroupRef ref = caseGroupRef(c);
    comp.children = countedChildren(c);
    comp.paymentMonthIndex = 11;
    bool monthly = false;
    Money amount;
    int32_t shownPercent = 0;
    for (const CivilServantPaymentRow& row : shippedCivilServantPayments()) {
        if (row.region != c.region() || row.year != g.year) continue;
        if (row.kind == CivilPaymentKind::Monthly && bandCovers(row.groups, ref)) {
            monthly = true;
            comp.paymentMonthIndex = -1;
            amount += current.actual.timesRatio(row.percentMilli, 100000).roundedToCent();
            shownPercent = row.percentMilli / 10;
        }
    }
    if (!monthly) {
        for (const CivilServantPaymentRow& row : shippedCivilServantPayments()) {
            if (row.region != c.region() || row.year != g.year || row.kind != CivilPaymentKind::Annual)
                continue;
            if (row.groups == "Familienzuschlag part" || !bandCovers(row.groups, ref)) continue;
            if (row.month > 0) comp.paymentMonthIndex = row.month - 1;
            if (row.percentMilli > 0) {
                amount +=
                    comp.base
                        .timesRatio(int64_t{row.percentMilli} * comp.occupiedMonths, int64_t{100000} * 12)
                        .roundedToCent();
                if (shownPercent == 0) shownPercent = row.percentMilli / 10;
            } else {
                amount += cents(row.cents).timesRatio(comp.occupiedMonths, 12).roundedToCent();
            }
        }
    }
    comp.percent = shownPercent;
    comp.amount = amount;
    // Child supplements: "per child", or the first two and the further children apart.
    Money children;
    for (const CivilServantPaymentRow& row : shippedCivilServantPayments()) {
        if (row.region != c.region() || row.year != g.year || row.kind != CivilPaymentKind::Child) continue;
        if ((row.month == -1) != monthly) continue;
        int count = comp.children;
        if (row.groups.rfind("1st and 2nd", 0) == 0)
            count = std::min(comp.children, 2);
        else if (row.groups.rfind("3rd", 0) == 0)
            count = std::max(comp.children - 2, 0);
        children += cents(row.cents) * count;
    }
    comp.childSupplement = children;
}

// Whether the Land's rules of the year pay anything to civil servants in a month (0 to 11): every
// month for a monthly payment, else the month of the annual rows.
bool civilPaysInMonth(int region, int year, int month) {
    for (const CivilServantPaymentRow& row : shippedCivilServantPayments()) {
        if (row.region != region || row.year != year) continue;
        if (row.kind == CivilPaymentKind::Monthly ||
            (row.kind == CivilPaymentKind::Annual && row.month - 1 == month))
            return true;
    }
    return false;
}

std::string fixedText(int64_t value, int decimals) {
    int64_t scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    std::string fraction = std::to_string(value % scale);
    fraction.insert(0, static_cast<size_t>(decimals) - fraction.size(), '0');
    return std::to_string(value / scale) + "," + fraction;
}

} // namespace

// ---- AnnualPaymentTable ----

AnnualPaymentTable::AnnualPaymentTable()
    : values_(static_cast<size_t>(kAgreementEntries) * kAnnualPaymentYears * 2 * kAnnualPaymentGroups, 0) {}

size_t AnnualPaymentTable::index(int agreement, int year, bool east, int group) {
    if (agreement < 0 || agreement >= kAgreementEntries || year < kFirstTableYear ||
        year >= kFirstTableYear + kAnnualPaymentYears || group < 0 || group >= kAnnualPaymentGroups)
        throw std::out_of_range("annual payment table");
    return ((static_cast<size_t>(agreement) * kAnnualPaymentYears +
             static_cast<size_t>(year - kFirstTableYear)) *
                2 +
            (east ? 1 : 0)) *
               kAnnualPaymentGroups +
           static_cast<size_t>(group);
}

int32_t AnnualPaymentTable::percent(int agreement, int year, bool east, int group) const {
    if (agreement < 0 || agreement >= kAgreementEntries || year < kFirstTableYear ||
        year >= kFirstTableYear + kAnnualPaymentYears || group < 0 || group >= kAnnualPaymentGroups)
        return 0;
    return values_[index(agreement, year, east, group)];
}

void AnnualPaymentTable::setPercent(int agreement, int year, bool east, int group, int32_t hundredths) {
    values_[index(agreement, year, east, group)] = hundredths;
}

AnnualPaymentTable AnnualPaymentTable::defaults() {
    static const AnnualPaymentTable shipped = [] {
        AnnualPaymentTable t;
        for (const AnnualPercentRow& r : shippedAnnualPercentRows()) {
            const int agreement = agreementOfCsv(r.agreement);
            if (agreement < 0 || r.year < kFirstTableYear || r.year >= kFirstTableYear + kAnnualPaymentYears)
                continue;
            for (int p = 0; p < kAnnualPaymentGroups; ++p) {
                if (!bandCovers(r.groups, panelGroupRef(p))) continue;
                t.setPercent(agreement, r.year, r.east, p, r.hundredths);
                if (agreement == Tvh)
                    t.setPercent(agreement, r.year, true, p, r.hundredths); // Hessen has no East area
            }
        }
        return t;
    }();
    return shipped;
}

void AnnualPaymentTable::restoreDefaults(int agreement, int year) {
    const AnnualPaymentTable& shipped = defaults();
    for (int east = 0; east < 2; ++east)
        for (int p = 0; p < kAnnualPaymentGroups; ++p)
            setPercent(agreement, year, east != 0, p, shipped.percent(agreement, year, east != 0, p));
}

const std::vector<std::string>& agreementNames() {
    return kAgreementNames;
}

const std::vector<std::string>& annualPaymentGroupNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (int n = 1; n <= 16; ++n)
            out.push_back("Entgeldgruppe " + std::to_string(n));
        for (int n = 5; n <= 17; ++n)
            out.push_back("Entgeldgruppe KR " + std::to_string(n));
        for (int n = 2; n <= 18; ++n)
            out.push_back("Entgeldgruppe S " + std::to_string(n));
        for (const char* t : {"Auszubildende", "Praktikanten", "Studierende (dual)", "Schüler (Pflege)"})
            out.push_back(t);
        return out;
    }();
    return names;
}

std::vector<std::string> annualPaymentChangeReminder() {
    return {"Klicken Sie nach einer Änderung ", " in der Menüzeile auf",
            "\"Daten/Alle Fälle neu durchrechnen\"", "Ansonsten wird die Änderung erst",
            "bei neu angelegten Fällen wirksam."};
}

AnnualPaymentTable readAnnualPaymentTable(const std::filesystem::path& userFolder) {
    AnnualPaymentTable table = AnnualPaymentTable::defaults();
    const auto path = findFileIgnoringCase(userFolder, kAnnualPaymentFile);
    for (int year = kFirstTableYear; year < kFirstTableYear + kAnnualPaymentYears; ++year) {
        for (int a = 0; a < kAgreementEntries; ++a) {
            const RecordBuffer r = readRecordIfExists(path, kAnnualRecordLength,
                                                      (year - kFirstTableYear) * kAgreementEntries + a + 1);
            if (r.allZero()) continue;
            for (int p = 0; p < kAnnualPaymentGroups; ++p) {
                table.setPercent(a, year, false, p, r.i16(2 * static_cast<size_t>(p)));
                table.setPercent(a, year, true, p, r.i16(kEastOffset + 2 * static_cast<size_t>(p)));
            }
        }
    }
    return table;
}

void writeAnnualPaymentTable(const std::filesystem::path& userFolder, const AnnualPaymentTable& table) {
    RecordFile file(findFileIgnoringCase(userFolder, kAnnualPaymentFile), kAnnualRecordLength);
    for (int year = kFirstTableYear; year < kFirstTableYear + kAnnualPaymentYears; ++year) {
        for (int a = 0; a < kAgreementEntries; ++a) {
            RecordBuffer r(kAnnualRecordLength);
            for (int p = 0; p < kAnnualPaymentGroups; ++p) {
                r.setI16(2 * static_cast<size_t>(p), static_cast<int16_t>(table.percent(a, year, false, p)));
                r.setI16(kEastOffset + 2 * static_cast<size_t>(p),
                         static_cast<int16_t>(table.percent(a, year, true, p)));
            }
            file.write((year - kFirstTableYear) * kAgreementEntries + a + 1, r);
        }
    }
    file.flush();
}

void EnsureAnnualPaymentTable(Globaldaten& g) {
    PayExtrasState& x = g.extras;
    if (x.annualPercentagesLoaded && x.annualPercentagesFolder == g.userFolder) return;
    x.annualPercentages =
        g.userFolder.empty() ? AnnualPaymentTable::defaults() : readAnnualPaymentTable(g.userFolder);
    x.annualPercentagesFolder = g.userFolder;
    x.annualPercentagesLoaded = true;
}

// ---- Classification ----

int annualPaymentGroupOf(const Case& c) {
    const GroupRef ref = caseGroupRef(c);
    switch (ref.scale) {
    case 'E':
        return ref.number >= 1 && ref.number <= 16 ? ref.number - 1 : -1;
    case 'K':
        return ref.number >= 5 && ref.number <= 17 ? 16 + ref.number - 5 : -1;
    case 'S':
        return ref.number >= 2 && ref.number <= 18 ? 29 + ref.number - 2 : -1;
    case 'T':
        return kTrainingGroup;
    default:
        return -1;
    }
}

bool bandCoversCase(std::string_view band, const Case& c) {
    return bandCovers(band, caseGroupRef(c));
}

int countedChildren(const Case& c) {
    const int option = c.key(lineInfo(10).keySlot);
    if (option >= 2 && option <= 7) return option - 1;
    if (option >= 8 && option <= 13) return option - 7;
    return 0;
}

SpecialPaymentCategory classifySpecialPayment(const Case& c, int year) {
    SpecialPaymentCategory cat;
    const int sr = c.serviceRelationship();
    if (sr >= 0 && sr <= 7) {
        cat.kind = SpecialPaymentCategory::Kind::CivilServant;
        return cat;
    }
    const int agreement = agreementOf(c, year);
    if (agreement < 0) return cat;
    cat.kind = SpecialPaymentCategory::Kind::Agreement;
    cat.agreement = agreement;
    cat.group = annualPaymentGroupOf(c);
    cat.averageBase = sr >= 10 && sr <= 24;
    return cat;
}

void ClassifySpecialPayment(Globaldaten& g) {
    g.extras.category = classifySpecialPayment(g.workingCase, g.year);
}

// ---- The computation ----

SpecialPaymentComputation computeSpecialPayment(Globaldaten& g) {
    EnsureAnnualPaymentTable(g);
    const Case& c = g.workingCase;
    SpecialPaymentComputation comp;
    comp.category = classifySpecialPayment(c, g.year);
    comp.east = isEastRegion(c.region());
    const int current = monthIndexOf(c);
    const SpecialPaymentMonth now = monthOf(c, g.partTimeFactor, true);
    const bool stored = filesOfSession(g);
    for (int m = 0; m < 12; ++m) {
        SpecialPaymentMonth month = now;
        if (m != current && stored) {
            Case record;
            g.store.loadMonth(m + 1, g.caseNumber, record);
            month = monthOf(record, factorOf(record), false);
        }
        if (m > current) month.occupied = now.occupied;
        comp.months[static_cast<size_t>(m)] = month;
        if (month.occupied) ++comp.occupiedMonths;
    }
    // The base: July to September, or September alone.
    const int firstMarked = comp.category.averageBase ? 6 : 8;
    Money sum;
    int counted = 0;
    for (int m = firstMarked; m <= 8; ++m) {
        SpecialPaymentMonth& month = comp.months[static_cast<size_t>(m)];
        month.marked = true;
        if (!month.occupied) continue;
        sum += month.filled;
        ++counted;
    }
    if (counted == 0) {
        for (int m = 9; m < 12; ++m) {
            SpecialPaymentMonth& month = comp.months[static_cast<size_t>(m)];
            if (!month.occupied) continue;
            month.marked = true;
            sum = month.filled;
            counted = 1;
            break;
        }
    }
    comp.base = counted > 0 ? sum.timesRatio(1, counted).roundedToCent() : Money();

    if (comp.category.kind == SpecialPaymentCategory::Kind::CivilServant) {
        computeCivil(g, comp, now);
    } else if (comp.category.kind == SpecialPaymentCategory::Kind::Agreement) {
        comp.percent = g.extras.annualPercentages.percent(comp.category.agreement, g.year, comp.east,
                                                          comp.category.group);
        comp.amount = comp.base.timesRatio(int64_t{comp.percent} * comp.occupiedMonths, int64_t{10000} * 12)
                          .roundedToCent();
    }
    comp.total = comp.amount + comp.childSupplement;
    return comp;
}

void SpecialPaymentStep(Globaldaten& g) {
    Case& c = g.workingCase;
    const int sr = c.serviceRelationship();
    const int lineSlot = lineInfo(special::kLine).amountSlot;
    const int holidaySlot = lineInfo(18).amountSlot;
    if (!(sr == 6 && c.region() == 1 && g.extras.keepSpecialPaymentsOwnTable)) {
        c.setAmount(holidaySlot, 0);
        c.setAmount(lineSlot, 0);
    }
    ClassifySpecialPayment(g);
    const int option = c.key(lineInfo(special::kLine).keySlot);
    const int month = monthIndexOf(c);
    if (sr != kServiceRelationshipNoPay) {
        if (option == special::kTyped) {
            c.setAmount(lineSlot, c.previousAmount(lineSlot));
        } else if (option == special::kComputed &&
                   (sr <= 7 || g.extras.category.kind != SpecialPaymentCategory::Kind::None)) {
            const bool civil = sr <= 7;
            if (civil ? civilPaysInMonth(c.region(), g.year, month) : month == special::kPaymentMonthIndex) {
                const SpecialPaymentComputation comp = computeSpecialPayment(g);
                if (comp.paymentMonthIndex < 0 || comp.paymentMonthIndex == month)
                    c.setAmount(lineSlot, comp.total.toCents());
            }
        } else if (sr <= 7 && option >= special::kLandShareFirst && option <= special::kLandShareLast) {
            const Money share = cents(g.extras.landShareBase) +
                                cents(g.extras.landSharePerChild) * (option - special::kLandShareFirst);
            c.setAmount(lineSlot, share.toCents());
        } else if (sr <= 7 && option == special::kLandShareTyped) {
            c.setAmount(lineSlot, c.previousAmount(lineSlot));
        }
    }
    OneTimePaymentStep(g);
}

// ---- The view ----

SpecialPaymentView specialPaymentView(Globaldaten& g) {
    static const char* const kMonths[] = {"Januar",    "Februar", "März",     "April",
                                          "Mai",       "Juni",    "Juli",     "August",
                                          "September", "Oktober", "November", "Dezember"};
    const SpecialPaymentComputation comp = computeSpecialPayment(g);
    const bool civil = comp.category.kind == SpecialPaymentCategory::Kind::CivilServant;
    SpecialPaymentView v;
    v.title = std::string(comp.category.averageBase ? "Jahressonderzahlung" : "Jährliche Sonderzuwendung") +
              " für " + g.workingCase.name;
    v.header = {"", "Vollzeit", "Teilzeit", "A T Z", "Tatsächlich"};
    for (int m = 0; m < 12; ++m)
        v.rows.emplace_back(kMonths[m], comp.months[static_cast<size_t>(m)]);
    v.summary.emplace_back("Basis-Gehalt 2)", comp.base.toDisplay());
    v.summary.emplace_back("Belegte Monate", std::to_string(comp.occupiedMonths));
    v.summary.emplace_back(comp.east ? "Ost in % " : "West in % ", fixedText(comp.percent, 2) + " %");
    v.summary.emplace_back("/ 12 * belegte M.", comp.amount.toDisplay());
    if (civil && comp.children > 0)
        v.summary.emplace_back("davon " + std::to_string(comp.children) + " Kinderzuschl.",
                               " + " + comp.childSupplement.toDisplay());
    v.summary.emplace_back("S U M M E ", comp.total.toDisplay());
    v.footnotes = {"1) Die gelb markierten Beträge enthalten nur ",
                   "    Gehaltsteile mit \"x\" in Spalte \"W\"."};
    if (comp.category.averageBase) {
        v.footnotes.push_back("2) Durchschnittsbetrag der gelb markierten");
        v.footnotes.push_back("    Monatsgehälter.");
    } else {
        v.footnotes.push_back("2) Nur der September wird genommen.");
    }
    v.footnotes.push_back("3) Fehltage in maßgeblichen Bruchteilsmonaten");
    v.footnotes.push_back("    werden mit Durchschnittstagesgehalt gefüllt.");
    return v;
}

} // namespace varemo
