// Whether a NUL-terminated string that starts at a given offset ends inside a byte view. It does
// exactly when some NUL lies at or after its start, so one scan for the last NUL answers every
// name and script of a file in constant time; scanning each string instead would let a file
// with many long unterminated entries take quadratic time to open.
#pragma once

#include "common/byte_reader.h"

#include <cstdint>

namespace card {

class NulBound {
 public:
  explicit NulBound(ByteView bytes) {
    for (std::size_t i = bytes.size(); i > 0; --i) {
      if (bytes[i - 1] == 0) {
        end_ = i;  // one past the last NUL
        break;
      }
    }
  }

  bool EndsInside(std::uint64_t start) const { return start < end_; }

 private:
  std::uint64_t end_ = 0;
};

}  // namespace card
