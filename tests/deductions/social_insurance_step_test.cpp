// The contribution step through the calculation run: sheet lines 37 to 40 and the employer shares for
// regular pay, ceilings, care insurance variants, the low-wage zone, mini-jobs, typed amounts, every
// kind of the KV list, one-time payments against the annual ceiling, and the annual-earnings check.

#include "calc/calculation_run.h"
#include "deductions/annual_earnings_check.h"
#include "deductions/insurance_status.h"
#include "deductions/kind_lists.h"
#include "deductions/social_insurance_step.h"
#include "session/case_load.h"
#include "support/session.h"

#include <gtest/gtest.h>

using namespace varemo;
using varemo::test::TestSession;

namespace {

constexpr int kPayLine = 13;     // "Zulage lt. Eingabe", amount slot 12
constexpr int kOneTimeLine = 20; // "Sonstiger Bezug lt. Eingabe", amount slot 19

Money eur(const char* text) {
    return Money::parse(text);
}
int32_t cents(const char* text) {
    return Money::parse(text).toCents();
}

// A case of the given year and month (1 to 12) whose only pay subject to contributions is line 13
// (and line 20 for one-time payments), insured with the fund at position 0 (Techniker Krankenkasse).
struct SvCase {
    TestSession s;
    Session& g;
    Case& c;

    explicit SvCase(int year, int month = 1, int region = 0)
        : s(year, DataSet::Real, 1, month), g(s.g), c(s.g.workingCase) {
        LoadCaseMonth(g);
        c.setKey(KeySlot::Region, static_cast<int16_t>(region));
        c.setKey(KeySlot::HealthFund, 0);
        for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line)
            c.grossLine(line).setFlag(LineFlag::SocialInsurance, line == kPayLine || line == kOneTimeLine);
    }
    void pay(const char* amount) { c.enterAmount(lineInfo(kPayLine).amount.value(), cents(amount)); }
    void oneTime(const char* amount) { c.enterAmount(lineInfo(kOneTimeLine).amount.value(), cents(amount)); }
    void kinds(int kv, int pv, int rv, int av) {
        c.setKey(KeySlot::ContributionKind, static_cast<int16_t>(kv));
        c.setKey(KeySlot::CareKind, static_cast<int16_t>(pv));
        c.setKey(KeySlot::PensionKind, static_cast<int16_t>(rv));
        c.setKey(KeySlot::UnemploymentKind, static_cast<int16_t>(av));
    }
    void run() { ASSERT_TRUE(RunCalculation(g)); }
    int32_t line(int n) const { return c.amount(lineInfo(n).amount.value()); }
    const SocialInsuranceWorksheet& w() const { return g.social.worksheet; }
};

} // namespace

TEST(SocialInsuranceStep, RegularPayWest2020) {
    SvCase k(2020);
    k.pay("3000");
    k.run();
    // KV 3000 × 7.3 % = 219.00 and the additional 0.70 % / 2: 3000 × 0.35 % = 10.50, each side
    EXPECT_EQ(k.line(37), cents("-229.50"));
    // PV 3000 × 1.525 % = 45.75; RV × 9.3 % = 279.00; AV × 1.2 % = 36.00
    EXPECT_EQ(k.line(38), cents("-45.75"));
    EXPECT_EQ(k.line(39), cents("-279"));
    EXPECT_EQ(k.line(40), cents("-36"));
    EXPECT_EQ(k.w().kv.employer, eur("219"));
    EXPECT_EQ(k.w().kvAdditional.employer, eur("10.50"));
    EXPECT_EQ(k.w().pv.employer, eur("45.75"));
    EXPECT_EQ(k.w().rv.employer, eur("279"));
    EXPECT_EQ(k.w().av.employer, eur("36"));
    EXPECT_EQ(k.w().employerTotal(), eur("590.25"));
    EXPECT_EQ(k.w().employeeTotal(), eur("590.25"));
    // Levies of a public employer: U2 of the fund (0.47 %): 3000 × 0.47 % = 14.10, no U1, no Insolvenzgeld.
    EXPECT_EQ(k.w().levies.u2.amount, eur("14.10"));
    EXPECT_FALSE(k.w().levies.u1.liable);
    EXPECT_FALSE(k.w().levies.u3.liable);
    // Liable to all: U1 2.0 % = 60.00, Insolvenzgeld 2020 0.06 % = 1.80
    k.g.social.liability = LevyLiability{true, true, true};
    k.run();
    EXPECT_EQ(k.w().levies.u1.amount, eur("60"));
    EXPECT_EQ(k.w().levies.u3.amount, eur("1.80"));
}

