// The flow chart on the general Decimal: every value keeps the scale the chart's arithmetic gives it.
// LOHNSTR runs it for inputs beyond the range of its fixed-point computation (lohnstr.cpp).

#include "law/lohnstr.h"
#include "law/lohnstr_params.h"

namespace varemo::lohnstr_detail {

namespace {

constexpr Decimal::Rounding DOWN = Decimal::Rounding::Down; // toward zero
constexpr Decimal::Rounding UP = Decimal::Rounding::Up;     // away from zero

const Decimal ZAHL2 = 2;
const Decimal ZAHL5 = 5;
const Decimal ZAHL12 = 12;
const Decimal ZAHL100 = 100;
const Decimal ZAHL500 = 500;
const Decimal ZAHL10000 = 10000;
const Decimal SOLZ_RATE = Decimal::fromScaled(55, 1); // 5.5 %

// The flow chart's record: inputs, outputs and internal fields under their published names. Each
// LOHNSTR call builds one fresh record, so nothing (EFA, SAP, a multiplied SOLZFREI) outlives a call.
// The steps communicate through these fields exactly as published; several later steps rely on values
// left behind by earlier ones (ZRE4VP capped in place, SOLZFREI multiplied by KZTAB, LZZ and ZMVB
// switched to the annual computation by MSONST, X and ST shared by the tariff steps).
class Lohnsteuer {
  public:
    Lohnsteuer(const YearParams& params, const LohnstrInput& in)
        : P(params), af(in.af), AJAHR(in.AJAHR), ALTER1(in.ALTER1), ENTSCH(in.ENTSCH), f(in.f),
          JFREIB(in.JFREIB), JHINZU(in.JHINZU), JRE4(in.JRE4), JVBEZ(in.JVBEZ), KRV(in.KRV), KVZ(in.KVZ),
          LZZ(in.LZZ), LZZFREIB(in.LZZFREIB), LZZHINZU(in.LZZHINZU), PKPV(in.PKPV), PKV(in.PKV), PVS(in.PVS),
          PVZ(in.PVZ), R(in.R), RE4(in.RE4), SONSTB(in.SONSTB), STERBE(in.STERBE), STKL(in.STKL),
          VBEZ(in.VBEZ), VBEZM(in.VBEZM), VBEZS(in.VBEZS), VBS(in.VBS), VJAHR(in.VJAHR), VKAPA(in.VKAPA),
          VMT(in.VMT), ZKF(in.ZKF), ZMVB(in.ZMVB), JRE4ENT(in.JRE4ENT), SONSTENT(in.SONSTENT) {}

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
        out.BK = BK.toInt64();
        out.BKS = BKS.toInt64();
        out.BKV = BKV.toInt64();
        out.LSTLZZ = LSTLZZ.toInt64();
        out.SOLZLZZ = SOLZLZZ.toInt64();
        out.SOLZS = SOLZS.toInt64();
        out.SOLZV = SOLZV.toInt64();
        out.STS = STS.toInt64();
        out.STV = STV.toInt64();
        out.VKVLZZ = VKVLZZ.toInt64();
        out.VKVSONST = VKVSONST.toInt64();
        out.VFRB = VFRB.toInt64();
        out.VFRBS1 = VFRBS1.toInt64();
        out.VFRBS2 = VFRBS2.toInt64();
        out.WVFRB = WVFRB.toInt64();
        out.WVFRBO = WVFRBO.toInt64();
        out.WVFRBM = WVFRBM.toInt64();
        return out;
    }

  private:
    // Year parameters, contribution rates and ceilings.
    void MPARA() {
        if (KRV < 2) {
            BBGRV = KRV == 0 ? P.BBGRV_WEST : P.BBGRV_EAST;
            RVSATZAN = P.RVSATZAN;
            TBSVORV = P.TBSVORV;
        }
        BBGKVPV = P.BBGKVPV;
        const Decimal employeeKvz = P.kvzShared ? KVZ.divideExact(ZAHL2) : KVZ;
        KVSATZAN = employeeKvz.divideExact(ZAHL100) + Decimal::fromScaled(7, 2);
        KVSATZAG = P.KVSATZAG;
        if (PVS == 1) {
            PVSATZAN = P.PVSATZAN_SAXONY;
            PVSATZAG = P.PVSATZAG_SAXONY;
        } else {
            PVSATZAN = P.PVSATZAN;
            PVSATZAG = P.PVSATZAG;
        }
        if (PVZ == 1) PVSATZAN = PVSATZAN + Decimal::fromScaled(25, 4);
        W1STKL5 = P.W1STKL5;
        W2STKL5 = P.W2STKL5;
        W3STKL5 = P.W3STKL5;
        GFB = P.tariff.GFB;
        SOLZFREI = P.SOLZFREI;
    }

