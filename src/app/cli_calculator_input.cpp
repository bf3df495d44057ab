#include "app/cli_calculator_input.h"

#include "app/json_writer.h"

#include <fstream>
#include <sstream>

namespace varemo::cli {
namespace {

// A reader of the small JSON objects the calculators take: objects of strings, numbers, booleans and
// arrays of those.
class JsonInput {
  public:
    explicit JsonInput(std::string text) : s_(std::move(text)) {}

    std::vector<std::string> options() {
        std::vector<std::string> out;
        expect('{');
        if (peek() == '}') {
            ++i_;
            return out;
        }
        for (;;) {
            const std::string key = string();
            expect(':');
            value(out, "--" + key);
            if (peek() == ',') {
                ++i_;
                continue;
            }
            expect('}');
            break;
        }
        if (peek() != '\0') fail("text after the object");
        return out;
    }

  private:
    void value(std::vector<std::string>& out, const std::string& option) {
        if (peek() == '[') {
            ++i_;
            if (peek() == ']') {
                ++i_;
                return;
            }
            for (;;) {
                if (peek() == '[') {
                    ++i_;
                    std::string joined;
                    for (bool first = true; peek() != ']'; first = false) {
                        if (!first) expect(',');
                        joined += (first ? "" : ",") + scalar();
                    }
                    ++i_;
                    out.push_back(option);
                    out.push_back(joined);
                } else {
                    out.push_back(option);
                    out.push_back(scalar());
                }
                if (peek() == ',') {
                    ++i_;
                    continue;
                }
                expect(']');
                return;
            }
        }
        if (s_.compare(i_, 4, "true") == 0) {
            i_ += 4;
            out.push_back(option);
            return;
        }
        if (s_.compare(i_, 5, "false") == 0) {
            i_ += 5;
            return;
        }
        out.push_back(option);
        out.push_back(scalar());
    }

    std::string scalar() {
        if (peek() == '"') return string();
        std::string number;
        while (i_ < s_.size() &&
               (std::isdigit(static_cast<unsigned char>(s_[i_])) || s_[i_] == '-' || s_[i_] == '.'))
            number += s_[i_++];
        if (number.empty()) fail("a value");
        return number;
    }

    std::string string() {
        expect('"');
        std::string out;
        while (i_ < s_.size() && s_[i_] != '"') {
            if (s_[i_] == '\\') {
                if (++i_ >= s_.size()) break;
                const char e = s_[i_];
                out += e == 'n' ? '\n' : e == 't' ? '\t' : e;
            } else {
                out += s_[i_];
            }
            ++i_;
        }
        if (i_ >= s_.size()) fail("the end of a string");
        ++i_;
        return out;
    }

    char peek() {
        while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_])))
            ++i_;
        return i_ < s_.size() ? s_[i_] : '\0';
    }
    void expect(char c) {
        if (peek() != c) fail(std::string("'") + c + "'");
        ++i_;
    }
    [[noreturn]] void fail(const std::string& what) {
        throw UsageError("--input: " + what + " expected at character " + std::to_string(i_ + 1));
    }

    std::string s_;
    size_t i_ = 0;
};

} // namespace

std::vector<std::string> expandInputFiles(const std::vector<std::string>& args) {
    std::vector<std::string> out;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--input") {
            out.push_back(args[i]);
            continue;
        }
        if (i + 1 >= args.size()) throw UsageError("--input needs a value");
        std::ifstream in(args[++i], std::ios::binary);
        if (!in) throw UsageError("--input: the file " + args[i] + " cannot be read");
        std::ostringstream text;
        text << in.rdbuf();
        for (std::string& o : JsonInput(text.str()).options())
            out.push_back(std::move(o));
    }
    return out;
}

CalendarDate dateOption(const std::string& text, const std::string& option) {
    auto d = parseCalendarDate(text);
    if (!d) throw UsageError(option + " takes a date TT.MM.JJJJ, not \"" + text + "\"");
    return *d;
}

std::pair<CalendarDate, CalendarDate> periodOption(const std::string& text, const std::string& option) {
    const size_t comma = text.find(',');
    if (comma == std::string::npos) throw UsageError(option + " takes FROM,TO");
    return {dateOption(text.substr(0, comma), option), dateOption(text.substr(comma + 1), option)};
}

std::string spanJson(const DateSpan& s) {
    return "{\"years\":" + std::to_string(s.years) + ",\"months\":" + std::to_string(s.months) +
           ",\"days\":" + std::to_string(s.days) + "}";
}

std::string dateJson(const CalendarDate& d) {
    return jsonString(formatCalendarDate(d));
}

std::string spanText(const DateSpan& s) {
    return std::to_string(s.years) + " J " + std::to_string(s.months) + " M " + std::to_string(s.days) + " T";
}

void CalculatorCase::validate() const {
    if (given()) sel.validate();
}

int openCalculatorCase(Session& g, const CliContext& ctx, const CalculatorCase& c) {
    const int opened = openCaseMonth(g, ctx, c.sel, false);
    if (opened == kCaseMissing) return 1;
    return opened;
}

std::string messagesJson(const std::vector<PromptMessage>& messages) {
    std::string out = "\"messages\":[";
    for (size_t i = 0; i < messages.size(); ++i)
        out += std::string(i ? "," : "") + "{\"title\":" + jsonString(messages[i].title) +
               ",\"text\":" + jsonString(messages[i].text()) + "}";
    return out + "]";
}

} // namespace varemo::cli
