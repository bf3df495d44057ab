// The monthly wage-tax step end to end: a case-month is set up as the user would, the calculation run
// fills the TaxWorksheet and lines 34 to 36. Expected values come from the wage-tax vectors of the
// flow-chart reference (quoted with their inputs), from direct flow-chart runs where the flow chart
// itself is the reference, and from hand calculations written down here.

#include "calc/calculation_run.h"
#include "deductions/tax_step.h"
#include "law/lohnstr.h"
#include "persistence/month_record.h"
#include "session/case_load.h"
#include "session/recalculate.h"
#include "support/session.h"

#include <gtest/gtest.h>

using namespace varemo;
using varemo::test::TestSession;

namespace {

Money euros(const char* text) {
    return Money::parse(text);
}
Money cents(int64_t c) {
    return Money::fromCents(c);
}

// A new case in the session's year: class I without children, church tax 9 %, statutory insurance
// in the West without childless surcharge, the given additional rate of fund 0 in every month, and
// pay on line 13 only.
struct TaxCase {
    explicit TaxCase(int year, int month = 1, int32_t additionalRate = 110)
        : s(year, DataSet::Real, 1, month) {
        LoadCaseMonth(s.g);
        for (int m = 0; m < 12; ++m)
            s.g.funds.rates(0, m).additional = additionalRate;
        c().setKey(KeySlot::TaxClass, 0);
        c().setKey(KeySlot::ChurchTax, 1);
    }
    Case& c() { return s.g.workingCase; }
    const TaxWorksheet& w() const { return s.g.tax.worksheet; }
    void pay(int64_t monthlyCents) {
        c().enterAmount(AmountSlot::Allowance1, static_cast<int32_t>(monthlyCents));
    }
    void run() { ASSERT_TRUE(RunCalculation(s.g)); }
    // Runs the month with the case as it is and carries it into the months after it.
    void runFrom(int monthIndex) {
        c().setKey(KeySlot::Month, static_cast<int16_t>(monthIndex));
        ASSERT_TRUE(RunCalculation(s.g));
        ASSERT_TRUE(RunFollowingMonths(s.g));
    }
    void runMonth(int monthIndex) {
        c().setKey(KeySlot::Month, static_cast<int16_t>(monthIndex));
        run();
    }
    int32_t line(int n) const { return s.g.workingCase.amount(lineInfo(n).amount.value()); } // lines 34 to 36

    TestSession s;
};

LohnstrInput monthlyInput(int64_t re4, const char* kvz) {
    LohnstrInput in;
    in.LZZ = 2;
    in.RE4 = re4;
    in.STKL = 1;
    in.R = 1;
    in.KVZ = Decimal::parse(kvz);
    return in;
}

} // namespace

// Vector #1 of the reference (2017, LZZ 2, RE4 300000, STKL 1, R 1, KRV 0, KVZ 1.10):
// LSTLZZ 43350, SOLZLZZ 2384, BK 43350. Church tax 9 % of 433.50 = 39.015, truncated 39.01.
TEST(TaxStep, FullMonthRunsTheFlowChartOnTheTaxablePay) {
    TaxCase t(2017);
    t.pay(300000);
    // line 17, tax-free time supplements: not flagged for wage tax
    t.c().enterAmount(AmountSlot::TaxFreeSupplements, 25000);
    t.run();
    const TaxWorksheet& w = t.w();
    EXPECT_EQ(w.amount(1), euros("3250"));
    EXPECT_EQ(w.amount(2), euros("250"));
    EXPECT_EQ(w.amount(10), euros("3000"));
    EXPECT_EQ(w.amount(14), euros("3000"));
    EXPECT_EQ(w.amount(15), euros("3000"));
    EXPECT_EQ(w.amount(16), euros("433.50"));
    EXPECT_EQ(w.amount(17), euros("23.84"));
    EXPECT_EQ(w.amount(18), euros("39.01"));
    EXPECT_EQ(w.label(1), "1.  BRUTTOGEHALT");
    EXPECT_EQ(w.label(2), "2.   -   davon steuerfrei");
    EXPECT_EQ(w.label(10), "10. = STEUERPFL. ENTGELT");
    EXPECT_EQ(w.label(14), "14. =  zu versteuern vom lfd. Entgelt");
    EXPECT_EQ(w.label(15), "15. Nr. 14 = voller Monat");
    EXPECT_EQ(w.label(16), "16. Lohnsteuer aus Nr. 15");
    EXPECT_EQ(w.label(17), "17. Solizuschl. aus Nr. 15");
    EXPECT_EQ(w.label(18), "18. Kirchenstr. aus Nr. 15");
    for (int step = 19; step <= 32; ++step)
        EXPECT_EQ(w.amount(step), Money()) << step;
    EXPECT_EQ(t.line(34), -43350);
    EXPECT_EQ(t.line(35), -2384);
    EXPECT_EQ(t.line(36), -3901);
}

