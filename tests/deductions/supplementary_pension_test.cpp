// The supplementary-pension step through the calculation run, against hand calculations.

#include "pension_test_support.h"

#include <gtest/gtest.h>

using namespace varemo;
using varemo::test::PensionCase;

namespace {

constexpr int kTaxClassSix = 48; // line 34 position of class VI

} // namespace

TEST(SupplementaryPension, VblWestBelowTheCeiling) {
    PensionCase p(2020);
    p.pay(13, 400000);
    const PensionWorksheet& w = p.run();
    // Ceiling 2,5 × 6.900,00 = 17.250,00. Employer's levy 8,26 % − 1,81 % = 6,45 % of 4.000,00 =
    // 258,00. Tax-free 3 % × 6.900,00 = 207,00; the rest 51,00 lies below 92,03: all flat-taxed.
    // SvEV: S = 207,00 + 51,00 = 258,00; 100,00 of it count up to 2,5 % × 4.000,00 = 100,00 less
    // 13,30, the 158,00 above count in full: 158,00 + 86,70 = 244,70.
    // Outlay: 20 % × 51,00 = 10,20; 5,5 % = 0,561 → 0,56; church tax 7 % = 0,714 → 0,71.
    // Employee 1,81 % × 4.000,00 = 72,40.
    p.expectLines({{1, 400000}, {2, 0},      {7, 400000}, {8, 1725000}, {9, 400000}, {10, 400000},
                   {11, 25800}, {12, 0},     {13, 25800}, {14, 20700},  {15, 5100},  {16, 5100},
                   {17, 0},     {18, 15800}, {19, 10000}, {20, 400000}, {21, 10000}, {22, 1330},
                   {23, 24470}, {24, 25800}, {25, 1020},  {26, 56},     {27, 71},    {28, 0},
                   {29, 0},     {30, 26947}, {31, 7240}});
    EXPECT_EQ(w.label(11), "11. Umlage des AG aus Nr.10 (6,45 %)");
    EXPECT_EQ(w.label(14), "14. Str.frei 207,00 - §3Entg.Umw(0,00)");
    EXPECT_EQ(w.label(20), "20. entspricht Entgelt bei 6,45 % Umlagesatz");
    EXPECT_EQ(w.label(27), "27. 7,0 % Kirchensteuer aus Nr. 25");
    EXPECT_EQ(w.label(31), "31. 1,81 % v.Nr.10 AN-Anteil");
    EXPECT_EQ(p.s.g.pension.svAddedPay, Money::fromCents(24470));
    EXPECT_EQ(p.taxInput(&TaxInputs::levyTaxable), Money::fromCents(5100));
    EXPECT_EQ(p.taxInput(&TaxInputs::levyFlatTaxedByEmployer), Money::fromCents(5100));
    // Line 42 deducts the share; its text carries the rate.
    Sheet sheet;
    buildSheet(p.c(), sheet);
    EXPECT_EQ(sheet.line(42).amountCents, -7240);
    EXPECT_EQ(sheet.line(42).text, "ATV-Betriebsrente 1,81 %");
    EXPECT_EQ(sheet.line(27).text, "VBL Länder");
}

TEST(SupplementaryPension, PayAboveTheCeilingCarriesTheLevyOnTheCeilingOnly) {
    PensionCase p(2020);
    p.pay(13, 1500000);
    p.pay(14, 300000);
    p.pay(15, 50000, false); // not subject to the levy
    p.run();
    // 17.250,00 × 6,45 % = 1.112,625, to the nearest cent with a tie to the even: 1.112,62.
    // Employee: 17.250,00 × 1,81 % = 312,225, commercially 312,23.
    p.expectLines({{1, 1850000}, {2, 50000}, {7, 1800000}, {9, 1725000}, {11, 111262}, {31, 31223}});
}

