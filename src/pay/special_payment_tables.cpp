#include "pay/special_payment_tables.h"

#include "base/file_names.h"
#include "base/record_file.h"
#include "model/user_file_names.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

namespace varemo {
namespace {

constexpr int kFirstTableYear = kFirstYear;
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
    using namespace relationship;
    const int sr = c.serviceRelationship();
    const int group = c.payGroup();
    switch (sr) {
    case kPayOrderA:
    case kCivilOwnTable:
    case kPayOrderAOwnTitle:
        return {'A', group + 1};
    case kPayOrderB:
    case kPayOrderC:
    case kPayOrderW:
    case kPayOrderR:
        return {'B', group + 1};
    case kCandidates:
    case kTrainees:
        return {'T', 0};
    case kTvlCare:
        return {'K', group + 5};
    case kTvlSocial:
        return {'S', group + 2};
    case kTvoedBund:
    case kTvoedVka:
    case kTvoedSavingsBanks:
        return fromList(kTvoedGroups, 'E', group);
    case kTvl:
        return fromList(kTvlGroups, 'E', group);
    case kTvoedVkaSocial:
        return fromList(kSueGroups, 'S', group);
    default:
        return isCivilServant(sr) || isEmployee(sr) ? GroupRef{'E', group + 1} : GroupRef{};
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

// One comma-separated part of a band, parsed once: the shipped table tests each band against every group
// of the panel.
struct PartRule {
    enum class Kind { Nothing, AnyGroup, Trainees, Judges, UpTo, AndHigher, Range, One } kind = Kind::Nothing;
    GroupRef from, to;
};

PartRule parsePart(std::string_view rawPart) {
    using Kind = PartRule::Kind;
    const std::string part = trim(rawPart);
    if (part == "all" || part == "all groups" || part == "Beamte and Anwärter")
        return {Kind::AnyGroup, {}, {}};
    for (const char* trainee :
         {"Anwärter", "Auszubildende", "Praktikanten", "Dienstanfänger", "Unterhaltsbeihilfe"})
        if (part.find(trainee) != std::string::npos) return {Kind::Trainees, {}, {}};
    if (part == "judges") return {Kind::Judges, {}, {}};
    PartRule rule;
    if (part.rfind("up to ", 0) == 0) {
        if (parseGroupToken(part.substr(6), rule.from)) rule.kind = Kind::UpTo;
        return rule;
    }
    const size_t higher = part.find(" and higher");
    if (higher != std::string::npos) {
        if (parseGroupToken(part.substr(0, higher), rule.from)) rule.kind = Kind::AndHigher;
        return rule;
    }
    const size_t dash = part.find('-');
    if (dash != std::string::npos) {
        if (parseGroupToken(part.substr(0, dash), rule.from) &&
            parseGroupToken(part.substr(dash + 1), rule.to))
            rule.kind = Kind::Range;
        return rule;
    }
    if (parseGroupToken(part, rule.from)) rule.kind = Kind::One;
    return rule;
}

bool partCovers(const PartRule& rule, const GroupRef& ref) {
    using Kind = PartRule::Kind;
    const GroupRef& g = rule.from;
    switch (rule.kind) {
    case Kind::AnyGroup:
        return ref.scale != 0;
    case Kind::Trainees:
        return ref.scale == 'T';
    case Kind::Judges:
        return ref.scale == 'B';
    case Kind::UpTo:
        return g.scale == ref.scale && ref.number <= g.number;
    case Kind::AndHigher:
        if (g.scale == 'A' && ref.scale == 'B') return true;
        return g.scale == ref.scale && ref.number >= g.number;
    case Kind::Range:
        return g.scale == ref.scale && ref.number >= g.number && ref.number <= rule.to.number;
    case Kind::One:
        return g.scale == ref.scale && g.number == ref.number;
    case Kind::Nothing:
        break;
    }
    return false;
}

std::vector<PartRule> parseBand(std::string_view band) {
    std::vector<PartRule> parts;
    size_t start = 0;
    while (start <= band.size()) {
        size_t comma = band.find(',', start);
        if (comma == std::string_view::npos) comma = band.size();
        parts.push_back(parsePart(band.substr(start, comma - start)));
        start = comma + 1;
    }
    return parts;
}

bool bandCovers(const std::vector<PartRule>& band, const GroupRef& ref) {
    if (ref.scale == 0) return false;
    return std::any_of(band.begin(), band.end(),
                       [&ref](const PartRule& part) { return partCovers(part, ref); });
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
    case relationship::kTvlCare:
        return hessen ? TvhPflege : TvlPflege;
    case relationship::kTvlSocial:
        return hessen ? TvhSue : TvlSue;
    case relationship::kTvoedBund:
        return TvoedBund;
    case relationship::kTvl:
        return hessen ? Tvh : Tvl;
    case relationship::kTvoedVka:
        return TvoedVka;
    case relationship::kTvoedSavingsBanks:
        return TvoedSparkassen;
    case relationship::kTvoedVkaSocial:
        return TvoedVkaSue;
    case relationship::kTvV:
        return TvV;
    case relationship::kTvN:
        return TvN;
    case relationship::kTrainees:
        return Trainees;
    case relationship::kDoctors:
        return TvAerzte;
    case relationship::kAvrDiakonie:
        return AvrDiakonie;
    case relationship::kAvrCaritas:
        return AvrCaritas;
    case relationship::kAok:
    case relationship::kServiceContract1:
    case relationship::kServiceContract2:
    case relationship::kEmployeeOwnTable:
    case relationship::kAgreedSalary:
    case relationship::kTypedPay:
        return OwnTable;
    default:
        (void)year;
        return -1;
    }
}

} // namespace

// ---- The percentage table ----

AnnualPaymentTable shippedAnnualPaymentTable() {
    static const AnnualPaymentTable shipped = [] {
        AnnualPaymentTable t;
        // The rows name a few bands many times over; which panel groups a band covers is worked out once
        // per band (the table is built at the start of every program that shows a special payment).
        std::vector<std::pair<std::string_view, std::array<bool, kAnnualPaymentGroups>>> bands;
        const auto groupsOf =
            [&bands](std::string_view band) -> const std::array<bool, kAnnualPaymentGroups>& {
            for (const auto& known : bands)
                if (known.first == band) return known.second;
            std::array<bool, kAnnualPaymentGroups> covered{};
            const std::vector<PartRule> parts = parseBand(band);
            for (int p = 0; p < kAnnualPaymentGroups; ++p)
                covered[static_cast<size_t>(p)] = bandCovers(parts, panelGroupRef(p));
            return bands.emplace_back(band, covered).second;
        };
        for (const AnnualPercentRow& r : shippedAnnualPercentRows()) {
            const int agreement = agreementOfCsv(r.agreement);
            if (agreement < 0 || r.year < kFirstTableYear || r.year >= kFirstTableYear + kAnnualPaymentYears)
                continue;
            const std::array<bool, kAnnualPaymentGroups>& covered = groupsOf(r.groups);
            for (int p = 0; p < kAnnualPaymentGroups; ++p) {
                if (!covered[static_cast<size_t>(p)]) continue;
                t.setPercent(agreement, r.year, r.east, p, r.hundredths);
                if (agreement == Tvh)
                    t.setPercent(agreement, r.year, true, p, r.hundredths); // Hessen has no East area
            }
        }
        return t;
    }();
    return shipped;
}

void restoreShippedPercentages(AnnualPaymentTable& table, int agreement, int year) {
    const AnnualPaymentTable shipped = shippedAnnualPaymentTable();
    for (int east = 0; east < 2; ++east)
        for (int p = 0; p < kAnnualPaymentGroups; ++p)
            table.setPercent(agreement, year, east != 0, p, shipped.percent(agreement, year, east != 0, p));
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
    AnnualPaymentTable table = shippedAnnualPaymentTable();
    const auto path = findFileIgnoringCase(userFolder, kAnnualPaymentFile);
    // All records in one read, as one record of their joint length; what the file lacks reads as zeros.
    constexpr size_t kRecords = static_cast<size_t>(kAnnualPaymentYears) * kAgreementEntries;
    const RecordBuffer all = readRecordIfExists(path, kRecords * kAnnualPaymentRecordLength, 1);
    for (int year = kFirstTableYear; year < kFirstTableYear + kAnnualPaymentYears; ++year) {
        for (int a = 0; a < kAgreementEntries; ++a) {
            const auto at = static_cast<size_t>((year - kFirstTableYear) * kAgreementEntries + a) *
                            kAnnualPaymentRecordLength;
            RecordBuffer r(kAnnualPaymentRecordLength);
            std::copy_n(all.bytes().begin() + static_cast<std::ptrdiff_t>(at), kAnnualPaymentRecordLength,
                        r.bytes().begin());
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
    RecordFile file(findFileIgnoringCase(userFolder, kAnnualPaymentFile), kAnnualPaymentRecordLength);
    for (int year = kFirstTableYear; year < kFirstTableYear + kAnnualPaymentYears; ++year) {
        for (int a = 0; a < kAgreementEntries; ++a) {
            RecordBuffer r(kAnnualPaymentRecordLength);
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
        g.userFolder.empty() ? shippedAnnualPaymentTable() : readAnnualPaymentTable(g.userFolder);
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
    return bandCovers(parseBand(band), caseGroupRef(c));
}

SpecialPaymentCategory classifySpecialPayment(const Case& c, int year) {
    SpecialPaymentCategory cat;
    const int sr = c.serviceRelationship();
    if (isCivilServant(sr)) {
        cat.kind = SpecialPaymentCategory::Kind::CivilServant;
        return cat;
    }
    const int agreement = agreementOf(c, year);
    if (agreement < 0) return cat;
    cat.kind = SpecialPaymentCategory::Kind::Agreement;
    cat.agreement = agreement;
    cat.group = annualPaymentGroupOf(c);
    cat.averageBase = hasAverageSpecialPaymentBase(sr);
    return cat;
}

} // namespace varemo
