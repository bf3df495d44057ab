#pragma once
// The master data of a person ("Stammdaten"): personal number, tax ID, birthday, address and bank
// account, kept in the case's year record of each data set (persistence/year_record.h). Reading looks
// at the year file itself and changes nothing; saving checks every value first and then writes the one
// record under the user folder's lock, so a refused value stores nothing.

#include "session/session.h"

#include <optional>
#include <string>

namespace varemo {

struct MasterData {
    std::string personalNumber;
    std::string taxId;    // 11 digits
    std::string birthday; // "TT.MM.JJJJ"
    std::string address1;
    std::string address2;
    std::string iban; // without blanks
    std::string bic;

    bool operator==(const MasterData&) const = default;
};

// The German message that refuses the tax ID (§ 139b AO: 11 digits, no leading 0, exactly one digit
// twice or three times — not three in a row — among the first ten, check digit by ISO 7064 MOD 11,10),
// or nothing when it is valid.
std::optional<std::string> taxIdRefusal(const std::string& taxId);
// The same for an IBAN (ISO 13616: country, check digits, at most 30 characters; mod 97 = 1; German
// IBANs have 22 characters). Blanks between the groups are allowed.
std::optional<std::string> ibanRefusal(const std::string& iban);
// The same for a BIC (ISO 9362: 4 letters bank, 2 letters country, 2 characters location, optionally 3
// characters branch).
std::optional<std::string> bicRefusal(const std::string& bic);

// The values as they are stored: trimmed, IBAN without blanks, IBAN and BIC in capitals.
MasterData normalizedMasterData(const MasterData& d);
// The first value of d (normalized) that cannot be stored, as a German message; empty values are
// allowed (they clear the field). The birthday must be a date of 1900 up to the year.
std::optional<std::string> masterDataRefusal(const MasterData& d, int year);

// An IBAN as it is printed, in groups of four characters.
std::string ibanInGroups(const std::string& iban);

// The master data of a case in the session's year and data set, as stored; all empty when the case has
// no year record (or no files are open). Throws RecordFileError when the year file cannot be read.
MasterData caseMasterData(const Session& g, int caseNumber);

// Checks d and keeps it as the master data of a case of the session's open year and data set. A refused
// value or a failed write is told ("Stammdaten"), nothing is changed and the result is false.
bool saveMasterData(Session& g, int caseNumber, const MasterData& d);

} // namespace varemo