TEST(SupplementaryPension, AdditionalLevyAboveTheMonthsThreshold) {
    PensionCase p(2020, 3); // threshold of March 2020: 7.841,56
    p.c().setKey(KeySlot::AdditionalLevy, 2);
    p.pay(13, 800000);
    const PensionWorksheet& w = p.run();
    // 8.000,00 − 7.841,56 = 158,44; × 9 % = 14,2596 → 14,26; plus 8.000,00 × 6,45 % = 516,00.
    EXPECT_EQ(w.additionalBase, Money::fromCents(15844));
    EXPECT_EQ(w.label(12), ".     ergibt Zusatzumlage (9,00 %)");
    p.expectLines({{12, 1426}, {13, 51600 + 1426}});
    // Without the case's additional levy nothing is due above the threshold.
    p.c().setKey(KeySlot::AdditionalLevy, 0);
    p.run();
    EXPECT_EQ(p.line(12), 0);
}

TEST(SupplementaryPension, PartialRetirementRaisesTheLevyPayByOnePointEight) {
    PensionCase p(2020);
    p.c().setKey(KeySlot::PartialMonth, 2); // "% TV-ATZ Arbeitsphase": half of 4.000,00
    p.pay(13, 400000);
    p.run();
    // 2.000,00 × 1,8 = 3.600,00; levy 6,45 % = 232,20; employee 1,81 % = 65,16.
    p.expectLines({{9, 200000}, {10, 360000}, {11, 23220}, {31, 6516}});
}

TEST(SupplementaryPension, TaxFreeAmountByYearOnlyInTheFirstEmployment) {
    // 2 % of the monthly pension ceiling West to 2019, 3 % from 2020.
    for (auto [year, cents] :
         {std::pair{2017, 12700}, {2018, 13000}, {2019, 13400}, {2020, 20700}, {2021, 21300}}) {
        PensionCase p(year);
        p.pay(13, 400000);
        p.run();
        EXPECT_EQ(p.line(14), cents) << year;
    }
    // Class VI is a further employment: no tax-free amount and no 13,30 allowance. 258,00 taxable:
    // 92,03 flat, 165,97 by the employee; S = 92,03 counts up to 100,00 without allowance.
    PensionCase second(2020);
    second.c().setKey(KeySlot::TaxClass, kTaxClassSix);
    second.pay(13, 400000);
    const PensionWorksheet& w = second.run();
    EXPECT_EQ(w.label(14), "14. Steuerfreibetrag nur im 1. Arb.Verhält.");
    second.expectLines({{14, 0},
                        {15, 25800},
                        {16, 9203},
                        {17, 16597},
                        {18, 16597},
                        {19, 9203},
                        {21, 9203},
                        {22, 0},
                        {23, 25800}});
}

TEST(SupplementaryPension, EachFlatTaxLimitChoice) {
    // 6.000,00 × 6,45 % = 387,00 less 207,00 tax-free: 180,00 to be taxed.
    for (auto [choice, limit] : {std::pair{0, 8948}, {1, 9203}, {2, 12782}, {3, 14600}, {4, 0}, {5, 5000}}) {
        PensionCase p(2020);
        p.c().setKey(KeySlot::FlatTaxLimitChoice, static_cast<int16_t>(choice));
        p.c().enterAmount(AmountSlot::FlatTaxLimit, 5000);
        p.pay(13, 600000);
        p.run();
        EXPECT_EQ(p.line(16), limit) << choice;
        EXPECT_EQ(p.line(17), 18000 - limit) << choice;
        EXPECT_EQ(p.taxInput(&TaxInputs::levyTaxable), Money::fromCents(18000)) << choice;
        EXPECT_EQ(p.taxInput(&TaxInputs::levyFlatTaxedByEmployer), Money::fromCents(limit)) << choice;
        if (choice == 4) {
            EXPECT_EQ(p.line(25) + p.line(26) + p.line(27), 0);
        }
    }
}

