#pragma once
// A text as a JSON string literal: quotes, backslashes and control characters escaped, UTF-8 kept.

#include <string>
#include <string_view>

namespace varemo {

std::string jsonString(std::string_view utf8);

} // namespace varemo
