// The shipped fund settings (generated from data/pension-funds) against the published rates and the
// pension-insurance ceilings of the law, and the small rules of the fund settings.

#include "deductions/supplementary_pension.h"
#include "law/pension_funds.h"
#include "law/sv_defaults.h"
#include "support/session.h"

#include <gtest/gtest.h>

using namespace varemo;

namespace {

constexpr int kVblEastFunds[] = {fund::VblEastBund, fund::VblEastLaender, fund::VblEastVka,
                                 fund::VblEastOther};
constexpr int kCommunalFunds[] = {10, 11, 13,
                                  14}; // Brandenburg, Mecklenburg-Vorpommern, Sachsen-Anhalt, Thüringen

PensionRates vblWest(int32_t employeeHundredths) {
    return {(645 + employeeHundredths) * 100, employeeHundredths * 100, 0, 0, 0};
}

PensionRates vblEast(int32_t employeeHundredths) {
    return {10000, 0, 0, (200 + employeeHundredths) * 100, employeeHundredths * 100};
}

} // namespace

TEST(PensionFunds, ShippedRatesFollowThePublishedSteps) {
    const PensionSettings y2017 = PensionDefaults(2017);
    const PensionSettings y2018 = PensionDefaults(2018);
    // VBL West: employer 6,45 % plus the employee's 1,41 % and additional share, raised in July.
    EXPECT_EQ(y2017.rates(fund::VblLaender, false, 5), vblWest(171));
    EXPECT_EQ(y2017.rates(fund::VblLaender, false, 6), vblWest(181));
    EXPECT_EQ(y2017.rates(fund::VblBund, false, 0), vblWest(161));
    EXPECT_EQ(y2018.rates(fund::VblVka, false, 5), vblWest(171));
    EXPECT_EQ(y2018.rates(fund::VblVka, false, 6), vblWest(181));
    EXPECT_EQ(y2017.rates(fund::VblOther, false, 0), vblWest(161));
    // VBL East: levy 1 % by the employer, capital contribution 2 % plus the employee's share.
    EXPECT_EQ(y2017.rates(fund::VblLaender, true, 0), vblEast(350));
    EXPECT_EQ(y2018.rates(fund::VblBund, true, 6), vblEast(425));
    EXPECT_EQ(y2017.rates(fund::VblOther, true, 0), vblEast(275));
    // Communal funds: the employer's levy, the capital contribution half and half.
    EXPECT_EQ(y2018.rates(13, false, 5), (PensionRates{15000, 0, 0, 46000, 23000}));
    EXPECT_EQ(y2018.rates(13, true, 6), (PensionRates{15000, 0, 0, 48000, 24000}));
    EXPECT_EQ(PensionDefaults(2021).rates(14, true, 11), (PensionRates{11000, 0, 0, 40000, 20000}));

    for (int year = 2017; year <= 2021; ++year) {
        const PensionSettings s = PensionDefaults(year);
        EXPECT_EQ(s.year, year);
        for (int m = 0; m < 12; ++m) {
            for (int position = fund::VblBund; position <= fund::VblOther; ++position) {
                EXPECT_EQ(s.rates(position, false, m).employerLevy(), 64500) << year << " " << position;
                EXPECT_EQ(s.rates(position, true, m).employerCapital(), 20000) << year << " " << position;
                // VBL-OST carries the eastern rates of its group in both columns.
                for (bool east : {false, true})
                    EXPECT_EQ(s.rates(position + fund::VblEastBund, east, m), s.rates(position, true, m));
            }
            for (int position : kCommunalFunds) {
                const PensionRates& r = s.rates(position, true, m);
                EXPECT_EQ(s.rates(position, false, m), r) << year << " " << position;
                EXPECT_EQ(r.capitalEmployee * 2, r.capital) << year << " " << position;
                EXPECT_GT(r.levy, 0) << year << " " << position;
            }
            // The Rheinische ZVK (19): levy 4,25 % by the employer and a restructuring charge of 3,5 %
            // (RZVK statutes), in both columns.
            for (bool east : {false, true})
                EXPECT_EQ(s.rates(19, east, m), (PensionRates{42500, 0, 35000, 0, 0})) << year;
            // Everything else ships as 0 for the user to enter, as does the VBL's restructuring charge.
            for (int position = 0; position < kPensionFundPositions; ++position) {
                if (position == 19) continue;
                const bool shipped = position <= fund::VblEastOther || position == 10 || position == 11 ||
                                     position == 13 || position == 14;
                for (bool east : {false, true}) {
                    EXPECT_EQ(s.rates(position, east, m).restructuring, 0) << year << " " << position;
                    if (!shipped) {
                        EXPECT_EQ(s.rates(position, east, m), PensionRates{}) << year << " " << position;
                    }
                }
            }
        }
    }
    for (int position : kVblEastFunds)
        EXPECT_EQ(y2018.rates(position, false, 11).capital, 62500);
    // Years outside 2017 to 2021 take the nearest year's values.
    PensionSettings before = PensionDefaults(2016);
    EXPECT_EQ(before.year, 2016);
    before.year = 2017;
    EXPECT_EQ(before, y2017);
}

