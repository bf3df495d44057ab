#include "persistence/calculator_files.h"
#include "persistence/case_files.h"
#include "persistence/month_record.h"
#include "persistence/year_record.h"
#include "support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace varemo;

namespace {

Case sampleCase() {
    Case c = defaultCase();
    c.setKey(KeySlot::DateLabel, 3);
    c.setKey(KeySlot::PartialMonth, 4); // line 23
    c.setKey(KeySlot::OldAgeRelief, 7); // line 32
    c.setKey(KeySlot::FlatTaxLimitChoice, 2);
    c.enterAmount(AmountSlot::RegularHours, 3850000);
    c.enterAmount(AmountSlot::BasicPay, 312345);
    c.enterAmount(amountSlotNumbered(kAmountSlots - 1).value(), -42); // the last slot
    c.grossLine(8).amount = Money::fromCents(312345);
    c.grossLine(20).amount = Money::fromCents(-1);
    c.grossLine(9).reducedAmount = Money::fromCents(777);
    c.grossLine(8).setFlag(LineFlag::AnnualPayment, true);
    c.grossLine(9).setFlag(LineFlag::AnnualPayment, false);
    c.grossLine(10).setFlag(LineFlag::PerformancePay, true);
    c.grossLine(11).partialRetirementCategory = 'C';
    c.dateText = "01.04.2015";
    c.setText(CaseText::Office, "Amt für Prüfung");
    c.setText(CaseText::Reserve2, "Z");
    c.keyCodes[4] = "123456";
    return c;
}

} // namespace

TEST(MonthRecord, FieldsSitAtTheirOffsets) {
    RecordBuffer r = packMonthRecord(sampleCase());
    ASSERT_EQ(r.size(), 1513u);
    EXPECT_EQ(r.i16(0), 3);         // slot 1 at offset 0
    EXPECT_EQ(r.i16(6), 25);        // slot 4: service relationship
    EXPECT_EQ(r.i16(42), 4);        // slot 22: line 23
    EXPECT_EQ(r.i16(60), 7);        // slot 31: line 32
    EXPECT_EQ(r.i16(48), 40);       // slot 25: line 27
    EXPECT_EQ(r.i16(108), 2);       // slot 55
    EXPECT_EQ(r.i32(120), 3850000); // amount slot 0
    EXPECT_EQ(r.i32(120 + 4 * 7), 312345);
    EXPECT_EQ(r.i32(120 + 4 * 65), -42);
    EXPECT_EQ(r.i32(436), 312345);      // line 8
    EXPECT_EQ(r.i32(436 + 4 * 12), -1); // line 20
    EXPECT_EQ(r.i32(488 + 4 * 1), 777);
    EXPECT_EQ(r.i16(810), -1); // line 8 counted for the annual payment
    EXPECT_EQ(r.i16(812), 0);
    EXPECT_EQ(r.i16(540 + 26 * 5 + 2 * 2), -1); // performance pay of line 10
    EXPECT_EQ(r.bytes()[696 + 3], 'C');
    EXPECT_EQ(r.rawText(914, 10), "01.04.2015");
    EXPECT_EQ(r.rawText(1028, 35), "Amt für Prüfung                    ");
    EXPECT_EQ(r.bytes()[1028 + 5], 0xFC); // Windows-1252 ü, one byte
    EXPECT_EQ(r.text(1028 + 35 * 12, 35), "Z");
    EXPECT_EQ(r.rawText(1483 + 24, 6), "123456");
    EXPECT_EQ(r.rawText(1483, 6), "000000");
}