TEST(SupplementaryPension, AHalfMonthHalvesTheFlatTaxLimitAndTheAllowance) {
    PensionCase p(2020);
    p.partialMonth(15, 30);
    p.c().enterAmount(AmountSlot::DeferredCompensation, 15000);
    p.pay(13, 400000);
    const PensionWorksheet& w = p.run();
    // Half month 2.000,00; levy 129,00; tax-free 207,00 − 150,00 deferred = 57,00; 72,00 taxable.
    // Limit 92,03 × 15/30 = 46,015 → 46,02 flat, 25,98 by the employee. S = 57,00 + 46,02 = 103,02:
    // 100,00 count up to 2,5 % × 2.000,00 = 50,00 less 13,30/2 = 6,65; in full the 3,02 above 100,00
    // and the 25,98: 29,00 + 43,35 = 72,35.
    EXPECT_EQ(w.label(14), "14. Str.frei 207,00 - §3Entg.Umw(150,00)");
    p.expectLines({{7, 200000},
                   {14, 5700},
                   {15, 7200},
                   {16, 4602},
                   {17, 2598},
                   {18, 2900},
                   {21, 5000},
                   {22, 665},
                   {23, 7235}});

    // Partial retirement keeps both whole: half of 8.000,00 × 1,8 × 6,45 % = 464,40 − 207,00 = 257,40.
    PensionCase atz(2020);
    atz.c().setKey(KeySlot::PartialMonth, 3);
    atz.c().enterAmount(AmountSlot::PaidDays, 1500000);
    atz.c().setKey(KeySlot::FlatTaxLimitChoice, 3);
    atz.pay(13, 800000);
    atz.run();
    atz.expectLines({{16, 14600}, {22, 1330}});
}

TEST(SupplementaryPension, AllowanceOnlyWhenOtherEmploymentsPayNoMore) {
    PensionCase p(2020);
    p.pay(13, 400000);
    p.c().setKey(KeySlot::OtherEmployments, 1);
    p.c().enterAmount(AmountSlot::OtherEmploymentsPay, 400000);
    p.run();
    EXPECT_EQ(p.line(22), 1330);
    p.c().enterAmount(AmountSlot::OtherEmploymentsPay, 400001);
    p.run();
    p.expectLines({{22, 0}, {23, 15800 + 10000}});
}

TEST(SupplementaryPension, SurchargeOnTheFlatTaxIsTruncatedIn2020And2021Alike) {
    // 2020: 6,00 deferred leaves 201,00 tax-free; 57,00 flat; 20 % = 11,40; 5,5 % = 0,627 → 0,62.
    PensionCase p2020(2020);
    p2020.c().enterAmount(AmountSlot::DeferredCompensation, 600);
    p2020.pay(13, 400000);
    p2020.run();
    p2020.expectLines({{25, 1140}, {26, 62}});
    // 2021: 258,00 − 213,00 = 45,00 flat; 20 % = 9,00; 5,5 % = 0,495 → 0,49; 7 % = 0,63.
    PensionCase p2021(2021);
    p2021.pay(13, 400000);
    p2021.run();
    p2021.expectLines({{16, 4500}, {25, 900}, {26, 49}, {27, 63}});
}

TEST(SupplementaryPension, VblEastCountsAtMostTheLevyItselfAsPay) {
    PensionCase p(2020);
    p.setRegion(13); // Sachsen: the eastern column of "VBL Länder"
    p.c().setKey(KeySlot::EmployeeShare, 0);
    p.pay(13, 300000);
    const PensionWorksheet& w = p.run();
    // Ceiling 2,5 × 6.450,00. Levy 1,00 % = 30,00, all tax-free; S = 30,00 and 2,5 % × 3.000,00 =
    // 75,00 would exceed it: 30,00 − 13,30 = 16,70 count. Capital contribution 6,25 %, 4,25 % of it
    // the employee's: the employer 2,00 % = 60,00, the employee 127,50 on line 41.
    EXPECT_EQ(w.label(29), "29. 2,00 % Kapitalbeitrag des AG");
    p.expectLines({{8, 1612500},
                   {11, 3000},
                   {15, 0},
                   {19, 3000},
                   {21, 3000},
                   {23, 1670},
                   {29, 6000},
                   {30, 9000},
                   {31, 0}});
    EXPECT_EQ(p.c().amount(AmountSlot::EmployeeCapital), -12750);
    Sheet sheet;
    buildSheet(p.c(), sheet);
    EXPECT_EQ(sheet.line(41).text, "VBL Länder");
}

