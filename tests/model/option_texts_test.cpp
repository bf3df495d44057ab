// The option-text files: record layout, the shipped files of the build tree, and the sheet's lists
// built from them.

#include "model/option_texts.h"
#include "pay/pay_options.h"
#include "session/recalculate.h"
#include "support/shipped_tables.h"
#include "support/temp_dir.h"
#include "tariffs/tariff_address.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

using namespace varemo;
using varemo::test::ShippedSession;

TEST(OptionTextFile, RecordsOfThirtyFiveWindows1252Characters) {
    test::TempDir dir;
    auto path = dir.path() / "MyText20.txt";
    writeOptionTextFile(path, {{1, "Bund"}, {3, "Thüringen"}, {4, std::string(40, 'x')}});
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 4u * 35u);
    EXPECT_EQ(bytes.substr(0, 35), "Bund" + std::string(31, ' '));
    EXPECT_EQ(bytes.substr(35, 35), std::string(35, ' '));
    EXPECT_EQ(static_cast<unsigned char>(bytes[70 + 2]), 0xFC); // ü in Windows-1252

    OptionTextFile file(path);
    EXPECT_EQ(file.text(1), "Bund");
    EXPECT_EQ(file.text(2), "");
    EXPECT_EQ(file.text(3), "Thüringen");
    EXPECT_EQ(file.text(4), std::string(35, 'x'));
    EXPECT_EQ(file.text(5), "");
    EXPECT_EQ(file.text(0), "");
    EXPECT_FALSE(OptionTextFile(dir.path() / "missing.txt").isLoaded());
    EXPECT_EQ(OptionTextFile::pathFor("/p", 2017), std::filesystem::path("/p/Texte/MyText17.txt"));
}

TEST(OptionTextFile, ShippedGroupListsFollowTheYearOfTheTables) {
    // TV-L (11): E9 at position 8 until 2018, E9a and E9b at 16 and 17 from 2019 (tvl.csv); the TV-H of
    // the same code (tvh.csv) keeps E9 until 07/2019, so the list of 2019 still names it plainly. The
    // positions stay, so that a case keeps its key; the name says in which years a table has the group.
    const OptionTextFile y2018(OptionTextFile::pathFor(VAREMO_BUILD_DIR, 2018));
    const OptionTextFile y2019(OptionTextFile::pathFor(VAREMO_BUILD_DIR, 2019));
    EXPECT_EQ(payGroupNames(y2018, 11)[8], "E9");
    EXPECT_EQ(payGroupNames(y2018, 11)[16], "E9a (Tabelle ab 2019)");
    EXPECT_EQ(payGroupNames(y2019, 11)[8], "E9");
    EXPECT_EQ(payGroupNames(OptionTextFile(OptionTextFile::pathFor(VAREMO_BUILD_DIR, 2020)), 11)[8],
              "E9 (Tabelle bis 2019)");
    EXPECT_EQ(payGroupNames(y2019, 11)[16], "E9a");
    EXPECT_EQ(payGroupNames(y2019, 11)[17], "E9b");
    // A group no table of any year holds keeps its plain name.
    EXPECT_EQ(payGroupNames(y2019, 11)[15], "AT");
    EXPECT_EQ(payGroupNames(y2019, 0)[0], "A1");
    // The longest name with its note still fits a record of 35 characters.
    EXPECT_EQ(payGroupNames(y2018, 5)[0], "EINFACHER_DIENST (Tabelle ab 2020)");
}

TEST(OptionTextFile, ShippedFilesNameRegionsRelationshipsGroupsAndFamilyOptions) {
    for (int year = 2017; year <= 2021; ++year) {
        OptionTextFile texts(OptionTextFile::pathFor(VAREMO_BUILD_DIR, year));
        ASSERT_TRUE(texts.isLoaded()) << year;
        auto regions = regionNames(texts);
        EXPECT_EQ(regions[0], "Bund");
        EXPECT_EQ(regions[10], "Nordrhein-Westfalen");
        EXPECT_EQ(regions[16], "Thüringen");
        auto names = serviceRelationshipNames(texts, false);
        EXPECT_EQ(names[8], "TV-L/H Pflege");
        EXPECT_EQ(names[9], "TV-L/H Sozial und Erziehungsdienst");
        EXPECT_EQ(names[10], "TVöD Bund");
        EXPECT_EQ(serviceRelationshipNames(texts, true)[20], "TVAöd/TV-L/AOK Auszubildende(r)");
        EXPECT_EQ(payGroupNames(texts, 10)[8], "E9a");
        EXPECT_EQ(payGroupNames(texts, 14)[21], "AT");
        EXPECT_EQ(texts.text(optiontext::kFamilyFirst + 2), "Verheiratet, 1 Kind");
        EXPECT_FALSE(texts.text(optiontext::kTransferFirst + 4).empty());
        EXPECT_EQ(texts.text(optiontext::allowanceRecord(true, 5, 30)),
                  "Bundesbankzulage 19% Grundg+AllgStZ");
    }
}

