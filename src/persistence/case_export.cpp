#include "persistence/case_export.h"

#include "base/error.h"
#include "persistence/month_record.h"
#include "persistence/year_record.h"

#include <map>
#include <memory>
#include <set>

namespace varemo {
namespace {

constexpr const char* kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

[[noreturn]] void refuse(const std::string& why) {
    throw Error("Die Datei ist keine vollständige Export-Datei von Personalfällen: " + why +
                ". Es wurde nichts importiert.");
}

// ---- A small JSON reader: what the export file uses (objects, arrays, strings, whole numbers). ----

struct Value {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    long long number = 0;
    std::string text;
    std::vector<Value> items;
    std::map<std::string, Value> members;
};

class JsonReader {
  public:
    explicit JsonReader(const std::string& text) : s_(text) {}

    Value document() {
        Value v = value(0);
        blanks();
        if (i_ != s_.size()) fail("Zeichen nach dem Ende der Daten");
        return v;
    }

  private:
    [[noreturn]] void fail(const std::string& what) const {
        refuse(what + " (Zeichen " + std::to_string(i_ + 1) + ")");
    }
    void blanks() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\n' || s_[i_] == '\r' || s_[i_] == '\t'))
            ++i_;
    }
    char peek() {
        blanks();
        if (i_ >= s_.size()) fail("die Daten enden vorzeitig");
        return s_[i_];
    }
    void expect(char c) {
        if (peek() != c) fail(std::string("\"") + c + "\" erwartet");
        ++i_;
    }
    bool word(const char* w) {
        const std::string t(w);
        if (s_.compare(i_, t.size(), t) != 0) return false;
        i_ += t.size();
        return true;
    }

    Value value(int depth) {
        if (depth > 16) fail("zu tief verschachtelt");
        Value v;
        const char c = peek();
        if (c == '{') {
            v.kind = Value::Kind::Object;
            ++i_;
            if (peek() == '}') {
                ++i_;
                return v;
            }
            for (;;) {
                std::string key = string();
                expect(':');
                if (v.members.count(key)) fail("der Eintrag \"" + key + "\" steht doppelt");
                v.members[key] = value(depth + 1);
                if (peek() == ',') {
                    ++i_;
                    continue;
                }
                expect('}');
                return v;
            }
        }
        if (c == '[') {
            v.kind = Value::Kind::Array;
            ++i_;
            if (peek() == ']') {
                ++i_;
                return v;
            }
            for (;;) {
                v.items.push_back(value(depth + 1));
                if (peek() == ',') {
                    ++i_;
                    continue;
                }
                expect(']');
                return v;
            }
        }
        if (c == '"') {
            v.kind = Value::Kind::String;
            v.text = string();
            return v;
        }
        if (word("true") || word("false")) {
            v.kind = Value::Kind::Bool;
            v.boolean = s_[i_ - 1] == 'e' && s_[i_ - 2] == 'u';
            return v;
        }
        if (word("null")) return v;
        if (c == '-' || (c >= '0' && c <= '9')) {
            v.kind = Value::Kind::Number;
            const bool negative = c == '-';
            if (negative) ++i_;
            size_t digits = 0;
            while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') {
                if (++digits > 12) fail("eine zu große Zahl");
                v.number = v.number * 10 + (s_[i_++] - '0');
            }
            if (digits == 0) fail("eine Zahl erwartet");
            if (negative) v.number = -v.number;
            return v;
        }
        fail("unerwartetes Zeichen");
    }

