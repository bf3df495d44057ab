// The annual special payment, holiday pay and the one-time payments of line 20.

#include "calc/calculation_run.h"
#include "pay/civil_servant_rules.h"
#include "pay/holiday_pay.h"
#include "pay/one_time_payments.h"
#include "pay/special_payment.h"
#include "persistence/month_record.h"
#include "presentation/special_payment_view.h"
#include "session/case_load.h"
#include "support/scripted_prompter.h"
#include "support/session.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace varemo;
using varemo::test::TestSession;

namespace {

Money euros(int64_t cents) {
    return Money::fromCents(cents);
}

int groupOf(const char* name) {
    const auto& names = annualPaymentGroupNames();
    return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
}

// Runs months first..last (0-based) of the working case, line 13 at payOf(month) and paid days
// daysOf(month) of 30; every run stores its month.
template <typename Pay, typename Days>
void runMonths(TestSession& s, int first, int last, Pay payOf, Days daysOf) {
    Case& c = s.g.workingCase;
    for (int m = first; m <= last; ++m) {
        c.setKey(KeySlot::Month, static_cast<int16_t>(m));
        c.enterAmount(AmountSlot::Allowance1, payOf(m));
        c.enterAmount(AmountSlot::MonthDays, 3000000);
        c.enterAmount(AmountSlot::PaidDays, daysOf(m) * 100000);
        ASSERT_TRUE(RunCalculation(s.g)) << m;
    }
}

int32_t line19(const TestSession& s) {
    return s.g.workingCase.amount(AmountSlot::AnnualPayment);
}

} // namespace

TEST(AnnualPaymentTable, ShippedPercentagesByAgreementYearAreaAndGroup) {
    const AnnualPaymentTable t = shippedAnnualPaymentTable();
    const auto& agreements = agreementNames();
    auto entry = [&](const char* name) {
        return static_cast<int>(std::find(agreements.begin(), agreements.end(), name) - agreements.begin());
    };
    EXPECT_EQ(t.percent(entry("TVöD VKA"), 2018, false, groupOf("Entgeldgruppe 9")), 7028);
    EXPECT_EQ(t.percent(entry("TVöD VKA"), 2018, true, groupOf("Entgeldgruppe 9")), 5271);
    EXPECT_EQ(t.percent(entry("TVöD VKA"), 2018, false, groupOf("Entgeldgruppe 15")), 5178);
    EXPECT_EQ(t.percent(entry("TVöD Bund"), 2017, false, groupOf("Entgeldgruppe 1")), 9000);
    EXPECT_EQ(t.percent(entry("TV-L"), 2019, false, groupOf("Entgeldgruppe 4")), 9169);
    EXPECT_EQ(t.percent(entry("TV-L"), 2019, false, groupOf("Entgeldgruppe 5")), 9219);
    EXPECT_EQ(t.percent(entry("TV-L"), 2017, true, groupOf("Entgeldgruppe 14")), 3300);
    EXPECT_EQ(t.percent(entry("TV-L Pflege"), 2020, false, groupOf("Entgeldgruppe KR 7")), 8940);
    EXPECT_EQ(t.percent(entry("TVöD VKA SuE"), 2019, false, groupOf("Entgeldgruppe S 11")), 7028);
    EXPECT_EQ(t.percent(entry("TVöD VKA Pflege"), 2020, false, groupOf("Entgeldgruppe 9")), 7048);
    EXPECT_EQ(t.percent(entry("TV-Hessen"), 2020, true, groupOf("Entgeldgruppe 10")), 6000); // no East area
    // Without a published band: user entries starting at 0.
    EXPECT_EQ(t.percent(entry("TVöD Bund"), 2020, false, groupOf("Entgeldgruppe 16")), 0);
    EXPECT_EQ(t.percent(entry("AVR Caritas"), 2020, false, groupOf("Entgeldgruppe 5")), 0);

    // "Vorgabewerte" restores one entry and year.
    AnnualPaymentTable changed = t;
    changed.setPercent(entry("TV-L"), 2020, false, 0, 1234);
    changed.setPercent(entry("TV-L"), 2021, false, 0, 4321);
    restoreShippedPercentages(changed, entry("TV-L"), 2020);
    EXPECT_EQ(changed.percent(entry("TV-L"), 2020, false, 0), 8891);
    EXPECT_EQ(changed.percent(entry("TV-L"), 2021, false, 0), 4321);
}

