#include "law/lohnstr.h"

#include "law/lohnstr_params.h"

#include <array>
#include <stdexcept>
#include <string>

namespace varemo {

namespace {

using lohnstr_detail::TAB1Milli;
using lohnstr_detail::TAB2Euros;
using lohnstr_detail::TAB3Euros;
using lohnstr_detail::TAB5Euros;
using lohnstr_detail::tableIndex;
using lohnstr_detail::YearParams;

// The flow chart in 64-bit fixed point. Every value of the chart is a decimal with a bounded number of
// places: amounts in euros have at most two (held here in cents), tax amounts are whole euros or whole
// cents, rates have at most six places, f, KVZ and ZKF at most three. Each rounding of the chart
// (setScale, divide) becomes one integer division rounded as the chart says, so the results are
// exactly those of the Decimal computation. The units are in the names of the comments: "cents" holds
// euro values times 100, "euros" whole euros, "micro" rates times 10^6, "milli" times 1000.
//
// Inputs up to kInputLimit cents keep every sum far inside 64 bits; each product is checked and an
// overflow hands the case to the Decimal computation, which has the range of 128 bits.

using I64 = std::int64_t;

constexpr I64 kInputLimit = 100'000'000'000; // one billion euros

struct OutOfFixedRange {};

I64 mul(I64 a, I64 b) {
    I64 r;
    if (__builtin_mul_overflow(a, b, &r)) throw OutOfFixedRange{};
    return r;
}

// Rounding toward zero (the chart's DOWN) and away from zero (UP); d > 0.
I64 divDown(I64 n, I64 d) {
    return n / d;
}
I64 divUp(I64 n, I64 d) {
    const I64 q = n / d;
    if (n % d == 0) return q;
    return n < 0 ? q - 1 : q + 1;
}
// Cents rounded to whole euros, kept in cents.
I64 wholeEurosDown(I64 cents) {
    return divDown(cents, 100) * 100;
}
I64 wholeEurosUp(I64 cents) {
    return divUp(cents, 100) * 100;
}

bool scaled(const Decimal& d, int scale, I64& out) {
    return d.toScaled(scale, out);
}
I64 scaledOrThrow(const Decimal& d, int scale) {
    I64 v = 0;
    if (!scaled(d, scale, v)) throw std::logic_error("flow-chart constant has too many places");
    return v;
}

// One year's values of the chart in the units of the computation, converted once.
struct YearValues {
    I64 BBGRV_WEST, BBGRV_EAST; // cents
    I64 RVSATZAN;               // ten-thousandths
    I64 TBSVORV;                // hundredths
    I64 BBGKVPV;                // cents
    bool kvzShared;
    I64 KVSATZAG, PVSATZAN, PVSATZAG, PVSATZAN_SAXONY, PVSATZAG_SAXONY; // micro
    I64 W1STKL5, W2STKL5, W3STKL5;                                      // euros
    I64 SOLZFREI;                                                       // euros
    I64 solzMarginalTenths;                                             // percent times 10
    bool solzLimitOnSeparatePayments;
    I64 KFB_PER_CHILD, KFB_PER_CHILD_STKL4;            // euros
    I64 GFB, zone2End, zone3Start, zone3End, zone4End; // euros
    I64 A2, A3, C3, C4, C5;                            // cents
};

YearValues convert(const YearParams& p) {
    YearValues v{};
    v.BBGRV_WEST = scaledOrThrow(p.BBGRV_WEST, 2);
    v.BBGRV_EAST = scaledOrThrow(p.BBGRV_EAST, 2);
    v.RVSATZAN = scaledOrThrow(p.RVSATZAN, 4);
    v.TBSVORV = scaledOrThrow(p.TBSVORV, 2);
    v.BBGKVPV = scaledOrThrow(p.BBGKVPV, 2);
    v.kvzShared = p.kvzShared;
    v.KVSATZAG = scaledOrThrow(p.KVSATZAG, 6);
    v.PVSATZAN = scaledOrThrow(p.PVSATZAN, 6);
    v.PVSATZAG = scaledOrThrow(p.PVSATZAG, 6);
    v.PVSATZAN_SAXONY = scaledOrThrow(p.PVSATZAN_SAXONY, 6);
    v.PVSATZAG_SAXONY = scaledOrThrow(p.PVSATZAG_SAXONY, 6);
    v.W1STKL5 = scaledOrThrow(p.W1STKL5, 0);
    v.W2STKL5 = scaledOrThrow(p.W2STKL5, 0);
    v.W3STKL5 = scaledOrThrow(p.W3STKL5, 0);
    v.SOLZFREI = scaledOrThrow(p.SOLZFREI, 0);
    v.solzMarginalTenths = scaledOrThrow(p.solzMarginalPercent, 1);
    v.solzLimitOnSeparatePayments = p.solzLimitOnSeparatePayments;
    v.KFB_PER_CHILD = scaledOrThrow(p.KFB_PER_CHILD, 0);
    v.KFB_PER_CHILD_STKL4 = scaledOrThrow(p.KFB_PER_CHILD_STKL4, 0);
    v.GFB = scaledOrThrow(p.tariff.GFB, 0);
    v.zone2End = scaledOrThrow(p.tariff.zone2End, 0);
    v.zone3Start = scaledOrThrow(p.tariff.zone3Start, 0);
    v.zone3End = scaledOrThrow(p.tariff.zone3End, 0);
    v.zone4End = scaledOrThrow(p.tariff.zone4End, 0);
    v.A2 = scaledOrThrow(p.tariff.A2, 2);
    v.A3 = scaledOrThrow(p.tariff.A3, 2);
    v.C3 = scaledOrThrow(p.tariff.C3, 2);
    v.C4 = scaledOrThrow(p.tariff.C4, 2);
    v.C5 = scaledOrThrow(p.tariff.C5, 2);
    return v;
}

const YearValues& yearValues(const YearParams& p) {
    static const std::array<YearValues, 5> years = [] {
        std::array<YearValues, 5> all{};
        for (int i = 0; i < 5; ++i)
            all[static_cast<std::size_t>(i)] = convert(lohnstr_detail::yearParams(2017 + i));
        return all;
    }();
    return years[static_cast<std::size_t>(p.year - 2017)];
}

// The amounts of the input within kInputLimit, and f, KVZ and ZKF with at most three places.
bool fitsFixedRange(const LohnstrInput& in, I64& f, I64& kvz, I64& zkf) {
    const I64 amounts[] = {in.ENTSCH, in.JFREIB, in.JHINZU, in.JRE4,    in.JVBEZ,   in.LZZFREIB, in.LZZHINZU,
                           in.PKPV,   in.RE4,    in.SONSTB, in.STERBE,  in.VBEZ,    in.VBEZM,    in.VBEZS,
                           in.VBS,    in.VKAPA,  in.VMT,    in.JRE4ENT, in.SONSTENT};
    for (I64 a : amounts)
        if (a > kInputLimit || a < -kInputLimit) return false;
    constexpr I64 kFactorLimit = 1'000'000'000;
    return scaled(in.f, 3, f) && f <= kFactorLimit && f >= -kFactorLimit && scaled(in.KVZ, 3, kvz) &&
           kvz <= kFactorLimit && kvz >= -kFactorLimit && scaled(in.ZKF, 3, zkf) && zkf <= kFactorLimit &&
           zkf >= -kFactorLimit;
}

// The chart's record with its published field names, as in the Decimal computation; the comments of
// that file explain the steps. Only the units differ (see above).
class FixedLohnsteuer {
  public:
    FixedLohnsteuer(const YearValues& values, const LohnstrInput& in, I64 fMilli, I64 kvzMilli, I64 zkfMilli)
        : P(values), af(in.af), AJAHR(in.AJAHR), ALTER1(in.ALTER1), ENTSCH(in.ENTSCH), f(fMilli),
          JFREIB(in.JFREIB), JHINZU(in.JHINZU), JRE4(in.JRE4), JVBEZ(in.JVBEZ), KRV(in.KRV), KVZ(kvzMilli),
          LZZ(in.LZZ), LZZFREIB(in.LZZFREIB), LZZHINZU(in.LZZHINZU), PKPV(in.PKPV), PKV(in.PKV), PVS(in.PVS),
          PVZ(in.PVZ), R(in.R), RE4(in.RE4), SONSTB(in.SONSTB), STERBE(in.STERBE), STKL(in.STKL),
          VBEZ(in.VBEZ), VBEZM(in.VBEZM), VBEZS(in.VBEZS), VBS(in.VBS), VJAHR(in.VJAHR), VKAPA(in.VKAPA),
          VMT(in.VMT), ZKF(zkfMilli), ZMVB(in.ZMVB), JRE4ENT(in.JRE4ENT), SONSTENT(in.SONSTENT) {}

