#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace shootout {

// The pieces joined into one string, with one allocation.
inline std::string concat(std::initializer_list<std::string_view> pieces) {
  std::size_t size = 0;
  for (std::string_view piece : pieces) size += piece.size();
  std::string out;
  out.reserve(size);
  for (std::string_view piece : pieces) out.append(piece);
  return out;
}

}  // namespace shootout