    std::string string() {
        expect('"');
        std::string out;
        for (;;) {
            if (i_ >= s_.size()) fail("die Daten enden vorzeitig");
            const char c = s_[i_++];
            if (c == '"') return out;
            if (static_cast<unsigned char>(c) < 0x20) fail("ein Steuerzeichen in einem Text");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (i_ >= s_.size()) fail("die Daten enden vorzeitig");
            const char e = s_[i_++];
            switch (e) {
            case '"':
            case '\\':
            case '/':
                out += e;
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'u': {
                if (i_ + 4 > s_.size()) fail("die Daten enden vorzeitig");
                unsigned code = 0;
                for (int k = 0; k < 4; ++k) {
                    const char h = s_[i_++];
                    code <<= 4;
                    if (h >= '0' && h <= '9')
                        code |= static_cast<unsigned>(h - '0');
                    else if (h >= 'a' && h <= 'f')
                        code |= static_cast<unsigned>(h - 'a' + 10);
                    else if (h >= 'A' && h <= 'F')
                        code |= static_cast<unsigned>(h - 'A' + 10);
                    else
                        fail("eine ungültige Zeichenangabe");
                }
                if (code >= 0xD800 && code <= 0xDFFF) fail("eine ungültige Zeichenangabe");
                if (code < 0x80) {
                    out += static_cast<char>(code);
                } else if (code < 0x800) {
                    out += static_cast<char>(0xC0 | (code >> 6));
                    out += static_cast<char>(0x80 | (code & 0x3F));
                } else {
                    out += static_cast<char>(0xE0 | (code >> 12));
                    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                    out += static_cast<char>(0x80 | (code & 0x3F));
                }
                break;
            }
            default:
                fail("eine ungültige Zeichenangabe");
            }
        }
    }

    const std::string& s_;
    size_t i_ = 0;
};

const Value& member(const Value& object, const std::string& key, Value::Kind kind, const std::string& where) {
    auto it = object.members.find(key);
    if (object.kind != Value::Kind::Object || it == object.members.end() || it->second.kind != kind)
        refuse("der Eintrag \"" + key + "\" fehlt oder ist falsch" + where);
    return it->second;
}

RecordBuffer record(const Value& v, size_t length, const std::string& what) {
    std::vector<uint8_t> bytes;
    if (v.kind != Value::Kind::String || !base64Decode(v.text, bytes) || bytes.size() != length)
        refuse(what + " hat nicht die Länge von " + std::to_string(length) + " Bytes");
    RecordBuffer r(length);
    r.bytes() = std::move(bytes);
    return r;
}

std::string json(const std::string& utf8) {
    std::string out = "\"";
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            static const char* hex = "0123456789abcdef";
            out += "\\u00";
            out += hex[u >> 4];
            out += hex[u & 0xF];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

} // namespace

