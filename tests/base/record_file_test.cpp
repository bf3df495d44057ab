#include "base/cp1252.h"
#include "base/record_file.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

using namespace varemo;

TEST(Cp1252, ConvertsUmlautsEuroAndReplacesTheRest) {
    EXPECT_EQ(utf8ToCp1252("Zuschläge €"), std::string("Zuschl\xE4ge \x80"));
    EXPECT_EQ(cp1252ToUtf8(std::string("Zuschl\xE4ge \x80")), "Zuschläge €");
    EXPECT_EQ(utf8ToCp1252("日本"), "??");
    EXPECT_EQ(utf8ToCp1252("\xFF\xC3"), "??"); // broken UTF-8 never crashes
    EXPECT_EQ(cp1252ToUtf8("\x81"), "?");      // an undefined byte
    EXPECT_EQ(utf8Length("Größe"), 5u);
}

TEST(RecordBuffer, IntegersAreLittleEndian) {
    RecordBuffer r(8);
    r.setI16(0, -1);
    r.setI16(2, 0x1234);
    r.setI32(4, -2);
    EXPECT_EQ(r.bytes()[2], 0x34);
    EXPECT_EQ(r.bytes()[3], 0x12);
    EXPECT_EQ(r.bytes()[4], 0xFE);
    EXPECT_EQ(r.bytes()[7], 0xFF);
    EXPECT_EQ(r.i16(0), -1);
    EXPECT_EQ(r.i32(4), -2);
    EXPECT_THROW(r.i32(6), RecordFileError);
}

TEST(RecordBuffer, TextsArePaddedCutAndTrimmed) {
    RecordBuffer r(12);
    r.setText(0, 6, "Äb");
    EXPECT_EQ(std::string(r.bytes().begin(), r.bytes().begin() + 6), "\xC4"
                                                                     "b    ");
    EXPECT_EQ(r.text(0, 6), "Äb");
    EXPECT_EQ(r.rawText(0, 6), "Äb    ");
    r.setText(6, 6, "abcdefgh");
    EXPECT_EQ(r.text(6, 6), "abcdef");
    RecordBuffer zeros(4);
    EXPECT_EQ(zeros.text(0, 4), ""); // NUL bytes read as blanks
}

TEST(RecordFile, RecordsSitAtTheirOffsetsAndReadPastTheEndAsZeros) {
    test::TempDir dir;
    auto path = dir.path() / "f.dat";
    {
        RecordFile f(path, 10);
        RecordBuffer r(10);
        r.setI32(0, 77);
        f.write(3, r);
        EXPECT_EQ(f.recordCount(), 3);
        EXPECT_EQ(f.read(3).i32(0), 77);
        EXPECT_TRUE(f.read(1).allZero());
        EXPECT_TRUE(f.read(9).allZero());
        EXPECT_THROW(f.write(0, r), RecordFileError);
        EXPECT_THROW(f.write(1, RecordBuffer(9)), RecordFileError);
    }
    EXPECT_EQ(std::filesystem::file_size(path), 30u);
    std::ifstream in(path, std::ios::binary);
    in.seekg(20);
    EXPECT_EQ(in.get(), 77);
    // A partial last record reads with zeros for the missing bytes.
    std::filesystem::resize_file(path, 22);
    RecordFile again(path, 10);
    EXPECT_EQ(again.read(3).i32(0), 77 & 0xFFFF);
    EXPECT_EQ(readRecordIfExists(dir.path() / "missing", 10, 1).allZero(), true);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing"));
}

// A link in place of a file (or a folder) is reported, never followed or read as zeros: a write
// through a link would change a file outside the user folder, a folder read as zeros would be
// copied as empty records.
TEST(RecordFile, LinksAndFoldersAreRefusedNotFollowedOrReadAsZeros) {
    test::TempDir dir;
    const auto target = dir.path() / "elsewhere.dat";
    std::ofstream(target, std::ios::binary) << "keep";
    std::filesystem::create_symlink(target, dir.path() / "V2020R.1");
    std::filesystem::create_symlink(dir.path() / "missing.dat", dir.path() / "V2020R.2");
    std::filesystem::create_directory(dir.path() / "V2020R.3");

    EXPECT_THROW(RecordFile(dir.path() / "V2020R.1", 4), RecordFileError);
    EXPECT_THROW(RecordFile(dir.path() / "V2020R.2", 4), RecordFileError); // would create its target
    EXPECT_THROW(readRecordIfExists(dir.path() / "V2020R.1", 4, 1), RecordFileError);
    EXPECT_THROW(readRecordIfExists(dir.path() / "V2020R.3", 4, 1), RecordFileError);
    EXPECT_TRUE(readRecordIfExists(dir.path() / "V2020R.4", 4, 1).allZero()); // simply not there
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing.dat"));
    std::ifstream in(target, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "keep");
}

// text() is rawText() without its trailing blanks, for every mix of blanks, NULs, ASCII and the high
// bytes of Windows-1252 (0xA0 is a no-break space, not a blank; 0x81 has no character).
TEST(RecordBufferText, IsTheRawTextWithoutTrailingBlanks) {
    const uint8_t alphabet[] = {' ', 0, 'a', 0xC4, 0x80, 0x81, 0xA0};
    RecordBuffer r(5);
    for (int n = 0; n < 7 * 7 * 7 * 7 * 7; ++n) {
        for (int i = 0, rest = n; i < 5; ++i, rest /= 7)
            r.bytes()[static_cast<size_t>(i)] = alphabet[rest % 7];
        std::string expected = r.rawText(0, 5);
        while (!expected.empty() && expected.back() == ' ')
            expected.pop_back();
        ASSERT_EQ(r.text(0, 5), expected) << n;
    }
}
