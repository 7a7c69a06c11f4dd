// BusyScreen: the application's screen object for the terminal. It reports when the mouse pointer
// turns to the hourglass, so that the front end can show that work is running.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include "ui_shared/platform/screen.h"

namespace trf {

class BusyScreen : public kw::Screen {
 public:
  // `on_busy` runs each time the pointer becomes the hourglass (not while it stays one).
  explicit BusyScreen(std::function<void()> on_busy) : on_busy_(std::move(on_busy)) {}
  void MousePointer(int16_t pointer) override {
    const bool became_busy = pointer == kw::kPointerHourglass && Screen::MousePointer() != kw::kPointerHourglass;
    Screen::MousePointer(pointer);
    if (became_busy && on_busy_) on_busy_();
  }
  using kw::Screen::MousePointer;

 private:
  std::function<void()> on_busy_;
};

}  // namespace trf
