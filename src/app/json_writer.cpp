#include "app/json_writer.h"

#include "base/json_text.h"

namespace varemo::cli {

std::string jsonString(const std::string& utf8) {
    return varemo::jsonString(utf8);
}

int64_t jsonCents(Money m) {
    return m.rounded(Money::kUnitsPerCent, Rounding::HalfEven).units() / Money::kUnitsPerCent;
}

} // namespace varemo::cli
