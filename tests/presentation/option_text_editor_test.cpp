// The editor of the option-list texts on a program folder with the shipped files and a user data root of
// its own: what is written where, what the sheet shows at once and after a restart, and what is refused.

#include "presentation/option_text_editor.h"

#include "model/option_texts.h"
#include "persistence/settings_file.h"
#include "presentation/navigation.h"
#include "session/startup.h"
#include "session/users.h"
#include "support/cli_runner.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace varemo;

namespace {

// Started on the program folder with the case-month shown, as the window starts.
struct Shown {
    test::ScriptedPrompter prompter{PromptAnswer::No};
    Session g{prompter};
    explicit Shown(const std::filesystem::path& programDir) {
        g.programDir = programDir;
        EXPECT_TRUE(StartUp(g));
        ShowSelection(g);
    }
    int regionRecord() const { return optiontext::kRegionFirst + g.sheet.line(2).key.value(); }
};

} // namespace

TEST(OptionTextEditor, ARenamedRegionIsWrittenToTheUsersFileAndShownAtOnceAndAfterARestart) {
    test::TempDir dir;
    test::copyShippedFiles(dir.path());
    const auto shipped = OptionTextFile::pathFor(dir.path(), 2020);
    const std::string shippedBytes = test::fileBytes(shipped);
    std::filesystem::path userFile;
    int record = 0;
    {
        Shown s(dir.path());
        // The user keeps the data in a folder of its own: the start copies the texts there.
        ASSERT_EQ(SetStorageLocation(s.g, (dir.path() / "Eigene").string() + "/"), StorageResult::Done);
        ShowSelection(s.g);
        userFile = editedOptionTextPath(s.g, 2020);
        ASSERT_NE(userFile, shipped);
        record = s.regionRecord();
        const std::string before = s.g.sheet.line(2).text;

        OptionTextEditor editor(s.g, 2020);
        EXPECT_EQ(editor.recordCount(), 8944);
        ASSERT_EQ(editor.text(record), before);
        // The region list of line 2 offers the records 6681 to 6698.
        const auto regions = editor.rows(6681, 6698, "");
        ASSERT_EQ(regions.size(), 18u);
        EXPECT_EQ(regions[2].text, "Bayern");
        EXPECT_EQ(editor.rows(1, 99999, "württemb").front().record, 6682); // any case, umlauts too

        // 36 characters, or a character the Windows-1252 file cannot keep: refused, nothing taken.
        EXPECT_EQ(editor.enter(record, std::string(36, 'x')).value(),
                  "Der Text \"" + std::string(36, 'x') + "\" für Datensatz " + std::to_string(record) +
                      " wird nicht übernommen. Erlaubt sind höchstens 35 Zeichen.");
        EXPECT_TRUE(editor.enter(record, "Gebiet \xE2\x86\x92 Nord").has_value()); // an arrow
        EXPECT_FALSE(editor.hasChanges());

        EXPECT_FALSE(editor.enter(record, "Zweckverband Süd-Ost der Gemeinden.").has_value()); // 35
        EXPECT_FALSE(editor.enter(6684, "Land Berlin").has_value());
        ASSERT_FALSE(editor.restoreDefault(6684).has_value()); // "Vorgabewerte": the shipped text again
        EXPECT_EQ(editor.changes().size(), 1u);
        EXPECT_EQ(s.g.sheet.line(2).text, before); // nothing before saving

        ASSERT_EQ(editor.save(s.g, ""), StorageResult::Done);
        EXPECT_FALSE(editor.hasChanges());
        EXPECT_EQ(s.g.sheet.line(2).text, "Zweckverband Süd-Ost der Gemeinden.");
        EXPECT_EQ(s.g.sheet.line(2).options[static_cast<size_t>(record - optiontext::kRegionFirst)],
                  "Zweckverband Süd-Ost der Gemeinden.");
    }
    // Only the record changed, in the user's file; the shipped file keeps its bytes for "Vorgabewerte".
    const std::string written = test::fileBytes(userFile);
    ASSERT_EQ(written.size(), shippedBytes.size());
    const size_t at = static_cast<size_t>(record - 1) * 35;
    EXPECT_EQ(written.substr(at, 35), "Zweckverband S\xFC"
                                      "d-Ost der Gemeinden.");
    EXPECT_EQ(written.substr(0, at) + written.substr(at + 35),
              shippedBytes.substr(0, at) + shippedBytes.substr(at + 35));
    EXPECT_EQ(test::fileBytes(shipped), shippedBytes);

    Shown restarted(dir.path());
    EXPECT_EQ(restarted.g.sheet.line(2).text, "Zweckverband Süd-Ost der Gemeinden.");
    OptionTextEditor editor(restarted.g, 2020);
    ASSERT_FALSE(editor.restoreDefault(record).has_value());
    EXPECT_TRUE(editor.hasChanges());
    ASSERT_EQ(editor.save(restarted.g, ""), StorageResult::Done);
    EXPECT_EQ(test::fileBytes(userFile), shippedBytes);
}

TEST(OptionTextEditor, WhileProtectedNothingIsWrittenWithoutTheAdministratorPassword) {
    test::TempDir dir;
    test::copyShippedFiles(dir.path());
    Shown s(dir.path());
    ASSERT_EQ(SetProtection(s.g, true), StorageResult::Done);
    const auto file = editedOptionTextPath(s.g, 2020);
    const std::string before = test::fileBytes(file);
    OptionTextEditor editor(s.g, 2020);
    ASSERT_FALSE(editor.enter(s.regionRecord(), "Neuer Name").has_value());

    // "Nein" to lifting the protection, then "Ja" without the password.
    EXPECT_EQ(editor.save(s.g, ""), StorageResult::Refused);
    s.prompter.queue(PromptAnswer::Yes);
    EXPECT_EQ(editor.save(s.g, "falsch"), StorageResult::Refused);
    EXPECT_EQ(test::fileBytes(file), before);
    EXPECT_TRUE(s.g.storage.protection);
    EXPECT_TRUE(editor.hasChanges()); // the typed text is kept for another attempt
    EXPECT_EQ(s.prompter.messages().back().text(), "Die Texte der Auswahllisten wurden nicht gespeichert.");

    s.prompter.queue(PromptAnswer::Yes);
    EXPECT_EQ(editor.save(s.g, administratorPassword()), StorageResult::Done);
    EXPECT_EQ(s.g.sheet.line(2).text, "Neuer Name");
    EXPECT_FALSE(s.g.storage.protection);
}
