// The data generator: what it makes of good rows, and that a bad row is refused with its file and line.

#include "data_source.h"
#include "generators.h"
#include "model/option_texts.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>

using namespace varemo;
using namespace varemo::datagen;

namespace {

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const DataError& e) {
        return e.what();
    }
    return "no error";
}

const std::string kChurchHeader = "region\tland\tyear\trate\tflat\tcap\tcap_payroll\n";

std::string churchTax(const std::string& rows) {
    return churchTaxCpp(SourceText::fromString("church-tax.tsv", "# comment\n" + kChurchHeader + rows));
}

const std::string kFundHeader = "year\tposition\tfrom_month\tname\tgeneral\treduced\tadditional\tu1\tu2\t"
                                "additional_status\tu1_status\tu2_status\tsource\n";

std::string funds(const std::string& rows) {
    return healthFundsCpp(SourceText::fromString("funds.tsv", kFundHeader + rows));
}

const std::string kAnnual = "agreement,year,area,groups,percent\nTVöD Bund,2017,West,E1-E8,90.00\n";
const std::string kOneTime =
    "agreement,year,month,groups,amount,wage_tax,contributions,supplementary_pension,note\n"
    "TVöD Bund,2018,,E1-E6,250.00,yes,no,-,\"a, b\"\n";
const std::string kCivil = "employer,year,kind,groups,amount,percent,base,month,status,note\n"
                           "Bayern,2017,annual,\"A3-A11, Anwärter\",,70.00,x,12,verified,\n";

std::string specialPayments(const std::string& annual, const std::string& oneTime, const std::string& civil) {
    return specialPaymentsCpp(SourceText::fromString("jahressonderzahlung.csv", annual),
                              SourceText::fromString("einmalzahlungen.csv", oneTime),
                              SourceText::fromString("beamte_sonderzahlung.csv", civil));
}

const std::string kPensionFunds =
    "fund,area,employer_group,valid_from,levy_pct,employee_pct,sanierungsgeld_pct,"
    "capital_pct,capital_employee_pct,notes\n";
const std::string kPensionThresholds = "kind,valid_from,area,amount,status,note\n";

std::string pensionFunds(const std::string& funds, const std::string& thresholds) {
    return pensionFundsCpp(SourceText::fromString("funds.csv", kPensionFunds + funds),
                           SourceText::fromString("thresholds.csv", kPensionThresholds + thresholds));
}

const std::string kVblRow = "VBL,West,Bund,2016-07,8.06,1.61,,0.00,0.00,\"verified, x\"\n";
const std::string kThresholdRow = "zusatzumlage_grenzbetrag,2016-03,West/East,7173.70,verified,n\n";

} // namespace