    // Annual values of the period's wage, pension, allowance and addition, each cut to cents.
    void MRE4JL() {
        Decimal factor = 360;
        Decimal divisor = ZAHL100;
        if (LZZ == 1)
            factor = 1;
        else if (LZZ == 2)
            factor = ZAHL12;
        else if (LZZ == 3)
            divisor = 700;
        ZRE4J = (RE4 * factor).divide(divisor, 2, DOWN);
        ZVBEZJ = (VBEZ * factor).divide(divisor, 2, DOWN);
        JLFREIB = (LZZFREIB * factor).divide(divisor, 2, DOWN);
        JLHINZU = (LZZHINZU * factor).divide(divisor, 2, DOWN);
        if (af == 0) f = 1;
    }

    // Pension allowance (FVB) and its supplement (FVBZ); the ...SO values include VBEZBSO.
    void MRE4() {
        if (ZVBEZJ == 0) {
            FVBZ = 0;
            FVB = 0;
            FVBZSO = 0;
            FVBSO = 0;
        } else {
            J = tableIndex(VJAHR);
            if (LZZ == 1) {
                VBEZB = VBEZM * ZMVB + VBEZS;
                HFVB = TAB2(J).divideExact(ZAHL12) * ZMVB;
                FVBZ = (TAB3(J).divideExact(ZAHL12) * ZMVB).setScale(0, UP);
            } else {
                VBEZB = (VBEZM * ZAHL12 + VBEZS).setScale(2, DOWN);
                HFVB = TAB2(J);
                FVBZ = TAB3(J);
            }
            FVB = (VBEZB * TAB1(J)).divideExact(ZAHL100).setScale(2, UP);
            if (FVB > HFVB) FVB = HFVB;
            if (FVB > ZVBEZJ) FVB = ZVBEZJ;
            FVBSO = (FVB + (VBEZBSO * TAB1(J)).divideExact(ZAHL100)).setScale(2, UP);
            if (FVBSO > TAB2(J)) FVBSO = TAB2(J);
            HFVBZSO = ((VBEZB + VBEZBSO).divideExact(ZAHL100) - FVBSO).setScale(2, DOWN);
            FVBZSO = (FVBZ + VBEZBSO.divideExact(ZAHL100)).setScale(0, UP);
            if (FVBZSO > HFVBZSO) FVBZSO = HFVBZSO.setScale(0, UP);
            if (FVBZSO > TAB3(J)) FVBZSO = TAB3(J);
            HFVBZ = (VBEZB.divideExact(ZAHL100) - FVB).setScale(2, DOWN);
            if (FVBZ > HFVBZ) FVBZ = HFVBZ.setScale(0, UP);
        }
        MRE4ALTE();
    }

    // Old-age relief on the wage without pensions.
    void MRE4ALTE() {
        if (ALTER1 == 0) {
            ALTE = 0;
        } else {
            K = tableIndex(AJAHR);
            BMG = ZRE4J - ZVBEZJ;
            ALTE = (BMG * TAB4(K)).setScale(0, UP);
            HBALTE = TAB5(K);
            if (ALTE > HBALTE) ALTE = HBALTE;
        }
    }

    // Annual wage after the allowances; resets the Vorsorgepauschale base ZRE4VP.
    void MRE4ABZ() {
        ZRE4 = (ZRE4J - FVB - ALTE - JLFREIB + JLHINZU).setScale(2, DOWN);
        if (ZRE4 < 0) ZRE4 = 0;
        ZRE4VP = ZRE4J;
        if (KENNVMT == 2) ZRE4VP = (ZRE4VP - ENTSCH.divideExact(ZAHL100)).setScale(2, DOWN);
        ZVBEZ = (ZVBEZJ - FVB).setScale(2, DOWN);
        if (ZVBEZ < 0) ZVBEZ = 0;
    }

