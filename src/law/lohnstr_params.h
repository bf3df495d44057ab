#pragma once
// Year-dependent values of the wage-tax flow chart (used by MPARA, MZTABFB, UPTAB, MSOLZ, MSONST, MVMT).
// Internal to LOHNSTR.

#include "base/decimal.h"

#include <cstdint>

namespace varemo {
struct LohnstrInput;
struct LohnstrOutput;
} // namespace varemo

namespace varemo::lohnstr_detail {

// Income-tax tariff of one year (UPTAB17 … UPTAB21 share one formula shape), euros:
//   X < GFB + 1            ST = 0
//   X < zone2End           Y = (X - GFB) / 10000;         ST = (Y * A2 + 1400) * Y
//   X < zone3End           Y = (X - zone3Start) / 10000;  ST = (Y * A3 + 2397) * Y + C3
//   X < zone4End           ST = 0.42 * X - C4
//   otherwise              ST = 0.45 * X - C5
struct Tariff {
    Decimal GFB;
    Decimal zone2End;
    Decimal A2;
    Decimal zone3Start;
    Decimal A3;
    Decimal C3;
    Decimal zone3End;
    Decimal zone4End;
    Decimal C4;
    Decimal C5;
};

struct YearParams {
    int year;
    Decimal BBGRV_WEST; // pension contribution ceiling, KRV = 0
    Decimal BBGRV_EAST; // pension contribution ceiling, KRV = 1
    Decimal RVSATZAN;   // employee pension rate
    Decimal TBSVORV;    // share of pension contributions taken into account
    Decimal BBGKVPV;    // health and care contribution ceiling
    bool kvzShared;     // from 2019 the employee bears half of KVZ, before that all of it
    Decimal KVSATZAG;   // employer health rate
    Decimal PVSATZAN;   // care rates, employee / employer
    Decimal PVSATZAG;
    Decimal PVSATZAN_SAXONY; // care rates in Saxony (PVS = 1)
    Decimal PVSATZAG_SAXONY;
    Decimal W1STKL5; // class V/VI limits
    Decimal W2STKL5;
    Decimal W3STKL5;
    Decimal SOLZFREI;            // surcharge exemption limit per tariff unit
    Decimal solzMarginalPercent; // marginal zone of the surcharge: this share of the base above the limit
    bool solzLimitOnSeparatePayments; // the exemption limit also governs SOLZS and SOLZV (from 2021)
    Decimal KFB_PER_CHILD;            // child allowance per child, classes I-III
    Decimal KFB_PER_CHILD_STKL4;
    Tariff tariff;
};

// The values of `year`; throws std::invalid_argument outside 2017..2021.
const YearParams& yearParams(int year);

// Index into TAB1..TAB5 for a pension start year or the year after age 64.
int tableIndex(int year);

// Pension allowance and old-age relief tables, index 1..36 (1 = start up to 2005, 36 = from 2040).
Decimal TAB1(int index); // pension allowance rate
Decimal TAB2(int index); // pension allowance cap, euros
Decimal TAB3(int index); // supplement to the pension allowance, euros
Decimal TAB4(int index); // old-age relief rate
Decimal TAB5(int index); // old-age relief cap, euros

// The same tables as whole numbers: the rates in thousandths, caps and supplements in euros.
std::int64_t TAB1Milli(int index);
std::int64_t TAB2Euros(int index);
std::int64_t TAB3Euros(int index);
std::int64_t TAB5Euros(int index);

// The flow chart computed on Decimal, each value at the scale the chart's arithmetic gives it. LOHNSTR
// uses it for inputs outside the range of its fixed-point computation; input codes are checked there.
LohnstrOutput LohnstrDecimal(const YearParams& params, const LohnstrInput& input);

} // namespace varemo::lohnstr_detail
