#include "presentation/navigation.h"
#include "presentation/sheet_view.h"
#include "session/case_load.h"
#include "session/line_input.h"
#include "session/recalculate.h"
#include "session/sheet_edits.h"
#include "support/session.h"

#include <gtest/gtest.h>

using namespace varemo;
using varemo::test::TestSession;

TEST(AmountFields, GreyForTypedAmountsWhiteForComputedOnes) {
    TestSession s;
    LoadCaseMonth(s.g);
    Redisplay(s.g);
    auto state = [&](int line) { return amountFieldState(s.g, line); };
    EXPECT_EQ(state(1), AmountFieldState::None);
    EXPECT_EQ(state(6), AmountFieldState::None);
    EXPECT_EQ(state(13), AmountFieldState::Typed); // "Zulage lt. Eingabe"
    EXPECT_EQ(state(16), AmountFieldState::Typed); // input line
    EXPECT_EQ(state(44), AmountFieldState::Typed);
    EXPECT_EQ(state(10), AmountFieldState::Computed); // "Familienzuschlag"
    EXPECT_EQ(state(19), AmountFieldState::Computed); // "Jahressonderzahlung"
    EXPECT_EQ(state(11), AmountFieldState::Typed);    // VWL position 7 keeps the typed amount
    EXPECT_EQ(state(23), AmountFieldState::Computed); // gross
    EXPECT_EQ(state(34), AmountFieldState::Computed);
    EXPECT_EQ(state(47), AmountFieldState::Computed);
    ASSERT_TRUE(ChooseOption(s.g, 11, 3));
    EXPECT_EQ(state(11), AmountFieldState::Computed);
    ASSERT_TRUE(ChooseOption(s.g, 43, 1)); // "ATZ-Aufstock. Arbeitsphase" is computed
    EXPECT_EQ(state(43), AmountFieldState::Computed);
    ASSERT_TRUE(ChooseOption(s.g, 43, 3)); // "ATZ-Aufstockung lt. Eingabe"
    EXPECT_EQ(state(43), AmountFieldState::Typed);
    ASSERT_TRUE(SelectMonth(s.g, kYearSalaryMonth));
    EXPECT_EQ(state(13), AmountFieldState::Computed);
}

// The own entry of lines 13 to 15 stays typed when the user renames it, and so do the protected amounts
// (positions 1 and 2) and the typed kinds of line 12, whose amounts the calculation takes from the field.
TEST(AmountFields, AllowanceLinesFollowTheOptionNotItsText) {
    TestSession s;
    LoadCaseMonth(s.g);
    ASSERT_TRUE(RenameFirstEntry(s.g, 13, "Funktionszulage"));
    ASSERT_EQ(s.g.sheet.line(13).text, "Funktionszulage");
    EXPECT_EQ(amountFieldState(s.g, 13), AmountFieldState::Typed);
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::Allowance1, "150"));
    EXPECT_EQ(s.g.sheet.line(13).amountCents, 15000);
    for (int position : {1, 2}) {
        ASSERT_TRUE(ChooseOption(s.g, 14, position));
        EXPECT_EQ(amountFieldState(s.g, 14), AmountFieldState::Typed) << position;
    }
    ASSERT_TRUE(ChooseOption(s.g, 14, 3)); // an allowance of the pay table
    EXPECT_EQ(amountFieldState(s.g, 14), AmountFieldState::Computed);
    // Line 12 of an employee: "Leistungszulage Besitzstand dyn." pays the typed amount, a percentage
    // of line 8 does not.
    ASSERT_TRUE(ChooseOption(s.g, 12, 1));
    EXPECT_EQ(amountFieldState(s.g, 12), AmountFieldState::Typed);
    ASSERT_TRUE(ChooseOption(s.g, 12, 6));
    EXPECT_EQ(amountFieldState(s.g, 12), AmountFieldState::Computed);
}

TEST(Visibility, ServiceRelationshipDecidesLinesAndColumns) {
    Case employee = defaultCase();
    employee.setKey(KeySlot::ServiceRelationship, 10);
    Case civil = defaultCase();
    civil.setKey(KeySlot::ServiceRelationship, 0);
    Case noPay = defaultCase();
    noPay.setKey(KeySlot::ServiceRelationship, kServiceRelationshipNoPay);
    for (int line = 1; line <= kSheetLines; ++line)
        EXPECT_TRUE(lineShown(employee, line)) << line;
    for (int line : {39, 40, 41, 42})
        EXPECT_FALSE(lineShown(civil, line)) << line;
    for (int line : {27, 34, 37, 38, 43, 47})
        EXPECT_TRUE(lineShown(civil, line)) << line;
    for (int line : {7, 8, 20, 24, 34, 46})
        EXPECT_FALSE(lineShown(noPay, line)) << line;
    for (int line : {1, 4, 21, 23, 28, 47})
        EXPECT_TRUE(lineShown(noPay, line)) << line;
    for (FlagColumn col : kAllFlagColumns) {
        EXPECT_TRUE(flagColumnShown(employee, col));
        EXPECT_FALSE(flagColumnShown(noPay, col));
    }
    EXPECT_FALSE(flagColumnShown(civil, FlagColumn::SocialInsurance));
    EXPECT_FALSE(flagColumnShown(civil, FlagColumn::SupplementaryPension));
    EXPECT_TRUE(flagColumnShown(civil, FlagColumn::WageTax));
}

