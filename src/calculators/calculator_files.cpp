#include "calculators/calculator_files.h"

#include "base/cp1252.h"
#include "base/error.h"
#include "base/file_names.h"
#include "model/slots.h"
#include "persistence/file_ops.h"
#include "session/guarded.h"
#include "session/line_input.h"

#include <charconv>
#include <functional>

namespace varemo {
namespace fs = std::filesystem;
namespace {

constexpr size_t kHalfPeriods = 6;
constexpr size_t kQuarterPeriods = 7;
constexpr size_t kFirstHalfPeriod = 6;
constexpr size_t kFirstQuarterPeriod = kFirstHalfPeriod + 2 * kHalfPeriods;
constexpr size_t kJubileePeriods = 6;
constexpr size_t kFirstEarlier = 3;
constexpr size_t kFirstNotCounting = kFirstEarlier + 2 * kJubileePeriods;

std::string dateOrEmpty(const std::optional<CalendarDate>& d) {
    return d ? formatCalendarDate(*d) : std::string();
}

std::vector<DatePeriod> periodsOf(const ServiceAgeRecord& r, size_t first, size_t count) {
    std::vector<DatePeriod> out;
    for (size_t i = 0; i < count; ++i) {
        auto from = parseCalendarDate(r.dates[first + 2 * i]);
        auto to = parseCalendarDate(r.dates[first + 2 * i + 1]);
        if (from && to) out.push_back({*from, *to});
    }
    return out;
}

void putPeriods(ServiceAgeRecord& r, const std::vector<DatePeriod>& periods, size_t first, size_t count,
                const char* what) {
    if (periods.size() > count)
        throw Error("Es sind höchstens " + std::to_string(count) + " " + what + " möglich.");
    for (size_t i = 0; i < periods.size(); ++i) {
        r.dates[first + 2 * i] = formatCalendarDate(periods[i].from);
        r.dates[first + 2 * i + 1] = formatCalendarDate(periods[i].to);
    }
}

void fillOffsets(ServiceAgeRecord& r) {
    const auto birthday = parseCalendarDate(r.dates[0]);
    for (size_t i = 0; i < kDateFieldCount; ++i) {
        const int days = datumdiffneu(birthday, parseCalendarDate(r.dates[i]));
        // The 16-bit field holds about 89 years; beyond that the date is kept, the offset not.
        r.offsets[i] = static_cast<int16_t>(days >= -32768 && days <= 32767 ? days : 0);
    }
}

constexpr YearRecord::ServiceDate kBegin = YearRecord::ServiceDate::ServiceAgeBegin;

// Read from the year file itself, so that looking needs no open channel and changes nothing.
std::optional<CalendarDate> caseServiceDate(const Session& g, YearRecord::ServiceDate which) {
    const YearRecord year(
        readRecordIfExists(findFileIgnoringCase(g.userFolder, caseFileName(g.year, g.dataSet, 13)),
                           kYearRecordLength, g.caseNumber));
    return parseCalendarDate(year.serviceDate(which));
}

std::optional<LeaveMilli> milliEntry(const std::string& text) {
    if (text.empty()) return std::nullopt;
    try {
        const Money m = Money::parse(text); // the same decimal comma as amounts
        return mulDiv(m.units(), 1000, 10000, Rounding::HalfUp);
    } catch (const std::invalid_argument&) {
        return std::nullopt;
    }
}

std::optional<int> intEntry(const std::string& text) {
    int v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return v;
}

std::string milliEntryText(LeaveMilli m) {
    return leaveText(m);
}

} // namespace

ServiceAgeRecord toRecord(const ServiceAgeInput& in, const ServiceAgeResult* result) {
    ServiceAgeRecord r;
    r.option = static_cast<int16_t>(in.entryOfficeOption);
    r.dates[0] = dateOrEmpty(in.birthday);
    r.dates[1] = dateOrEmpty(in.appointment);
    putPeriods(r, in.halfPhasePeriods, kFirstHalfPeriod, kHalfPeriods, "Zeiträume in der ersten Phase");
    putPeriods(r, in.quarterPhasePeriods, kFirstQuarterPeriod, kQuarterPeriods,
               "Zeiträume in der zweiten Phase");
    if (result) {
        if (result->half.applies) {
            r.dates[2] = formatCalendarDate(result->half.from);
            r.dates[3] = formatCalendarDate(result->half.to);
        }
        if (result->quarter.applies) {
            r.dates[4] = formatCalendarDate(result->quarter.from);
            r.dates[5] = formatCalendarDate(result->quarter.to);
        }
        r.result = formatCalendarDate(result->bda);
        r.second = formatCalendarDate(result->regularBda);
    }
    fillOffsets(r);
    return r;
}

ServiceAgeInput serviceAgeInputOf(const ServiceAgeRecord& r) {
    ServiceAgeInput in;
    in.entryOfficeOption = r.option;
    in.birthday = parseCalendarDate(r.dates[0]);
    in.appointment = parseCalendarDate(r.dates[1]);
    in.halfPhasePeriods = periodsOf(r, kFirstHalfPeriod, kHalfPeriods);
    in.quarterPhasePeriods = periodsOf(r, kFirstQuarterPeriod, kQuarterPeriods);
    return in;
}

ServiceAgeInput LoadServiceAgeInput(const Session& g) {
    ServiceAgeInput in =
        serviceAgeInputOf(readServiceAgeRecord(g.userFolder, serviceAgeFileName(g.caseNumber), g.year));
    if (!in.birthday) in.birthday = caseServiceDate(g, YearRecord::ServiceDate::Birthday);
    if (!in.appointment) in.appointment = caseServiceDate(g, YearRecord::ServiceDate::Appointment);
    return in;
}

void StoreServiceAgeInput(Session& g, const ServiceAgeInput& in, const ServiceAgeResult* result) {
    const ServiceAgeRecord r = toRecord(in, result);
    UserFolderWrite lock(g);
    writeServiceAgeRecord(g.userFolder, serviceAgeFileName(g.caseNumber), g.year, r);
}

bool transferIntoCase(Session& g, int month, const std::vector<fs::path>& alsoTouched,
                      const std::function<bool()>& change) {
    UserFolderWrite lock(g);
    FileSnapshot snapshot(g.userFolder);
    snapshot.add(alsoTouched);
    for (int m = month; m <= 13; ++m) // the following months are calculated again
        snapshot.add(findFileIgnoringCase(g.userFolder, caseFileName(g.year, g.dataSet, m)));
    const Case before = g.workingCase;
    auto undo = [&] {
        const int y = g.year;
        const DataSet set = g.dataSet;
        g.files.close();
        const bool restored = snapshot.restore();
        g.files.open(g.userFolder, y, set);
        g.workingCase = before;
        if (!restored)
            throw StorageError("Der Übertrag ist fehlgeschlagen; die gesicherten Dateien liegen in " +
                               snapshot.folder().string() + ".");
    };
    try {
        if (change()) return true;
        undo();
        return false;
    } catch (...) {
        undo();
        throw;
    }
}

bool TransferServiceDates(Session& g, const CalendarDate& begin, const std::optional<CalendarDate>& birthday,
                          const std::optional<CalendarDate>& appointment,
                          const std::vector<fs::path>& alsoTouched, const std::function<void()>& alsoWrite) {
    return transferIntoCase(g, g.workingCase.monthIndex() + 1, alsoTouched, [&] {
        g.workingCase.setKey(KeySlot::DateLabel, 0);
        if (!EnterDate(g, formatCalendarDate(begin))) return false;
        YearRecord year = g.files.readYear(g.caseNumber);
        year.setServiceDate(kBegin, formatCalendarDate(begin));
        if (birthday) year.setServiceDate(YearRecord::ServiceDate::Birthday, formatCalendarDate(*birthday));
        if (appointment)
            year.setServiceDate(YearRecord::ServiceDate::Appointment, formatCalendarDate(*appointment));
        g.files.writeYear(g.caseNumber, year);
        if (alsoWrite) alsoWrite();
        return true;
    });
}

bool TransferServiceAge(Session& g, const ServiceAgeInput& in) {
    const ServiceAgeResult result = computeServiceAge(in);
    const ServiceAgeRecord record = toRecord(in, &result);
    const std::string file = serviceAgeFileName(g.caseNumber);
    return TransferServiceDates(
        g, result.bda, in.birthday, in.appointment,
        {findFileIgnoringCase(g.userFolder, file), findFileIgnoringCase(g.userFolder, "bda.txt")},
        [&] { writeServiceAgeRecord(g.userFolder, file, g.year, record); });
}

JubileeInput LoadJubileeInput(const Session& g) {
    const ServiceAgeRecord r = readServiceAgeRecord(g.userFolder, jubileeFileName(g.caseNumber), g.year);
    JubileeInput in;
    in.birthday = parseCalendarDate(r.dates[0]);
    in.payStart = parseCalendarDate(r.dates[1]);
    in.retirement = parseCalendarDate(r.dates[2]);
    in.earlierEmployers = periodsOf(r, kFirstEarlier, kJubileePeriods);
    in.notCounting = periodsOf(r, kFirstNotCounting, kJubileePeriods);
    return in;
}

void StoreJubileeInput(Session& g, const JubileeInput& in, const JubileeResult* result) {
    ServiceAgeRecord r;
    r.dates[0] = dateOrEmpty(in.birthday);
    r.dates[1] = dateOrEmpty(in.payStart);
    r.dates[2] = dateOrEmpty(in.retirement);
    putPeriods(r, in.earlierEmployers, kFirstEarlier, kJubileePeriods, "anzurechnende Zeiträume");
    putPeriods(r, in.notCounting, kFirstNotCounting, kJubileePeriods, "nicht zu berücksichtigende Zeiträume");
    if (result) {
        r.result = formatCalendarDate(result->jdaBegin);
        r.second = formatCalendarDate(result->retirement);
    }
    fillOffsets(r);
    UserFolderWrite lock(g);
    writeServiceAgeRecord(g.userFolder, jubileeFileName(g.caseNumber), g.year, r);
}

namespace {
fs::path remedyFile(const fs::path& root) {
    return findFileIgnoringCase(findFileIgnoringCase(root, "Texte"), "Belehrung.txt");
}
} // namespace

std::string LoadRemedyText(const Session& g) {
    std::error_code ec;
    fs::path file = remedyFile(g.dataRootOrProgram());
    // A storage location set up before the program shipped the text has no copy: the notice takes the
    // program folder's until the user saves one of their own.
    if (!fs::exists(file, ec)) file = remedyFile(g.programDir);
    if (!fs::exists(file, ec)) return {};
    const std::vector<uint8_t> bytes = readWholeFile(file);
    std::string text = cp1252ToUtf8(std::string(bytes.begin(), bytes.end()));
    // Line ends typed into the file outside the program count as its "$".
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') continue;
        out += text[i] == '\n' ? '$' : text[i];
    }
    while (!out.empty() && out.back() == '$')
        out.pop_back();
    return out;
}

