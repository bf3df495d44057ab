#include "print/payroll_lists.h"

#include "deductions/contribution_group.h"
#include "deductions/tax_step.h"
#include "law/pension_funds.h"
#include "print/number_format.h"
#include "print/print_kind.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>

namespace varemo::print {
namespace {

// One row's amounts; nullopt where the month could not be calculated.
using Values = std::vector<std::optional<Money>>;

constexpr const char* kTotalCaption = " S U M M E";

std::string trimmedName(const std::string& name) {
    const size_t end = name.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : name.substr(0, end + 1);
}

std::string caseCaption(const CaseYearFigures& c) {
    const std::string name = trimmedName(c.name);
    return name.empty() ? "Personalfall " + std::to_string(c.caseNumber) : name;
}

std::string missingNote(const CaseYearFigures& c, const MonthFigures& f, int year) {
    return "Personalfall " + std::to_string(c.caseNumber) + " (" + caseCaption(c) + "), " +
           monthOfYear(f.month, year) + ": " + f.problem;
}

Money lineAmount(const MonthFigures& f, int line) {
    const auto& cents = f.sheet.line(line).amountCents;
    return cents ? Money::fromCents(*cents) : Money();
}

using Cells = std::vector<TableCell>;

std::optional<Money> amountOf(const TableCell& c) {
    return c.kind == TableCell::Kind::Amount ? std::optional<Money>(c.amount) : std::nullopt;
}

Cells cellsOf(const Values& v) {
    Cells out;
    for (const auto& m : v)
        out.push_back(m ? TableCell::money(*m) : TableCell::missing());
    return out;
}

// Amounts add up, a missing one makes the sum missing; a text (a rate) stays where it is the same.
void add(Cells& sum, const Cells& row) {
    if (sum.size() < row.size()) sum.resize(row.size(), TableCell::money(Money()));
    for (size_t i = 0; i < row.size(); ++i) {
        TableCell& s = sum[i];
        const TableCell& r = row[i];
        if (s.kind == TableCell::Kind::Missing || r.kind == TableCell::Kind::Missing)
            s = TableCell::missing();
        else if (s.kind == TableCell::Kind::Amount && r.kind == TableCell::Kind::Amount)
            s.amount += r.amount;
        else if (s.text != r.text || s.kind != r.kind)
            s = TableCell::label("");
    }
}

Values missingValues(size_t n) {
    return Values(n, std::nullopt);
}

bool anyNonZero(const Values& v) {
    return std::any_of(v.begin(), v.end(), [](const auto& m) { return !m || *m != Money(); });
}

TableRow valueRow(const std::string& caption, const Cells& cells, RowKind kind = RowKind::Values) {
    TableRow row;
    row.kind = kind;
    row.cells.push_back(TableCell::label(caption));
    row.cells.insert(row.cells.end(), cells.begin(), cells.end());
    return row;
}

// ---- Contribution groups (§ 28a SGB IV: the four digits KV, RV, AV, PV of the Beitragsgruppenschlüssel)

// The digit of each branch by the contribution kind of lines 37 to 40; 0 where nothing is paid to the
// fund (subsidies, private or voluntary insurance, exemption).
// Mini-jobs pay their flat contributions and levies to the mini-job office, as the contribution step
// decides it.
bool isMiniJob(const MonthFigures& f) {
    const SocialInsuranceWorksheet& w = f.social;
    return w.kv.kind == 4 || w.kv.kind == 5 || w.rv.kind == 2 || w.rv.kind == 3 || w.rv.kind == 11;
}

bool miniJobTaxClass(const MonthFigures& f) {
    const int code = TaxClassSelector(f.workingCase.key(KeySlot::TaxClass)).code;
    return code == kMiniJobEmployer || code == kMiniJobEmployee;
}

std::string monthTitle(const ListRequest& r) {
    return "für den Monat   " + monthOfYear(r.month, r.year);
}

std::string setLine(const ListRequest& r) {
    return "in Programmteil   " + dataSetName(r.set);
}

// ---- Grouping of case-months into blocks

// The months a list takes: one month of each case, or all twelve.
std::vector<const MonthFigures*> monthsOf(const CaseYearFigures& c, int month) {
    std::vector<const MonthFigures*> out;
    for (const MonthFigures& f : c.months)
        if (month == 0 || f.month == month) out.push_back(&f);
    return out;
}

// The key of a block for a month that has no figures: the key of the case's nearest month that has.
template <typename KeyOf>
std::optional<int> keyOfMonth(const CaseYearFigures& c, const MonthFigures& f, KeyOf keyOf) {
    if (f.available()) return keyOf(f);
    for (int distance = 1; distance < 12; ++distance)
        for (int m : {f.month - distance, f.month + distance})
            if (m >= 1 && m <= 12 && c.months[static_cast<size_t>(m - 1)].available())
                return keyOf(c.months[static_cast<size_t>(m - 1)]);
    return std::nullopt;
}

// Rows collected per block key (ascending), per row key (case number or month) in ascending order.
struct Collected {
    bool byMonth = false; // the rows' keys are months, else case numbers
    std::map<int, std::map<int, std::pair<std::string, Cells>>> blocks;
    std::vector<std::string> notes;

