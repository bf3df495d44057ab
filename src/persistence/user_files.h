#pragma once
// The per-user files of a user folder besides the case files, and the per-year side files.
//
//   file                 record length  records
//   "varemo20.vaa"        1513          1: model case, the month record a new case starts from
//   "varemo20.vbb"        1920          1: model case, the year record a new case starts from
//   "varemo20.vee"        6514          one per year, record = year - 2016: panel defaults of the year
//   "atv.vee"               24          supplementary pension defaults
//   "kipausch.vee"         218          one per year, record = year - 2016: church tax rates per region
//   "sonderzahlung.vee"   1550          one per year, record = year - 2016: weekly hours, Christmas bonus,
//                                       time supplements, child benefit, pension levy
//   "Jasoza.vee"           400          annual special payment percentages
//   "beasoza.vee"         1092          one per year, record = year - 2016: civil servants' special-payment
//                                       rules per Land
// The settings they keep and their layouts: persistence/year_settings.h.
//
// Church tax record ("kipausch.vee"), 218 bytes:
//      0    2  the year (16-bit)
//      2  216  regions r = 0 to 17 (0 Bund, 1 to 16 the Länder, 17 the further region), 12 bytes each at
//              2 + 12 × r:
//                +0  32-bit  church tax rate, hundredths of a percent
//                +4  32-bit  rate on flat-rate wage tax, hundredths of a percent
//                +8  16-bit  capping rate, hundredths of a percent of the taxable income (0: none)
//               +10  16-bit  1 when employers apply the cap, else 0

#include "base/record_file.h"
#include "law/church_tax.h"
#include "model/option_texts.h"
#include "model/user_file_names.h"
#include "persistence/year_record.h"

#include <filesystem>
#include <string>
#include <vector>

namespace varemo {

// The church tax record of a year with the shipped values of the Länder (deductions/church_tax.h).
RecordBuffer defaultChurchTaxRecord(int year);
ChurchTaxTable churchTaxFromRecord(const RecordBuffer& record);

// The side files of a year (yy = last two digits): "Urlaub.0yy", "jda.0yy", "bda.yy", "ZuschlägeA.0yy",
// "ZuschlägeB.0yy", "SV.0yy", "Kalender.0yy", "Merkfeld.0yy" (persistence/case_memos.h),
// "Arbeitszeit.0yy" (persistence/calculator_files.h).
std::vector<std::string> yearSideFileNames(int year);

// The model case of a user folder.
RecordBuffer readModelMonth(const std::filesystem::path& userFolder);
YearRecord readModelYear(const std::filesystem::path& userFolder);
void writeModelCase(const std::filesystem::path& userFolder, const RecordBuffer& month,
                    const YearRecord& year);
// The model case of a new user folder: the defaults of a new case.
RecordBuffer defaultModelMonth();
YearRecord defaultModelYear();
// Writes the default model case when the model month file is missing or empty; true when it did.
bool ensureModelCase(const std::filesystem::path& userFolder);

} // namespace varemo