TEST(OptionTextFile, ShippedNamesLongerThanARecordReadWholeUntilTheUserRenamesThem) {
    // The file keeps 35 characters, so the two contracts would read alike ("... besonderer Tabell").
    test::TempDir dir;
    const auto path = OptionTextFile::pathFor(dir.path(), 2020);
    std::filesystem::create_directories(path.parent_path());
    std::filesystem::copy_file(OptionTextFile::pathFor(VAREMO_BUILD_DIR, 2020), path);
    auto names = serviceRelationshipNames(OptionTextFile(path), false);
    EXPECT_EQ(names[18], "Dienstvertrag mit besonderer Tabelle 1");
    EXPECT_EQ(names[19], "Dienstvertrag mit besonderer Tabelle 2");
    EXPECT_EQ(names[14], "TVöD VKA Sozial- und Erziehungsdienst");

    // A name the user gave is his, cut to the record's 35 characters.
    std::map<int, std::string> records;
    const OptionTextFile shipped(path);
    for (int r = 1; r <= optiontext::kEmployeeAllowanceFirst; ++r)
        records[r] = shipped.text(r);
    records[optiontext::kServiceRelationshipFirst + 18] = "Dienstvertrag mit Tabelle 1";
    records[optiontext::kServiceRelationshipFirst + 19] = "Dienstvertrag Musikschule Stadt Aachen";
    writeOptionTextFile(path, records);
    names = serviceRelationshipNames(OptionTextFile(path), false);
    EXPECT_EQ(names[18], "Dienstvertrag mit Tabelle 1");
    EXPECT_EQ(names[19], "Dienstvertrag Musikschule Stadt Aac");
}

TEST(PayOptionLists, SheetShowsTheNamesAndStepTextsOfTheCase) {
    ShippedSession s(2020, 3);
    s.setCase(13, 12, 11, 3);
    TariffLookup(s.g);
    Redisplay(s.g);
    EXPECT_EQ(s.g.sheet.line(2).text, "Sachsen");
    EXPECT_EQ(s.g.sheet.line(4).text, "TVöD VKA");
    EXPECT_EQ(s.g.sheet.line(8).text, "Entgeltstufe 4 (dauert idR 48 Mon.)");
    EXPECT_EQ(s.g.sheet.line(8).amountCents, 429965); // tvoed_vka.csv "2020-03,E10,4,4299.65"
    EXPECT_EQ(s.g.sheet.line(6).options.at(0), "Beginn der Stufenlaufzeit");
    EXPECT_EQ(s.g.sheet.line(13).text, "Zulage lt. Eingabe");
    s.c().setText(CaseText::Allowance1, "Schichtzulage");
    Redisplay(s.g);
    EXPECT_EQ(s.g.sheet.line(13).options.at(0), "Schichtzulage");
    EXPECT_EQ(s.g.sheet.line(13).options.size(), 108u);
}

TEST(PayOptionLists, TitlesFollowTheGroupAndTheTeacherNamesHisTableAmount) {
    // TV-L E9b: positions 1 to 3 propose titles from the group; position 4 is the teacher, whose
    // table pay the row's teacher amount lowers (here 64,04 € entered in the row) or raises.
    ShippedSession s(2020, 3);
    s.setCase(10, 11, 17, 3);
    TariffLookup(s.g);
    s.g.pay.row[kTeacherAmountEntry] = 6404;
    s.c().setKey(KeySlot::Title, kTeacherTitle);
    Redisplay(s.g);
    const auto& titles = s.g.sheet.line(5).options;
    ASSERT_EQ(titles.size(), 5u);
    EXPECT_EQ(titles[0], "Dienstbezeichnung ...");
    EXPECT_EQ(titles[1], "Beschäftigte/r E9b");
    EXPECT_EQ(titles[3], "Beschäftigte/r E9b (Vertretung)");
    EXPECT_EQ(s.g.sheet.line(5).text, "Lehrkraft (Tab.-Entgelt - 64,04 €)");
    EXPECT_EQ(teacherPayText(-3000), "Tab.-Entgelt + 30,00 €");

    // Civil servants have no teacher's amount in their tables.
    s.setCase(10, 0, 12, 3);
    Redisplay(s.g);
    EXPECT_EQ(s.g.sheet.line(5).options[1], "Beamtin/Beamter A13");
    EXPECT_EQ(s.g.sheet.line(5).options[4], "Lehrkraft");
}
