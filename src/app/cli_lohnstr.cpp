// The command lohnstr: one run of the wage-tax flow chart with its published input and output names.
//
//   varemo20-cli lohnstr --year Y NAME=VALUE ... [--json]
//
// Names are matched without regard to case (the flow chart writes af and f in lower case, the other
// names in upper case). Amounts are whole cents, KVZ percent (1.30), ZKF child allowances (1.5),
// f the class-IV factor (0.950). An input not named is 0, as the flow chart's reset leaves it, except
// af and f, whose published defaults are 1 and 1.000. LZZ and STKL have no valid 0 and must be named;
// amounts are never negative.
// Prints every output as NAME=VALUE in cents, or one JSON object with --json.
//
//   varemo20-cli lohnstr --year Y --csv IN.csv
//
// The batch form: one flow-chart run per row of IN.csv, all in one process. The first line names the
// columns, comma-separated, in any order and case: the inputs above (LZZ and STKL required, the others
// 0 where absent, af and f 1), and optionally "year" (the row's year instead of --year, which may then
// be left out). Columns named like an output, "table" and "group" are skipped, so a file of expected
// results can be read as it is; an unknown column is refused. Empty lines are skipped. The output is
// CSV on stdout: the line "line,BK,BKS,...,WVFRBM" (the outputs in published order), then per input row
// the line number of that row in IN.csv and every output in cents. A row that cannot be read or
// computed stops the command with its line number and prints nothing.

#include "app/cli_common.h"
#include "law/lohnstr.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <set>
#include <sstream>
#include <string_view>

