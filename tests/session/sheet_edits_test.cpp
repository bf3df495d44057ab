#include "persistence/month_record.h"
#include "session/case_load.h"
#include "session/line_input.h"
#include "session/recalculate.h"
#include "session/sheet_edits.h"
#include "support/cli_runner.h"
#include "support/session.h"

#include <gtest/gtest.h>

using namespace varemo;
using varemo::test::TestSession;

namespace {

Case storedMonth(TestSession& s, int month) {
    Case c;
    unpackMonthRecord(s.g.files.readMonth(month, s.g.caseNumber), c);
    return c;
}

std::string lastMessage(const TestSession& s) {
    auto texts = s.messageTexts();
    return texts.empty() ? "" : texts.back();
}

} // namespace

TEST(FlagToggle, SwitchesTheFlagSetsItsEditCodeAndCarriesItIntoTheFollowingMonths) {
    TestSession s(2020, DataSet::Real, 1, 3);
    LoadCaseMonth(s.g);
    ASSERT_TRUE(s.g.workingCase.grossLine(13).flag(LineFlag::WageTax));
    ASSERT_TRUE(ToggleFlag(s.g, 13, FlagColumn::WageTax));
    EXPECT_FALSE(s.g.workingCase.grossLine(13).flag(LineFlag::WageTax));
    EXPECT_EQ(flagCellText(s.g.workingCase, 13, FlagColumn::WageTax), "-");
    EXPECT_FALSE(storedMonth(s, 3).grossLine(13).flag(LineFlag::WageTax));
    EXPECT_FALSE(storedMonth(s, 12).grossLine(13).flag(LineFlag::WageTax));
    EXPECT_TRUE(storedMonth(s, 2).grossLine(13).flag(LineFlag::WageTax)); // earlier months untouched

    ASSERT_TRUE(ToggleFlag(s.g, 12, FlagColumn::PerformancePay));
    EXPECT_EQ(flagCellText(s.g.workingCase, 12, FlagColumn::PerformancePay), "N");
    // A new case's pay lines start in category "A"; a click moves on to "B".
    EXPECT_EQ(flagCellText(s.g.workingCase, 8, FlagColumn::PartialRetirement), "A");
    ASSERT_TRUE(ToggleFlag(s.g, 8, FlagColumn::PartialRetirement));
    EXPECT_EQ(flagCellText(s.g.workingCase, 8, FlagColumn::PartialRetirement), "B");
    EXPECT_FALSE(ToggleFlag(s.g, 21, FlagColumn::WageTax));
}

TEST(GuidedEntry, EndsWithItsMessage) {
    TestSession s;
    ShowGuidedEntryEnd(s.g);
    EXPECT_EQ(lastMessage(s), "Viel Erfolg ...: Hier endet die Hilfe beim Anlegen eines neuen Falles.\n"
                              "Bitte bearbeiten Sie die folgenden Zeilen strikt der Reihe nach.\n"
                              "Klicken Sie auf Zeile 13, damit sich deren Auswahlbox öffnet.");
}

TEST(FlagToggle, EditCodesFollowColumnAndRow) {
    EXPECT_EQ(flagEditCode(FlagColumn::WageTax, 8), 300);
    EXPECT_EQ(flagEditCode(FlagColumn::SocialInsurance, 20), 412);
    EXPECT_EQ(flagEditCode(FlagColumn::SupplementaryPension, 9), 501);
    EXPECT_EQ(flagEditCode(FlagColumn::AnnualPayment, 19), 611);
    EXPECT_EQ(flagEditCode(FlagColumn::PartTime, 20), 712);
    EXPECT_EQ(flagEditCode(FlagColumn::PerformancePay, 12), 0);
}

TEST(FlagToggle, CategoryColumnRunsThroughAllCategoriesAndBack) {
    std::string seen;
    char c = '-';
    for (int i = 0; i < 15; ++i) {
        c = nextPartialRetirementCategory(c);
        seen += c;
    }
    EXPECT_EQ(seen, "ABCDEFabcdefgx-");
    EXPECT_EQ(nextPartialRetirementCategory('?'), '-');
}