TEST(SocialInsuranceStep, EveryContributionIsRoundedCommercially) {
    SvCase k(2020);
    k.pay("2505");
    k.run();
    // KV 2505 × 7.3 % = 182.865 → 182.87 (a tie goes up); additional 2505 × 0.35 % = 8.7675 → 8.77
    EXPECT_EQ(k.line(37), cents("-191.64"));
    // PV 2505 × 1.525 % = 38.20125 → 38.20; RV 2505 × 9.3 % = 232.965 → 232.97; AV × 1.2 % = 30.06
    EXPECT_EQ(k.line(38), cents("-38.20"));
    EXPECT_EQ(k.line(39), cents("-232.97"));
    EXPECT_EQ(k.line(40), cents("-30.06"));
}

TEST(SocialInsuranceStep, PayAboveTheCeilingsWestAndEast) {
    SvCase west(2020);
    west.pay("8000");
    west.run();
    // KV/PV on 4687.50: 342.1875 → 342.19 and 16.40625 → 16.41; PV 71.484375 → 71.48
    EXPECT_EQ(west.line(37), cents("-358.60"));
    EXPECT_EQ(west.line(38), cents("-71.48"));
    // RV/AV West on 6900.00: 641.70 and 82.80
    EXPECT_EQ(west.line(39), cents("-641.70"));
    EXPECT_EQ(west.line(40), cents("-82.80"));
    EXPECT_EQ(west.w().rv.base, eur("6900"));

    SvCase east(2020, 1, 4); // Brandenburg
    east.pay("8000");
    east.run();
    EXPECT_EQ(east.line(37), cents("-358.60"));
    // RV/AV East on 6450.00: × 9.3 % = 599.85, × 1.2 % = 77.40
    EXPECT_EQ(east.line(39), cents("-599.85"));
    EXPECT_EQ(east.line(40), cents("-77.40"));
    EXPECT_EQ(east.w().rv.employer, eur("599.85"));
    EXPECT_EQ(east.w().region, Region::East);
}

TEST(SocialInsuranceStep, ChildlessAndSaxonyCare) {
    SvCase k(2020);
    k.pay("3000");
    k.c.setKey(KeySlot::Childless, 1);
    k.run();
    // Childless: employee 1.525 + 0.25 = 1.775 %: 53.25; employer 1.525 %: 45.75
    EXPECT_EQ(k.line(38), cents("-53.25"));
    EXPECT_EQ(k.w().pv.employer, eur("45.75"));
    EXPECT_EQ(k.w().pv.employeeRate, Rate{17750});

    // Saxony: employee 2.025 + 0.25 = 2.275 %: 68.25; employer 1.025 %: 30.75
    k.c.setKey(KeySlot::CareKind, 2);
    k.run();
    EXPECT_EQ(k.line(38), cents("-68.25"));
    EXPECT_EQ(k.w().pv.employer, eur("30.75"));
    k.c.setKey(KeySlot::Childless, 0); // Saxony alone: 2.025 %: 60.75
    k.run();
    EXPECT_EQ(k.line(38), cents("-60.75"));
}

TEST(SocialInsuranceStep, AdditionalContributionEmployeeAloneBefore2019) {
    SvCase k(2018);
    k.pay("3000");
    k.run();
    // 2018, fund additional 0.90 % for the employee alone: 219.00 + 27.00; PV 1.275 %: 38.25
    EXPECT_EQ(k.line(37), cents("-246"));
    EXPECT_EQ(k.w().kv.employer + k.w().kvAdditional.employer, eur("219"));
    EXPECT_EQ(k.line(38), cents("-38.25"));
    // 2017: RV 9.35 %: 280.50; AV 1.5 %: 45.00
    SvCase k17(2017);
    k17.pay("3000");
    k17.run();
    EXPECT_EQ(k17.line(39), cents("-280.50"));
    EXPECT_EQ(k17.line(40), cents("-45"));
}

