// What keeps the user folder whole when something else works on it too, or when its files are damaged:
// the folder lock, the case count, viewing a case that does not exist, and refused master data.

#include "persistence/case_files.h"
#include "persistence/folder_lock.h"
#include "persistence/year_record.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using varemo::test::changedFiles;
using varemo::test::CliResult;
using varemo::test::filesBelow;
using varemo::test::TempDir;

namespace {

CliResult run(const TempDir& dir, const std::vector<std::string>& args) {
    std::vector<std::string> all = {"--program-dir", dir.path().string()};
    all.insert(all.end(), args.begin(), args.end());
    return varemo::test::runCli(all);
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The case numbers a new-case run printed ("12  Personalfall 12" per line).
std::vector<int> printedNumbers(const std::string& out) {
    std::vector<int> numbers;
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line))
        numbers.push_back(std::stoi(line));
    return numbers;
}

} // namespace

// While another program holds the folder, a write waits its patience and then gives up with the
// message, having changed nothing; once the folder is free the same command goes through.
TEST(CliStorageGuard, AWriteWaitsForTheFolderAndGivesUpWithoutChangingAnything) {
    TempDir dir;
    ASSERT_EQ(run(dir, {"new-case", "--year", "2020"}).status, 0);
    const std::vector<std::string> edit = {"set", "--year",  "2020", "--set",    "REAL",  "--case",
                                           "1",   "--month", "3",    "--amount", "12=500"};
    {
        varemo::FolderLock otherProgram(dir.path() / "User001");
        const auto before = filesBelow(dir.path());

        CliResult set = run(dir, edit);
        EXPECT_EQ(set.status, 3) << set.err;
        EXPECT_TRUE(contains(set.err,
                             "[Fehler] Die Daten werden gerade von einem anderen Programm bearbeitet. "
                             "Es wurde nichts verändert."))
            << set.err;
        EXPECT_EQ(changedFiles(before, filesBelow(dir.path())), std::vector<std::string>{});

        CliResult created = run(dir, {"new-case", "--year", "2020"});
        EXPECT_EQ(created.status, 3) << created.err;
        EXPECT_TRUE(contains(created.err, "[Fehler] Das Anlegen eines neuen Personalfalls konnte nicht "
                                          "ausgeführt werden.\nUrsache: Die Daten werden gerade von einem "
                                          "anderen Programm bearbeitet.\nEs wurde nichts verändert."))
            << created.err;
        EXPECT_EQ(created.out, "");
        EXPECT_EQ(changedFiles(before, filesBelow(dir.path())), std::vector<std::string>{});
    }
    CliResult set = run(dir, edit);
    EXPECT_EQ(set.status, 0) << set.err;
}

// Two programs creating 30 cases each at the same time: one case before, 60 new ones with the numbers
// 2 to 61, each number once, and every year record naming its own case (before, both read the same
// count and wrote over each other's cases: 59 records instead of 61).
TEST(CliStorageGuard, ConcurrentNewCasesGetNumbersOfTheirOwn) {
    TempDir dir;
    ASSERT_EQ(run(dir, {"new-case", "--year", "2020"}).status, 0);
    CliResult first;
    CliResult second;
    const std::vector<std::string> thirty = {"new-case", "--year", "2020", "--count", "30"};
    std::thread other([&] { first = run(dir, thirty); });
    second = run(dir, thirty);
    other.join();
    ASSERT_EQ(first.status, 0) << first.err;
    ASSERT_EQ(second.status, 0) << second.err;

    std::vector<int> numbers = printedNumbers(first.out);
    for (int n : printedNumbers(second.out))
        numbers.push_back(n);
    EXPECT_EQ(numbers.size(), 60u);
    const std::set<int> distinct(numbers.begin(), numbers.end());
    ASSERT_EQ(distinct.size(), 60u);
    EXPECT_EQ(*distinct.begin(), 2);
    EXPECT_EQ(*distinct.rbegin(), 61);

    for (const char* set : {"I", "P", "R"}) {
        const fs::path yearFile = dir.path() / "User001" / (std::string("V2020") + set + ".13");
        ASSERT_EQ(fs::file_size(yearFile), 61u * varemo::kYearRecordLength) << yearFile;
        for (int n = 1; n <= 61; ++n) {
            varemo::YearRecord y(varemo::readRecordIfExists(yearFile, varemo::kYearRecordLength, n));
            EXPECT_EQ(y.name(), "Personalfall " + std::to_string(n)) << set << " " << n;
        }
    }
}

