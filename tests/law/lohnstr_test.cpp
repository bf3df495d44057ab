// LOHNSTR against the published annual-tax test tables and the independent wage-tax vectors of
// 2017-2021 (tests/data/wagetax), plus the inputs those files leave out (private health insurance)
// and the behaviour at the edges of the input range.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <limits>
#include <map>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "law/lohnstr.h"
#include "law/lohnstr_params.h"

namespace {

using varemo::Decimal;
using varemo::LOHNSTR;
using varemo::LohnstrInput;
using varemo::LohnstrOutput;

// ---- CSV vectors -------------------------------------------------------------------------------

struct CsvRow {
    int line = 0;
    std::vector<std::string> cells;
};

struct CsvFile {
    std::vector<std::string> header;
    std::vector<CsvRow> rows;
};

std::vector<std::string> splitCsvLine(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> cells;
    std::stringstream stream(line);
    std::string cell;
    while (std::getline(stream, cell, ','))
        cells.push_back(cell);
    if (!line.empty() && line.back() == ',') cells.emplace_back();
    return cells;
}

CsvFile readCsv(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot open " + path);
    CsvFile file;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (line.empty() || line == "\r") continue;
        if (file.header.empty())
            file.header = splitCsvLine(line);
        else
            file.rows.push_back({lineNumber, splitCsvLine(line)});
    }
    return file;
}

using InputSetter = std::function<void(LohnstrInput&, const std::string&)>;

InputSetter intField(int LohnstrInput::*member) {
    return [member](LohnstrInput& in, const std::string& text) { in.*member = std::stoi(text); };
}
InputSetter centsField(std::int64_t LohnstrInput::*member) {
    return [member](LohnstrInput& in, const std::string& text) { in.*member = std::stoll(text); };
}
InputSetter decimalField(Decimal LohnstrInput::*member) {
    return [member](LohnstrInput& in, const std::string& text) { in.*member = Decimal::parse(text); };
}

// Column name in the files -> field. AF and F are the flow chart's af and f.
using In = LohnstrInput;
using Out = LohnstrOutput;

// clang-format off
const std::map<std::string, InputSetter>& inputColumns() {
    static const std::map<std::string, InputSetter> columns = {
        {"AF", intField(&In::af)}, {"AJAHR", intField(&In::AJAHR)}, {"ALTER1", intField(&In::ALTER1)},
        {"ENTSCH", centsField(&In::ENTSCH)}, {"F", decimalField(&In::f)},
        {"JFREIB", centsField(&In::JFREIB)}, {"JHINZU", centsField(&In::JHINZU)},
        {"JRE4", centsField(&In::JRE4)}, {"JRE4ENT", centsField(&In::JRE4ENT)},
        {"JVBEZ", centsField(&In::JVBEZ)}, {"KRV", intField(&In::KRV)}, {"KVZ", decimalField(&In::KVZ)},
        {"LZZ", intField(&In::LZZ)}, {"LZZFREIB", centsField(&In::LZZFREIB)},
        {"LZZHINZU", centsField(&In::LZZHINZU)}, {"PKPV", centsField(&In::PKPV)},
        {"PKV", intField(&In::PKV)}, {"PVS", intField(&In::PVS)}, {"PVZ", intField(&In::PVZ)},
        {"R", intField(&In::R)}, {"RE4", centsField(&In::RE4)}, {"SONSTB", centsField(&In::SONSTB)},
        {"SONSTENT", centsField(&In::SONSTENT)}, {"STERBE", centsField(&In::STERBE)},
        {"STKL", intField(&In::STKL)}, {"VBEZ", centsField(&In::VBEZ)}, {"VBEZM", centsField(&In::VBEZM)},
        {"VBEZS", centsField(&In::VBEZS)}, {"VBS", centsField(&In::VBS)}, {"VJAHR", intField(&In::VJAHR)},
        {"VKAPA", centsField(&In::VKAPA)}, {"VMT", centsField(&In::VMT)}, {"ZKF", decimalField(&In::ZKF)},
        {"ZMVB", intField(&In::ZMVB)},
    };
    return columns;
}

