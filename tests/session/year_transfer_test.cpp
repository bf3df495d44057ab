// Carrying cases into the following year.

#include "persistence/month_record.h"
#include "session/case_load.h"
#include "session/case_operations.h"
#include "session/guarded.h"
#include "session/year_transfer.h"
#include "storage_fixture.h"

#include <chrono>
#include <ctime>
#include <gtest/gtest.h>

using namespace varemo;
using namespace varemo::test;
namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> record(const fs::path& folder, int year, DataSet set, int month, int n) {
    size_t length = month == 13 ? kYearRecordLength : kMonthRecordLength;
    return readRecordIfExists(findFileIgnoringCase(folder, caseFileName(year, set, month)), length, n)
        .bytes();
}

// December of case n: line 32 key, line 23 key and a marker amount in slot 12.
void setDecember(const fs::path& folder, DataSet set, int n, int16_t oldAgeRelief, int16_t partialMonth) {
    CaseFiles files;
    files.open(folder, 2020, set);
    Case c;
    unpackMonthRecord(files.readMonth(12, n), c);
    c.setKey(KeySlot::Month, 11);
    c.setKey(KeySlot::OldAgeRelief, oldAgeRelief);
    c.setKey(KeySlot::PartialMonth, partialMonth);
    c.enterAmount(AmountSlot::MonthDays, 2800000);
    c.enterAmount(AmountSlot::PaidDays, 1400000);
    c.enterAmount(AmountSlot::Allowance1, 5555);
    files.writeMonth(12, n, packMonthRecord(c));
}

struct TwoYears : StorageFixture {
    TwoYears() {
        EXPECT_TRUE(StartUp(g));
        g.dataSet = DataSet::Real;
        g.year = 2021;
        OpenYearFiles(g);
        EXPECT_EQ(NewCases(g, 3).size(), 3u);
        g.year = 2020;
        OpenYearFiles(g);
        EXPECT_EQ(NewCases(g, 3).size(), 3u);
    }
};

} // namespace

TEST(YearTransfer, OneCaseCarriesDecemberIntoJanuaryAndLeavesTheOtherCasesAlone) {
    TwoYears f;
    setDecember(f.user(), DataSet::Real, 2, 3, 0);
    setDecember(f.user(), DataSet::Plan, 2, 0, 0);
    setDecember(f.user(), DataSet::Info, 2, 2, 1);
    {
        CaseFiles files;
        files.open(f.user(), 2020, DataSet::Plan);
        YearRecord y = files.readYear(2);
        y.setName("Maria Muster");
        files.writeYear(2, y);
    }
    std::map<int, std::vector<uint8_t>> others;
    for (DataSet s : kAllDataSets)
        for (int n : {1, 3})
            others[10 * static_cast<int>(s) + n] = record(f.user(), 2021, s, 13, n);

    f.g.caseNumber = 2;
    f.g.dataSet = DataSet::Plan;
    auto before = treeOf(f.dir.path());
    EXPECT_EQ(TransferCaseToNextYear(f.g), StorageResult::Cancelled);
    EXPECT_EQ(f.prompter.messages().back().title, "Von 2020 nach 2021");
    EXPECT_EQ(f.prompter.messages().back().text(),
              "Der Personalfall Maria Muster wird auf das Folgejahr übertragen.");
    EXPECT_EQ(treeOf(f.dir.path()), before);

    f.prompter.queue(PromptAnswer::Yes);
    ASSERT_EQ(TransferCaseToNextYear(f.g), StorageResult::Done);
    EXPECT_EQ(f.status.lines, (std::vector<std::string>{"Satz 2 von 2 Sätzen."}));
    const int16_t relief[] = {3, 0, 4}; // INFO 2 -> 3, PLAN 0 stays 0, REAL 3 -> 4
    for (DataSet s : kAllDataSets) {
        auto january = record(f.user(), 2021, s, 1, 2);
        EXPECT_EQ(i16At(january, 60), relief[static_cast<int>(s)]);
        // Line 23 "Tage von normal": 31 days; "% Kürzung" (INFO): 100 %.
        int32_t days = s == DataSet::Info ? 10000000 : 3100000;
        EXPECT_EQ(i32At(january, 128), days);
        EXPECT_EQ(i32At(january, 132), days);
        for (int m = 1; m <= 12; ++m) {
            auto month = record(f.user(), 2021, s, m, 2);
            EXPECT_EQ(i16At(month, 38), m - 1) << "month " << m << " calculated";
            EXPECT_EQ(i32At(month, 168), 5555);
        }
        for (int n : {1, 3})
            EXPECT_EQ(record(f.user(), 2021, s, 13, n), others[10 * static_cast<int>(s) + n]);
    }
    EXPECT_EQ(textAt(record(f.user(), 2021, DataSet::Plan, 13, 2), 1015, 12), "Maria Muster");
    EXPECT_EQ(f.g.year, 2020);
    EXPECT_EQ(f.g.dataSet, DataSet::Plan);
    EXPECT_EQ(f.g.files.year(), 2020);

    f.g.caseNumber = 9;
    EXPECT_EQ(TransferCaseToNextYear(f.g), StorageResult::Refused);
}

