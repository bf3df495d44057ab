// The civil servants' pension levy and the employer's cost of the month.

#include "deductions/employer_cost.h"
#include "deductions/pension_levy.h"
#include "pension_test_support.h"

#include <gtest/gtest.h>

using namespace varemo;
using varemo::test::PensionCase;

namespace {

// A federal civil servant (Besoldungsordnung A) whose pension provision line 27 sets.
void makeCivilServant(PensionCase& p, int kind, int32_t typed) {
    p.c().setKey(KeySlot::ServiceRelationship, 0);
    p.c().setKey(KeySlot::SupplementaryFund, static_cast<int16_t>(kind));
    p.c().enterAmount(AmountSlot::SupplementaryFund, typed);
}

Money item(const PensionCase& p, EmployerItem i) {
    return p.s.g.pension.employer[i];
}

Money sumOfItems(const EmployerCost& e) {
    Money sum;
    for (const Money& m : e.items)
        sum += m;
    return sum;
}

} // namespace

TEST(CivilServantLevy, FlaggedLinesTimesTheFactorUnflaggedLinesNothing) {
    PensionCase p(2020);
    makeCivilServant(p, fund::PensionCostPercent, 3000); // 30,00 % → 0,300
    p.pay(13, 350000);
    p.pay(14, 15000);
    p.pay(15, 10000, false);
    p.run();
    const CivilServantLevy& levy = p.s.g.pension.civilServantLevy;
    ASSERT_TRUE(levy.applies);
    const auto& row13 = levy.rows[13 - kFirstGrossLine];
    const auto& row15 = levy.rows[15 - kFirstGrossLine];
    EXPECT_EQ(formatLevyFactor(row13.factorThousandths), "0,300 x ");
    EXPECT_EQ(row13.levy, Money::fromCents(105000)); // 3.500,00 × 0,300
    EXPECT_EQ(formatLevyFactor(row15.factorThousandths), "0,000 x ");
    EXPECT_EQ(row15.levy, Money());
    EXPECT_EQ(levy.total, Money::fromCents(109500));

    // No supplementary pension for a civil servant, and nothing deducted on line 42.
    EXPECT_EQ(p.line(13), 0);
    EXPECT_EQ(p.c().amount(AmountSlot::EmployeeShare), 0);

    // Employer: gross 3.750,00 plus the levy 1.095,00; no social-insurance item.
    const EmployerCost& e = p.s.g.pension.employer;
    EXPECT_EQ(item(p, EmployerItem::Gross), Money::fromCents(375000));
    EXPECT_EQ(item(p, EmployerItem::Levy), Money::fromCents(109500));
    for (EmployerItem i : {EmployerItem::HealthShare, EmployerItem::CareShare, EmployerItem::PensionShare,
                           EmployerItem::UnemploymentShare, EmployerItem::Levies})
        EXPECT_EQ(item(p, i), Money()) << employerItemLabel(i);
    EXPECT_EQ(e.total, Money::fromCents(375000 + 109500));

    // The factor keeps three decimals: 12,35 % → 0,1235, a tie, to the even 0,124.
    makeCivilServant(p, fund::PensionReserve, 1235);
    p.run();
    EXPECT_EQ(levy.total, Money::fromCents(43400 + 1860)); // 3.500,00 × 0,124 + 150,00 × 0,124
}

TEST(CivilServantLevy, AnAmountInEurosReplacesTheComputedLevy) {
    PensionCase p(2020);
    makeCivilServant(p, fund::PensionCostEuro, 123456);
    p.pay(13, 350000);
    p.run();
    const CivilServantLevy& levy = p.s.g.pension.civilServantLevy;
    EXPECT_EQ(levy.rows[13 - kFirstGrossLine].factorThousandths, 0);
    EXPECT_EQ(levy.total, Money::fromCents(123456));
    EXPECT_EQ(item(p, EmployerItem::Levy), Money::fromCents(123456));
}

TEST(CivilServantLevy, PensionFundLevyTakesTheAnnualBaseFromJuly) {
    // July: basic pay 3.000,00, general allowance 100,00, family allowance 150,00 at 20 %.
    PensionCase p(2020, 7);
    makeCivilServant(p, fund::PensionFundLevy, 2000);
    // Lines 8 to 10 read 0 without a tariff file of the year; the month's lines stand in for them.
    p.run();
    Case& c = p.c();
    c.grossLine(8).amount = Money::fromCents(300000);
    c.grossLine(9).amount = Money::fromCents(10000);
    c.grossLine(10).amount = Money::fromCents(15000);
    CivilServantPensionLevyBase(p.s.g);
    const CivilServantLevy& levy = p.s.g.pension.civilServantLevy;
    // 12 × 3.250,00 = 39.000,00 a year; the month bears 3.250,00 × 0,200 = 650,00.
    EXPECT_EQ(levy.annualBase, Money::fromCents(3900000));
    EXPECT_EQ(levy.total, Money::fromCents(65000));
    EXPECT_EQ(levy.rows[8 - kFirstGrossLine].levy, Money::fromCents(60000));
    EXPECT_EQ(levy.rows[13 - kFirstGrossLine].factorThousandths, 0);

    // July stored; in another month of the year its record gives the base.
    WriteCaseMonth(p.s.g);
    c.setKey(KeySlot::Month, 0);
    c.grossLine(8).amount = Money::fromCents(200000);
    c.grossLine(9).amount = Money();
    c.grossLine(10).amount = Money();
    CivilServantPensionLevyBase(p.s.g);
    EXPECT_EQ(p.s.g.pension.civilServantLevy.total, Money::fromCents(65000));

    // Half-time in July halves the base.
    c.setKey(KeySlot::Month, 6);
    p.s.g.partTimeFactor = 0.5f;
    c.grossLine(8).amount = Money::fromCents(300000);
    c.grossLine(9).amount = Money::fromCents(10000);
    c.grossLine(10).amount = Money::fromCents(15000);
    CivilServantPensionLevyBase(p.s.g);
    EXPECT_EQ(p.s.g.pension.civilServantLevy.annualBase, Money::fromCents(1950000));
    EXPECT_EQ(p.s.g.pension.civilServantLevy.total, Money::fromCents(32500));
}

