#pragma once
// Globaldaten: the session. It holds the working case-month, the sheet, the open case files, the
// current user, year, month, case and data set, and the program-wide values the calculation steps
// hand to each other. One object is created by the program and passed by reference; tests make as
// many as they like.

#include "core/case.h"
#include "core/pay_extras.h"
#include "core/pay_session.h"
#include "core/prompter.h"
#include "core/sheet.h"
#include "deductions/fund_table.h"
#include "deductions/pension_state.h"
#include "deductions/social_insurance_state.h"
#include "deductions/tax_state.h"
#include "storage/case_files.h"
#include "storage/storage_state.h"
#include "tariffs/tariff_file.h"

#include <filesystem>

namespace varemo {

inline constexpr int kFirstYear = 2017;
inline constexpr int kLastYear = 2021;
inline constexpr int kYearSalaryMonth = 13;

struct Globaldaten {
    explicit Globaldaten(Prompter& p) : prompter(p) {}

    Prompter& prompter;

    // Where the program and the user's data live.
    std::filesystem::path programDir;
    std::filesystem::path userFolder;
    int user = 1;

    // The current selection.
    int year = kLastYear;
    int month = 1; // 1 to 12, 13 the year salary
    int caseNumber = 1;
    DataSet dataSet = DataSet::Real;

    Case workingCase;
    Sheet sheet;
    CaseFiles files;
    FundTable funds = FundTable::defaultsFor(kLastYear);
    PaySession pay; // tariff files, option texts and multipliers of the current year
    SocialInsuranceState social;             // social-insurance defaults, levy liability, last worksheet
    TariffYear tariffs;     // the twelve tariff files of the current year
    StorageState storage;   // settings, window record and data root (src/storage)
    PensionState pension;                    // fund settings, supplementary pension and employer cost
    TaxState tax;                            // wage-tax settings, inputs and the last tax step's results
    PayExtrasState extras;                   // part-time columns, special payments, key codes of lines 25 to 46

    // Program-wide values set on load and by the calculation steps.
    bool east = false;                       // the case's region lies in the eastern tariff area
    float employeeAdditionalRate = 0.0f;     // employee's share of the additional contribution, percent / 100
    float partTimeFactor = 1.0f;             // agreed / regular weekly hours
    float tariffFactor = 1.0f;               // the case's individual share of the tariff pay
    int partialRetirementPercent = 0;        // from amount slot 3 when line 23 is set to partial retirement
    int32_t monthCounter = 0;                // checked on load, above 12 it is reset

    // Mode fields.
    bool closingStepSuspended = false;       // the run does not write the case back
    int modeField = 0;                       // 12: the run does not write the case back
    int detailSelector = 0;                  // the explanation window that is open (0: none)
    bool suppressDetail = false;
    bool followingMonthsOn = true;           // an edit applies to the following months as well
    bool noSaveFlag = false;                 // the redisplay sequence neither runs following months nor writes
    bool partialRetirementFlag = false;
    int editCode = 0;                        // 200 + slot after an amount entry, 300..712 after a flag toggle
    bool unsavedChange = false;
    bool overflow = false;                   // the last run left the range of the program

    bool showsYearSalary() const { return month == kYearSalaryMonth; }
};

} // namespace varemo