TEST(AnnualPaymentTable, EveryShippedRowFillsGroupsOfAnAgreementEntry) {
    // A misspelt agreement or a band that names no group of the panel would leave its row unused.
    const AnnualPaymentTable t = shippedAnnualPaymentTable();
    const auto& agreements = agreementNames();
    for (const AnnualPercentRow& row : shippedAnnualPercentRows()) {
        const std::string name = row.agreement == "TV-H" ? "TV-Hessen" : std::string(row.agreement);
        const auto entry = std::find(agreements.begin(), agreements.end(), name);
        ASSERT_NE(entry, agreements.end()) << row.agreement;
        const int agreement = static_cast<int>(entry - agreements.begin());
        bool filled = false;
        for (int group = 0; group < kAnnualPaymentGroups; ++group)
            filled = filled || t.percent(agreement, row.year, row.east, group) == row.hundredths;
        EXPECT_TRUE(filled) << row.agreement << " " << row.year << " " << row.groups;
    }
}

TEST(AnnualPaymentTable, KeptPerUserInItsFile) {
    test::TempDir dir;
    AnnualPaymentTable t = shippedAnnualPaymentTable();
    EXPECT_EQ(readAnnualPaymentTable(dir.path()), t); // no file: the shipped values
    t.setPercent(17, 2020, true, 3, 5555);
    writeAnnualPaymentTable(dir.path(), t);
    EXPECT_EQ(readAnnualPaymentTable(dir.path()).percent(17, 2020, true, 3), 5555);
    EXPECT_EQ(readAnnualPaymentTable(dir.path()), t);
}

TEST(SpecialPaymentCategory, ServiceRelationshipRegionAndGroup) {
    Case c = defaultCase();
    c.setKey(KeySlot::ServiceRelationship, 10);
    c.setKey(KeySlot::PayGroup, 8); // E9a
    SpecialPaymentCategory cat = classifySpecialPayment(c, 2020);
    EXPECT_EQ(cat.kind, SpecialPaymentCategory::Kind::Agreement);
    EXPECT_EQ(agreementNames()[static_cast<size_t>(cat.agreement)], "TVöD Bund");
    EXPECT_EQ(cat.group, groupOf("Entgeldgruppe 9"));
    EXPECT_TRUE(cat.averageBase);

    c.setKey(KeySlot::ServiceRelationship, 11);
    c.setKey(KeySlot::Region, 7); // Hessen
    EXPECT_EQ(agreementNames()[static_cast<size_t>(classifySpecialPayment(c, 2020).agreement)], "TV-Hessen");
    c.setKey(KeySlot::ServiceRelationship, 14);
    c.setKey(KeySlot::PayGroup, 5); // S8b
    EXPECT_EQ(classifySpecialPayment(c, 2020).group, groupOf("Entgeldgruppe S 8"));
    c.setKey(KeySlot::ServiceRelationship, 25);
    EXPECT_FALSE(classifySpecialPayment(c, 2020).averageBase); // September only
    c.setKey(KeySlot::ServiceRelationship, 0);
    EXPECT_EQ(classifySpecialPayment(c, 2020).kind, SpecialPaymentCategory::Kind::CivilServant);
    c.setKey(KeySlot::ServiceRelationship, 27);
    EXPECT_EQ(classifySpecialPayment(c, 2020).kind, SpecialPaymentCategory::Kind::None);
}

TEST(AnnualSpecialPayment, EmployedFromJulyHasSixMonthsAndHalfTheAmount) {
    TestSession s;
    LoadCaseMonth(s.g);
    Case& c = s.g.workingCase;
    c.setKey(KeySlot::ServiceRelationship, 10); // TVöD Bund, E1: 90 % in 2020
    c.setKey(KeySlot::PayGroup, 0);
    c.setKey(KeySlot::AnnualPayment, special::kComputed);
    c.setKey(KeySlot::PartialMonth, 0);
    // January to June: no paid day; July to November: 2.000,00 for the whole month.
    runMonths(
        s, 0, 5, [](int) { return 200000; }, [](int) { return 0; });
    runMonths(
        s, 6, 9, [](int) { return 200000; }, [](int) { return 30; });
    EXPECT_EQ(line19(s), 0); // October: nothing yet
    runMonths(
        s, 10, 10, [](int) { return 200000; }, [](int) { return 30; });
    // Base 2.000,00 x 90 % x 6 / 12 = 900,00 (July to December occupied).
    const SpecialPaymentComputation comp = computeSpecialPayment(s.g);
    EXPECT_EQ(comp.occupiedMonths, 6);
    EXPECT_EQ(comp.base, euros(200000));
    EXPECT_EQ(comp.percent, 9000);
    EXPECT_EQ(line19(s), 90000);
    // It is one-time pay of the month: the tax step takes it out of the current pay.
    EXPECT_EQ(s.g.tax.worksheet.amount(12), euros(90000));
}

