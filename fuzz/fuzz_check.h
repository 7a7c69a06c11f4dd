// What every fuzz target shares: a broken property stops the run with a message, and an error the
// runtime may raise for the input is told apart from one it must never raise.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>

#include "ui_shared/platform/error.h"

namespace kw::fuzz {

// Stops the run (the fuzzer records the input) when `holds` is false.
inline void Require(bool holds, const std::string& what) {
  if (holds) return;
  std::fprintf(stderr, "broken property: %s\n", what.c_str());
  std::abort();
}

// The result of `action`, or nullopt when it raised one of the `allowed` error numbers; any other
// error breaks the run.
template <class F>
auto Allowing(std::initializer_list<int32_t> allowed, F action) -> std::optional<decltype(action())> {
  try {
    return action();
  } catch (const Error& e) {
    for (const int32_t number : allowed)
      if (e.Number() == number) return std::nullopt;
    Require(false, "unexpected error " + std::to_string(e.Number()) + ": " + e.Description());
  }
  return std::nullopt;
}

}  // namespace kw::fuzz
