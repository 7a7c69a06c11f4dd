// ScriptedColorPicker: a colour dialog double that records its showings and answers as scripted.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "ui_shared/platform/color_picker.h"

namespace kw::testing {

class ScriptedColorPicker : public ColorPicker {
 public:
  // What one showing of the dialog was opened with.
  struct Showing {
    uint32_t initial;
    int32_t flags;
  };

  std::optional<uint32_t> Pick(uint32_t initial, int32_t flags) override {
    showings.push_back(Showing{initial, flags});
    return answer;
  }

  // What every showing answers; nothing (a cancel) until the test chooses a colour.
  std::optional<uint32_t> answer;
  std::vector<Showing> showings;
};

}  // namespace kw::testing