// Federal employees (TVöD Bund, region "Bund") have the East percentage of § 20 TVöD when the tariff
// area East applies to them, which their insurance with the VBL East tells: E1 in 2019 with 2.000,00 a
// month all year, November: West 2.000,00 x 90 % = 1.800,00; insured with the VBL East (line 27
// position 4) 2.000,00 x 85,5 % = 1.710,00.
TEST(AnnualSpecialPayment, FederalEmployeesInTheVblEastHaveTheEastPercentage) {
    for (const auto& [fundPosition, percent, amount] :
         {std::tuple{0, 9000, 180000}, std::tuple{4, 8550, 171000}}) {
        TestSession s(2019);
        LoadCaseMonth(s.g);
        Case& c = s.g.workingCase;
        c.setKey(KeySlot::ServiceRelationship, 10); // TVöD Bund
        c.setKey(KeySlot::Region, 0);               // Bund
        c.setKey(KeySlot::PayGroup, 0);             // E1
        c.setKey(KeySlot::SupplementaryFund, static_cast<int16_t>(fundPosition));
        c.setKey(KeySlot::AnnualPayment, special::kComputed);
        c.setKey(KeySlot::PartialMonth, 0);
        runMonths(
            s, 0, 10, [](int) { return 200000; }, [](int) { return 30; });
        EXPECT_EQ(computeSpecialPayment(s.g).percent, percent) << fundPosition;
        EXPECT_EQ(line19(s), amount) << fundPosition;
    }
}

TEST(AnnualSpecialPayment, AverageOfJulyToSeptemberWithPartialMonthsFilledUp) {
    TestSession s;
    LoadCaseMonth(s.g);
    Case& c = s.g.workingCase;
    c.setKey(KeySlot::ServiceRelationship, 12); // TVöD VKA, E5: 79,51 % West in 2020
    c.setKey(KeySlot::PayGroup, 4);
    c.setKey(KeySlot::AnnualPayment, special::kComputed);
    // July 1.000,00; August 2.000,00 with 15 of 30 days paid (1.000,00 paid, counted as 2.000,00);
    // September 3.000,00.
    auto pay = [](int m) { return m == 6 ? 100000 : m == 7 ? 200000 : 300000; };
    auto days = [](int m) { return m == 7 ? 15 : 30; };
    runMonths(s, 0, 10, pay, days);
    const SpecialPaymentComputation comp = computeSpecialPayment(s.g);
    EXPECT_EQ(comp.months[7].actual, euros(100000));
    EXPECT_EQ(comp.months[7].filled, euros(200000));
    // (1.000 + 2.000 + 3.000) / 3 = 2.000,00; x 79,51 % x 12/12 = 1.590,20.
    EXPECT_EQ(comp.base, euros(200000));
    EXPECT_EQ(line19(s), 159020);
}

TEST(AnnualSpecialPayment, OnlySeptemberCountsOutsideTheAgreementsTen_To_24) {
    TestSession s;
    LoadCaseMonth(s.g);
    Case& c = s.g.workingCase; // service relationship 25 (own agreement): the user's percentage
    c.setKey(KeySlot::AnnualPayment, special::kComputed);
    EnsureAnnualPaymentTable(s.g);
    const SpecialPaymentCategory cat = classifySpecialPayment(c, 2020);
    s.g.extras.annualPercentages.setPercent(cat.agreement, 2020, false, cat.group, 5000);
    // 2.000,00 to September, 2.500,00 from October: the rise does not change the base.
    runMonths(
        s, 0, 10, [](int m) { return m <= 8 ? 200000 : 250000; }, [](int) { return 30; });
    EXPECT_EQ(computeSpecialPayment(s.g).base, euros(200000));
    EXPECT_EQ(line19(s), 100000); // 2.000,00 x 50 % x 12/12
}