// The captions with numbers in them; the fixed ones are checked where the runs fill them.
TEST(TaxStep, WorksheetCaptionsWithTheirNumbers) {
    TaxWorksheet w;
    EXPECT_EQ(w.label(21), "21.  0,0 %   Kirchensteuer aus Nr. 19");
    w.setFlatChurchRate(550);
    EXPECT_EQ(w.label(21), "21. 5,5 %   Kirchensteuer aus Nr. 19");
    w.setFlatChurchRate(700);
    EXPECT_EQ(w.label(21), "21. 7,0 %   Kirchensteuer aus Nr. 19");
    w.setRemainingMonths(10);
    EXPECT_EQ(w.label(23), "23. + 10 restliche Monate ohne Einmalz.");
    w.setChurchRate(900);
    EXPECT_EQ(w.label(32), "32. 9  % Kirchensteuer aus Nr. 30");
    w.clear();
    EXPECT_EQ(w.label(21), "21.  0,0 %   Kirchensteuer aus Nr. 19");
    EXPECT_THROW(w.label(0), std::out_of_range);
    EXPECT_THROW(w.label(33), std::out_of_range);
}

// A wage of 1,657.42 (2020, KVZ 1.10) and of 1,692.17 (2021, KVZ 1.30) has a wage tax of exactly
// 100.00 in class I. The flow chart's surcharge is 3.80 in 2020 (annual 1,200: 20 % of 1,200 − 972 =
// 45.60 < 5.5 % = 66.00; 45.60 / 12) and 0 in 2021 (below 16,956); the simple rule gives 5.50 and 0.
TEST(TaxStep, SurchargeFollowsTheFlowChartUnlessSwitchedOff) {
    struct Row {
        int year;
        int32_t kvz;
        int64_t pay;
        int32_t byFlowChart, simple;
    };
    for (const Row& r : {Row{2020, 110, 165742, 380, 550}, Row{2021, 130, 169217, 0, 0}}) {
        TaxCase t(r.year, 1, r.kvz);
        t.pay(r.pay);
        EXPECT_TRUE(t.s.g.tax.soliByFlowChart) << "on by default";
        t.run();
        EXPECT_EQ(t.line(34), -10000) << r.year;
        EXPECT_EQ(t.line(35), -r.byFlowChart) << r.year;
        t.s.g.tax.soliByFlowChart = false;
        t.run();
        EXPECT_EQ(t.line(34), -10000) << r.year;
        EXPECT_EQ(t.line(35), -r.simple) << r.year;
    }
}

TEST(TaxStep, ChurchTaxSettingsAndDenomination) {
    // 433.50 wage tax (vector #1); truncated to cents.
    struct Row {
        int option, denomination;
        int32_t church;
    };
    const Row rows[] = {{0, 0, 3468}, {1, 0, 3901}, {2, 0, 0},    {3, 0, 0}, {4, 0, 3034},
                        {5, 0, 2601}, {6, 0, 2167}, {7, 0, 1734}, {1, 6, 0}};
    TaxCase t(2017);
    t.pay(300000);
    for (const Row& r : rows) {
        t.c().setKey(KeySlot::ChurchTax, static_cast<int16_t>(r.option));
        t.c().setKey(KeySlot::Denomination, static_cast<int16_t>(r.denomination));
        t.run();
        EXPECT_EQ(t.line(36), -r.church) << "option " << r.option << " denomination " << r.denomination;
        EXPECT_EQ(t.line(34), -43350);
    }
}

TEST(TaxStep, SelectorPositionsGiveClassAndChildAllowances) {
    struct Row {
        int position, code, children2;
    };
    const Row rows[] = {{0, 1, 0},
                        {1, 1, 1},
                        {8, 1, 8},
                        {9, 2, 1},
                        {20, 2, 12},
                        {21, 3, 0},
                        {33, 3, 12},
                        {34, 4, 0},
                        {46, 4, 12},
                        {47, 5, 0},
                        {48, 6, 0},
                        {49, kFlatRate20, 0},
                        {50, kFlatRate25, 0},
                        {51, kMiniJobEmployer, 0},
                        {52, kMiniJobEmployee, 0},
                        {53, 1, 0},
                        {-1, 1, 0}};
    for (const Row& r : rows) {
        const TaxClass tc = TaxClassSelector(r.position);
        EXPECT_EQ(tc.code, r.code) << r.position;
        EXPECT_EQ(tc.childAllowances2, r.children2) << r.position;
    }
    EXPECT_EQ(TaxClassSelector(20).ZKF(), Decimal::parse("6.0"));
    EXPECT_EQ(TaxClassSelector(9).ZKF(), Decimal::parse("0.5"));

    // End to end: position 20 taxes as class II with 6 child allowances, 21 as class III with none.
    TaxCase t(2020);
    t.pay(400000);
    for (auto [position, stkl, zkf] : {std::tuple{20, 2, "6.0"}, std::tuple{21, 3, "0"}}) {
        t.c().setKey(KeySlot::TaxClass, static_cast<int16_t>(position));
        t.run();
        LohnstrInput in = monthlyInput(400000, "1.10");
        in.STKL = stkl;
        in.ZKF = Decimal::parse(zkf);
        const LohnstrOutput out = LOHNSTR(2020, in);
        EXPECT_EQ(t.line(34), -out.LSTLZZ) << position;
        EXPECT_EQ(t.line(35), -out.SOLZLZZ) << position;
        EXPECT_EQ(t.line(36), -(out.BK * 9 / 100)) << position;
    }
}

