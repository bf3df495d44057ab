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