const std::map<std::string, std::int64_t Out::*>& outputColumns() {
    static const std::map<std::string, std::int64_t Out::*> columns = {
        {"BK", &Out::BK}, {"BKS", &Out::BKS}, {"BKV", &Out::BKV}, {"LSTLZZ", &Out::LSTLZZ},
        {"SOLZLZZ", &Out::SOLZLZZ}, {"SOLZS", &Out::SOLZS}, {"SOLZV", &Out::SOLZV}, {"STS", &Out::STS},
        {"STV", &Out::STV}, {"VKVLZZ", &Out::VKVLZZ}, {"VKVSONST", &Out::VKVSONST}, {"VFRB", &Out::VFRB},
        {"VFRBS1", &Out::VFRBS1}, {"VFRBS2", &Out::VFRBS2}, {"WVFRB", &Out::WVFRB}, {"WVFRBO", &Out::WVFRBO},
        {"WVFRBM", &Out::WVFRBM},
    };
    return columns;
}
// clang-format on

// Columns that describe a row without being an input or output.
bool isLabelColumn(const std::string& name) {
    return name == "year" || name == "table" || name == "group";
}

struct VectorFile {
    std::string name;
    int year;
    std::size_t minRows; // guards against a truncated or empty file passing vacuously
};

void PrintTo(const VectorFile& file, std::ostream* os) {
    *os << file.name;
}

class LohnstrVectorTest : public testing::TestWithParam<VectorFile> {};

TEST_P(LohnstrVectorTest, EveryRowMatchesEveryOutput) {
    const VectorFile& param = GetParam();
    const std::string path = std::string(VAREMO_TEST_DATA) + "/wagetax/" + param.name;
    CsvFile file;
    ASSERT_NO_THROW(file = readCsv(path)) << path;
    ASSERT_GE(file.rows.size(), param.minRows) << path << " has too few rows";

    int outputColumnCount = 0;
    for (const std::string& column : file.header) {
        const bool known =
            isLabelColumn(column) || inputColumns().count(column) || outputColumns().count(column);
        ASSERT_TRUE(known) << path << ": unknown column " << column;
        outputColumnCount += static_cast<int>(outputColumns().count(column));
    }
    ASSERT_GT(outputColumnCount, 0) << path << " has no output column";

    int failedRows = 0;
    for (const CsvRow& row : file.rows) {
        ASSERT_EQ(row.cells.size(), file.header.size())
            << path << ":" << row.line << " has a wrong cell count";
        LohnstrInput input;
        std::string inputText;
        int year = 0;
        std::string label;
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            const std::string& column = file.header[c];
            const std::string& cell = row.cells[c];
            if (column == "year")
                year = std::stoi(cell);
            else if (column == "table" || column == "group")
                label = cell;
            else if (auto setter = inputColumns().find(column); setter != inputColumns().end()) {
                setter->second(input, cell);
                if (cell.find_first_not_of("0.") != std::string::npos) inputText += " " + column + "=" + cell;
            }
        }
        ASSERT_EQ(year, param.year) << path << ":" << row.line;

        std::string differences;
        try {
            const LohnstrOutput output = LOHNSTR(year, input);
            for (std::size_t c = 0; c < row.cells.size(); ++c) {
                const auto member = outputColumns().find(file.header[c]);
                if (member == outputColumns().end()) continue;
                const std::int64_t expected = std::stoll(row.cells[c]);
                const std::int64_t actual = output.*(member->second);
                if (expected != actual)
                    differences += " " + member->first + " expected " + std::to_string(expected) + " got " +
                                   std::to_string(actual) + ";";
            }
        } catch (const std::exception& e) {
            differences = std::string(" threw: ") + e.what();
        }
        if (!differences.empty() && ++failedRows <= 25) {
            ADD_FAILURE() << param.name << " line " << row.line << " (year " << year << ", " << label
                          << ")\n  inputs:" << inputText << "\n  differs:" << differences;
        }
    }
    EXPECT_EQ(failedRows, 0) << "rows of " << param.name << " that do not match";
}

