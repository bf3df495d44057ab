// The tariff editor: the rounding of a raise, the checks of typed values, copying into later months,
// and writing all files or none, behind the protection switch.

#include "persistence/settings_file.h"
#include "session/tariff_editor.h"
#include "session/tariff_hand_edits.h"
#include "session/users.h"
#include "storage_fixture.h"

#include <gtest/gtest.h>

using namespace varemo;
using namespace varemo::test;

namespace {

// A year of tariff files with one table: region 0, service relationship 0 (base record 1), group 8 in
// record 9 holding 3.142,39 at entry 2 (step 3) and nothing beyond entry 7.
struct TariffFolder : StorageFixture {
    static constexpr int32_t kRecord = 9;
    TariffFolder() {
        TariffRecord cells;
        for (int k = 0; k < 8; ++k) {
            cells.row[static_cast<size_t>(k)] = 300000 + 7000 * k;
            cells.hasAmount.set(static_cast<size_t>(k));
        }
        cells.row[2] = 314239;
        std::vector<uint8_t> file(kRecord * kTariffRecordLength, 0);
        const RecordBuffer record = encodeTariffRecord(cells);
        std::copy(record.bytes().begin(), record.bytes().end(), file.begin() + (kRecord - 1) * 108);
        for (int month = 1; month <= 12; ++month)
            writeBytes(tariffFilePath(dir.path(), 2020, month), file);
        EXPECT_TRUE(StartUp(g));
        g.tariffs = TariffYear(dir.path(), 2020); // the year the session shows
    }
    // The files of the folder without its lock files, which stay once a write has taken the lock.
    std::map<std::string, std::vector<uint8_t>> tariffs() const {
        auto files = treeOf(dir.path() / "Tarife");
        std::erase_if(files, [](const auto& file) { return file.first.starts_with(".varemo-sperre"); });
        return files;
    }
};

} // namespace

TEST(TariffEditor, ARaiseRoundsEachAmountHalfUpToTheCentAndKeepsTheMinimum) {
    struct Case {
        int32_t cents, hundredths, minimum, expected;
    };
    const Case cases[] = {
        {314239, 320, 0, 324295},     // 3.142,39 x 1,032 = 3.242,94648 -> 3.242,95
        {10, 500, 0, 11},             // 0,10 x 1,05 = 0,105: the half cent goes up (commercial rounding)
        {200000, 320, 10000, 210000}, // 2.000,00 x 1,032 = 2.064,00 < 2.000,00 + 100,00 (the minimum)
        {500000, 320, 10000, 516000}, // 5.000,00 x 1,032 = 5.160,00 > 5.100,00
        {0, 320, 10000, 0},           // a cell at 0 stays 0, the minimum included
    };
    for (const Case& c : cases)
        EXPECT_EQ(raisedAmount(c.cents, TariffRaise{7, c.hundredths, c.minimum}), c.expected) << c.cents;

    EXPECT_EQ(parseTariffAmount("3.142,39", 0), 314239);
    EXPECT_EQ(parseTariffAmount("  ", 0), std::nullopt); // no amount
    EXPECT_EQ(parseTariffAmount("-64,04", 23), -6404);   // a teacher's amount may be negative
    for (const char* bad : {"-1,00", "3.142,399", "drei", "100.000,00"})
        EXPECT_THROW(parseTariffAmount(bad, 0), TariffInputError) << bad;
    EXPECT_EQ(parseRaisePercent("3,2"), 320);
    EXPECT_EQ(parseRaiseMinimum(""), 0);
    EXPECT_EQ(parseRaiseMinimum("100"), 10000);
    for (const char* bad : {"0", "50,01", "", "3,125"})
        EXPECT_THROW(parseRaisePercent(bad), TariffInputError) << bad;
    EXPECT_EQ(parseEntryRange("0-14"), (std::pair{0, 14}));
    EXPECT_EQ(parseEntryRange(""), (std::pair{0, 26}));
    for (const char* bad : {"7-0", "27", "0-x", "1,5"})
        EXPECT_THROW(parseEntryRange(bad), TariffInputError) << bad;
}