TEST(SocialInsuranceStep, LowWageZone2021) {
    SvCase k(2021);
    k.pay("1000");
    k.kinds(2, 7, 7, 3);
    k.run();
    // BE = 337.905 + 1.131876471 × 550 = 960.44 (F 0.7509, B 1300)
    EXPECT_TRUE(k.w().zone);
    EXPECT_EQ(k.w().zoneBase, eur("960.44"));
    // KV 14.6 %: 960.44 × 14.6 % = 140.22 − 1000 × 7.3 % = 73.00 → 67.22
    // additional 1.20 %: 960.44 × 1.2 % = 11.53 − 1000 × 0.6 % = 6.00 → 5.53
    EXPECT_EQ(k.line(37), cents("-72.75"));
    EXPECT_EQ(k.w().kv.employer + k.w().kvAdditional.employer, eur("79"));
    // PV 960.44 × 3.05 % = 29.29 − 15.25 = 14.04; RV 178.64 − 93.00 = 85.64; AV 23.05 − 12.00 = 11.05
    EXPECT_EQ(k.line(38), cents("-14.04"));
    EXPECT_EQ(k.line(39), cents("-85.64"));
    EXPECT_EQ(k.line(40), cents("-11.05"));
    EXPECT_EQ(k.w().pv.employer, eur("15.25"));
    EXPECT_EQ(k.w().rv.employer, eur("93"));
    EXPECT_EQ(k.w().av.employer, eur("12"));
    // Childless: + 960.44 × 0.25 % = 2.40 for the employee alone
    k.c.setKey(KeySlot::Childless, 1);
    k.run();
    EXPECT_EQ(k.line(38), cents("-16.44"));
}

TEST(SocialInsuranceStep, LowWageZoneBeforeAndAfterJuly2019) {
    SvCase june(2019, 6);
    june.pay("800");
    june.kinds(2, 7, 7, 3);
    june.run();
    // B = 850: BE = 340.47 + 1.273825 × 350 = 786.31; RV 786.31 × 18.6 % = 146.25 − 74.40 = 71.85
    EXPECT_EQ(june.w().zoneBase, eur("786.31"));
    EXPECT_EQ(june.line(39), cents("-71.85"));
    june.c.setKey(KeySlot::PensionKind, 8); // waived ("aufgestockt"): 800 × 18.6 % = 148.80 − 74.40 = 74.40
    june.run();
    EXPECT_EQ(june.line(39), cents("-74.40"));
    june.pay("1000"); // above 850.00 in June: regular, 1000 × 9.3 % = 93.00
    june.c.setKey(KeySlot::PensionKind, 7);
    june.run();
    EXPECT_FALSE(june.w().zone);
    EXPECT_EQ(june.line(39), cents("-93"));

    SvCase july(2019, 7);
    july.pay("800");
    july.kinds(2, 7, 8, 3); // the waiver ended: like the plain zone kind
    july.run();
    // B = 1300: BE = 340.47 + 1.128858824 × 350 = 735.57; 735.57 × 18.6 % = 136.82 − 74.40 = 62.42
    EXPECT_EQ(july.w().zoneBase, eur("735.57"));
    EXPECT_EQ(july.line(39), cents("-62.42"));
    july.pay("1000"); // in the zone from July: BE 961.34; 178.81 − 93.00 = 85.81
    july.c.setKey(KeySlot::PensionKind, 7);
    july.run();
    EXPECT_EQ(july.w().zoneBase, eur("961.34"));
    EXPECT_EQ(july.line(39), cents("-85.81"));
}

