// Line 8 of a case on the shipped tariff files against the readable pay table it was built from: one cell
// of every block of the federal B, C, R and W tables, the TV-H, the TV-L nursing and social-service
// tables, the TVöD social-service table and the candidates' basic amount. The expected amount is read
// from data/paytables/<table>.csv, so the test follows the table and checks the way from the CSV cell
// through the catalogue, the record addressing and the lookup to the sheet.

#include "base/money.h"
#include "support/shipped_tables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <ostream>
#include <string>

using namespace varemo;
using varemo::test::ShippedSession;

namespace {

struct Cell {
    const char* table; // file below data/paytables
    const char* block; // valid_from of the block
    int year, month;   // a month the block applies in
    int region, relationship, group;
    const char* label; // the group's label in the file (the catalogue's group at `group`)
    int step;          // as published; 0 for a fixed amount

    friend std::ostream& operator<<(std::ostream& out, const Cell& c) {
        return out << c.table << " " << c.block << " " << c.label << " step " << c.step;
    }
};

// The amount of "block,label,step,amount" in the table, in cents.
std::optional<int32_t> csvCents(const Cell& c) {
    std::ifstream in(std::string(VAREMO_SOURCE_DATA_DIR) + "/paytables/" + c.table + ".csv");
    const std::string prefix = std::string(c.block) + "," + c.label + "," + std::to_string(c.step) + ",";
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind(prefix, 0) == 0) return Money::parse(line.substr(prefix.size())).toCents();
    }
    return std::nullopt;
}

class ShippedPayTable : public ::testing::TestWithParam<Cell> {};

TEST_P(ShippedPayTable, LineEightShowsTheCellOfTheBlock) {
    const Cell& c = GetParam();
    const auto expected = csvCents(c);
    ASSERT_TRUE(expected) << "no such cell in the table";
    ShippedSession s(c.year, c.month);
    s.setCase(c.region, c.relationship, c.group, c.step == 0 ? 0 : c.step - 1);
    EXPECT_EQ(s.basicPay(), *expected);
    EXPECT_FALSE(missingBasicPayNotice(s.g));
}

constexpr int kBund = 0, kHessen = 7, kNiedersachsen = 9, kSachsen = 13;
constexpr int kB = 1, kC = 2, kW = 3, kR = 4, kCandidates = 5, kKr = 8, kTvlS = 9, kTvl = 11, kSue = 14;

