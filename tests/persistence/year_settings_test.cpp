#include "persistence/year_settings.h"

#include "base/prompter.h"
#include "model/user_file_names.h"
#include "persistence/file_ops.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace varemo;

namespace {

std::vector<uint8_t> recordBytes(const std::filesystem::path& file, size_t length, int64_t record) {
    return readRecordIfExists(file, length, record).bytes();
}

} // namespace

// The documented offsets, the bytes around the settings kept as they were, and a block equal to the
// shipped values stored as "holds nothing".
TEST(YearSettings, FieldsSitAtTheirOffsetsAndOtherBytesStay) {
    varemo::test::TempDir dir;
    const auto vee = dir.path() / kYearDefaultsFile;
    // A file of an earlier version: key-code rules at 5800 and bytes beyond them, in the 2020 record.
    RecordBuffer old(kYearDefaultsRecordLength);
    for (size_t i = 5746; i < kYearDefaultsRecordLength; ++i)
        old.bytes()[i] = static_cast<uint8_t>(i % 251 + 1);
    RecordFile(vee, kYearDefaultsRecordLength).write(4, old);

    YearSettings s = YearSettings::shipped(2020);
    s.pay.multipliers.tariffEmployee = {10200, 3};
    s.pay.holidayPay = true;
    s.liability.u1 = true;
    RecordingPrompter quiet;
    (void)s.funds.enter(quiet, 0, 6, FundField::Additional, 170, true); // July to December
    s.churchTax[2].flatHundredths = 550;
    s.pension.rates(0, false, 0).levyEmployee = 18000;
    writeYearDefaultsSettings(dir.path(), s);
    writeChurchTaxSettings(dir.path(), s);
    writePensionSettings(dir.path(), s);

    const RecordBuffer r(readRecordIfExists(vee, kYearDefaultsRecordLength, 4));
    EXPECT_EQ(r.bytes()[0], 1);  // pay switches stored
    EXPECT_EQ(r.bytes()[3], 1);  // holiday pay
    EXPECT_EQ(r.i16(12), 3);     // tariff multiplier from March
    EXPECT_EQ(r.i32(14), 10200); // 102 %
    EXPECT_EQ(r.bytes()[32], 0); // social-insurance defaults as shipped: nothing stored
    EXPECT_EQ(r.i32(36), 0);
    EXPECT_EQ(r.bytes()[112], 1);        // levy liability stored
    EXPECT_EQ(r.bytes()[113], 1);        // U1
    EXPECT_EQ(r.bytes()[128], 1);        // funds stored
    EXPECT_EQ(r.i16(132), 1460);         // fund 0, January, general rate
    EXPECT_EQ(r.i16(3588 + 2 * 5), 70);  // fund 0, June, additional rate as shipped
    EXPECT_EQ(r.i16(3588 + 2 * 6), 170); // from July the entered one
    for (size_t i = 5746; i < kYearDefaultsRecordLength; ++i)
        ASSERT_EQ(r.bytes()[i], old.bytes()[i]) << "byte " << i;
    EXPECT_TRUE(RecordBuffer(readRecordIfExists(vee, kYearDefaultsRecordLength, 3)).allZero());

    const RecordBuffer church(readRecordIfExists(dir.path() / kChurchTaxFile, kChurchTaxRecordLength, 4));
    EXPECT_EQ(church.i16(0), 2020);
    EXPECT_EQ(church.i32(2 + 12 * 2 + 4), 550);
    // atv.vee: 2020's first record is 997 × 3 + 1; VBL West (position 0) January is its first.
    const RecordBuffer atv(readRecordIfExists(dir.path() / kPensionDefaultsFile, 24, 997 * 3 + 1));
    EXPECT_EQ(atv.i16(0), 2020);
    EXPECT_EQ(atv.i32(8), 18000);

    const YearSettings back = readYearSettings(dir.path(), 2020);
    EXPECT_EQ(back.pay.multipliers.tariffEmployee.factor, 10200);
    EXPECT_EQ(back.pay.multipliers.tariffEmployee.startMonth, 3);
    EXPECT_TRUE(back.pay.holidayPay);
    EXPECT_TRUE(back.liability.u1);
    EXPECT_EQ(back.funds.rates(0, 5).additional, 70);
    EXPECT_EQ(back.funds.rates(0, 11).additional, 170);
    EXPECT_EQ(back.funds.status(0, 11).additional, FundValueStatus::User);
    EXPECT_EQ(back.churchTax, s.churchTax);
    EXPECT_EQ(back.pension, s.pension);
    EXPECT_TRUE(sameYearDefaults(back, s));

    // "Vorgabewerte" saved: every block holds nothing again, the other bytes stay.
    const YearSettings shipped = YearSettings::shipped(2020);
    writeYearDefaultsSettings(dir.path(), shipped);
    writePensionSettings(dir.path(), shipped);
    const RecordBuffer cleared(readRecordIfExists(vee, kYearDefaultsRecordLength, 4));
    for (size_t i = 0; i < 5746; ++i)
        ASSERT_EQ(cleared.bytes()[i], 0) << "byte " << i;
    for (size_t i = 5746; i < kYearDefaultsRecordLength; ++i)
        ASSERT_EQ(cleared.bytes()[i], old.bytes()[i]) << "byte " << i;
    EXPECT_EQ(readYearSettings(dir.path(), 2020).pension, shipped.pension);
    EXPECT_EQ(recordBytes(dir.path() / kPensionDefaultsFile, 24, 997 * 3 + 1), std::vector<uint8_t>(24, 0));
}