    // Current wage: tax of the period, then a second pass with the child allowances for the surcharge
    // and church-tax base only.
    void MBERECH() {
        MZTABFB();
        VFRB = ((ANP + FVB + FVBZ) * ZAHL100).setScale(0, DOWN);
        MLSTJAHR();
        WVFRB = ((ZVE - GFB) * ZAHL100).setScale(0, DOWN);
        if (WVFRB < 0) WVFRB = 0;
        LSTJAHR = (ST * f).setScale(0, DOWN);
        UPLSTLZZ();
        UPVKVLZZ();
        if (ZKF > 0) {
            ZTABFB = ZTABFB + KFB;
            MRE4ABZ();
            MLSTJAHR();
            JBMG = (ST * f).setScale(0, DOWN);
        } else {
            JBMG = LSTJAHR;
        }
        MSOLZ();
    }

    // Fixed allowances of the tax table: lump sums, single-parent relief, child allowances.
    void MZTABFB() {
        ANP = 0;
        if (ZVBEZ >= 0 && ZVBEZ < FVBZ) FVBZ = ZVBEZ.setScale(0, DOWN);
        if (STKL < 6) {
            if (ZVBEZ > 0) {
                if (ZVBEZ - FVBZ < 102)
                    ANP = (ZVBEZ - FVBZ).setScale(0, UP);
                else
                    ANP = 102;
            }
        } else {
            FVBZ = 0;
            FVBZSO = 0;
        }
        if (STKL < 6 && ZRE4 > ZVBEZ) {
            if (ZRE4 - ZVBEZ < 1000)
                ANP = (ANP + ZRE4 - ZVBEZ).setScale(0, UP);
            else
                ANP = ANP + 1000;
        }
        KZTAB = 1;
        switch (STKL) {
        case 1:
            SAP = 36;
            KFB = (ZKF * P.KFB_PER_CHILD).setScale(0, DOWN);
            break;
        case 2:
            EFA = 1908;
            SAP = 36;
            KFB = (ZKF * P.KFB_PER_CHILD).setScale(0, DOWN);
            break;
        case 3:
            KZTAB = 2;
            SAP = 36;
            KFB = (ZKF * P.KFB_PER_CHILD).setScale(0, DOWN);
            break;
        case 4:
            SAP = 36;
            KFB = (ZKF * P.KFB_PER_CHILD_STKL4).setScale(0, DOWN);
            break;
        case 5:
            SAP = 36;
            KFB = 0;
            break;
        default:
            KFB = 0;
            break;
        }
        ZTABFB = (EFA + ANP + SAP + FVBZ).setScale(2, DOWN);
    }

    // Annual tax; KENNVMT = 1 applies the fifth rule to multi-year pay.
    void MLSTJAHR() {
        UPEVP();
        if (KENNVMT != 1) {
            ZVE = (ZRE4 - ZTABFB - VSP).setScale(2, DOWN);
            UPMLST();
        } else {
            const Decimal multiYear = VMT.divideExact(ZAHL100) + VKAPA.divideExact(ZAHL100);
            ZVE = (ZRE4 - ZTABFB - VSP - multiYear).setScale(2, DOWN);
            if (ZVE < 0) {
                ZVE = (ZVE + multiYear).divide(ZAHL5, 2, DOWN);
                UPMLST();
                ST = (ST * ZAHL5).setScale(0, DOWN);
            } else {
                UPMLST();
                STOVMT = ST;
                ZVE = (ZVE + (VMT + VKAPA).divideExact(ZAHL500)).setScale(2, DOWN);
                UPMLST();
                ST = ((ST - STOVMT) * ZAHL5 + STOVMT).setScale(0, DOWN);
            }
        }
    }

    // Vorsorgepauschale: pension part, 12 % minimum with its cap, then the health and care part.
    void UPEVP() {
        if (KRV > 1) {
            VSP1 = 0;
        } else {
            if (ZRE4VP > BBGRV) ZRE4VP = BBGRV;
            VSP1 = (TBSVORV * ZRE4VP).setScale(2, DOWN);
            VSP1 = (VSP1 * RVSATZAN).setScale(2, DOWN);
        }
        VSP2 = (ZRE4VP * Decimal::fromScaled(12, 2)).setScale(2, DOWN);
        VHB = STKL == 3 ? 3000 : 1900;
        if (VSP2 > VHB) VSP2 = VHB;
        VSPN = (VSP1 + VSP2).setScale(0, UP);
        MVSP();
        if (VSPN > VSP) VSP = VSPN;
    }

