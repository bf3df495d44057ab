// The shipped fund settings against the readable tables in data/pension-funds, and the small rules
// of the fund settings.

#include "deductions/supplementary_pension.h"
#include "law/pension_funds.h"
#include "support/session.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

using namespace varemo;

namespace {

const std::string kDataDir = std::string(VAREMO_TEST_DATA) + "/../../data/pension-funds/";

// A CSV line: fields separated by commas, a field in double quotes may hold commas.
std::vector<std::string> splitCsv(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (char ch : line) {
        if (ch == '"')
            quoted = !quoted;
        else if (ch == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += ch;
    }
    return fields;
}

std::vector<std::vector<std::string>> readCsv(const std::string& name) {
    std::ifstream in(kDataDir + name);
    EXPECT_TRUE(in) << kDataDir + name;
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(in, line); // header
    while (std::getline(in, line))
        if (!line.empty()) rows.push_back(splitCsv(line));
    return rows;
}

// "8.26" → 82600 (ten-thousandths of a percent); an empty field is 0.
int32_t rate(const std::string& text) {
    if (text.empty()) return 0;
    auto dot = text.find('.');
    std::string fraction = text.substr(dot + 1);
    fraction.resize(4, '0');
    return std::stoi(text.substr(0, dot)) * 10000 + std::stoi(fraction);
}

int64_t cents(const std::string& euros) {
    return rate(euros) / 100;
}

int monthNumber(int year, int month) {
    return year * 12 + month - 1;
}

// "2017-07" → month number; "2017" → January.
int validFrom(const std::string& text) {
    int year = std::stoi(text.substr(0, 4));
    return monthNumber(year, text.size() > 4 ? std::stoi(text.substr(5, 2)) : 1);
}

struct Column {
    int position;
    bool east;
};

// Where a row of funds.csv goes in the list of line 27.
std::vector<Column> columnsOf(const std::vector<std::string>& row) {
    const std::string& fundName = row[0];
    const bool east = row[1] == "East";
    if (fundName == "VBL") {
        static const std::map<std::string, std::pair<int, int>> groups = {
            {"Bund", {fund::VblBund, fund::VblEastBund}},
            {"Länder (TdL)", {fund::VblLaender, fund::VblEastLaender}},
            {"Kommunen (VKA)", {fund::VblVka, fund::VblEastVka}},
            {"sonstige Beteiligte", {fund::VblOther, fund::VblEastOther}},
        };
        auto [byRegion, eastFund] = groups.at(row[2]);
        if (!east) return {{byRegion, false}};
        return {{byRegion, true}, {eastFund, false}, {eastFund, true}};
    }
    static const std::map<std::string, int> zvk = {
        {"ZVK Brandenburg (KVBbg)", 10},
        {"ZMV Mecklenburg-Vorpommern", 11},
        {"ZVK Sachsen-Anhalt (KVSA)", 13},
        {"ZVK Thüringen", 14},
    };
    int position = zvk.at(fundName);
    return {{position, false}, {position, true}};
}

} // namespace

TEST(PensionFunds, ShippedRatesAreThoseOfTheFundTable) {
    std::map<std::pair<int, bool>, std::vector<std::pair<int, PensionRates>>> expected;
    for (const auto& row : readCsv("funds.csv")) {
        ASSERT_GE(row.size(), 9u);
        PensionRates r{rate(row[4]), rate(row[5]), rate(row[6]), rate(row[7]), rate(row[8])};
        for (Column col : columnsOf(row))
            expected[{col.position, col.east}].push_back({validFrom(row[3]), r});
    }
    for (int year = 2017; year <= 2021; ++year) {
        PensionSettings s = PensionDefaults(year);
        EXPECT_EQ(s.year, year);
        for (int position = 0; position < kPensionFundPositions; ++position)
            for (bool east : {false, true})
                for (int month = 1; month <= 12; ++month) {
                    PensionRates want;
                    auto it = expected.find({position, east});
                    if (it != expected.end())
                        for (const auto& [from, r] : it->second)
                            if (from <= monthNumber(year, month)) want = r;
                    EXPECT_EQ(s.rates(position, east, month - 1), want)
                        << year << "-" << month << " position " << position << (east ? " East" : " West");
                }
    }
}

TEST(PensionFunds, ShippedThresholdsAndCeilingsAreThoseOfTheThresholdTable) {
    const auto rows = readCsv("thresholds.csv");
    for (int year = 2017; year <= 2021; ++year) {
        PensionSettings s = PensionDefaults(year);
        for (int month = 1; month <= 12; ++month) {
            int64_t threshold = 0, west = 0, east = 0;
            for (const auto& row : rows) {
                if (validFrom(row[1]) > monthNumber(year, month)) continue;
                if (row[0] == "zusatzumlage_grenzbetrag") threshold = cents(row[3]);
                if (row[0] == "zve_cap_2_5_bbg" && row[2] == "West") west = cents(row[3]);
                if (row[0] == "zve_cap_2_5_bbg" && row[2] == "East") east = cents(row[3]);
            }
            const auto i = static_cast<size_t>(month - 1);
            EXPECT_EQ(s.threshold8[i], Money::fromCents(threshold)) << year << "-" << month;
            EXPECT_EQ(s.threshold9[i], Money::fromCents(threshold)) << year << "-" << month;
            EXPECT_EQ(s.ceilingWest[i], Money::fromCents(west)) << year << "-" << month;
            EXPECT_EQ(s.ceilingEast[i], Money::fromCents(east)) << year << "-" << month;
        }
        for (const auto& row : rows) {
            if (row[0] != "zusatzumlage_grenzbetrag_jsz_month" || std::stoi(row[1]) != year) continue;
            EXPECT_EQ(row[2] == "West" ? s.specialPaymentThresholdWest : s.specialPaymentThresholdEast,
                      Money::fromCents(cents(row[3])))
                << year << " " << row[2];
        }
    }
}

TEST(PensionFunds, FundListRatesAndLimits) {
    const auto& options = pensionFundOptions();
    ASSERT_EQ(options.size(), static_cast<size_t>(kPensionFundPositions));
    EXPECT_EQ(options[fund::None], "Keine Zusatzversicherung");
    for (const auto& text : options) {
        size_t characters = 0;
        for (unsigned char ch : text)
            characters += (ch & 0xC0) != 0x80;
        EXPECT_LE(characters, 35u) << text;
    }
    EXPECT_EQ((PensionRates{0, 12350, 0, 0, 0}.employeeShareCode()), 124); // 1,235 % rounds to 1,24
    EXPECT_EQ(formatPensionRate(1234), "0,1234");
    EXPECT_EQ(taxFreeLevyPercent(2013), 1);
    EXPECT_EQ(taxFreeLevyPercent(2025), 4);
    // Hamburg: 1,25 %, from October 2015 1,45 %, 2016 1,55 %, from 2017 1,65 %.
    EXPECT_EQ(hamburgContributionRate(2015, 8), 125);
    EXPECT_EQ(hamburgContributionRate(2015, 9), 145);
    EXPECT_EQ(hamburgContributionRate(2016, 11), 155);
    EXPECT_EQ(hamburgContributionRate(2017, 0), 165);
    // The panel's bounds: shares at most their totals, the employer's capital contribution at most 4 %.
    PensionRates r{-5, 20000, 0, 80000, 10000};
    EXPECT_TRUE(CorrectPensionRates(r));
    EXPECT_EQ(r, (PensionRates{0, 0, 0, 80000, 40000}));
    PensionRates fine{82600, 18100, 0, 62500, 42500};
    EXPECT_FALSE(CorrectPensionRates(fine));
}

TEST(PensionFunds, SettingsFollowTheCalculationYear) {
    test::TestSession s(2020);
    EnsurePensionSettings(s.g);
    EXPECT_EQ(s.g.pension.settings, PensionDefaults(2020));
    // A change made for the year stays until the year changes; then the year's defaults return.
    s.g.pension.settings.rates(fund::VblLaender, false, 0).restructuring = 1400;
    EnsurePensionSettings(s.g);
    EXPECT_EQ(s.g.pension.settings.rates(fund::VblLaender, false, 0).restructuring, 1400);
    s.g.year = 2021;
    EnsurePensionSettings(s.g);
    EXPECT_EQ(s.g.pension.settings, PensionDefaults(2021));
}