size_t remedyTextLength(const std::string& text) {
    return utf8ToCp1252(text).size(); // one byte a character
}

void StoreRemedyText(Session& g, const std::string& text) {
    const std::string bytes = utf8ToCp1252(text);
    if (bytes.size() > kRemedyTextLength)
        throw Error("Die Rechtsbehelfsbelehrung hat " + std::to_string(bytes.size()) + " von möglichen " +
                    std::to_string(kRemedyTextLength) + " Zeichen; sie wurde nicht gespeichert.");
    const fs::path folder = findFileIgnoringCase(g.dataRootOrProgram(), "Texte");
    fs::create_directories(folder);
    writeFileAtomically(findFileIgnoringCase(folder, "Belehrung.txt"),
                        std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

StepInputsRecord LoadStepInputs(const Session& g) {
    return readStepInputs(g.userFolder, g.caseNumber, g.year);
}

void StoreStepInputs(Session& g, const StepInputsRecord& r) {
    UserFolderWrite lock(g);
    writeStepInputs(g.userFolder, g.caseNumber, g.year, r);
}

VacationInput LoadVacationInput(const Session& g, std::string* payGroup) {
    bool found = false;
    const VacationRecord r = readVacationRecord(g.userFolder, g.year, g.caseNumber, &found);
    VacationInput in;
    in.year = g.year;
    in.serviceRelationship = g.workingCase.serviceRelationship();
    in.birthday = caseServiceDate(g, YearRecord::ServiceDate::Birthday);
    if (!in.birthday && found) in.birthday = parseCalendarDate(r.birthday);
    if (payGroup) *payGroup = r.payGroup;
    if (!found) return in; // the entitlement follows from the age
    in.entitlement = r.entitlements[0];
    for (size_t i = 0; i < kVacationPeriods; ++i)
        in.periods[i] = periodLineOf(r.periodLines[i]);
    const auto& e = r.entries;
    if (auto v = intEntry(e[0])) in.daysPerWeekIndex = *v;
    if (auto v = intEntry(e[1])) in.correctionIndex = *v;
    if (auto v = milliEntry(e[2])) in.additional = *v;
    if (auto v = milliEntry(e[3])) in.furtherAdditional = *v;
    if (auto v = intEntry(e[4])) in.fullMonths = *v;
    if (auto v = intEntry(e[5])) in.pensionMonths = *v;
    if (auto v = intEntry(e[6])) in.specialLeaveMonths = *v;
    if (auto v = milliEntry(e[7])) in.previousYearRest = *v;
    if (auto v = milliEntry(e[8])) in.taken = *v;
    if (auto cents = intEntry(e[9])) in.monthlyPay = Money::fromCents(*cents);
    if (auto v = milliEntry(e[10])) in.daysToPayOff = *v;
    return in;
}

void StoreVacationInput(Session& g, const VacationInput& in, const std::string& payGroup) {
    const int entitlement = entitlementOf(in);
    bool found = false;
    VacationRecord r = readVacationRecord(g.userFolder, g.year, g.caseNumber, &found);
    r.birthday = dateOrEmpty(in.birthday);
    r.payGroup = payGroup;
    r.entitlements[0] = static_cast<int16_t>(entitlement);
    for (size_t i = 0; i < kVacationPeriods; ++i)
        r.periodLines[i] = periodLineText(in.periods[i]);
    auto& e = r.entries;
    e[0] = std::to_string(in.daysPerWeekIndex);
    e[1] = std::to_string(in.correctionIndex);
    e[2] = milliEntryText(in.additional);
    e[3] = milliEntryText(in.furtherAdditional);
    e[4] = std::to_string(in.fullMonths);
    e[5] = std::to_string(in.pensionMonths);
    e[6] = std::to_string(in.specialLeaveMonths);
    e[7] = milliEntryText(in.previousYearRest);
    e[8] = milliEntryText(in.taken);
    e[9] = in.monthlyPay ? std::to_string(in.monthlyPay->toCents()) : std::string(); // whole cents
    e[10] = milliEntryText(in.daysToPayOff);
    UserFolderWrite lock(g);
    writeVacationRecord(g.userFolder, g.year, g.caseNumber, r);
}

} // namespace varemo
