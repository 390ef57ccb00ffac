#include "season/number_scan.h"

namespace shootout {

namespace {
bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}
}  // namespace

bool scan_int(std::string_view text, std::size_t& pos, std::int32_t& out) {
  std::size_t i = pos;
  while (i < text.size() && is_space(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i >= text.size() || !is_digit(text[i])) return false;
  std::int64_t value = 0;
  const std::int64_t limit = negative ? std::int64_t{INT32_MAX} + 1 : INT32_MAX;
  for (; i < text.size() && is_digit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > limit) return false;
  }
  out = static_cast<std::int32_t>(negative ? -value : value);
  pos = i;
  return true;
}

std::size_t scan_ints(std::string_view text, std::int32_t* out,
                      std::size_t count) {
  std::size_t pos = 0;
  for (std::size_t n = 0; n < count; ++n) {
    if (!scan_int(text, pos, out[n])) return n;
  }
  return count;
}

std::string_view line_end_of(std::string_view line) {
  if (line.ends_with("\r\n")) return "\r\n";
  if (line.ends_with('\n')) return "\n";
  return "";
}

}  // namespace shootout