INSTANTIATE_TEST_SUITE_P(
    WageTaxFiles, LohnstrVectorTest,
    testing::Values(VectorFile{"official_2017.csv", 2017, 372}, VectorFile{"official_2018.csv", 2018, 372},
                    VectorFile{"official_2019.csv", 2019, 420}, VectorFile{"official_2020.csv", 2020, 420},
                    VectorFile{"official_2021.csv", 2021, 414}, VectorFile{"pap_2017.csv", 2017, 400},
                    VectorFile{"pap_2018.csv", 2018, 400}, VectorFile{"pap_2019.csv", 2019, 400},
                    VectorFile{"pap_2020.csv", 2020, 400}, VectorFile{"pap_2021.csv", 2021, 400}),
    [](const testing::TestParamInfo<VectorFile>& info) {
        return info.param.name.substr(0, info.param.name.find('.'));
    });

// ---- Private health insurance (absent from the files) ----------------------------------------

LohnstrInput monthly(std::int64_t re4) {
    LohnstrInput in;
    in.LZZ = 2;
    in.RE4 = re4;
    in.STKL = 1;
    in.R = 1;
    return in;
}

// Independently computed. With PKV = 1 the notified premiums (or, with none, the 12 % minimum lump
// sum) replace the statutory health and care part; with PKV = 2 the employer's subsidy at the
// statutory employer rates is deducted first; class VI takes no premiums into account.
TEST(LohnstrPrivateInsuranceTest, PremiumsReplaceTheStatutoryPart) {
    struct Case {
        int year, LZZ, STKL, KRV, PKV;
        std::int64_t RE4, PKPV, LSTLZZ, SOLZLZZ, VKVLZZ;
    };
    const Case cases[] = {
        {2018, 2, 1, 2, 1, 700000, 45000, 199625, 10979, 45000}, // premiums 450 euros a month
        {2019, 2, 1, 0, 2, 600000, 55000, 150733, 8290, 15833},  // 550 euros with employer subsidy
        {2021, 1, 1, 2, 2, 6000000, 60000, 1483100, 0, 190000},  // annual wage, subsidy
        {2021, 2, 1, 2, 1, 400000, 0, 84458, 0, 15833},          // none notified: 1900 / 12
        {2020, 2, 6, 0, 1, 400000, 45000, 0, 0, 15833},          // class VI: lump sum, not premiums
    };
    for (const Case& c : cases) {
        LohnstrInput in = monthly(c.RE4);
        in.LZZ = c.LZZ;
        in.STKL = c.STKL;
        in.KRV = c.KRV;
        in.PKV = c.PKV;
        in.PKPV = c.PKPV;
        SCOPED_TRACE(testing::Message()
                     << c.year << " STKL " << c.STKL << " RE4 " << c.RE4 << " PKV " << c.PKV);
        const LohnstrOutput out = LOHNSTR(c.year, in);
        if (c.STKL != 6) {
            EXPECT_EQ(out.LSTLZZ, c.LSTLZZ);
            EXPECT_EQ(out.SOLZLZZ, c.SOLZLZZ);
        }
        EXPECT_EQ(out.VKVLZZ, c.VKVLZZ);
    }

    // The subsidy is a whole cent amount: 40,000 * (7.45 % + 1.525 %) = 3,590.00, so exactly
    // 6,000 - 3,590 = 2,410.00 euros a year are taken into account (a rate carrying a binary
    // rounding residue would cut this to 2,409.99).
    LohnstrInput in = monthly(4000000);
    in.LZZ = 1;
    in.PKV = 2;
    in.PKPV = 50000;
    in.KVZ = Decimal::parse("0.90");
    EXPECT_EQ(LOHNSTR(2019, in).VKVLZZ, 241000);
}

