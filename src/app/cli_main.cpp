// varemo20-cli: the calculation engine from the command line.
//
//   varemo20-cli [--program-dir DIR] [--answer yes|no] sheet --year Y --set REAL|PLAN|INFO --case N --month M [--json]
//   varemo20-cli [--program-dir DIR] [--answer yes|no] set   (same selection) [edits...] [--json]
//       edits, applied in the order given, each followed by the recalculation:
//       --key SLOT=VALUE   an option key        --line N=POS   the main option box of sheet line N
//       --amount SLOT=TEXT a typed amount       --date TEXT    the date of line 6
//       --name TEXT        the case name
//
// Exit status: 0 when everything was done, 1 when an edit was refused or an amount left the range
// of the program (the message says which), 2 for a usage error, 3 when files could not be used.

#include "app/json_writer.h"
#include "core/case_load.h"
#include "core/globaldaten.h"
#include "core/line_input.h"
#include "core/record_file.h"

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace varemo;

namespace {

constexpr const char* kUsage =
    "usage: varemo20-cli [--program-dir DIR] [--answer yes|no] COMMAND OPTIONS\n"
    "commands:\n"
    "  sheet --year Y --set REAL|PLAN|INFO --case N --month M [--json]\n"
    "  set   --year Y --set REAL|PLAN|INFO --case N --month M [--json]\n"
    "        [--key SLOT=VALUE] [--line N=POS] [--amount SLOT=TEXT] [--date TEXT] [--name TEXT] ...\n";

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Prints each message to stderr as it is shown, and keeps it for the JSON output.
class CliPrompter : public RecordingPrompter {
public:
    using RecordingPrompter::RecordingPrompter;
    PromptAnswer ask(const PromptMessage& message) override {
        std::cerr << "[" << message.title << "] " << message.text() << "\n";
        return RecordingPrompter::ask(message);
    }
};

struct Edit {
    enum Kind { Key, Line, Amount, Date, Name } kind;
    int number = 0;
    std::string text;
};

struct Options {
    fs::path programDir;
    bool answerYes = false;
    std::string command;
    int year = 0;
    std::optional<DataSet> set;
    int caseNumber = 0;
    int month = 0;
    bool json = false;
    std::vector<Edit> edits;
};

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

std::pair<int, std::string> splitAssignment(const std::string& text, const std::string& what) {
    auto eq = text.find('=');
    if (eq == std::string::npos) throw UsageError(what + " expects N=VALUE, got " + text);
    return {parseInt(text.substr(0, eq), what), text.substr(eq + 1)};
}

fs::path executableDir() {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : self.parent_path();
}

Options parseOptions(int argc, char** argv) {
    Options o;
    if (const char* env = std::getenv("VAREMO_PROGRAM_DIR"); env && *env) o.programDir = env;
    std::vector<std::string> args(argv + 1, argv + argc);
    auto value = [&](size_t& i) -> const std::string& {
        if (i + 1 >= args.size()) throw UsageError(args[i] + " needs a value");
        return args[++i];
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--program-dir") o.programDir = value(i);
        else if (a == "--answer") {
            const std::string& v = value(i);
            if (v != "yes" && v != "no") throw UsageError("--answer takes yes or no");
            o.answerYes = v == "yes";
        } else if (a == "--year") o.year = parseInt(value(i), "--year");
        else if (a == "--set") {
            o.set = parseDataSet(value(i));
            if (!o.set) throw UsageError("--set takes REAL, PLAN or INFO");
        } else if (a == "--case") o.caseNumber = parseInt(value(i), "--case");
        else if (a == "--month") o.month = parseInt(value(i), "--month");
        else if (a == "--json") o.json = true;
        else if (a == "--key" || a == "--line" || a == "--amount") {
            auto [n, v] = splitAssignment(value(i), a);
            Edit::Kind kind = a == "--key" ? Edit::Key : a == "--line" ? Edit::Line : Edit::Amount;
            Edit e{kind, n, v};
            if (kind != Edit::Amount) e.number = n, e.text = v, (void)parseInt(v, a);
            o.edits.push_back(e);
        } else if (a == "--date") o.edits.push_back({Edit::Date, 0, value(i)});
        else if (a == "--name") o.edits.push_back({Edit::Name, 0, value(i)});
        else if (a == "-h" || a == "--help") o.command = "help";
        else if (o.command.empty() && a.rfind("--", 0) != 0) o.command = a;
        else throw UsageError("unknown argument: " + a);
    }
    if (o.command == "help") return o;
    if (o.command != "sheet" && o.command != "set") throw UsageError("unknown command: " + o.command);
    if (o.command == "sheet" && !o.edits.empty()) throw UsageError("sheet takes no edits; use set");
    if (o.year < kFirstYear || o.year > kLastYear)
        throw UsageError("--year must be " + std::to_string(kFirstYear) + " to " + std::to_string(kLastYear));
    if (!o.set) throw UsageError("--set is required");
    if (o.caseNumber < 1 || o.caseNumber > 9999) throw UsageError("--case must be 1 to 9999");
    if (o.month < 1 || o.month > 12) throw UsageError("--month must be 1 to 12");
    if (o.programDir.empty()) o.programDir = executableDir();
    return o;
}

bool applyEdit(Globaldaten& g, const Edit& e) {
    switch (e.kind) {
    case Edit::Key: return SetKey(g, e.number, std::stoi(e.text));
    case Edit::Line: return ChooseOption(g, e.number, std::stoi(e.text));
    case Edit::Amount: return EnterAmount(g, e.number, e.text);
    case Edit::Date: return EnterDate(g, e.text);
    case Edit::Name: return RenameCase(g, e.text);
    }
    return false;
}

std::string amountText(int32_t cents) { return Money::fromCents(cents).toDisplay(); }

void printText(const Globaldaten& g) {
    std::cout << g.workingCase.name << " — " << dataSetName(g.dataSet) << " " << std::setfill('0') << std::setw(2)
              << g.month << "/" << g.year << ", Personalfall " << g.caseNumber << "\n"
              << std::setfill(' ');
    for (const auto& line : g.sheet.lines) {
        std::string text = line.text;
        std::cout << std::setw(2) << line.number << "  " << text;
        // pad by characters, not bytes
        size_t width = 0;
        for (unsigned char c : text) width += (c & 0xC0) != 0x80;
        for (size_t k = width; k < 38; ++k) std::cout << ' ';
        if (line.amountCents) std::cout << std::setw(16) << amountText(*line.amountCents);
        std::cout << "\n";
    }
}

template <typename Array> std::string jsonArray(const Array& values) {
    std::ostringstream out;
    out << "[";
    for (size_t i = 0; i < values.size(); ++i) out << (i ? "," : "") << values[i];
    out << "]";
    return out.str();
}

void printJson(const Globaldaten& g, const std::vector<PromptMessage>& messages) {
    using cli::jsonString;
    const Case& c = g.workingCase;
    std::ostringstream out;
    out << "{\"year\":" << g.year << ",\"month\":" << g.month << ",\"case\":" << g.caseNumber
        << ",\"dataSet\":" << jsonString(dataSetName(g.dataSet)) << ",\"name\":" << jsonString(c.name)
        << ",\"lines\":[";
    for (size_t i = 0; i < g.sheet.lines.size(); ++i) {
        const SheetLine& l = g.sheet.lines[i];
        out << (i ? "," : "") << "{\"line\":" << l.number << ",\"text\":" << jsonString(l.text) << ",\"key\":"
            << (l.key ? std::to_string(*l.key) : "null")
            << ",\"amountCents\":" << (l.amountCents ? std::to_string(*l.amountCents) : "null") << "}";
    }
    out << "],\"keys\":" << jsonArray(c.keys) << ",\"amounts\":" << jsonArray(c.amounts)
        << ",\"previous\":" << jsonArray(c.previous) << ",\"messages\":[";
    for (size_t i = 0; i < messages.size(); ++i)
        out << (i ? "," : "") << "{\"title\":" << jsonString(messages[i].title)
            << ",\"text\":" << jsonString(messages[i].text()) << "}";
    out << "]}\n";
    std::cout << out.str();
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    try {
        o = parseOptions(argc, argv);
    } catch (const UsageError& e) {
        std::cerr << "varemo20-cli: " << e.what() << "\n" << kUsage;
        return 2;
    }
    if (o.command == "help") {
        std::cout << kUsage;
        return 0;
    }
    CliPrompter prompter(o.answerYes);
    Globaldaten g(prompter);
    g.programDir = o.programDir;
    g.userFolder = o.programDir / "User001";
    g.year = o.year;
    g.dataSet = *o.set;
    g.caseNumber = o.caseNumber;
    g.month = o.month;
    bool allDone = true;
    try {
        SelectCaseMonth(g);
        allDone = !g.overflow;
        for (const Edit& e : o.edits) allDone = applyEdit(g, e) && allDone;
    } catch (const std::exception& e) {
        std::cerr << "varemo20-cli: " << e.what() << "\n";
        return 3;
    }
    if (o.json) printJson(g, prompter.messages());
    else printText(g);
    return allDone ? 0 : 1;
}