namespace varemo::cli {
namespace {

using Setter = std::function<void(LohnstrInput&, const std::string& name, const std::string& value)>;

int64_t parseCents(const std::string& name, const std::string& text) {
    size_t i = (text.size() > 1 && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    if (i == text.size() || !std::all_of(text.begin() + static_cast<std::ptrdiff_t>(i), text.end(),
                                         [](unsigned char ch) { return std::isdigit(ch); }))
        throw UsageError(name + ": not a whole number of cents: " + text);
    int64_t cents = 0;
    try {
        cents = std::stoll(text);
    } catch (const std::out_of_range&) {
        throw UsageError(name + ": too large: " + text);
    }
    // Every amount the flow chart takes is a sum paid or allowed, never below 0.
    if (cents < 0) throw UsageError(name + ": the flow chart takes no negative amount: " + text);
    return cents;
}

Setter intInput(int LohnstrInput::*member) {
    return [member](LohnstrInput& in, const std::string& name, const std::string& value) {
        in.*member = parseInt(value, name);
    };
}
Setter centsInput(int64_t LohnstrInput::*member) {
    return [member](LohnstrInput& in, const std::string& name, const std::string& value) {
        in.*member = parseCents(name, value);
    };
}
Setter decimalInput(Decimal LohnstrInput::*member) {
    return [member](LohnstrInput& in, const std::string& name, const std::string& value) {
        try {
            in.*member = Decimal::parse(value);
        } catch (const std::exception&) {
            throw UsageError(name + ": not a decimal number: " + value);
        }
    };
}

struct InputName {
    const char* name;
    Setter set;
};

using In = LohnstrInput;

const std::vector<InputName>& inputNames() {
    static const std::vector<InputName> names = {
        {"af", intInput(&In::af)},
        {"AJAHR", intInput(&In::AJAHR)},
        {"ALTER1", intInput(&In::ALTER1)},
        {"ENTSCH", centsInput(&In::ENTSCH)},
        {"f", decimalInput(&In::f)},
        {"JFREIB", centsInput(&In::JFREIB)},
        {"JHINZU", centsInput(&In::JHINZU)},
        {"JRE4", centsInput(&In::JRE4)},
        {"JRE4ENT", centsInput(&In::JRE4ENT)},
        {"JVBEZ", centsInput(&In::JVBEZ)},
        {"KRV", intInput(&In::KRV)},
        {"KVZ", decimalInput(&In::KVZ)},
        {"LZZ", intInput(&In::LZZ)},
        {"LZZFREIB", centsInput(&In::LZZFREIB)},
        {"LZZHINZU", centsInput(&In::LZZHINZU)},
        {"PKPV", centsInput(&In::PKPV)},
        {"PKV", intInput(&In::PKV)},
        {"PVS", intInput(&In::PVS)},
        {"PVZ", intInput(&In::PVZ)},
        {"R", intInput(&In::R)},
        {"RE4", centsInput(&In::RE4)},
        {"SONSTB", centsInput(&In::SONSTB)},
        {"SONSTENT", centsInput(&In::SONSTENT)},
        {"STERBE", centsInput(&In::STERBE)},
        {"STKL", intInput(&In::STKL)},
        {"VBEZ", centsInput(&In::VBEZ)},
        {"VBEZM", centsInput(&In::VBEZM)},
        {"VBEZS", centsInput(&In::VBEZS)},
        {"VBS", centsInput(&In::VBS)},
        {"VJAHR", intInput(&In::VJAHR)},
        {"VKAPA", centsInput(&In::VKAPA)},
        {"VMT", centsInput(&In::VMT)},
        {"ZKF", decimalInput(&In::ZKF)},
        {"ZMVB", intInput(&In::ZMVB)},
    };
    return names;
}

// The outputs in the order the flow chart publishes them.
const std::vector<std::pair<const char*, int64_t LohnstrOutput::*>>& outputNames() {
    using Out = LohnstrOutput;
    static const std::vector<std::pair<const char*, int64_t Out::*>> names = {
        {"BK", &Out::BK},         {"BKS", &Out::BKS},           {"BKV", &Out::BKV},
        {"LSTLZZ", &Out::LSTLZZ}, {"SOLZLZZ", &Out::SOLZLZZ},   {"SOLZS", &Out::SOLZS},
        {"SOLZV", &Out::SOLZV},   {"STS", &Out::STS},           {"STV", &Out::STV},
        {"VKVLZZ", &Out::VKVLZZ}, {"VKVSONST", &Out::VKVSONST}, {"VFRB", &Out::VFRB},
        {"VFRBS1", &Out::VFRBS1}, {"VFRBS2", &Out::VFRBS2},     {"WVFRB", &Out::WVFRB},
        {"WVFRBO", &Out::WVFRBO}, {"WVFRBM", &Out::WVFRBM},
    };
    return names;
}

std::string upper(std::string text) {
    for (char& ch : text)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return text;
}

const InputName* findInput(const std::string& name) {
    for (const InputName& n : inputNames())
        if (upper(n.name) == upper(name)) return &n;
    return nullptr;
}

bool isOutputName(const std::string& name) {
    for (const auto& output : outputNames())
        if (upper(output.first) == upper(name)) return true;
    return false;
}

std::vector<std::string_view> splitCells(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::vector<std::string_view> cells;
    size_t start = 0;
    while (true) {
        const size_t comma = line.find(',', start);
        cells.push_back(line.substr(start, comma == std::string_view::npos ? line.npos : comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return cells;
}

LohnstrOutput computeOrRefuse(int year, const LohnstrInput& in) {
    try {
        return LOHNSTR(year, in);
    } catch (const LohnstrInputError& e) {
        throw UsageError(e.what()); // an amount beyond any real wage goes to main: exit status 1
    }
}

// What one column of the batch file is.
struct CsvColumn {
    const InputName* input = nullptr; // nullptr: the year column or a skipped one
    bool year = false;
};

int runLohnstrCsv(const std::string& path, int defaultYear) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw UsageError("--csv: cannot read " + path);
    const std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());

    std::vector<CsvColumn> columns;
    std::string out;
    int lineNumber = 0;
    size_t pos = 0;
    while (pos < content.size()) {
        size_t end = content.find('\n', pos);
        if (end == std::string::npos) end = content.size();
        const std::string_view line(content.data() + pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (line.empty() || line == "\r") continue;
        const std::vector<std::string_view> cells = splitCells(line);
        const std::string where = path + ", line " + std::to_string(lineNumber) + ": ";
        if (columns.empty()) {
            std::set<std::string> named;
            bool hasYear = false;
            for (std::string_view cell : cells) {
                const std::string name(cell);
                CsvColumn column;
                if (upper(name) == "YEAR") {
                    column.year = true;
                    hasYear = true;
                } else if (const InputName* input = findInput(name)) {
                    column.input = input;
                    if (!named.insert(input->name).second)
                        throw UsageError(where + std::string(input->name) + " given twice");
                } else if (!isOutputName(name) && upper(name) != "TABLE" && upper(name) != "GROUP") {
                    throw UsageError(where + "unknown column: " + name);
                }
                columns.push_back(column);
            }
            for (const char* required : {"LZZ", "STKL"})
                if (!named.count(required))
                    throw UsageError(where + "the column " + required + " is required");
            if (!hasYear && (defaultYear < kFirstYear || defaultYear > kLastYear))
                throw UsageError("--year must be " + std::to_string(kFirstYear) + " to " +
                                 std::to_string(kLastYear) + " unless the file has a year column");
            out += "line";
            for (const auto& output : outputNames())
                out.append(",").append(output.first);
            out += "\n";
            continue;
        }
        if (cells.size() != columns.size())
            throw UsageError(where + std::to_string(cells.size()) + " cells, the header names " +
                             std::to_string(columns.size()));
        LohnstrInput in;
        int year = defaultYear;
        try {
            for (size_t c = 0; c < cells.size(); ++c) {
                if (columns[c].year)
                    year = parseInt(std::string(cells[c]), "year");
                else if (columns[c].input)
                    columns[c].input->set(in, columns[c].input->name, std::string(cells[c]));
            }
        } catch (const UsageError& e) {
            throw UsageError(where + e.what());
        }
        if (year < kFirstYear || year > kLastYear)
            throw UsageError(where + "the year must be " + std::to_string(kFirstYear) + " to " +
                             std::to_string(kLastYear));
        LohnstrOutput result;
        try {
            result = computeOrRefuse(year, in);
        } catch (const UsageError& e) {
            throw UsageError(where + e.what());
        } catch (const Error& e) {
            throw Error(where + e.what()); // beyond any real wage: exit status 1, as for one run
        }
        char number[24];
        auto append = [&](long long value) {
            const auto done = std::to_chars(number, number + sizeof number, value);
            out.append(number, done.ptr);
        };
        append(lineNumber);
        for (const auto& output : outputNames()) {
            out += ',';
            append(result.*(output.second));
        }
        out += '\n';
    }
    if (columns.empty()) throw UsageError("--csv: " + path + " has no header line");
    std::cout << out;
    return 0;
}

} // namespace

int runLohnstr(CliContext& ctx) {
    int year = 0;
    bool json = false;
    std::string csvPath;
    // The flow chart's reset: every input 0, af 1 and f 1.000 as published.
    LohnstrInput in;
    in.LZZ = 0;
    in.STKL = 0;
    std::set<std::string> named;
    ArgReader r(ctx.args);
    while (r.next()) {
        const std::string& a = r.current();
        if (a == "--year") {
            year = r.intValue();
        } else if (a == "--json") {
            json = true;
        } else if (a == "--csv") {
            csvPath = r.value();
        } else if (auto eq = a.find('='); eq != std::string::npos && eq > 0) {
            const std::string name = a.substr(0, eq);
            const InputName* input = findInput(name);
            if (!input) throw UsageError("unknown flow-chart input: " + name);
            if (!named.insert(input->name).second)
                throw UsageError(std::string(input->name) + " given twice");
            input->set(in, input->name, a.substr(eq + 1));
        } else {
            r.unknown();
        }
    }
    if (!csvPath.empty()) {
        if (!named.empty() || json)
            throw UsageError("--csv takes its inputs from the file; no NAME=VALUE or --json");
        return runLohnstrCsv(csvPath, year);
    }
    if (year < kFirstYear || year > kLastYear)
        throw UsageError("--year must be " + std::to_string(kFirstYear) + " to " + std::to_string(kLastYear));
    for (const char* required : {"LZZ", "STKL"})
        if (!named.count(required)) throw UsageError(std::string(required) + " is required");

    const LohnstrOutput out = computeOrRefuse(year, in);

    std::ostringstream text;
    if (json) text << "{";
    bool first = true;
    for (const auto& [name, member] : outputNames()) {
        if (json)
            text << (first ? "" : ",") << "\"" << name << "\":" << out.*member;
        else
            text << name << "=" << out.*member << "\n";
        first = false;
    }
    if (json) text << "}\n";
    std::cout << text.str();
    return 0;
}

} // namespace varemo::cli
