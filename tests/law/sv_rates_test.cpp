// Yearly social-insurance values, the rounding of contributions, the low-wage zone, the mini-job
// classification and the levies, each checked against hand calculations.

#include "law/contributions.h"
#include "law/levies.h"
#include "law/low_wage_zone.h"
#include "law/mini_job.h"
#include "law/sv_defaults.h"

#include <gtest/gtest.h>

using namespace varemo;

namespace {

Money eur(const char* text) {
    return Money::parse(text);
}
Rate pct(int64_t tenThousandths) {
    return Rate{tenThousandths};
}

} // namespace

TEST(SvDefaults, YearlyValuesFollowTheLawAndVorgabewerteRestoresThem) {
    auto d2020 = SvDefaults::forYear(2020);
    ASSERT_TRUE(d2020);
    EXPECT_EQ(d2020->pvHalf, pct(15250));
    EXPECT_EQ(d2020->rvHalf, pct(93000));
    EXPECT_EQ(d2020->avHalf, pct(12000));
    EXPECT_EQ(d2020->kvCeiling[0], eur("4687.50"));
    EXPECT_EQ(d2020->kvCeiling[1], eur("4687.50"));
    EXPECT_EQ(d2020->rvCeiling[0], eur("6900"));
    EXPECT_EQ(d2020->rvCeiling[1], eur("6450"));
    EXPECT_EQ(d2020->avCeiling, d2020->rvCeiling);
    EXPECT_EQ(d2020->miniJobLimit, eur("450"));
    EXPECT_EQ(d2020->childlessSurcharge, pct(2500));

    auto d2017 = SvDefaults::forYear(2017);
    EXPECT_EQ(d2017->pvHalf, pct(12750));
    EXPECT_EQ(d2017->rvHalf, pct(93500));
    EXPECT_EQ(d2017->rvCeiling[1], eur("5700"));
    // 2021: the average additional rate is 1.3 %.
    EXPECT_EQ(SvDefaults::forYear(2021)->averageAdditional, pct(13000));
    EXPECT_EQ(SvDefaults::forYear(2021)->kvCeiling[0], eur("4837.50"));

    SvDefaults edited = *d2020;
    edited.rvHalf = pct(99999);
    EXPECT_TRUE(restoreSvDefaults(edited, 2020));
    EXPECT_EQ(edited.rvHalf, pct(93000));
    edited.rvHalf = pct(99999);
    EXPECT_FALSE(restoreSvDefaults(edited, 2016)); // outside the calculation years: unchanged
    EXPECT_EQ(edited.rvHalf, pct(99999));
}

TEST(SvDefaults, LimitsLevyRatesAndFactors) {
    EXPECT_EQ(compulsoryInsuranceLimit(2020, false), eur("62550"));
    EXPECT_EQ(compulsoryInsuranceLimit(2020, true), eur("56250"));
    EXPECT_EQ(compulsoryInsuranceLimit(2021, false), eur("64350"));
    EXPECT_EQ(compulsoryInsuranceLimit(2021, true), eur("58050"));
    EXPECT_FALSE(compulsoryInsuranceLimit(2016, false));

    EXPECT_EQ(insolvencyLevyRate(2014), 150);
    EXPECT_EQ(insolvencyLevyRate(2016), 120);
    EXPECT_EQ(insolvencyLevyRate(2017), 90);
    EXPECT_EQ(insolvencyLevyRate(2020), 60);
    EXPECT_EQ(insolvencyLevyRate(2021), 120);

    EXPECT_EQ(GleitzoneFactor(2017), 7509);
    EXPECT_EQ(GleitzoneFactor(2019), 7566);
    EXPECT_EQ(GleitzoneFactor(2020), 7547);
    EXPECT_EQ(GleitzoneFactor(2021), 7509); // 30 / 39.95
    EXPECT_FALSE(GleitzoneFactor(2011));
}

TEST(Contribution, RoundsCommerciallyFromTheExactProduct) {
    // 2505.00 × 9.3 % = 232.965 → 232.97 (a tie goes up, not to the even cent)
    EXPECT_EQ(contribution(eur("2505"), pct(93000)), eur("232.97"));
    // 2505.00 × 7.3 % = 182.865 → 182.87
    EXPECT_EQ(contribution(eur("2505"), pct(73000)), eur("182.87"));
    // 3333.33 × 1.775 % = 59.1666075 → 59.17; × 1.525 % = 50.8332825 → 50.83
    EXPECT_EQ(contribution(eur("3333.33"), pct(17750)), eur("59.17"));
    EXPECT_EQ(contribution(eur("3333.33"), pct(15250)), eur("50.83"));
    // 0.01 × 0.25 % = 0.000025 → 0.00; 2.00 × 0.25 % = 0.005 → 0.01
    EXPECT_EQ(contribution(eur("0.01"), pct(2500)), Money());
    EXPECT_EQ(contribution(eur("2"), pct(2500)), eur("0.01"));
    EXPECT_EQ(halfOf(eur("0.05")), eur("0.03"));
}