    LohnstrOutput run() {
        MPARA();
        MRE4JL();
        VBEZBSO = 0;
        KENNVMT = 0;
        MRE4();
        MRE4ABZ();
        MBERECH();
        MSONST();
        MVMT();
        LohnstrOutput out;
        out.BK = BK;
        out.BKS = BKS;
        out.BKV = BKV;
        out.LSTLZZ = LSTLZZ;
        out.SOLZLZZ = SOLZLZZ;
        out.SOLZS = SOLZS;
        out.SOLZV = SOLZV;
        out.STS = STS;
        out.STV = STV;
        out.VKVLZZ = VKVLZZ;
        out.VKVSONST = VKVSONST;
        out.VFRB = VFRB;
        out.VFRBS1 = VFRBS1;
        out.VFRBS2 = VFRBS2;
        out.WVFRB = WVFRB;
        out.WVFRBO = WVFRBO;
        out.WVFRBM = WVFRBM;
        return out;
    }

  private:
    void MPARA() {
        if (KRV < 2) {
            BBGRV = KRV == 0 ? P.BBGRV_WEST : P.BBGRV_EAST;
            RVSATZAN = P.RVSATZAN;
            TBSVORV = P.TBSVORV;
        }
        BBGKVPV = P.BBGKVPV;
        // KVZ (milli-percent) / 100 is KVZ * 10 micro; half of it KVZ * 5.
        KVSATZAN = mul(KVZ, P.kvzShared ? 5 : 10) + 70'000;
        KVSATZAG = P.KVSATZAG;
        if (PVS == 1) {
            PVSATZAN = P.PVSATZAN_SAXONY;
            PVSATZAG = P.PVSATZAG_SAXONY;
        } else {
            PVSATZAN = P.PVSATZAN;
            PVSATZAG = P.PVSATZAG;
        }
        if (PVZ == 1) PVSATZAN += 2'500;
        GFB = P.GFB;
        SOLZFREI = P.SOLZFREI;
    }

