// Key codes of the in-kind lines 25, 26 and the deduction and payment lines 44 to 46: reading and
// writing, each position's effect, the effect through the whole run, the window's logic and the
// general rules of "varemo20.vee".

#include "calc/calculation_run.h"
#include "pay/line_key_codes.h"
#include "persistence/month_record.h"
#include "persistence/user_files.h"
#include "presentation/special_rules_window.h"
#include "session/case_load.h"
#include "session/line_input.h"
#include "support/scripted_prompter.h"
#include "support/session.h"

#include <gtest/gtest.h>

using namespace varemo;
using varemo::test::TestSession;

namespace {

Money euros(int64_t cents) {
    return Money::fromCents(cents);
}

constexpr size_t kCode25 = 0, kCode44 = 2;

struct Effects {
    Session& g;
    const TaxInputs& tax() const { return g.tax.inputs; }
    const PensionInputs& pension() const { return g.pension.inputs; }
    const KeyCodeEffects& extras() const { return g.extras.keyCodes; }
};

// Line 44 holding a deduction of 50,00 with the code; the key-code step alone.
void evaluate44(Session& g, const std::string& code) {
    g.workingCase = defaultCase();
    g.workingCase.enterAmount(AmountSlot::Deduction1, -5000);
    g.workingCase.keyCodes[kCode44] = code;
    KeyCodeStep(g);
}

} // namespace

TEST(LineKeyCode, ReadingAndWritingThePositions) {
    EXPECT_EQ(keyCodeDigit("012345", 1), 0);
    EXPECT_EQ(keyCodeDigit("012345", 2), 1);
    EXPECT_EQ(keyCodeDigit("012345", 5), 4);
    EXPECT_EQ(keyCodeDigit("012345", 6), 5);
    EXPECT_EQ(keyCodeDigit("0123457", 6), 7); // position 6 is the last character
    EXPECT_EQ(keyCodeDigit("0 1x00", 2), 0);  // no digit reads as 0
    EXPECT_EQ(joinKeyCode({1, 0, 2, 3, 7, 1}), "102371");
    EXPECT_EQ(flatRateOf(2).percent, 20);
    EXPECT_TRUE(flatRateOf(2).byEmployer);
    EXPECT_EQ(flatRateOf(7).percent, 25);
    EXPECT_FALSE(flatRateOf(7).byEmployer);
    EXPECT_EQ(flatRateOf(4).percent, 0);
}

TEST(LineKeyCode, EveryPositionHasItsEffect) {
    test::ScriptedPrompter p;
    Session g(p);
    const Effects e{g};
    const Money fifty = euros(5000);

    evaluate44(g, "000000");
    EXPECT_EQ(e.tax(), TaxInputs{});
    EXPECT_EQ(e.pension(), PensionInputs{});
    EXPECT_EQ(e.extras(), KeyCodeEffects{});

    evaluate44(g, "010000"); // lowers taxable pay
    EXPECT_EQ(e.tax().taxFreeAmounts, fifty);
    EXPECT_EQ(e.tax().oneTimeFromKeyCodes, Money());
    evaluate44(g, "020000"); // raises it
    EXPECT_EQ(e.tax().paymentsTaxable, fifty);
    evaluate44(g, "120000"); // ... as one-time pay
    EXPECT_EQ(e.tax().paymentsTaxable, fifty);
    EXPECT_EQ(e.tax().oneTimeFromKeyCodes, fifty);

    evaluate44(g, "001000");
    EXPECT_EQ(e.extras().svRegularLower, fifty);
    evaluate44(g, "002000");
    EXPECT_EQ(e.extras().svRegularRaise, fifty);
    evaluate44(g, "102000");
    EXPECT_EQ(e.extras().svOneTimeRaise, fifty);
    EXPECT_EQ(e.extras().svRegularRaise, Money());
    evaluate44(g, "101000");
    EXPECT_EQ(e.extras().svOneTimeLower, fifty);

    evaluate44(g, "000100");
    EXPECT_EQ(e.pension().exemptAmounts, fifty);
    evaluate44(g, "000200");
    EXPECT_EQ(e.extras().pensionContributionLower, fifty);
    evaluate44(g, "000300");
    EXPECT_EQ(e.pension().paymentsLiable, fifty);
    evaluate44(g, "000400");
    EXPECT_EQ(e.extras().pensionContributionRaise, fifty);

    // Flat rates: through the taxable pay and out again as flat-taxed.
    evaluate44(g, "000010");
    EXPECT_EQ(e.tax().employerFlat[static_cast<size_t>(FlatRateGroup::Percent15)], fifty);
    EXPECT_EQ(e.tax().paymentsTaxable, fifty);
    evaluate44(g, "000030");
    EXPECT_EQ(e.tax().employerFlat[static_cast<size_t>(FlatRateGroup::Percent25)], fifty);
    evaluate44(g, "000060");
    EXPECT_EQ(e.tax().employeeFlat[static_cast<size_t>(FlatRateGroup::Percent20)], fifty);
    EXPECT_EQ(e.tax().employerFlat, FlatRateAmounts{});
    evaluate44(g, "000040"); // the employee's "0 %"
    EXPECT_EQ(e.tax(), TaxInputs{});

    evaluate44(g, "000001");
    EXPECT_EQ(e.extras().employerCost, fifty);

    // The in-kind lines feed the in-kind fields.
    g.workingCase = defaultCase();
    g.workingCase.enterAmount(AmountSlot::InKind1, 7000);
    g.workingCase.keyCodes[kCode25] = "020300";
    KeyCodeStep(g);
    EXPECT_EQ(e.tax().inKindTaxable, euros(7000));
    EXPECT_EQ(e.pension().inKindLiable, euros(7000));
    EXPECT_EQ(e.tax().paymentsTaxable, Money());
}

