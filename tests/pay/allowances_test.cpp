// Lines 9, 10, 12 and 13 to 15 as the tariff lookup fills them.

#include "pay/allowances.h"
#include "pay/steps.h"
#include "support/shipped_tables.h"
#include "tariffs/tariff_address.h"

#include <gtest/gtest.h>

using namespace varemo;
using varemo::test::OwnTablesSession;
using varemo::test::ShippedSession;

namespace {

constexpr int kA4 = 3, kA9 = 8;

// A case on a row written by the test: region 9, Besoldungsordnung A9 (record 9 x 440 + 1 + 8).
struct RowCase : OwnTablesSession {
    explicit RowCase(const TariffRow& row, int relationship = 0, int group = kA9) {
        auto record = int64_t{9} * 440 + 1 + group;
        if (relationship != 0) record = int64_t{9} * 440 + *tariffBaseRecord(relationship) + group;
        write(1, record, row);
        c().setKey(KeySlot::Region, 9);
        c().setKey(KeySlot::ServiceRelationship, static_cast<int16_t>(relationship));
        c().setKey(KeySlot::PayGroup, static_cast<int16_t>(group));
        c().setKey(KeySlot::Step, 0);
    }
    int32_t line(int n) {
        TariffLookup(g);
        return c().amount(lineInfo(n).amount.value());
    }
};

} // namespace

TEST(FamilyAllowance, BundAmountsOfTheMarriedPartAndTheChildren) {
    ShippedSession s(2020, 3);
    s.setCase(0, 0, kA9, 0);
    s.c().setKey(KeySlot::FamilyAllowance, 2); // married, one child
    TariffLookup(s.g);
    // bund_familienzuschlag.csv "2020-03,STUFE2,0,277.02" = VERHEIRATET 149.36 + KIND 1 127.66
    EXPECT_EQ(s.c().amount(AmountSlot::FamilyAllowance), 27702);

    s.c().setKey(KeySlot::FamilyAllowance, 1); // married without children: "2020-03,VERHEIRATET,0,149.36"
    TariffLookup(s.g);
    EXPECT_EQ(s.c().amount(AmountSlot::FamilyAllowance), 14936);

    // spouse in the public service too: half of the married part (even amount)
    s.c().setKey(KeySlot::LineSeven, 1);
    s.c().setKey(KeySlot::FamilyAllowance, 2);
    TariffLookup(s.g);
    EXPECT_EQ(s.c().amount(AmountSlot::FamilyAllowance), 7468 + 12766);

    // A4 gets the increases "2020-03,ERHOEHUNG_A4,1,5.37" and "2020-03,ERHOEHUNG_A4,2,21.47".
    s.setCase(0, 0, kA4, 0);
    s.c().setKey(KeySlot::LineSeven, 0);
    s.c().setKey(KeySlot::FamilyAllowance, 3);
    TariffLookup(s.g);
    EXPECT_EQ(s.c().amount(AmountSlot::FamilyAllowance), 14936 + 12766 + 537 + 12766 + 2147);

    // Not married, three children (option 10): "2020-03,KIND,3,397.74" for the third, A9.
    s.setCase(0, 0, kA9, 0);
    s.c().setKey(KeySlot::FamilyAllowance, 10);
    TariffLookup(s.g);
    EXPECT_EQ(s.c().amount(AmountSlot::FamilyAllowance), 12766 + 12766 + 39774);
}

TEST(FamilyAllowance, OddMarriedPartIsRaisedByOneCentBeforeHalving) {
    EXPECT_EQ(marriedPart(13335, 1), 6668);
    EXPECT_EQ(marriedPart(13335, 3), 6668);
    EXPECT_EQ(marriedPart(13334, 2), 6667);
    EXPECT_EQ(marriedPart(13335, 0), 13335);

    TariffRow row{};
    row[15] = 10000; // a base amount
    row[16] = 13335;
    row[17] = 11000;
    row[18] = 22000;
    row[20] = 44000;
    RowCase c(row);
    c.c().setKey(KeySlot::LineSeven, 1);
    c.c().setKey(KeySlot::FamilyAllowance, 3); // married, two children
    EXPECT_EQ(c.line(10), 10000 + 6668 + 22000);
    c.c().setKey(KeySlot::FamilyAllowance, 9); // two children, not married
    EXPECT_EQ(c.line(10), 22000 + 10000);
    c.c().setKey(KeySlot::FamilyAllowance, 15);
    EXPECT_EQ(c.line(10), 44000);
    c.c().setKey(KeySlot::FamilyAllowance, 16);
    c.c().enterAmount(AmountSlot::FamilyAllowance, 1234);
    EXPECT_EQ(c.line(10), 1234);
    c.c().setKey(KeySlot::Region, 6); // Hamburg: no base amount (write into Hamburg's block as well)
    c.write(1, 6 * 440 + 1 + kA9, row);
    c.c().setKey(KeySlot::FamilyAllowance, 0);
    EXPECT_EQ(c.line(10), 0);
}

