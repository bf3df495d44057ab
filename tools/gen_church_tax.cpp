// church-tax/church-tax.tsv: region, land, year, rate, flat, cap, cap_payroll. Rates are percent with
// at most two decimals and become hundredths of a percent; "-" stands for none (0).

#include "generators.h"

#include <set>
#include <utility>

namespace varemo::datagen {
namespace {

int32_t hundredths(const SourceText& tsv, int line, const std::string& text, const char* column) {
    if (text == "-") return 0;
    int64_t value = 0;
    if (!parseFixed(text, 2, value) || value > 10000)
        tsv.fail(line, std::string(column) + ": a rate in percent with at most two decimals expected: '" +
                           text + "'");
    return static_cast<int32_t>(value);
}

} // namespace

std::string churchTaxCpp(const SourceText& tsv) {
    std::string rows;
    bool headerSeen = false;
    std::set<std::pair<int, int>> seen; // year, region
    for (int n = 1; n <= tsv.lineCount(); ++n) {
        const std::string& line = tsv.line(n);
        if (line.empty() || line[0] == '#') continue;
        const auto fields = splitTabs(line);
        if (!headerSeen) {
            if (line != "region\tland\tyear\trate\tflat\tcap\tcap_payroll")
                tsv.fail(n, "header \"region land year rate flat cap cap_payroll\" expected");
            headerSeen = true;
            continue;
        }
        if (fields.size() != 7)
            tsv.fail(n, "7 tab-separated columns expected, found " + std::to_string(fields.size()));
        int region = 0;
        int year = 0;
        if (!parseCount(fields[0], region) || region > 17)
            tsv.fail(n, "region 0 to 17 expected: '" + fields[0] + "'");
        if (!parseCount(fields[2], year) || year < 2000 || year > 2099)
            tsv.fail(n, "not a year: '" + fields[2] + "'");
        if (!seen.emplace(year, region).second)
            tsv.fail(n, "region " + fields[0] + " is listed twice for " + fields[2]);
        const int32_t rate = hundredths(tsv, n, fields[3], "rate");
        const int32_t flat = hundredths(tsv, n, fields[4], "flat");
        const int32_t cap = hundredths(tsv, n, fields[5], "cap");
        bool payroll = false;
        if (fields[6] == "yes") {
            payroll = true;
            if (cap == 0) tsv.fail(n, "capping in payroll needs a capping rate");
        } else if (fields[6] != "no") {
            tsv.fail(n, "cap_payroll must be yes or no");
        }
        rows += "    {" + std::to_string(year) + ", " + std::to_string(region) + ", {" +
                std::to_string(rate) + ", " + std::to_string(flat) + ", " + std::to_string(cap) + ", " +
                (payroll ? "true" : "false") + "}},\n";
    }
    if (rows.empty()) tsv.fail(tsv.lineCount(), "no rows");
    return "// Generated from data/church-tax/church-tax.tsv by tools/make_data. Do not edit.\n"
           "#include \"law/church_tax.h\"\n"
           "\n"
           "namespace varemo {\n"
           "namespace {\n"
           "constexpr ShippedChurchTaxRow kRows[] = {\n" +
           rows +
           "};\n"
           "} // namespace\n"
           "\n"
           "std::span<const ShippedChurchTaxRow> shippedChurchTaxRows() { return kRows; }\n"
           "\n"
           "} // namespace varemo\n";
}

} // namespace varemo::datagen