TEST(RenameEntry, StoresTheTextProtectsTheCostCentreAndRefusesOnTheYearSalary) {
    TestSession s;
    LoadCaseMonth(s.g);
    ASSERT_TRUE(RenameFirstEntry(s.g, 13, "  Erschwerniszulage "));
    EXPECT_EQ(s.g.sheet.line(13).text, "Erschwerniszulage");
    EXPECT_EQ(storedMonth(s, 1).text(CaseText::Allowance1), "Erschwerniszulage");

    EXPECT_FALSE(RenameFirstEntry(s.g, 28, "Kostenstelle 1"));
    EXPECT_EQ(lastMessage(s), "Geschützter Datensatz: Die 1. Position der Liste (Keine Kostenstelle)\nkann "
                              "nicht verändert werden.");
    EXPECT_FALSE(RenameFirstEntry(s.g, 44, std::string(36, 'x')));
    EXPECT_TRUE(RenameFirstEntry(s.g, 1, "Müller, Anna"));
    EXPECT_EQ(s.g.sheet.line(1).text, "Müller, Anna");

    s.g.selectMonth(kYearSalaryMonth);
    EXPECT_FALSE(RenameFirstEntry(s.g, 13, "x"));
    EXPECT_EQ(lastMessage(s), "Sorry: Das Jahresgehalt kann nur durch Änderung von Monaten geändert werden.");
}

TEST(LineDispatcher, RefusesChoicesTheCaseDoesNotAllowWithTheirNotices) {
    TestSession s;
    LoadCaseMonth(s.g);
    // line 41 follows the supplementary pension scheme
    EXPECT_FALSE(ChooseOption(s.g, 41, 1));
    EXPECT_EQ(lastMessage(s), "Zeile 41: Die Einstellung in Zeile 41 ist mit Zeile 28 fest verknüpft.\n"
                              "Bitte stellen Sie die Vorgaben für die ZVK in Zeile 28 korrekt ein\n"
                              "und zwar in der Menüzeile unter Vorgaben/VBL,ZVK,ATV.");
    // an annual adjustment by the employer is not allowed with a monthly tax allowance
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::TaxAllowance, "150"));
    EXPECT_FALSE(ChooseOption(s.g, 31, 0));
    EXPECT_EQ(lastMessage(s),
              "Kein Lohnsteuerjahresausgleich .. : Ein Lohnsteuerjahresausgleich ist nicht "
              "zugelassen,\nwenn ein Freibetrag oder ein Hinzurechnungsbetrag zu berücksichtigen ist.");
    EXPECT_EQ(s.g.workingCase.key(KeySlot::AnnualAdjustment), 1);
    ASSERT_TRUE(ChooseOption(s.g, 24, 2)); // "davon Versorgungsbezüge" is no allowance
    EXPECT_TRUE(ChooseOption(s.g, 31, 0));
    // child benefit in line 43 while line 23 is set to partial retirement
    ASSERT_TRUE(ChooseOption(s.g, 23, 2));
    EXPECT_FALSE(ChooseOption(s.g, 43, 4));
    EXPECT_EQ(lastMessage(s).substr(0, 49), "ATZ in Zeile 23: Wenn in Zeile 23 Altersteilzeit ");
    EXPECT_TRUE(ChooseOption(s.g, 43, 1));
    ASSERT_TRUE(ChooseOption(s.g, 23, 7)); // unpaid days of a continuing employment: no partial retirement
    EXPECT_TRUE(ChooseOption(s.g, 43, 4));
    // a step movement needs a reference date
    ASSERT_TRUE(ChooseOption(s.g, 4, 12));
    EXPECT_FALSE(ChooseOption(s.g, 7, 3));
    EXPECT_EQ(lastMessage(s), "Einstellungsdatum fehlt: Eine Stufenkürzung oder -verlängerung benötigt ein "
                              "Bezugsdatum in Programmzeile 6");
    ASSERT_TRUE(EnterDate(s.g, "01.01.2015"));
    EXPECT_TRUE(ChooseOption(s.g, 7, 3));
}

