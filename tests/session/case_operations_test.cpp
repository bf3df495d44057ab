// New cases, the model case, copying between data sets, deleting a year, moving and sorting cases.

#include "persistence/calculator_files.h"
#include "persistence/case_memos.h"
#include "persistence/folder_lock.h"
#include "persistence/month_record.h"
#include "persistence/user_files.h"
#include "session/case_load.h"
#include "session/case_memo.h"
#include "session/case_operations.h"
#include "session/guarded.h"
#include "session/line_input.h"
#include "storage_fixture.h"

#include <gtest/gtest.h>
#include <unistd.h>

using namespace varemo;
using namespace varemo::test;
namespace fs = std::filesystem;

namespace {

constexpr size_t kMonthSlotOffset = month_record::keyOffset(KeySlot::Month); // 38

std::vector<uint8_t> record(const fs::path& folder, int year, DataSet set, int month, int n) {
    size_t length = month == 13 ? kYearRecordLength : kMonthRecordLength;
    return readRecordIfExists(findFileIgnoringCase(folder, caseFileName(year, set, month)), length, n)
        .bytes();
}

// Rewrites month m of case n with amount slot 12 set to a marker.
void markMonth(const fs::path& folder, int year, DataSet set, int m, int n, int32_t marker) {
    CaseFiles files;
    files.open(folder, year, set);
    Case c;
    unpackMonthRecord(files.readMonth(m, n), c);
    c.enterAmount(AmountSlot::Allowance1, marker);
    c.setKey(KeySlot::Month, static_cast<int16_t>(m - 1));
    files.writeMonth(m, n, packMonthRecord(c));
}

void nameCase(const fs::path& folder, int year, DataSet set, int n, const std::string& name) {
    CaseFiles files;
    files.open(folder, year, set);
    YearRecord y = files.readYear(n);
    y.setName(name);
    files.writeYear(n, y);
}

struct Started : StorageFixture {
    Started() {
        EXPECT_TRUE(StartUp(g));
        g.year = 2020;
        g.dataSet = DataSet::Real;
        OpenYearFiles(g);
    }
};

} // namespace

TEST(NewCase, CreatesTheNextCaseInAllThreeSetsWithTwelveCalculatedMonths) {
    Started f;
    f.g.selectMonth(5);
    ASSERT_EQ(NewCase(f.g), 1);
    ASSERT_EQ(NewCase(f.g), 2);
    EXPECT_EQ(f.g.caseNumber, 2);
    EXPECT_EQ(f.g.month(), 5);
    EXPECT_EQ(f.g.dataSet, DataSet::Real);
    for (DataSet s : kAllDataSets) {
        for (int n : {1, 2}) {
            auto year = record(f.user(), 2020, s, 13, n);
            EXPECT_EQ(textAt(year, 1015, 35), padded("Personalfall " + std::to_string(n), 35));
            EXPECT_EQ(textAt(year, 51, 3), padded(std::to_string(n), 3));
            for (int m = 1; m <= 12; ++m) {
                auto month = record(f.user(), 2020, s, m, n);
                EXPECT_EQ(i16At(month, kMonthSlotOffset), m - 1) << "calculated as month " << m;
                EXPECT_EQ(i16At(month, 6), 25);                          // slot 4 of the model case
                EXPECT_EQ(textAt(month, 914, 10), std::string(10, ' ')); // date of line 6 cleared
            }
        }
        EXPECT_EQ(fileSize(findFileIgnoringCase(f.user(), caseFileName(2020, s, 13))), 2u * 1920u);
    }
    EXPECT_EQ(i16At(bytesOf(f.userFile("varemo20.dim")), 506),
              3); // count of 2020: two cases + the empty entry
    EXPECT_EQ(i16At(bytesOf(f.userFile("varemo20.dim")), 474), 2);
}

