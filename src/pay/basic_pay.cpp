#include "pay/basic_pay.h"

#include "pay/allowances.h"
#include "pay/pay_options.h"
#include "pay/steps.h"
#include "tariffs/multipliers.h"
#include "tariffs/tariff_address.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace varemo {
namespace {

const std::filesystem::path& dataRoot(const Globaldaten& g) {
    return g.dataRootOrProgram();
}

int32_t entryAt(const TariffRow& row, int k) {
    return k >= 0 && k < kTariffEntries ? row[static_cast<size_t>(k)] : 0;
}

// The slots of the gross-pay lines the lookup fills.
AmountSlot amountSlot(int line) {
    return lineInfo(line).amount.value();
}
KeySlot keySlot(int line) {
    return lineInfo(line).key.value();
}

} // namespace

void OpenPayTables(Globaldaten& g) {
    g.tariffs = TariffYear(dataRoot(g), g.year);
    g.pay.texts = OptionTextFile(optionTextPath(dataRoot(g), g.year));
}

int basicPayEntryIndex(int sr, int region, int group, int step, int year, int month) {
    if (region == 7) {
        if (sr == relationship::kPayOrderW && year >= 2013 && group >= 3) return 10;
        if (isPayOrderA(sr)) {
            if (step == 15) return 23;
            if (step == 16) return 24;
        }
    }
    const bool transition = region == 14 && (year > 2011 || (year == 2011 && month >= 4));
    if (transition && (sr == relationship::kPayOrderA || sr == relationship::kPayOrderR) && step > 15)
        return step + 7;
    return step;
}

int32_t basicPayEntry(const TariffRow& row, int sr, int region, int group, int step, int year, int month) {
    return entryAt(row, basicPayEntryIndex(sr, region, group, step, year, month));
}

std::optional<int32_t> basicPayCell(const TariffRecord& record, int sr, int region, int group, int step,
                                    int year, int month) {
    return record.amount(basicPayEntryIndex(sr, region, group, step, year, month));
}

namespace {

std::string nameOr(const std::vector<std::string>& names, int position, const std::string& fallback) {
    if (position >= 0 && position < static_cast<int>(names.size()) &&
        !names[static_cast<size_t>(position)].empty())
        return names[static_cast<size_t>(position)];
    return fallback + " " + std::to_string(position + 1);
}

// A group's label without the years the list adds to it ("E9" of "E9 (Tabelle bis 2018)").
std::string groupLabel(const std::string& name) {
    return name.substr(0, name.find(" ("));
}

// The groups that replace a group the table no longer (or not yet) has: the groups of the list whose
// label continues the label with a letter (E9a and E9b for E9, not E10 for E1) and that hold amounts
// in the month.
std::vector<std::string> replacingGroups(Globaldaten& g, const std::vector<std::string>& names, int month) {
    const Case& c = g.workingCase;
    const std::string label = groupLabel(nameOr(names, c.payGroup(), "Gruppe"));
    std::vector<std::string> out;
    for (int p = 0; p < static_cast<int>(names.size()); ++p) {
        const std::string other = groupLabel(names[static_cast<size_t>(p)]);
        if (p == c.payGroup() || other.size() <= label.size() || other.compare(0, label.size(), label) != 0 ||
            std::isdigit(static_cast<unsigned char>(other[label.size()])))
            continue;
        auto record = tariffRecordNumber(c.region(), c.serviceRelationship(), p, g.year, month, 0);
        if (record && g.tariffs.readRecord(month, *record).hasAnyAmount()) out.push_back(other);
    }
    return out;
}

// Whether any group of the list holds amounts in the month. Only the listed groups count: the records
// after the last one may belong to the next service relationship.
bool listedGroupsHaveAmounts(Globaldaten& g, const std::vector<std::string>& names, int month) {
    const Case& c = g.workingCase;
    if (std::all_of(names.begin(), names.end(), [](const std::string& n) { return n.empty(); }))
        return hasTariffTables(g, c.serviceRelationship(), c.region(), month);
    for (int p = 0; p < static_cast<int>(names.size()); ++p) {
        if (names[static_cast<size_t>(p)].empty()) continue;
        auto record = tariffRecordNumber(c.region(), c.serviceRelationship(), p, g.year, month, 0);
        if (record && g.tariffs.readRecord(month, *record).hasAnyAmount()) return true;
    }
    return false;
}

std::string listed(const std::vector<std::string>& items, const std::string& last) {
    std::string out;
    for (size_t i = 0; i < items.size(); ++i)
        out += (i == 0 ? "" : i + 1 == items.size() ? " " + last + " " : ", ") + items[i];
    return out;
}

std::string twoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

} // namespace

