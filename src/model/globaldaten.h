#pragma once
// Globaldaten: what the calculation of one case-month shares. The steps of the run take it by reference
// as their only session parameter. It is made of one part per job — the selection, the working case,
// the caches of the current year, what the steps hand to each other, the modes the window sets — so a
// function that needs one job can take just that part; the stored months are reached through the
// CaseStore. The program's session (session/session.h) is a Globaldaten that adds the open case files
// and the settings.

#include "base/prompter.h"
#include "base/record_file.h"
#include "law/fund_table.h"
#include "model/case.h"
#include "model/case_store.h"
#include "model/data_set.h"
#include "model/partial_retirement_state.h"
#include "model/pay_extras.h"
#include "model/pay_session.h"
#include "model/pension_state.h"
#include "model/sheet.h"
#include "model/social_insurance_state.h"
#include "model/tax_state.h"
#include "model/user_file_names.h"
#include "tariffs/tariff_file.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace varemo {

// Where the program and the user's data live, and what is selected in them.
struct Selection {
    std::filesystem::path programDir;
    std::filesystem::path userFolder;
    std::filesystem::path
        dataRoot; // the program folder or the user's own storage location; empty until start-up
    int user = 1;
    int year = kLastYear;
    int caseNumber = 1;
    DataSet dataSet = DataSet::Real;

    // 1 to 12, 13 the year salary. Set only through selectMonth, which keeps it in that range.
    int month() const { return month_; }
    void selectMonth(int month);
    bool showsYearSalary() const { return month_ == kYearSalaryMonth; }
    // The program folder until the user's data root is known.
    const std::filesystem::path& dataRootOrProgram() const {
        return dataRoot.empty() ? programDir : dataRoot;
    }

  private:
    int month_ = 1;
};

// The case-month being calculated, its sheet and the values derived from it on load and by the steps.
struct WorkingCaseMonth {
    Case workingCase;
    Sheet sheet;
    bool east = false;                   // the case's region lies in the eastern tariff area
    float employeeAdditionalRate = 0.0f; // employee's share of the additional contribution, percent / 100
    float partTimeFactor = 1.0f;         // agreed / regular weekly hours
    float tariffFactor = 1.0f;           // the case's individual share of the tariff pay
    int partialRetirementPercent = 0;    // from AmountSlot::PaidDays when line 23 is partial retirement
    int32_t monthCounter = 0;            // checked on load, above 12 it is reset
};

// What is read once per year and kept while the year stays selected.
struct YearCaches {
    FundTable funds = FundTable::defaultsFor(kLastYear);
    PaySession pay;     // option texts, multipliers and the row of the last tariff lookup
    TariffYear tariffs; // the twelve tariff files of the current year
    RecordBuffer yearDefaults{kYearDefaultsRecordLength}; // the user's "varemo20.vee" record of the year
    // The user's colours of the window areas for the year (red, green, blue per area in the order of
    // presentation/window_settings.h); none: the program's colours of the year.
    std::optional<std::array<uint8_t, 3 * kColourAreaCount>> colours;
};

// What the steps of the run hand to each other, and how the last run ended.
struct StepHandOver {
    SocialInsuranceState social; // social-insurance defaults, levy liability, last worksheet
    PensionState pension;        // fund settings, supplementary pension and employer cost
    TaxState tax;                // wage-tax settings, inputs and the last tax step's results
    PayExtrasState extras;       // part-time columns, special payments, key codes of lines 25 to 46
    bool overflow = false;       // the last run left the range of the program

    // Partial retirement: the percentages of the settings and the last side calculations.
    PartialRetirementState retirement;
};

// How the window wants the run and the edits to behave.
struct WindowModes {
    bool closingStepSuspended = false; // the run does not write the case back
    int modeField = 0;                 // 12: the run does not write the case back
    bool followingMonthsOn = true;     // an edit applies to the following months as well
    int editCode = 0;                  // 200 + slot after an amount entry, 300..712 after a flag toggle
};

struct Globaldaten : Selection, WorkingCaseMonth, YearCaches, StepHandOver, WindowModes {
    Globaldaten(Prompter& p, CaseStore& s) : prompter(p), store(s) {}
    Globaldaten(const Globaldaten&) = delete;
    Globaldaten& operator=(const Globaldaten&) = delete;

    Prompter& prompter;
    CaseStore& store; // the stored months of the selected year and data set
};

} // namespace varemo