TEST(AnnualSpecialPayment, TypedAmountAndUnusedLine) {
    TestSession s;
    LoadCaseMonth(s.g);
    Case& c = s.g.workingCase;
    c.enterAmount(AmountSlot::AnnualPayment, 12345);
    ASSERT_TRUE(RunCalculation(s.g)); // default option 7 "nicht belegt"
    EXPECT_EQ(line19(s), 0);
    c.setKey(KeySlot::AnnualPayment, special::kTyped);
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(line19(s), 12345);
}

TEST(CivilServantSpecialPayment, FixedAmountWithChildSupplementsInDecember) {
    TestSession s;
    LoadCaseMonth(s.g);
    Case& c = s.g.workingCase;
    c.setKey(KeySlot::ServiceRelationship, 0);
    c.setKey(KeySlot::PayGroup, 4);        // A5
    c.setKey(KeySlot::Region, 15);         // Schleswig-Holstein 2020: A2-A10 660,00, 400,00 per child
    c.setKey(KeySlot::FamilyAllowance, 3); // line 10: married with two children
    c.setKey(KeySlot::AnnualPayment, special::kComputed);
    runMonths(
        s, 0, 10, [](int) { return 300000; }, [](int) { return 30; });
    EXPECT_EQ(line19(s), 0); // November
    runMonths(
        s, 11, 11, [](int) { return 300000; }, [](int) { return 30; });
    // 660,00 x 12/12 + 2 x 400,00 = 1.460,00.
    EXPECT_EQ(line19(s), 146000);
    const SpecialPaymentView v = specialPaymentView(s.g);
    EXPECT_EQ(v.title, "Jährliche Sonderzuwendung für Neuer Personalfall");
    EXPECT_NE(std::find(v.summary.begin(), v.summary.end(),
                        std::make_pair(std::string("davon 2 Kinderzuschl."), std::string(" + 800,00"))),
              v.summary.end());
    EXPECT_EQ(v.summary.back(), std::make_pair(std::string("S U M M E "), std::string("1.460,00")));
    EXPECT_EQ(v.footnotes[2], "2) Nur der September wird genommen.");

    // A Land that built the payment into its pay tables pays nothing separately.
    c.setKey(KeySlot::Region, 0);
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(line19(s), 0);
    // Hamburg built the rest of its payment into the monthly pay but still pays 300,00 per child counted
    // for the family allowance in December (HmbSZG): 2 × 300,00 = 600,00.
    c.setKey(KeySlot::Region, 6);
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(line19(s), 60000);
}

// Every rule the panel of the Länder shows is named in German.
TEST(CivilServantSpecialPayment, RulesAreNamedInGerman) {
    for (const CivilServantPaymentRow& row : shippedCivilServantPayments()) {
        if (civilRuleField(row) == CivilRuleField::None) continue;
        const std::string label = civilRuleLabel(row);
        for (const char* english : {" and", "up to", "higher", "child", "per ", "judges", "all"})
            EXPECT_EQ(label.find(english), std::string::npos) << label;
    }
}

TEST(CivilServantSpecialPayment, BandsOfTheShippedTable) {
    Case c = defaultCase();
    c.setKey(KeySlot::ServiceRelationship, 0);
    c.setKey(KeySlot::PayGroup, 7); // A8
    EXPECT_TRUE(bandCoversCase("up to A8, Anwärter, Dienstanfänger", c));
    EXPECT_FALSE(bandCoversCase("A12 and higher", c));
    EXPECT_TRUE(bandCoversCase("A3-A11, Anwärter, Unterhaltsbeihilfe", c));
    c.setKey(KeySlot::ServiceRelationship, 4); // R
    EXPECT_TRUE(bandCoversCase("A10 and higher, judges", c));
    c.setKey(KeySlot::ServiceRelationship, 5); // Anwärter
    EXPECT_TRUE(bandCoversCase("Anwärter", c));
    EXPECT_FALSE(bandCoversCase("A4-A9", c));
}