TEST(LowWageZone, BoundsByMonth) {
    // 450.00 is a mini-job, 450.01 is in the zone.
    EXPECT_EQ(classifyPay(eur("450"), 2020, 0), EmploymentClass::MiniJob);
    EXPECT_EQ(classifyPay(eur("450.01"), 2020, 0), EmploymentClass::LowWageZone);
    // 850.01 in a single employment: regular until June 2019, in the zone from July 2019.
    EXPECT_EQ(classifyPay(eur("850"), 2018, 11), EmploymentClass::LowWageZone);
    EXPECT_EQ(classifyPay(eur("850.01"), 2018, 11), EmploymentClass::Regular);
    EXPECT_EQ(classifyPay(eur("850.01"), 2019, 5), EmploymentClass::Regular);
    EXPECT_EQ(classifyPay(eur("850.01"), 2019, 6), EmploymentClass::LowWageZone);
    EXPECT_EQ(classifyPay(eur("1300"), 2021, 0), EmploymentClass::LowWageZone);
    EXPECT_EQ(classifyPay(eur("1300.01"), 2021, 0), EmploymentClass::Regular);
    EXPECT_EQ(classifyPay(eur("400.01"), 2012, 0), EmploymentClass::LowWageZone);
    EXPECT_EQ(classifyPay(Money(), 2020, 0), EmploymentClass::None);
    EXPECT_TRUE(rvWaiverAllowed(2019, 5));
    EXPECT_FALSE(rvWaiverAllowed(2019, 6));
}

TEST(LowWageZone, BaseFromTheExactFactor) {
    // June 2019, B = 850, F = 0.7566: 340.47 + (2.125 − 1.125 × 0.7566) × 350 = 340.47 + 1.273825 × 350
    //   = 786.30875 → 786.31
    EXPECT_EQ(zoneBase(eur("800"), *zoneParameters(2019, 5)), eur("786.31"));
    // July 2019, B = 1300: 340.47 + (1300 − 340.47) / 850 × 350 = 340.47 + 395.1005882 = 735.5705882 → 735.57
    EXPECT_EQ(zoneBase(eur("800"), *zoneParameters(2019, 6)), eur("735.57"));
    // 2017, B = 850, F = 0.7509: 337.905 + 1.2802375 × 250 = 657.964375 → 657.96
    EXPECT_EQ(zoneBase(eur("700"), *zoneParameters(2017, 0)), eur("657.96"));
    // 2021, F = 0.7509: 337.905 + 962.095 / 850 × 550 = 337.905 + 622.5320588 = 960.4370588 → 960.44
    EXPECT_EQ(zoneBase(eur("1000"), *zoneParameters(2021, 0)), eur("960.44"));
    // 2020, 450.01: 339.615 + 1.129864706 × 0.01 = 339.6262986 → 339.63
    EXPECT_EQ(zoneBase(eur("450.01"), *zoneParameters(2020, 0)), eur("339.63"));
    // The upper bound maps onto itself.
    EXPECT_EQ(zoneBase(eur("1300"), *zoneParameters(2020, 0)), eur("1300"));
    EXPECT_EQ(zoneBase(eur("1300"), *zoneParameters(2021, 0)), eur("1300"));
    EXPECT_EQ(zoneBase(eur("850"), *zoneParameters(2018, 0)), eur("850"));
}

TEST(LowWageZone, SeveralEmploymentsShareTheBaseOfTheirTotal) {
    // 2021: 600 + 400 = 1000 → BE 960.44; this employment 960.44 × 600 / 1000 = 576.264 → 576.26
    EXPECT_EQ(zoneBaseOfSeveral(eur("600"), eur("1000"), *zoneParameters(2021, 0)), eur("576.26"));
    // A total of 850.01 is regular in 2018 and in June 2019, in the zone from July 2019.
    EXPECT_FALSE(inLowWageZone(eur("850.01"), *zoneParameters(2018, 0)));
    EXPECT_FALSE(inLowWageZone(eur("850.01"), *zoneParameters(2019, 5)));
    EXPECT_TRUE(inLowWageZone(eur("850.01"), *zoneParameters(2019, 6)));
}

