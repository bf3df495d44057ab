#include "pay/holiday_pay.h"

#include "pay/part_time.h"
#include "pay/special_payment.h"

namespace varemo {
namespace {

// The net pay of the case's January record; nullopt when the session's files are not open.
std::optional<int32_t> januaryNetPay(Globaldaten& g) {
    if (!g.store.holds(g.year, g.dataSet)) return std::nullopt;
    Case january;
    g.store.loadMonth(1, g.caseNumber, january);
    return january.amount(AmountSlot::NetPay);
}

} // namespace

std::optional<int32_t> publishedHolidayPay(int year, int option) {
    const char* band = option == holiday::kHigherGroups ? "VergGr 1-5b" : "VergGr 5c-12";
    for (const OneTimePaymentRow& row : shippedOneTimePayments())
        if (row.agreement == "AVR Caritas Urlaubsgeld" && row.year == year && row.groups.rfind(band, 0) == 0)
            return row.cents;
    return std::nullopt;
}

void ComputeHolidayPay(Globaldaten& g) {
    using namespace relationship;
    Case& c = g.workingCase;
    const AmountSlot slotNo = lineInfo(holiday::kLine).amount.value();
    const int option = c.key(lineInfo(holiday::kLine).key.value());
    const int sr = c.serviceRelationship();
    const int group = c.payGroup();
    const int32_t typed = c.previousAmount(slotNo);
    int32_t amount = 0;
    if (c.monthIndex() == holiday::kJulyIndex) {
        amount = holiday::kStandardCents;
        if (sr == kPayOrderA && group < 9) amount = holiday::kLowerCivilCents;
        if (sr == kCandidates && group < 2) amount = holiday::kStandardCents;
        if (sr == kAvrDiakonie) amount = 0;
        if (sr == kTvlCare || sr == kTvlSocial)
            amount = 0;
        else if (g.extras.holidayPaySwitch)
            amount = holiday::kStandardCents;
        if (c.region() == 3) amount = holiday::kStandardCents;
        if (sr == kAvrDiakonie) amount = 0;
        if (auto net = januaryNetPay(g); net && *net == 0) amount = 0;
        if (option == holiday::kTyped) amount = typed;
        if (option == holiday::kHigherGroups || option == holiday::kLowerGroups)
            amount = publishedHolidayPay(g.year, option).value_or(typed);
        if (option >= holiday::kFirstUnused) amount = 0;
    } else {
        amount = option != holiday::kComputed && option < holiday::kFirstUnused ? typed : 0;
    }
    if (sr == kTypedPay) amount = typed;
    if (c.key(KeySlot::PartTime) == parttime::kPension) {
        amount = 0;
        c.enterAmount(slotNo, 0); // the typed amount goes as well
    }
    if (sr == kAvrDiakonie && option != holiday::kTyped) amount = 0;
    c.setAmount(slotNo, amount);
}

} // namespace varemo
