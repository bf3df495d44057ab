#pragma once
// The names and record lengths of the per-user files of a user folder (their layouts are in
// persistence/user_files.h), known here so that a step that keeps its own settings file and the storage
// code that saves and restores the user folder name them alike.

#include <cstddef>

namespace varemo {

inline constexpr const char* kModelMonthFile = "varemo20.vaa";
inline constexpr const char* kModelYearFile = "varemo20.vbb";
inline constexpr const char* kYearDefaultsFile = "varemo20.vee";
inline constexpr size_t kYearDefaultsRecordLength = 6514;
inline constexpr const char* kPensionDefaultsFile = "atv.vee";
inline constexpr size_t kPensionDefaultsRecordLength = 24;
inline constexpr const char* kPartialRetirementFile = "atz.vee";
inline constexpr size_t kPartialRetirementRecordLength = 8;
inline constexpr const char* kChurchTaxFile = "kipausch.vee";
inline constexpr size_t kChurchTaxRecordLength = 218;
inline constexpr const char* kSpecialPaymentFile = "sonderzahlung.vee";
inline constexpr size_t kSpecialPaymentRecordLength = 1550;
inline constexpr const char* kAnnualPaymentFile = "Jasoza.vee";
inline constexpr size_t kAnnualPaymentRecordLength = 400;
inline constexpr const char* kCivilServantPaymentFile = "beasoza.vee";
inline constexpr size_t kCivilServantPaymentRecordLength = 1092;
inline constexpr const char* kNoUpdateFile = "noupdate.txt";
inline constexpr size_t kOptionTextRecordLength = 35;
// The window areas whose colours the user sets per year (presentation/window_settings.h names them).
inline constexpr size_t kColourAreaCount = 11;

// Record of a per-year file for a year: year - 2016.
inline int yearRecordNumber(int year) {
    return year - 2016;
}

} // namespace varemo