TEST(AmountEntry, ValuesBeyondThirtyTwoBitsAreRefusedWithTheRangeAndNothingIsStored) {
    TestSession s;
    LoadCaseMonth(s.g);
    Case before = s.g.workingCase;
    EXPECT_FALSE(EnterAmount(s.g, AmountSlot::Allowance1, "21474837"));
    EXPECT_EQ(lastMessage(s),
              "Eingabefehler: Die Eingabe \"21474837\" liegt außerhalb des Wertebereichs des "
              "Programms\nund wurde nicht gespeichert. Zulässig sind Werte von -21.474.836,48 bis "
              "21.474.836,47.");
    EXPECT_FALSE(EnterAmount(s.g, AmountSlot::RegularHours, "99999999999999999999999"));
    EXPECT_NE(lastMessage(s).find("-21.474,83648 bis 21.474,83647"), std::string::npos);
    EXPECT_FALSE(EnterAmount(s.g, AmountSlot::Allowance1, "zwölf"));
    EXPECT_EQ(lastMessage(s), "Eingabefehler: Die Eingabe \"zwölf\" ist kein zulässiger Betrag.");
    EXPECT_EQ(s.g.workingCase, before);
    // a capped slot is never out of range
    EXPECT_TRUE(EnterAmount(s.g, AmountSlot::TariffFactor, "99999999999"));
    EXPECT_EQ(s.g.workingCase.amount(AmountSlot::TariffFactor), 20000);
}

TEST(AmountEntry, EmptyFieldStoresZero) {
    TestSession s;
    LoadCaseMonth(s.g);
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::Allowance1, "500"));
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::Allowance1, ""));
    EXPECT_EQ(s.g.workingCase.amount(AmountSlot::Allowance1), 0);
    EXPECT_EQ(s.g.workingCase.previousAmount(AmountSlot::Allowance1), 0);
}

TEST(AmountText, FormatsSlotsAndQuickArithmetic) {
    EXPECT_EQ(formatFixed(3850000, 5), "38,50");
    EXPECT_EQ(formatFixed(3012346, 5), "30,12346");
    EXPECT_EQ(formatFixed(-5, 2), "-0,05");
    EXPECT_EQ(formatFixed(std::numeric_limits<int64_t>::min(), 2, 2), "-92233720368547758,08");
    EXPECT_EQ(amountFieldText(AmountSlot::RegularHours, 3850000), "38,50");
    EXPECT_EQ(amountFieldText(AmountSlot::Allowance1, 123456), "1.234,56");
    EXPECT_EQ(amountFieldText(AmountSlot::TariffFactor, 10000), "100,00");

    EXPECT_EQ(quickArithmetic("1.234,56", '+', "0,44"), "1235,00");
    EXPECT_EQ(quickArithmetic("100", '-', "250,5"), "-150,50");
    EXPECT_EQ(quickArithmetic("38,5", '-', "0,00001"), "38,49999");
    EXPECT_FALSE(quickArithmetic("abc", '+', "1"));
    EXPECT_FALSE(quickArithmetic("1", '*', "1"));
}

TEST(Notices, AMissingValueIsToldOnceWhileItsMonthIsShown) {
    // TV-L E2 in the Bund: the tables hold no amount, which the sheet names; after the next edit of the
    // same month it is not told again, in another month it is.
    TestSession s(2020, DataSet::Real, 1, 3);
    test::copyShippedFiles(s.g.programDir);
    OpenYearFiles(s.g); // with the year's tables
    LoadCaseMonth(s.g);
    s.g.workingCase.setKey(KeySlot::ServiceRelationship, 11);
    s.g.workingCase.setKey(KeySlot::PayGroup, 1);
    const auto told = [&s] {
        size_t n = 0;
        for (const std::string& text : s.messageTexts())
            n += text.find("keinen Betrag") != std::string::npos;
        return n;
    };
    ASSERT_TRUE(RecalculateAndRedisplay(s.g));
    ASSERT_EQ(told(), 1u);
    s.g.workingCase.enterAmount(AmountSlot::Allowance1, 10000);
    ASSERT_TRUE(RecalculateAndRedisplay(s.g));
    EXPECT_EQ(told(), 1u);
    s.g.selectMonth(4);
    LoadCaseMonth(s.g);
    ASSERT_TRUE(RecalculateShownMonth(s.g));
    EXPECT_EQ(told(), 2u);
}