TEST(SocialInsuranceStep, TheZoneAppliesByLawToTheRegularKinds) {
    // § 20 Abs. 2 SGB IV: 1000.00 in 2020 lie in the zone (450.01 to 1300.00) whatever kinds are set.
    SvCase k(2020);
    k.pay("1000");
    k.run();
    // BE = 339.615 + 1.12986182 × 550 = 961.04 (F 0.7547)
    EXPECT_TRUE(k.w().zone);
    EXPECT_TRUE(k.w().zoneByLaw);
    EXPECT_EQ(k.w().zoneBase, eur("961.04"));
    // KV 961.04 × 14.6 % = 140.31 − 1000 × 7.3 % = 73.00 → 67.31; additional 0.7 %: 6.73 − 3.50 = 3.23
    EXPECT_EQ(k.line(37), cents("-70.54"));
    // PV 961.04 × 3.05 % = 29.31 − 15.25 = 14.06; RV 178.75 − 93.00 = 85.75; AV 23.06 − 12.00 = 11.06
    EXPECT_EQ(k.line(38), cents("-14.06"));
    EXPECT_EQ(k.line(39), cents("-85.75"));
    EXPECT_EQ(k.line(40), cents("-11.06"));
    EXPECT_EQ(k.w().rv.employer, eur("93"));
    // The reduced KV rate 14.0 % as well: 961.04 × 14 % = 134.55 − 70.00 = 64.55, plus 3.23
    k.c.setKey(KeySlot::ContributionKind, 10);
    k.run();
    EXPECT_EQ(k.line(37), cents("-67.78"));
    // The zone kinds give the same, and are not "by law".
    k.kinds(2, 7, 7, 3);
    k.run();
    EXPECT_EQ(k.line(37), cents("-70.54"));
    EXPECT_EQ(k.line(39), cents("-85.75"));
    EXPECT_FALSE(k.w().zoneByLaw);

    // Until June 2019 the zone ended at 850.00: 800 is in it (BE 786.31, RV 146.25 − 74.40 = 71.85),
    // 1000 is not.
    SvCase june(2019, 6);
    june.pay("800");
    june.run();
    EXPECT_EQ(june.w().zoneBase, eur("786.31"));
    EXPECT_EQ(june.line(39), cents("-71.85"));
    june.pay("1000");
    june.run();
    EXPECT_FALSE(june.w().zone);
    EXPECT_EQ(june.line(39), cents("-93"));

    // Not for those employed for their vocational training: trainees pay the full half rate.
    SvCase trainee(2020);
    trainee.c.setKey(KeySlot::ServiceRelationship, 20);
    trainee.pay("1000");
    trainee.run();
    EXPECT_FALSE(trainee.w().zone);
    EXPECT_EQ(trainee.line(39), cents("-93"));
    EXPECT_EQ(trainee.line(38), cents("-15.25"));
}

TEST(SocialInsuranceStep, SaxonyCareInTheZone) {
    // § 58 Abs. 3 SGB XI in the zone, 2020, pay 1000.00, BE 961.04: the total 961.04 × 3.05 % = 29.31,
    // the employer 1000 × (1.525 − 0.5) % = 10.25, the employee the rest, 19.06.
    SvCase k(2020, 1, kRegionSaxony);
    k.pay("1000");
    k.kinds(2, 7, 7, 3); // the zone kind: Sachsen by the region
    k.run();
    EXPECT_EQ(k.line(38), cents("-19.06"));
    EXPECT_EQ(k.w().pv.employer, eur("10.25"));
    k.kinds(0, 2, 0, 0); // the Saxony kind in the zone by law
    k.run();
    EXPECT_EQ(k.line(38), cents("-19.06"));
    k.c.setKey(KeySlot::Childless, 1); // + 961.04 × 0.25 % = 2.40
    k.run();
    EXPECT_EQ(k.line(38), cents("-21.46"));
    // Elsewhere the zone kind splits evenly: 29.31 − 15.25 = 14.06.
    SvCase west(2020, 1, 10);
    west.pay("1000");
    west.kinds(2, 7, 7, 3);
    west.run();
    EXPECT_EQ(west.line(38), cents("-14.06"));
}

TEST(SocialInsuranceStep, SeveralEmploymentsInTheZone) {
    SvCase k(2021);
    k.pay("600");
    k.kinds(2, 7, 7, 3);
    k.c.setKey(KeySlot::OtherEmployments, 1);                // line 30: further employments
    k.c.enterAmount(AmountSlot::OtherEmploymentsPay, 40000); // paying 400.00
    k.run();
    // BE of 1000 = 960.44; this employment 960.44 × 600 / 1000 = 576.26
    // RV 576.26 × 18.6 % = 107.18436 → 107.18; employer 600 × 9.3 % = 55.80; employee 51.38
    EXPECT_EQ(k.w().zoneBase, eur("576.26"));
    EXPECT_EQ(k.line(39), cents("-51.38"));
    k.c.enterAmount(AmountSlot::OtherEmploymentsPay, 80000); // together 1400.00: regular, 600 × 9.3 % = 55.80
    k.run();
    EXPECT_FALSE(k.w().zone);
    EXPECT_EQ(k.line(39), cents("-55.80"));
}