// 2016-03 blocks apply in January 2017.
const Cell kCells[] = {
    {"bbesg_bund_b", "2016-03", 2017, 1, kBund, kB, 2, "B3", 0},
    {"bbesg_bund_b", "2017-02", 2017, 2, kBund, kB, 0, "B1", 0},
    {"bbesg_bund_b", "2018-03", 2018, 3, kBund, kB, 5, "B6", 0},
    {"bbesg_bund_b", "2019-04", 2019, 4, kBund, kB, 10, "B11", 0},
    {"bbesg_bund_b", "2020-03", 2020, 3, kBund, kB, 10, "B11", 0},
    {"bbesg_bund_b", "2021-04", 2021, 4, kBund, kB, 8, "B9", 0},
    {"bbesg_bund_c", "2016-03", 2017, 1, kBund, kC, 0, "C1", 14},
    {"bbesg_bund_c", "2017-02", 2017, 2, kBund, kC, 1, "C2", 1},
    {"bbesg_bund_c", "2018-03", 2018, 3, kBund, kC, 2, "C3", 15},
    {"bbesg_bund_c", "2019-04", 2019, 4, kBund, kC, 3, "C4", 7},
    {"bbesg_bund_c", "2020-03", 2020, 3, kBund, kC, 1, "C2", 10},
    {"bbesg_bund_c", "2021-04", 2021, 4, kBund, kC, 3, "C4", 15},
    {"bbesg_bund_r", "2016-03", 2017, 1, kBund, kR, 0, "R1", 1},
    {"bbesg_bund_r", "2017-02", 2017, 2, kBund, kR, 1, "R2", 8},
    {"bbesg_bund_r", "2018-03", 2018, 3, kBund, kR, 2, "R3", 0},
    {"bbesg_bund_r", "2019-04", 2019, 4, kBund, kR, 8, "R9", 0},
    {"bbesg_bund_r", "2020-03", 2020, 3, kBund, kR, 9, "R10", 0},
    {"bbesg_bund_r", "2021-04", 2021, 4, kBund, kR, 0, "R1", 5},
    {"bbesg_bund_w", "2016-03", 2017, 1, kBund, kW, 0, "W1", 0},
    {"bbesg_bund_w", "2017-02", 2017, 2, kBund, kW, 1, "W2", 2},
    {"bbesg_bund_w", "2018-03", 2018, 3, kBund, kW, 2, "W3", 3},
    {"bbesg_bund_w", "2019-04", 2019, 4, kBund, kW, 1, "W2", 1},
    {"bbesg_bund_w", "2020-03", 2020, 3, kBund, kW, 2, "W3", 1},
    {"bbesg_bund_w", "2021-04", 2021, 4, kBund, kW, 1, "W2", 3},
    {"bund_anwaertergrundbetrag", "2020-08", 2020, 8, kBund, kCandidates, 1, "MITTLERER_DIENST", 0},
    {"bund_anwaertergrundbetrag", "2021-04", 2021, 4, kBund, kCandidates, 3, "HOEHERER_DIENST", 0},
    // TV-L in Hessen: the TV-H.
    {"tvh", "2017-01", 2017, 1, kHessen, kTvl, 19, "E9k", 2},
    {"tvh", "2017-03", 2017, 3, kHessen, kTvl, 4, "E5", 3},
    {"tvh", "2018-01", 2018, 1, kHessen, kTvl, 12, "E13", 6},
    {"tvh", "2018-02", 2018, 2, kHessen, kTvl, 19, "E9k", 5},
    {"tvh", "2018-10", 2018, 10, kHessen, kTvl, 18, "E15Ü", 5},
    {"tvh", "2019-03", 2019, 3, kHessen, kTvl, 8, "E9", 2},
    {"tvh", "2019-08", 2019, 8, kHessen, kTvl, 16, "E9a", 3},
    {"tvh", "2020-02", 2020, 2, kHessen, kTvl, 0, "E1", 2},
    {"tvh", "2021-01", 2021, 1, kHessen, kTvl, 17, "E9b", 6},
    {"tvl_pflege", "2019-01", 2019, 1, kNiedersachsen, kKr, 0, "KR5", 1},
    {"tvl_pflege", "2020-01", 2020, 1, kNiedersachsen, kKr, 4, "KR9", 2},
    {"tvl_pflege", "2021-01", 2021, 1, kNiedersachsen, kKr, 12, "KR17", 6},
    {"tvl_sue", "2020-01", 2020, 1, kSachsen, kTvlS, 4, "S8a", 1},
    {"tvl_sue", "2021-01", 2021, 1, kSachsen, kTvlS, 16, "S18", 6},
    {"tvoed_sue_vka", "2016-03", 2017, 1, kNiedersachsen, kSue, 15, "S17", 2},
    {"tvoed_sue_vka", "2017-02", 2017, 2, kNiedersachsen, kSue, 5, "S8b", 4},
    {"tvoed_sue_vka", "2018-03", 2018, 3, kNiedersachsen, kSue, 1, "S3", 4},
    {"tvoed_sue_vka", "2019-04", 2019, 4, kNiedersachsen, kSue, 13, "S15", 3},
    {"tvoed_sue_vka", "2020-03", 2020, 3, kNiedersachsen, kSue, 7, "S10", 1},
    {"tvoed_sue_vka", "2021-04", 2021, 4, kNiedersachsen, kSue, 7, "S10", 6},
};

INSTANTIATE_TEST_SUITE_P(EveryNewBlock, ShippedPayTable, ::testing::ValuesIn(kCells));

struct Gap {
    const char* what;
    int year, month, region, relationship, group, step;
};

// Where a table has no cell, line 8 reads 0 and the sheet names the table, month, group and step, in
// the months the shipped tables leave open and in the regions a table is not written for.
TEST(ShippedPayTableGaps, AMissingCellIsNamedAndNoOlderBlockStandsIn) {
    const Gap gaps[] = {
        {"R10 before 2020-03", 2019, 4, kBund, kR, 9, 0},
        {"candidates before 2020-08", 2020, 7, kBund, kCandidates, 1, 0},
        {"TV-L KR before 2019", 2018, 12, kNiedersachsen, kKr, 0, 0},
        {"TV-L S before 2020", 2019, 12, kSachsen, kTvlS, 4, 0},
        {"TVöD S10 before 2020-03", 2019, 4, kNiedersachsen, kSue, 7, 0},
        {"TVöD S7 step 1 in the 2019-04 block", 2019, 4, kNiedersachsen, kSue, 3, 0},
        {"no TV-L KR table in Hessen", 2020, 1, kHessen, kKr, 0, 0},
        {"the small E 9 after the split", 2019, 8, kHessen, kTvl, 19, 0},
        {"C1 has no step 15", 2020, 3, kBund, kC, 0, 14},
    };
    for (const Gap& gap : gaps) {
        ShippedSession s(gap.year, gap.month);
        s.setCase(gap.region, gap.relationship, gap.group, gap.step);
        EXPECT_EQ(s.basicPay(), 0) << gap.what;
        EXPECT_TRUE(missingBasicPayNotice(s.g)) << gap.what;
    }
    // The notice of a table that has not begun yet names the case's choice.
    ShippedSession kr(2018, 12);
    kr.setCase(kNiedersachsen, kKr, 0, 0);
    kr.basicPay();
    const std::string text = missingBasicPayNotice(kr.g)->text();
    EXPECT_NE(
        text.find("Für TV-L/H Pflege, Niedersachsen, Monat 12/2018, Entgeltgruppe KR5 (Tabelle ab 2019), "
                  "Stufe 1 enthält die Entgelttabelle keinen Betrag."),
        std::string::npos)
        << text;
}

