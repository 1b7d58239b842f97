// A value or the reason there is none. Content files and user input fail softly: the caller
// gets a sentence it can show a person, never an exception or a crash.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace card {

struct Failure {
  std::string message;
};

inline Failure Fail(std::string message) { return Failure{std::move(message)}; }

template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::move(value)) {}   // NOLINT: implicit by design
  Result(Failure failure) : state_(std::move(failure)) {}  // NOLINT

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  // The message of a failed result; empty for a successful one.
  const std::string& error() const {
    static const std::string none;
    return ok() ? none : std::get<1>(state_).message;
  }

 private:
  std::variant<T, Failure> state_;
};

// Success or failure with nothing to return.
class [[nodiscard]] Status {
 public:
  Status() = default;
  Status(Failure failure) : error_(std::move(failure.message)), failed_(true) {}  // NOLINT
  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  const std::string& error() const { return error_; }

 private:
  std::string error_;
  bool failed_ = false;
};

}  // namespace card
