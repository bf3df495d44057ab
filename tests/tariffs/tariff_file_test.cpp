#include "tariffs/tariff_file.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <iterator>
#include <vector>

namespace varemo {
namespace {

using namespace std::chrono;

std::vector<uint8_t> fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int32_t le32(const std::vector<uint8_t>& bytes, size_t offset) {
    return static_cast<int32_t>(uint32_t(bytes[offset]) | uint32_t(bytes[offset + 1]) << 8 |
                                uint32_t(bytes[offset + 2]) << 16 | uint32_t(bytes[offset + 3]) << 24);
}

TariffRow sampleRow() {
    TariffRow row{};
    for (size_t k = 0; k < row.size(); ++k)
        row[k] = static_cast<int32_t>(100000 + k);
    row[0] = 329435;  // 3 294,35
    row[26] = -12345; // negative amounts survive
    return row;
}

TEST(TariffFile, ACellWithoutAnAmountIsNotARealZero) {
    test::TempDir dir;
    auto path = dir.path() / "20191.ttt";
    TariffRecord written;
    written.row[1] = 287364; // step 2
    written.hasAmount.set(1);
    written.hasAmount.set(15); // a real 0 (no base amount of the family allowance)
    RecordFile(path, kTariffRecordLength).write(2, encodeTariffRecord(written));

    auto bytes = fileBytes(path);
    ASSERT_EQ(bytes.size(), 2 * 108u);
    EXPECT_EQ(le32(bytes, 108 + 4 * 1), 287364); // amounts keep their bytes
    EXPECT_EQ(le32(bytes, 108 + 4 * 15), 0);
    EXPECT_EQ(le32(bytes, 108 + 4 * 0), INT32_MIN); // step 1 has no amount
    EXPECT_EQ(le32(bytes, 108 + 4 * 26), INT32_MIN);

    TariffFile file(path);
    TariffRecord read = file.readRecord(2);
    EXPECT_EQ(read.amount(1), 287364);
    EXPECT_EQ(read.amount(15), 0);
    EXPECT_EQ(read.amount(0), std::nullopt);
    EXPECT_EQ(read.amount(27), std::nullopt);
    // Every rule reads the row: the marker is 0 there, never the least 32-bit value.
    EXPECT_EQ(file.read(2)[0], 0);
    EXPECT_EQ(file.read(2)[1], 287364);

    // A record without any amount is written as zeros, and zeros (a gap, a record past the end, a
    // missing file) are a group without a table.
    EXPECT_EQ(encodeTariffRecord(TariffRecord{}).bytes(), std::vector<uint8_t>(108, 0));
    EXPECT_FALSE(file.readRecord(1).hasAnyAmount());
    EXPECT_FALSE(file.readRecord(3).hasAnyAmount());
    EXPECT_FALSE(TariffFile(dir.path() / "missing.ttt").readRecord(1).hasAnyAmount());

    // A record without markers (an older file, a table typed in): every entry is an amount.
    file.write(4, sampleRow());
    TariffRow zeroStep = sampleRow();
    zeroStep[3] = 0;
    file.write(5, zeroStep);
    EXPECT_EQ(file.readRecord(4).hasAmount.count(), 27u);
    EXPECT_EQ(file.readRecord(5).amount(3), 0);
}

TEST(TariffFile, NameHasMonthWithoutLeadingZero) {
    EXPECT_EQ(tariffFilePath("prog", 2020, 1), std::filesystem::path("prog/Tarife/20201.ttt"));
    EXPECT_EQ(tariffFilePath("prog", 2020, 12), std::filesystem::path("prog/Tarife/202012.ttt"));
}

TEST(TariffFile, WritesRecordsOf108LittleEndianBytesWithoutHeader) {
    test::TempDir dir;
    auto path = dir.path() / "20211.ttt";
    TariffFile file(path);
    file.write(2, sampleRow());

    auto bytes = fileBytes(path);
    ASSERT_EQ(bytes.size(), 2 * 108u); // record 1 is the zero gap before record 2
    for (size_t i = 0; i < 108; ++i)
        ASSERT_EQ(bytes[i], 0) << "byte " << i;
    // Record 2 starts at byte 108; entry k at 108 + 4k.
    // 329435 = 0x000506DB, lowest byte first.
    EXPECT_EQ(bytes[108], 0xDB);
    EXPECT_EQ(bytes[109], 0x06);
    EXPECT_EQ(bytes[110], 0x05);
    EXPECT_EQ(bytes[111], 0x00);
    EXPECT_EQ(le32(bytes, 108 + 4 * 5), 100005);
    EXPECT_EQ(le32(bytes, 108 + 4 * 26), -12345);
    EXPECT_EQ(bytes[108 + 4 * 26 + 3], 0xFF);

    EXPECT_EQ(file.read(2), sampleRow());
    EXPECT_EQ(file.read(1), TariffRow{});
}

TEST(TariffFile, ReadsZerosPastTheEndForMissingFilesAndRecordZero) {
    test::TempDir dir;
    auto path = dir.path() / "20215.ttt";
    TariffFile missing(path);
    EXPECT_FALSE(missing.exists());
    EXPECT_EQ(missing.read(1), TariffRow{});
    EXPECT_FALSE(std::filesystem::exists(path)) << "reading must not create the file";

    {
        // One and a half records: the second record is partly there.
        std::ofstream out(path, std::ios::binary);
        std::vector<char> bytes(108 + 8, 0);
        bytes[108] = 0x01; // record 2, entry 0 = 1
        bytes[112] = 0x02; // record 2, entry 1 = 2
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    TariffFile file(path);
    TariffRow partial{};
    partial[0] = 1;
    partial[1] = 2;
    EXPECT_EQ(file.read(2), partial);
    EXPECT_EQ(file.read(3), TariffRow{});
    EXPECT_EQ(file.read(7920), TariffRow{});
    EXPECT_EQ(file.read(0), TariffRow{});
    EXPECT_THROW(file.write(0, sampleRow()), RecordFileError);
}

TEST(TariffFile, ReadAfterWriteSeesTheNewRecord) {
    test::TempDir dir;
    TariffFile file(dir.path() / "20213.ttt");
    file.write(1, TariffRow{});
    EXPECT_EQ(file.read(1), TariffRow{}); // stream now open
    file.write(1, sampleRow());
    EXPECT_EQ(file.read(1), sampleRow());
}

TEST(TariffYear, WithoutJanuaryFileHasNoTables) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "Tarife");
    TariffFile(tariffFilePath(dir.path(), 2021, 2)).write(1, sampleRow()); // February alone is not enough