TEST(SupplementaryPension, TheEmployersCapitalContributionReducesTheTaxFreeLevy) {
    // § 3 Nr. 56 sentence 3 EStG: the tax-free levy is reduced by what stays tax-free under § 3 Nr. 63,
    // the employer's capital contribution as well as deferred compensation. June 2019 in Sachsen,
    // "VBL-OST Länder", 6.367,55 (TV-L E15 step 5): levy 1,00 % = 63,6755 → 63,68; the employer's
    // capital contribution 2,00 % = 127,351 → 127,35; tax-free 2 % × 6.700,00 = 134,00 − 127,35 = 6,65;
    // 63,68 − 6,65 = 57,03 to be taxed, all below 89,48 and flat-taxed: 20 % = 11,406 → 11,41.
    // SvEV: S = 6,65 + 57,03 = 63,68 counts up to 2,5 % × 6.367,55 = 159,19, less 13,30: 50,38.
    PensionCase p(2019, 6);
    p.setRegion(13);
    p.c().setKey(KeySlot::SupplementaryFund, fund::VblEastLaender);
    p.c().setKey(KeySlot::FlatTaxLimitChoice, 0);
    p.pay(13, 636755);
    const PensionWorksheet& w = p.run();
    EXPECT_EQ(w.label(14), "14. Str.frei 134,00 - §3Nr.63(127,35)");
    p.expectLines({{11, 6368},
                   {13, 6368},
                   {14, 665},
                   {15, 5703},
                   {16, 5703},
                   {17, 0},
                   {19, 6368},
                   {23, 5038},
                   {25, 1141},
                   {29, 12735}});
    EXPECT_EQ(p.taxInput(&TaxInputs::levyFlatTaxedByEmployer), Money::fromCents(5703));

    // With 10,00 of deferred compensation beside it nothing of the 134,00 is left: the whole levy is
    // taxed, 63,68 flat.
    p.c().enterAmount(AmountSlot::DeferredCompensation, 1000);
    p.run();
    EXPECT_EQ(w.label(14), "14. Str.frei 134,00 - §3Nr.63(137,35)");
    p.expectLines({{14, 0}, {15, 6368}, {16, 6368}});
}

TEST(SupplementaryPension, EmployeeShareCodes) {
    // 181: 250,00 × 1,81 % = 4,525, commercially 4,53.
    PensionCase p(2020);
    p.pay(13, 25000);
    p.run();
    EXPECT_EQ(p.c().amount(AmountSlot::EmployeeShare), -453);
    // 0: none.
    p.c().setKey(KeySlot::EmployeeShare, 0);
    EXPECT_EQ(p.run().label(31), "31. 0,00 % v.Nr.10 AN-Anteil");
    EXPECT_EQ(p.c().amount(AmountSlot::EmployeeShare), 0);
    // 401 and 402: the amount typed into line 42, a deduction whatever its sign.
    for (int code : {kShareEnteredLevy, kShareEnteredContribution})
        for (int32_t typed : {3333, -3333}) {
            p.c().setKey(KeySlot::EmployeeShare, static_cast<int16_t>(code));
            p.c().enterAmount(AmountSlot::EmployeeShare, typed);
            p.run();
            EXPECT_EQ(p.c().amount(AmountSlot::EmployeeShare), -3333) << code;
        }
    EXPECT_EQ(p.s.g.pension.worksheet.label(31), "31. Beitrag ATV-Betriebsrente lt. Eing.");
}

TEST(SupplementaryPension, HamburgContribution) {
    PensionCase p(2020);
    p.setRegion(kRegionHamburg);
    p.c().setKey(KeySlot::SupplementaryFund, fund::Hamburg);
    p.c().setKey(KeySlot::EmployeeShare, kShareHamburg);
    p.pay(13, 300000);
    // No levy in Hamburg's scheme; the employee pays 1,65 % × 3.000,00 = 49,50.
    EXPECT_EQ(p.run().label(31), "31. 1,65 % RG-Beitrag Hamburg");
    p.expectLines({{13, 0}, {31, 4950}});
    // Outside Hamburg the code yields nothing.
    p.setRegion(9);
    EXPECT_EQ(p.run().label(31), "31. 0,00 % v.Nr.10 AN-Anteil");
    EXPECT_EQ(p.c().amount(AmountSlot::EmployeeShare), 0);
}

