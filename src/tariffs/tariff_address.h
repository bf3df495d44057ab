#pragma once
// Where a case's table lies in the month's tariff file, and the adjustment of the row read there.
//
// The records form one block of 440 per region (0 Bund, 1 to 16 the Länder, 17 a further region).
// Inside a block each service relationship has a base record and its pay groups follow it:
// record = region * 440 + base + group, with three exceptions (see tariffRecordNumber).

#include "tariffs/tariff_file.h"

#include <cstdint>
#include <optional>

namespace varemo {

inline constexpr int32_t kTariffRecordsPerRegion = 440;
inline constexpr int kTariffRegions = 18;        // 0 .. 17
inline constexpr int kServiceRelationships = 39; // 0 .. 38

// Base record of a service relationship inside the region's block (0 to 24); nothing for the others.
std::optional<int32_t> tariffBaseRecord(int serviceRelationship);

// The record a case-month reads (from 1).
//   - Service relationships 25 to 27 have no table: nothing.
//   - Service relationships 28 to 38 keep the record of the previous lookup (previousRecord; 0 when
//     there was none, which reads as a row of zeros).
//   - Codes outside 0 to 38: nothing.
// Otherwise region * 440 + base + group, after these exceptions in this order:
//   1. service relationship 3 in region 7 with group 3 or higher: base + group - 3;
//   2. service relationship 21 with a group above 9: 10 less;
//   3. service relationship 14: 239 inside the block for group 20 until May 2015, group 23 from June
//      2015 to January 2016 and group 24 from February 2016; from June 2015 groups 20 to 24 use
//      base + group + 175 (this later rule wins where both apply).
// month is 1 to 12.
std::optional<int32_t> tariffRecordNumber(int region, int serviceRelationship, int group, int year, int month,
                                          int32_t previousRecord);

// The row adjustment after reading: with title option 4 (option slot 6), service relationship 8
// subtracts entry 23 from entries 0 to 12, service relationships 11 and 12 from entries 0 to 5.
// Throws MoneyOverflow when a difference leaves the 32-bit range.
void adjustTariffRow(TariffRow& row, int serviceRelationship, int titleOption);

// Title option 4 of line 5 is the teacher; the agreements above keep a teacher's amount in entry 23.
inline constexpr int kTeacherTitle = 4;
inline constexpr size_t kTeacherAmountEntry = 23;
// Whether the row of a service relationship is adjusted for a teacher.
bool hasTeacherAdjustment(int serviceRelationship);

} // namespace varemo