// Vector #8 (2019, RE4 400000, STKL 4, ZKF 1, R 0, KRV 1, KVZ 0.90, af 1, f 0.950): LSTLZZ 65800,
// SOLZLZZ 3055. The case keeps the factor in thousandths; other classes force it to 1.000.
TEST(TaxStep, ClassFourFactorAndItsReset) {
    TaxCase t(2019, 1, 90);
    t.pay(400000);
    t.c().setKey(KeySlot::Region, 4); // Brandenburg: pension insurance East
    t.c().setKey(KeySlot::ChurchTax, 3);
    t.c().setKey(KeySlot::TaxClass, 36); // class IV, 1 child allowance
    t.c().enterAmount(AmountSlot::ClassIVFactor, 950);
    t.run();
    EXPECT_EQ(t.line(34), -65800);
    EXPECT_EQ(t.line(35), -3055);
    EXPECT_EQ(t.line(36), 0);
    EXPECT_EQ(t.s.g.tax.classIVFactorThousandths, 950);
    LoadCaseMonth(t.s.g); // the factor is kept with the month
    t.run();
    EXPECT_EQ(t.line(34), -65800);

    t.c().setKey(KeySlot::TaxClass, 0);
    t.run();
    EXPECT_EQ(t.c().amount(AmountSlot::ClassIVFactor), 1000);
    EXPECT_EQ(t.s.g.tax.classIVFactorThousandths, 1000);
    t.c().setKey(KeySlot::TaxClass, 36); // back to class IV: the factor is 1.000 now (vector #9: 69266)
    t.run();
    EXPECT_EQ(t.line(34), -69266);
}