    // The period's amount (cents) as an annual amount in cents, cut toward zero.
    I64 annual(I64 amount) const {
        if (LZZ == 1) return amount;
        if (LZZ == 2) return mul(amount, 12);
        if (LZZ == 3) return divDown(mul(amount, 360), 7);
        return mul(amount, 360);
    }

    void MRE4JL() {
        ZRE4J = annual(RE4);
        ZVBEZJ = annual(VBEZ);
        JLFREIB = annual(LZZFREIB);
        JLHINZU = annual(LZZHINZU);
        if (af == 0) f = 1000;
    }

    void MRE4() {
        if (ZVBEZJ == 0) {
            FVBZ = 0;
            FVB = 0;
            FVBZSO = 0;
            FVBSO = 0;
        } else {
            J = tableIndex(VJAHR);
            const I64 tab1 = TAB1Milli(J);
            const I64 tab2 = TAB2Euros(J) * 100;
            const I64 tab3 = TAB3Euros(J) * 100;
            if (LZZ == 1) {
                VBEZB = mul(VBEZM, ZMVB) + VBEZS;
                HFVB = mul(tab2 / 12, ZMVB); // the caps are multiples of 12 euros
                FVBZ = divUp(mul(TAB3Euros(J), ZMVB), 12) * 100;
            } else {
                VBEZB = mul(VBEZM, 12) + VBEZS;
                HFVB = tab2;
                FVBZ = tab3;
            }
            FVB = divUp(mul(VBEZB, tab1), 1000);
            if (FVB > HFVB) FVB = HFVB;
            if (FVB > ZVBEZJ) FVB = ZVBEZJ;
            FVBSO = divUp(mul(FVB, 1000) + mul(VBEZBSO, tab1), 1000);
            if (FVBSO > tab2) FVBSO = tab2;
            HFVBZSO = VBEZB + VBEZBSO - FVBSO;
            FVBZSO = wholeEurosUp(FVBZ + VBEZBSO);
            if (FVBZSO > HFVBZSO) FVBZSO = wholeEurosUp(HFVBZSO);
            if (FVBZSO > tab3) FVBZSO = tab3;
            HFVBZ = VBEZB - FVB;
            if (FVBZ > HFVBZ) FVBZ = wholeEurosUp(HFVBZ);
        }
        MRE4ALTE();
    }