TEST(MonthRecord, RoundTripKeepsEverythingAndUnknownBytes) {
    Case c = sampleCase();
    c.setText(CaseText::Office, "Amt für Prüfung");
    RecordBuffer r = packMonthRecord(c);
    r.bytes()[400] = 0xAB; // bytes the program does not interpret
    r.bytes()[1014] = 'x';
    Case back;
    back.setKey(KeySlot::Month, 5);
    unpackMonthRecord(r, back);
    back.name = c.name;
    EXPECT_EQ(back.key(KeySlot::Month), 5);
    back.setKey(KeySlot::Month, c.key(KeySlot::Month));
    EXPECT_EQ(back.keys, c.keys);
    EXPECT_EQ(back.amounts, c.amounts);
    EXPECT_EQ(back.previous, c.amounts);
    EXPECT_EQ(back.lines, c.lines);
    EXPECT_EQ(back.texts, c.texts);
    EXPECT_EQ(back.keyCodes, c.keyCodes);
    EXPECT_EQ(back.dateText, c.dateText);
    EXPECT_EQ(packMonthRecord(back).bytes(), r.bytes());
}

TEST(MonthRecord, StoredFlagsAnyNonZeroValueIsTrue) {
    RecordBuffer r(kMonthRecordLength);
    r.setI16(810, 1);
    Case c;
    unpackMonthRecord(r, c);
    EXPECT_TRUE(c.grossLine(8).flag(LineFlag::AnnualPayment));
    EXPECT_EQ(packMonthRecord(c).i16(810), -1);
    EXPECT_EQ(c.grossLine(8).partialRetirementCategory, '-');
}

TEST(YearRecord, NameCaseNumberAndMonthValues) {
    YearRecord y;
    y.setName("Maria Muster");
    y.setCaseNumber(12);
    y.setMonthValue(0, 2, 0, 350000);
    y.setMonthValue(11, 2, 1, 240000);
    y.setMonthValue(5, 0, 0, 7);
    y.updateYearValues(2);
    const RecordBuffer& r = y.buffer();
    EXPECT_EQ(r.size(), 1920u);
    EXPECT_EQ(r.text(1015, 35), "Maria Muster");
    EXPECT_EQ(r.rawText(51, 3), "12 ");
    EXPECT_EQ(r.i32(380 + 4 * 4), 350000);            // January, REAL, gross
    EXPECT_EQ(r.i32(380 + 4 * (6 * 11 + 5)), 240000); // December, REAL, net
    EXPECT_EQ(r.i32(380 + 4 * (6 * 5)), 7);           // June, INFO, gross
    EXPECT_EQ(y.yearValue(2, 0), 350000);
    EXPECT_EQ(y.yearValue(2, 1), 240000);
    EXPECT_EQ(y.yearValue(2, 2), 2);
    EXPECT_EQ(y.yearValue(0, 0), 0);
    EXPECT_THROW(y.monthValue(12, 0, 0), std::out_of_range);
}

TEST(YearRecord, YearSumsBeyondTheRangeStayAtTheEdge) {
    YearRecord y;
    for (int m = 0; m < 12; ++m)
        y.setMonthValue(m, 1, 0, 2000000000);
    y.updateYearValues(1);
    EXPECT_EQ(y.yearValue(1, 0), INT32_MAX);
}

TEST(CaseFiles, NamesAndCaseInsensitiveLookup) {
    EXPECT_EQ(caseFileName(2020, DataSet::Info, 1), "V2020I.1");
    EXPECT_EQ(caseFileName(2020, DataSet::Real, 12), "V2020R.12");
    EXPECT_EQ(caseFileName(2020, DataSet::Plan, 13), "V2020P.13");
    EXPECT_EQ(parseDataSet("plan"), DataSet::Plan);
    EXPECT_FALSE(parseDataSet("PLANS"));

    test::TempDir dir;
    {
        // A March REAL file written with a lower-case letter, holding case 2.
        RecordFile march(dir.path() / "V2020r.3", kMonthRecordLength);
        RecordBuffer r(kMonthRecordLength);
        r.setI16(6, 14);
        march.write(2, r);
    }
    CaseFiles files;
    files.open(dir.path(), 2020, DataSet::Real);
    EXPECT_EQ(files.readMonth(3, 2).i16(6), 14);
    EXPECT_TRUE(files.readMonth(3, 1).allZero());
    EXPECT_TRUE(files.readMonth(4, 2).allZero());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "V2020R.3"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "V2020R.13")) << "made by the first write only";
    YearRecord y;
    y.setName("Fall drei");
    files.writeYear(3, y);
    EXPECT_EQ(files.readYear(3).name(), "Fall drei");
    EXPECT_EQ(std::filesystem::file_size(dir.path() / "V2020R.13"), 3u * 1920u);
    EXPECT_THROW(files.readMonth(13, 1), std::out_of_range);
    files.close();
    EXPECT_THROW(files.readMonth(1, 1), RecordFileError);
}

