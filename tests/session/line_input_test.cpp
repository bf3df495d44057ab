#include "session/case_load.h"
#include "session/line_input.h"
#include "support/session.h"

#include <gtest/gtest.h>

using namespace varemo;
using varemo::test::TestSession;

TEST(TypedAmount, ConvertsBySlot) {
    EXPECT_EQ(convertTypedAmount(AmountSlot::RegularHours, "38,5")->stored, 3850000);
    EXPECT_EQ(convertTypedAmount(AmountSlot::PaidDays, "30,123456")->stored, 3012346);
    EXPECT_EQ(convertTypedAmount(AmountSlot::PaidDays, "0,000005")->stored, 0); // tie to even
    EXPECT_EQ(convertTypedAmount(AmountSlot::PaidDays, "0,000015")->stored, 2);
    EXPECT_EQ(convertTypedAmount(AmountSlot::Allowance1, "1.234,56")->stored, 123456);
    EXPECT_EQ(convertTypedAmount(AmountSlot::Allowance1, "1234.56")->stored, 123456);
    EXPECT_EQ(convertTypedAmount(AmountSlot::Allowance1, "1.234.567")->stored, 123456700);
    EXPECT_EQ(convertTypedAmount(AmountSlot::Deduction1, "-50")->stored, -5000);
    EXPECT_EQ(convertTypedAmount(AmountSlot::Allowance1, "")->stored, 0);
    EXPECT_EQ(convertTypedAmount(AmountSlot::Reserved58, "1,005")->stored, 100);
    EXPECT_EQ(convertTypedAmount(AmountSlot::Reserved59, "1,015")->stored, 102);
}

TEST(TypedAmount, CapsFactorsAtTwoHundredAndRefusesWhatCannotBeStored) {
    auto capped = convertTypedAmount(AmountSlot::TariffFactor, "250");
    ASSERT_TRUE(capped);
    EXPECT_EQ(capped->stored, 20000);
    EXPECT_EQ(capped->shown, "200");
    EXPECT_EQ(convertTypedAmount(AmountSlot::PerformancePercent, "201")->stored, 20000);
    EXPECT_EQ(convertTypedAmount(AmountSlot::TariffFactor, "85")->stored, 8500);
    for (int slotNo : {52, 55, 57, 61, 65, 66, -1})
        EXPECT_FALSE(convertTypedAmount(slotNo, "1")) << slotNo;
    EXPECT_FALSE(convertTypedAmount(AmountSlot::Allowance1, "abc"));
    EXPECT_FALSE(convertTypedAmount(AmountSlot::Allowance1, "1,2,3"));
    EXPECT_FALSE(convertTypedAmount(AmountSlot::Allowance1, "21474837")); // beyond 32 bits as cents
    EXPECT_TRUE(convertTypedAmount(AmountSlot::Allowance1, "21474836,47"));
    EXPECT_FALSE(convertTypedAmount(AmountSlot::RegularHours, "21475")); // beyond 32 bits × 100000
    EXPECT_FALSE(convertTypedAmount(AmountSlot::Allowance1, "99999999999999999999999999999"));
}

// The class-IV factor of the factor procedure (§ 39f EStG) is typed with three decimals, comma or
// point, and reaches the tax step (whose test checks vector #8 of the flow chart with f 0,950). A
// factor of 0 or above 1,000 is refused and the case keeps the factor it had.
TEST(LineInput, ClassFourFactorIsTypedWithThreeDecimals) {
    EXPECT_EQ(convertTypedAmount(AmountSlot::ClassIVFactor, "0,950")->stored, 950);
    EXPECT_EQ(convertTypedAmount(AmountSlot::ClassIVFactor, "0.950")->stored, 950);
    EXPECT_EQ(convertTypedAmount(AmountSlot::ClassIVFactor, "1")->stored, 1000);
    TestSession s(2019);
    LoadCaseMonth(s.g);
    ASSERT_TRUE(SetKey(s.g, KeySlot::TaxClass, 36)); // class IV, 1 child allowance
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::ClassIVFactor, "0,950"));
    EXPECT_EQ(s.g.tax.classIVFactorThousandths, 950);
    for (const char* refused : {"1,001", "0", "-0,5"}) {
        EXPECT_FALSE(EnterAmount(s.g, AmountSlot::ClassIVFactor, refused)) << refused;
        EXPECT_EQ(s.g.workingCase.amount(AmountSlot::ClassIVFactor), 950) << refused;
    }
    EXPECT_NE(s.messageTexts().back().find("höchstens 1,000"), std::string::npos);
}

// The name entry refuses what the load check takes for a damaged record (a blank, "!" or a control
// character in the first two places, or a single character), which would reset the whole case at its
// next load; what it accepts comes back unchanged.
TEST(LineInput, NamesTheLoadCheckWouldResetAreRefused) {
    TestSession s;
    LoadCaseMonth(s.g);
    for (const char* refused : {"A Meier", " Meier", "!Wichtig", "M!ller", "\tMeier", "X"}) {
        EXPECT_FALSE(RenameCase(s.g, refused)) << refused;
        EXPECT_EQ(s.g.workingCase.name, "Neuer Personalfall") << refused;
    }
    EXPECT_NE(s.messageTexts().back().find("weder Leerzeichen noch \"!\""), std::string::npos);
    // Characters without a Windows-1252 code, and broken UTF-8, would be stored as "?".
    for (const char* refused : {"Łukasz Nowak", "Meier \xE2\x98\x83", "Ma\xC3ier"}) {
        EXPECT_FALSE(RenameCase(s.g, refused)) << refused;
        EXPECT_EQ(s.g.workingCase.name, "Neuer Personalfall") << refused;
    }
    for (const char* accepted : {"Meier, Anna", "Ärger-Özdemir", "Groß & Söhne € 5"}) {
        ASSERT_TRUE(RenameCase(s.g, accepted)) << accepted;
        LoadCaseMonth(s.g);
        EXPECT_EQ(s.g.workingCase.name, accepted);
    }
}

