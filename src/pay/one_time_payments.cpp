#include "pay/one_time_payments.h"

#include "model/globaldaten.h"
#include "pay/holiday_pay.h"
#include "pay/special_payment.h"

#include <algorithm>

namespace varemo {
namespace {

constexpr const char* kUnused = "nicht belegt";
constexpr int kHessen = 7;

// The names of the shipped table under which the case's agreement lists its one-time payments.
std::vector<std::string> agreementsOf(const Case& c) {
    using namespace relationship;
    const bool hessen = c.region() == kHessen;
    switch (c.serviceRelationship()) {
    case kTvlCare:
    case kTvlSocial:
    case kTvl:
        return {hessen ? "TV-H" : "TV-L"};
    case kTvoedBund:
        return {"TVöD Bund"};
    case kTvoedVka:
    case kTvoedSavingsBanks:
        return {"TVöD VKA", "TVöD VKA Pflege"};
    case kTvoedVkaSocial:
        return {"TVöD VKA SuE"};
    case kTrainees:
        if (c.region() == kRegionFederal) return {"TVAöD Bund"};
        if (hessen) return {"TVA-H"};
        return {"TVAöD VKA", "TVA-L"};
    default:
        return {};
    }
}

// The shipped row the case's agreement pays in a month; nullptr when it pays none.
const OneTimePaymentRow* agreedRow(const Case& c, int year, int month) {
    for (const std::string& agreement : agreementsOf(c)) {
        for (const OneTimePaymentRow& row : shippedOneTimePayments()) {
            if (row.agreement != agreement || row.year != year) continue;
            if (row.month != 0 && row.month != month) continue;
            if (!bandCoversCase(row.groups, c)) continue;
            return &row;
        }
    }
    return nullptr;
}

void applyLiability(GrossLineAttributes& line, LineFlag flag, PaymentLiability liability) {
    if (liability != PaymentLiability::AsLine) line.setFlag(flag, liability == PaymentLiability::Liable);
}

} // namespace

int32_t agreedOneTimePayment(const Case& c, int year, int month) {
    const OneTimePaymentRow* row = agreedRow(c, year, month);
    return row ? row->cents : 0;
}

std::optional<std::string> oneTimePaymentReminder(const Case& c, int year) {
    if (c.key(lineInfo(onetime::kLine).key.value()) == onetime::kAgreed) return std::nullopt;
    for (int month = 1; month <= 12; ++month) {
        switch (agreedOneTimePayment(c, year, month)) {
        case 10000:
            return " 100 €";
        case 14000:
            return " 140 €";
        case 25000:
            return " 250 €";
        case 40000:
            return " 400 €";
        default:
            break;
        }
    }
    return std::nullopt;
}

void OneTimePaymentStep(Globaldaten& g) {
    Case& c = g.workingCase;
    const AmountSlot amountSlot = lineInfo(onetime::kLine).amount.value();
    const int option = c.key(lineInfo(onetime::kLine).key.value());
    const int month = std::clamp(c.monthIndex(), 0, 11);
    switch (option) {
    case onetime::kOwnText:
    case onetime::kPerformanceBonus:
    case onetime::kCompensation:
    case onetime::kTyped:
    case onetime::kOneTime:
        c.restoreEnteredAmount(amountSlot);
        break;
    case onetime::kAgreed: {
        const OneTimePaymentRow* row = agreedRow(c, g.year, month + 1);
        const Money full = Money::fromCents(row ? row->cents : 0);
        c.setAmount(amountSlot, full.timesFactor(g.partTimeFactor).toCents());
        if (row && row->cents != 0) {
            // The agreement's payment carries its treatment into every step that reads the line's flags
            // (wage tax, contributions and levies, supplementary pension), in this month and in the
            // sums of the months after it.
            GrossLineAttributes& line = c.grossLine(onetime::kLine);
            applyLiability(line, LineFlag::WageTax, row->wageTax);
            applyLiability(line, LineFlag::SocialInsurance, row->contributions);
            applyLiability(line, LineFlag::SupplementaryPension, row->supplementaryPension);
        }
        break;
    }
    case onetime::kFortyInApril:
        c.setAmount(amountSlot, month == onetime::kAprilIndex ? onetime::kFortyEuroCents : 0);
        break;
    case onetime::kOneTime2011:
        c.setAmount(amountSlot, g.year == 2011 ? c.previousAmount(amountSlot) : 0);
        break;
    default:
        c.setAmount(amountSlot, 0);
        break;
    }
}

int32_t typedPaymentAmount(const Case& c, AmountSlot s) {
    const auto optionOf = [&c](int line) { return c.key(lineInfo(line).key.value()); };
    bool typed = false;
    switch (s) {
    case AmountSlot::HolidayPay: {
        const int option = optionOf(holiday::kLine);
        typed = (option != holiday::kComputed && option < holiday::kFirstUnused) ||
                c.serviceRelationship() == relationship::kTypedPay;
        break;
    }
    case AmountSlot::AnnualPayment: {
        const int option = optionOf(special::kLine);
        typed = option == special::kTyped ||
                (isCivilServant(c.serviceRelationship()) && option == special::kLandShareTyped);
        break;
    }
    case AmountSlot::OneTimePayment: {
        const int option = optionOf(onetime::kLine);
        typed = option == onetime::kOwnText || option == onetime::kPerformanceBonus ||
                option == onetime::kCompensation || option == onetime::kTyped ||
                option == onetime::kOneTime || option == onetime::kOneTime2011;
        break;
    }
    default:
        break;
    }
    return typed ? c.previousAmount(s) : 0;
}

} // namespace varemo
