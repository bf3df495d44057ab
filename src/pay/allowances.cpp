#include "pay/allowances.h"

#include "base/money.h"
#include "model/sheet.h"
#include "tariffs/tariff_address.h"

#include <array>

namespace varemo {

using namespace relationship;

bool hasFamilyAllowance(int sr) {
    return isCivilServant(sr) || sr == kTrainees || sr == kAvrCaritas;
}

namespace {

bool isTvlFamily(int sr) {
    return payFamily(sr) == PayFamily::Tvl;
}

// The civil servants before those with tables of their own (0 to 5).
bool belowOwnTable(int sr) {
    return sr < kCivilOwnTable;
}

int32_t entry(const TariffRow& row, int k) {
    return k >= 0 && k < kTariffEntries ? row[static_cast<size_t>(k)] : 0;
}

int32_t typed(const Case& c, AmountSlot slot) {
    return c.previousAmount(slot);
}

int32_t add(int32_t a, int32_t b) {
    return addCents(a, b);
}

// Percentage allowances of the 108-entry list for civil servants and the TV-L's care and social services
// (service relationships 0 to 9): a percentage of one entry of a fixed record of the region's block.
// Entries the rule leaves open are the fixed salaries of grades without steps (entry 0).
struct PercentageAllowance {
    int option;
    int record;
    int entry;
    int hundredths;
};
constexpr std::array<PercentageAllowance, 18> kPercentageAllowances = {{
    {90, 4, 7, 1250},
    {91, 10, 10, 1250},
    {92, 16, 11, 1250},
    {93, 20, 11, 1250},
    {94, 25, 0, 1250},
    {95, 28, 0, 1250},
    {96, 31, 0, 1250},
    {97, 40, 14, 1250},
    {98, 42, 0, 1250},
    {99, 45, 0, 1250},
    {100, 48, 0, 1250},
    {101, 20, 11, 1350},
    {102, 21, 11, 1350},
    {103, 25, 0, 1350},
    {104, 26, 0, 1350},
    {105, 27, 0, 1350},
    {106, 28, 0, 1350},
    {107, 29, 0, 1350},
}};
constexpr int kBundesbankOption = 30;

int32_t basicForPercentage(const LookupContext& ctx) {
    if (ctx.step == ctx.handEntry) return typed(ctx.c, AmountSlot::BasicPay);
    return entry(ctx.row, ctx.step);
}

} // namespace

int32_t percentOfCents(int64_t cents, int64_t hundredths) {
    return checkedCents(mulDiv(cents, hundredths, 10000, Rounding::HalfEven));
}

std::optional<int> lineNineEntry(const Case& c, int step) {
    const int sr = c.serviceRelationship();
    const int option = c.key(KeySlot::StructuralAllowance);
    if (!isCivilServant(sr)) return option == 0 ? std::optional<int>(25) : std::nullopt;
    const int region = c.region();
    // Sachsen-Anhalt pays its R grades no table allowance on line 9, only a typed one.
    if (region == 14 && sr == kPayOrderR) return std::nullopt;
    if (option == 0) return 25;
    if (option != 1 || region == 3 || region == 17) return std::nullopt;
    if (region == 1 && sr == kPayOrderA && (c.payGroup() == 3 || c.payGroup() == 5)) return 25;
    if (step < 14 && sr != kPayOrderR) return 14;
    return std::nullopt;
}

LineAmount lineNineAmount(const LookupContext& ctx) {
    const Case& c = ctx.c;
    const int sr = c.serviceRelationship();
    const int region = c.region();
    const int option = c.key(KeySlot::StructuralAllowance);
    LineAmount out;
    if (isCivilServant(sr) && option == 3) {
        out.clearPrevious = true;
        return out;
    }
    if (const auto k = lineNineEntry(c, ctx.step)) {
        out.cents = entry(ctx.row, *k);
    } else if (isCivilServant(sr) && (region == 3 || region == 17)) {
        if (option == 1 || option == 2) {
            out.cents = typed(c, AmountSlot::StructuralAllowance);
            out.exemptFromTariffFactor = true;
        }
    } else if (isCivilServant(sr)) {
        if (option == 2) out.cents = typed(c, AmountSlot::StructuralAllowance);
    } else if (option >= 2) {
        out.cents = typed(c, AmountSlot::StructuralAllowance);
    }
    return out;
}

int32_t marriedPart(int32_t entry16, int rule) {
    if (rule == 0) return entry16;
    int32_t even = entry16 % 2 != 0 ? add(entry16, 1) : entry16;
    return even / 2;
}

std::optional<bool> spouseInPublicService(const Case& c) {
    const int option = c.key(KeySlot::FamilyAllowance);
    if (!isCivilServant(c.serviceRelationship()) || option < 1 || option > 7) return std::nullopt;
    return c.key(KeySlot::LineSeven) != 0;
}

LineAmount lineTenAmount(const LookupContext& ctx, bool familyComputed) {
    const Case& c = ctx.c;
    const int sr = c.serviceRelationship();
    const int option = c.key(KeySlot::FamilyAllowance);
    LineAmount out;
    if (hasFamilyAllowance(sr)) {
        if (!familyComputed) {
            out.cents = typed(c, AmountSlot::FamilyAllowance);
            return out;
        }
        const bool noBase = (c.region() == 6 || c.region() == 14) && belowOwnTable(sr);
        const int32_t base = noBase ? 0 : entry(ctx.row, 15);
        const int32_t married = marriedPart(entry(ctx.row, 16), c.key(KeySlot::LineSeven));
        if (option == 0)
            out.cents = base;
        else if (option == 1)
            out.cents = add(base, married);
        else if (option >= 2 && option <= 7)
            out.cents = add(add(base, married), entry(ctx.row, option + 15));
        else if (option >= 8 && option <= 13)
            out.cents = add(entry(ctx.row, option + 9), base);
        else if (option == 15)
            out.cents = entry(ctx.row, 20);
        else if (option >= 16)
            out.cents = typed(c, AmountSlot::FamilyAllowance);
        return out;
    }
    // Employees: protected child amounts.
    if (option == 0) {
        out.cents = typed(c, AmountSlot::FamilyAllowance);
        out.exemptFromTariffFactor = sr == kTvlCare || sr == kTvlSocial;
    } else if (option == 1) {
        out.clearPrevious = true;
    } else if (option >= 2 && option <= 4) {
        out.cents = entry(ctx.row, option + 15);
    } else if (option == 5) {
        out.cents = typed(c, AmountSlot::FamilyAllowance);
    }
    return out;
}

PerformanceKind performanceKind(int sr, int option) {
    using K = PerformanceKind;
    if (isCivilServant(sr)) {
        static constexpr K kCivil[] = {K::None,
                                       K::PerformanceStep1,
                                       K::PerformanceStep2,
                                       K::Typed,
                                       K::Typed,
                                       K::Typed,
                                       K::Typed,
                                       K::Typed,
                                       K::PercentOf8,
                                       K::PercentOf8And13To15,
                                       K::Reduce8Of8,
                                       K::Reduce4Of8,
                                       K::Reduce8Of8And9,
                                       K::Reduce4Of8And9,
                                       K::Typed};
        if (option < 0 || option >= static_cast<int>(std::size(kCivil))) return K::None;
        return kCivil[option];
    }
    static constexpr K kEmployee[] = {K::Typed,          K::Typed,          K::Typed,
                                      K::Typed,          K::PercentOfStep2, K::PercentOfWLines,
                                      K::PercentOf8,     K::PercentOf8And9, K::PercentOf8And10,
                                      K::PercentOf8To10, K::Typed,          K::Typed};
    if (option < 0 || option >= static_cast<int>(std::size(kEmployee))) return K::None;
    return kEmployee[option];
}

std::optional<MultiplierKind> performanceMultiplierKind(PerformanceKind kind) {
    switch (kind) {
    case PerformanceKind::None:
    case PerformanceKind::Typed:
        return std::nullopt;
    case PerformanceKind::PercentOfStep2:
        return MultiplierKind::TariffEmployee;
    default:
        return MultiplierKind::CivilServant;
    }
}

LineAmount lineTwelveAmount(const LookupContext& ctx, const GrossAmounts& lines) {
    const Case& c = ctx.c;
    const int sr = c.serviceRelationship();
    const int64_t p = c.amount(AmountSlot::PerformancePercent);
    auto line = [&lines](int n) { return int64_t{lines[static_cast<size_t>(n - kFirstGrossLine)]}; };
    LineAmount out;
    const PerformanceKind kind = performanceKind(sr, c.key(KeySlot::PerformancePay));
    const bool reductionAllowed = sr >= kPayOrderA && sr <= kPayOrderR;
    switch (kind) {
    case PerformanceKind::None:
        break;
    case PerformanceKind::Typed:
        out.cents = typed(c, AmountSlot::PerformancePay);
        break;
    case PerformanceKind::PerformanceStep1:
    case PerformanceKind::PerformanceStep2: {
        const int ahead = kind == PerformanceKind::PerformanceStep1 ? 1 : 2;
        const int32_t now = entry(ctx.row, ctx.step);
        const int32_t later = ctx.step + ahead <= 22 ? entry(ctx.row, ctx.step + ahead) : 0;
        if (ctx.step != ctx.handEntry && now != 0 && later != 0)
            out.cents = checkedCents(int64_t{later} - now);
        break;
    }
    case PerformanceKind::PercentOfStep2: {
        Money step2 = Money::fromCents(entry(ctx.row, 1)).timesFactor(ctx.tariffFactor);
        out.cents = checkedCents(mulDiv(step2.units(), p, 10000 * Money::kUnitsPerCent, Rounding::HalfEven));
        break;
    }
    case PerformanceKind::PercentOfWLines: {
        int64_t sum = 0;
        for (int n = kFirstGrossLine; n <= kLastGrossLine; ++n)
            if (n != 12 && c.grossLine(n).flag(LineFlag::AnnualPayment)) sum += line(n);
        out.cents = percentOfCents(sum, p);
        break;
    }
    case PerformanceKind::PercentOf8:
        out.cents = percentOfCents(line(8), p);
        break;
    case PerformanceKind::PercentOf8And9:
        out.cents = percentOfCents(line(8) + line(9), p);
        break;
    case PerformanceKind::PercentOf8And10:
        out.cents = percentOfCents(line(8) + line(10), p);
        break;
    case PerformanceKind::PercentOf8To10:
        out.cents = percentOfCents(line(8) + line(9) + line(10), p);
        break;
    case PerformanceKind::PercentOf8And13To15:
        out.cents = percentOfCents(line(8) + line(13) + line(14) + line(15), p);
        break;
    case PerformanceKind::Reduce8Of8:
        if (reductionAllowed) out.cents = percentOfCents(-line(8), 800);
        break;
    case PerformanceKind::Reduce4Of8:
        if (reductionAllowed) out.cents = percentOfCents(-line(8), 400);
        break;
    case PerformanceKind::Reduce8Of8And9:
        if (reductionAllowed) out.cents = percentOfCents(-(line(8) + line(9)), 800);
        break;
    case PerformanceKind::Reduce4Of8And9:
        if (reductionAllowed) out.cents = percentOfCents(-(line(8) + line(9)), 400);
        break;
    }
    return out;
}

int32_t allowanceAmount(const LookupContext& ctx, int line, int32_t lineNine) {
    const Case& c = ctx.c;
    const LineInfo& info = lineInfo(line);
    const int option = c.key(info.key.value());
    const int sr = c.serviceRelationship();
    const int region = c.region();
    if (allowancePaysTypedAmount(option)) return typed(c, info.amount.value());
    if (isCivilServant(sr) || sr == kTvlCare || sr == kTvlSocial) {
        if (option == kBundesbankOption) {
            if (sr == kCandidates || sr == kTvlSocial) return 0;
            const int32_t allowance =
                c.key(KeySlot::StructuralAllowance) >= 2 ? lineNine : entry(ctx.row, 25);
            return percentOfCents(int64_t{basicForPercentage(ctx)} + allowance, 1900);
        }
        for (const auto& p : kPercentageAllowances) {
            if (p.option != option) continue;
            if (!ctx.tariffs) return 0;
            TariffRow row =
                ctx.tariffs->read(ctx.month, int64_t{region} * kTariffRecordsPerRegion + p.record);
            return percentOfCents(entry(row, p.entry), p.hundredths);
        }
    }
    if (!ctx.tariffs) return 0;
    const bool wideBlocks = region == 10 && ctx.year >= 2017 && belowOwnTable(sr);
    static constexpr int kStarts[] = {1, 18, 36, 54, 72, 90};
    static constexpr int kWideStarts[] = {1, 27, 54, 81, 108, 135};
    const int* starts = wideBlocks ? kWideStarts : kStarts;
    int block = 0;
    for (int b = 0; b < 6; ++b)
        if (option >= starts[b]) block = b;
    const int32_t base = isCivilServant(sr) ? kCivilAllowanceRecord : kEmployeeAllowanceRecord;
    TariffRow row = ctx.tariffs->read(ctx.month, int64_t{region} * kTariffRecordsPerRegion + base + block);
    return applyTariffFactor(entry(row, option - starts[block]), ctx.tariffFactor);
}

std::vector<std::string> lineNineOptions(const Case& c) {
    const int sr = c.serviceRelationship();
    const int region = c.region();
    if (isCivilServant(sr)) {
        if (region == 3 || region == 17)
            return {"Allgemeine Stellenzulage", "Strukturausgleich lt. Eingabe", "Strukturzulage lt. Eingabe",
                    "Keine Allgemeine Stellenzulage"};
        if (region == 2)
            return {"Strukturzulage", "Allgemeine Stellenzulage", "Strukturzulage lt. Eingabe",
                    "Keine Strukturzulage"};
        // The federal general allowance has been part of the basic pay since 2009.
        return {region == 0 ? "Allg.Stellenzul. (in Zeile 8 enth.)" : "Allgemeine Stellenzulage",
                "Strukturzulage", "Strukturzulage lt. Eingabe", "Keine Allgemeine Stellenzulage"};
    }
    return {"Strukturausgleich",
            "Keine Strukturzulage",
            "Strukturausgleich lt. Eingabe",
            isTvlFamily(sr) ? "§ 17,4 TV-L soweit nicht in Zeile 8" : "§ 17,4 TVöD soweit nicht in Zeile 8",
            "Erhöhung der Entgeltstufe lt. Eing.",
            "Fixe Entgeltstufenerhöh.lt.Eing.",
            "Ergänzung des Grundgehalts lt. Eing."};
}

std::vector<std::string> lineTenOptions(const Case& c, const OptionTextFile& texts) {
    const int sr = c.serviceRelationship();
    if (hasFamilyAllowance(sr) || sr >= kAgreedSalary) {
        std::vector<std::string> out;
        for (int k = 0; k < optiontext::kFamilyCount; ++k)
            out.push_back(texts.text(optiontext::kFamilyFirst + k));
        for (const char* text :
             {"Zuschlag für 5 Kinder  ( - / 5 )", "Zuschlag für 6 Kinder  ( - / 6 )", "Kein Familienzuschlag",
              "Kinderanteil für 4 Kinder", "Familienzuschlag lt. Eingabe",
              "Besitzstandszuschl.f.Kinder lt.Eing.", "Anrechnungsbetrag f. Unterkunft"})
            out.emplace_back(text);
        return out;
    }
    return {"Besitzstandszuschl.f.Kinder lt.Eing.", "Kein Besitzstandszuschl.f.Kinder",
            "Besitzstandszuschlag für 1 Kind",      "Besitzstandszuschlag für 2 Kinder",
            "Besitzstandszuschlag für 3 Kinder",    "Zul. f. höherw. Tätigk. lt. Eingabe"};
}

std::string lineTenShortCode(const Case& c) {
    const int sr = c.serviceRelationship();
    const int option = c.key(KeySlot::FamilyAllowance);
    if (hasFamilyAllowance(sr) || sr >= kAgreedSalary) {
        if (option == 0) return "ledig";
        if (option == 1) return "verh.";
        if (option >= 2 && option <= 7) return "vh. " + std::to_string(option - 1) + "K";
        if (option >= 8 && option <= 13) return "ld. " + std::to_string(option - 7) + "K";
        if (option == 14) return "keine";
        if (option == 16) return "lt.Eing.";
        return {};
    }
    if (option == 0) return "lt.Eing.";
    if (option == 1) return "keine";
    if (option >= 2 && option <= 4) return std::to_string(option - 1) + " K.";
    return {};
}

std::vector<std::string> lineTwelveOptions(const Case& c) {
    const int sr = c.serviceRelationship();
    if (isCivilServant(sr))
        return {"Keine Leistungsstufe",
                "Leistungsstufe 1",
                "Leistungsstufe 2",
                "Leistungszulage lt. Eingabe",
                "Leistungszulage Besitzstand dyn.",
                "Leistungszulage Besitzstand fix",
                "Leistungszulage auslaufend",
                "Teilzeitkürzung Vh.zuschlag zurück",
                "% Grundgehalt als Leist.Bezug",
                "% Grundgehalt(8) u.Zulagen(13-15)",
                "8 % Absenkung Grundgehalt (Zeile 8)",
                "4 % Absenkung Grundgehalt (Zeile 8)",
                "8 % Absenkung der Zeile 8 und 9",
                "4 % Absenkung der Zeile 8 und 9",
                "Ballungsraumzulage"};
    return {"Leistungszulage lt. Eingabe",
            "Leistungszulage Besitzstand dyn.",
            "Leistungszulage Besitzstand fix",
            "Leistungszulage auslaufend",
            "% Leistungszulage aus Stufe 2",
            "% Leistungszulage aus \"W\"-Zeilen",
            "% Leist.Zulage aus Grundentgelt(8)",
            "% Leist.Zul. aus Grundentgelt(8+9)",
            "% Grundentgelt u. KiZuschl.(8,10)",
            "% Grundentgelt u. KiZuschl.(8-10)",
            isTvlFamily(sr) ? "Garantiebetrag § 17 Abs. 4 TV-L" : "Garantiebetrag § 17 Abs. 4 TVöD",
            "Mehrbetrag (wg.bish.Leistungsstufe)"};
}

std::vector<std::string> allowanceOptions(const Case& c, const OptionTextFile& texts) {
    const bool civil = isCivilServant(c.serviceRelationship());
    const int region = c.region() >= 0 && c.region() < optiontext::kRegionCount ? c.region() : 0;
    std::vector<std::string> out = {"Zulage lt. Eingabe", "Besitzstandszulage (dynamisch)",
                                    "Besitzstandszulage (fix)"};
    for (int k = optiontext::kFirstNamedAllowance; k < optiontext::kAllowanceOptions; ++k) {
        std::string text = texts.text(optiontext::allowanceRecord(civil, region, k));
        out.push_back(text.empty() ? "Zulage Nr. " + std::to_string(k) : text);
    }
    return out;
}

} // namespace varemo
