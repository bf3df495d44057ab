#include "tariffs/tariff_address.h"

#include "base/money.h"
#include "tariffs/service_relationship.h"

#include <array>

namespace varemo {
namespace {

// Base records of service relationships 0 to 24 inside a region's block.
constexpr std::array<int32_t, relationship::kEmployeeOwnTable + 1> kBaseRecords = {
    1,   23,  35,  49,  39,  52,  60,  1,   80,  140, 160, 180, 200, // 0 .. 12
    220, 240, 260, 280, 300, 320, 340, 360, 370, 380, 400, 420,      // 13 .. 24
};

constexpr int monthIndex(int year, int month) {
    return year * 12 + (month - 1);
}

} // namespace

std::optional<int32_t> tariffBaseRecord(int serviceRelationship) {
    if (serviceRelationship < 0 || serviceRelationship >= static_cast<int>(kBaseRecords.size()))
        return std::nullopt;
    return kBaseRecords[static_cast<size_t>(serviceRelationship)];
}

std::optional<int32_t> tariffRecordNumber(int region, int serviceRelationship, int group, int year, int month,
                                          int32_t previousRecord) {
    using namespace relationship;
    if (isWithoutPayTable(serviceRelationship)) return std::nullopt;
    if (serviceRelationship > kNoPay && serviceRelationship < kServiceRelationships) return previousRecord;
    auto base = tariffBaseRecord(serviceRelationship);
    if (!base) return std::nullopt;

    int32_t inBlock = *base + group;
    if (serviceRelationship == kPayOrderW && region == 7 && group >= 3) inBlock = *base + group - 3;
    if (serviceRelationship == kDoctors && group > 9) inBlock -= 10;
    if (serviceRelationship == kTvoedVkaSocial) {
        const int when = monthIndex(year, month);
        const int june2015 = monthIndex(2015, 6);
        const int february2016 = monthIndex(2016, 2);
        if ((group == 20 && when < june2015) || (group == 23 && when >= june2015 && when < february2016) ||
            (group == 24 && when >= february2016))
            inBlock = 239;
        if (when >= june2015 && group >= 20 && group <= 24) inBlock = *base + group + 175;
    }
    return region * kTariffRecordsPerRegion + inBlock;
}

namespace {

// The last entry a teacher's amount changes; 0 when the relationship has no such rule.
size_t lastTeacherEntry(int serviceRelationship) {
    if (serviceRelationship == relationship::kTvlCare) return 12;
    if (serviceRelationship == relationship::kTvl || serviceRelationship == relationship::kTvoedVka) return 5;
    return 0;
}

} // namespace

bool hasTeacherAdjustment(int serviceRelationship) {
    return lastTeacherEntry(serviceRelationship) > 0;
}

void adjustTariffRow(TariffRow& row, int serviceRelationship, int titleOption) {
    if (titleOption != kTeacherTitle) return;
    const size_t last = lastTeacherEntry(serviceRelationship);
    if (last == 0) return;
    const int32_t reduction = row[kTeacherAmountEntry];
    for (size_t k = 0; k <= last; ++k)
        row[k] = checkedCents(int64_t{row[k]} - reduction);
}

} // namespace varemo