TEST(TariffEditor, CopyAndRaiseChangeOnlyTheMonthsAndTableChosen) {
    TariffFolder f;
    TariffEdit edit(f.dir.path(), 2020);
    const TariffScope table = TariffScope::table(0, 0);
    ASSERT_EQ(edit.table(3, 0, 0, {}).size(), 1u);
    EXPECT_EQ(edit.table(3, 0, 0, {}).front().label, "Gruppe 9");
    EXPECT_EQ(edit.records(3, TariffScope::record(0, 0, 8)), std::vector<int32_t>{TariffFolder::kRecord});

    edit.setAmount(3, TariffFolder::kRecord, 10, "1.000,00"); // a step the table had none for
    EXPECT_THROW(edit.setAmount(3, TariffFolder::kRecord, 2, "x"), TariffInputError);
    edit.copy(3, 5, table);
    EXPECT_EQ(edit.changedMonths(), (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(edit.record(5, TariffFolder::kRecord).amount(10), 100000);
    EXPECT_EQ(edit.record(5, TariffFolder::kRecord).amount(11), std::nullopt); // the marker is kept
    EXPECT_THROW(edit.copy(5, 5, table), TariffInputError);

    EXPECT_EQ(edit.planRaise(table, TariffRaise{7, 320, 0, 2, 3}).size(), 6u * 2u); // entries 2 and 3
    const auto changes = edit.planRaise(table, TariffRaise{7, 320, 0});
    EXPECT_EQ(changes.size(), 6u * 8u);                           // July to December, eight amounts each
    EXPECT_EQ(edit.changedMonths(), (std::vector<int>{3, 4, 5})); // a plan changes nothing
    edit.apply(changes);
    EXPECT_EQ(edit.record(6, TariffFolder::kRecord).amount(2), 314239);
    EXPECT_EQ(edit.record(7, TariffFolder::kRecord).amount(2), 324295);
}

TEST(TariffEditor, WritingReplacesAllFilesOrNoneAndNeedsThePasswordWhileProtected) {
    TariffFolder f;
    TariffEdit edit(f.dir.path(), 2020);
    edit.apply(edit.planRaise(TariffScope::table(0, 0), TariffRaise{7, 320, 0}));
    const auto before = f.tariffs();

    // Protected: "Ja" to lifting it, but a wrong password writes nothing and keeps the protection.
    ASSERT_EQ(SetProtection(f.g, true), StorageResult::Done);
    f.prompter.queue(PromptAnswer::Yes);
    EXPECT_EQ(writeTariffEdit(f.g, edit, [] { return std::string("falsch"); }), TariffWriteResult::Refused);
    EXPECT_TRUE(f.g.storage.protection);
    EXPECT_EQ(f.tariffs(), before);
    ASSERT_EQ(SetProtection(f.g, false), StorageResult::Done);

    // The August file cannot be written (its place is taken): the months before it are not replaced.
    std::filesystem::create_directories(f.dir.path() / "Tarife" / "20208.ttt.neu" / "belegt");
    EXPECT_EQ(writeTariffEdit(f.g, edit, [] { return std::string(); }), TariffWriteResult::Failed);
    EXPECT_EQ(f.prompter.messages().back().lines.back(), "Die Tarifdateien sind unverändert.");
    std::filesystem::remove_all(f.dir.path() / "Tarife" / "20208.ttt.neu");
    EXPECT_EQ(f.tariffs(), before);
    EXPECT_EQ(f.g.tariffs.readRecord(7, TariffFolder::kRecord).amount(2), 314239);

    EXPECT_EQ(writeTariffEdit(f.g, edit, [] { return std::string(); }), TariffWriteResult::Written);
    EXPECT_FALSE(edit.hasChanges());
    // The session reads the new files at once; June is untouched.
    EXPECT_EQ(f.g.tariffs.readRecord(7, TariffFolder::kRecord).amount(2), 324295);
    EXPECT_EQ(f.g.tariffs.readRecord(6, TariffFolder::kRecord).amount(2), 314239);
    EXPECT_EQ(TariffEdit(f.dir.path(), 2020).record(12, TariffFolder::kRecord).amount(2), 324295);
    // No file is left beside them but the record of the months changed by hand, written with them.
    EXPECT_EQ(f.tariffs().size(), before.size() + 1);
    EXPECT_EQ(handEditedMonths(readTariffHandEdits(f.dir.path() / "Tarife"), 2020),
              (std::vector<int>{7, 8, 9, 10, 11, 12}));
}