// A damaged case count in the window record (32767 for 2020) does not make recalc-all work through
// 32766 cases (before, it wrote 628 MB of "Neuer Personalfall"): the two stored cases are recalculated
// and every file keeps its two records.
TEST(CliStorageGuard, ADamagedCountInTheWindowRecordMakesNoCases) {
    TempDir dir;
    ASSERT_EQ(run(dir, {"new-case", "--year", "2020", "--count", "2"}).status, 0);
    const fs::path user = dir.path() / "User001";
    {
        std::fstream dim(user / "varemo20.dim", std::ios::in | std::ios::out | std::ios::binary);
        dim.seekp(500 + 2 * (2020 - 2017)); // the count of 2020, 16-bit little-endian
        dim.put(char(0xFF));
        dim.put(char(0x7F));
    }
    CliResult r = run(dir, {"--answer", "yes", "recalc-all", "--year", "2020", "--set", "REAL"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "2 Personalfälle, 24 Monate neu berechnet\n");
    EXPECT_EQ(fs::file_size(user / "V2020R.1"), 2u * 1513u);
    EXPECT_EQ(fs::file_size(user / "V2020R.13"), 2u * varemo::kYearRecordLength);

    CliResult created = run(dir, {"new-case", "--year", "2020"});
    EXPECT_EQ(created.out, "3  Personalfall 3\n") << created.err;
}

// A year file padded to 60 MB (31521 records, all but the first two never written) is no list of
// 31521 cases: the transfer carries the two cases and writes a year file of two records. With a
// record written at its end the files claim a case beyond the 9999 the program keeps: the transfer,
// the recalculation and a new case are refused, and no file changes.
TEST(CliStorageGuard, AnOversizedYearFileIsNoListOfCases) {
    TempDir dir;
    ASSERT_EQ(run(dir, {"new-case", "--year", "2020", "--count", "2"}).status, 0);
    const fs::path user = dir.path() / "User001";
    fs::resize_file(user / "V2020R.13", 31521u * varemo::kYearRecordLength);

    CliResult transfer = run(dir, {"--answer", "yes", "transfer", "--year", "2020", "--all"});
    ASSERT_EQ(transfer.status, 0) << transfer.err;
    EXPECT_TRUE(contains(transfer.err, "Satz 2 von 2 Sätzen.\n")) << transfer.err;
    EXPECT_FALSE(contains(transfer.err, "Satz 3")) << transfer.err;
    EXPECT_EQ(fs::file_size(user / "V2021R.13"), 2u * varemo::kYearRecordLength);
    EXPECT_EQ(fs::file_size(user / "V2021I.1"), 2u * 1513u);

    {
        std::fstream year(user / "V2020R.13", std::ios::in | std::ios::out | std::ios::binary);
        year.seekp(31521 * varemo::kYearRecordLength - 1);
        year.put('x');
    }
    const auto before = filesBelow(dir.path());
    const std::string damaged =
        "Die Dateien des Jahres 2020 enthalten einen Personalfall 31521, das Programm führt aber höchstens "
        "9999. Die Dateien sind beschädigt.";
    CliResult again = run(dir, {"--answer", "yes", "transfer", "--year", "2020", "--all"});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(contains(again.err, "[Sorry] " + damaged + "\nEs wurde nichts verändert.")) << again.err;
    CliResult recalc = run(dir, {"--answer", "yes", "recalc-all", "--year", "2020", "--set", "REAL"});
    EXPECT_EQ(recalc.status, 1);
    EXPECT_TRUE(contains(recalc.err, damaged)) << recalc.err;
    CliResult created = run(dir, {"new-case", "--year", "2020"});
    EXPECT_EQ(created.status, 3);
    EXPECT_TRUE(contains(created.err, damaged)) << created.err;
    EXPECT_EQ(changedFiles(before, filesBelow(dir.path())), std::vector<std::string>{});
}

// Viewing or editing a case that does not exist says so and writes nothing (before, case 9999 was
// written as "Neuer Personalfall", 15 MB of files, and the next new case got the number 10000).
TEST(CliStorageGuard, ViewingACaseThatDoesNotExistCreatesNothing) {
    TempDir dir;
    ASSERT_EQ(run(dir, {"new-case", "--year", "2020"}).status, 0);
    const auto before = filesBelow(dir.path());

    CliResult sheet =
        run(dir, {"sheet", "--year", "2020", "--set", "REAL", "--case", "9999", "--month", "1", "--json"});
    EXPECT_EQ(sheet.status, 1);
    EXPECT_EQ(sheet.out, "");
    EXPECT_EQ(sheet.err, "[Sorry] Den Personalfall 9999 gibt es im Jahr 2020 nicht.\n"
                         "Einen neuen Personalfall legt der Befehl new-case an.\n");
    CliResult set = run(
        dir, {"set", "--year", "2020", "--set", "PLAN", "--case", "2", "--month", "1", "--amount", "12=100"});
    EXPECT_EQ(set.status, 1);
    EXPECT_TRUE(contains(set.err, "Den Personalfall 2 gibt es im Jahr 2020 nicht.")) << set.err;
    EXPECT_EQ(changedFiles(before, filesBelow(dir.path())), std::vector<std::string>{});

    EXPECT_EQ(run(dir, {"new-case", "--year", "2020"}).out, "2  Personalfall 2\n");
    EXPECT_EQ(run(dir, {"sheet", "--year", "2020", "--set", "REAL", "--case", "2", "--month", "1"}).status,
              0);
}

// The master data survive the program's end in the year record, print in the salary calculation's
// head and bank line and in the wage-tax certificate, and leave every other byte of the record as it
// was. A refused value (check digit of § 139b AO: 12345678995 is valid, its last digit changed is not)
// stores nothing at all, not even the valid values given with it.
TEST(CliStorageGuard, MasterDataAreKeptPrintedAndRefusedWhole) {
    TempDir dir;
    varemo::test::copyShippedFiles(dir.path());
    ASSERT_EQ(run(dir, {"new-case", "--year", "2020"}).status, 0);
    const std::vector<std::string> select = {"--year", "2020", "--set", "REAL", "--case", "1"};
    auto command = [&](std::vector<std::string> args) {
        args.insert(args.end(), select.begin(), select.end());
        return run(dir, args);
    };
    const fs::path yearFile = dir.path() / "User001" / "V2020R.13";
    const varemo::YearRecord before(varemo::readRecordIfExists(yearFile, varemo::kYearRecordLength, 1));

    CliResult set =
        command({"master-data", "set", "--personal-number", "4711", "--tax-id", "12345678995", "--birthday",
                 "01.02.1970", "--address1", "Hauptstraße 1", "--address2", "12345 Musterstadt", "--iban",
                 "DE89 3704 0044 0532 0130 00", "--bic", "COBADEFFXXX"});
    ASSERT_EQ(set.status, 0) << set.err;
    const CliResult got = command({"master-data", "get", "--json"});
    EXPECT_TRUE(contains(got.out,
                         "{\"personalNumber\":\"4711\",\"taxId\":\"12345678995\",\"birthday\":"
                         "\"01.02.1970\",\"address1\":\"Hauptstraße 1\",\"address2\":\"12345 "
                         "Musterstadt\",\"iban\":\"DE89370400440532013000\",\"bic\":\"COBADEFFXXX\""))
        << got.out;
    const varemo::YearRecord after(varemo::readRecordIfExists(yearFile, varemo::kYearRecordLength, 1));
    size_t changed = 0;
    for (size_t i = 0; i < varemo::kYearRecordLength; ++i)
        if (before.buffer().bytes()[i] != after.buffer().bytes()[i]) {
            EXPECT_TRUE((i >= 10 && i < 20) || (i >= 114 && i < 252)) << "byte " << i;
            ++changed;
        }
    EXPECT_GT(changed, 0u);

    const CliResult salary = command({"print", "--kind", "11", "--text", "--month", "1"});
    for (const char* text : {"Pers.Nr.    4711", "Steuer-ID    12345678995", "Geb.tag  01.02.1970",
                             "Hauptstraße 1", "IBAN: DE89 3704 0044 0532 0130 00  BIC: COBADEFFXXX"})
        EXPECT_TRUE(contains(salary.out, text)) << text << "\n" << salary.out << salary.err;
    const CliResult certificate = command({"print", "--kind", "45", "--text", "--month", "1"});
    EXPECT_TRUE(contains(certificate.out, "Steuer-ID  12345678995")) << certificate.err;

    const auto files = filesBelow(dir.path());
    const CliResult refused =
        command({"master-data", "set", "--personal-number", "0815", "--tax-id", "12345678990"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(contains(refused.err, "[Stammdaten] Die Steuer-ID 12345678990 ist ungültig: die Prüfziffer "
                                      "stimmt nicht."))
        << refused.err;
    EXPECT_EQ(changedFiles(files, filesBelow(dir.path())), std::vector<std::string>{});
}