    void MVSP() {
        if (ZRE4VP > BBGKVPV) ZRE4VP = BBGKVPV;
        if (PKV > 0) {
            if (STKL == 6) {
                VSP3 = 0;
            } else {
                VSP3 = (PKPV * ZAHL12).divideExact(ZAHL100);
                if (PKV == 2) VSP3 = (VSP3 - ZRE4VP * (KVSATZAG + PVSATZAG)).setScale(2, DOWN);
            }
        } else {
            VSP3 = (ZRE4VP * (KVSATZAN + PVSATZAN)).setScale(2, DOWN);
        }
        VSP = (VSP3 + VSP1).setScale(0, UP);
    }

    // Taxable income per tariff unit, then the tariff of the class.
    void UPMLST() {
        if (ZVE < 1) {
            ZVE = 0;
            X = 0;
        } else {
            X = ZVE.divide(KZTAB, 0, DOWN);
        }
        if (STKL < 5)
            UPTAB();
        else
            MST5_6();
    }

    // Income-tax tariff of the year (UPTAB17 … UPTAB21). X may carry 2 decimals (from UP5_6).
    void UPTAB() {
        const Tariff& t = P.tariff;
        if (X < GFB + 1) {
            ST = 0;
        } else if (X < t.zone2End) {
            Y = (X - GFB).divide(ZAHL10000, 6, DOWN);
            RW = Y * t.A2;
            RW = RW + 1400;
            ST = (RW * Y).setScale(0, DOWN);
        } else if (X < t.zone3End) {
            Y = (X - t.zone3Start).divide(ZAHL10000, 6, DOWN);
            RW = Y * t.A3;
            RW = RW + 2397;
            RW = RW * Y;
            ST = (RW + t.C3).setScale(0, DOWN);
        } else if (X < t.zone4End) {
            ST = (X * Decimal::fromScaled(42, 2) - t.C4).setScale(0, DOWN);
        } else {
            ST = (X * Decimal::fromScaled(45, 2) - t.C5).setScale(0, DOWN);
        }
        ST = ST * KZTAB;
    }

    // Classes V and VI.
    void MST5_6() {
        ZZX = X;
        if (ZZX > W2STKL5) {
            ZX = W2STKL5;
            UP5_6();
            if (ZZX > W3STKL5) {
                ST = (ST + (W3STKL5 - W2STKL5) * Decimal::fromScaled(42, 2)).setScale(0, DOWN);
                ST = (ST + (ZZX - W3STKL5) * Decimal::fromScaled(45, 2)).setScale(0, DOWN);
            } else {
                ST = (ST + (ZZX - W2STKL5) * Decimal::fromScaled(42, 2)).setScale(0, DOWN);
            }
        } else {
            ZX = ZZX;
            UP5_6();
            if (ZZX > W1STKL5) {
                VERGL = ST;
                ZX = W1STKL5;
                UP5_6();
                HOCH = (ST + (ZZX - W1STKL5) * Decimal::fromScaled(42, 2)).setScale(0, DOWN);
                if (HOCH < VERGL)
                    ST = HOCH;
                else
                    ST = VERGL;
            }
        }
    }

    // Twice the tariff difference between 125 % and 75 % of ZX, at least 14 % of ZX.
    void UP5_6() {
        X = (ZX * Decimal::fromScaled(125, 2)).setScale(2, DOWN);
        UPTAB();
        ST1 = ST;
        X = (ZX * Decimal::fromScaled(75, 2)).setScale(2, DOWN);
        UPTAB();
        ST2 = ST;
        DIFF = (ST1 - ST2) * ZAHL2;
        MIST = (ZX * Decimal::fromScaled(14, 2)).setScale(0, DOWN);
        if (MIST > DIFF)
            ST = MIST;
        else
            ST = DIFF;
    }

    void UPLSTLZZ() {
        JW = LSTJAHR * ZAHL100;
        UPANTEIL();
        LSTLZZ = ANTEIL1;
    }

    void UPVKVLZZ() {
        UPVKV();
        JW = VKV;
        UPANTEIL();
        VKVLZZ = ANTEIL1;
    }

    // Private contributions taken into account, from the latest MLSTJAHR.
    void UPVKV() {
        if (PKV > 0) {
            if (VSP2 > VSP3)
                VKV = VSP2 * ZAHL100;
            else
                VKV = VSP3 * ZAHL100;
        } else {
            VKV = 0;
        }
    }

