#include "pay/basic_pay.h"

#include "pay/allowances.h"
#include "pay/steps.h"
#include "tariffs/multipliers.h"
#include "tariffs/tariff_address.h"

#include <algorithm>

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

int32_t basicPayEntry(const TariffRow& row, int sr, int region, int group, int step, int year, int month) {
    if (region == 7) {
        if (sr == relationship::kPayOrderW && year >= 2013 && group >= 3) return entryAt(row, 10);
        if (isPayOrderA(sr)) {
            if (step == 15) return entryAt(row, 23);
            if (step == 16) return entryAt(row, 24);
        }
    }
    const bool transition = region == 14 && (year > 2011 || (year == 2011 && month >= 4));
    if (transition && (sr == relationship::kPayOrderA || sr == relationship::kPayOrderR) && step > 15)
        return entryAt(row, step + 7);
    return entryAt(row, step);
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
    TariffRow row = record ? g.tariffs.read(month, *record) : TariffRow{};
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

    rawLine(8) = step == handEntry ? c.previousAmount(AmountSlot::BasicPay)
                                   : basicPayEntry(row, sr, region, group, step, g.year, month);
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