TEST(LineInput, TariffFactorEntrySetsTheFactor) {
    TestSession s;
    LoadCaseMonth(s.g);
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::TariffFactor, "250"));
    EXPECT_FLOAT_EQ(s.g.tariffFactor, 2.0f);
    EXPECT_EQ(s.g.workingCase.previousAmount(AmountSlot::TariffFactor), 20000);
}

TEST(LineInput, RefusedEntriesChangeNothing) {
    TestSession s;
    LoadCaseMonth(s.g);
    Case before = s.g.workingCase;
    EXPECT_FALSE(EnterAmount(s.g, AmountSlot::Allowance1, "zwölf"));
    EXPECT_FALSE(ChooseOption(s.g, 28, 122));
    EXPECT_FALSE(ChooseOption(s.g, 21, 0)); // the month is no option
    EXPECT_FALSE(ChooseOption(s.g, 1, 0));
    EXPECT_FALSE(SetKey(s.g, KeySlot::ServiceRelationship, -1));
    EXPECT_FALSE(RenameCase(s.g, "   "));
    EXPECT_FALSE(RenameCase(s.g, std::string(36, 'x')));
    EXPECT_EQ(s.g.workingCase, before);
    EXPECT_EQ(s.prompter.messages().size(), 7u);
    EXPECT_EQ(s.prompter.messages()[1].text(), "Sorry, die gewählte Auswahl ist nicht möglich.");
}

TEST(LineInput, SlotNumbersFromOutsideAreRefusedUnlessTheyNameASlot) {
    TestSession s;
    LoadCaseMonth(s.g);
    Case before = s.g.workingCase;
    // Key 0 is not stored and the month is chosen elsewhere: neither is a key to set.
    for (int slotNo : {-1, 0, 20, 56})
        EXPECT_FALSE(SetKey(s.g, slotNo, 1)) << slotNo;
    for (int slotNo : {-1, 66})
        EXPECT_FALSE(EnterAmount(s.g, slotNo, "1")) << slotNo;
    EXPECT_EQ(s.g.workingCase, before);
    ASSERT_EQ(s.prompter.messages().size(), 6u);
    EXPECT_EQ(s.prompter.messages()[3].text(), "Sorry, die gewählte Auswahl ist nicht möglich.");
    EXPECT_EQ(s.prompter.messages()[5].text(), "Die Eingabe \"1\" ist kein zulässiger Betrag.");

    ASSERT_TRUE(SetKey(s.g, slotNumber(KeySlot::PayGroup), 2));
    EXPECT_EQ(s.g.workingCase.payGroup(), 2);
    ASSERT_TRUE(EnterAmount(s.g, slotNumber(AmountSlot::Allowance1), "12,5"));
    EXPECT_EQ(s.g.workingCase.previousAmount(AmountSlot::Allowance1), 1250);
}

TEST(LineInput, OptionOfALineGoesToItsSlot) {
    TestSession s;
    LoadCaseMonth(s.g);
    ASSERT_TRUE(ChooseOption(s.g, 37, 5));
    EXPECT_EQ(s.g.workingCase.key(KeySlot::ContributionKind), 5);
    ASSERT_TRUE(ChooseOption(s.g, 4, 10));
    EXPECT_EQ(s.g.workingCase.serviceRelationship(), 10);
    ASSERT_TRUE(ChooseOption(s.g, 2, 13));
    EXPECT_TRUE(s.g.east);
    ASSERT_TRUE(ChooseOption(s.g, 47, 1));
    EXPECT_EQ(s.g.sheet.line(47).text, "N E T T O G E H A L T ");
}

TEST(LineInput, OnlyCalendarDatesAreTaken) {
    TestSession s;
    LoadCaseMonth(s.g);
    ASSERT_TRUE(EnterDate(s.g, "29.02.2016"));
    for (const char* refused :
         {"-1.-1.-001", "99.99.9999", "01.13.2019", "01/04/2015", "29.02.2019", "31.02.2019", "1.4.2015"}) {
        EXPECT_FALSE(EnterDate(s.g, refused)) << refused;
        EXPECT_EQ(s.g.workingCase.dateText, "29.02.2016") << refused;
        EXPECT_EQ(s.prompter.messages().back().text(), "Kein Datum möglich.");
    }
    EXPECT_TRUE(EnterDate(s.g, "")); // no date
}

TEST(LineInput, YearSalaryRefusesEveryChange) {
    TestSession s;
    LoadCaseMonth(s.g);
    s.g.selectMonth(kYearSalaryMonth);
    EXPECT_FALSE(EnterAmount(s.g, AmountSlot::Allowance1, "1"));
    EXPECT_FALSE(ChooseOption(s.g, 4, 1));
    EXPECT_FALSE(EnterDate(s.g, "01.01.2020"));
    ASSERT_EQ(s.prompter.messages().size(), 3u);
    EXPECT_EQ(s.prompter.messages()[0].title, "Sorry");
    EXPECT_EQ(s.prompter.messages()[0].text(),
              "Das Jahresgehalt kann nur durch Änderung von Monaten geändert werden.");
}
