#include "presentation/settings_panel.h"

#include "model/user_file_names.h"
#include "presentation/colour_panel.h"
#include "presentation/employer_data_panel.h"
#include "session/startup.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace varemo;

namespace {

struct Started {
    test::ScriptedPrompter prompter;
    Session g{prompter};
    explicit Started(const std::filesystem::path& dir) {
        g.programDir = dir;
        EXPECT_TRUE(StartUp(g));
    }
};

} // namespace

// The church tax panel: its values, a refusal, saving into the session and the file, the values seen by
// the next start, and "Vorgabewerte".
TEST(SettingsPanel, ChangesAreSavedReadAtTheNextStartAndRestoredToTheDefaults) {
    test::TempDir dir;
    {
        Started s(dir.path());
        ASSERT_EQ(s.g.year, 2020);
        SettingsPanel panel(s.g, SettingsPanelKind::ChurchTax);
        EXPECT_EQ(panel.title(), "Vorgabewerte für die Kirchensteuer 2020");
        EXPECT_EQ(panel.fields().size(), 18u * 4 + 1); // four values per region, and the surcharge
        EXPECT_EQ(panel.value("kirchensteuer.2.pauschal"), "7,00");
        EXPECT_EQ(panel.value("kirchensteuer.2.satz"), "8,00");

        EXPECT_EQ(
            panel.enter("kirchensteuer.2.satz", "8,001").value(),
            "Der Wert \"8,001\" für kirchensteuer.2.satz (Region 2: Kirchensteuersatz in %) ist ungültig. "
            "Erlaubt sind Zahlen von 0 bis 10 mit höchstens 2 Nachkommastellen.");
        EXPECT_TRUE(panel.enter("sv.pv", "3,30").has_value()); // another panel's value
        EXPECT_FALSE(panel.changed());
        EXPECT_FALSE(panel.enter("kirchensteuer.2.pauschal", "5,5").has_value());
        EXPECT_TRUE(panel.changed());
        EXPECT_EQ(s.g.tax.lands[2].flatHundredths, 700); // not before saving
        panel.save(s.g);
        EXPECT_EQ(s.g.tax.lands[2].flatHundredths, 550);
    }
    {
        Started s(dir.path());
        EXPECT_EQ(s.g.tax.lands[2].flatHundredths, 550);
        SettingsPanel panel(s.g, SettingsPanelKind::ChurchTax);
        EXPECT_EQ(panel.value("kirchensteuer.2.pauschal"), "5,50");
        panel.restoreDefaults();
        EXPECT_EQ(panel.value("kirchensteuer.2.pauschal"), "7,00");
        panel.save(s.g);
    }
    Started s(dir.path());
    EXPECT_EQ(s.g.tax.lands[2].flatHundredths, 700);
    const RecordBuffer record(readRecordIfExists(dir.path() / "User001" / kChurchTaxFile,
                                                 kChurchTaxRecordLength, yearRecordNumber(2020)));
    EXPECT_EQ(record.i32(2 + 12 * 2 + 4), 700);
}

// The employer texts: checked against what the record keeps, saved into "varemo20.dim" and read by the
// next start; "Vorgabewerte" brings back the texts of a new folder.
TEST(EmployerDataPanel, TextsAreCheckedSavedAndRestored) {
    test::TempDir dir;
    {
        Started s(dir.path());
        EmployerDataPanel panel(s.g);
        EXPECT_EQ(panel.value(EmployerText::Line4), "- Personalstelle -");
        EXPECT_EQ(panel.enter(EmployerText::Town, "Garmisch-Partenkirchen (Oberbayern)").value(),
                  "Der Text \"Garmisch-Partenkirchen (Oberbayern)\" für \"Ort\" ist ungültig. Erlaubt sind "
                  "höchstens 20 Zeichen.");
        EXPECT_TRUE(panel.enter(EmployerText::HeaderNumber, "12a").has_value());
        EXPECT_TRUE(panel.enter(EmployerText::Line1, "Amt \xE2\x86\x92 Personal").has_value()); // an arrow
        EXPECT_FALSE(panel.enter(EmployerText::Line1, "Stadt Großheim – Personalamt").has_value());
        EXPECT_FALSE(panel.enter(EmployerText::Town, "Großheim").has_value());
        panel.save(s.g);
    }
    {
        Started s(dir.path());
        EmployerDataPanel panel(s.g);
        EXPECT_EQ(panel.value(EmployerText::Line1), "Stadt Großheim – Personalamt");
        EXPECT_EQ(panel.value(EmployerText::Town), "Großheim");
        panel.restoreDefaults();
        panel.save(s.g);
    }
    Started s(dir.path());
    EXPECT_EQ(s.g.storage.window.employerText(EmployerText::Line1), "");
    EXPECT_EQ(s.g.storage.window.employerText(EmployerText::Line4), "- Personalstelle -");
}

