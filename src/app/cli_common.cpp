#include "app/cli_common.h"

#include "app/json_writer.h"
#include "session/case_load.h"
#include "session/case_operations.h"
#include "session/startup.h"

#include <climits>
#include <cstdio>
#include <ctime>
#include <iomanip>
#include <iostream>
#include <sstream>

namespace varemo::cli {

PromptAnswer CliPrompter::ask(const PromptMessage& message) {
    std::cerr << "[" << message.title << "] " << message.text() << "\n";
    return RecordingPrompter::ask(message);
}

bool ArgReader::next() {
    if (started_) ++i_;
    started_ = true;
    return i_ < args_.size();
}

const std::string& ArgReader::value() {
    if (i_ + 1 >= args_.size()) throw UsageError(args_[i_] + " needs a value");
    return args_[++i_];
}

int ArgReader::intValue() {
    const std::string& option = current();
    return parseInt(value(), option);
}

void ArgReader::unknown() const {
    throw UsageError("unknown argument: " + args_[i_]);
}

int parseInt(const std::string& text, const std::string& what) {
    try {
        size_t used = 0;
        long v = std::stol(text, &used);
        if (used != text.size() || v < INT_MIN || v > INT_MAX) throw std::invalid_argument(text);
        return static_cast<int>(v);
    } catch (const std::exception&) {
        throw UsageError(what + ": not a whole number: " + text);
    }
}

bool CaseMonthSelection::take(ArgReader& r) {
    const std::string& a = r.current();
    if (a == "--year")
        year = r.intValue();
    else if (a == "--set") {
        set = parseDataSet(r.value());
        if (!set) throw UsageError("--set takes REAL, PLAN or INFO");
    } else if (a == "--case")
        caseNumber = r.intValue();
    else if (a == "--month")
        month = r.intValue();
    else if (a == "--json")
        json = true;
    else
        return false;
    return true;
}

void CaseMonthSelection::validate() const {
    if (year < kFirstYear || year > kLastYear)
        throw UsageError("--year must be " + std::to_string(kFirstYear) + " to " + std::to_string(kLastYear));
    if (!set) throw UsageError("--set is required");
    if (caseNumber < 1 || caseNumber > 9999) throw UsageError("--case must be 1 to 9999");
    if (month < 1 || month > 12) throw UsageError("--month must be 1 to 12");
}

int openCaseMonth(Session& g, const CliContext& ctx, const CaseMonthSelection& sel, bool editing) {
    g.programDir = ctx.programDir;
    if (!StartUp(g)) return 3;
    g.year = sel.year;
    g.dataSet = *sel.set;
    g.caseNumber = sel.caseNumber;
    g.selectMonth(sel.month);
    // Viewing never makes a case; an edit may make case 1 of a year that has none yet, as the
    // window shows case 1 of a new year.
    const bool stored = caseStored(g, sel.year, sel.caseNumber);
    // The first case of a year is made as new-case makes it: whole or not at all.
    if (!stored && editing && sel.caseNumber == 1 && caseCount(g, sel.year) <= 1) {
        if (NewCase(g) != 1) return 3;
        return SelectCaseMonth(g) ? 0 : 1;
    }
    if (!stored) {
        g.prompter.tell("Sorry", {"Den Personalfall " + std::to_string(sel.caseNumber) + " gibt es im Jahr " +
                                      std::to_string(sel.year) + " nicht.",
                                  "Einen neuen Personalfall legt der Befehl new-case an."});
        return kCaseMissing;
    }
    return SelectCaseMonth(g) ? 0 : 1;
}

std::string todayText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", local.tm_mday, local.tm_mon + 1,
                  local.tm_year + 1900);
    return buffer;
}

std::string padded(const std::string& text, size_t columns) {
    size_t width = 0;
    for (unsigned char ch : text)
        width += (ch & 0xC0) != 0x80;
    std::string out = text;
    for (size_t k = width; k < columns; ++k)
        out += ' ';
    return out;
}

std::string amountText(Money m) {
    std::ostringstream out;
    out << std::setw(14) << m.toDisplay();
    return out.str();
}

void printSheetText(const Session& g, const std::vector<PromptMessage>& notices) {
    std::cout << g.workingCase.name << " — " << dataSetName(g.dataSet) << " " << std::setfill('0')
              << std::setw(2) << g.month() << "/" << g.year << ", Personalfall " << g.caseNumber << "\n"
              << std::setfill(' ');
    for (const auto& line : g.sheet.lines) {
        std::cout << std::setw(2) << line.number << "  " << padded(line.text, 38);
        if (line.amountCents) std::cout << std::setw(16) << Money::fromCents(*line.amountCents).toDisplay();
        std::cout << "\n";
    }
    for (const PromptMessage& notice : notices)
        std::cout << "\n[" << notice.title << "] " << notice.text() << "\n";
}

namespace {

template <typename Array> std::string jsonArray(const Array& values) {
    std::ostringstream out;
    out << "[";
    for (size_t i = 0; i < values.size(); ++i)
        out << (i ? "," : "") << values[i];
    out << "]";
    return out.str();
}

} // namespace

void printSheetJson(const Session& g, const std::vector<PromptMessage>& messages,
                    const std::vector<PromptMessage>& notices) {
    const Case& c = g.workingCase;
    std::ostringstream out;
    out << "{\"year\":" << g.year << ",\"month\":" << g.month() << ",\"case\":" << g.caseNumber
        << ",\"dataSet\":" << jsonString(dataSetName(g.dataSet)) << ",\"name\":" << jsonString(c.name)
        << ",\"lines\":[";
    for (size_t i = 0; i < g.sheet.lines.size(); ++i) {
        const SheetLine& l = g.sheet.lines[i];
        out << (i ? "," : "") << "{\"line\":" << l.number << ",\"text\":" << jsonString(l.text)
            << ",\"key\":" << (l.key ? std::to_string(*l.key) : "null")
            << ",\"amountCents\":" << (l.amountCents ? std::to_string(*l.amountCents) : "null") << "}";
    }
    out << "],\"keys\":" << jsonArray(c.keys) << ",\"amounts\":" << jsonArray(c.amounts)
        << ",\"previous\":" << jsonArray(c.previous) << "," << employerCostJson(g) << ",\"messages\":[";
    for (size_t i = 0; i < messages.size(); ++i)
        out << (i ? "," : "") << "{\"title\":" << jsonString(messages[i].title)
            << ",\"text\":" << jsonString(messages[i].text()) << "}";
    out << "]," << noticesJson(notices) << "}\n";
    std::cout << out.str();
}

std::string noticesJson(const std::vector<PromptMessage>& notices) {
    std::string out = "\"notices\":[";
    for (size_t i = 0; i < notices.size(); ++i)
        out += std::string(i ? "," : "") + "{\"title\":" + jsonString(notices[i].title) +
               ",\"text\":" + jsonString(notices[i].text()) + "}";
    return out + "]";
}

std::string noticesText(const std::vector<PromptMessage>& notices) {
    std::string out;
    for (const PromptMessage& notice : notices)
        out += "\n[" + notice.title + "] " + notice.text() + "\n";
    return out;
}

} // namespace varemo::cli