TEST(SupplementaryPension, NoFundNoLevy) {
    PensionCase p(2020);
    p.pay(13, 400000);
    p.c().setKey(KeySlot::AdditionalLevy, 2);
    p.run(); // insured first: the next run must not show this run's rates
    p.c().setKey(KeySlot::SupplementaryFund, fund::None);
    p.c().setKey(KeySlot::EmployeeShare, 0);
    const PensionWorksheet& w = p.run();
    for (int line = 8; line <= 31; ++line) {
        EXPECT_EQ(p.line(line), 0) << line;
        EXPECT_EQ(w.label(line), defaultPensionLineLabel(line)) << line;
    }
    EXPECT_EQ(p.s.g.pension.svAddedPay, Money());
    EXPECT_EQ(p.taxInput(&TaxInputs::levyTaxable), Money());
}

TEST(SupplementaryPension, LevyOnAOneTimePaymentIsHandedOnAsOneTimePay) {
    PensionCase p(2020, 11);
    p.c().setKey(KeySlot::FlatTaxLimitChoice, 4);
    p.pay(13, 300000);
    p.pay(20, 100000);
    p.run();
    // 4.000,00 × 6,45 % = 258,00; 51,00 taxed by the employee, a quarter of it on the payment.
    EXPECT_EQ(p.line(17), 5100);
    EXPECT_EQ(p.taxInput(&TaxInputs::levyOneTimeShare), Money::fromCents(1275));
}

TEST(SupplementaryPension, DefaultsFollowFundRegionAndServiceRelationship) {
    PensionCase p(2017, 1);
    p.c().setKey(KeySlot::FlatTaxLimitChoice, 0);
    ApplyPensionDefaults(p.s.g);
    EXPECT_EQ(p.c().key(KeySlot::EmployeeShare), 171);    // Länder until June 2017
    EXPECT_EQ(p.c().key(KeySlot::FlatTaxLimitChoice), 1); // 92,03 in the West
    PensionCase july(2017, 7);
    EXPECT_EQ(EmployeeShareCodeOfOption(july.s.g, 1), 181); // line 42's "ATV-Betriebsrente "
    EXPECT_EQ(EmployeeShareCodeOfOption(july.s.g, 3), kShareEnteredContribution);

    PensionCase east(2018, 5);
    east.setRegion(13);
    east.c().setKey(KeySlot::SupplementaryFund, fund::VblBund);
    ApplyPensionDefaults(east.s.g);
    EXPECT_EQ(east.c().key(KeySlot::EmployeeShare), 0);      // the share is in line 41's capital part
    EXPECT_EQ(east.c().key(KeySlot::FlatTaxLimitChoice), 0); // 89,48 in the East

    PensionCase hamburg(2020);
    hamburg.setRegion(kRegionHamburg);
    hamburg.c().setKey(KeySlot::SupplementaryFund, fund::Hamburg);
    hamburg.c().setKey(KeySlot::FlatTaxLimitChoice, 4); // the user's choice stays
    ApplyPensionDefaults(hamburg.s.g);
    EXPECT_EQ(hamburg.c().key(KeySlot::EmployeeShare), kShareHamburg);
    EXPECT_EQ(hamburg.c().key(KeySlot::FlatTaxLimitChoice), 4);

    PensionCase civil(2020);
    civil.c().setKey(KeySlot::ServiceRelationship, 0);
    ApplyPensionDefaults(civil.s.g);
    EXPECT_EQ(civil.c().key(KeySlot::EmployeeShare), 0);
    EXPECT_EQ(civil.c().key(KeySlot::SupplementaryFund), fund::VblLaender); // kept
}
