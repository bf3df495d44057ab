#include "deductions/contribution_group.h"

namespace varemo {

int healthDigit(int kind) {
    switch (kind) {
    case 0: // general rate
    case 2: // low-wage zone
    case 7: // typed contribution
    case 9: // low-wage zone, typed
        return 1;
    case 10: // reduced rate
        return 3;
    case 4: // mini-job, flat employer contribution
    case 5:
        return 6;
    default: // 1, 8, 11, 12 subsidies; 3 exempt; 6 no contribution
        return 0;
    }
}

int pensionDigit(int kind) {
    switch (kind) {
    case 0:  // regular
    case 3:  // mini-job with the employee's top-up
    case 4:  // typed
    case 7:  // low-wage zone
    case 8:  // low-wage zone, topped up
    case 9:  // low-wage zone, typed
    case 10: // low-wage zone topped up, typed
    case 11: // mini-job in a private household, topped up
        return 1;
    case 6: // the employer's half alone
        return 3;
    case 2: // mini-job exempt from pension insurance
        return 5;
    default: // 1 none, 5 subsidy, 12 voluntary, 13 professional scheme
        return 0;
    }
}

int unemploymentDigit(int kind) {
    switch (kind) {
    case 0: // regular
    case 2: // typed
    case 3: // low-wage zone
    case 4: // low-wage zone, typed
    case 6: // the employer bears both shares
        return 1;
    default: // 1 none, 5 not used
        return 0;
    }
}

int careDigit(int kind) {
    switch (kind) {
    case 0: // regular
    case 2: // Saxony
    case 5: // typed
    case 7: // low-wage zone
    case 8: // low-wage zone, typed
        return 1;
    default: // 1, 3, 6, 9 subsidies; 4 none
        return 0;
    }
}

std::string contributionGroupKey(const Case& c) {
    const auto digit = [](int d) { return static_cast<char>('0' + d); };
    return {digit(healthDigit(c.key(KeySlot::ContributionKind))),
            digit(pensionDigit(c.key(KeySlot::PensionKind))),
            digit(unemploymentDigit(c.key(KeySlot::UnemploymentKind))),
            digit(careDigit(c.key(KeySlot::CareKind)))};
}

bool topsUpMiniJobPension(const Case& c) {
    const int kind = c.key(KeySlot::PensionKind);
    return kind == 3 || kind == 11;
}

} // namespace varemo