    // Solidarity surcharge and church-tax base of the current wage. The exemption limit stays
    // multiplied by KZTAB for the later steps.
    void MSOLZ() {
        SOLZFREI = SOLZFREI * KZTAB;
        if (JBMG > SOLZFREI) {
            SOLZJ = (JBMG * SOLZ_RATE).divide(ZAHL100, 2, DOWN);
            SOLZMIN = ((JBMG - SOLZFREI) * P.solzMarginalPercent).divide(ZAHL100, 2, DOWN);
            if (SOLZMIN < SOLZJ) SOLZJ = SOLZMIN;
            JW = (SOLZJ * ZAHL100).setScale(0, DOWN);
            UPANTEIL();
            SOLZLZZ = ANTEIL1;
        } else {
            SOLZLZZ = 0;
        }
        if (R > 0) {
            JW = JBMG * ZAHL100;
            UPANTEIL();
            BK = ANTEIL1;
        } else {
            BK = 0;
        }
    }

    // Share of the annual amount JW (cents) for the pay period, cut to whole cents.
    void UPANTEIL() {
        if (LZZ == 1)
            ANTEIL1 = JW;
        else if (LZZ == 2)
            ANTEIL1 = JW.divide(ZAHL12, 0, DOWN);
        else if (LZZ == 3)
            ANTEIL1 = (JW * 7).divide(360, 0, DOWN);
        else
            ANTEIL1 = JW.divide(360, 0, DOWN);
    }

    // One-time payment: annual tax with and without it; from here on everything is annual.
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
        ZRE4J = (JRE4 + SONSTB).divide(ZAHL100, 2, DOWN);
        ZVBEZJ = (JVBEZ + VBS).divide(ZAHL100, 2, DOWN);
        VBEZBSO = STERBE;
        MRE4SONST();
        MLSTJAHR();
        WVFRBM = ((ZVE - GFB) * ZAHL100).setScale(2, DOWN);
        if (WVFRBM < 0) WVFRBM = 0;
        UPVKV();
        VKVSONST = VKV - VKVSONST;
        LSTSO = ST * ZAHL100;
        // The difference times the factor, cut to whole euros, kept in cents.
        STS = ((LSTSO - LSTOSO) * f).divide(ZAHL100, 0, DOWN) * ZAHL100;
        if (STS < 0) STS = 0;
        if (P.solzLimitOnSeparatePayments)
            MSOLZSTS();
        else
            SOLZS = (STS * SOLZ_RATE).divide(ZAHL100, 0, DOWN);
        if (R > 0)
            BKS = STS;
        else
            BKS = 0;
    }

    // Surcharge on the one-time payment when the exemption limit governs it: the full rate once the
    // annual tax including the payment (with child allowances) exceeds the limit, no marginal zone.
    void MSOLZSTS() {
        if (ZKF > 0)
            SOLZSZVE = ZVE - KFB;
        else
            SOLZSZVE = ZVE;
        if (SOLZSZVE < 1) {
            SOLZSZVE = 0;
            X = 0;
        } else {
            X = SOLZSZVE.divide(KZTAB, 0, DOWN);
        }
        if (STKL < 5)
            UPTAB();
        else
            MST5_6();
        SOLZSBMG = (ST * f).setScale(0, DOWN);
        if (SOLZSBMG > SOLZFREI)
            SOLZS = (STS * SOLZ_RATE).divide(ZAHL100, 0, DOWN);
        else
            SOLZS = 0;
    }