TEST(LowWageZone, EmployerPaysHalfOnThePayTheEmployeeTheRest) {
    // 2021, AE 1000, BE 960.44, RV 18.6 %: total 960.44 × 18.6 % = 178.64184 → 178.64;
    // employer 1000 × 9.3 % = 93.00; employee 178.64 − 93.00 = 85.64
    ZoneShare rv = zoneShare(eur("960.44"), eur("1000"), pct(186000), pct(93000));
    EXPECT_EQ(rv.total, eur("178.64"));
    EXPECT_EQ(rv.employer, eur("93"));
    EXPECT_EQ(rv.employee, eur("85.64"));
    // PV childless: 960.44 × 3.05 % = 29.29342 → 29.29; employer 15.25; employee 14.04 + 960.44 × 0.25 %
    //   (2.4011 → 2.40) = 16.44
    ZoneShare pv = zoneShare(eur("960.44"), eur("1000"), pct(30500), pct(15250), pct(2500));
    EXPECT_EQ(pv.employer, eur("15.25"));
    EXPECT_EQ(pv.employee, eur("16.44"));
}

TEST(MiniJob, FlatRatesAndTheEmployeesTopUp) {
    // 450.00: employer 15 % = 67.50; total 18.6 % = 83.70; employee 16.20
    BranchResult rv = topUpBranch(3, eur("450"), pct(186000), pct(150000), eur("175"));
    EXPECT_EQ(rv.employer, eur("67.50"));
    EXPECT_EQ(rv.employee, eur("16.20"));
    // 100.00: at least 175.00 × 18.6 % = 32.55; employer 15.00; employee 17.55
    rv = topUpBranch(3, eur("100"), pct(186000), pct(150000), eur("175"));
    EXPECT_EQ(rv.employee, eur("17.55"));
    // 2017 (18.7 %): 450 × 18.7 % = 84.15 − 67.50 = 16.65 (3.7 %)
    EXPECT_EQ(topUpBranch(3, eur("450"), pct(187000), pct(150000), eur("175")).employee, eur("16.65"));
    // KV 13 %: 450 × 13 % = 58.50
    EXPECT_EQ(flatEmployerBranch(5, eur("450"), pct(130000)).employer, eur("58.50"));
}

TEST(MiniJob, ClassificationFormWithSeveralEmployments) {
    SvFormInput two;
    two.year = 2020;
    two.miniJobPays = {eur("300"), eur("200")};
    SvFormResult r = classifyEmployments(two);
    EXPECT_EQ(r.combinedPay, eur("500"));
    ASSERT_EQ(r.miniJobClasses.size(), 2u);
    EXPECT_EQ(r.miniJobClasses[0], EmploymentClass::LowWageZone);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(
        r.messages[0],
        "Die einzelnen entgeltgeringfügigen Beschäftigungen überschreiten zusammen die Grenze von 450 €.");

    two.year = 2012;
    EXPECT_EQ(
        classifyEmployments(two).messages[0],
        "Die einzelnen entgeltgeringfügigen Beschäftigungen überschreiten zusammen die Grenze von 400 €.");

    SvFormInput together;
    together.year = 2020;
    together.miniJobPays = {eur("200"), eur("250")};
    r = classifyEmployments(together);
    EXPECT_EQ(r.miniJobClasses[0], EmploymentClass::MiniJob);
    EXPECT_TRUE(r.messages.empty());

    // Beside a liable main employment the first mini-job stays free, the second is added.
    SvFormInput main;
    main.year = 2020;
    main.hasMainEmployment = true;
    main.mainPay = eur("3000");
    main.miniJobPays = {eur("400"), eur("300")};
    r = classifyEmployments(main);
    EXPECT_EQ(r.miniJobClasses[0], EmploymentClass::MiniJob);
    EXPECT_EQ(r.miniJobClasses[1], EmploymentClass::Regular);
    EXPECT_EQ(r.combinedPay, eur("3300"));
    EXPECT_EQ(r.mainClass, EmploymentClass::Regular);
}

TEST(MiniJob, ShortTermHouseholdAndKinds) {
    SvFormInput in;
    in.year = 2020;
    in.monthIndex = 4;
    in.hasMainEmployment = true;
    in.mainPay = eur("2000");
    in.shortTermChecked = true;
    in.shortTermDays = 115; // May 2020: up to 115 days
    EXPECT_EQ(classifyEmployments(in).mainClass, EmploymentClass::ShortTerm);
    in.monthIndex = 11; // December 2020: 70 days again
    SvFormResult r = classifyEmployments(in);
    EXPECT_EQ(r.mainClass, EmploymentClass::Regular);
    EXPECT_EQ(r.messages.at(0),
              "Es liegt keine zeitgeringfügige Beschäftigung vor.     Bitte bewerten Sie die "
              "Beschäftigung in der Spalte HAUPTBESCHÄFTIGUNG.");

    SvFormInput home;
    home.year = 2020;
    home.miniJobPays = {eur("300")};
    home.privateHousehold = true;
    r = classifyEmployments(home);
    EXPECT_EQ(r.miniJobClasses[0], EmploymentClass::Household);
    EXPECT_EQ(r.messages.at(0), "Der AG hat die Abzüge\n(2 % Pauschalsteuern,\n 5 % KV, 5 % RV) im\n"
                                "Haushaltsscheck-Verfahren an die Bundesknappschaft abzuführen.");

    EXPECT_EQ(kindsForClass(EmploymentClass::LowWageZone, false), (ContributionKinds{2, 7, 7, 3}));
    EXPECT_EQ(kindsForClass(EmploymentClass::MiniJob, false), (ContributionKinds{5, 4, 3, 1}));
    EXPECT_EQ(kindsForClass(EmploymentClass::MiniJob, true), (ContributionKinds{5, 4, 2, 1}));
    EXPECT_EQ(kindsForClass(EmploymentClass::Household, false), (ContributionKinds{5, 4, 11, 1}));
}