TEST(Captions, SharesOfTheGrossPayWithNoBarForZeroGross) {
    TestSession s;
    LoadCaseMonth(s.g);
    SheetCaptions none = sheetCaptions(s.g);
    EXPECT_EQ(none.taxShare, "Steuer 0%");
    EXPECT_EQ(none.socialShare, "Soz.V. 0%");
    EXPECT_EQ(none.netShare, "Netto   0%");
    EXPECT_EQ(none.netPercent, 0);

    Case& c = s.g.workingCase;
    c.setAmount(AmountSlot::Gross, 400000);              // 4.000,00
    c.setAmount(AmountSlot::WageTax, -50000);            // wage tax 500,00
    c.setAmount(AmountSlot::SolidaritySurcharge, -2750); // solidarity surcharge 27,50
    c.setAmount(AmountSlot::ChurchTax, -4500);           // church tax 45,00: taxes 572,50 = 14,3125 % → 14
    c.setAmount(AmountSlot::HealthInsurance, -30000);    // health 300
    c.setAmount(AmountSlot::CareInsurance, -6000);       // care 60
    c.setAmount(AmountSlot::PensionInsurance, -37200);   // pension 372
    // unemployment 48: 780,00 = 19,5 % → 20 (half to even)
    c.setAmount(AmountSlot::UnemploymentInsurance, -4800);
    c.setAmount(AmountSlot::NetPay, 262750); // 65,6875 % → 66
    SheetCaptions k = sheetCaptions(s.g);
    EXPECT_EQ(k.taxShare, "Steuer 14%");
    EXPECT_EQ(k.socialShare, "Soz.V. 20%");
    EXPECT_EQ(k.netShare, "Netto   66%");
    EXPECT_EQ(k.netPercent, 66);
    EXPECT_EQ(sharePercent(250, 1000), 25);
    EXPECT_EQ(sharePercent(5, 1000), 0);  // 0,5 → 0
    EXPECT_EQ(sharePercent(15, 1000), 2); // 1,5 → 2
    EXPECT_EQ(sharePercent(5, 0), 0);
    c.setAmount(AmountSlot::NetPay, 800000); // net above gross: the caption tells, the bar stops at 100
    EXPECT_EQ(sheetCaptions(s.g).netShare, "Netto   200%");
    EXPECT_EQ(sheetCaptions(s.g).netPercent, 100);
}

TEST(Captions, LawLinkPayStructureTariffAreaAndStepMovement) {
    TestSession s;
    LoadCaseMonth(s.g);
    Case& c = s.g.workingCase;
    c.setKey(KeySlot::ServiceRelationship, 0);
    c.setKey(KeySlot::Region, 0);
    EXPECT_EQ(sheetCaptions(s.g).lawLink, "B B G");
    EXPECT_EQ(sheetCaptions(s.g).tariffArea, "Bundesbeamte");
    EXPECT_EQ(sheetCaptions(s.g).healthCaption, "");
    c.setKey(KeySlot::Region, 2);
    EXPECT_EQ(sheetCaptions(s.g).lawLink, "L B G");
    c.setKey(KeySlot::ServiceRelationship, 11);
    EXPECT_EQ(sheetCaptions(s.g).lawLink, "");
    EXPECT_EQ(sheetCaptions(s.g).tariffArea, "TV-Länder");
    EXPECT_EQ(sheetCaptions(s.g).payStructure, "EGO TV-L");
    c.setKey(KeySlot::Region, 7);
    EXPECT_EQ(sheetCaptions(s.g).tariffArea, "TV-Hessen");
    c.setKey(KeySlot::ServiceRelationship, 9);
    EXPECT_EQ(sheetCaptions(s.g).tariffArea, "TV-H Soz. u. Erziehungsdienst");
    c.setKey(KeySlot::ServiceRelationship, 12);
    EXPECT_EQ(sheetCaptions(s.g).payStructure, "EGO TVöD-VKA");
    c.setKey(KeySlot::Title, 4); // a teacher: the row's teacher amount (entry 23) lowers the table pay
    s.g.pay.row[23] = 6404;
    EXPECT_EQ(sheetCaptions(s.g).payStructure, "Lehrer (Tab.-Entgelt - 64,04 €)");
    s.g.pay.row[23] = -10500;
    EXPECT_EQ(sheetCaptions(s.g).payStructure, "Lehrer (Tab.-Entgelt + 105,00 €)");
    c.setKey(KeySlot::ServiceRelationship, 10); // TVöD Bund keeps no teacher's amount
    EXPECT_EQ(sheetCaptions(s.g).payStructure, "EGO TVöD-Bund");
    c.setKey(KeySlot::Title, 0);
    c.setKey(KeySlot::ServiceRelationship, 15);
    EXPECT_EQ(sheetCaptions(s.g).stepMovement, "");
    c.setAmount(AmountSlot::StepMovement, 12);
    EXPECT_EQ(sheetCaptions(s.g).stepMovement, "12 Mon.(Stufenverlängerung)");
    c.setAmount(AmountSlot::StepMovement, -6);
    EXPECT_EQ(sheetCaptions(s.g).stepMovement, "6 Mon.(Stufenverkürzung)");
    c.setAmount(AmountSlot::StepMovement, 0);
    c.setKey(KeySlot::ServiceRelationship, 22);
    c.setKey(KeySlot::LineSeven, 17); // two years later
    EXPECT_EQ(sheetCaptions(s.g).stepMovement, "24 Mon.(Stufenverlängerung)");
    c.setKey(KeySlot::LineSeven, 3); // three months earlier
    EXPECT_EQ(sheetCaptions(s.g).stepMovement, "3 Mon.(Stufenverkürzung)");
    c.setKey(KeySlot::ServiceRelationship, 0); // the married-allowance rule is no movement
    EXPECT_EQ(sheetCaptions(s.g).stepMovement, "");
    c.setKey(KeySlot::ServiceRelationship, 22);

    // the fund's additional contribution, hundredths of a percent, shown with three decimals
    s.g.funds.rates(0, 0).additional = 110;
    c.setKey(KeySlot::HealthFund, 0);
    EXPECT_EQ(sheetCaptions(s.g).healthCaption, "Zusatzbeitrag KV=1,100%, PV= 0,25%");
}

