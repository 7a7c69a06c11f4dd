// Error: the one error type of the runtime (number, source, description), the standard runtime
// error numbers, and `Guarded`, the helper that gives a member the library's error convention.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace kw {

// Runtime error numbers used across the project. Numbers are signed 32-bit, never printed unsigned.
namespace err {
inline constexpr int32_t kInvalidCall = 5;
inline constexpr int32_t kOverflow = 6;
inline constexpr int32_t kOutOfMemory = 7;
inline constexpr int32_t kSubscript = 9;
inline constexpr int32_t kDivisionByZero = 11;
inline constexpr int32_t kTypeMismatch = 13;
inline constexpr int32_t kFileNotFound = 53;
inline constexpr int32_t kObjectNotSet = 91;
inline constexpr int32_t kInvalidNull = 94;
inline constexpr int32_t kReadOnly = 383;
inline constexpr int32_t kArgumentNotOptional = 449;
inline constexpr int32_t kWriteOnly = 451;  // a read of a write-only property, a let of a method
inline constexpr int32_t kObjectRequired = 424;
inline constexpr int32_t kCannotCreate = 429;
inline constexpr int32_t kNoSuchMember = 438;
inline constexpr int32_t kDuplicateKey = 457;
inline constexpr int32_t kKeyNotUnique = 35602;
inline constexpr int32_t kColorCancel = 32755;
inline constexpr int32_t kComponentBase = static_cast<int32_t>(0x80040000u);
}  // namespace err

// The runtime's own description of a standard error number ("" for numbers it has none for).
std::string_view StandardDescription(int32_t number);

// A runtime error. Raised with `Raise`; members add their location with `Guarded`.
class [[nodiscard]] Error : public std::exception {
 public:
  Error(int32_t number, std::string source, std::string description);

  int32_t Number() const noexcept { return number_; }
  const std::string& Source() const noexcept { return source_; }
  const std::string& Description() const noexcept { return description_; }
  const char* what() const noexcept override { return description_.c_str(); }

  // The same error with `prefix` put in front of the description.
  Error WithPrefix(std::string_view prefix) const;

 private:
  int32_t number_;
  std::string source_;
  std::string description_;
};

// Raises a standard runtime error with its standard description and an empty source.
[[noreturn]] void Raise(int32_t number);
// Raises an error with the given parts.
[[noreturn]] void Raise(int32_t number, std::string source, std::string description);

// Turns whatever is in flight (our Error, a standard exception, anything else) into an Error:
// out of memory becomes 7, range errors 9, overflow 6, everything else 5. Call inside a catch.
Error CurrentError();

// The statement number a member keeps as it goes (10, 20, 30 ...), read when an error leaves it.
using Line = int;

// Runs `body(line)`; an error leaving it is raised again with the same number and source and the
// description prefixed by "<cls>.<member>:<line>" + CR LF. `member` carries the access for
// property procedures ("Get DBResource"). An empty source is filled with `project`, as the
// runtime names the project in which an error first occurred.
template <class Body>
decltype(auto) Guarded(std::string_view cls, std::string_view member, Body&& body);

namespace detail {
[[noreturn]] void RethrowWithLocation(std::string_view cls, std::string_view member, Line line);
}  // namespace detail

template <class Body>
decltype(auto) Guarded(std::string_view cls, std::string_view member, Body&& body) {
  Line line = 0;
  try {
    return body(line);
  } catch (...) {
    detail::RethrowWithLocation(cls, member, line);
  }
}

}  // namespace kw