TEST(LineKeyCode, AOneTimeDeductionIsSetAgainstTheOneTimePayOnly) {
    test::ScriptedPrompter p;
    Session g(p);
    evaluate44(g, "110000");
    g.workingCase.grossLine(20).reducedAmount = euros(3000); // 30,00 one-time pay on line 20
    KeyCodeStep(g);
    // 50,00 lower the taxable pay; 30,00 of it come off the one-time pay, 20,00 off the current pay.
    EXPECT_EQ(g.tax.inputs.taxFreeAmounts, euros(5000));
    EXPECT_EQ(g.tax.inputs.oneTimeFromKeyCodes, euros(-3000));
}

// The whole run with a deduction of 50,00 on line 44 under a code; the case has 3.000,00 pay.
struct RunWithCode {
    TestSession s;
    explicit RunWithCode(const std::string& code, int32_t amount = -5000) {
        LoadCaseMonth(s.g);
        Case& c = s.g.workingCase;
        c.setKey(KeySlot::ServiceRelationship, 26);
        c.enterAmount(AmountSlot::Allowance1, 300000);
        c.enterAmount(AmountSlot::Deduction1, amount);
        c.keyCodes[kCode44] = code;
        EXPECT_TRUE(RunCalculation(s.g));
    }
    Money taxable() const { return s.g.tax.worksheet.amount(10); }
};

TEST(LineKeyCodeInTheRun, LoweringCodeLowersTheTaxablePayByTheAmount) {
    RunWithCode none("000000");
    RunWithCode lower("010000");
    EXPECT_EQ(none.taxable(), euros(300000));
    EXPECT_EQ(lower.taxable(), euros(300000 - 5000));
    EXPECT_GT(lower.s.g.workingCase.amount(AmountSlot::WageTax),
              none.s.g.workingCase.amount(AmountSlot::WageTax)); // less wage tax
}

TEST(LineKeyCodeInTheRun, NoKeyHasNoEffectAtAll) {
    RunWithCode without("000000", 0);
    RunWithCode with("000000");
    EXPECT_EQ(with.s.g.tax.worksheet, without.s.g.tax.worksheet);
    // taxes, contributions, supplementary pension
    for (AmountSlot s : slotsFrom(AmountSlot::WageTax, AmountSlot::EmployeeShare))
        EXPECT_EQ(with.s.g.workingCase.amount(s), without.s.g.workingCase.amount(s)) << slotNumber(s);
    EXPECT_EQ(with.s.g.pension.employer.total, without.s.g.pension.employer.total);
    EXPECT_EQ(with.s.g.social.worksheet.regularPay, without.s.g.social.worksheet.regularPay);
    // Only the net pay carries the deduction itself.
    EXPECT_EQ(with.s.g.workingCase.amount(AmountSlot::NetPay),
              without.s.g.workingCase.amount(AmountSlot::NetPay) - 5000);
}

TEST(LineKeyCodeInTheRun, EmployerCostCode) {
    RunWithCode payment("000001", 5000); // a payment of 50,00
    EXPECT_EQ(payment.s.g.pension.employer[EmployerItem::OtherPayments], euros(5000));
    EXPECT_EQ(payment.s.g.extras.keyCodes.employerCost, euros(5000));
    RunWithCode plain("000000", 5000);
    EXPECT_EQ(plain.s.g.pension.employer[EmployerItem::OtherPayments], Money());
    EXPECT_EQ(payment.s.g.pension.employer.total - plain.s.g.pension.employer.total, euros(5000));
}