// An employment that begins or ends in the month is taxed by days (§ 39b (2) EStG, R 39b.5 (2) LStR):
// 3,100.00 a month, 15 of 31 days paid: 1,500.00, 100.00 per calendar day. The daily table (LZZ 4)
// annualises 100.00 × 360 = 36,000.00, the annual wage of vector #1 (3,000.00 a month: LSTLZZ 433.50,
// i.e. 5,202.00 a year): a day's wage tax 5,202 / 360 = 14.45; surcharge 5.5 % × 5,202 = 286.11 (below
// 20 % × (5,202 − 972)), / 360 = 0.7947 → 0.79; church tax 9 % × 14.45 = 1.3005 → 1.30. Times 15 days:
// 216.75, 11.85 and 19.50. (A full month of 3,100.00 scaled back by 15/31 taxed 3,100 instead.)
// Church tax comes before the surcharge in the captions of this variant.
TEST(TaxStep, PartialMonthOfABeginningOrEndingEmploymentIsTaxedByDays) {
    TaxCase t(2017);
    t.pay(310000); // the run reduces line 13 to the 15 days: 1,500.00
    t.c().enterAmount(AmountSlot::MonthDays, 3100000);
    t.c().enterAmount(AmountSlot::PaidDays, 1500000);
    t.run();
    const TaxWorksheet& w = t.w();
    EXPECT_EQ(w.amount(14), euros("1500"));
    EXPECT_EQ(w.amount(15), euros("100"));
    EXPECT_EQ(w.label(15), "15. Nr. 14 / 15 Tage = je Kalendertag");
    EXPECT_EQ(w.label(16), "16. Lohnsteuer aus Nr. 15 * 15 Tage");
    EXPECT_EQ(w.label(17), "17. Kirchenstr. aus Nr. 15 * 15 Tage");
    EXPECT_EQ(w.label(18), "18. Solizuschl. aus Nr. 15 * 15 Tage");
    EXPECT_EQ(w.amount(16), euros("216.75"));
    EXPECT_EQ(w.amount(17), euros("19.50"));
    EXPECT_EQ(w.amount(18), euros("11.85"));
    EXPECT_EQ(t.line(34), -21675);
    EXPECT_EQ(t.line(35), -1185);
    EXPECT_EQ(t.line(36), -1950);

    // A monthly allowance of the tax record counts 1/30 a day: 310.00 / 30 = 10.33.
    t.c().setKey(KeySlot::TaxAllowance, 0);
    t.c().enterAmount(AmountSlot::TaxAllowance, 31000);
    t.run();
    LohnstrInput day = monthlyInput(10000, "1.10");
    day.LZZ = 4;
    day.LZZFREIB = 1033;
    EXPECT_EQ(t.line(34), -15 * LOHNSTR(2017, day).LSTLZZ);
    t.c().enterAmount(AmountSlot::TaxAllowance, 0);

    // Unpaid days of a continuing employment (line 23 position 7) keep the month as the pay period and
    // tax the actual pay: the monthly table on 1,500.00; "% Kürzung" (1) the same. The pay is reduced
    // alike.
    const LohnstrOutput month = LOHNSTR(2017, monthlyInput(150000, "1.10"));
    for (int option : {7, 1}) {
        t.c().setKey(KeySlot::PartialMonth, static_cast<int16_t>(option));
        t.run();
        EXPECT_FALSE(t.w().partialMonth()) << option;
        EXPECT_EQ(t.w().amount(14), euros("1500")) << option;
        EXPECT_EQ(t.w().amount(15), euros("1500")) << option;
        EXPECT_EQ(t.w().label(15), "15. Nr. 14 = voller Monat");
        EXPECT_EQ(t.line(34), -month.LSTLZZ) << option;
        EXPECT_EQ(t.line(35), -month.SOLZLZZ) << option;
        EXPECT_EQ(t.line(36), -(month.BK * 9 / 100)) << option;
    }
    t.c().setKey(KeySlot::PartialMonth, 0);

    // Days with a fraction are shown with it and count as such: 15.5 days.
    t.c().enterAmount(AmountSlot::PaidDays, 1550000);
    t.run();
    EXPECT_EQ(t.w().label(15), "15. Nr. 14 / 15,5 Tage = je Kalendertag");
    EXPECT_EQ(t.w().amount(14), euros("1550"));
    EXPECT_EQ(t.w().amount(15), euros("100"));
    EXPECT_EQ(t.line(34), -22398) << "14.45 × 15.5 = 223.975, a tie to the even cent";

    // "pauschal 20 %" and "pauschal 25 %" tax the pay as it is: 20 % and 25 % of 1,500.
    t.c().enterAmount(AmountSlot::PaidDays, 1500000);
    for (auto [position, tax] : {std::pair{49, 30000}, std::pair{50, 37500}}) {
        t.c().setKey(KeySlot::TaxClass, static_cast<int16_t>(position));
        t.run();
        EXPECT_FALSE(t.w().partialMonth());
        EXPECT_EQ(t.w().amount(15), euros("1500"));
        EXPECT_EQ(t.w().label(15), "15. Nr. 14 = voller Monat");
        EXPECT_EQ(t.line(34), -tax);
    }
}

// Flat-rate taxation of the whole pay, 2021, pay 400.00: 20 % = 80.00, surcharge 5.5 % = 4.40 (the
// exemption limit of 2021 does not apply to flat-rate tax), church tax by the line-36 option.
// 25 % = 100.00 with a surcharge of 5.50.
TEST(TaxStep, FlatRateTaxationOfTheWholePay) {
    TaxCase t(2021, 1, 130);
    t.pay(40000);
    t.c().setKey(KeySlot::TaxClass, 49);
    struct Row {
        int option;
        int32_t church;
    };
    t.c().previous[35] = -350; // a church tax of 3.50 typed into line 36
    for (const Row& r : {Row{0, 640}, Row{1, 720}, Row{2, 350}, Row{3, 0}, Row{4, 560}, Row{7, 320}}) {
        t.c().setKey(KeySlot::ChurchTax, static_cast<int16_t>(r.option));
        t.run();
        EXPECT_EQ(t.line(34), -8000) << r.option;
        EXPECT_EQ(t.line(35), -440) << r.option;
        EXPECT_EQ(t.line(36), -r.church) << r.option;
    }
    t.c().setKey(KeySlot::ChurchTax, 1);
    t.c().setKey(KeySlot::TaxClass, 50);
    t.run();
    EXPECT_EQ(t.line(34), -10000);
    EXPECT_EQ(t.line(35), -550);
    EXPECT_EQ(t.line(36), -900);
    t.s.g.tax.soliByFlowChart = false; // concerns the flow chart's surcharge only
    t.run();
    EXPECT_EQ(t.line(35), -550);
}