// "sonderzahlung.vee": the documented offsets, the unused rest of the record kept, shipped values stored
// as "holds nothing", and a record of another year refused with the file named.
TEST(YearSettings, TableValuesSitAtTheirOffsetsInTheSpecialPaymentFile) {
    varemo::test::TempDir dir;
    const auto file = dir.path() / kSpecialPaymentFile;
    RecordBuffer old(kSpecialPaymentRecordLength);
    for (size_t i = 540; i < kSpecialPaymentRecordLength; ++i)
        old.bytes()[i] = static_cast<uint8_t>(i % 251 + 1);
    RecordFile(file, kSpecialPaymentRecordLength).write(4, old);

    YearSettings s = YearSettings::shipped(2020);
    EXPECT_EQ(s.tables.childBenefit[0][2], 21000); // § 66 (1) EStG 2020: 210 euros for the third child
    s.tables.weeklyHours[0][1] = 4100;             // Besoldungsordnung A, Ost: 41 hours
    s.tables.christmasBonus[12][0] = 8214;
    s.tables.hourlyRates[1] = 128;
    s.tables.childBenefit[11][3] = 25000;
    s.tables.pensionReservePercent = 1050;
    s.tables.pensionFundLevyPercent = 2000;
    writeYearTableSettings(dir.path(), s);

    const RecordBuffer r(readRecordIfExists(file, kSpecialPaymentRecordLength, 4));
    EXPECT_EQ(r.i16(0), 2020);
    EXPECT_EQ(r.i16(4), 3850); // relationship 0 West
    EXPECT_EQ(r.i16(6), 4100); // relationship 0 Ost
    EXPECT_EQ(r.i16(160 + 4 * 12), 8214);
    EXPECT_EQ(r.i32(316 + 4), 128);
    EXPECT_EQ(r.i32(340 + 16 * 11 + 12), 25000);
    EXPECT_EQ(r.i32(532), 1050);
    EXPECT_EQ(r.i32(536), 2000);
    for (size_t i = 540; i < kSpecialPaymentRecordLength; ++i)
        ASSERT_EQ(r.bytes()[i], old.bytes()[i]) << "byte " << i;
    EXPECT_EQ(readYearSettings(dir.path(), 2020).tables, s.tables);
    EXPECT_EQ(readYearSettings(dir.path(), 2019).tables, YearTableValues::shipped(2019));

    writeYearTableSettings(dir.path(), YearSettings::shipped(2020));
    const RecordBuffer cleared(readRecordIfExists(file, kSpecialPaymentRecordLength, 4));
    EXPECT_EQ(cleared.i16(0), 0);
    EXPECT_EQ(cleared.i32(532), 0);
    EXPECT_EQ(cleared.bytes()[600], old.bytes()[600]);

    RecordBuffer wrongYear(kSpecialPaymentRecordLength);
    wrongYear.setI16(0, 2019);
    RecordFile(file, kSpecialPaymentRecordLength).write(4, wrongYear);
    try {
        (void)readYearSettings(dir.path(), 2020);
        FAIL() << "a record of another year was read";
    } catch (const RecordFileError& e) {
        EXPECT_NE(std::string(e.what()).find(kSpecialPaymentFile), std::string::npos) << e.what();
    }
}
