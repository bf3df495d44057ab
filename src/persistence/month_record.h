#pragma once
// The month record of a case (files ".1" to ".12", 1513 bytes per case), little-endian:
//
//   offset  length  content
//        0     120  option keys, 16-bit: the value at 2 × p is the key of slot p + 1 (slots 1 to 55;
//                   offsets 110 to 119 are not used by the program and kept as read)
//      120     264  amounts, 66 × 32-bit cents, slot s at 120 + 4 × s (slot 57, unused before, the
//                   month's movement of the working-time account, AmountSlot::AccountMovement)
//      384      52  (kept as read)
//      436      52  lines 8 to 20: the line's monthly amount in cents, line l at 436 + 4 × (l − 8)
//      488      52  lines 8 to 20: the reduced monthly amount in cents (part-time, partial month)
//      540     156  lines 8 to 20: the flags other than the annual-payment flag, 16-bit, true = −1;
//                   flag f of line l at 540 + 26 × k + 2 × (l − 8), k = 0..5 for the flags
//                   wage tax, social insurance, supplementary pension, part-time, partial month,
//                   performance pay
//      696      13  lines 8 to 20: partial-retirement category, one character each
//      709     101  (kept as read)
//      810      26  lines 8 to 20: the annual-payment flag (true = −1); a set flag makes the line's
//                   amount at 436 count in the year totals for the annual special payment
//      836      78  (kept as read)
//      914      10  date text of line 6 ("TT.MM.JJJJ")
//      924      90  (kept as read)
//     1014      14  (kept as read)
//     1028     455  13 texts of 35 characters (see CaseText)
//     1483      30  5 key codes of 6 characters (lines 25, 26, 44, 45, 46)

#include "base/record_file.h"
#include "model/case.h"

namespace varemo {

inline constexpr size_t kMonthRecordLength = 1513;

namespace month_record {
inline constexpr size_t kKeys = 0;
inline constexpr size_t kAmounts = 120;
inline constexpr size_t kLineAmounts = 436;
inline constexpr size_t kReducedLineAmounts = 488;
inline constexpr size_t kOtherFlags = 540;
inline constexpr size_t kCategories = 696;
inline constexpr size_t kAnnualPaymentFlags = 810;
inline constexpr size_t kDate = 914;
inline constexpr size_t kTexts = 1028;
inline constexpr size_t kKeyCodeTexts = 1483;

// Where the record keeps a key (from KeySlot::DateLabel on) and an amount.
constexpr size_t keyOffset(KeySlot s) {
    return kKeys + 2 * (slotIndex(s) - 1);
}
constexpr size_t amountOffset(AmountSlot s) {
    return kAmounts + 4 * slotIndex(s);
}
} // namespace month_record

// Packs the case into its month record, starting from the bytes it was loaded from.
RecordBuffer packMonthRecord(const Case& c);

// Unpacks a month record into the case: keys (as absolute values), the amounts into both the current
// and the previous amounts, the per-line attributes, texts, key codes and date. The name, kept in the
// year record, is left as it is; so are KeySlot::Month and key 0.
void unpackMonthRecord(const RecordBuffer& record, Case& c);

// Gives c what unpackMonthRecord gave `unpacked`: the same fields, nothing else (to unpack a record
// once and hand it out several times).
void assignUnpackedMonth(const Case& unpacked, Case& c);

} // namespace varemo
