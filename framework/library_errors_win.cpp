// The standard library's error hooks (std::__throw_length_error and the rest, which its
// containers and strings call), defined for the Windows programs. libstdc++'s own throw
// std::logic_error and its kin, whose copy-on-write strings bring about 80 KB of library code
// into card.exe; here an error that carries a text throws LibraryError, a std::exception whose
// what() is that text, and the others throw the standard types as before. The window
// procedures catch std::exception, so a failure is reported just as it was.
#include <bits/functexcept.h>

#include <exception>
#include <new>
#include <typeinfo>

namespace card {
namespace {

class LibraryError final : public std::exception {
 public:
  explicit LibraryError(const char* what) : what_(what) {}
  const char* what() const noexcept override { return what_; }

 private:
  const char* what_;  // the library passes string literals
};

}  // namespace
}  // namespace card

namespace std {

void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_logic_error(const char* what) { throw card::LibraryError(what); }
void __throw_domain_error(const char* what) { throw card::LibraryError(what); }
void __throw_invalid_argument(const char* what) { throw card::LibraryError(what); }
void __throw_length_error(const char* what) { throw card::LibraryError(what); }
void __throw_out_of_range(const char* what) { throw card::LibraryError(what); }
// The format's arguments (positions and sizes) are left out of the text.
void __throw_out_of_range_fmt(const char* format, ...) { throw card::LibraryError(format); }
void __throw_runtime_error(const char* what) { throw card::LibraryError(what); }
void __throw_range_error(const char* what) { throw card::LibraryError(what); }
void __throw_overflow_error(const char* what) { throw card::LibraryError(what); }
void __throw_underflow_error(const char* what) { throw card::LibraryError(what); }

}  // namespace std
