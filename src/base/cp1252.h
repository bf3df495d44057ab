#pragma once
// Texts in files are Windows-1252; inside the program they are UTF-8. Conversion happens only at the
// file boundary. Characters without a Windows-1252 code are written as '?', and bytes that are not
// valid UTF-8 are taken as '?' as well: writing never fails.

#include <string>
#include <string_view>

namespace varemo {

std::string utf8ToCp1252(std::string_view utf8);
// Writes the Windows-1252 bytes of the first characters of utf8 to out, at most capacity of them (one byte
// a character), and returns how many it wrote: utf8ToCp1252 cut to capacity, without a string of its own.
size_t utf8ToCp1252(std::string_view utf8, char* out, size_t capacity);
std::string cp1252ToUtf8(std::string_view bytes);

// Number of characters (code points) in a UTF-8 text.
size_t utf8Length(std::string_view utf8);

} // namespace varemo