TEST(SocialInsuranceStep, MiniJobsAndTheHouseholdCheque) {
    SvCase k(2020);
    k.pay("450");
    k.kinds(5, 4, 3, 1);
    k.run();
    // Employer KV 13 % = 58.50, RV 15 % = 67.50; the employee tops RV up: 83.70 − 67.50 = 16.20
    EXPECT_EQ(k.line(37), 0);
    EXPECT_EQ(k.line(38), 0);
    EXPECT_EQ(k.line(39), cents("-16.20"));
    EXPECT_EQ(k.line(40), 0);
    EXPECT_EQ(k.w().kv.employer, eur("58.50"));
    EXPECT_EQ(k.w().rv.employer, eur("67.50"));
    // Levies with the Minijob-Zentrale: U2 0.19 % × 450 = 0.855 → 0.86
    EXPECT_EQ(k.w().levies.fund, kMiniJobFund);
    EXPECT_EQ(k.w().levies.u2.amount, eur("0.86"));
    k.c.setKey(KeySlot::PensionKind, 2); // exempt from RV: the employer's 15 % only
    k.run();
    EXPECT_EQ(k.line(39), 0);
    EXPECT_EQ(k.w().rv.employer, eur("67.50"));
    k.c.setKey(KeySlot::ContributionKind, 4); // the employer's 10 % as the list says: 45.00
    k.run();
    EXPECT_EQ(k.w().kv.employer, eur("45"));

    SvCase home(2020);
    home.pay("300");
    home.kinds(5, 4, 11, 1);
    home.run();
    // Household: KV 5 % = 15.00, RV 5 % = 15.00, employee 300 × 18.6 % = 55.80 − 15.00 = 40.80
    EXPECT_EQ(home.w().kv.employer, eur("15"));
    EXPECT_EQ(home.w().rv.employer, eur("15"));
    EXPECT_EQ(home.line(39), cents("-40.80"));
}

TEST(SocialInsuranceStep, TypedAmounts) {
    SvCase k(2021);
    k.pay("1000");
    k.kinds(9, 8, 9, 4);
    k.c.enterAmount(AmountSlot::HealthInsurance, 3000);
    k.c.enterAmount(AmountSlot::CareInsurance, 1500);
    k.c.enterAmount(AmountSlot::PensionInsurance, 8000);
    k.c.enterAmount(AmountSlot::UnemploymentInsurance, 1000);
    k.run();
    EXPECT_EQ(k.line(37), cents("-30"));
    EXPECT_EQ(k.line(38), cents("-15"));
    EXPECT_EQ(k.line(39), cents("-80"));
    EXPECT_EQ(k.line(40), cents("-10"));
    // Zone kinds "lt. Eing.": the employer pays half the rate on the pay: KV (7.3 + 0.6) % = 79.00,
    // PV 15.25, RV 93.00, AV 12.00
    EXPECT_EQ(k.w().kv.employer, eur("79"));
    EXPECT_EQ(k.w().pv.employer, eur("15.25"));
    EXPECT_EQ(k.w().rv.employer, eur("93"));
    EXPECT_EQ(k.w().av.employer, eur("12"));
    EXPECT_TRUE(k.w().rv.entered);
    // The regular kinds "lt. Eingabe": the employer pays the same amount.
    k.kinds(7, 5, 4, 2);
    k.run();
    EXPECT_EQ(k.line(39), cents("-80"));
    EXPECT_EQ(k.w().rv.employer, eur("80"));
    EXPECT_EQ(k.w().kv.employer, eur("30"));
}

TEST(SocialInsuranceStep, EveryKindOfTheHealthList) {
    // 2020, pay 3000.00, fund additional 0.70 %, typed amount 250.00 for the kinds that take one.
    struct Expect {
        int kind;
        const char* line37;
        const char* employer;
    };
    const Expect table[] = {
        {0, "-229.50", "229.50"}, // 3000 × (7.3 + 0.35) %
        {1, "235.50", "235.50"},  // subsidy 3000 × (7.3 + 0.55 average) %, paid out
        {2, "-229.50", "229.50"}, // zone kind above the zone: regular
        {3, "0", "0"},            // exempt
        {4, "0", "300"},          // 10 %
        {5, "0", "390"},          // 13 %
        {6, "0", "0"},
        {7, "-250", "250"},        // typed contribution
        {8, "250", "250"},         // typed subsidy
        {9, "-250", "229.50"},     // typed zone contribution, employer half the rate on the pay
        {10, "-220.50", "220.50"}, // reduced 7.0 % + 0.35 %
        {11, "226.50", "226.50"},  // subsidy (7.0 + 0.55) %
        {12, "229.50", "229.50"},  // subsidy of a voluntary member (7.3 + 0.35) %
    };
    SvCase k(2020);
    k.pay("3000");
    for (const Expect& e : table) {
        k.c.setKey(KeySlot::ContributionKind, static_cast<int16_t>(e.kind));
        k.c.enterAmount(AmountSlot::HealthInsurance, (e.kind >= 7 && e.kind <= 9) ? 25000 : 0);
        k.run();
        EXPECT_EQ(k.line(37), cents(e.line37)) << "kind " << e.kind;
        EXPECT_EQ(k.w().kv.employer + k.w().kvAdditional.employer, eur(e.employer)) << "kind " << e.kind;
    }
    // A privately insured employee's subsidy is at most half the premium typed into line 37.
    k.c.setKey(KeySlot::ContributionKind, 1);
    k.c.enterAmount(AmountSlot::PrivateHealthPremium, 40000);
    k.run();
    EXPECT_EQ(k.line(37), cents("200"));
}