// The uniform flat tax of 2 % on 450.00 is 9.00 and includes surcharge and church tax.
TEST(TaxStep, MiniJobUniformFlatTax) {
    TaxCase t(2020);
    t.pay(45000);
    t.c().setKey(KeySlot::TaxClass, 52); // "AG=0%, AN=2%"
    t.run();
    EXPECT_EQ(t.line(34), -900);
    EXPECT_EQ(t.line(35), 0);
    EXPECT_EQ(t.line(36), 0);
    EXPECT_EQ(t.s.g.tax.employerFlat.wageTax, Money());
    t.c().setKey(KeySlot::TaxClass, 51); // "AG=2%, AN=0%": the employer's cost, no deduction
    t.run();
    EXPECT_EQ(t.line(34), 0);
    EXPECT_EQ(t.s.g.tax.employerFlat.wageTax, euros("9"));
}

// Payments the employee taxes at flat rates (key codes of lines 44 to 46): 100.00 at 20 %, 200.00 at
// 15 %, 300.00 at 25 %: 20.00 + 30.00 + 75.00 = 125.00; surcharge 5.5 % = 6.875 → 6.87 in every year;
// church tax at the Land's flat rate: Baden-Württemberg 5.5 % in 2019 (6.87), 5 % in 2021 (6.25).
// Payments in kind the employer taxes (lines 25 and 26): 100.00 at 20 % and 200.00 at 15 % = 50.00,
// surcharge 2.75, church tax 2.75 (2019) or 2.50 (2021), borne by the employer.
TEST(TaxStep, FlatRateTaxesOfTheMonth) {
    struct Row {
        int year;
        int32_t employeeChurch, employerChurch;
        const char* caption;
    };
    for (const Row& r : {Row{2019, 687, 275, "21. 5,5 %   Kirchensteuer aus Nr. 19"},
                         Row{2021, 625, 250, "21. 5,0 %   Kirchensteuer aus Nr. 19"}}) {
        TaxCase t(r.year, 1, 130);
        t.c().setKey(KeySlot::Region, 1);
        t.pay(300000);
        const std::pair<int, const char*> lines[] = {
            {44, "000060"}, {45, "000050"}, {46, "000070"}, {25, "000020"}, {26, "000010"}};
        const int32_t amounts[] = {10000, 20000, 30000, 10000, 20000};
        for (size_t i = 0; i < 5; ++i) {
            const int index = lines[i].first >= 44 ? lines[i].first - 42 : lines[i].first - 25;
            t.c().keyCodes[static_cast<size_t>(index)] = lines[i].second;
            t.c().enterAmount(lineInfo(lines[i].first).amount.value(), amounts[i]);
        }
        t.run();
        const TaxWorksheet& w = t.w();
        EXPECT_EQ(w.amount(5), euros("300")) << "the flat-taxed amounts pass through the taxable pay";
        EXPECT_EQ(w.amount(6), euros("600"));
        EXPECT_EQ(w.amount(7), euros("300"));
        EXPECT_EQ(w.amount(8), euros("600"));
        EXPECT_EQ(w.amount(10), euros("3000"));
        EXPECT_EQ(w.amount(19), euros("125"));
        EXPECT_EQ(w.amount(20), euros("6.87"));
        EXPECT_EQ(w.amount(21), cents(r.employeeChurch));
        EXPECT_EQ(w.label(21), r.caption);
        EXPECT_EQ(t.s.g.tax.employerFlat,
                  (FlatRateTaxes{euros("50"), euros("2.75"), cents(r.employerChurch)}));
        // The lines carry the employee's flat-rate taxes besides those of the tables.
        EXPECT_EQ(t.line(34), -(w.amount(16) + euros("125")).toCents());
        EXPECT_EQ(t.line(35), -(w.amount(17) + euros("6.87")).toCents());
        EXPECT_EQ(t.line(36), -(w.amount(18) + cents(r.employeeChurch)).toCents());

        // Line 36 at position 3: no flat church tax.
        t.c().setKey(KeySlot::ChurchTax, 3);
        t.run();
        EXPECT_EQ(t.w().amount(21), Money());
        EXPECT_EQ(t.w().label(21), "21.  0,0 %   Kirchensteuer aus Nr. 19");
    }
}