TEST(PensionFundSource, RowsOnTheirPositionsAndBadRowsByFileAndLine) {
    const std::string cpp =
        pensionFunds(kVblRow + "VBL,East,Bund,2017-07,1.00,0.00,0.00,5.5,3.5,\n"
                               "ZVK Thüringen,East,kommunale Mitglieder,2016-01,1.10,0.00,,4.00,2.00,\n",
                     kThresholdRow + "zusatzumlage_grenzbetrag_jsz_month,2017,East,10284.51,computed,\n"
                                     "zve_cap_2_5_bbg,2017-01,West,15875.00,computed,\n");
    // The VBL's eastern rows fill the group's eastern column and both columns of its VBL-OST entry.
    EXPECT_NE(cpp.find("    {0, PensionColumns::West, 2016, 7, {80600, 16100, 0, 0, 0}},\n"
                       "    {0, PensionColumns::East, 2017, 7, {10000, 0, 0, 55000, 35000}},\n"
                       "    {4, PensionColumns::Both, 2017, 7, {10000, 0, 0, 55000, 35000}},\n"
                       "    {14, PensionColumns::Both, 2016, 1, {11000, 0, 0, 40000, 20000}},\n"),
              std::string::npos);
    EXPECT_NE(
        cpp.find("    {PensionAmountKind::LevyThreshold, PensionColumns::Both, 2016, 3, 717370},\n"
                 "    {PensionAmountKind::SpecialPaymentThreshold, PensionColumns::East, 2017, 0, 1028451},\n"
                 "    {PensionAmountKind::LevyCeiling, PensionColumns::West, 2017, 1, 1587500},\n"),
        std::string::npos);

    EXPECT_EQ(
        errorOf(
            [] { pensionFunds(kVblRow + "VBL,West,Land,2017-07,8.16,1.71,,0.00,0.00,\n", kThresholdRow); }),
        "funds.csv:3: employer_group: Bund, Länder (TdL), Kommunen (VKA) or sonstige Beteiligte expected for "
        "the VBL: 'Land'");
    EXPECT_EQ(errorOf([] {
                  pensionFunds(kVblRow + "ZVK Sachsen,East,x,2017-07,1.00,0.00,,4.00,2.00,\n", kThresholdRow);
              }),
              "funds.csv:3: fund without a position in line 27: 'ZVK Sachsen'");
    EXPECT_EQ(errorOf([] {
                  pensionFunds(kVblRow + "VBL,West,Bund,2016-07,8.16,1.71,,0.00,0.00,\n", kThresholdRow);
              }),
              "funds.csv:3: valid_from must follow the previous row of position 0 West");
    EXPECT_EQ(errorOf([] {
                  pensionFunds(kVblRow + "VBL,West,Bund,2017-13,8.16,1.71,,0.00,0.00,\n", kThresholdRow);
              }),
              "funds.csv:3: valid_from: YYYY-MM expected: '2017-13'");
    EXPECT_EQ(errorOf([] {
                  pensionFunds(kVblRow + "VBL,West,Bund,2017-07,8.16,9.71,,0.00,0.00,\n", kThresholdRow);
              }),
              "funds.csv:3: employee_pct is more than levy_pct");
    EXPECT_EQ(errorOf([] {
                  pensionFunds(kVblRow + "VBL,East,Bund,2017-07,1.00,0.00,0.00,6.50,2.00,\n", kThresholdRow);
              }),
              "funds.csv:3: the employer's capital contribution is more than 4 percent");
    EXPECT_EQ(errorOf([] {
                  pensionFunds(kVblRow + "VBL,West,Bund,2017-07,8.16505,1.71,,0.00,0.00,\n", kThresholdRow);
              }),
              "funds.csv:3: levy_pct: 0 to 100 percent with at most four decimals expected: '8.16505'");
    EXPECT_EQ(
        errorOf([] { pensionFunds(kVblRow, kThresholdRow + "zve_cap_2_5_bbg,2017-01,West/East,1.00,x,\n"); }),
        "thresholds.csv:3: area West or East expected: 'West/East'");
    EXPECT_EQ(
        errorOf([] {
            pensionFunds(kVblRow, kThresholdRow + "zusatzumlage_grenzbetrag,2016-03,West/East,7000.00,x,\n");
        }),
        "thresholds.csv:3: valid_from must follow the previous row of zusatzumlage_grenzbetrag West/East");
    EXPECT_EQ(errorOf([] {
                  pensionFunds(kVblRow,
                               kThresholdRow + "zusatzumlage_grenzbetrag_jsz_month,2017-12,West,1.00,x,\n");
              }),
              "thresholds.csv:3: valid_from: a year expected: '2017-12'");
    EXPECT_EQ(errorOf([] { pensionFunds(kVblRow, kThresholdRow + "bbg,2017-01,West,1.00,x,\n"); }),
              "thresholds.csv:3: kind zusatzumlage_grenzbetrag, zusatzumlage_grenzbetrag_jsz_month or "
              "zve_cap_2_5_bbg "
              "expected: 'bbg'");
}

TEST(DataSource, NumbersCsvFieldsAndCppLiterals) {
    int64_t value = 0;
    EXPECT_TRUE(parseFixed("82.05", 2, value) && value == 8205);
    EXPECT_TRUE(parseFixed("5.5", 2, value) && value == 550);
    EXPECT_TRUE(parseFixed("9", 2, value) && value == 900);
    EXPECT_TRUE(parseFixed("38.001", 3, value) && value == 38001);
    for (const char* bad : {"", "1.234", "1,5", "-1", ".5", "5.", "1.2.3", "12a"})
        EXPECT_FALSE(parseFixed(bad, 2, value)) << bad;

    const auto csv = SourceText::fromString("x.csv", "a,\"b, \"\"c\"\"\",\r\n\"open,d\n\"x\"y,z\n");
    EXPECT_EQ(splitCsv(csv, 1), (std::vector<std::string>{"a", "b, \"c\"", ""}));
    EXPECT_EQ(errorOf([&] { splitCsv(csv, 2); }), "x.csv:2: quoted field not closed on its line");
    EXPECT_EQ(errorOf([&] { splitCsv(csv, 3); }), "x.csv:3: a comma must follow a quoted field");

    EXPECT_EQ(cppString("AOK \"Plus\" \\ Thüringen\t1"), "\"AOK \\\"Plus\\\" \\\\ Thüringen\\0111\"");
}

