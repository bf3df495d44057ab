#include "persistence/month_record.h"

#include <cstdlib>

namespace varemo {
namespace {

using namespace month_record;

// Flags at 540 in this order; the annual-payment flag lives at 810.
constexpr std::array<LineFlag, 6> kOtherFlagOrder = {
    LineFlag::WageTax,  LineFlag::SocialInsurance, LineFlag::SupplementaryPension,
    LineFlag::PartTime, LineFlag::PartialMonth,    LineFlag::PerformancePay};

int16_t storedFlag(int16_t value) {
    return value != 0 ? kFlagTrue : 0;
}

} // namespace

RecordBuffer packMonthRecord(const Case& c) {
    RecordBuffer r(kMonthRecordLength);
    if (c.storedRecord.size() == kMonthRecordLength) r.bytes() = c.storedRecord;
    // The slots by position: the record's layout.
    for (size_t s = 1; s < kKeySlots; ++s)
        r.setI16(kKeys + 2 * (s - 1), c.keys[s]);
    for (size_t s = 0; s < kAmountSlots; ++s)
        r.setI32(kAmounts + 4 * s, c.amounts[s]);
    for (int i = 0; i < kGrossLines; ++i) {
        const auto& line = c.lines[static_cast<size_t>(i)];
        auto at = static_cast<size_t>(i);
        r.setI32(kLineAmounts + 4 * at, line.amount.toCents());
        r.setI32(kReducedLineAmounts + 4 * at, line.reducedAmount.toCents());
        for (size_t k = 0; k < kOtherFlagOrder.size(); ++k)
            r.setI16(kOtherFlags + 26 * k + 2 * at,
                     storedFlag(line.flags[static_cast<int>(kOtherFlagOrder[k])]));
        r.bytes()[kCategories + at] = static_cast<uint8_t>(line.partialRetirementCategory);
        r.setI16(kAnnualPaymentFlags + 2 * at,
                 storedFlag(line.flags[static_cast<int>(LineFlag::AnnualPayment)]));
    }
    r.setText(kDate, kDateLength, c.dateText);
    for (int t = 0; t < kCaseTexts; ++t)
        r.setText(kTexts + kCaseTextLength * static_cast<size_t>(t), kCaseTextLength,
                  c.texts[static_cast<size_t>(t)]);
    for (int k = 0; k < kKeyCodes; ++k)
        r.setText(kKeyCodeTexts + kKeyCodeLength * static_cast<size_t>(k), kKeyCodeLength,
                  c.keyCodes[static_cast<size_t>(k)]);
    return r;
}

void unpackMonthRecord(const RecordBuffer& r, Case& c) {
    for (size_t s = 1; s < kKeySlots; ++s) {
        if (s == slotIndex(KeySlot::Month)) continue;
        int v = r.i16(kKeys + 2 * (s - 1));
        // The absolute value of -32768 does not fit; it is out of every range and gets repaired.
        c.keys[s] = static_cast<int16_t>(v == -32768 ? 32767 : std::abs(v));
    }
    for (size_t s = 0; s < kAmountSlots; ++s) {
        int32_t v = r.i32(kAmounts + 4 * s);
        c.amounts[s] = v;
        c.previous[s] = v;
    }
    for (int i = 0; i < kGrossLines; ++i) {
        auto& line = c.lines[static_cast<size_t>(i)];
        auto at = static_cast<size_t>(i);
        line.amount = Money::fromCents(r.i32(kLineAmounts + 4 * at));
        line.reducedAmount = Money::fromCents(r.i32(kReducedLineAmounts + 4 * at));
        for (size_t k = 0; k < kOtherFlagOrder.size(); ++k)
            line.flags[static_cast<int>(kOtherFlagOrder[k])] =
                storedFlag(r.i16(kOtherFlags + 26 * k + 2 * at));
        line.flags[static_cast<int>(LineFlag::AnnualPayment)] =
            storedFlag(r.i16(kAnnualPaymentFlags + 2 * at));
        auto category = static_cast<char>(r.bytes()[kCategories + at]);
        line.partialRetirementCategory = category == 0 ? '-' : category;
    }
    c.dateText = r.text(kDate, kDateLength);
    for (int t = 0; t < kCaseTexts; ++t)
        c.texts[static_cast<size_t>(t)] =
            r.text(kTexts + kCaseTextLength * static_cast<size_t>(t), kCaseTextLength);
    for (int k = 0; k < kKeyCodes; ++k)
        c.keyCodes[static_cast<size_t>(k)] =
            r.text(kKeyCodeTexts + kKeyCodeLength * static_cast<size_t>(k), kKeyCodeLength);
    c.storedRecord = r.bytes();
}

void assignUnpackedMonth(const Case& unpacked, Case& c) {
    for (size_t s = 1; s < kKeySlots; ++s)
        if (s != slotIndex(KeySlot::Month)) c.keys[s] = unpacked.keys[s];
    c.amounts = unpacked.amounts;
    c.previous = unpacked.previous;
    for (size_t i = 0; i < static_cast<size_t>(kGrossLines); ++i) {
        const auto& from = unpacked.lines[i];
        auto& line = c.lines[i];
        line.amount = from.amount;
        line.reducedAmount = from.reducedAmount;
        for (LineFlag f : kOtherFlagOrder)
            line.flags[static_cast<int>(f)] = from.flags[static_cast<int>(f)];
        line.flags[static_cast<int>(LineFlag::AnnualPayment)] =
            from.flags[static_cast<int>(LineFlag::AnnualPayment)];
        line.partialRetirementCategory = from.partialRetirementCategory;
    }
    c.dateText = unpacked.dateText;
    c.texts = unpacked.texts;
    c.keyCodes = unpacked.keyCodes;
    c.storedRecord = unpacked.storedRecord;
}

} // namespace varemo