// Vector #31 (2020, RE4 400000 monthly, JRE4 4800000, SONSTB 500000, STKL 1, R 1, KRV 0, KVZ 1.10):
// LSTLZZ 67658 and STS 147100. Here January and February paid 4,000.00 each and March pays 4,000.00
// and a one-time payment of 5,000.00: 22 = 8,000, 23 = 4,000 + 9 × 4,000 = 40,000, 24 = 48,000,
// 26 = 53,000, and the difference of the annual tables is the flow chart's STS. Surcharge and church
// tax are the flow chart's SOLZS and BKS: 5.5 % of 1,471.00 = 80.905 → 80.90 (before 2021 without
// the exemption limit, § 3 (4) SolZG) and 9 % of 1,471.00 = 132.39.
TEST(TaxStep, OneTimePaymentByTheAnnualTableMethod) {
    TaxCase t(2020);
    t.pay(400000);
    t.runFrom(0);
    t.c().enterAmount(AmountSlot::OneTimePayment, 500000);
    t.runMonth(2);
    const TaxWorksheet& w = t.w();
    EXPECT_EQ(w.amount(12), euros("5000"));
    EXPECT_EQ(w.amount(14), euros("4000"));
    EXPECT_EQ(w.amount(16), euros("676.58"));
    EXPECT_EQ(w.label(12), "12.  -  Einmalzahlung");
    EXPECT_EQ(w.label(22), "22. Str.pfl.Entgelt i.d. Vormonaten");
    EXPECT_EQ(w.label(30), "30. mehr (Nr. 29 minus Nr. 28)");
    EXPECT_EQ(w.amount(22), euros("8000"));
    EXPECT_EQ(w.amount(23), euros("40000"));
    EXPECT_EQ(w.label(23), "23. + 10 restliche Monate ohne Einmalz.");
    EXPECT_EQ(w.amount(24), euros("48000"));
    EXPECT_EQ(w.amount(25), euros("5000"));
    EXPECT_EQ(w.amount(26), euros("53000"));
    EXPECT_EQ(w.amount(27), Money());
    EXPECT_EQ(w.amount(29) - w.amount(28), w.amount(30));
    EXPECT_EQ(w.amount(30), euros("1471"));
    LohnstrInput annual = monthlyInput(4800000, "1.10");
    annual.LZZ = 1;
    const LohnstrOutput without = LOHNSTR(2020, annual);
    EXPECT_EQ(w.amount(28), cents(without.LSTLZZ));
    EXPECT_EQ(w.amount(31), euros("80.90"));
    EXPECT_EQ(w.amount(32), euros("132.39"));
    EXPECT_EQ(w.label(32), "32. 9  % Kirchensteuer aus Nr. 30");
    EXPECT_EQ(t.line(34), -(67658 + 147100));
    EXPECT_EQ(t.line(36), -(6089 + 13239)); // 9 % of 676.58 = 60.8922 → 60.89

    // The annual special payment of line 19 is one-time pay as well.
    t.c().enterAmount(AmountSlot::OneTimePayment, 0);
    t.c().setKey(KeySlot::AnnualPayment, 1); // "Jahressonderzahlung lt. Eingabe"
    t.c().enterAmount(AmountSlot::AnnualPayment, 500000);
    t.runMonth(2);
    EXPECT_EQ(t.w().amount(12), euros("5000"));
    EXPECT_EQ(t.w().amount(30), euros("1471"));
}

// From 2021 the surcharge on a one-time payment is due, in full (5.5 % of its tax, no marginal zone),
// only when the annual tax including the payment exceeds the exemption limit of 16,956 (§ 3 (3) and
// (4) SolZG 1995 as amended for 2021; class I without children, so that tax is step 29). 4,000.00 a
// month and 5,000.00 in March stay below it; 15,000.00 a month and 20,000.00 in March exceed it.
TEST(TaxStep, OneTimePaymentSurchargeFrom2021) {
    struct Row {
        int64_t monthly, payment;
        bool above;
    };
    for (const Row& r : {Row{400000, 500000, false}, Row{1500000, 2000000, true}}) {
        TaxCase t(2021, 1, 130);
        t.pay(r.monthly);
        t.runFrom(0);
        t.c().enterAmount(AmountSlot::OneTimePayment, static_cast<int32_t>(r.payment));
        t.runMonth(2);
        const TaxWorksheet& w = t.w();
        ASSERT_GT(w.amount(30), Money());
        EXPECT_EQ(w.amount(29) > euros("16956"), r.above);
        const Money full =
            cents(mulDiv(w.amount(30).units(), 55, 1000 * Money::kUnitsPerCent, Rounding::TowardZero));
        EXPECT_EQ(w.amount(31), r.above ? full : Money()) << r.monthly;
    }
}

// An allowance from the tax record (line 24) reaches the flow chart as LZZFREIB (vector #17:
// 2020, RE4 400000, LZZFREIB 50000 → LSTLZZ 51116), and twelve times as much in the annual runs.
TEST(TaxStep, AllowanceOfTheTaxRecord) {
    TaxCase t(2020);
    t.pay(400000);
    t.c().setKey(KeySlot::TaxAllowance, 0);
    t.c().enterAmount(AmountSlot::TaxAllowance, 50000);
    t.run();
    EXPECT_EQ(t.w().amount(11), euros("-500"));
    EXPECT_EQ(t.w().amount(14), euros("4000"));
    EXPECT_EQ(t.line(34), -51116);
    t.c().enterAmount(AmountSlot::OneTimePayment, 100000);
    t.run();
    EXPECT_EQ(t.w().amount(27), euros("-6000"));
    t.c().setKey(KeySlot::TaxAllowance, 1); // an addition instead
    t.run();
    EXPECT_EQ(t.w().amount(11), euros("500"));
    EXPECT_EQ(t.w().amount(27), euros("6000"));
}