TEST(ChurchTaxSource, RowsInHundredthsAndBadRowsByLine) {
    const std::string cpp = churchTax("1\tBaden-Württemberg\t2018\t8\t5.5\t2.75\tno\n"
                                      "\n"
                                      "3\tBerlin\t2018\t9\t5\t3\tyes\n"
                                      "2\tBayern\t2018\t8\t7\t-\tno\n");
    EXPECT_NE(cpp.find("    {2018, 1, {800, 550, 275, false}},\n"
                       "    {2018, 3, {900, 500, 300, true}},\n"
                       "    {2018, 2, {800, 700, 0, false}},\n"),
              std::string::npos);

    const std::string good = "1\tBaden-Württemberg\t2018\t8\t5.5\t2.75\tno\n";
    EXPECT_EQ(errorOf([&] { churchTax(good + "2\tBayern\t2018\t8\t7,5\t-\tno\n"); }),
              "church-tax.tsv:4: flat: a rate in percent with at most two decimals expected: '7,5'");
    EXPECT_EQ(errorOf([&] { churchTax(good + "1\tBaden-Württemberg\t2018\t8\t5\t2.75\tno\n"); }),
              "church-tax.tsv:4: region 1 is listed twice for 2018");
    EXPECT_EQ(errorOf([&] { churchTax("2\tBayern\t2018\t8\t7\t-\tyes\n"); }),
              "church-tax.tsv:3: capping in payroll needs a capping rate");
    EXPECT_EQ(errorOf([&] { churchTax("18\tX\t2018\t8\t7\t-\tno\n"); }),
              "church-tax.tsv:3: region 0 to 17 expected: '18'");
    EXPECT_EQ(errorOf([&] { churchTax("2\tBayern\t2018\t8\t7\t-\n"); }),
              "church-tax.tsv:3: 7 tab-separated columns expected, found 6");
    EXPECT_EQ(errorOf([&] { churchTax(""); }), "church-tax.tsv:2: no rows");
}

TEST(HealthFundSource, RowsWithinTheEntryBoundsAndInMonthOrder) {
    const std::string tk =
        "2021\t0\t1\tTK \"Die Techniker\"\t14.60\t14.00\t1.20\t2.20\t0.55\tverified\tverified\t"
        "verified\tpress release\n";
    const std::string cpp =
        funds(tk + "2021\t0\t10\tTK \"Die Techniker\"\t14.60\t14.00\t1.20\t1.60\t0.65\tverified\t"
                   "unknown\tn/a\tsheet; 70 %\n");
    EXPECT_NE(
        cpp.find("{2021, 0, 1, \"TK \\\"Die Techniker\\\"\", {1460, 1400, 120, 220, 55}, "
                 "{FundValueStatus::Verified, FundValueStatus::Verified, FundValueStatus::Verified}},\n"),
        std::string::npos);
    EXPECT_NE(
        cpp.find("{2021, 0, 10, \"TK \\\"Die Techniker\\\"\", {1460, 1400, 120, 160, 65}, "
                 "{FundValueStatus::Verified, FundValueStatus::Unknown, FundValueStatus::NotApplicable}},\n"),
        std::string::npos);

    auto row = [](const std::string& keys, const std::string& rates, const std::string& status = "verified") {
        return keys + "\t" + rates + "\t" + status + "\tverified\tverified\t-\n";
    };
    const std::string rates = "14.60\t14.00\t1.00\t0.00\t0.00";
    EXPECT_EQ(errorOf([&] { funds(row("2021\t1\t1\tBARMER", "14.60\t14.00\t5.01\t0.00\t0.00")); }),
              "funds.tsv:2: additional rate 501 outside 0..500 (hundredths of a percent)");
    EXPECT_EQ(errorOf([&] { funds(row("2021\t1\t1\tBARMER", "16.10\t14.00\t1.00\t0.00\t0.00")); }),
              "funds.tsv:2: general rate 1610 outside 1000..1605 (hundredths of a percent)");
    EXPECT_EQ(errorOf([&] { funds(row("2021\t1\t2\tBARMER", rates)); }),
              "funds.tsv:2: the first row of a fund and year must start in month 1");
    EXPECT_EQ(errorOf([&] { funds(row("2021\t1\t1\tBARMER", rates) + row("2021\t1\t1\tBARMER", rates)); }),
              "funds.tsv:3: months of a fund must ascend");
    EXPECT_EQ(errorOf([&] { funds(row("2021\t1\t1\tBARMER", rates) + row("2021\t1\t5\tDAK", rates)); }),
              "funds.tsv:3: a fund keeps its name through the year");
    EXPECT_EQ(errorOf([&] {
                  funds(row("2021\t1\t1\tBARMER", rates) + row("2021\t2\t1\tDAK", rates) +
                        row("2021\t1\t1\tBARMER", rates));
              }),
              "funds.tsv:4: the rows of a fund and year must follow each other");
    EXPECT_EQ(errorOf([&] { funds(row("2021\t1\t1\tBARMER", rates, "guessed")); }),
              "funds.tsv:2: unknown status 'guessed' (verified, inferred, average, unknown or n/a)");
    EXPECT_EQ(errorOf([&] { funds(row("2021\t36\t1\tBARMER", rates)); }),
              "funds.tsv:2: position '36' outside 0..35");
    EXPECT_EQ(errorOf([&] { funds(row("2021\t1\t1\t" + std::string(36, 'x'), rates)); }),
              "funds.tsv:2: the name must have 1 to 35 characters that Windows-1252 can hold");
    EXPECT_EQ(errorOf([] { healthFundsCpp(SourceText::fromString("funds.tsv", "year\tposition\n")); }),
              "funds.tsv:1: header expected: " + kFundHeader.substr(0, kFundHeader.size() - 1));
}