    void add(int block, int rowKey, const std::string& caption, const Cells& cells) {
        auto [it, inserted] = blocks[block].try_emplace(rowKey, caption, cells);
        if (!inserted) print::add(it->second.second, cells);
    }
    void add(int block, int rowKey, const std::string& caption, const Values& v) {
        add(block, rowKey, caption, cellsOf(v));
    }
};

// A total of rows: the texts (rates) of the rows are left out.
Cells totalOf(const std::vector<const Cells*>& rows, size_t columns) {
    Cells sum(columns, TableCell::money(Money()));
    for (const Cells* r : rows)
        add(sum, *r);
    for (TableCell& c : sum)
        if (c.kind == TableCell::Kind::Text) c = TableCell::label("");
    return sum;
}

void finishBlocks(PayrollList& list, const Collected& c, size_t columns,
                  const std::function<std::string(int)>& heading) {
    for (const auto& [key, rows] : c.blocks) {
        ListBlock block;
        block.heading = heading(key);
        std::vector<const Cells*> all;
        for (const auto& [rowKey, row] : rows) {
            block.rows.push_back(valueRow(row.first, row.second));
            (c.byMonth ? block.rows.back().month : block.rows.back().caseNumber) = rowKey;
            all.push_back(&row.second);
        }
        block.rows.push_back(valueRow(kTotalCaption, totalOf(all, columns), RowKind::Total));
        list.blocks.push_back(std::move(block));
    }
    list.notes.insert(list.notes.end(), c.notes.begin(), c.notes.end());
}

// The sum of the blocks' totals, column by column (nullopt where one is missing or a text).
Values blockTotal(const PayrollList& list, size_t columns) {
    std::vector<Cells> totals;
    for (const ListBlock& b : list.blocks)
        for (const TableRow& r : b.rows)
            if (r.kind == RowKind::Total) totals.emplace_back(r.cells.begin() + 1, r.cells.end());
    std::vector<const Cells*> all;
    for (const Cells& t : totals)
        all.push_back(&t);
    const Cells sum = totalOf(all, columns);
    Values out;
    for (const TableCell& c : sum)
        out.push_back(amountOf(c));
    return out;
}

TableRow summaryRow(const std::string& caption, std::optional<Money> m, RowKind kind = RowKind::Values) {
    return valueRow(caption, cellsOf(Values{m}), kind);
}

std::optional<Money> plus(std::optional<Money> a, std::optional<Money> b) {
    return a && b ? std::optional<Money>(*a + *b) : std::nullopt;
}

std::optional<Money> minus(std::optional<Money> a, std::optional<Money> b) {
    return a && b ? std::optional<Money>(*a - *b) : std::nullopt;
}

// ---- Contribution statement per health fund (50, 57)

enum FundColumn : size_t {
    KvPay,
    RvPay,
    KvEmployer,
    KvEmployee,
    KvAdditional,
    PvEmployer,
    PvEmployee,
    RvEmployer,
    RvEmployee,
    AvEmployer,
    AvEmployee,
    U1,
    U2,
    U3,
    CrossSum,
    kFundColumns
};

// A levy the employer owes at a rate the fund list does not know reads 0 on the sheet (which says so);
// a list cannot pay it over as 0, so it is missing there and the note names the rate.
struct LevyRates {
    const FundTable& funds;
    std::set<std::string>* notes = nullptr;