TEST(SocialInsuranceStep, DecemberOneTimePaymentMeetsTheAnnualCeiling) {
    SvCase k(2020);
    k.pay("4000");
    for (int m = 0; m < 11; ++m) {
        k.c.setKey(KeySlot::Month, static_cast<int16_t>(m));
        k.run(); // stores January to November
    }
    k.c.setKey(KeySlot::Month, 11);
    k.oneTime("10000");
    k.run();
    // KV: 12 × 4687.50 = 56250 − 11 × 4000 − 4000 = 8250 unused; base 4000 + 8250 = 12250
    EXPECT_EQ(k.w().kvAccount.unused, eur("8250"));
    EXPECT_EQ(k.w().kvAccount.oneTimeAssessed, eur("8250"));
    // 12250 × 7.3 % = 894.25; × 0.35 % = 42.875 → 42.88; PV × 1.525 % = 186.8125 → 186.81
    EXPECT_EQ(k.line(37), cents("-937.13"));
    EXPECT_EQ(k.line(38), cents("-186.81"));
    // RV: 12 × 6900 = 82800 leaves room for all of it: 14000 × 9.3 % = 1302.00, × 1.2 % = 168.00
    EXPECT_EQ(k.w().rvAccount.oneTimeAssessed, eur("10000"));
    EXPECT_EQ(k.line(39), cents("-1302"));
    EXPECT_EQ(k.line(40), cents("-168"));
    // Levies: U1/U2 leave one-time payments out (§ 7 AAG): U2 on 4000 × 0.47 % = 18.80
    EXPECT_EQ(k.w().levies.u2.base, eur("4000"));

    // The same payment in January finds only 4687.50 − 4000 = 687.50 of room in KV.
    SvCase jan(2020);
    jan.pay("4000");
    jan.oneTime("10000");
    jan.run();
    EXPECT_EQ(jan.w().kvAccount.oneTimeAssessed, eur("687.50"));
    EXPECT_EQ(jan.w().kv.base, eur("4687.50"));
}

// While the case is held (a recalculation, the following months of an edit), what the step worked out
// from each earlier month is kept; a month written meanwhile is worked out again, so an edit of an
// earlier month reaches the later ones.
TEST(SocialInsuranceStep, AnEarlierMonthWrittenWhileTheCaseIsHeldCountsAsWritten) {
    SvCase k(2020);
    const CaseYearInMemory held(k.g.store, k.g.caseNumber);
    k.pay("4000");
    for (int m = 0; m < 11; ++m) {
        k.c.setKey(KeySlot::Month, static_cast<int16_t>(m));
        k.run();
    }
    k.c.setKey(KeySlot::Month, 11);
    k.oneTime("10000");
    k.run();
    EXPECT_EQ(k.w().kvAccount.oneTimeAssessed, eur("8250")); // as in the test above
    ASSERT_NE(k.g.files.keptPay(k.g.caseNumber, 3, false), nullptr);

    // March again, with 3000 instead of 4000.
    k.c.setKey(KeySlot::Month, 2);
    k.oneTime("0");
    k.pay("3000");
    k.run();
    EXPECT_EQ(k.g.files.keptPay(k.g.caseNumber, 3, false), nullptr);
    k.c.setKey(KeySlot::Month, 11);
    k.oneTime("10000");
    k.pay("4000");
    k.run();
    // § 23a Abs. 3 SGB IV, KV: January to November 10 × 4000 + 3000 = 43000; 56250 − 43000 − 4000 = 9250
    // unused, all of it taken by the payment (1000 more than with March at 4000).
    EXPECT_EQ(k.w().kvAccount.earlierAssessed, eur("43000"));
    EXPECT_EQ(k.w().kvAccount.oneTimeAssessed, eur("9250"));
}

