#pragma once
// LOHNSTR: the official flow chart for the machine computation of wage tax, solidarity surcharge and
// church-tax base, calendar years 2017 to 2021, computed exactly: in 64-bit fixed point with the chart's
// roundings, and on the general Decimal (base/decimal.h) for inputs beyond that range. Nothing is
// allocated per call.
//
// Inputs and outputs keep their published names. Amounts are whole cents; KVZ is a percentage
// (1.30 means 1.30 %), ZKF a count of child allowances in steps of 0.5, f the class-IV factor.
// Every call starts from a fresh state; nothing is kept between calls.

#include <cstdint>

#include "base/decimal.h"

namespace varemo {

struct LohnstrInput {
    int af = 1;                // 1 = factor procedure elected (class IV); 0 = f is ignored
    int AJAHR = 0;             // year following the completion of age 64 (with ALTER1 = 1)
    int ALTER1 = 0;            // 1 = old-age relief applies
    std::int64_t ENTSCH = 0;   // compensations contained in VKAPA and VMT
    Decimal f = 1;             // class-IV factor (3 decimals)
    std::int64_t JFREIB = 0;   // annual tax-free amount (used for one-time payments)
    std::int64_t JHINZU = 0;   // annual addition amount (used for one-time payments)
    std::int64_t JRE4 = 0;     // expected annual wage without one-time and multi-year pay
    std::int64_t JVBEZ = 0;    // pension payments contained in JRE4
    int KRV = 0;               // 0 pension insurance West, 1 East, 2 none
    Decimal KVZ = 0;           // health-fund additional contribution rate in percent
    int LZZ = 2;               // pay period: 1 year, 2 month, 3 week, 4 day
    std::int64_t LZZFREIB = 0; // tax-free amount of the pay period
    std::int64_t LZZHINZU = 0; // addition amount of the pay period
    std::int64_t PKPV = 0;     // private health and care premiums, always a monthly amount
    int PKV = 0;               // 0 statutory, 1 private without, 2 private with employer subsidy
    int PVS = 0;               // 1 = care-insurance rates of Saxony
    int PVZ = 0;               // 1 = childless surcharge to care insurance
    int R = 0;                 // religion code; > 0 produces the church-tax bases
    std::int64_t RE4 = 0;      // taxable wage of the pay period
    std::int64_t SONSTB = 0;   // one-time payment
    std::int64_t STERBE = 0;   // death benefits and pension capital payments contained in SONSTB
    int STKL = 1;              // tax class 1..6
    std::int64_t VBEZ = 0;     // pension payments contained in RE4
    std::int64_t VBEZM = 0;    // pension of the first full month
    std::int64_t VBEZS = 0;    // expected special pension payments in the starting year
    std::int64_t VBS = 0;      // pension payments contained in SONSTB
    int VJAHR = 0;             // year of the first pension payment
    std::int64_t VKAPA = 0;    // pension capital payments covering several years
    std::int64_t VMT = 0;      // pay for multi-year activity
    Decimal ZKF = 0;           // number of child allowances
    int ZMVB = 0;              // months with pension payments (annual computation)
    std::int64_t JRE4ENT = 0;  // compensations contained in JRE4
    std::int64_t SONSTENT = 0; // compensations contained in SONSTB
};

struct LohnstrOutput {
    std::int64_t BK = 0;       // church-tax base of the pay period
    std::int64_t BKS = 0;      // church-tax base of the one-time payment
    std::int64_t BKV = 0;      // church-tax base of the multi-year pay
    std::int64_t LSTLZZ = 0;   // wage tax of the pay period
    std::int64_t SOLZLZZ = 0;  // solidarity surcharge of the pay period
    std::int64_t SOLZS = 0;    // solidarity surcharge on the one-time payment
    std::int64_t SOLZV = 0;    // solidarity surcharge on the multi-year pay
    std::int64_t STS = 0;      // wage tax on the one-time payment
    std::int64_t STV = 0;      // wage tax on the multi-year pay
    std::int64_t VKVLZZ = 0;   // private contributions taken into account for the pay period
    std::int64_t VKVSONST = 0; // the same for the one-time payment (may be negative)
    // Values for the double-taxation treaty with Turkey.
    std::int64_t VFRB = 0;   // allowances consumed, current wage
    std::int64_t VFRBS1 = 0; // allowances consumed, expected annual wage
    std::int64_t VFRBS2 = 0; // allowances consumed, one-time payments (may be negative)
    std::int64_t WVFRB = 0;  // taxable income above the basic allowance, current wage
    std::int64_t WVFRBO = 0; // the same, expected annual wage
    std::int64_t WVFRBM = 0; // the same, one-time payments
};

// An input the flow chart has no rule for: a year outside 2017 to 2021, LZZ outside 1..4, STKL outside 1..6.
class LohnstrInputError : public Error {
  public:
    using Error::Error;
};

// Runs the flow chart of `year` (2017..2021). Throws LohnstrInputError for another year, for STKL
// outside 1..6 and for LZZ outside 1..4; DecimalOverflow for amounts beyond any real wage.
LohnstrOutput LOHNSTR(int year, const LohnstrInput& input);

} // namespace varemo