std::optional<PromptMessage> missingBasicPayNotice(Globaldaten& g) {
    const Case& c = g.workingCase;
    const int sr = c.serviceRelationship();
    if (!usesPayTables(sr) || c.monthIndex() < 0 || c.monthIndex() > 11) return std::nullopt;
    const int month = c.monthIndex() + 1;
    if (g.tariffs.year() != g.year || !g.tariffs.hasTables()) g.tariffs = TariffYear(dataRoot(g), g.year);
    if (!g.tariffs.hasTables())
        return PromptMessage{PromptIcon::Warning,
                             kMissingBasicPayTitle,
                             {"Für das Jahr " + std::to_string(g.year) +
                                  " gibt es keine Tariftabellen (Tarife/" + std::to_string(g.year) +
                                  "1.ttt fehlt).",
                              "Die Zeilen 8 bis 10 zeigen deshalb 0,00."},
                             PromptButtons::Ok};

    const int step = c.key(KeySlot::Step);
    const StepList steps = stepList(c, g.year, month);
    if (step == steps.handEntry) return std::nullopt;
    const int region = c.region();
    const int group = c.payGroup();
    auto record = tariffRecordNumber(region, sr, group, g.year, month, g.pay.lastRecord);
    if (!record) return std::nullopt;
    const TariffRecord cells = g.tariffs.readRecord(month, *record);
    if (basicPayCell(cells, sr, region, group, step, g.year, month)) return std::nullopt;

    const bool civil = isCivilServant(sr);
    const std::vector<std::string> groups = payGroupNames(g.pay.texts, sr);
    const std::string groupName = nameOr(groups, group, "Nr.");
    const std::string handEntry = "\"" + steps.texts.back() + "\"";
    const std::string regionName = nameOr(regionNames(g.pay.texts), region, "Region");
    std::string hint;
    if (!listedGroupsHaveAmounts(g, groups, month)) {
        hint = "Die Tabellen enthalten für " + regionName +
               " keine Beträge dieser Gruppen; wählen Sie in Zeile 8 " + handEntry +
               " und geben Sie den Betrag ein.";
    } else if (!cells.hasAnyAmount()) {
        const auto replacing = replacingGroups(g, groups, month);
        hint =
            replacing.empty()
                ? "Wählen Sie in Zeile 4 eine Gruppe, für die die Tabelle Beträge enthält, oder in Zeile 8 " +
                      handEntry + "."
                : std::string("Wählen Sie in Zeile 4 die ") +
                      (civil ? "Besoldungsgruppe " : "Entgeltgruppe ") + listed(replacing, "oder") + ".";
    } else {
        hint = "Wählen Sie in Zeile 8 eine Stufe, für die die Tabelle einen Betrag enthält, oder " +
               handEntry + ".";
    }
    return PromptMessage{
        PromptIcon::Warning,
        kMissingBasicPayTitle,
        {"Für " + nameOr(serviceRelationshipNames(g.pay.texts, g.pay.traineeName), sr, "Dienstverhältnis") +
             ", " + regionName + ", Monat " + twoDigits(month) + "/" + std::to_string(g.year) + ", " +
             (civil ? "Besoldungsgruppe " : "Entgeltgruppe ") + groupName + ", Stufe " +
             std::to_string(step + 1) + " enthält die " + (civil ? "Besoldungstabelle" : "Entgelttabelle") +
             " keinen Betrag.",
         "Zeile 8 zeigt deshalb 0,00; die Auswahl des Falles bleibt, wie sie ist.", hint},
        PromptButtons::Ok};
}

bool hasTariffTables(Globaldaten& g, int sr, int region, int month) {
    auto base = tariffBaseRecord(sr);
    if (!base) return true;
    for (int group = 0; group <= 26; ++group) {
        auto record = tariffRecordNumber(region, sr, group, g.year, month, 0);
        if (!record) continue;
        TariffRow row = g.tariffs.read(month, *record);
        if (std::any_of(row.begin(), row.end(), [](int32_t v) { return v != 0; })) return true;
    }
    return false;
}