TEST(SocialInsuranceStep, EarlierMonthsCountTheLevyPartBeforeTheirCeiling) {
    // TV-L E11 step 4 in 2019, 4288.02 a month, insured with the VBL (Länder, West). The levy part that
    // is pay (§ 1 Abs. 1 Satz 1 Nr. 4a SvEV): levy 6.45 % = 276.58; tax-free 2 % of 6700 = 134.00,
    // flat-taxed 92.03, so 100.00 of them count at most 2.5 % of 4288.02 = 107.20 less 13.30 = 86.70,
    // the rest 176.58 in full: 263.28. The month's insurable pay 4551.30 lies above the KV ceiling.
    SvCase k(2019);
    k.pay("4288.02");
    k.c.grossLine(kPayLine).setFlag(LineFlag::SupplementaryPension, true);
    k.c.setKey(KeySlot::SupplementaryFund, 1);
    for (int m = 0; m < 10; ++m) {
        k.c.setKey(KeySlot::Month, static_cast<int16_t>(m));
        k.run(); // stores January to October
    }
    EXPECT_EQ(k.w().regularPay, eur("4551.30"));
    k.c.setKey(KeySlot::Month, 10);
    k.oneTime("3000");
    k.run();
    // § 23a Abs. 3 SGB IV: January to October used 10 × 4537.50 = 45375.00 of 11 × 4537.50 = 49912.50;
    // November's current pay takes the remaining 4537.50, so nothing of the payment pays KV or PV.
    // (Without the levy part the earlier months would count 10 × 4288.02 and leave 2494.80 unused.)
    EXPECT_EQ(k.w().kvAccount.earlierAssessed, eur("45375"));
    EXPECT_EQ(k.w().kvAccount.unused, Money());
    EXPECT_EQ(k.w().kv.base, eur("4537.50"));
    // RV counts all of it below its ceiling of 6700: 10 × 4551.30 = 45513.00, and all of the payment.
    EXPECT_EQ(k.w().rvAccount.earlierAssessed, eur("45513"));
    EXPECT_EQ(k.w().rvAccount.oneTimeAssessed, eur("3000"));
    // The earlier months' steps leave this month's results as they were.
    EXPECT_EQ(k.w().regularPay, eur("4551.30"));
    EXPECT_EQ(k.g.pension.svAddedPay, eur("263.28"));
    EXPECT_EQ(k.c.monthIndex(), 10);
}

TEST(SocialInsuranceStep, PartMonthReducesTheCeilings) {
    SvCase k(2020);
    k.pay("8000");
    k.c.enterAmount(AmountSlot::MonthDays, 3000000);
    k.c.enterAmount(AmountSlot::PaidDays, 1500000); // 15 of 30 days
    k.run();
    EXPECT_EQ(k.w().svDays, 15);
    // KV on 4687.50 × 15 / 30 = 2343.75: × 1.525 % = 35.7421875 → 35.74; RV on 3450.00 × 9.3 % = 320.85
    EXPECT_EQ(k.line(38), cents("-35.74"));
    EXPECT_EQ(k.line(39), cents("-320.85"));
}

TEST(SocialInsuranceStep, CivilServantsPayNoContributions) {
    SvCase k(2020);
    k.c.setKey(KeySlot::ServiceRelationship, 0);
    k.pay("3000");
    k.run();
    for (int line = 37; line <= 40; ++line)
        EXPECT_EQ(k.line(line), 0) << line;
    EXPECT_EQ(k.w().employerTotal(), Money());
    EXPECT_EQ(k.w().levies.total(), Money());
    InsuranceStatus st = insuranceStatus(k.g);
    EXPECT_EQ(st.pkv, 1);
    EXPECT_EQ(st.krv, 2);
}