TEST(YearTransfer, AllCasesAskWarnAndCarryEveryCase) {
    StorageFixture f;
    ASSERT_TRUE(StartUp(f.g));
    f.g.year = 2020;
    OpenYearFiles(f.g);
    ASSERT_EQ(NewCases(f.g, 2).size(), 2u);
    setDecember(f.user(), DataSet::Real, 1, 5, 0);

    f.prompter.queue(PromptAnswer::Yes);
    ASSERT_EQ(TransferAllToNextYear(f.g, 2020), StorageResult::Done);
    EXPECT_EQ(f.titles(), (std::vector<std::string>{"Von 2020 nach 2021", "Bitte Geduld"}));
    EXPECT_EQ(f.status.lines, (std::vector<std::string>{"Satz 1 von 2 Sätzen.", "Satz 2 von 2 Sätzen."}));
    for (DataSet s : kAllDataSets)
        for (int n : {1, 2}) {
            EXPECT_EQ(textAt(record(f.user(), 2021, s, 13, n), 1015, 14),
                      "Personalfall " + std::to_string(n));
            EXPECT_EQ(i16At(record(f.user(), 2021, s, 12, n), 38), 11);
        }
    EXPECT_EQ(i16At(record(f.user(), 2021, DataSet::Real, 1, 1), 60), 6);
    EXPECT_EQ(i16At(record(f.user(), 2021, DataSet::Real, 1, 2), 60), 0);
    EXPECT_EQ(i16At(bytesOf(f.userFile("varemo20.dim")), 508), 3);

    // The following year exists now: the warning names the date of its INFO January file.
    std::tm local{};
    local.tm_year = 2021 - 1900;
    local.tm_mon = 2;
    local.tm_mday = 4;
    local.tm_hour = 5;
    local.tm_min = 6;
    local.tm_sec = 7;
    local.tm_isdst = -1;
    auto when = std::chrono::system_clock::from_time_t(std::mktime(&local));
    fs::last_write_time(f.userFile("V2021I.1"), std::chrono::file_clock::from_sys(when));
    std::vector<uint8_t> texts(3955 * 35, ' ');
    std::copy_n("Erste Zeile", 11, texts.begin() + 3950 * 35);
    std::copy_n("Zweite Zeile", 12, texts.begin() + 3951 * 35);
    writeBytes(f.dir.path() / "Texte" / "MyText20.txt", texts);
    auto before = treeOf(f.dir.path());
    size_t shown = f.prompter.messages().size();
    f.prompter.queue(PromptAnswer::Yes);
    f.prompter.queue(PromptAnswer::No);
    EXPECT_EQ(TransferAllToNextYear(f.g, 2020), StorageResult::Cancelled);
    ASSERT_EQ(f.prompter.messages().size(), shown + 2);
    EXPECT_EQ(f.prompter.messages()[shown].text(), "Erste Zeile\nZweite Zeile");
    EXPECT_EQ(f.prompter.messages()[shown + 1].title, "Warnung");
    EXPECT_TRUE(f.prompter.messages()[shown + 1].refusalIsDefault);
    EXPECT_FALSE(f.prompter.messages()[shown].refusalIsDefault); // the transfer itself overwrites nothing
    EXPECT_EQ(f.prompter.messages()[shown + 1].text(),
              "Wenn Sie JA wählen, werden bereits vorhandene 2021er Dateien überschrieben. Es handelt sich "
              "um die am "
              "04.03.2021 05:06:07 angelegten Dateien. Wollen Sie überschreiben?");
    EXPECT_EQ(treeOf(f.dir.path()), before);
}

TEST(YearTransfer, IsRefusedFrom2021) {
    StorageFixture f;
    ASSERT_TRUE(StartUp(f.g));
    f.g.year = 2021;
    OpenYearFiles(f.g);
    ASSERT_EQ(NewCase(f.g), 1);
    auto before = treeOf(f.dir.path());
    EXPECT_EQ(TransferCaseToNextYear(f.g), StorageResult::Refused);
    EXPECT_EQ(TransferAllToNextYear(f.g, 2021), StorageResult::Refused);
    for (const PromptMessage& m : f.prompter.messages()) {
        EXPECT_EQ(m.title, "Sorry ...");
        EXPECT_EQ(m.text(), "Ein Jahr 2022 ist im Programm noch nicht angelegt.");
    }
    EXPECT_EQ(f.prompter.messages().size(), 2u);
    EXPECT_EQ(treeOf(f.dir.path()), before);
}