TEST(CeilingAccount, OneTimePaymentsUseWhatEarlierMonthsLeft) {
    // 2020 KV: 4687.50 a month. January to November 4000.00 each, a July payment of 2000.00:
    //   by July 7 × 4687.50 = 32812.50 − 6 × 4000 − 4000 = 4812.50 left → the 2000.00 is fully insured.
    // December: 12 × 4687.50 = 56250 − (11 × 4000 + 2000) − 4000 = 6250 left of a 10000 payment.
    const Money ceiling = eur("4687.50");
    std::vector<MonthPay> earlier;
    for (int m = 0; m < 11; ++m)
        earlier.push_back({eur("4000"), m == 6 ? eur("2000") : Money(), ceiling});
    CeilingAccount a = assessAgainstCeiling(earlier, {eur("4000"), eur("10000"), ceiling});
    EXPECT_EQ(a.yearCeiling, eur("56250"));
    EXPECT_EQ(a.earlierAssessed, eur("46000"));
    EXPECT_EQ(a.unused, eur("6250"));
    EXPECT_EQ(a.oneTimeAssessed, eur("6250"));
    EXPECT_EQ(a.base(), eur("10250"));

    // Current pay above the ceiling leaves nothing for a one-time payment of the same month in January.
    a = assessAgainstCeiling({}, {eur("5000"), eur("1000"), ceiling});
    EXPECT_EQ(a.regularAssessed, ceiling);
    EXPECT_EQ(a.oneTimeAssessed, Money());

    // A part month of 15 days: 4687.50 × 15 / 30 = 2343.75
    EXPECT_EQ(proRataCeiling(ceiling, 15), eur("2343.75"));
    // 6900 × 7 / 30 = 1610.00; 4837.50 × 1 / 30 = 161.25
    EXPECT_EQ(proRataCeiling(eur("6900"), 7), eur("1610"));
    EXPECT_EQ(proRataCeiling(eur("4837.50"), 1), eur("161.25"));
}

TEST(Subsidy, HalfThePremiumAtMost) {
    // 2020 KV maximum: 4687.50 × (7.3 + 0.55) % = 367.96875 → 367.97
    EXPECT_EQ(subsidyBranch(1, eur("4687.50"), pct(78500), Money()).subsidy, eur("367.97"));
    // A premium of 500.01: half 250.005 → 250.01
    BranchResult s = subsidyBranch(1, eur("4687.50"), pct(78500), eur("500.01"));
    EXPECT_EQ(s.subsidy, eur("250.01"));
    EXPECT_EQ(s.employer, s.subsidy);
    EXPECT_EQ(s.lineAmount(), eur("250.01"));
}

TEST(Levies, RatesOfTheFundAndTheYearWithLiability) {
    // U1 2.0 % and U2 0.47 % of 3000 = 60.00 and 14.10; Insolvenzgeld 2021 0.12 % = 3.60
    LevyLiability all{true, true, true};
    Levies l = computeLevies(eur("3000"), eur("3000"), 200, 47, 120, all);
    EXPECT_EQ(l.u1.amount, eur("60"));
    EXPECT_EQ(l.u2.amount, eur("14.10"));
    EXPECT_EQ(l.u3.amount, eur("3.60"));
    EXPECT_EQ(l.total(), eur("77.70"));
    // A public employer: no U1 and no Insolvenzgeld.
    l = computeLevies(eur("3000"), eur("3000"), 200, 47, 120, LevyLiability{});
    EXPECT_FALSE(l.u1.liable);
    EXPECT_EQ(l.u1.amount, Money());
    EXPECT_EQ(l.u3.amount, Money());
    EXPECT_EQ(l.total(), eur("14.10"));
    EXPECT_STREQ(kNoLevyNotice, "Es besteht keine Umlagepflicht");
}
