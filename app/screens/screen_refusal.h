// ScreenRefusal: the one way a screen or its host says that the person asked for something it cannot
// do now ("there is no record to remove"). Every front end shows the message and goes on; the
// messages are sentences and never name a command of one front end.
#pragma once

#include <stdexcept>

namespace trf {

class ScreenRefusal : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace trf