TEST(EmployerCost, EmployeeWithSupplementaryPension) {
    PensionCase p(2020);
    p.pay(13, 400000);
    p.run();
    const EmployerCost& e = p.s.g.pension.employer;
    EXPECT_EQ(item(p, EmployerItem::Gross), Money::fromCents(400000));
    EXPECT_EQ(item(p, EmployerItem::Levy), Money::fromCents(25800));
    EXPECT_EQ(item(p, EmployerItem::LevyTaxes), Money::fromCents(1020 + 56));
    EXPECT_EQ(item(p, EmployerItem::LevyChurchTax), Money::fromCents(71));
    EXPECT_EQ(item(p, EmployerItem::CapitalContribution), Money());
    EXPECT_EQ(item(p, EmployerItem::Restructuring), Money());
    // The employer's shares come from the social-insurance step, the taken-over taxes from the tax step.
    const SocialInsuranceWorksheet& sv = p.s.g.social.worksheet;
    EXPECT_EQ(item(p, EmployerItem::HealthShare), sv.kv.employer + sv.kvAdditional.employer);
    EXPECT_EQ(item(p, EmployerItem::PensionShare), sv.rv.employer);
    EXPECT_EQ(item(p, EmployerItem::Levies), sv.levies.total());
    EXPECT_EQ(e.total, sumOfItems(e));
}

TEST(EmployerCost, EastCapitalContributionAndRestructuringCharge) {
    PensionCase p(2020);
    p.setRegion(13);
    EnsurePensionSettings(p.s.g);
    p.s.g.pension.settings.rates(fund::VblLaender, true, 0).restructuring = 1400; // 0,14 % entered
    p.pay(13, 300000);
    p.run();
    // 3.000,00 × 2,00 % = 60,00 capital contribution; × 0,14 % = 4,20 restructuring charge.
    EXPECT_EQ(item(p, EmployerItem::CapitalContribution), Money::fromCents(6000));
    EXPECT_EQ(item(p, EmployerItem::Restructuring), Money::fromCents(420));
}
TEST(EmployerCost, KeyCodePositionSixDecidesWhetherALineCounts) {
    EXPECT_TRUE(countsAsEmployerCost("000001"));
    EXPECT_FALSE(countsAsEmployerCost("000000"));
    EXPECT_FALSE(countsAsEmployerCost("100010"));
    EXPECT_FALSE(countsAsEmployerCost(""));

    PensionCase p(2020);
    p.c().setKey(KeySlot::SupplementaryFund, fund::None);
    p.pay(13, 200000);
    p.c().keyCodes = {"000001", "000000", "000000", "000001", "000001"};
    p.c().enterAmount(AmountSlot::InKind1, 5000);     // line 25, counts
    p.c().enterAmount(AmountSlot::InKind2, 7000);     // line 26, does not
    p.c().enterAmount(AmountSlot::Deduction1, 3000);  // line 44, does not
    p.c().enterAmount(AmountSlot::Deduction2, 2500);  // line 45, a payment that counts
    p.c().enterAmount(AmountSlot::Deduction3, -1000); // line 46, a deduction the employer recovers
    p.run();
    EXPECT_EQ(item(p, EmployerItem::InKind), Money::fromCents(5000));
    EXPECT_EQ(item(p, EmployerItem::OtherPayments), Money::fromCents(1500));
}

TEST(EmployerCost, LowWageZoneShowsTheEmployersFullShareOnTheActualPay) {
    PensionCase p(2020);
    p.c().setKey(KeySlot::SupplementaryFund, fund::None);
    p.c().setKey(KeySlot::ContributionKind, 2); // "KV-Gleitzonenbeitrag"
    p.c().setKey(KeySlot::CareKind, 7);         // "PV-Gleitzonenbeitrag"
    p.c().setKey(KeySlot::PensionKind, 7);      // "RV-Gleitzonenbeitrag"
    p.c().setKey(KeySlot::UnemploymentKind, 3); // "AV-Gleitzonenbeitrag"
    p.pay(13, 60000);
    p.run();
    // The employer pays half the rate on the actual 600,00: RV 9,3 % = 55,80, AV 1,2 % = 7,20,
    // PV 1,525 % = 9,15; the employee less, since his share is taken from the reduced base.
    EXPECT_EQ(item(p, EmployerItem::PensionShare), Money::fromCents(5580));
    EXPECT_EQ(item(p, EmployerItem::UnemploymentShare), Money::fromCents(720));
    EXPECT_EQ(item(p, EmployerItem::CareShare), Money::fromCents(915));
    EXPECT_GT(p.c().amount(AmountSlot::PensionInsurance), -5580); // line 39, the employee's RV, negative
    EXPECT_LT(p.c().amount(AmountSlot::PensionInsurance), 0);
    EXPECT_EQ(p.s.g.pension.employer.total, sumOfItems(p.s.g.pension.employer));
}