TEST(SpecialPaymentSource, TypedRowsAndBadRowsByFileAndLine) {
    const std::string cpp =
        specialPayments(kAnnual + "TV-H,2018,East,E9-E11,81.50\n", kOneTime,
                        kCivil + "Thüringen,2019,monthly,all,,38.001,x,monthly,inferred,\n"
                                 "Bund,2020,child,per child,25.56,,x,,verified,\"n\"\"b\"\n");
    EXPECT_NE(cpp.find("    {\"TVöD Bund\", 2017, false, \"E1-E8\", 9000},\n"
                       "    {\"TV-H\", 2018, true, \"E9-E11\", 8150},\n"),
              std::string::npos);
    EXPECT_NE(cpp.find("    {\"TVöD Bund\", 2018, 0, \"E1-E6\", 25000, PaymentLiability::Liable, "
                       "PaymentLiability::Free, PaymentLiability::AsLine},\n"),
              std::string::npos);
    EXPECT_NE(cpp.find("    {2, 2017, CivilPaymentKind::Annual, \"A3-A11, Anwärter\", 0, 70000, 12},\n"
                       "    {16, 2019, CivilPaymentKind::Monthly, \"all\", 0, 38001, -1},\n"
                       "    {0, 2020, CivilPaymentKind::Child, \"per child\", 2556, 0, 0},\n"),
              std::string::npos);

    EXPECT_EQ(errorOf([] { specialPayments(kAnnual + "TV-L,2018,Nord,E1-E8,90.00\n", kOneTime, kCivil); }),
              "jahressonderzahlung.csv:3: area West or East expected: 'Nord'");
    EXPECT_EQ(errorOf([] { specialPayments(kAnnual + "TV-L,2018,West,E1-E8,90.005\n", kOneTime, kCivil); }),
              "jahressonderzahlung.csv:3: percent: 0 to 327.67 with at most two decimals expected: '90.005'");
    EXPECT_EQ(errorOf([] {
                  specialPayments(kAnnual, kOneTime + "TV-L,2022,13,all groups,1300.00,no,no,no,\n", kCivil);
              }),
              "einmalzahlungen.csv:3: month 1 to 12 or empty expected: '13'");
    EXPECT_EQ(
        errorOf([] { specialPayments(kAnnual, kOneTime + "TV-L,2022,3,all groups,,no,no,no,\n", kCivil); }),
        "einmalzahlungen.csv:3: amount: euros with at most two decimals expected: ''");
    EXPECT_EQ(errorOf([] {
                  specialPayments(kAnnual, kOneTime + "TV-L,2022,3,all groups,1.00,no,frei,no,\n", kCivil);
              }),
              "einmalzahlungen.csv:3: contributions: yes, no or - expected: 'frei'");
    EXPECT_EQ(errorOf([] { specialPayments(kAnnual, kOneTime, kCivil + "Preußen,2017,none,all,,,x,,x,\n"); }),
              "beamte_sonderzahlung.csv:3: employer: the Bund or a Land expected: 'Preußen'");
    EXPECT_EQ(
        errorOf([] { specialPayments(kAnnual, kOneTime, kCivil + "Bund,2017,weekly,all,,,x,,x,\n"); }),
        "beamte_sonderzahlung.csv:3: kind annual, monthly, child, holiday, integrated or none expected: "
        "'weekly'");
    EXPECT_EQ(errorOf([] { specialPayments(kAnnual, kOneTime, kCivil + "Bund,2017,none,\"all,,,x,,x,\n"); }),
              "beamte_sonderzahlung.csv:3: quoted field not closed on its line");
    EXPECT_EQ(errorOf([] { specialPayments(kAnnual, kOneTime, kCivil + "Bund,2017,none,all,,,x,\n"); }),
              "beamte_sonderzahlung.csv:3: 10 fields expected, found 8");
    EXPECT_EQ(errorOf([] { specialPayments(kAnnual, "agreement,year\n", kCivil); }),
              "einmalzahlungen.csv:1: header expected: "
              "agreement,year,month,groups,amount,wage_tax,contributions,supplementary_pension,note");
}