// "Umlagesätze aktualisieren" takes the levies of the year's list and keeps the user's other rates.
TEST(SettingsPanel, UpdatingTheLevyRatesKeepsTheOtherRates) {
    test::TempDir dir;
    Started s(dir.path());
    SettingsPanel panel(s.g, SettingsPanelKind::HealthFunds);
    ASSERT_FALSE(panel.enter("kasse.0.u1", "3,10", 4).has_value());
    ASSERT_FALSE(panel.enter("kasse.0.zusatz", "1,50").has_value());
    ASSERT_FALSE(panel.enter("kasse.insolvenzgeld", "0,2").has_value());
    EXPECT_EQ(panel.value("kasse.0.u1", 3), "2,00");
    EXPECT_EQ(panel.value("kasse.0.u1", 4), "3,10");
    panel.updateLevyRates();
    EXPECT_EQ(panel.value("kasse.0.u1", 12), "2,00");
    EXPECT_EQ(panel.value("kasse.insolvenzgeld"), "0,06");
    EXPECT_EQ(panel.value("kasse.0.zusatz", 7), "1,50");
}

// The colours of a year: the program's until the user saves his own, read again at the next start, for
// that year only; "Vorgabewerte" saved stores nothing again.
TEST(ColourPanel, ColoursOfAYearAreSavedAndRestored) {
    test::TempDir dir;
    const Rgb teal{0, 128, 128};
    {
        Started s(dir.path());
        ColourPanel panel(s.g);
        EXPECT_EQ(panel.title(), "Farben der Fensterbereiche im Jahr 2020");
        EXPECT_EQ(panel.colours(), defaultColours(2020));
        panel.setColour(ColourArea::GrossSide, teal);
        panel.save(s.g);
        EXPECT_EQ(colourOf(yearColours(s.g), ColourArea::GrossSide), teal);
    }
    Started s(dir.path());
    EXPECT_EQ(colourOf(yearColours(s.g), ColourArea::GrossSide), teal);
    EXPECT_EQ(colourOf(yearColours(s.g), ColourArea::NetSide),
              colourOf(defaultColours(2020), ColourArea::NetSide));
    const RecordBuffer record(
        readRecordIfExists(dir.path() / "User001" / kYearDefaultsFile, kYearDefaultsRecordLength, 4));
    EXPECT_EQ(record.bytes()[5712], 1);
    EXPECT_EQ(record.bytes()[5713 + 3 * 1 + 2], 128); // blue of the left half
    ColourPanel panel(s.g);
    panel.restoreDefaults();
    panel.save(s.g);
    EXPECT_EQ(yearColours(s.g), defaultColours(2020));
    const RecordBuffer cleared(
        readRecordIfExists(dir.path() / "User001" / kYearDefaultsFile, kYearDefaultsRecordLength, 4));
    EXPECT_TRUE(cleared.allZero());
}

