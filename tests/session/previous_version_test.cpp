// The takeover of the cases of the previous version: what it asks, what it takes and what it leaves.

#include "session/previous_version.h"
#include "session/startup.h"
#include "storage_fixture.h"

#include <gtest/gtest.h>

using namespace varemo;
using namespace varemo::test;
namespace fs = std::filesystem;

TEST(PreviousVersion, TheYearsOfThePreviousVersionReplaceThoseOfTheUserAfterTheQuestion) {
    StorageFixture f;
    ASSERT_TRUE(StartUp(f.g));
    const fs::path old = f.dir.path() / "Varemo2019";
    EXPECT_EQ(TakeOverPreviousCases(f.g, old), StorageResult::Refused); // no folder: nothing to take
    EXPECT_EQ(f.prompter.messages().back().lines.back(), "Es wurde nichts verändert.");

    // The previous version: two cases in INFO 2019, one year record in REAL 2020, a calculator's file.
    fs::create_directories(old / "User001");
    writeBytes(old / "User001" / "V2019I.1", std::vector<uint8_t>(2 * 1513, 1));
    writeBytes(old / "User001" / "V2020R.13", std::vector<uint8_t>(1920, 2));
    writeBytes(old / "User001" / "bda.003", {'b'});
    // The current user: a case of 2020 (replaced: the previous version has no such file) and of 2021 (kept).
    writeBytes(f.userFile("V2020R.1"), std::vector<uint8_t>(1513, 7));
    writeBytes(f.userFile("V2021R.1"), std::vector<uint8_t>(1513, 8));
    ASSERT_EQ(casesInFolder(old / "User001").size(), 2u);

    const auto before = treeOf(f.dir.path());
    EXPECT_EQ(TakeOverPreviousCases(f.g, old), StorageResult::Cancelled);
    EXPECT_TRUE(f.prompter.messages().back().refusalIsDefault);
    EXPECT_EQ(f.prompter.messages().back().lines[1],
              "Sie werden durch die Personalfälle der Version 2019 ersetzt (2019: 2 Personalfälle, 2020: 1 "
              "Personalfall).");
    EXPECT_EQ(treeOf(f.dir.path()), before);

    f.prompter.queue(PromptAnswer::Yes);
    ASSERT_EQ(TakeOverPreviousCases(f.g, old), StorageResult::Done);
    EXPECT_EQ(bytesOf(f.userFile("V2019I.1")), std::vector<uint8_t>(2 * 1513, 1));
    EXPECT_EQ(bytesOf(f.userFile("V2020R.13")), std::vector<uint8_t>(1920, 2));
    EXPECT_FALSE(fs::exists(f.userFile("V2020R.1")));
    EXPECT_EQ(bytesOf(f.userFile("V2021R.1")), std::vector<uint8_t>(1513, 8));
    EXPECT_EQ(bytesOf(f.userFile("bda.003")), std::vector<uint8_t>{'b'});
    EXPECT_EQ(f.prompter.messages().back().lines.front(),
              "Aus " + (old / "User001").string() +
                  " wurden übernommen: 2019: 2 Personalfälle, 2020: 1 Personalfall.");
}