TEST(FamilyAllowance, EmployeesOfTheTvLCareAndSocialTablesTypeOrClearIt) {
    TariffRow row{};
    RowCase c(row, 8, 3);
    c.c().setKey(KeySlot::FamilyAllowance, 0);
    c.c().enterAmount(AmountSlot::FamilyAllowance, 9000);
    c.g.tariffFactor = 0.5f;
    EXPECT_EQ(c.line(10), 9000); // typed and exempt from the tariff factor
    c.c().setKey(KeySlot::FamilyAllowance, 1);
    EXPECT_EQ(c.line(10), 0);
    EXPECT_EQ(c.c().previousAmount(AmountSlot::FamilyAllowance), 0);
}

TEST(LineNine, OptionsByRegion) {
    TariffRow row{};
    row[0] = 300000;
    row[14] = 5000;
    row[25] = 7000;
    RowCase c(row);
    c.c().setKey(KeySlot::StructuralAllowance, 0);
    EXPECT_EQ(c.line(9), 7000);
    c.c().setKey(KeySlot::StructuralAllowance, 1);
    EXPECT_EQ(c.line(9), 5000);
    c.c().setKey(KeySlot::Step, 14); // from step position 14 on, entry 14 is no allowance
    EXPECT_EQ(c.line(9), 0);
    c.c().setKey(KeySlot::Step, 0);
    c.c().setKey(KeySlot::StructuralAllowance, 2);
    c.c().enterAmount(AmountSlot::StructuralAllowance, 4321);
    EXPECT_EQ(c.line(9), 4321);
    c.c().setKey(KeySlot::StructuralAllowance, 3);
    EXPECT_EQ(c.line(9), 0);
    EXPECT_EQ(c.c().previousAmount(AmountSlot::StructuralAllowance), 0);

    // Berlin: options 1 and 2 keep the typed amount and the tariff factor leaves it alone.
    c.write(1, 3 * 440 + 1 + kA9, row);
    c.c().setKey(KeySlot::Region, 3);
    c.c().setKey(KeySlot::StructuralAllowance, 1);
    c.c().enterAmount(AmountSlot::StructuralAllowance, 10000);
    c.g.tariffFactor = 0.75f;
    EXPECT_EQ(c.line(9), 10000);
    EXPECT_EQ(c.c().amount(AmountSlot::BasicPay), 225000);
    c.c().setKey(KeySlot::StructuralAllowance, 3);
    EXPECT_EQ(c.line(9), 0);
}

TEST(LineTwelve, PercentagesAndReductions) {
    TariffRow row{};
    row[0] = 300000;
    row[1] = 320000;
    row[2] = 345000;
    row[25] = 10000;
    RowCase civil(row);
    civil.c().setKey(KeySlot::StructuralAllowance, 0);          // line 9 = 100,00
    civil.c().enterAmount(AmountSlot::PerformancePercent, 500); // 5 %
    civil.c().setKey(KeySlot::PerformancePay, 8);               // "% Grundgehalt als Leist.Bezug"
    EXPECT_EQ(civil.line(12), 15000);
    civil.c().setKey(KeySlot::PerformancePay, 12); // "8 % Absenkung der Zeile 8 und 9"
    EXPECT_EQ(civil.line(12), -24800);
    civil.c().setKey(KeySlot::PerformancePay, 11); // "4 % Absenkung Grundgehalt (Zeile 8)"
    EXPECT_EQ(civil.line(12), -12000);
    civil.c().setKey(KeySlot::PerformancePay, 1); // "Leistungsstufe 1": the next step's difference
    EXPECT_EQ(civil.line(12), 20000);
    civil.c().setKey(KeySlot::PerformancePay, 8);
    civil.g.pay.multipliers.civilServant = Multiplier{10200, 1};
    EXPECT_EQ(civil.line(12), 15300); // 5 % of 3 000,00 x 1,02
    EXPECT_EQ(civil.c().amount(AmountSlot::BasicPay), 306000);

    // Employees: 5 % of lines 8 and 9, 3 000,00 and 100,00, gives 155,00.
    RowCase employee(row, 10, 4);
    employee.c().setKey(KeySlot::StructuralAllowance, 0);
    employee.c().enterAmount(AmountSlot::PerformancePercent, 500);
    employee.c().setKey(KeySlot::PerformancePay, 7); // "% Leist.Zul. aus Grundentgelt(8+9)"
    EXPECT_EQ(employee.line(12), 15500);
    employee.c().setKey(KeySlot::PerformancePay, 4); // "% Leistungszulage aus Stufe 2" with the tariff factor
    employee.g.tariffFactor = 0.5f;
    EXPECT_EQ(employee.line(12), 8000);
    employee.g.tariffFactor = 1.0f;
    employee.g.pay.multipliers.tariffEmployee = Multiplier{10300, 1};
    EXPECT_EQ(employee.line(12), 16480); // 5 % of 3 200,00 x 1,03
    // "% Leistungszulage aus "W"-Zeilen": lines 8, 9 and 13 by default flags
    employee.c().setKey(KeySlot::PerformancePay, 5);
    employee.g.pay.multipliers.tariffEmployee = Multiplier{};
    employee.c().setKey(KeySlot::Allowance1, 0);
    employee.c().enterAmount(AmountSlot::Allowance1, 20000);
    EXPECT_EQ(employee.line(12), 16500); // 5 % of 3 000,00 + 100,00 + 200,00
    employee.c().grossLine(13).setFlag(LineFlag::AnnualPayment, false);
    EXPECT_EQ(employee.line(12), 15500);
}