TEST(OptionGrid, CaseListEndsWithTheNewCaseEntryAndUnloadedListsShowPositions) {
    TestSession s;
    LoadCaseMonth(s.g);
    Redisplay(s.g);
    auto cases = optionGridEntries(s.g, 1);
    ASSERT_EQ(cases.size(), 2u);
    EXPECT_EQ(cases[0], "Neuer Personalfall");
    EXPECT_EQ(cases[1], kNewCaseEntry);
    EXPECT_EQ(optionGridEntries(s.g, 47),
              (std::vector<std::string>{"A U S Z A H L U N G", "N E T T O G E H A L T "}));
    EXPECT_TRUE(optionGridEntries(s.g, 21).empty());
    auto regions = optionGridEntries(s.g, 2);
    EXPECT_EQ(regions.size(), 18u); // positions 0 to 17
    if (s.g.sheet.line(2).options.empty()) {
        EXPECT_EQ(regions[0], s.g.sheet.line(2).text);
        EXPECT_EQ(regions[17], "Position 18");
    }
    // without option texts the groups are numbered
    EXPECT_EQ(payGroupEntries(s.g).size(), 27u);
    EXPECT_EQ(payGroupText(s.g), "Gruppe 2");
}

TEST(Captions, CareInsuranceAndTaxBlock) {
    TestSession s;
    LoadCaseMonth(s.g);
    s.g.year = 2020;
    Case& c = s.g.workingCase;
    c.setKey(KeySlot::ServiceRelationship, 12); // TVöD VKA: contributions, statutory pension insurance
    c.setKey(KeySlot::CareKind, 0);
    c.setKey(KeySlot::Childless, 0);
    // 2020: care rate 3,05 %, each side half; § 55 (3) SGB XI: the childless pay 0,25 % alone
    EXPECT_EQ(sheetCaptions(s.g).careCaption, "PV 3,05 % / 2");
    c.setKey(KeySlot::Childless, 1);
    EXPECT_EQ(sheetCaptions(s.g).careCaption, "PV 3,05 % / 2 + 0,25 %");
    // Saxony: the employee's share is 1,525 + 0,5 = 2,025 % of the 3,05 %
    c.setKey(KeySlot::CareKind, 2);
    EXPECT_EQ(sheetCaptions(s.g).careCaption, "PV Sachsen 2,025 % von 3,05 + 0,25 %");
    c.setKey(KeySlot::CareKind, 4); // no care insurance: the list text says it
    EXPECT_EQ(sheetCaptions(s.g).careCaption, "");

    // basic allowance 2020: 9.408 €; the general table with statutory pension insurance
    EXPECT_EQ(sheetCaptions(s.g).taxBlock, "Steuern m.GFB 9408 €");
    EXPECT_EQ(sheetCaptions(s.g).taxTable, "Tabelle A");
    c.setKey(KeySlot::ServiceRelationship, 0); // civil servant: special table, no contributions
    EXPECT_EQ(sheetCaptions(s.g).taxTable, "Tabelle B");
    EXPECT_EQ(sheetCaptions(s.g).careCaption, "");
    s.g.year = 2017;
    EXPECT_EQ(sheetCaptions(s.g).taxBlock, "Steuern m.GFB 8820 €");
}
