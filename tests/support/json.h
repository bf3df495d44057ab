#pragma once
// A minimal JSON reader for checking the command line's output in tests.

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace varemo::test {

struct Json {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    bool boolean = false;
    double number = 0;
    std::string string;
    std::vector<Json> array;
    std::map<std::string, Json> object;

    const Json& operator[](const std::string& key) const;
    const Json& operator[](size_t index) const;
    long long integer() const { return static_cast<long long>(number); }
    bool isNull() const { return kind == Null; }
};

// Throws std::runtime_error on malformed input.
Json parseJson(const std::string& text);

// What `sheet --json` shows: a line's amount in cents, and an employer's cost item by its label (a
// missing item fails the test).
long long lineCents(const Json& sheet, int line);
long long employerItem(const Json& sheet, const std::string& label);

} // namespace varemo::test