struct Dated {
    const char* what;
    int year, month, region, relationship, group;
    const char* date;
    int position; // the step position line 8 takes
    Cell cell;    // the cell it shows
};

// The steps each new table follows, counted from the reference date of line 6 (service months from the
// date to the first of the month).
TEST(ShippedPayTableSteps, TheReferenceDateLeadsToTheStepOfTheTable) {
    const Dated cases[] = {
        // W2 (Bund), § 32b (2) BBesG: seven years in step 1. 01.03.2013 to 01.02.2020: 83 months, step 1;
        // to 01.03.2020: 84 months, step 2.
        {"W2 after 83 months",
         2020,
         2,
         kBund,
         kW,
         1,
         "01.03.2013",
         0,
         {"bbesg_bund_w", "2019-04", 2020, 2, kBund, kW, 1, "W2", 1}},
        {"W2 after 84 months",
         2020,
         3,
         kBund,
         kW,
         1,
         "01.03.2013",
         1,
         {"bbesg_bund_w", "2020-03", 2020, 3, kBund, kW, 1, "W2", 2}},
        // ... and five years in step 2: 144 months reach step 3.
        {"W3 after 144 months",
         2020,
         3,
         kBund,
         kW,
         2,
         "01.03.2008",
         2,
         {"bbesg_bund_w", "2020-03", 2020, 3, kBund, kW, 2, "W3", 3}},
        // R2: two-year steps; 01.01.2010 to 01.03.2020 is 122 months, 122 / 24 = 5: step 6.
        {"R2 after 122 months",
         2020,
         3,
         kBund,
         kR,
         1,
         "01.01.2010",
         5,
         {"bbesg_bund_r", "2020-03", 2020, 3, kBund, kR, 1, "R2", 6}},
        // C1 ends at step 14: 482 months would be step 21 of the two-year steps.
        {"C1 after 482 months",
         2020,
         3,
         kBund,
         kC,
         0,
         "01.01.1980",
         13,
         {"bbesg_bund_c", "2020-03", 2020, 3, kBund, kC, 0, "C1", 14}},
        // KR5 begins at step 1 (§ 16 (3) TV-L: one year in step 1); 5 months: step 1.
        {"KR5 after 5 months",
         2020,
         6,
         kNiedersachsen,
         kKr,
         0,
         "01.01.2020",
         0,
         {"tvl_pflege", "2020-01", 2020, 6, kNiedersachsen, kKr, 0, "KR5", 1}},
        // KR9 has no step 1: the first year counts in step 2, which lasts two years; 29 months: step 3.
        {"KR9 after 5 months",
         2020,
         6,
         kNiedersachsen,
         kKr,
         4,
         "01.01.2020",
         1,
         {"tvl_pflege", "2020-01", 2020, 6, kNiedersachsen, kKr, 4, "KR9", 2}},
        {"KR9 after 29 months",
         2020,
         6,
         kNiedersachsen,
         kKr,
         4,
         "01.01.2018",
         2,
         {"tvl_pflege", "2020-01", 2020, 6, kNiedersachsen, kKr, 4, "KR9", 3}},
        // TV-L S: one year in step 1, three in step 2; 48 months reach step 3.
        {"S8a after 48 months",
         2021,
         1,
         kSachsen,
         kTvlS,
         4,
         "01.01.2017",
         2,
         {"tvl_sue", "2021-01", 2021, 1, kSachsen, kTvlS, 4, "S8a", 3}},
    };
    for (const Dated& d : cases) {
        ShippedSession s(d.year, d.month);
        s.setCase(d.region, d.relationship, d.group, 0);
        s.c().dateText = d.date;
        const int32_t pay = s.basicPay();
        EXPECT_EQ(s.c().key(KeySlot::Step), d.position) << d.what;
        EXPECT_EQ(pay, csvCents(d.cell).value_or(-1)) << d.what;
    }
    // The small E 9 of the TV-H keeps the step chosen for it.
    ShippedSession e9k(2018, 6);
    e9k.setCase(kHessen, kTvl, 19, 3);
    e9k.c().dateText = "01.01.1990";
    EXPECT_EQ(e9k.basicPay(),
              csvCents({"tvh", "2018-02", 2018, 6, kHessen, kTvl, 19, "E9k", 4}).value_or(-1));
    EXPECT_EQ(e9k.c().key(KeySlot::Step), 3);
}

} // namespace
