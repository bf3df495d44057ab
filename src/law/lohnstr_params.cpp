#include "law/lohnstr_params.h"

#include "law/lohnstr.h"

#include <array>
#include <stdexcept>
#include <string>

namespace varemo::lohnstr_detail {

namespace {

constexpr int kFirstYear = 2017;
constexpr int kYears = 5;

using Column = std::array<const char*, kYears>; // one value per year, 2017 … 2021

// clang-format off
//                                         2017        2018        2019        2020        2021
const Column BBGRV_WEST          = {     "76200",    "78000",    "80400",    "82800",    "85200"};
const Column BBGRV_EAST          = {     "68400",    "69600",    "73800",    "77400",    "80400"};
const Column RVSATZAN            = {    "0.0935",    "0.093",    "0.093",    "0.093",    "0.093"};
const Column TBSVORV             = {      "0.68",     "0.72",     "0.76",     "0.80",     "0.84"};
const Column BBGKVPV             = {     "52200",    "53100",    "54450",    "56250",    "58050"};
// From 2019 the employer health rate is 7 % plus half the average additional contribution.
const Column KVSATZAG            = {      "0.07",     "0.07",   "0.0745",   "0.0755",   "0.0765"};
const Column PVSATZAN            = {   "0.01275",  "0.01275",  "0.01525",  "0.01525",  "0.01525"};
const Column PVSATZAG            = {   "0.01275",  "0.01275",  "0.01525",  "0.01525",  "0.01525"};
const Column PVSATZAN_SAXONY     = {   "0.01775",  "0.01775",  "0.02025",  "0.02025",  "0.02025"};
const Column PVSATZAG_SAXONY     = {   "0.00775",  "0.00775",  "0.01025",  "0.01025",  "0.01025"};
const Column W1STKL5             = {     "10240",    "10440",    "10635",    "10898",    "11237"};
const Column W2STKL5             = {     "27029",    "27475",    "27980",    "28526",    "28959"};
const Column W3STKL5             = {    "205043",   "208426",   "212261",   "216400",   "219690"};
const Column SOLZFREI            = {       "972",      "972",      "972",      "972",    "16956"};
const Column SOLZ_MARGINAL       = {        "20",       "20",       "20",       "20",     "11.9"};
const Column KFB_PER_CHILD       = {      "7356",     "7428",     "7620",     "7812",     "8388"};
const Column KFB_PER_CHILD_STKL4 = {      "3678",     "3714",     "3810",     "3906",     "4194"};
// Income-tax tariff.
const Column GFB                 = {      "8820",     "9000",     "9168",     "9408",     "9744"};
const Column ZONE2_END           = {     "13770",    "13997",    "14255",    "14533",    "14754"};
const Column A2                  = {   "1007.27",   "997.80",   "980.14",   "972.87",   "995.21"};
const Column A3                  = {    "223.76",   "220.13",   "216.16",   "212.02",   "208.85"};
const Column C3                  = {    "939.57",   "948.49",   "965.58",   "972.79",   "950.96"};
const Column ZONE3_END           = {     "54058",    "54950",    "55961",    "57052",    "57919"};
const Column ZONE4_END           = {    "256304",   "260533",   "265327",   "270501",   "274613"};
const Column C4                  = {   "8475.44",  "8621.75",  "8780.90",  "8963.74",  "9136.63"};
const Column C5                  = {  "16164.53", "16437.70", "16740.68", "17078.74", "17374.99"};
// clang-format on

std::array<YearParams, kYears> buildYears() {
    std::array<YearParams, kYears> years{};
    for (std::size_t i = 0; i < years.size(); ++i) {
        auto v = [i](const Column& column) { return Decimal::parse(column[i]); };
        YearParams& p = years[i];
        p.year = kFirstYear + static_cast<int>(i);
        p.BBGRV_WEST = v(BBGRV_WEST);
        p.BBGRV_EAST = v(BBGRV_EAST);
        p.RVSATZAN = v(RVSATZAN);
        p.TBSVORV = v(TBSVORV);
        p.BBGKVPV = v(BBGKVPV);
        p.kvzShared = p.year >= 2019;
        p.KVSATZAG = v(KVSATZAG);
        p.PVSATZAN = v(PVSATZAN);
        p.PVSATZAG = v(PVSATZAG);
        p.PVSATZAN_SAXONY = v(PVSATZAN_SAXONY);
        p.PVSATZAG_SAXONY = v(PVSATZAG_SAXONY);
        p.W1STKL5 = v(W1STKL5);
        p.W2STKL5 = v(W2STKL5);
        p.W3STKL5 = v(W3STKL5);
        p.SOLZFREI = v(SOLZFREI);
        p.solzMarginalPercent = v(SOLZ_MARGINAL);
        p.solzLimitOnSeparatePayments = p.year >= 2021;
        p.KFB_PER_CHILD = v(KFB_PER_CHILD);
        p.KFB_PER_CHILD_STKL4 = v(KFB_PER_CHILD_STKL4);
        p.tariff.GFB = v(GFB);
        p.tariff.zone2End = v(ZONE2_END);
        p.tariff.A2 = v(A2);
        p.tariff.zone3Start = p.tariff.zone2End - 1;
        p.tariff.A3 = v(A3);
        p.tariff.C3 = v(C3);
        p.tariff.zone3End = v(ZONE3_END);
        p.tariff.zone4End = v(ZONE4_END);
        p.tariff.C4 = v(C4);
        p.tariff.C5 = v(C5);
    }
    return years;
}

// The pension tables fall linearly: the rate by 1.6 points a year up to index 16 (start 2020), then by
// 0.8 points, reaching 0 at index 36 (start 2040); the caps and supplements fall in proportion.
std::int64_t linear(int index, std::int64_t first, std::int64_t step1, std::int64_t at16,
                    std::int64_t step2) {
    if (index < 1 || index > 36)
        throw std::logic_error("pension table index out of range: " + std::to_string(index));
    return index <= 16 ? first - (index - 1) * step1 : at16 - (index - 16) * step2;
}

} // namespace

const YearParams& yearParams(int year) {
    static const std::array<YearParams, kYears> years = buildYears();
    if (year < kFirstYear || year >= kFirstYear + kYears)
        throw LohnstrInputError("Für das Jahr " + std::to_string(year) +
                                " kann die Lohnsteuer nicht berechnet werden (nur 2017 bis 2021).");
    return years[static_cast<std::size_t>(year - kFirstYear)];
}

int tableIndex(int year) {
    if (year < 2006) return 1;
    if (year < 2040) return year - 2004;
    return 36;
}

std::int64_t TAB1Milli(int index) {
    return linear(index, 400, 16, 160, 8);
}
std::int64_t TAB2Euros(int index) {
    return linear(index, 3000, 120, 1200, 60);
}
std::int64_t TAB3Euros(int index) {
    return linear(index, 900, 36, 360, 18);
}
std::int64_t TAB5Euros(int index) {
    return linear(index, 1900, 76, 760, 38);
}

Decimal TAB1(int index) {
    return Decimal::fromScaled(TAB1Milli(index), 3);
}
Decimal TAB2(int index) {
    return TAB2Euros(index);
}
Decimal TAB3(int index) {
    return TAB3Euros(index);
}
Decimal TAB4(int index) {
    return TAB1(index);
}
Decimal TAB5(int index) {
    return TAB5Euros(index);
}

} // namespace varemo::lohnstr_detail
