#include "persistence/user_files.h"

#include "model/case.h"
#include "persistence/case_files.h"
#include "persistence/file_ops.h"
#include "persistence/month_record.h"

#include <array>

namespace varemo {
namespace {

constexpr size_t kChurchRegions = 2;
constexpr size_t kChurchRegionLength = 12;

size_t regionOffset(int region) {
    return kChurchRegions + kChurchRegionLength * static_cast<size_t>(region);
}

std::string twoDigits(int year) {
    int yy = year % 100;
    return (yy < 10 ? "0" : "") + std::to_string(yy);
}

} // namespace

RecordBuffer defaultChurchTaxRecord(int year) {
    RecordBuffer r(kChurchTaxRecordLength);
    r.setI16(0, static_cast<int16_t>(year));
    const ChurchTaxTable table = shippedChurchTax(year);
    for (int region = 0; region < kRegionCount; ++region) {
        const LandChurchTax& land = table[static_cast<size_t>(region)];
        size_t at = regionOffset(region);
        r.setI32(at, land.rateHundredths);
        r.setI32(at + 4, land.flatHundredths);
        r.setI16(at + 8, static_cast<int16_t>(land.capHundredths));
        r.setI16(at + 10, land.capInPayroll ? 1 : 0);
    }
    return r;
}

ChurchTaxTable churchTaxFromRecord(const RecordBuffer& r) {
    ChurchTaxTable table{};
    for (int region = 0; region < kRegionCount; ++region) {
        LandChurchTax& land = table[static_cast<size_t>(region)];
        size_t at = regionOffset(region);
        land.rateHundredths = r.i32(at);
        land.flatHundredths = r.i32(at + 4);
        land.capHundredths = r.i16(at + 8);
        land.capInPayroll = r.i16(at + 10) == 1;
    }
    return table;
}

std::vector<std::string> yearSideFileNames(int year) {
    std::string yy = twoDigits(year);
    return {"Urlaub.0" + yy, "jda.0" + yy,      "bda." + yy,       "ZuschlägeA.0" + yy, "ZuschlägeB.0" + yy,
            "SV.0" + yy,     "Kalender.0" + yy, "Merkfeld.0" + yy, "Arbeitszeit.0" + yy};
}

RecordBuffer readModelMonth(const std::filesystem::path& userFolder) {
    return readRecordIfExists(findFileIgnoringCase(userFolder, kModelMonthFile), kMonthRecordLength, 1);
}

YearRecord readModelYear(const std::filesystem::path& userFolder) {
    return YearRecord(
        readRecordIfExists(findFileIgnoringCase(userFolder, kModelYearFile), kYearRecordLength, 1));
}

void writeModelCase(const std::filesystem::path& userFolder, const RecordBuffer& month,
                    const YearRecord& year) {
    updateRecord(findFileIgnoringCase(userFolder, kModelMonthFile), kMonthRecordLength, 1,
                 [&month](RecordBuffer& r) { r = month; });
    updateRecord(findFileIgnoringCase(userFolder, kModelYearFile), kYearRecordLength, 1,
                 [&year](RecordBuffer& r) { r = year.buffer(); });
}

RecordBuffer defaultModelMonth() {
    return packMonthRecord(defaultCase());
}

YearRecord defaultModelYear() {
    YearRecord y;
    y.setName(defaultCase().name);
    return y;
}

bool ensureModelCase(const std::filesystem::path& userFolder) {
    if (!isMissingOrEmpty(findFileIgnoringCase(userFolder, kModelMonthFile))) return false;
    writeModelCase(userFolder, defaultModelMonth(), defaultModelYear());
    return true;
}

} // namespace varemo
