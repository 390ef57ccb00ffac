#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace shootout {

// Reads one decimal integer the way "%d" does: leading white space is
// skipped, then an optional sign and at least one digit. On success `pos`
// moves past the number. A number that does not fit a signed 32-bit integer
// is no number, so a corrupt value is never taken for another one.
bool scan_int(std::string_view text, std::size_t& pos, std::int32_t& out);

// Reads up to `count` integers one after another, as "%d %d ..." does, and
// returns how many were read.
std::size_t scan_ints(std::string_view text, std::int32_t* out,
                      std::size_t count);

// C-locale classification, each byte taken as unsigned.
inline bool is_digit(char c) { return c >= '0' && c <= '9'; }
inline bool is_alnum(char c) {
  // Setting bit 5 maps 'A'..'Z' onto 'a'..'z' and no other byte onto them.
  const unsigned char lower = static_cast<unsigned char>(c) | 0x20;
  return is_digit(c) || (lower >= 'a' && lower <= 'z');
}

// The line end a line carries: "\r\n", "\n" or none.
std::string_view line_end_of(std::string_view line);

}  // namespace shootout