TEST(InsuranceStatus, SettingsForTheWageTaxFlowChart) {
    SvCase k(2021, 1, 4); // Brandenburg: East
    k.c.setKey(KeySlot::Childless, 1);
    k.c.setKey(KeySlot::CareKind, 2);
    InsuranceStatus st = insuranceStatus(k.g);
    EXPECT_TRUE(st.childless);
    EXPECT_TRUE(st.saxony);
    EXPECT_EQ(st.pkv, 0);
    EXPECT_EQ(st.krv, 1);
    EXPECT_EQ(st.kvzHundredths, 120); // the fund at position 0 in 2021
    EXPECT_EQ(st.pvKind, 2);

    k.c.setKey(KeySlot::ContributionKind, 1); // privately insured with subsidy, premiums typed into 37 and 38
    k.c.enterAmount(AmountSlot::PrivateHealthPremium, 45000);
    k.c.enterAmount(AmountSlot::PrivateCarePremium, 6000);
    k.c.setKey(KeySlot::PensionKind, 12);
    st = insuranceStatus(k.g);
    EXPECT_EQ(st.pkv, 2);
    EXPECT_EQ(st.pkpvCents, 51000);
    EXPECT_EQ(st.krv, 2);
    k.c.setKey(KeySlot::ContributionKind, 8); // typed subsidy: the premium is twice it
    EXPECT_EQ(insuranceStatus(k.g).pkpvCents, 96000);
}

TEST(KindLists, TextsCarryTheYearsRates) {
    SvCase k(2020);
    auto kv = contributionKindList(k.g, 37);
    ASSERT_EQ(kv.size(), 13u);
    EXPECT_EQ(kv[0], "KV-Beitrag           14,60 % / 2");
    EXPECT_EQ(kv[1], "KV-AG-Zuschuß 14,60 % / 2");
    EXPECT_EQ(kv[12], "AG-Zusch.freiw.ges.KV");
    auto pv = contributionKindList(k.g, 38);
    EXPECT_EQ(pv[0], "PV 3,05 % / 2");
    EXPECT_EQ(pv[2], "PV Sachsen 2,025 % von 3,05");
    EXPECT_EQ(pv[3], "PV-AG-Zusch. Sa. 1,025 % von 3,05");
    EXPECT_EQ(pv[8], "PV-Gleitzonenbeitrag lt.Eing.");
    auto rv = contributionKindList(k.g, 39);
    EXPECT_EQ(rv[3], "RV. AN=3,60 %, AG = 15 %");
    EXPECT_EQ(rv[5], "Rentenvers. AG-Zuschuß 18,60 % / 2");
    EXPECT_EQ(rv[6], "Rentenvers. AN=0 / AG=18,60 % / 2");
    auto av = contributionKindList(k.g, 40);
    EXPECT_EQ(av[0], "AV 2,40 % / 2");
    EXPECT_EQ(av[6], "AV, AN = 0 %, AG = 2,40 %");
    EXPECT_TRUE(contributionKindList(k.g, 41).empty());
}

TEST(AnnualEarningsCheck, AgainstTheLimitOfTheYear) {
    SvCase k(2021);
    k.pay("5300");
    k.c.name = "Maria Muster";
    k.run();
    AnnualEarningsCheck check = annualEarningsCheck(k.g, {});
    // 5300 × 12 = 63600, below the 2021 limit of 64350
    EXPECT_EQ(check.heading, "Berechnung des Jahresarbeitsentgelts für Maria Muster");
    EXPECT_EQ(check.total, eur("63600"));
    EXPECT_EQ(check.limit, eur("64350"));
    EXPECT_EQ(check.limitText, "Jahresarbeitsentgeltgrenze 2021");
    EXPECT_EQ(check.totalText, "Jahresarbeitsentgelt bezogen auf Januar 2021");
    EXPECT_EQ(check.verdict, "Noch keine Überschreitung! Es ist nichts zu tun.");
    ASSERT_FALSE(check.rows.empty());
    EXPECT_EQ(check.rows[0].line, kPayLine);
    EXPECT_EQ(check.rows[0].multiplier, 12);

    AnnualEarningsInput in;
    in.specialPaymentBase = eur("800"); // 64400 > 64350
    EXPECT_EQ(annualEarningsCheck(k.g, in).verdict, "Überschreitung! Was ist nun zu tun?");

    k.c.setKey(KeySlot::ContributionKind, 12); // voluntary member
    EXPECT_EQ(annualEarningsCheck(k.g, {}).verdict, "Unterschreitung! Was ist nun zu tun?");
    EXPECT_EQ(annualEarningsCheck(k.g, in).verdict, "Keine Unterschreitung! Es ist nichts zu tun.");
    in.exemptOn2002 = true;
    EXPECT_EQ(annualEarningsCheck(k.g, in).limit, eur("58050"));
}