TEST(Allowances, TypedNamedAndPercentageAllowances) {
    TariffRow row{};
    row[0] = 300000;
    row[25] = 20000;
    RowCase c(row);
    c.c().setKey(KeySlot::Allowance1, 0);
    c.c().enterAmount(AmountSlot::Allowance1, 5555);
    EXPECT_EQ(c.line(13), 5555);

    // Option 30: 19 % of the step's basic pay plus entry 25 (line 9 below option 2).
    c.c().setKey(KeySlot::Allowance2, 30);
    c.c().setKey(KeySlot::StructuralAllowance, 0);
    EXPECT_EQ(c.line(14), 60800);
    c.c().setKey(KeySlot::StructuralAllowance, 2);
    c.c().enterAmount(AmountSlot::StructuralAllowance, 10000);
    EXPECT_EQ(c.line(14), 58900);
    c.c().setKey(KeySlot::ServiceRelationship, 5); // candidates: nothing
    EXPECT_EQ(c.line(14), 0);
    c.c().setKey(KeySlot::ServiceRelationship, 0);

    // Option 90: 12,5 % of entry 7 of record 4 of the region's block.
    TariffRow a4{};
    a4[7] = 280001;
    c.write(1, 9 * 440 + 4, a4);
    c.c().setKey(KeySlot::Allowance3, 90);
    EXPECT_EQ(c.line(15), 35000); // 3 500,0125 rounded

    // A named allowance from the block record of its option (civil servants: record 110 + block).
    TariffRow block{};
    block[2] = 12345; // option 20: block 1 (options 18 to 35), entry 2
    c.write(1, 9 * 440 + kCivilAllowanceRecord + 1, block);
    c.c().setKey(KeySlot::Allowance1, 20);
    c.g.tariffFactor = 0.8f;
    EXPECT_EQ(c.line(13), 9876);
    c.g.tariffFactor = 1.0f;
    c.g.pay.multipliers.civilServant = Multiplier{10100, 1};
    EXPECT_EQ(c.line(13), 12468); // 123,45 x 1,01
}

TEST(AllowanceLists, TextsPerFamily) {
    OwnTablesSession s;
    s.c().setKey(KeySlot::ServiceRelationship, 0);
    auto nine = lineNineOptions(s.c());
    EXPECT_EQ(nine[0], "Allg.Stellenzul. (in Zeile 8 enth.)");
    EXPECT_EQ(nine[2], "Strukturzulage lt. Eingabe");
    auto twelve = lineTwelveOptions(s.c());
    EXPECT_EQ(twelve[10], "8 % Absenkung Grundgehalt (Zeile 8)");
    auto allowances = allowanceOptions(s.c(), OptionTextFile());
    ASSERT_EQ(allowances.size(), 108u);
    EXPECT_EQ(allowances[1], "Besitzstandszulage (dynamisch)");
    EXPECT_EQ(allowances[2], "Besitzstandszulage (fix)");
    auto ten = lineTenOptions(s.c(), OptionTextFile());
    EXPECT_EQ(ten[12], "Zuschlag für 5 Kinder  ( - / 5 )");
    s.c().setKey(KeySlot::ServiceRelationship, 11);
    EXPECT_EQ(lineTwelveOptions(s.c())[10], "Garantiebetrag § 17 Abs. 4 TV-L");
    EXPECT_EQ(lineTwelveOptions(s.c())[5], "% Leistungszulage aus \"W\"-Zeilen");
    EXPECT_EQ(lineTenOptions(s.c(), OptionTextFile())[0], "Besitzstandszuschl.f.Kinder lt.Eing.");
}