// Vector #16 (2020, RE4 350000, ALTER1 1, AJAHR 2019): LSTLZZ 51525, SOLZLZZ 2833. Line 32 position
// 2 is the year before the calculation year.
TEST(TaxStep, OldAgeReliefFromLine32) {
    TaxCase t(2020);
    t.pay(350000);
    t.c().setKey(KeySlot::OldAgeRelief, 2);
    t.run();
    EXPECT_EQ(t.line(34), -51525);
    EXPECT_EQ(t.line(35), -2833);
}

// Vector #15 (2020, RE4 250000, KRV 2, VBEZ 250000, VBEZM 250000, VJAHR 2015, ALTER1 1, AJAHR 2012):
// LSTLZZ 30475, SOLZLZZ 1676. The pension is either the whole pay (line 22 "% Ruhegehalt von %") or
// the share typed into line 24 ("davon Versorgungsbezüge"). Without a known start year the
// calculation year gives the smallest allowance, so more tax.
TEST(TaxStep, PensionInputs) {
    TaxCase t(2020);
    t.pay(250000);
    t.c().setKey(KeySlot::PensionKind, 1); // no statutory pension insurance
    t.c().setKey(KeySlot::OldAgeRelief, 9);
    t.s.g.tax.inputs.pensionStartYear = 2015;
    t.c().setKey(KeySlot::PartTime, 3);
    t.run();
    EXPECT_EQ(t.line(34), -30475);
    EXPECT_EQ(t.line(35), -1676);

    t.c().setKey(KeySlot::PartTime, 0);
    t.c().setKey(KeySlot::TaxAllowance, 2);
    t.c().enterAmount(AmountSlot::TaxAllowance, 250000);
    t.run();
    EXPECT_EQ(t.line(34), -30475);
    EXPECT_EQ(t.w().amount(11), Money()) << "a pension share is no allowance";

    t.s.g.tax.inputs.pensionStartYear = 0;
    t.run();
    EXPECT_LT(t.line(34), -30475);
}

// Vector #7 (2018, RE4 700000, STKL 1, R 1, KRV 2, PKV 1, PKPV 45000): LSTLZZ 199625, SOLZLZZ 10979.
// A civil servant is privately insured and outside the pension insurance; the premiums are the
// amounts typed into lines 37 and 38.
TEST(TaxStep, PrivatelyInsuredCivilServant) {
    TaxCase t(2018, 1, 100);
    t.c().setKey(KeySlot::ServiceRelationship, 5);
    t.pay(700000);
    t.c().enterAmount(AmountSlot::PrivateHealthPremium, 30000);
    t.c().enterAmount(AmountSlot::PrivateCarePremium, 15000);
    t.run();
    EXPECT_EQ(t.line(34), -199625);
    EXPECT_EQ(t.line(35), -10979);
}

// The year 2017, class I, KVZ 1.10, church tax 9 %: six months of 2,000.00 and six of 4,000.00 make
// 36,000.00, whose annual tax is 5,202.00 (vector #1: 3,000.00 a month give LSTLZZ 433.50, and
// 5,202 / 12 = 433.50). December takes the annual amounts less those of January to November.
TEST(TaxStep, AnnualAdjustmentInDecember) {
    TaxCase t(2017);
    t.c().setKey(KeySlot::Region, 2); // Bayern: no capping in payroll
    t.pay(200000);
    t.runFrom(0);
    t.pay(400000);
    t.runFrom(6);
    t.c().setKey(KeySlot::AnnualAdjustment, 0);
    t.runMonth(11);
    const AnnualAdjustment& a = t.s.g.tax.adjustment;
    ASSERT_EQ(a.status, AnnualAdjustment::Status::Performed);
    EXPECT_EQ(a.annualTaxable, euros("36000"));
    EXPECT_EQ(a.annual.wageTax, euros("5202"));
    EXPECT_EQ(a.annual.churchTax, euros("468.18"));
    EXPECT_EQ(a.capHundredths, 0);

    const LohnstrOutput low = LOHNSTR(2017, monthlyInput(200000, "1.10"));
    const LohnstrOutput high = LOHNSTR(2017, monthlyInput(400000, "1.10"));
    EXPECT_EQ(a.months[0].taxable, euros("2000"));
    EXPECT_EQ(a.months[0].wageTax, cents(low.LSTLZZ));
    EXPECT_EQ(a.months[10].churchTax, cents(high.BK * 9 / 100));
    const int64_t janToNov = 6 * low.LSTLZZ + 5 * high.LSTLZZ;
    EXPECT_EQ(a.december.wageTax, cents(520200 - janToNov));
    EXPECT_LT(a.december.wageTax, cents(high.LSTLZZ)) << "the progression of the first half is refunded";
    EXPECT_EQ(a.december.churchTax, cents(46818 - 6 * (low.BK * 9 / 100) - 5 * (high.BK * 9 / 100)));
    EXPECT_EQ(a.sum.wageTax, cents(janToNov + high.LSTLZZ));
    EXPECT_EQ(t.line(34), -(520200 - janToNov));

    // Without the option December is an ordinary month.
    t.c().setKey(KeySlot::AnnualAdjustment, 1);
    t.run();
    EXPECT_EQ(t.s.g.tax.adjustment.status, AnnualAdjustment::Status::NotRequested);
    EXPECT_EQ(t.line(34), -high.LSTLZZ);
}