// The civil servants' rules of the Länder (Y22): only the rules the year's table applies, saved into
// "beasoza.vee" at the documented places, handed to the run, read by the next start; "Vorgabewerte"
// saved stores nothing again.
TEST(SettingsPanel, CivilServantRulesAreKeptPerLandInTheirOwnFile) {
    test::TempDir dir;
    const auto stored = [&dir] {
        return readRecordIfExists(dir.path() / "User001" / kCivilServantPaymentFile,
                                  kCivilServantPaymentRecordLength, yearRecordNumber(2020));
    };
    {
        Started s(dir.path());
        SettingsPanel panel(s.g, SettingsPanelKind::CivilServantRules);
        EXPECT_EQ(panel.title(), "Sonderzahlung der Beamten im Jahr 2020");
        // Bayern: the month and four of its five rules; the family-allowance part is not applied.
        std::vector<std::string> bayern;
        for (const SettingInfo& info : panel.fields())
            if (info.name.rfind("beamte-sz.2.", 0) == 0) bayern.push_back(info.name + " " + info.meaning);
        EXPECT_EQ(bayern,
                  (std::vector<std::string>{
                      "beamte-sz.2.monat Bayern: Monat der jährlichen Sonderzahlung und der Kinderzuschläge",
                      "beamte-sz.2.1.prozent Bayern: jährliche Sonderzahlung A3-A11, Anwärter, "
                      "Unterhaltsbeihilfe, Prozent des Basis-Gehalts",
                      "beamte-sz.2.2.prozent Bayern: jährliche Sonderzahlung A12 und höher, Prozent des "
                      "Basis-Gehalts",
                      "beamte-sz.2.4.betrag Bayern: jährliche Sonderzahlung bis A8, Anwärter, "
                      "Dienstanfänger, Betrag im Jahr in Euro",
                      "beamte-sz.2.5.betrag Bayern: Kinderzuschlag je Kind, Betrag je Kind in Euro"}));
        EXPECT_EQ(panel.value("beamte-sz.2.1.prozent"), "70,00");
        EXPECT_TRUE(panel.enter("beamte-sz.2.3.prozent", "10").has_value());
        EXPECT_EQ(
            panel.enter("beamte-sz.2.1.prozent", "100,001").value(),
            "Der Wert \"100,001\" für beamte-sz.2.1.prozent (Bayern: jährliche Sonderzahlung A3-A11, "
            "Anwärter, Unterhaltsbeihilfe, Prozent des Basis-Gehalts) ist ungültig. Erlaubt sind Zahlen "
            "von 0 bis 100 mit höchstens 3 Nachkommastellen.");
        ASSERT_FALSE(panel.enter("beamte-sz.2.1.prozent", "75,5").has_value());
        ASSERT_FALSE(panel.enter("beamte-sz.2.5.betrag", "100").has_value());
        ASSERT_FALSE(panel.enter("beamte-sz.2.monat", "11").has_value());
        EXPECT_EQ(s.g.extras.civilRulesYear, 2020);
        EXPECT_EQ(s.g.extras.civilRules[2].rules[0].percentMilli, 70000); // not before saving
        panel.save(s.g);
        EXPECT_EQ(s.g.extras.civilRules[2].rules[0].percentMilli, 75500);
    }
    const RecordBuffer r = stored();
    const size_t bayern = 4 + 64 * 2;
    EXPECT_EQ(r.i16(0), 2020);
    EXPECT_EQ((std::vector<int>{r.bytes()[bayern], r.bytes()[bayern + 1], r.bytes()[bayern + 2]}),
              (std::vector<int>{1, 11, 5})); // marker, month, number of rules
    EXPECT_EQ(r.bytes()[bayern + 4], 1);     // rule 1: annual
    EXPECT_EQ(r.i32(bayern + 4 + 8), 75500);
    EXPECT_EQ(r.i32(bayern + 4 + 4 * 12 + 4), 10000); // rule 5: 100,00 per child
    EXPECT_EQ(r.bytes()[4 + 64 * 3], 0);              // Berlin as shipped
    {
        Started s(dir.path());
        EXPECT_EQ(s.g.extras.civilRules[2].month, 11);
        SettingsPanel panel(s.g, SettingsPanelKind::CivilServantRules);
        EXPECT_EQ(panel.value("beamte-sz.2.1.prozent"), "75,50");
        panel.restoreDefaults();
        panel.save(s.g);
    }
    EXPECT_TRUE(stored().allZero());
}

// "Vorgabewerte" of the pension levy leaves the partial-retirement percentages as the user saved them.
TEST(SettingsPanel, PensionLevyDefaultsKeepThePartialRetirementPercentages) {
    test::TempDir dir;
    Started s(dir.path());
    SettingsPanel retirement(s.g, SettingsPanelKind::PartialRetirement);
    ASSERT_FALSE(retirement.enter("atz.beamte", "80").has_value());
    retirement.save(s.g);
    SettingsPanel levy(s.g, SettingsPanelKind::PensionLevy);
    levy.restoreDefaults();
    levy.save(s.g);
    EXPECT_EQ(s.g.retirement.percents.civilServant, 80);
}