// While a case is held its records are read from the files once: a change made to the files behind the
// store's back stays unseen until the last hold ends, while everything written through the store is
// seen at once (and is in the files). Loading from memory gives exactly what unpacking the record
// gives; other cases and a case held by nobody read the files.
TEST(CaseFiles, AHeldCaseIsReadOnceAndWrittenThrough) {
    test::TempDir dir;
    const auto record = [](int16_t key, int32_t amount, const std::string& text) {
        Case c = defaultCase();
        c.setKey(KeySlot::Region, key);
        c.enterAmount(AmountSlot::Allowance1, amount);
        c.setText(CaseText{}, text);
        return packMonthRecord(c);
    };
    RecordFile march(dir.path() / "V2020R.3", kMonthRecordLength);
    RecordFile marchBefore(dir.path() / "V2019R.3", kMonthRecordLength);
    march.write(2, record(5, 1000, "Zulage Köln"));
    march.write(1, record(6, 1, ""));
    marchBefore.write(2, record(7, 2000, ""));

    CaseFiles files;
    files.open(dir.path(), 2020, DataSet::Real);
    Case unheld;
    files.loadMonth(3, 2, unheld);
    const auto loaded = [&files](int month, int caseNumber) {
        Case c;
        c.name = "kept";
        c.setKey(KeySlot::Month, 4);
        files.loadMonth(month, caseNumber, c);
        return c;
    };
    const auto region = [&](int month, int caseNumber) { return loaded(month, caseNumber).region(); };
    const auto regionBefore = [&files](int month) {
        Case c;
        return files.loadMonthOfYearBefore(month, 2, c) ? c.region() : -1;
    };
    {
        const CaseYearInMemory outer(files, 2);
        const Case held = loaded(3, 2);
        EXPECT_EQ(held.keys[1], unheld.keys[1]);
        EXPECT_EQ(held.amounts, unheld.amounts);
        EXPECT_EQ(held.previous, unheld.previous);
        EXPECT_EQ(held.texts, unheld.texts);
        EXPECT_EQ(held.text(CaseText{}), "Zulage Köln");
        EXPECT_EQ(held.storedRecord, unheld.storedRecord);
        EXPECT_EQ(held.name, "kept");
        EXPECT_EQ(held.key(KeySlot::Month), 4);
        // A step that only reads gets the held month itself, as a new case would load it.
        const std::shared_ptr<const Case> shared = files.storedMonth(3, 2);
        EXPECT_EQ(files.storedMonth(3, 2), shared);
        Case fresh;
        files.loadMonth(3, 2, fresh);
        EXPECT_EQ(*shared, fresh);
        EXPECT_EQ(regionBefore(3), 7);
        EXPECT_EQ(regionBefore(4), -1);
        YearRecord year;
        year.setName("Fall zwei");
        files.writeYear(2, year);
        EXPECT_EQ(files.readYear(2).name(), "Fall zwei");

        // Changed behind the store's back: not seen while held; case 1 is not held.
        march.write(2, record(8, 0, ""));
        march.write(1, record(9, 0, ""));
        marchBefore.write(2, record(10, 0, ""));
        RecordFile(dir.path() / "V2019R.4", kMonthRecordLength).write(2, record(11, 0, ""));
        {
            const CaseYearInMemory inner(files, 2);
            EXPECT_EQ(region(3, 2), 5);
        }
        EXPECT_EQ(region(3, 2), 5) << "still held by the outer hold";
        EXPECT_EQ(files.readMonth(3, 2).bytes(), unheld.storedRecord);
        EXPECT_EQ(regionBefore(3), 7);
        EXPECT_EQ(regionBefore(4), -1);
        EXPECT_EQ(region(3, 1), 9);

        // Written through the store: seen at once, and in the file.
        Case edited = held;
        edited.setKey(KeySlot::Region, 12);
        edited.setKey(KeySlot::Month, 2);
        files.storeMonth(2, edited);
        EXPECT_EQ(region(3, 2), 12);
        EXPECT_EQ(files.storedMonth(3, 2)->region(), 12);
        EXPECT_EQ(shared->region(), 5) << "what a step read stays as it was";
        EXPECT_EQ(march.read(2).i16(month_record::keyOffset(KeySlot::Region)), 12);
        edited.amounts[slotIndex(AmountSlot::Gross)] = 4711;
        files.storeYearResults(2, DataSet::Real, edited);
        EXPECT_EQ(files.readYear(2).monthValue(2, static_cast<int>(DataSet::Real), 0), 4711);
        EXPECT_EQ(files.readYear(2).name(), "kept") << "the name of the case stored";
    }
    EXPECT_EQ(region(3, 2), 12);
    march.write(2, record(13, 0, ""));
    EXPECT_EQ(region(3, 2), 13) << "the last hold ended: read from the file";
    EXPECT_EQ(regionBefore(3), 10);
    EXPECT_EQ(regionBefore(4), 11);

    files.holdCase(2);
    files.close();
    files.open(dir.path(), 2020, DataSet::Real);
    march.write(2, record(14, 0, ""));
    EXPECT_EQ(region(3, 2), 14) << "opening forgets what was held";
    files.releaseCase();
}