TEST(PensionFunds, ShippedThresholdsAndLevyCeilings) {
    const PensionSettings y2017 = PensionDefaults(2017);
    const PensionSettings y2019 = PensionDefaults(2019);
    // The threshold follows each TVöD-VKA table from its month (1.133 × E15 step 6).
    EXPECT_EQ(y2017.threshold8[0], Money::fromCents(717370));
    EXPECT_EQ(y2017.threshold8[1], Money::fromCents(734228));
    EXPECT_EQ(y2019.threshold8[2], Money::fromCents(755447));
    EXPECT_EQ(y2019.threshold8[3], Money::fromCents(776666));
    EXPECT_EQ(PensionDefaults(2021).threshold8[11], Money::fromCents(795134));
    // The published thresholds of the month of the annual special payment.
    EXPECT_EQ(y2019.specialPaymentThresholdWest, Money::fromCents(1178823));
    EXPECT_EQ(PensionDefaults(2021).specialPaymentThresholdWest, Money::fromCents(1206853));
    EXPECT_EQ(PensionDefaults(2021).specialPaymentThresholdEast, Money::fromCents(1182126));
    for (int year = 2017; year <= 2021; ++year) {
        const PensionSettings s = PensionDefaults(year);
        const auto sv = SvDefaults::forYear(year);
        ASSERT_TRUE(sv);
        EXPECT_GT(s.specialPaymentThresholdEast, Money());
        EXPECT_GT(s.specialPaymentThresholdWest, s.specialPaymentThresholdEast) << year;
        for (size_t i = 0; i < 12; ++i) {
            EXPECT_EQ(s.threshold9[i], s.threshold8[i]) << year << "-" << i + 1;
            // 2.5 × the pension-insurance ceiling of the area.
            EXPECT_EQ(s.ceilingWest[i] * 2, sv->rvCeiling[0] * 5) << year << "-" << i + 1;
            EXPECT_EQ(s.ceilingEast[i] * 2, sv->rvCeiling[1] * 5) << year << "-" << i + 1;
        }
    }
}

TEST(PensionFunds, FundListRatesAndLimits) {
    const auto& options = pensionFundOptions();
    ASSERT_EQ(options.size(), static_cast<size_t>(kPensionFundPositions));
    EXPECT_EQ(options[fund::None], "Keine Zusatzversicherung");
    for (const auto& text : options) {
        size_t characters = 0;
        for (unsigned char ch : text)
            characters += (ch & 0xC0) != 0x80;
        EXPECT_LE(characters, 35u) << text;
    }
    EXPECT_EQ((PensionRates{0, 12350, 0, 0, 0}.employeeShareCode()), 124); // 1,235 % rounds to 1,24
    EXPECT_EQ(formatPensionRate(1234), "0,1234");
    EXPECT_EQ(taxFreeLevyPercent(2013), 1);
    EXPECT_EQ(taxFreeLevyPercent(2025), 4);
    // Hamburg: 1,25 %, from October 2015 1,45 %, 2016 1,55 %, from 2017 1,65 %.
    EXPECT_EQ(hamburgContributionRate(2015, 8), 125);
    EXPECT_EQ(hamburgContributionRate(2015, 9), 145);
    EXPECT_EQ(hamburgContributionRate(2016, 11), 155);
    EXPECT_EQ(hamburgContributionRate(2017, 0), 165);
    // The panel's bounds: shares at most their totals, the employer's capital contribution at most 4 %.
    PensionRates r{-5, 20000, 0, 80000, 10000};
    EXPECT_TRUE(CorrectPensionRates(r));
    EXPECT_EQ(r, (PensionRates{0, 0, 0, 80000, 40000}));
    PensionRates fine{82600, 18100, 0, 62500, 42500};
    EXPECT_FALSE(CorrectPensionRates(fine));
}

TEST(PensionFunds, SettingsFollowTheCalculationYear) {
    test::TestSession s(2020);
    EnsurePensionSettings(s.g);
    EXPECT_EQ(s.g.pension.settings, PensionDefaults(2020));
    // A change made for the year stays until the year changes; then the year's defaults return.
    s.g.pension.settings.rates(fund::VblLaender, false, 0).restructuring = 1400;
    EnsurePensionSettings(s.g);
    EXPECT_EQ(s.g.pension.settings.rates(fund::VblLaender, false, 0).restructuring, 1400);
    s.g.year = 2021;
    EnsurePensionSettings(s.g);
    EXPECT_EQ(s.g.pension.settings, PensionDefaults(2021));
}
