// pension-funds/funds.csv and thresholds.csv: the shipped settings of the supplementary pension funds.
// Rates are percent with at most four decimals and become ten-thousandths of a percent (the panel's four
// decimals); amounts are euros with two decimals and become cents. Which position of line 27 a fund's
// rows fill is fixed here (data/README.md has the table).

#include "generators.h"

#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <utility>

namespace varemo::datagen {
namespace {

const std::string kFundsHeader =
    "fund,area,employer_group,valid_from,levy_pct,employee_pct,sanierungsgeld_pct,"
    "capital_pct,capital_employee_pct,notes";
const std::string kThresholdsHeader = "kind,valid_from,area,amount,status,note";

constexpr int64_t kMaxRate = 1000000;              // 100 %, the bound of the panel's entries
constexpr int64_t kMaxEmployerCapitalRate = 40000; // 4 %: above it no longer free of tax and contributions

// The VBL's employer groups: the position of the group (both settlement areas) and of its VBL-OST entry.
const std::map<std::string, std::pair<int, int>> kVblGroups = {
    {"Bund", {0, 4}},
    {"Länder (TdL)", {1, 5}},
    {"Kommunen (VKA)", {2, 6}},
    {"sonstige Beteiligte", {3, 7}},
};
// The communal funds of the eastern Länder: one position, both columns.
const std::map<std::string, int> kCommunalFunds = {
    {"ZVK Brandenburg (KVBbg)", 10},
    {"ZMV Mecklenburg-Vorpommern", 11},
    {"ZVK Sachsen-Anhalt (KVSA)", 13},
    {"ZVK Thüringen", 14},
};
// The Rheinische ZVK: its pay-as-you-go section (levy and restructuring charge) fills position 19 in both
// columns. Its capital-funded section has no entry of its own in line 27 (an employer contribution above
// the panel's 4 % cannot be entered there); its rows are kept in the source for the reader.
const std::string kRhineFund = "Rheinische ZVK (RZVK)";
constexpr int kRhinePosition = 19;
const std::string kRhineLevySection = "Abrechnungsverband I (Umlage)";
const std::string kRhineCapitalSection = "Abrechnungsverband II (Beitrag)";

// Checks the header and the number of fields; returns the rows with their line numbers.
std::vector<std::pair<int, std::vector<std::string>>> rowsOf(const SourceText& csv,
                                                             const std::string& header) {
    const size_t columns = static_cast<size_t>(std::count(header.begin(), header.end(), ',')) + 1;
    std::vector<std::pair<int, std::vector<std::string>>> rows;
    bool headerSeen = false;
    for (int n = 1; n <= csv.lineCount(); ++n) {
        if (csv.line(n).empty()) continue;
        if (!headerSeen) {
            if (csv.line(n) != header) csv.fail(n, "header expected: " + header);
            headerSeen = true;
            continue;
        }
        auto fields = splitCsv(csv, n);
        if (fields.size() != columns)
            csv.fail(n, std::to_string(columns) + " fields expected, found " + std::to_string(fields.size()));
        rows.emplace_back(n, std::move(fields));
    }
    if (!headerSeen) csv.fail(1, "header expected: " + header);
    if (rows.empty()) csv.fail(csv.lineCount(), "no rows");
    return rows;
}

struct YearMonth {
    int year = 0;
    int month = 0;
    auto operator<=>(const YearMonth&) const = default;
};

// "2017-07"; with monthAllowed false a year alone ("2017", month 0).
YearMonth yearMonth(const SourceText& csv, int line, const std::string& text, bool monthAllowed) {
    YearMonth ym;
    const bool withMonth = monthAllowed && text.size() == 7 && text[4] == '-';
    const bool ok = withMonth ? parseCount(text.substr(0, 4), ym.year) &&
                                    parseCount(text.substr(5), ym.month) && ym.month >= 1 && ym.month <= 12
                              : text.size() == 4 && parseCount(text, ym.year);
    if (!ok || ym.year < 2000 || ym.year > 2099)
        csv.fail(line, std::string("valid_from: ") + (monthAllowed ? "YYYY-MM" : "a year") + " expected: '" +
                           text + "'");
    return ym;
}

int64_t rate(const SourceText& csv, int line, const std::string& text, const char* column,
             bool emptyAllowed) {
    if (text.empty() && emptyAllowed) return 0;
    int64_t value = 0;
    if (!parseFixed(text, 4, value) || value > kMaxRate)
        csv.fail(line, std::string(column) + ": 0 to 100 percent with at most four decimals expected: '" +
                           text + "'");
    return value;
}

std::string columnsName(int column) {
    return column == 0   ? "PensionColumns::West"
           : column == 1 ? "PensionColumns::East"
                         : "PensionColumns::Both";
}

std::string rateRows(const SourceText& csv) {
    std::string rows;
    // The last month of each position and column (0 West, 1 East), so that the rows of a column ascend.
    std::map<std::pair<int, int>, YearMonth> last;
    for (const auto& [n, f] : rowsOf(csv, kFundsHeader)) {
        if (f[1] != "West" && f[1] != "East") csv.fail(n, "area West or East expected: '" + f[1] + "'");
        const bool east = f[1] == "East";
        // Position and columns (0 West, 1 East, 2 both) the row fills.
        std::vector<std::pair<int, int>> targets;
        if (f[0] == "VBL") {
            const auto group = kVblGroups.find(f[2]);
            if (group == kVblGroups.end())
                csv.fail(n,
                         "employer_group: Bund, Länder (TdL), Kommunen (VKA) or sonstige Beteiligte expected "
                         "for the VBL: '" +
                             f[2] + "'");
            targets.emplace_back(group->second.first, east ? 1 : 0);
            // The eastern rates also fill both columns of the VBL-OST entry.
            if (east) targets.emplace_back(group->second.second, 2);
        } else if (f[0] == kRhineFund) {
            if (f[2] == kRhineCapitalSection) continue;
            if (f[2] != kRhineLevySection)
                csv.fail(n, "employer_group: " + kRhineLevySection + " or " + kRhineCapitalSection +
                                " expected for the " + kRhineFund + ": '" + f[2] + "'");
            targets.emplace_back(kRhinePosition, 2);
        } else {
            const auto fund = kCommunalFunds.find(f[0]);
            if (fund == kCommunalFunds.end())
                csv.fail(n, "fund without a position in line 27: '" + f[0] + "'");
            targets.emplace_back(fund->second, 2);
        }
        const YearMonth from = yearMonth(csv, n, f[3], true);
        const int64_t levy = rate(csv, n, f[4], "levy_pct", false);
        const int64_t levyEmployee = rate(csv, n, f[5], "employee_pct", false);
        // Empty: no uniform rate, the user enters the employer's own.
        const int64_t restructuring = rate(csv, n, f[6], "sanierungsgeld_pct", true);
        const int64_t capital = rate(csv, n, f[7], "capital_pct", false);
        const int64_t capitalEmployee = rate(csv, n, f[8], "capital_employee_pct", false);
        if (levyEmployee > levy) csv.fail(n, "employee_pct is more than levy_pct");
        if (capitalEmployee > capital) csv.fail(n, "capital_employee_pct is more than capital_pct");
        if (capital - capitalEmployee > kMaxEmployerCapitalRate)
            csv.fail(n, "the employer's capital contribution is more than 4 percent");
        for (const auto& [position, columns] : targets) {
            for (int column = 0; column < 2; ++column) {
                if (columns != 2 && columns != column) continue;
                const auto previous = last.find({position, column});
                if (previous != last.end() && !(previous->second < from))
                    csv.fail(n, "valid_from must follow the previous row of position " +
                                    std::to_string(position) + (column == 0 ? " West" : " East"));
                last[{position, column}] = from;
            }
            rows += "    {" + std::to_string(position) + ", " + columnsName(columns) + ", " +
                    std::to_string(from.year) + ", " + std::to_string(from.month) + ", {" +
                    std::to_string(levy) + ", " + std::to_string(levyEmployee) + ", " +
                    std::to_string(restructuring) + ", " + std::to_string(capital) + ", " +
                    std::to_string(capitalEmployee) + "}},\n";
        }
    }
    return rows;
}

std::string amountRows(const SourceText& csv) {
    std::string rows;
    std::map<std::pair<std::string, std::string>, YearMonth> last; // kind, area
    for (const auto& [n, f] : rowsOf(csv, kThresholdsHeader)) {
        const std::string& kind = f[0];
        const std::string& area = f[2];
        std::string kindName;
        bool bothAreas = false;
        if (kind == "zusatzumlage_grenzbetrag") {
            kindName = "PensionAmountKind::LevyThreshold";
            bothAreas = true;
        } else if (kind == "zusatzumlage_grenzbetrag_jsz_month") {
            kindName = "PensionAmountKind::SpecialPaymentThreshold";
        } else if (kind == "zve_cap_2_5_bbg") {
            kindName = "PensionAmountKind::LevyCeiling";
        } else {
            csv.fail(n,
                     "kind zusatzumlage_grenzbetrag, zusatzumlage_grenzbetrag_jsz_month or zve_cap_2_5_bbg "
                     "expected: '" +
                         kind + "'");
        }
        if (bothAreas ? area != "West/East" : area != "West" && area != "East")
            csv.fail(n, std::string("area ") + (bothAreas ? "West/East" : "West or East") + " expected: '" +
                            area + "'");
        // The special-payment threshold belongs to a year, the others apply from a month on.
        const YearMonth from =
            yearMonth(csv, n, f[1], kindName != "PensionAmountKind::SpecialPaymentThreshold");
        const auto previous = last.find({kind, area});
        if (previous != last.end() && !(previous->second < from))
            csv.fail(n, "valid_from must follow the previous row of " + kind + " " + area);
        last[{kind, area}] = from;
        int64_t cents = 0;
        if (!parseFixed(f[3], 2, cents) || cents > std::numeric_limits<int32_t>::max())
            csv.fail(n, "amount: euros with at most two decimals expected: '" + f[3] + "'");
        rows += "    {" + kindName + ", " +
                columnsName(bothAreas        ? 2
                            : area == "East" ? 1
                                             : 0) +
                ", " + std::to_string(from.year) + ", " + std::to_string(from.month) + ", " +
                std::to_string(cents) + "},\n";
    }
    return rows;
}

} // namespace

std::string pensionFundsCpp(const SourceText& fundsCsv, const SourceText& thresholdsCsv) {
    const std::string rates = rateRows(fundsCsv);
    const std::string amounts = amountRows(thresholdsCsv);
    return "// Generated from data/pension-funds/*.csv by tools/make_data. Do not edit.\n"
           "#include \"law/pension_funds_data.h\"\n"
           "\n"
           "namespace varemo {\n"
           "namespace {\n"
           "constexpr ShippedPensionRateRow kRateRows[] = {\n" +
           rates +
           "};\n"
           "constexpr ShippedPensionAmountRow kAmountRows[] = {\n" +
           amounts +
           "};\n"
           "} // namespace\n"
           "\n"
           "std::span<const ShippedPensionRateRow> shippedPensionRateRows() { return kRateRows; }\n"
           "std::span<const ShippedPensionAmountRow> shippedPensionAmountRows() { return kAmountRows; }\n"
           "\n"
           "} // namespace varemo\n";
}

} // namespace varemo::datagen