void TariffLookup(Globaldaten& g) {
    Case& c = g.workingCase;
    ComputeStep(g);
    if (g.tariffs.year() != g.year || !g.tariffs.hasTables()) g.tariffs = TariffYear(dataRoot(g), g.year);
    if (!g.tariffs.hasTables()) {
        c.setAmount(AmountSlot::BasicPay, 0);
        c.setAmount(AmountSlot::FamilyAllowance, 0);
        c.setAmount(AmountSlot::StructuralAllowance, 0);
        return;
    }

    const int sr = c.serviceRelationship();
    const int region = c.region();
    const int group = c.payGroup();
    const int month = std::clamp(c.monthIndex() + 1, 1, 12);
    if (isWithoutPayTable(sr)) {
        // No table: the lines keep what was typed.
        for (int line = 8; line <= 16; ++line)
            c.restoreEnteredAmount(amountSlot(line));
        return;
    }

    auto record = tariffRecordNumber(region, sr, group, g.year, month, g.pay.lastRecord);
    const TariffRecord cells = record ? g.tariffs.readRecord(month, *record) : TariffRecord{};
    TariffRow row = cells.row;
    adjustTariffRow(row, sr, c.key(KeySlot::Title));
    g.pay.row = row;
    g.pay.lastRecord = record.value_or(0);

    const int step = c.key(KeySlot::Step);
    const int handEntry = handEntryStep(c, g.year, month);
    LookupContext ctx{c, g.year, month, row, step, handEntry, g.tariffFactor, &g.tariffs};

    GrossAmounts raw{};
    auto rawLine = [&raw](int line) -> int32_t& { return raw[static_cast<size_t>(line - kFirstGrossLine)]; };
    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line)
        rawLine(line) = c.amount(amountSlot(line));

    // A cell without an amount gives 0, never what the row adjustment made of it; missingBasicPayNotice()
    // names it.
    const bool hasCell = basicPayCell(cells, sr, region, group, step, g.year, month).has_value();
    rawLine(8) = step == handEntry ? c.previousAmount(AmountSlot::BasicPay)
                 : hasCell         ? basicPayEntry(row, sr, region, group, step, g.year, month)
                                   : 0;
    const LineAmount nine = lineNineAmount(ctx);
    rawLine(9) = nine.cents;
    const LineAmount ten = lineTenAmount(ctx, g.pay.familyAllowanceComputed);
    rawLine(10) = ten.cents;
    for (int line = 13; line <= 15; ++line)
        rawLine(line) = allowanceAmount(ctx, line, nine.cents);
    rawLine(16) = c.previousAmount(amountSlot(16));
    const LineAmount twelve = lineTwelveAmount(ctx, raw);

    // Multipliers, then the case's tariff factor.
    const auto multiplier = applicableMultiplier(g.pay.multipliers, sr, group, region, month);
    const auto kind = multiplierKindOf(sr);
    auto scaled = [&](int line, int option, int32_t cents, bool exempt) {
        if (multiplier && kind && multiplierScalesLine(*kind, sr, line, option, handEntry))
            cents = scaleByMultiplier(cents, *multiplier);
        if (tariffFactorScalesLine(line, option, exempt)) cents = applyTariffFactor(cents, g.tariffFactor);
        return cents;
    };
    int32_t lineEight = scaled(8, step, rawLine(8), false);
    int32_t lineNine =
        scaled(9, c.key(KeySlot::StructuralAllowance), nine.cents, nine.exemptFromTariffFactor);
    int32_t lineTen = scaled(10, c.key(KeySlot::FamilyAllowance), ten.cents, ten.exemptFromTariffFactor);
    int32_t lineTwelve = twelve.cents;
    const auto twelveKind = performanceKind(sr, c.key(KeySlot::PerformancePay));
    if (auto needed = performanceMultiplierKind(twelveKind); needed && multiplier && kind == needed)
        lineTwelve = scaleByMultiplier(lineTwelve, *multiplier);
    if (twelveKind == PerformanceKind::PerformanceStep1 || twelveKind == PerformanceKind::PerformanceStep2)
        lineTwelve = applyTariffFactor(lineTwelve, g.tariffFactor);

    c.setAmount(amountSlot(8), lineEight);
    c.setAmount(amountSlot(9), lineNine);
    c.setAmount(amountSlot(10), lineTen);
    c.setAmount(amountSlot(12), lineTwelve);
    for (int line = 13; line <= 16; ++line)
        c.setAmount(amountSlot(line), scaled(line, c.key(keySlot(line)), rawLine(line), false));
    if (nine.clearPrevious) c.enterAmount(amountSlot(9), 0);
    if (ten.clearPrevious) c.enterAmount(amountSlot(10), 0);
}

} // namespace varemo