// The calculators' records: texts in Windows-1252 at their offsets, the year's record in "bda.nnn", and
// the single file of older versions taken over as case 6's before the first write.
TEST(CalculatorFiles, LayoutsAndTheOlderServiceAgeFile) {
    varemo::test::TempDir dir;
    {
        std::ofstream old(dir.path() / "bda.txt", std::ios::binary);
        old << "alt";
    }
    ServiceAgeRecord r;
    r.dates[0] = "15.05.1980";
    r.dates[31] = "31.12.2015";
    r.offsets[31] = 12648;
    r.option = 3;
    r.result = "01.09.2002";
    writeServiceAgeRecord(dir.path(), serviceAgeFileName(6), 2021, r);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "bda.txt"));
    std::ifstream in(dir.path() / "bda.006", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_EQ(bytes.size(), 5u * 730u); // record 5 is 2021's
    EXPECT_EQ(bytes.substr(0, 3), "alt");
    const std::string rec = bytes.substr(4 * 730);
    EXPECT_EQ(rec.substr(0, 10), "15.05.1980");
    EXPECT_EQ(rec.substr(310, 10), "31.12.2015");
    EXPECT_EQ(static_cast<uint8_t>(rec[320 + 62]) | static_cast<uint8_t>(rec[320 + 63]) << 8, 12648);
    EXPECT_EQ(rec[384], 3);
    EXPECT_EQ(rec.substr(386, 10), "01.09.2002");
    EXPECT_EQ(readServiceAgeRecord(dir.path(), "bda.006", 2021).dates[31], "31.12.2015");
    EXPECT_TRUE(readServiceAgeRecord(dir.path(), "bda.006", 2020).empty());

    VacationRecord v;
    v.birthday = "01.07.1966";
    v.payGroup = "Entgeltgruppe 9 Ü";
    v.entries[9] = "235745";
    writeVacationRecord(dir.path(), 2020, 2, v);
    std::ifstream vin(dir.path() / "Urlaub.020", std::ios::binary);
    const std::string vbytes((std::istreambuf_iterator<char>(vin)), {});
    ASSERT_EQ(vbytes.size(), 2u * 791u);
    EXPECT_EQ(vbytes.substr(791 + 10, 17), "Entgeltgruppe 9 \xDC");
    EXPECT_EQ(static_cast<uint8_t>(vbytes[791 + 45]), 30);
    EXPECT_EQ(vbytes.substr(791 + 291 + 90, 6), "235745");
    bool found = true;
    EXPECT_EQ(readVacationRecord(dir.path(), 2020, 1, &found).birthday, "01.01.1960"); // the defaults
    EXPECT_FALSE(found);
    EXPECT_EQ(readVacationRecord(dir.path(), 2020, 2, &found).payGroup, "Entgeltgruppe 9 Ü");

    // The step calculators' inputs behind the service age in "bda.006", which keeps the service age.
    StepInputsRecord steps;
    steps.movementMonths = -6;
    steps.allowanceBCents = 2500;
    steps.appointment = "01.08.2018";
    steps.to[5] = "30.06.2017";
    steps.percent[5] = 50;
    writeStepInputs(dir.path(), 6, 2021, steps);
    std::ifstream sin(dir.path() / "bda.006", std::ios::binary);
    const std::string srec = std::string((std::istreambuf_iterator<char>(sin)), {}).substr(4 * 730);
    EXPECT_EQ(srec.substr(0, 10), "15.05.1980");
    EXPECT_EQ(static_cast<int16_t>(static_cast<uint8_t>(srec[406]) | static_cast<uint8_t>(srec[407]) << 8),
              -6);
    EXPECT_EQ(static_cast<uint8_t>(srec[412]) | static_cast<uint8_t>(srec[413]) << 8, 2500);
    EXPECT_EQ(srec.substr(416, 10), "01.08.2018");
    EXPECT_EQ(srec.substr(426 + 5 * 22 + 10, 10), "30.06.2017");
    EXPECT_EQ(srec[426 + 5 * 22 + 20], 50);
    EXPECT_EQ(readStepInputs(dir.path(), 6, 2021), steps);
    EXPECT_EQ(readStepInputs(dir.path(), 6, 2020), StepInputsRecord{});
    // A record new to a case gets the blank dates of an empty service age.
    writeStepInputs(dir.path(), 7, 2020, steps);
    EXPECT_TRUE(readServiceAgeRecord(dir.path(), "bda.007", 2020).empty());

    // The working times of case 2 in March 2020: record (2 − 1) × 12 + 3 = 15.
    WorkingTimeRecord w;
    w.blocks[1][3] = {480, 750};
    w.hourlyRateCents = 1450;
    w.leaveTakenMilli = 2500;
    writeWorkingTimeRecord(dir.path(), 2020, 2, 3, w);
    std::ifstream win(dir.path() / "Arbeitszeit.020", std::ios::binary);
    const std::string wbytes((std::istreambuf_iterator<char>(win)), {});
    ASSERT_EQ(wbytes.size(), 15u * 512u);
    const std::string wrec = wbytes.substr(14 * 512);
    EXPECT_EQ(static_cast<uint8_t>(wrec[(4 + 3) * 4]) | static_cast<uint8_t>(wrec[(4 + 3) * 4 + 1]) << 8,
              480);
    EXPECT_EQ(static_cast<uint8_t>(wrec[(4 + 3) * 4 + 2]) | static_cast<uint8_t>(wrec[(4 + 3) * 4 + 3]) << 8,
              750);
    EXPECT_EQ(static_cast<uint8_t>(wrec[496]) | static_cast<uint8_t>(wrec[497]) << 8, 1450);
    EXPECT_EQ(static_cast<uint8_t>(wrec[504]) | static_cast<uint8_t>(wrec[505]) << 8, 2500);
    EXPECT_EQ(readWorkingTimeRecord(dir.path(), 2020, 2, 3), w);
    EXPECT_TRUE(readWorkingTimeRecord(dir.path(), 2020, 2, 4).empty());
}