TEST(SpecialRulesWindow, LineTitlesAndTheFlatRateRuleOfInKindLines) {
    test::ScriptedPrompter p;
    Session g(p);
    g.workingCase = defaultCase();
    EXPECT_EQ(SpecialRulesWindow::forLine(g, 25).title(), "Sonderregel für Zeile 24 (Sachbezüge)");
    EXPECT_EQ(SpecialRulesWindow::forLine(g, 26).title(), "Sonderregel für Zeile 25 (Sachbezüge)");
    EXPECT_EQ(SpecialRulesWindow::forLine(g, 45).title(),
              "Sonderregel für Zeile 45 (Einbehalte/Auszahlungen)");
    EXPECT_EQ(SpecialRulesWindow::forLine(g, 45).buttonCaption(), "Übertrag");
    EXPECT_EQ(SpecialRulesWindow::forLine(g, 44).groupCaption(1), "1. Der Einbehalt bezieht sich auf");
    EXPECT_EQ(SpecialRulesWindow::forLine(g, 25).groupCaption(1), "Der Sachbezug ist ein");
    EXPECT_EQ(SpecialRulesWindow::forLine(g, 44).optionCaptions(4)[3], "umlageerhöhend    ( 3 )");

    g.workingCase.setKey(KeySlot::InKind1, 13); // line 25: entry 13
    SpecialRulesWindow w = SpecialRulesWindow::forLine(g, 25);
    EXPECT_FALSE(w.click(5, 1)); // "15 %" refused
    EXPECT_EQ(w.digit(5), 0);
    EXPECT_TRUE(w.click(2, 2));
    EXPECT_EQ(w.code(), "020000");
    g.workingCase.setKey(KeySlot::InKind1, 12);
    SpecialRulesWindow w12 = SpecialRulesWindow::forLine(g, 25);
    EXPECT_TRUE(w12.click(5, 1));
    EXPECT_EQ(w12.code(), "000010");
}

TEST(SpecialRulesWindow, TransferWritesTheCaseAndItsMonthRecord) {
    TestSession s;
    LoadCaseMonth(s.g);
    SpecialRulesWindow w = SpecialRulesWindow::forLine(s.g, 46);
    w.click(1, 1);
    w.click(6, 1);
    EXPECT_EQ(s.g.workingCase.keyCodes[4], "000000"); // a copy until the transfer
    ASSERT_TRUE(w.transfer(s.g));
    EXPECT_EQ(s.g.workingCase.keyCodes[4], "100001");
    Case stored;
    unpackMonthRecord(s.g.files.readMonth(1, 1), stored);
    EXPECT_EQ(stored.keyCodes[4], "100001");
    EXPECT_FALSE(w.save(s.g));
}

TEST(SpecialRulesWindow, GeneralRulesFlatRateSetsTaxToNeutralAndAreSavedPerYear) {
    TestSession s;
    SpecialRulesWindow w = SpecialRulesWindow::forGeneralRules(s.g, false);
    EXPECT_EQ(w.title(), "Allgemeine Regeln für die Zeilen 44 bis 46 (Einbehalte/Auszahlungen)");
    EXPECT_EQ(w.buttonCaption(), "Speichern");
    ASSERT_EQ(w.entries().size(), 8u);
    EXPECT_EQ(w.entries()[0], "Einbehalt lt. Eingabe");
    w.selectEntry(2);
    EXPECT_EQ(w.code(), "011000"); // "mindert"
    ASSERT_TRUE(w.click(5, 2));    // "20 %" by the employer
    EXPECT_EQ(w.digit(5), 2);
    EXPECT_EQ(w.digit(2), 0);
    w.renameEntry("Betriebliche Altersvorsorge");
    EXPECT_EQ(w.newEntryName(true), "Der Einbehalt bezieht sich auf einen einmaliger Bezug");
    ASSERT_TRUE(w.save(s.g));

    const RecordBuffer record = readRecordIfExists(s.g.userFolder / kYearDefaultsFile,
                                                   kYearDefaultsRecordLength, yearRecordNumber(s.g.year));
    const KeyCodeRules rules = keyCodeRulesFromRecord(record);
    EXPECT_EQ(rules[kInKindRules + 2].name, "Betriebliche Altersvorsorge");
    EXPECT_EQ(rules[kInKindRules + 2].code, "001020");
    EXPECT_EQ(rules[0], defaultKeyCodeRules()[0]);
    // Another year's record is untouched: its rules are the defaults.
    EXPECT_EQ(keyCodeRulesFromRecord(readRecordIfExists(s.g.userFolder / kYearDefaultsFile,
                                                        kYearDefaultsRecordLength, yearRecordNumber(2019))),
              defaultKeyCodeRules());
}

TEST(GeneralKeyCodeRules, ChoosingAnEntryTakesItsDefaultCode) {
    test::ScriptedPrompter p;
    Session g(p);
    g.workingCase = defaultCase();
    g.workingCase.setKey(KeySlot::InKind1, 2); // line 25: "Jobticket (pauschal 15 %)"
    ApplyEntryKeyCode(g, 25);
    EXPECT_EQ(g.workingCase.keyCodes[0], "000011");
    g.workingCase.setKey(KeySlot::Deduction1, 20); // line 44: an entry without a rule keeps the code
    ApplyEntryKeyCode(g, 44);
    EXPECT_EQ(g.workingCase.keyCodes[2], "000000");
}

TEST(GeneralKeyCodeRules, ChoosingAnEntryOnTheSheetTakesItsCode) {
    TestSession s;
    LoadCaseMonth(s.g);
    ASSERT_TRUE(ChooseOption(s.g, 44, 2)); // "Entgeltumwandlung § 3 Nr. 63 EStG"
    EXPECT_EQ(s.g.workingCase.keyCodes[2], "011000");
    Case stored;
    unpackMonthRecord(s.g.files.readMonth(1, 1), stored);
    EXPECT_EQ(stored.keyCodes[2], "011000");
}
