// ScreenRefusal: the one way a screen or its host says that the person asked for something it cannot
// do now ("there is no record to remove", "the record was changed elsewhere"). Every front end shows
// the sentence and goes on; sentences never name a command of one front end, and never carry an
// error's trail or number, which go to the error journal.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "ui_shared/platform/error.h"

namespace trf {

class ScreenRefusal : public std::runtime_error {
 public:
  // `number`: the rule or error number behind the refusal, 0 for a screen's own.
  explicit ScreenRefusal(const std::string& sentence, int32_t number = 0)
      : std::runtime_error(sentence), number_(number) {}
  int32_t Number() const { return number_; }

 private:
  int32_t number_;
};

// Records `error` (its whole trail) in the application's error journal.
void Journal(const kw::Error& error);
// The refusal a person reads for the exception in flight: a ScreenRefusal as it is; any other
// error is recorded in the error journal and read as its sentence, its number kept for whoever
// asks. Call inside a catch.
ScreenRefusal CurrentRefusal();

}  // namespace trf