    TariffYear year(dir.path(), 2021);
    EXPECT_FALSE(year.hasTables());
    EXPECT_EQ(year.read(2, 1), TariffRow{});
    EXPECT_THROW(year.write(2, 1, sampleRow()), RecordFileError);
}

TEST(TariffYear, ReadsEachMonthFromItsOwnFile) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "Tarife");
    TariffRow january{};
    january[0] = 100;
    TariffRow december{};
    december[0] = 1200;
    TariffFile(tariffFilePath(dir.path(), 2020, 1)).write(5, january);
    TariffFile(tariffFilePath(dir.path(), 2020, 12)).write(5, december);

    TariffYear year(dir.path(), 2020);
    ASSERT_TRUE(year.hasTables());
    EXPECT_EQ(year.read(1, 5), january);
    EXPECT_EQ(year.read(12, 5), december);
    EXPECT_EQ(year.read(6, 5), TariffRow{}); // month file missing: zeros, and it is not created
    EXPECT_FALSE(std::filesystem::exists(tariffFilePath(dir.path(), 2020, 6)));
    EXPECT_EQ(year.read(0, 5), TariffRow{});
    EXPECT_EQ(year.read(13, 5), TariffRow{});

    year.write(6, 3, december); // the tariff editor creates the month
    EXPECT_EQ(year.read(6, 3), december);
    EXPECT_EQ(TariffFile(tariffFilePath(dir.path(), 2020, 6)).read(3), december);
    EXPECT_THROW(year.write(13, 1, december), RecordFileError);
}

TEST(TariffFileDate, DecemberFileDateComesFromTheReaderOrFirstOfJanuary) {
    std::filesystem::path asked;
    auto present = [&](const std::filesystem::path& p) -> std::optional<year_month_day> {
        asked = p;
        return year{2021} / March / 14;
    };
    EXPECT_EQ(decemberFileDate("prog", 2021, present), year{2021} / March / 14);
    EXPECT_EQ(asked, std::filesystem::path("prog/Tarife/202112.ttt"));

    auto missing = [](const std::filesystem::path&) -> std::optional<year_month_day> { return std::nullopt; };
    EXPECT_EQ(decemberFileDate("prog", 2019, missing), year{2019} / January / 1);
}

TEST(TariffFileDate, ReadsTheModificationDayOfARealFile) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "Tarife");
    auto path = tariffFilePath(dir.path(), 2018, 12);
    std::ofstream(path).put('x');
    // Noon UTC: the local day is the same in every time zone within twelve hours of UTC.
    auto noon = sys_seconds{sys_days{year{2018} / November / 20}} + hours{12};
    std::filesystem::last_write_time(path, file_clock::from_sys(noon));

    EXPECT_EQ(fileModificationDay(path), year{2018} / November / 20);
    EXPECT_EQ(decemberFileDate(dir.path(), 2018), year{2018} / November / 20);
    EXPECT_EQ(fileModificationDay(dir.path() / "nothing.ttt"), std::nullopt);
    EXPECT_EQ(decemberFileDate(dir.path(), 2017), year{2017} / January / 1);
}

} // namespace
} // namespace varemo
