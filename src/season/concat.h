#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace shootout {

// The pieces joined into `out`, which keeps its buffer when that is large
// enough: a string written over and over allocates only to grow. No piece
// may view `out` itself, which is cleared first.
inline void assign_concat(std::string& out, std::initializer_list<std::string_view> pieces) {
  std::size_t size = 0;
  for (std::string_view piece : pieces) size += piece.size();
  out.clear();
  out.reserve(size);
  for (std::string_view piece : pieces) out.append(piece);
}

}  // namespace shootout