TEST(HolidayPay, JulyRulesInTheirOrder) {
    test::ScriptedPrompter p;
    Session g(p); // no case files: the January rule does not apply
    g.year = 2020;
    Case& c = g.workingCase;
    c = defaultCase();
    c.setKey(KeySlot::Month, holiday::kJulyIndex);
    c.setKey(KeySlot::HolidayPay, holiday::kComputed);
    auto holidayPay = [&](int sr, int group, int region) {
        c.setKey(KeySlot::ServiceRelationship, static_cast<int16_t>(sr));
        c.setKey(KeySlot::PayGroup, static_cast<int16_t>(group));
        c.setKey(KeySlot::Region, static_cast<int16_t>(region));
        ComputeHolidayPay(g);
        return c.amount(AmountSlot::HolidayPay);
    };
    EXPECT_EQ(holidayPay(10, 0, 0), 25565);
    EXPECT_EQ(holidayPay(0, 8, 0), 33234); // civil servant below group 9
    EXPECT_EQ(holidayPay(0, 9, 0), 25565);
    EXPECT_EQ(holidayPay(22, 0, 0), 0);
    EXPECT_EQ(holidayPay(8, 0, 0), 0);
    EXPECT_EQ(holidayPay(8, 0, 3), 25565); // region 3 comes after the rule of 8 and 9
    EXPECT_EQ(holidayPay(22, 0, 3), 0);    // 22 again after region 3
    g.extras.holidayPaySwitch = true;
    EXPECT_EQ(holidayPay(9, 0, 0), 0);
    EXPECT_EQ(holidayPay(0, 3, 0), 25565); // the switch overrides 332,34

    c.enterAmount(AmountSlot::HolidayPay, 12345);
    c.setKey(KeySlot::HolidayPay, holiday::kTyped);
    EXPECT_EQ(holidayPay(10, 0, 0), 12345);
    c.setKey(KeySlot::HolidayPay, holiday::kHigherGroups);
    EXPECT_EQ(holidayPay(23, 0, 0), 33081); // published for 2020
    g.year = 2021;
    EXPECT_EQ(holidayPay(23, 0, 0), 12345); // none published: the typed amount
    c.setKey(KeySlot::HolidayPay, 5);       // "nicht belegt"
    EXPECT_EQ(holidayPay(10, 0, 0), 0);
}

TEST(HolidayPay, OtherMonthsAndTheClosingRules) {
    test::ScriptedPrompter p;
    Session g(p);
    Case& c = g.workingCase;
    c = defaultCase();
    c.setKey(KeySlot::Month, 7); // August
    c.enterAmount(AmountSlot::HolidayPay, 5000);
    c.setKey(KeySlot::HolidayPay, holiday::kComputed);
    c.setKey(KeySlot::ServiceRelationship, 10);
    ComputeHolidayPay(g);
    EXPECT_EQ(c.amount(AmountSlot::HolidayPay), 0);
    c.setKey(KeySlot::HolidayPay, holiday::kTyped);
    ComputeHolidayPay(g);
    EXPECT_EQ(c.amount(AmountSlot::HolidayPay), 5000);
    c.setKey(KeySlot::ServiceRelationship, 22);
    c.setKey(KeySlot::HolidayPay, holiday::kHigherGroups);
    ComputeHolidayPay(g);
    EXPECT_EQ(c.amount(AmountSlot::HolidayPay), 0); // 22 only keeps option 1
    c.setKey(KeySlot::ServiceRelationship, 26);
    c.setKey(KeySlot::HolidayPay, holiday::kComputed);
    ComputeHolidayPay(g);
    EXPECT_EQ(c.amount(AmountSlot::HolidayPay), 5000); // 26 always keeps the typed amount
    c.setKey(KeySlot::PartTime, 3);                    // "% Ruhegehalt von %"
    ComputeHolidayPay(g);
    EXPECT_EQ(c.amount(AmountSlot::HolidayPay), 0);
    EXPECT_EQ(c.previousAmount(AmountSlot::HolidayPay), 0);
}

TEST(HolidayPay, NoneWhenJanuaryHadNoNetPay) {
    TestSession s;
    LoadCaseMonth(s.g);
    Case& c = s.g.workingCase;
    c.setKey(KeySlot::HolidayPay, holiday::kComputed);
    c.setKey(KeySlot::ServiceRelationship, 10);
    c.setKey(KeySlot::Month, holiday::kJulyIndex);
    ASSERT_TRUE(RunCalculation(s.g)); // January record: never computed, net 0
    EXPECT_EQ(c.amount(AmountSlot::HolidayPay), 0);
    c.setKey(KeySlot::Month, 0);
    c.enterAmount(AmountSlot::Allowance1, 100000);
    ASSERT_TRUE(RunCalculation(s.g)); // January with pay
    c.setKey(KeySlot::Month, holiday::kJulyIndex);
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(c.amount(AmountSlot::HolidayPay), 25565);
}

