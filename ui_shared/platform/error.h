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
// Invalid procedure call or argument.
inline constexpr int32_t kInvalidCall = 5;
// Overflow: a value does not fit its type.
inline constexpr int32_t kOverflow = 6;
// Out of memory.
inline constexpr int32_t kOutOfMemory = 7;
// Subscript out of range.
inline constexpr int32_t kSubscript = 9;
// Division by zero.
inline constexpr int32_t kDivisionByZero = 11;
// Type mismatch: a value that cannot be converted to the type asked for.
inline constexpr int32_t kTypeMismatch = 13;
// File not found.
inline constexpr int32_t kFileNotFound = 53;
// Object variable not set: a member reached through nothing.
inline constexpr int32_t kObjectNotSet = 91;
// Invalid use of Null.
inline constexpr int32_t kInvalidNull = 94;
// Assignment to a read-only property.
inline constexpr int32_t kReadOnly = 383;
// Argument not optional.
inline constexpr int32_t kArgumentNotOptional = 449;
inline constexpr int32_t kWriteOnly = 451;  // a read of a write-only property, a let of a method
// Object required.
inline constexpr int32_t kObjectRequired = 424;
// The class registry cannot create an object under an identifier.
inline constexpr int32_t kCannotCreate = 429;
// The object does not support the property or method.
inline constexpr int32_t kNoSuchMember = 438;
// A key already in a collection.
inline constexpr int32_t kDuplicateKey = 457;
// A key already used by another entry of a list or tree control.
inline constexpr int32_t kKeyNotUnique = 35602;
// The user cancelled the colour dialog.
inline constexpr int32_t kColorCancel = 32755;
// The base of the error numbers that components define for themselves.
inline constexpr int32_t kComponentBase = static_cast<int32_t>(0x80040000u);
}  // namespace err

// The runtime's own description of a standard error number ("" for numbers it has none for).
std::string_view StandardDescription(int32_t number);

// A runtime error. Raised with `Raise`; members add their location with `Guarded`.
class [[nodiscard]] Error : public std::exception {
 public:
  // An error with its number, the source (the project or class where it occurred) and its
  // description.
  Error(int32_t number, std::string source, std::string description);

  // The error number.
  int32_t Number() const noexcept { return number_; }
  // Where the error occurred first: a project or class name.
  const std::string& Source() const noexcept { return source_; }
  // The description, with the location trail the error gathered as it rose in front.
  const std::string& Description() const noexcept { return description_; }
  // The description, for standard handlers of exceptions.
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

// The error as a person reads it, for a program's last words: "error <number> from <source>:
// <sentence>", the sentence being the last line of the description, and below it the members the
// error rose through, one a line, the one it was raised in first ("  in
// KW_UIShared.SharedProcedures.RemoveItem:40").
std::string ErrorReport(const Error& error);

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
// Raises the error in flight again with the location of the member it leaves.
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
