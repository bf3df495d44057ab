// The contribution-group key of the contribution kinds of lines 37 to 40 (digits: health, pension,
// unemployment, care insurance), as the employer's reports give it.
#include "deductions/contribution_group.h"

#include <gtest/gtest.h>

using namespace varemo;

TEST(ContributionGroupKey, FollowsTheKindsOfTheFourBranches) {
    struct Example {
        int kv, pv, rv, av;
        const char* key;
        const char* why;
    };
    const Example examples[] = {
        {0, 0, 0, 0, "1111", "regularly insured, general health rate"},
        {2, 7, 7, 3, "1111", "low-wage zone: full contributions on the reduced base (§ 20 (2) SGB IV)"},
        {10, 0, 0, 0, "3111", "reduced health rate without sick pay (§ 243 SGB V)"},
        {1, 1, 0, 0, "0110", "private health and care insurance with the employer's subsidy (§ 257 SGB V)"},
        {12, 9, 0, 0, "0110", "voluntary member paying the fund himself, subsidy only"},
        {5, 4, 2, 1, "6500", "mini-job exempt from pension insurance: flat 13 % (§ 249b SGB V), 15 %"},
        {5, 4, 3, 1, "6100", "mini-job with the employee's top-up: full pension contribution"},
        {0, 0, 6, 1, "1301", "beyond the standard age: the employer's pension half alone (§ 172 (1) SGB VI)"},
        {0, 0, 13, 0, "1011", "member of a professional scheme exempt under § 6 (1) No. 1 SGB VI"},
        {0, 0, 0, 6, "1111", "the employer bears the unemployment contribution alone (§ 20 (3) SGB IV)"},
        {7, 5, 4, 2, "1111", "contributions typed by hand count as full contributions"},
        {3, 4, 1, 1, "0000", "exempt from everything"},
    };
    for (const Example& e : examples) {
        Case c;
        c.setKey(KeySlot::ContributionKind, static_cast<int16_t>(e.kv));
        c.setKey(KeySlot::CareKind, static_cast<int16_t>(e.pv));
        c.setKey(KeySlot::PensionKind, static_cast<int16_t>(e.rv));
        c.setKey(KeySlot::UnemploymentKind, static_cast<int16_t>(e.av));
        EXPECT_EQ(contributionGroupKey(c), e.key) << e.why;
        // § 163 (8) SGB VI: only the topped-up mini-jobs pay on the minimum base.
        EXPECT_EQ(topsUpMiniJobPension(c), e.rv == 3) << e.why;
    }
}