TEST(OneTimePayments, FortyEurosInAprilAndTheAgreedPayment) {
    const auto options = oneTimePaymentOptions();
    ASSERT_EQ(options.size(), 10u);
    EXPECT_EQ(options[onetime::kFortyInApril], "40 Euro Einmalzahlung im April");
    EXPECT_EQ(options[onetime::kAgreed], "Tarifliche Einmalzahlung");
    EXPECT_EQ(options[onetime::kOneTime2011], "nicht belegt");

    TestSession s;
    LoadCaseMonth(s.g);
    Case& c = s.g.workingCase;
    c.setKey(KeySlot::OneTimePayment, onetime::kFortyInApril);
    c.setKey(KeySlot::Month, 3);
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(c.amount(AmountSlot::OneTimePayment), 4000);
    EXPECT_EQ(c.grossLine(20).reducedAmount, euros(4000));
    EXPECT_EQ(s.g.tax.worksheet.amount(12), euros(4000)); // one-time pay for the wage tax
    c.setKey(KeySlot::Month, 4);
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(c.amount(AmountSlot::OneTimePayment), 0);

    // TVöD VKA, E5, December 2020: 600,00, half of it at half-time.
    c.setKey(KeySlot::ServiceRelationship, 12);
    c.setKey(KeySlot::PayGroup, 4);
    c.setKey(KeySlot::OneTimePayment, onetime::kAgreed);
    c.setKey(KeySlot::Month, 11);
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(c.amount(AmountSlot::OneTimePayment), 60000);
    c.enterAmount(AmountSlot::AgreedHours, 1925000);
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(c.amount(AmountSlot::OneTimePayment), 30000);
    c.setKey(KeySlot::Month, 10);
    ASSERT_TRUE(RunCalculation(s.g));
    EXPECT_EQ(c.amount(AmountSlot::OneTimePayment), 0);

    // The 2018 payment names no month: paid where the case holds it; E7 is outside E1-E6.
    Case e = defaultCase();
    e.setKey(KeySlot::ServiceRelationship, 10);
    e.setKey(KeySlot::PayGroup, 5);
    EXPECT_EQ(agreedOneTimePayment(e, 2018, 9), 25000);
    e.setKey(KeySlot::PayGroup, 6);
    EXPECT_EQ(agreedOneTimePayment(e, 2018, 9), 0);
}

TEST(PaymentLineOptions, ListsOfLines18And19) {
    EXPECT_EQ(holidayPayOptions()[2], "Urlaubsgeld Vergütungsgruppe 1-6");
    Case c = defaultCase();
    EXPECT_EQ(annualPaymentOptions(c)[0], "Jahressonderzahlung");
    EXPECT_EQ(annualPaymentOptions(c)[special::kUnused], "nicht belegt");
    c.setKey(KeySlot::ServiceRelationship, 2);
    EXPECT_EQ(annualPaymentOptions(c)[0], "Jährliche Sonderzahlung");
    EXPECT_EQ(annualPaymentOptions(c)[4], "Landesanteil Besoldung (1 Kind)");
    EXPECT_EQ(annualPaymentChangeReminder()[2], "\"Daten/Alle Fälle neu durchrechnen\"");
}

TEST(OneTimePayments, ReminderOfAnAgreedPaymentNotYetOnLine20) {
    Case c = defaultCase();
    c.setKey(KeySlot::ServiceRelationship, 12);
    c.setKey(KeySlot::PayGroup, 9); // E9b: 400,00 in December 2020
    EXPECT_EQ(oneTimePaymentReminder(c, 2020), std::optional<std::string>(" 400 €"));
    EXPECT_EQ(oneTimePaymentReminder(c, 2019), std::nullopt);
    c.setKey(KeySlot::OneTimePayment, onetime::kAgreed);
    EXPECT_EQ(oneTimePaymentReminder(c, 2020), std::nullopt);
}