TEST(OptionTextSource, RecordsWhereTheProgramReadsThem) {
    std::vector<ServiceRelationshipInfo> catalogue(11);
    catalogue[10] = {10, "TVöD Bund", ServiceKind::Employee, {"tvoed_bund"}, {"E1", "-", "E9a"}};
    const auto rows =
        parseTextRows(SourceText::fromString("texts.tsv", "record\tyears\ttext\n"
                                                          "6682\t*\tBaden-Württemberg\n"
                                                          "\n"
                                                          "civil-allowance:5\t2019-2020\tAmtszulage\n"
                                                          "5281\t2021\tTVöD (Bund)\n"));
    test::TempDir dir;
    for (int year : {2018, 2020, 2021}) {
        const auto path = optionTextFilePath(dir.path(), year);
        writeFile(path, optionTextFile(optionTextRecords(catalogue, rows, year)));
        EXPECT_EQ(path, OptionTextFile::pathFor(dir.path(), year));
        const OptionTextFile file(path);
        EXPECT_EQ(file.text(optiontext::kRegionFirst + 1), "Baden-Württemberg");
        EXPECT_EQ(file.text(optiontext::kServiceRelationshipFirst + 10),
                  year == 2021 ? "TVöD (Bund)" : "TVöD Bund");
        EXPECT_EQ(file.text(optiontext::payGroupRecord(10, 0)), "E1");
        EXPECT_EQ(file.text(optiontext::payGroupRecord(10, 1)), "");
        EXPECT_EQ(file.text(optiontext::payGroupRecord(10, 2)), "E9a");
        for (int region : {0, 17}) {
            EXPECT_EQ(file.text(optiontext::allowanceRecord(true, region, 5)),
                      year == 2020 ? "Amtszulage" : "Zulage Nr. 5");
            EXPECT_EQ(file.text(optiontext::allowanceRecord(false, region, 5)), "Zulage Nr. 5");
            EXPECT_EQ(file.text(optiontext::allowanceRecord(false, region, 107)), "Zulage Nr. 107");
        }
    }

    auto rowError = [](const std::string& row) {
        return errorOf(
            [&] { parseTextRows(SourceText::fromString("texts.tsv", "record\tyears\ttext\n" + row)); });
    };
    EXPECT_EQ(rowError("6681\t*\t" + std::string(36, 'x') + "\n"),
              "texts.tsv:2: longer than 35 characters: " + std::string(36, 'x'));
    EXPECT_EQ(rowError("6681\t*\tHamburg ☺\n"), "texts.tsv:2: not representable in Windows-1252: Hamburg ☺");
    EXPECT_EQ(rowError("civil-allowance:2\t*\tx\n"), "texts.tsv:2: allowance option 3 to 107 expected");
    EXPECT_EQ(rowError("6681\t2021-2019\tx\n"), "texts.tsv:2: years run backwards: 2021-2019");
    EXPECT_EQ(rowError("6681\t*\n"), "texts.tsv:2: three fields expected");

    const auto remarks = SourceText::fromString("Kommentar.txt", "Tabellen für 2017\n\nEnde\n");
    EXPECT_EQ(remarksFile(remarks), "Tabellen f\xfcr 2017\r\n\r\nEnde\r\n");
}