// With private insurance a one-time payment raises the contributions taken into account (the 12 %
// minimum lump sum grows with the annual wage until its cap).
TEST(LohnstrPrivateInsuranceTest, OneTimePaymentReportsTheChangeOfContributions) {
    LohnstrInput in = monthly(100000);
    in.PKV = 1;
    in.JRE4 = 1200000;
    in.SONSTB = 300000;
    const LohnstrOutput out = LOHNSTR(2020, in);
    EXPECT_EQ(out.VKVSONST, 36000) << "12 % of the 3,000 euros payment";
}

// ---- Input range -----------------------------------------------------------------------------

TEST(LohnstrInputTest, RejectsUnsupportedYearsAndCodes) {
    const LohnstrInput in = monthly(300000);
    EXPECT_THROW(LOHNSTR(2016, in), varemo::LohnstrInputError);
    EXPECT_THROW(LOHNSTR(2022, in), varemo::LohnstrInputError);
    for (int stkl : {0, 7}) {
        LohnstrInput bad = in;
        bad.STKL = stkl;
        EXPECT_THROW(LOHNSTR(2020, bad), varemo::LohnstrInputError) << "STKL " << stkl;
    }
    for (int lzz : {0, 5}) {
        LohnstrInput bad = in;
        bad.LZZ = lzz;
        EXPECT_THROW(LOHNSTR(2020, bad), varemo::LohnstrInputError) << "LZZ " << lzz;
    }
}

// The largest wage a 32-bit cent field can hold, in every pay period, class and year, together with
// one-time and multi-year pay of the same size: no overflow, and the tax lies between the top rate's
// lower and upper bound of the wage.
TEST(LohnstrInputTest, LargestWagesComputeWithoutOverflow) {
    const std::int64_t maxCents = std::numeric_limits<std::int32_t>::max();
    for (int year = 2017; year <= 2021; ++year) {
        for (int lzz = 1; lzz <= 4; ++lzz) {
            for (int stkl = 1; stkl <= 6; ++stkl) {
                LohnstrInput in = monthly(maxCents);
                in.LZZ = lzz;
                in.STKL = stkl;
                in.ZKF = stkl <= 4 ? Decimal::parse("6.0") : Decimal(0);
                in.VBEZ = maxCents / 2;
                in.VBEZM = maxCents / 2;
                in.VJAHR = 2010;
                in.JRE4 = maxCents * 360;
                in.SONSTB = maxCents;
                in.VMT = maxCents;
                in.VKAPA = maxCents;
                SCOPED_TRACE(testing::Message() << year << " LZZ " << lzz << " STKL " << stkl);
                LohnstrOutput out;
                ASSERT_NO_THROW(out = LOHNSTR(year, in));
                EXPECT_GT(out.LSTLZZ, in.RE4 * 40 / 100);
                EXPECT_LT(out.LSTLZZ, in.RE4 * 45 / 100);
                EXPECT_GT(out.STS, 0);
                EXPECT_GT(out.STV, 0);
            }
        }
    }
}

TEST(LohnstrInputTest, AmountsBeyondAnyWageAreReportedNotWrapped) {
    LohnstrInput in = monthly(std::numeric_limits<std::int64_t>::max());
    in.LZZ = 4;
    EXPECT_THROW(LOHNSTR(2020, in), varemo::DecimalOverflow);
}

// ---- Fixed point against Decimal ------------------------------------------------------------

