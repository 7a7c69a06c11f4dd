// Raised and RaisedAt: what an action raised, checked without a try block in every test.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ui_shared/platform/error.h"

namespace kw::testing {

// What `action` raised; a test failure (and error 0) when it raised nothing.
inline Error Raised(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return e;
  }
  ADD_FAILURE() << "no error raised";
  return Error(0, "", "");
}

// An error as "<number> <source>: <description>", so that one comparison checks all three.
inline std::string Described(const Error& e) {
  return std::to_string(e.Number()) + " " + e.Source() + ": " + e.Description();
}

// The number of the error `action` raised (a test failure, and 0, when it raised none).
inline int32_t RaisedNumber(const std::function<void()>& action) { return Raised(action).Number(); }

// Whether `e` is error `number` with the trail of the shared library's `member` at statement `line`.
inline ::testing::AssertionResult RaisedAt(const Error& e, int32_t number, const std::string& member, int line) {
  const std::string trail = "KW_UIShared.SharedProcedures." + member + ":" + std::to_string(line) + "\r\n";
  if (e.Number() == number && e.Description().starts_with(trail)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "raised " << e.Number() << " \"" << e.Description() << "\", expected "
                                       << number << " from " << member << ":" << line;
}

}  // namespace kw::testing