// Hamburg caps church tax at 3 % of the taxable income in payroll. 30,000.00 a month in 2017, class I,
// KVZ 1.10: annual wage 360,000.00; lump sums 1,000 + 36; Vorsorgepauschale: pension part
// 0.68 × 76,200 × 0.0935 = 4,844.79, health and care 52,200 × (0.081 + 0.01275) = 4,893.75, together
// 9,738.54 → 9,739; taxable income 360,000 − 1,036 − 9,739 = 349,225.00; tax 0.45 × 349,225 −
// 16,164.53 = 140,986.72 → 140,986. Church tax 9 % = 12,688.74; the cap 3 % × 349,225 = 10,476.75
// governs. January to November paid 11 × 1,057.39 (9 % of 11,748.83), so December refunds 1,154.54.
TEST(TaxStep, AnnualAdjustmentCapsChurchTaxWhereTheLandDoes) {
    TaxCase t(2017);
    t.c().setKey(KeySlot::Region, 6);
    t.pay(3000000);
    t.runFrom(0);
    t.c().setKey(KeySlot::AnnualAdjustment, 0);
    t.runMonth(11);
    const AnnualAdjustment& a = t.s.g.tax.adjustment;
    ASSERT_TRUE(a.performed());
    EXPECT_EQ(a.annual.wageTax, euros("140986"));
    EXPECT_EQ(a.churchTaxByTable, euros("12688.74"));
    EXPECT_EQ(a.capHundredths, 300);
    EXPECT_EQ(a.capBase, euros("349225"));
    EXPECT_EQ(a.capAmount, euros("10476.75"));
    EXPECT_TRUE(a.capGoverns);
    EXPECT_EQ(a.annual.churchTax, euros("10476.75"));
    EXPECT_EQ(a.december.churchTax, euros("-1154.54"));
    EXPECT_EQ(t.line(36), 115454);
    EXPECT_EQ(a.december.wageTax, euros("11748.87"));

    // Schleswig-Holstein has the same cap; Nordrhein-Westfalen caps only on application in the
    // assessment, so its employers do not.
    t.c().setKey(KeySlot::Region, 10);
    t.run();
    EXPECT_EQ(t.s.g.tax.adjustment.capHundredths, 0);
    EXPECT_EQ(t.s.g.tax.adjustment.annual.churchTax, euros("12688.74"));
}

TEST(TaxStep, AnnualAdjustmentIsRefusedWithAnAllowanceOrWithoutATable) {
    TaxCase t(2020);
    t.pay(300000);
    t.c().setKey(KeySlot::TaxAllowance, 1);
    t.c().enterAmount(AmountSlot::TaxAllowance, 10000); // an addition in January only
    t.runMonth(0);
    t.c().enterAmount(AmountSlot::TaxAllowance, 0);
    t.runFrom(1);
    t.c().setKey(KeySlot::AnnualAdjustment, 0);
    t.runMonth(11);
    EXPECT_EQ(t.s.g.tax.adjustment.status, AnnualAdjustment::Status::RefusedAllowance);
    EXPECT_EQ(t.line(34), -t.w().amount(16).toCents());

    TaxCase v(2020);
    v.pay(300000);
    v.c().setKey(KeySlot::TaxClass, 47); // class V
    v.c().setKey(KeySlot::AnnualAdjustment, 0);
    v.runFrom(0);
    v.runMonth(11);
    EXPECT_EQ(v.s.g.tax.adjustment.status, AnnualAdjustment::Status::RefusedTaxClass);
}

TEST(TaxStep, FlatRateSurchargeIsFiveAndAHalfPercentInEveryYear) {
    EXPECT_EQ(flatRateSurcharge(euros("100")), euros("5.50"));
    EXPECT_EQ(flatRateSurcharge(euros("0.99")), euros("0.05")); // 0.05445 truncated
}