// LOHNSTR computes in 64-bit fixed point and hands inputs beyond its range to the computation on the
// general Decimal. Both must agree on every output for any input: random mixes of every path (pensions,
// old-age relief, allowances, private insurance, factor, one-time and multi-year pay with
// compensations), from cents to amounts far beyond any wage, in every year, class and period.
TEST(LohnstrFixedPointTest, AgreesWithTheDecimalComputationOnEveryPath) {
    std::mt19937_64 rng(20201231);
    auto pick = [&](std::int64_t lo, std::int64_t hi) {
        return std::uniform_int_distribution<std::int64_t>(lo, hi)(rng);
    };
    // Mostly wages, sometimes 0, now and then huge (beyond the fixed-point range) or negative.
    auto amount = [&](std::int64_t typical) -> std::int64_t {
        switch (pick(0, 9)) {
        case 0:
        case 1:
            return 0;
        case 2:
            return pick(0, 99);
        case 3:
            return pick(-typical, typical);
        case 4:
            return pick(0, std::int64_t{1} << pick(33, 48));
        default:
            return pick(0, typical);
        }
    };
    int compared = 0;
    for (int i = 0; i < 60000; ++i) {
        LohnstrInput in;
        const int year = static_cast<int>(pick(2017, 2021));
        in.LZZ = static_cast<int>(pick(1, 4));
        in.STKL = static_cast<int>(pick(1, 6));
        in.RE4 = amount(in.LZZ == 1 ? 30000000 : 1500000);
        in.ZKF = Decimal::fromScaled(pick(0, 12) * 5, 1);
        in.R = static_cast<int>(pick(0, 1));
        in.KRV = static_cast<int>(pick(0, 2));
        in.KVZ = Decimal::fromScaled(pick(0, 250), 2);
        in.PKV = static_cast<int>(pick(0, 3)) == 0 ? static_cast<int>(pick(1, 2)) : 0;
        in.PKPV = in.PKV ? amount(90000) : 0;
        in.PVS = static_cast<int>(pick(0, 1));
        in.PVZ = static_cast<int>(pick(0, 1));
        in.af = static_cast<int>(pick(0, 1));
        in.f = Decimal::fromScaled(pick(500, 1000), 3);
        if (pick(0, 3) == 0) {
            in.VBEZ = amount(in.RE4 > 0 ? in.RE4 : 100000);
            in.VBEZM = amount(300000);
            in.VBEZS = amount(500000);
            in.VJAHR = static_cast<int>(pick(2000, 2045));
            in.ZMVB = static_cast<int>(pick(0, 12));
            in.JVBEZ = amount(3000000);
            in.VBS = amount(200000);
            in.STERBE = amount(100000);
        }
        if (pick(0, 3) == 0) {
            in.ALTER1 = 1;
            in.AJAHR = static_cast<int>(pick(2000, 2045));
        }
        if (pick(0, 4) == 0) {
            in.LZZFREIB = amount(50000);
            in.LZZHINZU = amount(50000);
            in.JFREIB = amount(600000);
            in.JHINZU = amount(600000);
        }
        if (pick(0, 1) == 0) {
            in.JRE4 = amount(8000000);
            in.SONSTB = amount(1000000);
            in.SONSTENT = pick(0, 3) == 0 ? amount(200000) : 0;
            in.JRE4ENT = pick(0, 3) == 0 ? amount(200000) : 0;
        }
        if (pick(0, 2) == 0) {
            in.VMT = amount(3000000);
            in.VKAPA = amount(1000000);
            in.ENTSCH = pick(0, 2) == 0 ? amount(500000) : 0;
        }
        LohnstrOutput fixed, reference;
        bool referenceThrew = false;
        try {
            reference = varemo::lohnstr_detail::LohnstrDecimal(varemo::lohnstr_detail::yearParams(year), in);
        } catch (const varemo::Error&) {
            referenceThrew = true;
        }
        if (referenceThrew) {
            EXPECT_ANY_THROW(LOHNSTR(year, in)) << "row " << i;
            continue;
        }
        ASSERT_NO_THROW(fixed = LOHNSTR(year, in)) << "row " << i;
        for (const auto& [name, member] : outputColumns())
            ASSERT_EQ(fixed.*member, reference.*member) << name << " of row " << i << " (" << year << ", LZZ "
                                                        << in.LZZ << ", STKL " << in.STKL << ")";
        ++compared;
    }
    EXPECT_GT(compared, 59000);
}

} // namespace
