#pragma once
// The service relationship of line 4 (KeySlot::ServiceRelationship): a position of the catalogue
// (data/catalogue/service-relationships.tsv), and the questions the program asks about it.
//
// 0 to 7 are civil servants, 8 to 24 employees under a collective agreement or contract with pay
// tables, 25 and 26 employees whose pay is typed, 27 a case without pay; 28 to 38 are reserves.

namespace varemo {

namespace relationship {
inline constexpr int kPayOrderA = 0;          // Besoldungsordnung A
inline constexpr int kPayOrderB = 1;          // Besoldungsordnung B: fixed salaries
inline constexpr int kPayOrderC = 2;          // Besoldungsordnung C
inline constexpr int kPayOrderW = 3;          // Besoldungsordnung W
inline constexpr int kPayOrderR = 4;          // Besoldungsordnung R
inline constexpr int kCandidates = 5;         // Anwärter(in)
inline constexpr int kCivilOwnTable = 6;      // civil servants with a table of their own
inline constexpr int kPayOrderAOwnTitle = 7;  // Besoldungsordnung A under a title of its own
inline constexpr int kTvlCare = 8;            // TV-L/H Pflege
inline constexpr int kTvlSocial = 9;          // TV-L/H Sozial- und Erziehungsdienst
inline constexpr int kTvoedBund = 10;         // TVöD Bund
inline constexpr int kTvl = 11;               // TV-L / TV-H
inline constexpr int kTvoedVka = 12;          // TVöD VKA
inline constexpr int kTvoedSavingsBanks = 13; // TVöD Sparkassen
inline constexpr int kTvoedVkaSocial = 14;    // TVöD VKA Sozial- und Erziehungsdienst
inline constexpr int kAok = 15;               // AOK-Tarifvertrag
inline constexpr int kTvV = 16;               // TV-V Versorgungsbetriebe
inline constexpr int kTvN = 17;               // TV-N Nahverkehr
inline constexpr int kServiceContract1 = 18;  // Dienstvertrag mit besonderer Tabelle 1
inline constexpr int kServiceContract2 = 19;  // Dienstvertrag mit besonderer Tabelle 2
inline constexpr int kTrainees = 20;          // TVAöD/TV-L Auszubildende(r)
inline constexpr int kDoctors = 21;           // TV-Ärzte
inline constexpr int kAvrDiakonie = 22;       // AVR Diakonie
inline constexpr int kAvrCaritas = 23;        // AVR Caritas
inline constexpr int kEmployeeOwnTable = 24;  // Tarifvertrag mit eigener Tabelle
inline constexpr int kAgreedSalary = 25;      // Gehalt nach Vereinbarung
inline constexpr int kTypedPay = 26;          // Entgelt lt. Eingabe
inline constexpr int kNoPay = 27;             // Ohne laufende Bezüge
} // namespace relationship

// Service relationship with no pay and no deductions at all.
inline constexpr int kServiceRelationshipNoPay = relationship::kNoPay;

// Region 0 of line 2: the Federation rather than a Land.
inline constexpr int kRegionFederal = 0;

// Civil servants (0 to 7): pay by the pay laws, no statutory social insurance, no supplementary fund.
bool isCivilServant(int serviceRelationship);

// Civil servants of the Federation rather than of a Land.
bool isFederalCivilServant(int serviceRelationship, int region);

// Besoldungsordnung A, under its own title or not (0 and 7): the same tables and steps.
bool isPayOrderA(int serviceRelationship);

// Employees (8 to 27), with or without pay tables.
bool isEmployee(int serviceRelationship);

// Employees under a collective agreement or contract with pay tables and steps (8 to 24).
bool isTariffEmployee(int serviceRelationship);

// Whether the pay tables hold the case's basic pay: civil servants and employees with tables (0 to 24).
bool usesPayTables(int serviceRelationship);

// Employees without pay tables (25 to 27): lines 8 to 16 keep what was typed.
bool isWithoutPayTable(int serviceRelationship);

// The case without pay (27): no pay lines, no deductions.
bool isWithoutPay(int serviceRelationship);

// Employees whose annual special payment is measured on the average pay of July to September rather
// than on September alone (10 to 24): all with pay tables but the TV-L's care and social services.
bool hasAverageSpecialPaymentBase(int serviceRelationship);

// Neither a civil servant nor without pay: the case pays social insurance contributions and may be
// insured with a supplementary-pension fund.
bool paysContributions(int serviceRelationship);

// The agreement whose pay structure the case follows.
enum class PayFamily {
    CivilServants, // 0 to 7
    Tvl,           // 8, 9, 11: TV-L (TV-H in Hessen), with care and social services
    TvoedBund,     // 10
    TvoedVka,      // 12, 13, 14: VKA, savings banks, social and educational services
    Trainees,      // 20
    OtherTables,   // 15 to 19, 21 to 24: other agreements and contracts with pay tables
    NoTable,       // 25 to 27
    None,          // reserves
};
PayFamily payFamily(int serviceRelationship);

} // namespace varemo
