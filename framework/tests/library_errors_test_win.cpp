// The standard library's errors in the Windows programs: std::exceptions that carry the
// library's text, thrown by our hooks rather than libstdc++'s string-carrying types.
#include <gtest/gtest.h>

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace card {
namespace {

std::string WhatIsThrown(void (*failing)()) {
  try {
    failing();
  } catch (const std::logic_error&) {
    return "libstdc++'s own logic_error";
  } catch (const std::exception& error) {
    return error.what();
  }
  return "nothing";
}

TEST(LibraryErrors, AreStandardExceptionsWithTheLibrarysText) {
  EXPECT_NE(WhatIsThrown([] { static_cast<void>(std::string("abc").substr(5)); })
                .find("__pos (which is %zu) > this->size()"),
            std::string::npos);
  EXPECT_NE(WhatIsThrown([] { static_cast<void>(std::vector<int>(2).at(3)); }).find("%zu"),
            std::string::npos);
  EXPECT_NE(WhatIsThrown([] { std::string().reserve(std::string().max_size() + 1); })
                .find("basic_string"),
            std::string::npos);
  EXPECT_THROW(std::vector<char>(static_cast<std::size_t>(-1)), std::exception);
}

}  // namespace
}  // namespace card
