// health-funds/funds.tsv: year, position, from_month, name, the five rates in percent, the status of the
// additional rate, U1 and U2, and a free source note. A fund's rows of a year follow each other, start in
// January and ascend by month; the rates keep to the entry bounds of the fund list.

#include "generators.h"

#include "base/cp1252.h"

#include <iterator>
#include <set>
#include <utility>

namespace varemo::datagen {
namespace {

constexpr const char* kHeader = "year\tposition\tfrom_month\tname\tgeneral\treduced\tadditional\tu1\tu2\t"
                                "additional_status\tu1_status\tu2_status\tsource";

struct RateColumn {
    const char* name;
    int32_t low, high; // the entry bounds of the fund list (law/fund_table.h), hundredths of a percent
};
constexpr RateColumn kRates[] = {
    {"general rate", 1000, 1605}, {"reduced rate", 1000, 1605}, {"additional rate", 0, 500},
    {"U1 rate", 0, 1000},         {"U2 rate", 0, 300},
};

std::string statusName(const SourceText& tsv, int line, const std::string& text) {
    if (text == "verified") return "Verified";
    if (text == "inferred") return "Inferred";
    if (text == "average") return "Average";
    if (text == "unknown") return "Unknown";
    if (text == "n/a") return "NotApplicable";
    tsv.fail(line, "unknown status '" + text + "' (verified, inferred, average, unknown or n/a)");
}

} // namespace

std::string healthFundsCpp(const SourceText& tsv) {
    std::string rows;
    bool headerSeen = false;
    std::pair<int, int> last{-1, -1}; // year, position of the previous row
    int lastMonth = 0;
    std::string lastName;
    std::set<std::pair<int, int>> finished;
    for (int n = 1; n <= tsv.lineCount(); ++n) {
        const std::string& line = tsv.line(n);
        if (line.empty() || line[0] == '#') continue;
        if (!headerSeen) {
            if (line != kHeader) tsv.fail(n, std::string("header expected: ") + kHeader);
            headerSeen = true;
            continue;
        }
        const auto fields = splitTabs(line);
        if (fields.size() != 13) tsv.fail(n, "13 columns expected, found " + std::to_string(fields.size()));
        int year = 0;
        int position = 0;
        int month = 0;
        if (!parseCount(fields[0], year) || year < 2000 || year > 2099)
            tsv.fail(n, "bad year '" + fields[0] + "'");
        if (!parseCount(fields[1], position) || position > 35)
            tsv.fail(n, "position '" + fields[1] + "' outside 0..35");
        if (!parseCount(fields[2], month) || month < 1 || month > 12)
            tsv.fail(n, "month '" + fields[2] + "' outside 1..12");
        const std::string& name = fields[3];
        if (name.empty() || utf8Length(name) > 35 || !fitsWindows1252(name))
            tsv.fail(n, "the name must have 1 to 35 characters that Windows-1252 can hold");
        const std::pair<int, int> fund{year, position};
        if (fund == last) {
            if (month <= lastMonth) tsv.fail(n, "months of a fund must ascend");
            if (name != lastName) tsv.fail(n, "a fund keeps its name through the year");
        } else {
            if (last.first >= 0) finished.insert(last);
            if (finished.count(fund) != 0) tsv.fail(n, "the rows of a fund and year must follow each other");
            if (month != 1) tsv.fail(n, "the first row of a fund and year must start in month 1");
        }
        last = fund;
        lastMonth = month;
        lastName = name;

        std::string rates;
        for (size_t r = 0; r < std::size(kRates); ++r) {
            const RateColumn& column = kRates[r];
            const std::string& text = fields[4 + r];
            int64_t value = 0;
            if (!parseFixed(text, 2, value))
                tsv.fail(n, std::string(column.name) + ": not a rate: '" + text + "'");
            if (value < column.low || value > column.high)
                tsv.fail(n, std::string(column.name) + " " + std::to_string(value) + " outside " +
                                std::to_string(column.low) + ".." + std::to_string(column.high) +
                                " (hundredths of a percent)");
            rates += (r ? ", " : "") + std::to_string(value);
        }
        const std::string status = "{FundValueStatus::" + statusName(tsv, n, fields[9]) +
                                   ", FundValueStatus::" + statusName(tsv, n, fields[10]) +
                                   ", FundValueStatus::" + statusName(tsv, n, fields[11]) + "}";
        rows += "        {" + std::to_string(year) + ", " + std::to_string(position) + ", " +
                std::to_string(month) + ", " + cppString(name) + ", {" + rates + "}, " + status + "},\n";
    }
    return "// Generated from data/health-funds/funds.tsv by tools/make_data. Do not edit.\n"
           "#include \"law/fund_table.h\"\n"
           "\n"
           "namespace varemo {\n"
           "\n"
           "const std::vector<ShippedFundRow>& shippedFundRows() {\n"
           "    static const std::vector<ShippedFundRow> rows = {\n" +
           rows +
           "    };\n"
           "    return rows;\n"
           "}\n"
           "\n"
           "} // namespace varemo\n";
}

} // namespace varemo::datagen