TEST(NewCase, NeverOverwritesCasesTheCountDoesNotKnow) {
    Started f;
    for (int n = 1; n <= 3; ++n)
        nameCase(f.user(), 2020, DataSet::Plan, n, "Vorhanden " + std::to_string(n));
    auto before = bytesOf(findFileIgnoringCase(f.user(), "V2020P.13"));
    EXPECT_EQ(f.g.storage.window.caseCount(2020), 0);
    ASSERT_EQ(NewCase(f.g), 4);
    auto after = bytesOf(findFileIgnoringCase(f.user(), "V2020P.13"));
    EXPECT_EQ(std::vector<uint8_t>(after.begin(), after.begin() + 3 * 1920), before);
    EXPECT_EQ(NewCases(f.g, 10), (std::vector<int>{5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
    EXPECT_EQ(caseCount(f.g, 2020), 15);
}

// The window keeps the folder's lock only while an operation writes: after a new case (whose inner
// steps share the lock), a view and an edit, another program gets it at once.
TEST(NewCase, TheFolderLockIsHeldOnlyWhileAnOperationRuns) {
    Started f;
    ASSERT_EQ(NewCase(f.g), 1);
    EXPECT_NO_THROW(FolderLock(f.user(), std::chrono::milliseconds(0)));
    ASSERT_TRUE(SelectCaseMonth(f.g));
    ASSERT_TRUE(EnterAmount(f.g, AmountSlot::Allowance1, "100"));
    EXPECT_NO_THROW(FolderLock(f.user(), std::chrono::milliseconds(0)));
    EXPECT_EQ(f.g.storage.folderLockDepth, 0);
}

TEST(NewCase, StartsFromTheModelTakenFromTheCurrentCalculation) {
    Started f;
    ASSERT_EQ(NewCase(f.g), 1);
    f.g.selectMonth(3);
    LoadCaseMonth(f.g);
    f.g.workingCase.enterAmount(AmountSlot::Allowance2, 4242);
    // It asks first; "Nein" keeps the model case as it is.
    const auto modelBefore = bytesOf(f.userFile("varemo20.vaa"));
    EXPECT_EQ(AdoptAsModelCase(f.g), StorageResult::Cancelled);
    const PromptMessage& question = f.prompter.messages().back();
    EXPECT_EQ(question.title, "Übernehmen als Voreinstellung");
    EXPECT_EQ(question.buttons, PromptButtons::YesNo);
    EXPECT_TRUE(question.refusalIsDefault);
    EXPECT_EQ(question.text(), "Die aktuelle Berechnung (Personalfall 1, Monat 3/2020) wird Muster für neue "
                               "Personalfälle.\n"
                               "Der bisherige Musterfall wird dabei ersetzt.\n"
                               "Ein neuer Personalfall wird immer mit den Einstellungen des Musterfalls "
                               "angelegt.\n"
                               "Wollen Sie das?");
    EXPECT_EQ(bytesOf(f.userFile("varemo20.vaa")), modelBefore);
    f.prompter.queue(PromptAnswer::Yes);
    ASSERT_EQ(AdoptAsModelCase(f.g), StorageResult::Done);
    EXPECT_EQ(bytesOf(f.userFile("varemo20.vaa")), packMonthRecord(f.g.workingCase).bytes());
    EXPECT_EQ(textAt(bytesOf(f.userFile("varemo20.vbb")), 1015, 14), "Personalfall 1");
    ASSERT_EQ(NewCase(f.g), 2);
    EXPECT_EQ(i32At(record(f.user(), 2020, DataSet::Info, 7, 2), 120 + 4 * 13), 4242);

    f.g.selectMonth(13);
    EXPECT_EQ(AdoptAsModelCase(f.g), StorageResult::Refused);
    EXPECT_EQ(f.prompter.messages().back().title, "Nicht für das Jahresgehalt.");
}

TEST(CopyCase, PlanToRealCopiesTwelveMonthsAndTheColumnAndLeavesInfoAlone) {
    Started f;
    ASSERT_EQ(NewCase(f.g), 1);
    ASSERT_EQ(NewCase(f.g), 2);
    for (int m = 1; m <= 12; ++m)
        markMonth(f.user(), 2020, DataSet::Plan, m, 1, 1000 * m);
    {
        CaseFiles plan;
        plan.open(f.user(), 2020, DataSet::Plan);
        YearRecord y = plan.readYear(1);
        for (int m = 0; m < 12; ++m) {
            y.setMonthValue(m, 1, 0, 111 * (m + 1)); // PLAN column
            y.setMonthValue(m, 0, 0, -5);            // INFO column of the PLAN file
        }
        y.updateYearValues(1);
        plan.writeYear(1, y);
    }
    std::map<std::string, std::vector<uint8_t>> info;
    for (int m = 1; m <= 13; ++m)
        info[std::to_string(m)] = bytesOf(f.userFile("V2020I." + std::to_string(m)));
    auto realCase2 = record(f.user(), 2020, DataSet::Real, 4, 2);

    f.g.caseNumber = 1;
    // The target holds the case: asked first, "Nein" (the default) copies nothing.
    const auto realBefore = treeOf(f.user());
    EXPECT_EQ(CopyCase(f.g, DataSet::Plan, DataSet::Real), StorageResult::Cancelled);
    EXPECT_EQ(f.prompter.messages().back().title, "Von PLAN nach REAL");
    EXPECT_TRUE(f.prompter.messages().back().refusalIsDefault);
    EXPECT_EQ(treeOf(f.user()), realBefore);
    f.prompter.queue(PromptAnswer::Yes);
    ASSERT_EQ(CopyCase(f.g, DataSet::Plan, DataSet::Real), StorageResult::Done);
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(record(f.user(), 2020, DataSet::Real, m, 1), record(f.user(), 2020, DataSet::Plan, m, 1))
            << m;
        EXPECT_EQ(i32At(record(f.user(), 2020, DataSet::Real, m, 1), 120 + 48), 1000 * m);
    }
    auto real = record(f.user(), 2020, DataSet::Real, 13, 1);
    auto plan = record(f.user(), 2020, DataSet::Plan, 13, 1);
    for (int m = 0; m < 12; ++m) {
        EXPECT_EQ(i32At(real, 380 + 4 * (6 * m + 4)), 111 * (m + 1)); // REAL column = PLAN column
        EXPECT_EQ(i32At(real, 380 + 4 * (6 * m + 2)), 111 * (m + 1)); // PLAN column as in the source
        EXPECT_EQ(i32At(real, 380 + 4 * (6 * m + 0)), -5);
    }
    EXPECT_EQ(std::vector<uint8_t>(real.begin() + 668 + 24, real.begin() + 680 + 24),
              std::vector<uint8_t>(plan.begin() + 668 + 12, plan.begin() + 680 + 12));
    for (int m = 1; m <= 13; ++m)
        EXPECT_EQ(bytesOf(f.userFile("V2020I." + std::to_string(m))), info[std::to_string(m)]);
    EXPECT_EQ(record(f.user(), 2020, DataSet::Real, 4, 2), realCase2);
    EXPECT_TRUE(f.g.files.isOpen());
    EXPECT_EQ(f.g.files.dataSet(), DataSet::Real);

    ASSERT_EQ(copyDirection(1), std::make_pair(DataSet::Plan, DataSet::Real));
    ASSERT_EQ(copyDirection(5), std::make_pair(DataSet::Real, DataSet::Info));
    EXPECT_EQ(copyDirection(6), std::nullopt);
}

TEST(CopyCase, RefusesAnEmptySourceAndChangesNothingWhenATargetFileIsUnusable) {
    Started f;
    ASSERT_EQ(NewCase(f.g), 1);
    auto before = treeOf(f.dir.path());
    f.g.caseNumber = 5;
    EXPECT_EQ(CopyCase(f.g, DataSet::Plan, DataSet::Real), StorageResult::Refused);
    EXPECT_EQ(f.prompter.messages().back().text(),
              "Der Personalfall 5 ist im Datenbestand PLAN 2020 nicht vorhanden.\nEs wurde nichts kopiert.");
    EXPECT_EQ(treeOf(f.dir.path()), before);

    f.g.caseNumber = 1;
    fs::remove(f.userFile("V2020R.7"));
    fs::create_directory(f.userFile("V2020R.7"));
    before = treeOf(f.dir.path());
    f.prompter.queue(PromptAnswer::Yes);
    EXPECT_EQ(CopyCase(f.g, DataSet::Plan, DataSet::Real), StorageResult::Failed);
    EXPECT_EQ(f.prompter.messages().back().title, "Fehler");
    EXPECT_EQ(treeOf(f.dir.path()), before);
}

TEST(DeleteYear, AsksAndDeletesTheYearsFilesOnly) {
    Started f;
    f.g.year = 2019;
    OpenYearFiles(f.g);
    ASSERT_EQ(NewCase(f.g), 1);
    f.g.year = 2020;
    OpenYearFiles(f.g);
    ASSERT_EQ(NewCase(f.g), 1);
    for (const char* side : {"bda.19", "Urlaub.019", "Kalender.019", "bda.20", "Merkfeld.019"})
        writeBytes(f.userFile(side), {'s'});
    writeBytes(f.userFile("v2019r.bak"), {'x'});
    // The service-age file of case 1 and the jubilee file of case 19 hold 2019 and 2020.
    for (const std::string& file : {serviceAgeFileName(1), jubileeFileName(19)})
        for (int year : {2019, 2020}) {
            ServiceAgeRecord r;
            r.dates[0] = "01.01." + std::to_string(year - 40);
            writeServiceAgeRecord(f.user(), file, year, r);
        }
    f.g.selectMonth(3);
    LoadCaseMonth(f.g);
    f.g.workingCase.enterAmount(AmountSlot::Allowance2, 777);
    f.prompter.queue(PromptAnswer::Yes);
    ASSERT_EQ(AdoptAsModelCase(f.g), StorageResult::Done);

    auto before = treeOf(f.dir.path());
    EXPECT_EQ(DeleteYear(f.g, 2019), StorageResult::Cancelled);
    const PromptMessage& warning = f.prompter.messages().back();
    EXPECT_EQ(warning.title, "W A R N U N G !");
    EXPECT_EQ(warning.buttons, PromptButtons::OkCancel);
    EXPECT_TRUE(warning.refusalIsDefault); // Enter keeps the year
    EXPECT_EQ(warning.text(),
              "Bei Auswahl von  O K  werden   a l l e  bisher für  2019  eingegebenen Namen\n"
              "und die dazu gehörenden Personaldaten einschließlich der Kostenstellen   g e l ö s c h t .\n"
              "Änderungen in den Tarifdateien und der Textdatei bleiben erhalten.");
    EXPECT_EQ(treeOf(f.dir.path()), before);

    f.prompter.queue(PromptAnswer::Ok);
    ASSERT_EQ(DeleteYear(f.g, 2019), StorageResult::Done);
    for (DataSet s : kAllDataSets)
        for (int m = 1; m <= 13; ++m)
            EXPECT_FALSE(fs::exists(f.userFile(caseFileName(2019, s, m))));
    EXPECT_FALSE(fs::exists(f.userFile("v2019r.bak")));
    EXPECT_FALSE(fs::exists(f.userFile("bda.19")));
    EXPECT_FALSE(fs::exists(f.userFile("Urlaub.019")));
    EXPECT_FALSE(fs::exists(f.userFile("Merkfeld.019")));
    EXPECT_TRUE(fs::exists(f.userFile("Kalender.019")));
    EXPECT_TRUE(fs::exists(f.userFile("bda.20")));
    for (const std::string& file : {serviceAgeFileName(1), jubileeFileName(19)}) {
        EXPECT_TRUE(readServiceAgeRecord(f.user(), file, 2019).empty()) << file;
        EXPECT_EQ(readServiceAgeRecord(f.user(), file, 2020).dates[0], "01.01.1980") << file;
    }
    for (int m = 1; m <= 13; ++m)
        EXPECT_EQ(bytesOf(f.userFile("V2020R." + std::to_string(m))),
                  before["User001/V2020R." + std::to_string(m)]);
    EXPECT_EQ(bytesOf(f.userFile("varemo20.vaa")), defaultModelMonth().bytes());
    EXPECT_EQ(i16At(bytesOf(f.userFile("varemo20.dim")), 504), 0);
    EXPECT_EQ(f.g.year, 2020);

    // Deleting the current year leaves it with case 1.
    ASSERT_EQ(NewCase(f.g), 2);
    f.prompter.queue(PromptAnswer::Ok);
    ASSERT_EQ(DeleteYear(f.g, 2020), StorageResult::Done);
    EXPECT_EQ(f.g.caseNumber, 1);
    for (DataSet s : kAllDataSets) {
        EXPECT_EQ(fileSize(f.userFile(caseFileName(2020, s, 13))), 1920u);
        EXPECT_EQ(textAt(record(f.user(), 2020, s, 13, 1), 1015, 14), "Personalfall 1");
    }
    EXPECT_EQ(i16At(bytesOf(f.userFile("varemo20.dim")), 506), 2);
}

TEST(MoveSort, NeedsThreeBackupsAndOfferToSwitchThemOn) {
    Started f;
    ASSERT_EQ(NewCase(f.g), 1);
    auto before = treeOf(f.dir.path());
    EXPECT_EQ(SortCases(f.g), StorageResult::Refused);
    EXPECT_EQ(f.prompter.messages().back().text(),
              "Das Verschieben und Sortieren von Personalfällen ist gefahrlos erst möglich,\n"
              "wenn bereits   d r e i   Sitzungen gesichert worden sind.\n"
              "Dies ist noch nicht der Fall.\n"
              "Wollen Sie das Sichern der Sitzungen jetzt aktivieren ?");
    EXPECT_EQ(treeOf(f.dir.path()), before);
    f.prompter.queue(PromptAnswer::Ok);
    EXPECT_EQ(MoveCase(f.g, 1, 1), StorageResult::Refused);
    EXPECT_EQ(i16At(bytesOf(f.userFile("varemo20.dim")), 546), 1);
}

TEST(MoveSort, RenumbersEveryMonthAndYearFileOfEveryDataSet) {
    Started f;
    writeBytes(f.user() / "Backup3" / "varemo20.dim", {1});
    ASSERT_EQ(NewCases(f.g, 3).size(), 3u);
    const char* names[] = {"Zander", "adler", "Müller"};
    for (DataSet s : kAllDataSets)
        for (int n = 1; n <= 3; ++n) {
            nameCase(f.user(), 2020, s, n, names[n - 1]);
            for (int m = 1; m <= 12; ++m)
                markMonth(f.user(), 2020, s, m, n, 100 * n + m);
        }
    f.g.caseNumber = 1;
    ASSERT_EQ(SortCases(f.g), StorageResult::Done);
    const int expected[] = {2, 3, 1}; // adler, Müller, Zander
    for (DataSet s : kAllDataSets)
        for (int i = 1; i <= 3; ++i) {
            int old = expected[i - 1];
            auto year = record(f.user(), 2020, s, 13, i);
            RecordBuffer buffer(kYearRecordLength);
            buffer.bytes() = year;
            EXPECT_EQ(YearRecord(buffer).name(), names[old - 1]);
            EXPECT_EQ(textAt(year, 51, 3), padded(std::to_string(i), 3));
            for (int m = 1; m <= 12; ++m)
                EXPECT_EQ(i32At(record(f.user(), 2020, s, m, i), 168), 100 * old + m);
        }
    EXPECT_EQ(f.g.caseNumber, 3); // Zander, shown before, is now case 3

    ASSERT_EQ(MoveCase(f.g, 3, 1), StorageResult::Done);
    EXPECT_EQ(i32At(record(f.user(), 2020, DataSet::Plan, 5, 1), 168), 105);
    EXPECT_EQ(i32At(record(f.user(), 2020, DataSet::Plan, 5, 2), 168), 205);
    EXPECT_EQ(i32At(record(f.user(), 2020, DataSet::Plan, 5, 3), 168), 305);
    EXPECT_EQ(fileSize(f.userFile("V2020I.13")), 3u * 1920u);
    EXPECT_EQ(MoveCase(f.g, 0, 2), StorageResult::Refused);

    EXPECT_EQ(sortedCaseOrder({"", "Özil", "ober", "Abel"}), (std::vector<int>{4, 3, 2, 1}));
}

TEST(MoveSort, TheCalculatorsRecordsAndTheMemosMoveWithTheirCases) {
    Started f;
    writeBytes(f.user() / "Backup3" / "varemo20.dim", {1});
    ASSERT_EQ(NewCases(f.g, 3).size(), 3u);
    // Case n has birthday 0n.01.1970 in its service-age and vacation records of 2020 (the vacation
    // record's last period line begins then), a service-age record of 2021 that no renumbering of 2020
    // may touch, and the memo "Fall n"; case 2 has none of 2020's records, so that an empty record moves
    // too.
    for (int n : {1, 3}) {
        ServiceAgeRecord bda;
        bda.dates[0] = "0" + std::to_string(n) + ".01.1970";
        writeServiceAgeRecord(f.user(), serviceAgeFileName(n), 2020, bda);
        VacationRecord vacation;
        vacation.birthday = bda.dates[0];
        vacation.periodLines[5] = "von " + bda.dates[0] + " bis 31.12.2020 = 7";
        writeVacationRecord(f.user(), 2020, n, vacation);
        WorkingTimeRecord times; // twelve records a case: December's moves with the rest
        times.hourlyRateCents = n;
        writeWorkingTimeRecord(f.user(), 2020, n, 12, times);
    }
    for (int n = 1; n <= 3; ++n) {
        ServiceAgeRecord later;
        later.dates[0] = "0" + std::to_string(n) + ".02.1980";
        writeServiceAgeRecord(f.user(), serviceAgeFileName(n), 2021, later);
        ASSERT_TRUE(saveCaseMemo(f.g, 2020, n, "Fall " + std::to_string(n)));
    }
    ASSERT_TRUE(saveCaseMemo(f.g, 2020, 7, "Fall 7")); // beyond the cases: keeps its number

    // Case 3 to the top: the new order is 3, 1, 2.
    ASSERT_EQ(MoveCase(f.g, 3, 1), StorageResult::Done);
    const char* expected[] = {"03.01.1970", "01.01.1970", ""};
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(readServiceAgeRecord(f.user(), serviceAgeFileName(n), 2020).dates[0], expected[n - 1]) << n;
        EXPECT_EQ(readServiceAgeRecord(f.user(), serviceAgeFileName(n), 2021).dates[0],
                  "0" + std::to_string(n) + ".02.1980");
        bool found = false;
        const VacationRecord v = readVacationRecord(f.user(), 2020, n, &found);
        EXPECT_EQ(found, n != 3);
        if (found) {
            EXPECT_EQ(v.birthday, expected[n - 1]);
            EXPECT_EQ(v.periodLines[5], "von " + std::string(expected[n - 1]) + " bis 31.12.2020 = 7");
        }
        const int rates[] = {3, 1, 0};
        EXPECT_EQ(readWorkingTimeRecord(f.user(), 2020, n, 12).hourlyRateCents, rates[n - 1]) << n;
    }
    const std::string memos = "1;Fall 3\r\n2;Fall 1\r\n3;Fall 2\r\n7;Fall 7\r\n";
    EXPECT_EQ(bytesOf(f.userFile("Merkfeld.020")), std::vector<uint8_t>(memos.begin(), memos.end()));
}

TEST(CaseMemo, KeptPerCaseAndYearAndAFailedWriteChangesNothing) {
    Started f;
    ASSERT_EQ(NewCase(f.g), 1);
    ASSERT_EQ(NewCase(f.g), 2);
    ASSERT_TRUE(saveCaseMemo(f.g, 2020, 1, "  1.234,56 Zulage?  "));
    ASSERT_TRUE(saveCaseMemo(f.g, 2020, 2, "Prüfen"));
    ASSERT_TRUE(saveCaseMemo(f.g, 2019, 1, "Vorjahr"));
    f.g.caseNumber = 1;
    EXPECT_EQ(shownCaseMemo(f.g), "1.234,56 Zulage?");
    f.g.caseNumber = 2;
    EXPECT_EQ(shownCaseMemo(f.g), "Prüfen");
    // One line per case, Windows-1252 like every text the program stores.
    const std::string expected = "1;1.234,56 Zulage?\r\n2;Pr\xFC"
                                 "fen\r\n";
    EXPECT_EQ(bytesOf(f.userFile("Merkfeld.020")), std::vector<uint8_t>(expected.begin(), expected.end()));

    // Emptying the field removes the memo; the last one removes the file.
    ASSERT_TRUE(saveCaseMemo(f.g, 2019, 1, " "));
    EXPECT_FALSE(fs::exists(f.userFile("Merkfeld.019")));

    // A folder that cannot be written: the message says so and the memos stay as they were.
    const auto before = bytesOf(f.userFile("Merkfeld.020"));
    fs::permissions(f.user(), fs::perms::owner_write, fs::perm_options::remove);
    const bool saved = saveCaseMemo(f.g, 2020, 2, "neu");
    fs::permissions(f.user(), fs::perms::owner_write, fs::perm_options::add);
    if (::geteuid() != 0) { // root writes anyway
        EXPECT_FALSE(saved);
        EXPECT_EQ(f.prompter.messages().back().title, "Fehler");
        EXPECT_EQ(bytesOf(f.userFile("Merkfeld.020")), before);
    }
}

TEST(DeleteCase, AsksStartingOnNoThenClosesTheGapInEveryFileOfEveryDataSet) {
    Started f;
    writeBytes(f.user() / "Backup3" / "varemo20.dim", {1});
    ASSERT_EQ(NewCases(f.g, 3).size(), 3u);
    for (DataSet s : kAllDataSets)
        for (int n = 1; n <= 3; ++n) {
            nameCase(f.user(), 2020, s, n, "Fall " + std::to_string(n));
            for (int m = 1; m <= 12; ++m)
                markMonth(f.user(), 2020, s, m, n, 100 * n + m);
        }
    ASSERT_TRUE(saveCaseMemo(f.g, 2020, 2, "weg"));
    ASSERT_TRUE(saveCaseMemo(f.g, 2020, 3, "bleibt"));
    f.g.caseNumber = 3;
    auto before = treeOf(f.dir.path());
    EXPECT_EQ(DeleteCase(f.g, 2), StorageResult::Cancelled); // the fallback answer is "Nein"
    EXPECT_TRUE(f.prompter.messages().back().refusalIsDefault);
    EXPECT_EQ(f.prompter.messages().back().title, kDeleteCaseTitle);
    EXPECT_EQ(treeOf(f.dir.path()), before);

    f.prompter.queue(PromptAnswer::Yes);
    ASSERT_EQ(DeleteCase(f.g, 2), StorageResult::Done);
    for (DataSet s : kAllDataSets) {
        EXPECT_EQ(fileSize(f.userFile(caseFileName(2020, s, 13))), 2u * 1920u);
        for (int m = 1; m <= 12; ++m) {
            EXPECT_EQ(fileSize(f.userFile(caseFileName(2020, s, m))), 2u * kMonthRecordLength);
            EXPECT_EQ(i32At(record(f.user(), 2020, s, m, 1), 168), 100 + m);
            EXPECT_EQ(i32At(record(f.user(), 2020, s, m, 2), 168), 300 + m);
        }
        auto year = record(f.user(), 2020, s, 13, 2);
        EXPECT_EQ(textAt(year, 1015, 6), "Fall 3");
        EXPECT_EQ(textAt(year, 51, 3), padded("2", 3));
    }
    EXPECT_EQ(f.g.caseNumber, 2); // the case shown before keeps being shown under its new number
    EXPECT_EQ(readCaseMemos(f.user(), 2020), (std::map<int, std::string>{{2, "bleibt"}}));
    EXPECT_EQ(i16At(bytesOf(f.userFile("varemo20.dim")), 506), 3); // two cases and the empty entry

    // Numbers outside the list and the last remaining case are refused without a change.
    EXPECT_EQ(DeleteCase(f.g, 3), StorageResult::Refused);
    f.prompter.queue(PromptAnswer::Yes);
    ASSERT_EQ(DeleteCase(f.g, 1), StorageResult::Done);
    before = treeOf(f.dir.path());
    EXPECT_EQ(DeleteCase(f.g, 1), StorageResult::Refused);
    EXPECT_EQ(treeOf(f.dir.path()), before);
}
