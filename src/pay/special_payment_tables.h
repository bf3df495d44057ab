#pragma once
// The percentage table of the panel "Jahressonderzahlung " and where a case sits in it: the agreement
// entries and pay groups of the panel, the bands of groups that the shipped tables name, the shipped
// percentages ("Vorgabewerte", shippedAnnualPaymentTable(), from special_payment_data.h) and the
// user's own values in "Jasoza.vee".

#include "model/globaldaten.h"
#include "pay/special_payment_data.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace varemo {

// Names of the agreement entries 0 to 19 of the panel ("TVöD Bund", …, "TV-Hessen", "AVR Caritas").
const std::vector<std::string>& agreementNames();
// Names of the pay groups 0 to 49 of the panel ("Entgeldgruppe 1", …, "Entgeldgruppe KR 5", …).
const std::vector<std::string>& annualPaymentGroupNames();

// The panel's reminder after a change.
std::vector<std::string> annualPaymentChangeReminder();

// The percentage table as stored in "Jasoza.vee" of the user folder: record (year − 2017) × 20 +
// entry + 1, 400 bytes: the West percentages of groups 0 to 49 at 2 × g, the East percentages at
// 100 + 2 × g, 16-bit hundredths of a percent. A record of zeros holds the shipped values.
// The shipped values ("Vorgabewerte") of every entry and year.
AnnualPaymentTable shippedAnnualPaymentTable();
// Restores the shipped values of one entry and year.
void restoreShippedPercentages(AnnualPaymentTable& table, int agreement, int year);
AnnualPaymentTable readAnnualPaymentTable(const std::filesystem::path& userFolder);
void writeAnnualPaymentTable(const std::filesystem::path& userFolder, const AnnualPaymentTable& table);
// Reads the table of the session's user folder when it was not read yet (or the folder changed).
void EnsureAnnualPaymentTable(Globaldaten& g);

// The entry and group of the table that a case reads, or that it is a civil servant or has no entry.
SpecialPaymentCategory classifySpecialPayment(const Case& c, int year);

// The position of a group of the case in the panel's list, -1 when the panel has none for it.
int annualPaymentGroupOf(const Case& c);
// Whether a band of the shipped tables ("E9a-E12", "A12 and higher", "up to A8, Anwärter", "all
// groups") covers the case's group.
bool bandCoversCase(std::string_view band, const Case& c);

} // namespace varemo
