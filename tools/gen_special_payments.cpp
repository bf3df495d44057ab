// special-payments/*.csv: the percentages of the annual special payment, the one-time payments of the
// agreements and the special payments of civil servants. Amounts are euros with two decimals and become
// cents; percentages keep their decimals as whole numbers (hundredths, for civil servants thousandths).

#include "generators.h"

#include <algorithm>
#include <array>
#include <functional>
#include <limits>
#include <map>

namespace varemo::datagen {
namespace {

// The employers of the civil servants' table in the order of the regions of line 2.
constexpr std::array<const char*, 17> kEmployers = {"Bund",
                                                    "Baden-Württemberg",
                                                    "Bayern",
                                                    "Berlin",
                                                    "Brandenburg",
                                                    "Bremen",
                                                    "Hamburg",
                                                    "Hessen",
                                                    "Mecklenburg-Vorpommern",
                                                    "Niedersachsen",
                                                    "Nordrhein-Westfalen",
                                                    "Rheinland-Pfalz",
                                                    "Saarland",
                                                    "Sachsen",
                                                    "Sachsen-Anhalt",
                                                    "Schleswig-Holstein",
                                                    "Thüringen"};

// Calls row(line, fields) for every row after the header; checks the header and the number of fields.
void forEachRow(const SourceText& csv, const std::string& header,
                const std::function<void(int, const std::vector<std::string>&)>& row) {
    const size_t columns = static_cast<size_t>(std::count(header.begin(), header.end(), ',')) + 1;
    bool headerSeen = false;
    bool rows = false;
    for (int n = 1; n <= csv.lineCount(); ++n) {
        if (csv.line(n).empty()) continue;
        if (!headerSeen) {
            if (csv.line(n) != header) csv.fail(n, "header expected: " + header);
            headerSeen = true;
            continue;
        }
        const auto fields = splitCsv(csv, n);
        if (fields.size() != columns)
            csv.fail(n, std::to_string(columns) + " fields expected, found " + std::to_string(fields.size()));
        row(n, fields);
        rows = true;
    }
    if (!headerSeen) csv.fail(1, "header expected: " + header);
    if (!rows) csv.fail(csv.lineCount(), "no rows");
}

int yearOf(const SourceText& csv, int line, const std::string& text) {
    int year = 0;
    if (!parseCount(text, year) || year < 2000 || year > 2099) csv.fail(line, "not a year: '" + text + "'");
    return year;
}

// A text kept for the program as a C++ literal: not empty, Windows-1252.
std::string text(const SourceText& csv, int line, const std::string& value, const char* column) {
    if (value.empty() || !fitsWindows1252(value))
        csv.fail(line, std::string(column) + ": a text that Windows-1252 can hold expected");
    return cppString(value);
}

// Euros with at most two decimals as cents; empty is 0 where allowed.
int64_t cents(const SourceText& csv, int line, const std::string& text, bool emptyAllowed) {
    if (text.empty() && emptyAllowed) return 0;
    int64_t value = 0;
    if (!parseFixed(text, 2, value) || value > std::numeric_limits<int32_t>::max())
        csv.fail(line, "amount: euros with at most two decimals expected: '" + text + "'");
    return value;
}

std::string annualPercentRows(const SourceText& csv) {
    std::string rows;
    forEachRow(csv, "agreement,year,area,groups,percent", [&](int n, const std::vector<std::string>& f) {
        if (f[2] != "West" && f[2] != "East") csv.fail(n, "area West or East expected: '" + f[2] + "'");
        int64_t percent = 0;
        // The panel keeps a user's percentages as 16-bit hundredths ("Jasoza.vee").
        if (!parseFixed(f[4], 2, percent) || percent > std::numeric_limits<int16_t>::max())
            csv.fail(n, "percent: 0 to 327.67 with at most two decimals expected: '" + f[4] + "'");
        rows += "    {" + text(csv, n, f[0], "agreement") + ", " + std::to_string(yearOf(csv, n, f[1])) +
                ", " + (f[2] == "East" ? "true" : "false") + ", " + text(csv, n, f[3], "groups") + ", " +
                std::to_string(percent) + "},\n";
    });
    return rows;
}

// yes, no or - (the paying line's flag decides) as a PaymentLiability.
std::string liability(const SourceText& csv, int line, const std::string& value, const char* column) {
    if (value == "yes") return "PaymentLiability::Liable";
    if (value == "no") return "PaymentLiability::Free";
    if (value == "-") return "PaymentLiability::AsLine";
    csv.fail(line, std::string(column) + ": yes, no or - expected: '" + value + "'");
}

std::string oneTimeRows(const SourceText& csv) {
    std::string rows;
    forEachRow(csv, "agreement,year,month,groups,amount,wage_tax,contributions,supplementary_pension,note",
               [&](int n, const std::vector<std::string>& f) {
                   int month = 0;
                   if (!f[2].empty() && (!parseCount(f[2], month) || month < 1 || month > 12))
                       csv.fail(n, "month 1 to 12 or empty expected: '" + f[2] + "'");
                   rows += "    {" + text(csv, n, f[0], "agreement") + ", " +
                           std::to_string(yearOf(csv, n, f[1])) + ", " + std::to_string(month) + ", " +
                           text(csv, n, f[3], "groups") + ", " + std::to_string(cents(csv, n, f[4], false)) +
                           ", " + liability(csv, n, f[5], "wage_tax") + ", " +
                           liability(csv, n, f[6], "contributions") + ", " +
                           liability(csv, n, f[7], "supplementary_pension") + "},\n";
               });
    return rows;
}

std::string civilServantRows(const SourceText& csv) {
    static const std::pair<const char*, const char*> kKinds[] = {
        {"annual", "Annual"},   {"monthly", "Monthly"},       {"child", "Child"},
        {"holiday", "Holiday"}, {"integrated", "Integrated"}, {"none", "None"}};
    std::string rows;
    std::map<std::pair<std::string, std::string>, int> rulesOf;
    forEachRow(csv, "employer,year,kind,groups,amount,percent,base,month,status,note",
               [&](int n, const std::vector<std::string>& f) {
                   const auto employer = std::find(kEmployers.begin(), kEmployers.end(), f[0]);
                   if (employer == kEmployers.end())
                       csv.fail(n, "employer: the Bund or a Land expected: '" + f[0] + "'");
                   // The user's file of these rules ("beasoza.vee") has room for five per employer and year.
                   if (++rulesOf[{f[0], f[1]}] > 5) csv.fail(n, "at most 5 rows per employer and year");
                   const auto kind = std::find_if(std::begin(kKinds), std::end(kKinds),
                                                  [&](const auto& k) { return f[2] == k.first; });
                   if (kind == std::end(kKinds))
                       csv.fail(n, "kind annual, monthly, child, holiday, integrated or none expected: '" +
                                       f[2] + "'");
                   int64_t percent = 0;
                   if (!f[5].empty() && (!parseFixed(f[5], 3, percent) || percent > 100000))
                       csv.fail(n, "percent: 0 to 100 with at most three decimals expected: '" + f[5] + "'");
                   int month = 0;
                   if (f[7] == "monthly")
                       month = -1;
                   else if (!f[7].empty() && (!parseCount(f[7], month) || month < 1 || month > 12))
                       csv.fail(n, "month 1 to 12, monthly or empty expected: '" + f[7] + "'");
                   rows += "    {" + std::to_string(employer - kEmployers.begin()) + ", " +
                           std::to_string(yearOf(csv, n, f[1])) + ", CivilPaymentKind::" + kind->second +
                           ", " + text(csv, n, f[3], "groups") + ", " +
                           std::to_string(cents(csv, n, f[4], true)) + ", " + std::to_string(percent) + ", " +
                           std::to_string(month) + "},\n";
               });
    return rows;
}

std::string employerNames() {
    std::string names;
    for (const char* name : kEmployers)
        names += "    " + cppString(name) + ",\n";
    return names;
}

} // namespace

std::string specialPaymentsCpp(const SourceText& annualPercentCsv, const SourceText& oneTimeCsv,
                               const SourceText& civilServantCsv) {
    return "// Generated from data/special-payments/*.csv by tools/make_data. Do not edit.\n"
           "#include \"pay/special_payment_data.h\"\n"
           "\n"
           "namespace varemo {\n"
           "namespace {\n"
           "\n"
           "constexpr AnnualPercentRow kAnnualPercents[] = {\n" +
           annualPercentRows(annualPercentCsv) +
           "};\n"
           "\n"
           "constexpr OneTimePaymentRow kOneTimePayments[] = {\n" +
           oneTimeRows(oneTimeCsv) +
           "};\n"
           "\n"
           "constexpr CivilServantPaymentRow kCivilServantPayments[] = {\n" +
           civilServantRows(civilServantCsv) +
           "};\n"
           "\n"
           "constexpr std::string_view kCivilServantEmployers[] = {\n" +
           employerNames() +
           "};\n"
           "\n"
           "} // namespace\n"
           "\n"
           "std::span<const std::string_view> civilServantEmployers() { return kCivilServantEmployers; }\n"
           "std::span<const AnnualPercentRow> shippedAnnualPercentRows() { return kAnnualPercents; }\n"
           "std::span<const OneTimePaymentRow> shippedOneTimePayments() { return kOneTimePayments; }\n"
           "std::span<const CivilServantPaymentRow> shippedCivilServantPayments() { return "
           "kCivilServantPayments; }\n"
           "\n"
           "} // namespace varemo\n";
}

} // namespace varemo::datagen