    // Multi-year pay: the smaller of the fifth rule (LST2) and full taxation (LST3), each against LST1.
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
        ZRE4J = (JRE4 + SONSTB + VMT + VKAPA).divide(ZAHL100, 2, DOWN);
        ZVBEZJ = (JVBEZ + VBS + VKAPA).divide(ZAHL100, 2, DOWN);
        KENNVMT = 2;
        MRE4SONST();
        MLSTJAHR();
        LST3 = ST * ZAHL100;
        MRE4ABZ();
        ZRE4VP = ZRE4VP - JRE4ENT.divideExact(ZAHL100) - SONSTENT.divideExact(ZAHL100);
        KENNVMT = 1;
        MLSTJAHR();
        LST2 = ST * ZAHL100;
        STV = LST2 - LST1;
        LST3 = LST3 - LST1;
        if (LST3 < STV) STV = LST3;
        if (STV < 0)
            STV = 0;
        else
            STV = (STV * f).divide(ZAHL100, 0, DOWN) * ZAHL100;
        if (P.solzLimitOnSeparatePayments) {
            SOLZVBMG = STV.divide(ZAHL100, 0, DOWN) + JBMG;
            if (SOLZVBMG > SOLZFREI)
                SOLZV = (STV * SOLZ_RATE).divide(ZAHL100, 0, DOWN);
            else
                SOLZV = 0;
        } else {
            SOLZV = (STV * SOLZ_RATE).divide(ZAHL100, 0, DOWN);
        }
        if (R > 0)
            BKV = STV;
        else
            BKV = 0;
    }

    // Annual tax on the expected annual wage without the one-time payment.
    void MOSONST() {
        ZRE4J = JRE4.divide(ZAHL100, 2, DOWN);
        ZVBEZJ = JVBEZ.divide(ZAHL100, 2, DOWN);
        JLFREIB = JFREIB.divide(ZAHL100, 2, DOWN);
        JLHINZU = JHINZU.divide(ZAHL100, 2, DOWN);
        MRE4();
        MRE4ABZ();
        ZRE4VP = ZRE4VP - JRE4ENT.divideExact(ZAHL100);
        MZTABFB();
        VFRBS1 = ((ANP + FVB + FVBZ) * ZAHL100).setScale(2, DOWN);
        MLSTJAHR();
        WVFRBO = ((ZVE - GFB) * ZAHL100).setScale(2, DOWN);
        if (WVFRBO < 0) WVFRBO = 0;
        LSTOSO = ST * ZAHL100;
    }

    // Allowances of the annual wage including the one-time payment.
    void MRE4SONST() {
        MRE4();
        FVB = FVBSO;
        MRE4ABZ();
        ZRE4VP = ZRE4VP - JRE4ENT.divideExact(ZAHL100) - SONSTENT.divideExact(ZAHL100);
        FVBZ = FVBZSO;
        MZTABFB();
        VFRBS2 = (ANP + FVB + FVBZ) * ZAHL100 - VFRBS1;
    }

    const YearParams& P;

    // Inputs (LZZ, ZMVB, VKAPA and f change during the run).
    int af;
    int AJAHR;
    int ALTER1;
    Decimal ENTSCH;
    Decimal f;
    Decimal JFREIB;
    Decimal JHINZU;
    Decimal JRE4;
    Decimal JVBEZ;
    int KRV;
    Decimal KVZ;
    int LZZ;
    Decimal LZZFREIB;
    Decimal LZZHINZU;
    Decimal PKPV;
    int PKV;
    int PVS;
    int PVZ;
    int R;
    Decimal RE4;
    Decimal SONSTB;
    Decimal STERBE;
    int STKL;
    Decimal VBEZ;
    Decimal VBEZM;
    Decimal VBEZS;
    Decimal VBS;
    int VJAHR;
    Decimal VKAPA;
    Decimal VMT;
    Decimal ZKF;
    int ZMVB;
    Decimal JRE4ENT;
    Decimal SONSTENT;

    // Outputs.
    Decimal BK, BKS, BKV, LSTLZZ, SOLZLZZ, SOLZS, SOLZV, STS, STV, VKVLZZ, VKVSONST;
    Decimal VFRB, VFRBS1, VFRBS2, WVFRB, WVFRBO, WVFRBM;

    // Internal fields.
    Decimal ALTE, ANP, ANTEIL1, BMG, BBGKVPV, BBGRV, DIFF, EFA, FVB, FVBSO, FVBZ, FVBZSO, GFB, HBALTE, HFVB,
        HFVBZ, HFVBZSO, HOCH, JBMG, JLFREIB, JLHINZU, JW, KFB, KVSATZAG, KVSATZAN, LSTJAHR, LST1, LST2, LST3,
        LSTOSO, LSTSO, MIST, PVSATZAG, PVSATZAN, RVSATZAN, RW, SAP, SOLZFREI, SOLZJ, SOLZMIN, SOLZSBMG,
        SOLZSZVE, SOLZVBMG, ST, ST1, ST2, STOVMT, TBSVORV, VBEZB, VBEZBSO, VERGL, VHB, VKV, VSP, VSPN, VSP1,
        VSP2, VSP3, W1STKL5, W2STKL5, W3STKL5, X, Y, ZRE4, ZRE4J, ZRE4VP, ZTABFB, ZVBEZ, ZVBEZJ, ZVE, ZX, ZZX;
    int J = 0;
    int K = 0;
    int KENNVMT = 0;
    int KZTAB = 1;
};

} // namespace

LohnstrOutput LohnstrDecimal(const YearParams& params, const LohnstrInput& input) {
    return Lohnsteuer(params, input).run();
}

} // namespace varemo::lohnstr_detail
