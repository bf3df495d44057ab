#include "support/json.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace varemo::test {
namespace {

struct Parser {
    const std::string& s;
    size_t i = 0;

    void ws() {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\n' || s[i] == '\r' || s[i] == '\t'))
            ++i;
    }
    [[noreturn]] void fail(const char* what) { throw std::runtime_error(std::string("json: ") + what); }
    void expect(char c) {
        ws();
        if (i >= s.size() || s[i] != c) fail("unexpected character");
        ++i;
    }
    std::string str() {
        expect('"');
        std::string out;
        while (i < s.size() && s[i] != '"') {
            if (s[i] == '\\') {
                if (++i >= s.size()) fail("bad escape");
                char e = s[i++];
                switch (e) {
                case 'n':
                    out += '\n';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 'u':
                    out += static_cast<char>(std::stoi(s.substr(i, 4), nullptr, 16));
                    i += 4;
                    break;
                default:
                    out += e;
                }
            } else {
                out += s[i++];
            }
        }
        expect('"');
        return out;
    }
    Json value() {
        ws();
        if (i >= s.size()) fail("end of input");
        Json v;
        char c = s[i];
        if (c == '{') {
            v.kind = Json::Object;
            ++i;
            ws();
            if (s[i] == '}') return ++i, v;
            for (;;) {
                std::string key = str();
                expect(':');
                v.object[key] = value();
                ws();
                if (s[i] == ',') {
                    ++i;
                    continue;
                }
                expect('}');
                return v;
            }
        }
        if (c == '[') {
            v.kind = Json::Array;
            ++i;
            ws();
            if (s[i] == ']') return ++i, v;
            for (;;) {
                v.array.push_back(value());
                ws();
                if (s[i] == ',') {
                    ++i;
                    continue;
                }
                expect(']');
                return v;
            }
        }
        if (c == '"') {
            v.kind = Json::String;
            v.string = str();
            return v;
        }
        if (s.compare(i, 4, "null") == 0) return i += 4, v;
        if (s.compare(i, 4, "true") == 0) return i += 4, v.kind = Json::Bool, v.boolean = true, v;
        if (s.compare(i, 5, "false") == 0) return i += 5, v.kind = Json::Bool, v;
        size_t used = 0;
        v.number = std::stod(s.substr(i), &used);
        v.kind = Json::Number;
        i += used;
        return v;
    }
};

} // namespace

const Json& Json::operator[](const std::string& key) const {
    auto it = object.find(key);
    if (it == object.end()) throw std::runtime_error("json: no key " + key);
    return it->second;
}

const Json& Json::operator[](size_t index) const {
    return array.at(index);
}

Json parseJson(const std::string& text) {
    Parser p{text};
    Json v = p.value();
    p.ws();
    if (p.i != text.size()) p.fail("trailing characters");
    return v;
}

long long lineCents(const Json& sheet, int line) {
    return sheet["lines"][static_cast<size_t>(line - 1)]["amountCents"].integer();
}

long long employerItem(const Json& sheet, const std::string& label) {
    for (const Json& item : sheet["employerCost"].array)
        if (item["label"].string == label) return item["cents"].integer();
    ADD_FAILURE() << "no employer item " << label;
    return 0;
}

} // namespace varemo::test