    std::optional<Money> amount(const MonthFigures& f, const Levy& levy, const char* name,
                                FundValueStatus FundStatus::*field) const {
        const int fund = f.social.levies.fund;
        if (!levy.liable || levyRateKnown(funds.status(fund, f.month - 1).*field)) return levy.amount;
        if (notes)
            notes->insert(
                "Der Umlagesatz " + std::string(name) + " der Krankenkasse \"" +
                trimmedName(funds.name(fund)) + "\" für " + monthOfYear(f.month, f.social.year) +
                " ist nicht bekannt; er ist in den Einstellungen unter \"Krankenkassen und Umlagen U1, "
                "U2, Insolvenz\" einzutragen.");
        return std::nullopt;
    }
    std::optional<Money> u1(const MonthFigures& f) const {
        return amount(f, f.social.levies.u1, "U1", &FundStatus::u1);
    }
    std::optional<Money> u2(const MonthFigures& f) const {
        return amount(f, f.social.levies.u2, "U2", &FundStatus::u2);
    }
};

std::optional<Money> sumOf(const Values& v, size_t first, size_t end) {
    std::optional<Money> sum = Money();
    for (size_t i = first; i < end; ++i)
        sum = plus(sum, v[i]);
    return sum;
}

Values fundRow(const MonthFigures& f, const LevyRates& rates) {
    const SocialInsuranceWorksheet& w = f.social;
    Values v(kFundColumns, Money());
    if (healthDigit(w.kv.kind) != 0) {
        v[KvPay] = w.kv.base;
        v[KvEmployer] = w.kv.employer + w.kvAdditional.employer;
        v[KvEmployee] = w.kv.employee;
        v[KvAdditional] = w.kvAdditional.employee;
    }
    if (careDigit(w.pv.kind) != 0) {
        v[PvEmployer] = w.pv.employer;
        v[PvEmployee] = w.pv.employee;
    }
    if (pensionDigit(w.rv.kind) != 0) {
        v[RvPay] = w.rv.base;
        v[RvEmployer] = w.rv.employer;
        v[RvEmployee] = w.rv.employee;
    }
    if (unemploymentDigit(w.av.kind) != 0) {
        v[AvEmployer] = w.av.employer;
        v[AvEmployee] = w.av.employee;
    }
    v[U1] = rates.u1(f);
    v[U2] = rates.u2(f);
    v[U3] = w.levies.u3.amount;
    v[CrossSum] = sumOf(v, KvEmployer, CrossSum);
    return v;
}

// A case-month that the fund's statement takes: employees, not mini-jobs, with anything to report.
bool onFundStatement(const MonthFigures& f, const LevyRates& rates) {
    return !f.social.civilServant && !isMiniJob(f) && anyNonZero(fundRow(f, rates));
}

// The contribution groups of the summary with the amounts of each row that belong to them.
struct GroupSums {
    std::map<std::string, std::optional<Money>> sums;
    void add(const std::string& group, std::optional<Money> m) {
        auto it = sums.find(group);
        if (it == sums.end())
            sums[group] = m;
        else
            it->second = plus(it->second, m);
    }
};

const char* const kFundGroups[] = {"1000", "3000", "6000", "0001", "0100", "0300",
                                   "0500", "0010", "0020", "0050", "U1",   "U2"};

void addGroups(GroupSums& g, const Values* row, const MonthFigures* f) {
    if (!f) { // a missing month: every group is unknown
        for (const char* group : kFundGroups)
            g.add(group, std::nullopt);
        g.add("U3", std::nullopt);
        return;
    }
    const SocialInsuranceWorksheet& w = f->social;
    const Values& v = *row;
    if (int d = healthDigit(w.kv.kind)) g.add(std::to_string(d) + "000", sumOf(v, KvEmployer, PvEmployer));
    if (careDigit(w.pv.kind)) g.add("0001", sumOf(v, PvEmployer, RvEmployer));
    if (int d = pensionDigit(w.rv.kind))
        g.add("0" + std::to_string(d) + "00", sumOf(v, RvEmployer, AvEmployer));
    if (int d = unemploymentDigit(w.av.kind)) g.add("00" + std::to_string(d) + "0", sumOf(v, AvEmployer, U1));
    g.add("U1", v[U1]);
    g.add("U2", v[U2]);
    g.add("U3", v[U3]);
}

std::vector<ListColumn> fundColumns(const char* first) {
    return {{"", first},
            {"E N T G E L T", "KV-pfl."},
            {"E N T G E L T", "RV-pfl."},
            {"KRANKENVERS.", "AG-Anteil"},
            {"KRANKENVERS.", "AN-Anteil"},
            {"KRANKENVERS.", "AN-Zusatz"},
            {"PFLEGEVERS.", "AG-Anteil"},
            {"PFLEGEVERS.", "AN-Anteil"},
            {"RENTENVERS.", "AG-Anteil"},
            {"RENTENVERS.", "AN-Anteil"},
            {"ARBEITSL.-VERS.", "AG-Anteil"},
            {"ARBEITSL.-VERS.", "AN-Anteil"},
            {"U M L A G E N", "U 1"},
            {"U M L A G E N", "U 2"},
            {"U M L A G E N", "U 3"},
            {"", "Quersumme"}};
}

PayrollList contributionStatement(int kind, const std::vector<CaseYearFigures>& cases, const FundTable& funds,
                                  const ListRequest& r) {
    const bool annual = kind == 57;
    PayrollList list;
    list.name = annual ? "contributions-year" : "contributions";
    list.title = {"B E I T R A G S N A C H W E I S   " +
                      (annual ? "für das Jahr   " + std::to_string(r.year) : monthTitle(r)),
                  setLine(r)};
    list.columns = fundColumns(annual ? "MONAT" : "N A M E");
    Collected collected;
    collected.byMonth = annual;
    std::set<std::string> levyNotes;
    const LevyRates rates{funds, &levyNotes}, quiet{funds};
    GroupSums groups;
    for (const char* group : kFundGroups)
        groups.add(group, Money());
    for (const CaseYearFigures& c : cases) {
        for (const MonthFigures* f : monthsOf(c, annual ? 0 : r.month)) {
            const auto fund = keyOfMonth(c, *f, [](const MonthFigures& m) {
                return healthFundOfKey(m.workingCase.key(KeySlot::HealthFund));
            });
            const int rowKey = annual ? f->month : c.caseNumber;
            const std::string caption =
                annual ? monthRowCaptions()[static_cast<size_t>(f->month - 1)] : caseCaption(c);
            if (!f->available()) {
                // A case that is on no fund's statement in its other months (a civil servant, a mini-job)
                // is not missed here.
                const auto employee = keyOfMonth(c, *f, [](const MonthFigures& m) {
                    return !m.social.civilServant && !isMiniJob(m) ? 1 : 0;
                });
                if (employee == 0) continue;
                collected.add(fund.value_or(-1), rowKey, caption, missingValues(kFundColumns));
                collected.notes.push_back(missingNote(c, *f, r.year));
                addGroups(groups, nullptr, nullptr);
                continue;
            }
            if (!onFundStatement(*f, quiet)) continue;
            const Values row = fundRow(*f, rates);
            collected.add(*fund, rowKey, caption, row);
            addGroups(groups, &row, f);
        }
    }
    collected.notes.insert(collected.notes.end(), levyNotes.begin(), levyNotes.end());
    finishBlocks(list, collected, kFundColumns, [&](int fund) {
        return "K A S S E   " + (fund < 0 ? std::string("unbekannt") : trimmedName(funds.name(fund)));
    });
    std::optional<Money> total = Money();
    for (const char* group : kFundGroups) {
        list.summary.push_back(summaryRow(std::string(group) + " =", groups.sums[group]));
        total = plus(total, groups.sums[group]);
    }
    // The public employers owe no U3 (§ 358 Abs. 1 Satz 2 SGB III); where it is owed it belongs to the
    // statement all the same.
    if (groups.sums["U3"] != std::optional<Money>(Money())) {
        list.summary.push_back(summaryRow("U3 =", groups.sums["U3"]));
        total = plus(total, groups.sums["U3"]);
    }
    list.summary.push_back(summaryRow("Gesamtsumme:", total, RowKind::Total));
    list.legend = {r.year >= 2019 ? "G   = Krankenversicherung (AG-Ant. mit KV-Zusatzbeitr./2)"
                                  : "G   = Krankenversicherung",
                   "P   = Pflege-Versicherung",
                   "L   = Rentenversicherung",
                   "M  = Arbeitslosen-Versicherung",
                   "U1 = Umlage Krankheitsaufwendungen",
                   "U2 = Umlage Mutterschaftsaufwendungen",
                   "U3 = Umlage Insolvenzgeld  ",
                   "3000 = ermäßigter KV-Beitrag",
                   "6000 = pauschaler KV-Beitrag",
                   "0300 = halber RV-Beitrag",
                   "0500 = pauschaler RV-Beitrag",
                   "0020 = halber AV-Beitrag",
                   "Quersumme = Summe der Beiträge und Umlagen der Zeile"};
    return list;
}

// ---- Mini-job office (51)

enum MiniJobColumn : size_t {
    MjPay,
    MjTax,
    MjHealth,
    MjPensionExempt,
    MjPensionEmployer,
    MjPensionEmployee,
    MjU1,
    MjU2,
    MjInsolvency,
    MjTotal,
    kMiniJobColumns
};

Values miniJobRow(const MonthFigures& f, const LevyRates& rates) {
    const SocialInsuranceWorksheet& w = f.social;
    Values v(kMiniJobColumns, Money());
    v[MjPay] = w.regularPay + w.oneTimePay;
    const int code = TaxClassSelector(f.workingCase.key(KeySlot::TaxClass)).code;
    if (code == kMiniJobEmployer) v[MjTax] = f.employerFlatTaxes.wageTax;
    if (code == kMiniJobEmployee) v[MjTax] = -lineAmount(f, 34);
    if (healthDigit(w.kv.kind) == 6) v[MjHealth] = w.kv.employer;
    if (pensionDigit(w.rv.kind) == 5) v[MjPensionExempt] = w.rv.employer;
    if (pensionDigit(w.rv.kind) == 1) {
        v[MjPensionEmployer] = w.rv.employer;
        v[MjPensionEmployee] = w.rv.employee;
    }
    v[MjU1] = rates.u1(f);
    v[MjU2] = rates.u2(f);
    v[MjInsolvency] = w.levies.u3.amount;
    v[MjTotal] = sumOf(v, MjTax, MjTotal);
    return v;
}

PayrollList miniJobStatement(const std::vector<CaseYearFigures>& cases, const FundTable& funds,
                             const ListRequest& r) {
    std::set<std::string> levyNotes;
    const LevyRates rates{funds, &levyNotes};
    PayrollList list;
    list.name = "mini-jobs";
    // A period adds the months of each case into its row, so each sum is that of the monthly statements.
    const int last = std::max(r.month, r.lastMonth);
    const std::string period = last == r.month ? monthTitle(r)
                                               : "für die Monate   " + monthOfYear(r.month, r.year) +
                                                     " bis " + monthOfYear(last, r.year);
    list.title = {"B E I T R A G S N A C H W E I S   " + period, setLine(r)};
    Rate employeeRate;
    Collected collected;
    for (const CaseYearFigures& c : cases)
        for (const MonthFigures* f : monthsOf(c, 0)) {
            if (f->month < r.month || f->month > last) continue;
            if (!f->available()) {
                const auto mini =
                    keyOfMonth(c, *f, [](const MonthFigures& m) { return isMiniJob(m) ? 1 : 0; });
                if (mini.value_or(1) == 0) continue;
                collected.add(0, c.caseNumber, caseCaption(c), missingValues(kMiniJobColumns));
                collected.notes.push_back(missingNote(c, *f, r.year));
                continue;
            }
            if (f->social.civilServant || !isMiniJob(*f)) continue;
            if (pensionDigit(f->social.rv.kind) == 1 && employeeRate == Rate{})
                employeeRate = f->social.rv.employeeRate;
            collected.add(0, c.caseNumber, caseCaption(c), miniJobRow(*f, rates));
        }
    collected.notes.insert(collected.notes.end(), levyNotes.begin(), levyNotes.end());
    list.columns = {
        {"", "N A M E"},
        {"", "E N T G E L T"},
        {"P A U S C H S T E U E R", "2 %"},
        {"K R A N K E N - V E R S I C H .", "13 %"},
        {"R E N T E N V E R S I C H E R U N G", "b e f r e i t  15 %"},
        {"v e r s i c h e r u n g s p f l i c h t i g", "AG = 15 %"},
        {"v e r s i c h e r u n g s p f l i c h t i g",
         employeeRate == Rate{} ? "AN-Anteil" : "AN = " + formatPensionRate(employeeRate.value) + " %"},
        {"U M L A G E N", "U1"},
        {"U M L A G E N", "U2"},
        {"U M L A G E N", "INSO"},
        {"ABLIEFERUNGS-", "BETRAG"}};
    finishBlocks(list, collected, kMiniJobColumns,
                 [](int) { return std::string("B U N D E S K N A P P S C H A F T   (Minijob-Zentrale)"); });
    const Values t = blockTotal(list, kMiniJobColumns);
    list.summary = {summaryRow("ST =", t[MjTax]),
                    summaryRow("6000 =", t[MjHealth]),
                    summaryRow("0500 =", t[MjPensionExempt]),
                    summaryRow("Summe 0100 = ", plus(t[MjPensionEmployer], t[MjPensionEmployee])),
                    summaryRow("U1 =", t[MjU1]),
                    summaryRow("U2 =", t[MjU2]),
                    summaryRow("INSO =", t[MjInsolvency]),
                    summaryRow("Gesamtsumme:", t[MjTotal], RowKind::Total)};
    list.legend = {"ST   = einheitliche Pauschsteuer (§ 40a Abs. 2 EStG)",
                   "U1 = Umlage Krankheitsaufwendungen", "U2 = Umlage Mutterschaftsaufwendungen",
                   "INSO = Umlage Insolvenzgeld",
                   "0100 = RV-Beitrag der versicherungspflichtigen Minijobs (AG und AN)"};
    return list;
}

// ---- Wage tax (43, 44)

enum TaxColumn : size_t {
    TaxPay,
    TaxWage,
    TaxSurcharge,
    ChurchEv,
    ChurchRk,
    ChurchAk,
    ChurchVd,
    kTaxColumns
};

// The column of a denomination of line 29: Protestant, Roman Catholic, Old Catholic; the others and
// the flat-rate church tax of cases without one under "vd." (verschiedene).
size_t churchColumn(const MonthFigures& f) {
    switch (f.workingCase.key(KeySlot::Denomination)) {
    case 0:
        return ChurchEv;
    case 1:
        return ChurchRk;
    case 2:
        return ChurchAk;
    default:
        return ChurchVd;
    }
}

Values taxRow(const MonthFigures& f, Money pay, Money wageTax, Money surcharge, Money churchTax) {
    Values v(kTaxColumns, Money());
    v[TaxPay] = pay;
    v[TaxWage] = wageTax;
    v[TaxSurcharge] = surcharge;
    v[churchColumn(f)] = churchTax;
    return v;
}

// The taxes on the pay: what the sheet withholds (lines 34 to 36) and the flat-rate taxes the employer
// takes over. The uniform 2 % of mini-jobs goes to the mini-job office instead.
Values payTaxRow(const MonthFigures& f) {
    if (miniJobTaxClass(f)) return {};
    const FlatRateTaxes& e = f.employerFlatTaxes;
    return taxRow(f, f.taxablePay, -lineAmount(f, 34) + e.wageTax, -lineAmount(f, 35) + e.surcharge,
                  -lineAmount(f, 36) + e.churchTax);
}

// The employer's flat-rate taxes on the levy (§ 40b EStG): the levy taxed at the flat rate (line 16 of
// the supplementary pension), its wage tax, surcharge and church tax (lines 25 to 27).
Values levyTaxRow(const MonthFigures& f) {
    const PensionWorksheet& p = f.pension;
    return taxRow(f, p.amount(16), p.amount(25), p.amount(26), p.amount(27));
}

bool isVbl(const MonthFigures& f) {
    const int fund = f.workingCase.key(KeySlot::SupplementaryFund);
    return fund >= fund::VblBund && fund <= fund::VblEastOther + 2; // with "VBL-Extra West" and "… Ost"
}

// Child benefit the employer pays with the pay (line 43, "Kindergeld"), which it keeps back from the
// wage tax it pays over (§ 72 Abs. 7 EStG).
Money childBenefit(const MonthFigures& f) {
    const int option = f.workingCase.key(KeySlot::ChildBenefit);
    return option == 0 || option == 4 ? lineAmount(f, 43) : Money();
}

PayrollList wageTaxList(int kind, const std::vector<CaseYearFigures>& cases, const ListRequest& r) {
    const bool annual = kind == 44;
    PayrollList list;
    list.name = annual ? "wage-tax-year" : "wage-tax";
    const std::string head = "L O H N S T E U E R   -   N A C H W E I S    ";
    if (annual) {
        list.title = {head + "für das Jahr   " + std::to_string(r.year)};
        if (!cases.empty()) {
            const CaseYearFigures& c = cases.front();
            list.title.push_back(caseCaption(c) + ",   Personalfall " + std::to_string(c.caseNumber));
            const MonthFigures& december = c.months[11];
            list.title.push_back(
                std::string(december.available() && december.annualAdjustment ? "mit" : "ohne") +
                " Lohnsteuerjahresausgleich des Arbeitgebers im Dezember");
        }
    } else {
        list.title = {head + monthTitle(r)};
    }
    list.title.push_back(setLine(r));
    list.columns = {{"", annual ? "MONAT" : "N A M E"},
                    {"", "Str.pfl.Entgelt"},
                    {"", "Lohnstr."},
                    {"", "Sol.Zus."},
                    {"", "ev.KiStr."},
                    {"", "rk.KiStr."},
                    {"", "ak.KiStr."},
                    {"", "vd.KiStr."}};
    enum Block { Pay = 0, Vbl = 1, Zvk = 2 };
    Collected collected;
    collected.byMonth = annual;
    std::optional<Money> benefit = Money();
    for (const CaseYearFigures& c : cases)
        for (const MonthFigures* f : monthsOf(c, annual ? 0 : r.month)) {
            const int rowKey = annual ? f->month : c.caseNumber;
            const std::string caption =
                annual ? monthRowCaptions()[static_cast<size_t>(f->month - 1)] : caseCaption(c);
            if (!f->available()) {
                const auto miniJob =
                    keyOfMonth(c, *f, [](const MonthFigures& m) { return miniJobTaxClass(m) ? 1 : 0; });
                if (miniJob == 1) continue; // its taxes are on the mini-job statement
                collected.add(Pay, rowKey, caption, missingValues(kTaxColumns));
                collected.notes.push_back(missingNote(c, *f, r.year));
                benefit = std::nullopt;
                continue;
            }
            // A case without pay in the month has nothing to declare; the year's list shows every month.
            const Values pay = payTaxRow(*f);
            if (!pay.empty() && (annual || anyNonZero(pay))) collected.add(Pay, rowKey, caption, pay);
            const Values levy = levyTaxRow(*f);
            if (anyNonZero(levy)) collected.add(isVbl(*f) ? Vbl : Zvk, rowKey, caption, levy);
            benefit = plus(benefit, childBenefit(*f));
        }
    for (int block : {Pay, Vbl, Zvk}) // the three blocks stand even when empty
        collected.blocks[block];
    finishBlocks(list, collected, kTaxColumns, [](int block) {
        return std::string(block == Pay   ? "Steuern auf das ENTGELT"
                           : block == Vbl ? "Pauschalsteuern auf die VBL-Umlage"
                                          : "Pauschalsteuern auf die ZVK-Umlage");
    });
    const Values t = blockTotal(list, kTaxColumns);
    const std::optional<Money> between = minus(t[TaxWage], benefit);
    list.summary = {
        summaryRow("Lohnsteuer", t[TaxWage]),           summaryRow("./. Kindergeld", benefit),
        summaryRow("= Zwischensumme", between),         summaryRow("+ Solidaritätszuschlag", t[TaxSurcharge]),
        summaryRow("+ ev. Kirchensteuer", t[ChurchEv]), summaryRow("+ rk. Kirchensteuer", t[ChurchRk]),
        summaryRow("+ ak. Kirchensteuer", t[ChurchAk]), summaryRow("+ vd. Kirchensteuer", t[ChurchVd])};
    std::optional<Money> due = plus(between, t[TaxSurcharge]);
    for (size_t column : {ChurchEv, ChurchRk, ChurchAk, ChurchVd})
        due = plus(due, t[column]);
    list.summary.push_back(summaryRow("= Abzuliefernde Summe", due, RowKind::Total));
    list.legend = {"vd. = andere Bekenntnisse und pauschale Kirchensteuer ohne Bekenntnis"};
    return list;
}

// ---- Supplementary pension (53, 54)

enum PensionColumn : size_t {
    ZvPay,
    LevyEmployer,
    LevyEmployee,
    LevyRate,
    AdditionalEmployer,
    AdditionalEmployee,
    AdditionalRate,
    RestructuringEmployer,
    RestructuringEmployee,
    RestructuringRate,
    CapitalEmployer,
    CapitalEmployee,
    CapitalRate,
    kPensionColumns
};

// The amounts of a row; the rate columns are filled in as texts.
Values pensionRow(const MonthFigures& f) {
    const PensionWorksheet& p = f.pension;
    Values v(kPensionColumns, Money());
    v[ZvPay] = p.amount(9);
    v[LevyEmployer] = p.amount(11);
    v[LevyEmployee] = p.amount(31);
    v[AdditionalEmployer] = p.amount(12);
    v[RestructuringEmployer] = p.amount(28);
    v[CapitalEmployer] = p.amount(29);
    v[CapitalEmployee] = f.employeeCapital;
    return v;
}

std::array<std::string, 4> pensionRates(const MonthFigures& f) {
    const PensionRates& r = f.pensionRates;
    const int additional = f.workingCase.key(KeySlot::AdditionalLevy);
    return {formatPensionRate(r.levy),
            additional == 1   ? "8,00"
            : additional == 2 ? "9,00"
                              : "",
            formatPensionRate(r.restructuring), formatPensionRate(r.capital)};
}

PayrollList pensionList(int kind, const std::vector<CaseYearFigures>& cases, const ListRequest& r) {
    const bool annual = kind == 54;
    PayrollList list;
    list.name = annual ? "supplementary-pension-year" : "supplementary-pension";
    list.title = {std::string("Z  V  K  -  A U F W E N D U N G E N   ") +
                      (annual ? "für das Jahr   " + std::to_string(r.year) : monthTitle(r)),
                  setLine(r)};
    list.columns = {{"", "N A M E"},
                    {"", "E N T G E L T"},
                    {"N O R M A L U M L A G E", "AG-Anteil"},
                    {"N O R M A L U M L A G E", "AN-Anteil"},
                    {"N O R M A L U M L A G E", "%"},
                    {"Z U S A T Z U M L A G E", "AG-Anteil"},
                    {"Z U S A T Z U M L A G E", "AN-Anteil"},
                    {"Z U S A T Z U M L A G E", "%"},
                    {"SANIERUNGS- GELD", "AG-Anteil"},
                    {"SANIERUNGS- GELD", "AN-Anteil"},
                    {"SANIERUNGS- GELD", "%"},
                    {"K A P I T A L B E I T R A G", "AG-Anteil"},
                    {"K A P I T A L B E I T R A G", "AN-Anteil"},
                    {"K A P I T A L B E I T R A G", "%"}};
    // Rows per fund and case; a rate stands where it was the same in every month of the row.
    Collected collected;
    for (const CaseYearFigures& c : cases)
        for (const MonthFigures* f : monthsOf(c, annual ? 0 : r.month)) {
            const auto fund = keyOfMonth(
                c, *f, [](const MonthFigures& m) { return m.workingCase.key(KeySlot::SupplementaryFund); });
            if (!f->available()) {
                if (fund && !isPensionFund(*fund)) continue;
                collected.add(fund.value_or(-1), c.caseNumber, caseCaption(c),
                              missingValues(kPensionColumns));
                collected.notes.push_back(missingNote(c, *f, r.year));
                continue;
            }
            const Values v = pensionRow(*f);
            if (!isPensionFund(*fund) || !anyNonZero(v)) continue;
            Cells cells = cellsOf(v);
            const auto rates = pensionRates(*f);
            for (size_t i = 0; i < rates.size(); ++i)
                cells[LevyRate + 3 * i] = TableCell::label(rates[i]);
            collected.add(*fund, c.caseNumber, caseCaption(c), cells);
        }
    const auto& names = pensionFundOptions();
    finishBlocks(list, collected, kPensionColumns, [&](int fund) {
        return fund < 0 ? std::string("Kasse unbekannt") : trimmedName(names[static_cast<size_t>(fund)]);
    });
    const Values t = blockTotal(list, kPensionColumns);
    const auto levies =
        plus(plus(t[LevyEmployer], t[LevyEmployee]), plus(t[AdditionalEmployer], t[AdditionalEmployee]));
    const auto restructuring = plus(t[RestructuringEmployer], t[RestructuringEmployee]);
    const auto capital = plus(t[CapitalEmployer], t[CapitalEmployee]);
    list.summary = {summaryRow("Summe der Umlagen (UM)", levies),
                    summaryRow("Sanierungsgelder (SG)", restructuring),
                    summaryRow("Kapitalbeiträge (KD)", capital),
                    summaryRow("Gesamtsumme:", plus(plus(levies, restructuring), capital), RowKind::Total)};
    return list;
}

} // namespace

PayrollList buildPayrollList(int kind, const std::vector<CaseYearFigures>& cases, const FundTable& funds,
                             const ListRequest& request) {
    switch (kind) {
    case 43:
    case 44:
        return wageTaxList(kind, cases, request);
    case 50:
    case 57:
        return contributionStatement(kind, cases, funds, request);
    case 51:
    case 55:
        return miniJobStatement(cases, funds, request);
    case 53:
    case 54:
        return pensionList(kind, cases, request);
    default:
        throw std::logic_error("no payroll list of kind " + std::to_string(kind));
    }
}

std::vector<ReportTable> reportTablesOf(const PayrollList& list) {
    ReportTable rows;
    rows.name = list.name;
    for (const std::string& line : list.title)
        rows.title += (rows.title.empty() ? "" : " ") + line;
    rows.columns.push_back("Block");
    for (const ListColumn& c : list.columns)
        rows.columns.push_back(c.group.empty() ? c.caption : c.group + " " + c.caption);
    for (const ListBlock& b : list.blocks)
        for (const TableRow& r : b.rows) {
            TableRow out = r;
            out.cells.insert(out.cells.begin(), TableCell::label(b.heading));
            rows.rows.push_back(std::move(out));
        }
    rows.notes = list.notes;
    ReportTable summary;
    summary.name = list.name + "-summary";
    summary.title = kSummaryHeading;
    summary.columns = {"Position", "Betrag"};
    summary.rows = list.summary;
    return {rows, summary};
}

} // namespace varemo::print