std::string base64Encode(const std::vector<uint8_t>& bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const uint32_t b = (uint32_t{bytes[i]} << 16) |
                           (i + 1 < bytes.size() ? uint32_t{bytes[i + 1]} << 8 : 0) |
                           (i + 2 < bytes.size() ? uint32_t{bytes[i + 2]} : 0);
        out += kAlphabet[(b >> 18) & 63];
        out += kAlphabet[(b >> 12) & 63];
        out += i + 1 < bytes.size() ? kAlphabet[(b >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? kAlphabet[b & 63] : '=';
    }
    return out;
}

bool base64Decode(const std::string& text, std::vector<uint8_t>& out) {
    out.clear();
    if (text.size() % 4 != 0) return false;
    const std::string alphabet = kAlphabet;
    for (size_t i = 0; i < text.size(); i += 4) {
        uint32_t b = 0;
        int pad = 0;
        for (size_t k = 0; k < 4; ++k) {
            const char c = text[i + k];
            uint32_t v = 0;
            if (c == '=' && i + 4 == text.size() && k >= 2) {
                ++pad;
            } else {
                if (pad) return false; // data after padding
                const size_t at = alphabet.find(c);
                if (at == std::string::npos) return false;
                v = static_cast<uint32_t>(at);
            }
            b = (b << 6) | v;
        }
        out.push_back(static_cast<uint8_t>(b >> 16));
        if (pad < 2) out.push_back(static_cast<uint8_t>(b >> 8));
        if (pad < 1) out.push_back(static_cast<uint8_t>(b));
    }
    return true;
}

std::string caseExportText(const CaseExport& e) {
    std::string out = "{\n  \"format\": " + json(kCaseExportFormat) +
                      ",\n  \"version\": " + std::to_string(kCaseExportVersion) +
                      ",\n  \"year\": " + std::to_string(e.year) +
                      ",\n  \"monthRecordLength\": " + std::to_string(kMonthRecordLength) +
                      ",\n  \"yearRecordLength\": " + std::to_string(kYearRecordLength) + ",\n  \"sets\": [";
    for (size_t s = 0; s < e.sets.size(); ++s) {
        const ExportedSet& set = e.sets[s];
        out += std::string(s ? "," : "") + "\n    {\n      \"set\": " + json(dataSetName(set.set)) +
               ",\n      \"cases\": [";
        for (size_t c = 0; c < set.cases.size(); ++c) {
            const ExportedCase& x = set.cases[c];
            out += std::string(c ? "," : "") +
                   "\n        {\n          \"case\": " + std::to_string(x.number) +
                   ",\n          \"name\": " + json(x.name) +
                   ",\n          \"yearRecord\": " + json(base64Encode(x.year.bytes())) +
                   ",\n          \"months\": [";
            for (size_t m = 0; m < x.months.size(); ++m)
                out += std::string(m ? "," : "") + "\n            " + json(base64Encode(x.months[m].bytes()));
            out += "\n          ]\n        }";
        }
        out += "\n      ]\n    }";
    }
    return out + "\n  ]\n}\n";
}

CaseExport parseCaseExport(const std::string& text) {
    const Value doc = JsonReader(text).document();
    if (doc.kind != Value::Kind::Object) refuse("sie enthält kein Objekt");
    auto format = doc.members.find("format");
    if (format == doc.members.end() || format->second.text != kCaseExportFormat)
        refuse("sie ist keine Export-Datei dieses Programms");
    const long long version = member(doc, "version", Value::Kind::Number, "").number;
    if (version != kCaseExportVersion)
        refuse("ihre Fassung " + std::to_string(version) +
               " kann dieses Programm nicht lesen (es liest die Fassung " +
               std::to_string(kCaseExportVersion) + ")");
    CaseExport e;
    const long long year = member(doc, "year", Value::Kind::Number, "").number;
    if (year < kFirstYear || year > kLastYear) refuse("das Jahr " + std::to_string(year) + " gibt es nicht");
    e.year = static_cast<int>(year);
    if (member(doc, "monthRecordLength", Value::Kind::Number, "").number !=
            static_cast<long long>(kMonthRecordLength) ||
        member(doc, "yearRecordLength", Value::Kind::Number, "").number !=
            static_cast<long long>(kYearRecordLength))
        refuse("ihre Satzlängen passen nicht zu diesem Programm");
    std::set<DataSet> seenSets;
    for (const Value& s : member(doc, "sets", Value::Kind::Array, "").items) {
        ExportedSet set;
        const auto parsed = parseDataSet(member(s, "set", Value::Kind::String, " (Arbeitsebene)").text);
        if (!parsed) refuse("eine Arbeitsebene ist weder INFO noch PLAN noch REAL");
        if (!seenSets.insert(*parsed).second)
            refuse("die Arbeitsebene " + dataSetName(*parsed) + " steht doppelt");
        set.set = *parsed;
        std::set<long long> seenCases;
        for (const Value& c :
             member(s, "cases", Value::Kind::Array, " (" + dataSetName(set.set) + ")").items) {
            const long long number = member(c, "case", Value::Kind::Number, " (Personalfall)").number;
            const std::string where =
                "Personalfall " + std::to_string(number) + " (" + dataSetName(set.set) + ")";
            if (number < 1 || number > 9999) refuse("die Nummer von " + where + " ist ungültig");
            if (!seenCases.insert(number).second) refuse(where + " steht doppelt");
            ExportedCase x;
            x.number = static_cast<int>(number);
            x.name = member(c, "name", Value::Kind::String, " (" + where + ")").text;
            x.year = record(member(c, "yearRecord", Value::Kind::String, " (" + where + ")"),
                            kYearRecordLength, "der Jahressatz von " + where);
            if (YearRecord(x.year).name() != x.name)
                refuse("der Name von " + where + " passt nicht zu seinem Jahressatz");
            const Value& months = member(c, "months", Value::Kind::Array, " (" + where + ")");
            if (months.items.size() != 12) refuse(where + " hat nicht zwölf Monatssätze");
            for (size_t m = 0; m < 12; ++m)
                x.months.push_back(record(months.items[m], kMonthRecordLength,
                                          "der Satz des Monats " + std::to_string(m + 1) + " von " + where));
            set.cases.push_back(std::move(x));
        }
        e.sets.push_back(std::move(set));
    }
    return e;
}

} // namespace varemo
