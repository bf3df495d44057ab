#include "calculators/service_age.h"

#include "base/error.h"

#include <gtest/gtest.h>

namespace varemo {
namespace {

CalendarDate d(const char* text) {
    return parseCalendarDate(text).value();
}

// § 28 BBesG (entry office with threshold 31), worked by hand:
//   birthday 15.05.1980; 21st year completed 14.05.2001 → regular BDA 01.05.2001.
//   Half phase: 15.05.2011 (31st birthday) to 14.05.2015 = 4 years = 1440 days; credited pay
//   01.09.2012–31.08.2014 = 2 years = 720 days; without pay 720 days, half = 360 days = 1 year.
//   Quarter phase: 15.05.2015 to 30.09.2016 (day before the appointment on 01.10.2016) = 1 year 4 months
//   16 days = 496 days, nothing credited; a quarter = 124 days = 4 months 4 days.
//   Postponement 1 year 4 months 4 days; the days do not move the BDA: 01.05.2001 + 1 year 4 months =
//   01.09.2002.
TEST(ServiceAge, BdaAfterParagraph28WorkedByHand) {
    ServiceAgeInput in;
    in.entryOfficeOption = 0;
    in.birthday = d("15.05.1980");
    in.appointment = d("01.10.2016");
    in.halfPhasePeriods = {{d("01.09.2012"), d("31.08.2014")}};
    const ServiceAgeResult r = computeServiceAge(in);
    EXPECT_EQ(r.office.paragraph, 28);
    EXPECT_EQ(r.completionOf21, d("14.05.2001"));
    EXPECT_EQ(r.regularBda, d("01.05.2001"));
    EXPECT_EQ(r.half.span, (DateSpan{4, 0, 0}));
    EXPECT_EQ(r.half.credited, (DateSpan{2, 0, 0}));
    EXPECT_EQ(r.half.share, (DateSpan{1, 0, 0}));
    EXPECT_EQ(r.quarter.from, d("15.05.2015"));
    EXPECT_EQ(r.quarter.span, (DateSpan{1, 4, 16}));
    EXPECT_EQ(r.quarter.share, (DateSpan{0, 4, 4}));
    EXPECT_EQ(r.postponement, (DateSpan{1, 4, 4}));
    EXPECT_EQ(r.bda, d("01.09.2002"));
    EXPECT_TRUE(r.refused.empty());

    // Appointed before the threshold age: nothing is postponed.
    in.appointment = d("01.08.2008");
    EXPECT_EQ(computeServiceAge(in).bda, d("01.05.2001"));
    // A birthday on the first of a month: the 21st year ends in the month before.
    in.birthday = d("01.05.1980");
    EXPECT_EQ(computeServiceAge(in).regularBda, d("01.04.2001"));
}

TEST(ServiceAge, PostponementCarriesIntoTheYearAndImplausiblePeriodsDoNotCount) {
    // Birthday 15.12.1980: regular BDA 01.12.2001. Appointed 15.10.2013: the half phase 15.12.2011 to
    // 14.10.2013 is 1 year 10 months = 660 days, half = 330 days = 11 months; December + 11 months is
    // November of the following year.
    ServiceAgeInput in;
    in.birthday = d("15.12.1980");
    in.appointment = d("15.10.2013");
    in.halfPhasePeriods = {{d("01.01.2016"), d("31.01.2016")},
                           {d("01.03.2012"), d("01.02.2012")},
                           {d("01.01.2012"), d("31.01.2012")},
                           {d("15.01.2012"), d("20.02.2012")}};
    const ServiceAgeResult r = computeServiceAge(in);
    ASSERT_EQ(r.refused.size(), 3u);
    EXPECT_EQ(r.refused[0].message,
              "Das Datum 01.01.2016 liegt   n a c h   der hier zu prüfenden Zeitspanne vom "
              "15.12.2011 bis 14.10.2013.");
    EXPECT_EQ(r.refused[1].message,
              "Das Datum 01.02.2012 liegt   v o r   dem Datum 01.03.2012 und damit nicht "
              "in der richtigen Zeitrichtung.");
    EXPECT_EQ(r.refused[2].message, " Das Datum 15.01.2012 liegt in der bereits verwendeten Zeitspanne vom "
                                    "01.01.2012 bis 31.01.2012");
    // January 2012 (one month) counts: 660 − 30 = 630, half = 315 days = 10 months 15 days.
    EXPECT_EQ(r.half.share, (DateSpan{0, 10, 15}));
    EXPECT_EQ(r.bda, d("01.10.2002"));
    in.halfPhasePeriods.clear();
    EXPECT_EQ(computeServiceAge(in).bda, d("01.11.2002"));

    in.entryOfficeOption = 4;
    EXPECT_THROW(computeServiceAge(in), Error);
    in.entryOfficeOption = 0;
    in.birthday.reset();
    EXPECT_THROW(computeServiceAge(in), Error);
}

TEST(ServiceAge, JubileeBeginAndJubileesBeforeRetirement) {
    // Pay with us from 01.09.2000; 3 years with an earlier employer move it back to 01.09.1997, six
    // months of unpaid leave forward to 01.03.1998. Born 1970: regular age limit 67 years (§ 51 BBG),
    // reached on 09.03.2037, retirement from 01.04.2037; the 40th jubilee (01.03.2038) is not reached.
    JubileeInput in;
    in.birthday = d("10.03.1970");
    in.payStart = d("01.09.2000");
    in.earlierEmployers = {{d("01.09.1995"), d("31.08.1998")}};
    in.notCounting = {{d("01.01.2005"), d("30.06.2005")}, {d("01.01.1999"), d("31.01.1999")}};
    const JubileeResult r = computeJubilee(in);
    EXPECT_EQ(r.credited, (DateSpan{3, 0, 0}));
    EXPECT_EQ(r.notCounted, (DateSpan{0, 6, 0}));
    EXPECT_EQ(r.jdaBegin, d("01.03.1998"));
    EXPECT_EQ(r.retirement, d("01.04.2037"));
    EXPECT_EQ(r.retirementAgeYears, 67);
    ASSERT_EQ(r.jubilees.size(), 3u);
    EXPECT_EQ(r.jubilees[0].date, d("01.03.2023"));
    EXPECT_TRUE(r.jubilees[0].reached);
    EXPECT_FALSE(r.jubilees[1].reached);
    ASSERT_EQ(r.refused.size(), 1u);
    EXPECT_EQ(r.refused[0].message,
              "Das Datum 01.01.1999 liegt   V O R   dem Beginn der Dienstbezüge am 01.09.2000 "
              "und damit außerhalb des hier zu prüfenden Zeitraums.");
    EXPECT_EQ(regularAgeLimitMonths(1950), 65 * 12 + 4);
    EXPECT_EQ(regularAgeLimitMonths(1960), 66 * 12 + 4);
}

} // namespace
} // namespace varemo