    void MRE4ALTE() {
        if (ALTER1 == 0) {
            ALTE = 0;
        } else {
            K = tableIndex(AJAHR);
            BMG = ZRE4J - ZVBEZJ;
            ALTE = divUp(mul(BMG, TAB1Milli(K)), 100'000) * 100;
            HBALTE = TAB5Euros(K) * 100;
            if (ALTE > HBALTE) ALTE = HBALTE;
        }
    }

    void MRE4ABZ() {
        ZRE4 = ZRE4J - FVB - ALTE - JLFREIB + JLHINZU;
        if (ZRE4 < 0) ZRE4 = 0;
        ZRE4VP = ZRE4J;
        if (KENNVMT == 2) ZRE4VP = ZRE4VP - ENTSCH;
        ZVBEZ = ZVBEZJ - FVB;
        if (ZVBEZ < 0) ZVBEZ = 0;
    }

    void MBERECH() {
        MZTABFB();
        VFRB = ANP + FVB + FVBZ;
        MLSTJAHR();
        WVFRB = ZVE - GFB * 100;
        if (WVFRB < 0) WVFRB = 0;
        LSTJAHR = divDown(mul(ST, f), 1000);
        UPLSTLZZ();
        UPVKVLZZ();
        if (ZKF > 0) {
            ZTABFB = ZTABFB + KFB;
            MRE4ABZ();
            MLSTJAHR();
            JBMG = divDown(mul(ST, f), 1000);
        } else {
            JBMG = LSTJAHR;
        }
        MSOLZ();
    }

    void MZTABFB() {
        ANP = 0;
        if (ZVBEZ >= 0 && ZVBEZ < FVBZ) FVBZ = wholeEurosDown(ZVBEZ);
        if (STKL < 6) {
            if (ZVBEZ > 0) {
                if (ZVBEZ - FVBZ < 10'200)
                    ANP = wholeEurosUp(ZVBEZ - FVBZ);
                else
                    ANP = 10'200;
            }
        } else {
            FVBZ = 0;
            FVBZSO = 0;
        }
        if (STKL < 6 && ZRE4 > ZVBEZ) {
            if (ZRE4 - ZVBEZ < 100'000)
                ANP = wholeEurosUp(ANP + ZRE4 - ZVBEZ);
            else
                ANP = ANP + 100'000;
        }
        KZTAB = 1;
        switch (STKL) {
        case 1:
            SAP = 3'600;
            KFB = divDown(mul(ZKF, P.KFB_PER_CHILD), 1000) * 100;
            break;
        case 2:
            EFA = 190'800;
            SAP = 3'600;
            KFB = divDown(mul(ZKF, P.KFB_PER_CHILD), 1000) * 100;
            break;
        case 3:
            KZTAB = 2;
            SAP = 3'600;
            KFB = divDown(mul(ZKF, P.KFB_PER_CHILD), 1000) * 100;
            break;
        case 4:
            SAP = 3'600;
            KFB = divDown(mul(ZKF, P.KFB_PER_CHILD_STKL4), 1000) * 100;
            break;
        case 5:
            SAP = 3'600;
            KFB = 0;
            break;
        default:
            KFB = 0;
            break;
        }
        ZTABFB = EFA + ANP + SAP + FVBZ;
    }

    void MLSTJAHR() {
        UPEVP();
        if (KENNVMT != 1) {
            ZVE = ZRE4 - ZTABFB - VSP;
            UPMLST();
        } else {
            const I64 multiYear = VMT + VKAPA;
            ZVE = ZRE4 - ZTABFB - VSP - multiYear;
            if (ZVE < 0) {
                ZVE = divDown(ZVE + multiYear, 5);
                UPMLST();
                ST = mul(ST, 5);
            } else {
                UPMLST();
                STOVMT = ST;
                // ZVE + (VMT + VKAPA) / 500 euros, cut to cents.
                ZVE = divDown(mul(ZVE, 5) + VMT + VKAPA, 5);
                UPMLST();
                ST = mul(ST - STOVMT, 5) + STOVMT;
            }
        }
    }

    void UPEVP() {
        if (KRV > 1) {
            VSP1 = 0;
        } else {
            if (ZRE4VP > BBGRV) ZRE4VP = BBGRV;
            VSP1 = divDown(mul(ZRE4VP, TBSVORV), 100);
            VSP1 = divDown(mul(VSP1, RVSATZAN), 10'000);
        }
        VSP2 = divDown(mul(ZRE4VP, 12), 100);
        VHB = STKL == 3 ? 300'000 : 190'000;
        if (VSP2 > VHB) VSP2 = VHB;
        VSPN = wholeEurosUp(VSP1 + VSP2);
        MVSP();
        if (VSPN > VSP) VSP = VSPN;
    }

    void MVSP() {
        if (ZRE4VP > BBGKVPV) ZRE4VP = BBGKVPV;
        if (PKV > 0) {
            if (STKL == 6) {
                VSP3 = 0;
            } else {
                VSP3 = mul(PKPV, 12);
                if (PKV == 2)
                    VSP3 = divDown(mul(VSP3, 1'000'000) - mul(ZRE4VP, KVSATZAG + PVSATZAG), 1'000'000);
            }
        } else {
            VSP3 = divDown(mul(ZRE4VP, KVSATZAN + PVSATZAN), 1'000'000);
        }
        VSP = wholeEurosUp(VSP3 + VSP1);
    }

    void UPMLST() {
        if (ZVE < 100) {
            ZVE = 0;
            X = 0;
        } else {
            X = divDown(ZVE, KZTAB * 100) * 100;
        }
        if (STKL < 5)
            UPTAB();
        else
            MST5_6();
    }

    // X in cents (two places after UP5_6); ST in whole euros. Y = (X - start) / 10000 has at most six
    // places, so in millionths it is X in cents minus the start in cents; RW * Y has fourteen.
    void UPTAB() {
        if (X < (GFB + 1) * 100) {
            ST = 0;
        } else if (X < P.zone2End * 100) {
            const I64 y = X - GFB * 100;
            const I64 rw = mul(y, P.A2) + 1400 * 100'000'000LL;
            ST = divDown(mul(rw, y), 100'000'000'000'000LL);
        } else if (X < P.zone3End * 100) {
            const I64 y = X - P.zone3Start * 100;
            const I64 rw = mul(y, P.A3) + 2397 * 100'000'000LL;
            ST = divDown(mul(rw, y) + mul(P.C3, 1'000'000'000'000LL), 100'000'000'000'000LL);
        } else if (X < P.zone4End * 100) {
            ST = divDown(mul(X, 42) - P.C4 * 100, 10'000);
        } else {
            ST = divDown(mul(X, 45) - P.C5 * 100, 10'000);
        }
        ST = ST * KZTAB;
    }

    // ST + (amount in cents) * rate (hundredths), cut to whole euros.
    static I64 addAtRate(I64 st, I64 cents, I64 rateHundredths) {
        return divDown(mul(st, 10'000) + mul(cents, rateHundredths), 10'000);
    }

    void MST5_6() {
        ZZX = X;
        const I64 w1 = P.W1STKL5 * 100;
        const I64 w2 = P.W2STKL5 * 100;
        const I64 w3 = P.W3STKL5 * 100;
        if (ZZX > w2) {
            ZX = w2;
            UP5_6();
            if (ZZX > w3) {
                ST = addAtRate(ST, w3 - w2, 42);
                ST = addAtRate(ST, ZZX - w3, 45);
            } else {
                ST = addAtRate(ST, ZZX - w2, 42);
            }
        } else {
            ZX = ZZX;
            UP5_6();
            if (ZZX > w1) {
                VERGL = ST;
                ZX = w1;
                UP5_6();
                HOCH = addAtRate(ST, ZZX - w1, 42);
                if (HOCH < VERGL)
                    ST = HOCH;
                else
                    ST = VERGL;
            }
        }
    }

    void UP5_6() {
        X = divDown(mul(ZX, 125), 100);
        UPTAB();
        ST1 = ST;
        X = divDown(mul(ZX, 75), 100);
        UPTAB();
        ST2 = ST;
        DIFF = (ST1 - ST2) * 2;
        MIST = divDown(mul(ZX, 14), 10'000);
        if (MIST > DIFF)
            ST = MIST;
        else
            ST = DIFF;
    }

    void UPLSTLZZ() {
        JW = mul(LSTJAHR, 100);
        UPANTEIL();
        LSTLZZ = ANTEIL1;
    }

    void UPVKVLZZ() {
        UPVKV();
        JW = VKV;
        UPANTEIL();
        VKVLZZ = ANTEIL1;
    }

    void UPVKV() {
        if (PKV > 0) {
            if (VSP2 > VSP3)
                VKV = VSP2;
            else
                VKV = VSP3;
        } else {
            VKV = 0;
        }
    }

    void MSOLZ() {
        SOLZFREI = SOLZFREI * KZTAB;
        if (JBMG > SOLZFREI) {
            SOLZJ = divDown(mul(JBMG, 55), 10);
            SOLZMIN = divDown(mul(JBMG - SOLZFREI, P.solzMarginalTenths), 10);
            if (SOLZMIN < SOLZJ) SOLZJ = SOLZMIN;
            JW = SOLZJ;
            UPANTEIL();
            SOLZLZZ = ANTEIL1;
        } else {
            SOLZLZZ = 0;
        }
        if (R > 0) {
            JW = mul(JBMG, 100);
            UPANTEIL();
            BK = ANTEIL1;
        } else {
            BK = 0;
        }
    }

    void UPANTEIL() {
        if (LZZ == 1)
            ANTEIL1 = JW;
        else if (LZZ == 2)
            ANTEIL1 = divDown(JW, 12);
        else if (LZZ == 3)
            ANTEIL1 = divDown(mul(JW, 7), 360);
        else
            ANTEIL1 = divDown(JW, 360);
    }

    // (cents) * f, cut to whole euros, kept in cents.
    I64 timesFactorWholeEuros(I64 cents) const { return divDown(mul(cents, f), 100'000) * 100; }

    void MSONST() {
        LZZ = 1;
        if (ZMVB == 0) ZMVB = 12;
        if (SONSTB == 0) {
            VKVSONST = 0;
            LSTSO = 0;
            STS = 0;
            SOLZS = 0;
            BKS = 0;
            return;
        }
        MOSONST();
        UPVKV();
        VKVSONST = VKV;
        ZRE4J = JRE4 + SONSTB;
        ZVBEZJ = JVBEZ + VBS;
        VBEZBSO = STERBE;
        MRE4SONST();
        MLSTJAHR();
        WVFRBM = ZVE - GFB * 100;
        if (WVFRBM < 0) WVFRBM = 0;
        UPVKV();
        VKVSONST = VKV - VKVSONST;
        LSTSO = mul(ST, 100);
        STS = timesFactorWholeEuros(LSTSO - LSTOSO);
        if (STS < 0) STS = 0;
        if (P.solzLimitOnSeparatePayments)
            MSOLZSTS();
        else
            SOLZS = divDown(mul(STS, 55), 1000);
        if (R > 0)
            BKS = STS;
        else
            BKS = 0;
    }

    void MSOLZSTS() {
        if (ZKF > 0)
            SOLZSZVE = ZVE - KFB;
        else
            SOLZSZVE = ZVE;
        if (SOLZSZVE < 100) {
            SOLZSZVE = 0;
            X = 0;
        } else {
            X = divDown(SOLZSZVE, KZTAB * 100) * 100;
        }
        if (STKL < 5)
            UPTAB();
        else
            MST5_6();
        SOLZSBMG = divDown(mul(ST, f), 1000);
        if (SOLZSBMG > SOLZFREI)
            SOLZS = divDown(mul(STS, 55), 1000);
        else
            SOLZS = 0;
    }

    void MVMT() {
        if (VKAPA < 0) VKAPA = 0;
        if (VMT + VKAPA <= 0) {
            STV = 0;
            SOLZV = 0;
            BKV = 0;
            return;
        }
        if (LSTSO == 0) {
            MOSONST();
            LST1 = LSTOSO;
        } else {
            LST1 = LSTSO;
        }
        VBEZBSO = STERBE + VKAPA;
        ZRE4J = JRE4 + SONSTB + VMT + VKAPA;
        ZVBEZJ = JVBEZ + VBS + VKAPA;
        KENNVMT = 2;
        MRE4SONST();
        MLSTJAHR();
        LST3 = mul(ST, 100);
        MRE4ABZ();
        ZRE4VP = ZRE4VP - JRE4ENT - SONSTENT;
        KENNVMT = 1;
        MLSTJAHR();
        LST2 = mul(ST, 100);
        STV = LST2 - LST1;
        LST3 = LST3 - LST1;
        if (LST3 < STV) STV = LST3;
        if (STV < 0)
            STV = 0;
        else
            STV = timesFactorWholeEuros(STV);
        if (P.solzLimitOnSeparatePayments) {
            SOLZVBMG = divDown(STV, 100) + JBMG;
            if (SOLZVBMG > SOLZFREI)
                SOLZV = divDown(mul(STV, 55), 1000);
            else
                SOLZV = 0;
        } else {
            SOLZV = divDown(mul(STV, 55), 1000);
        }
        if (R > 0)
            BKV = STV;
        else
            BKV = 0;
    }

    void MOSONST() {
        ZRE4J = JRE4;
        ZVBEZJ = JVBEZ;
        JLFREIB = JFREIB;
        JLHINZU = JHINZU;
        MRE4();
        MRE4ABZ();
        ZRE4VP = ZRE4VP - JRE4ENT;
        MZTABFB();
        VFRBS1 = ANP + FVB + FVBZ;
        MLSTJAHR();
        WVFRBO = ZVE - GFB * 100;
        if (WVFRBO < 0) WVFRBO = 0;
        LSTOSO = mul(ST, 100);
    }

    void MRE4SONST() {
        MRE4();
        FVB = FVBSO;
        MRE4ABZ();
        ZRE4VP = ZRE4VP - JRE4ENT - SONSTENT;
        FVBZ = FVBZSO;
        MZTABFB();
        VFRBS2 = ANP + FVB + FVBZ - VFRBS1;
    }

    const YearValues& P;

    // Inputs: amounts in cents, f, KVZ and ZKF in thousandths.
    int af;
    int AJAHR;
    int ALTER1;
    I64 ENTSCH;
    I64 f;
    I64 JFREIB, JHINZU, JRE4, JVBEZ;
    int KRV;
    I64 KVZ;
    int LZZ;
    I64 LZZFREIB, LZZHINZU, PKPV;
    int PKV, PVS, PVZ, R;
    I64 RE4, SONSTB, STERBE;
    int STKL;
    I64 VBEZ, VBEZM, VBEZS, VBS;
    int VJAHR;
    I64 VKAPA, VMT, ZKF;
    int ZMVB;
    I64 JRE4ENT, SONSTENT;

    // Outputs, cents.
    I64 BK = 0, BKS = 0, BKV = 0, LSTLZZ = 0, SOLZLZZ = 0, SOLZS = 0, SOLZV = 0, STS = 0, STV = 0, VKVLZZ = 0,
        VKVSONST = 0, VFRB = 0, VFRBS1 = 0, VFRBS2 = 0, WVFRB = 0, WVFRBO = 0, WVFRBM = 0;

    // Whole euros.
    I64 DIFF = 0, GFB = 0, HOCH = 0, JBMG = 0, LSTJAHR = 0, MIST = 0, SOLZFREI = 0, SOLZSBMG = 0,
        SOLZVBMG = 0, ST = 0, ST1 = 0, ST2 = 0, STOVMT = 0, VERGL = 0;
    // Rates: RVSATZAN ten-thousandths, TBSVORV hundredths, the others micro.
    I64 KVSATZAG = 0, KVSATZAN = 0, PVSATZAG = 0, PVSATZAN = 0, RVSATZAN = 0, TBSVORV = 0;
    // Cents.
    I64 ALTE = 0, ANP = 0, ANTEIL1 = 0, BMG = 0, BBGKVPV = 0, BBGRV = 0, EFA = 0, FVB = 0, FVBSO = 0,
        FVBZ = 0, FVBZSO = 0, HBALTE = 0, HFVB = 0, HFVBZ = 0, HFVBZSO = 0, JLFREIB = 0, JLHINZU = 0, JW = 0,
        KFB = 0, LST1 = 0, LST2 = 0, LST3 = 0, LSTOSO = 0, LSTSO = 0, SAP = 0, SOLZJ = 0, SOLZMIN = 0,
        SOLZSZVE = 0, VBEZB = 0, VBEZBSO = 0, VHB = 0, VKV = 0, VSP = 0, VSPN = 0, VSP1 = 0, VSP2 = 0,
        VSP3 = 0, X = 0, ZRE4 = 0, ZRE4J = 0, ZRE4VP = 0, ZTABFB = 0, ZVBEZ = 0, ZVBEZJ = 0, ZVE = 0, ZX = 0,
        ZZX = 0;
    int J = 0;
    int K = 0;
    int KENNVMT = 0;
    I64 KZTAB = 1;
};

[[noreturn]] void refuseInput(const std::string& why) {
    throw LohnstrInputError("Die Lohnsteuer kann nicht berechnet werden: " + why + ".");
}

} // namespace

LohnstrOutput LOHNSTR(int year, const LohnstrInput& input) {
    const YearParams& params = lohnstr_detail::yearParams(year);
    if (input.LZZ < 1 || input.LZZ > 4)
        refuseInput("der Lohnzahlungszeitraum LZZ muss 1 bis 4 sein, nicht " + std::to_string(input.LZZ));
    if (input.STKL < 1 || input.STKL > 6)
        refuseInput("die Steuerklasse STKL muss 1 bis 6 sein, nicht " + std::to_string(input.STKL));
    I64 f = 0, kvz = 0, zkf = 0;
    if (fitsFixedRange(input, f, kvz, zkf)) {
        try {
            return FixedLohnsteuer(yearValues(params), input, f, kvz, zkf).run();
        } catch (const OutOfFixedRange&) {
            // Falls through to the computation with the wider range.
        }
    }
    return lohnstr_detail::LohnstrDecimal(params, input);
}

} // namespace varemo
