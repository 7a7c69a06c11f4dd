// The application-wide screen object: its mouse pointer (0 default, 11 hourglass).
#pragma once

#include <cstdint>
#include <memory>

namespace kw {

// The ordinary mouse pointer.
inline constexpr int16_t kPointerDefault = 0;
// The hourglass: the program is busy.
inline constexpr int16_t kPointerHourglass = 11;

// The application-wide screen object, which keeps the mouse pointer's shape; Service<Screen> is the
// screen in force, which a front end replaces to show the pointer.
class Screen {
 public:
  virtual ~Screen() = default;
  // The mouse pointer shown now.
  virtual int16_t MousePointer() const { return pointer_; }
  virtual void MousePointer(int16_t pointer) { pointer_ = pointer; }
  // The headless screen, the default of Service<Screen>.
  static std::shared_ptr<Screen> MakeDefault() { return std::make_shared<Screen>(); }

 private:
  int16_t pointer_ = kPointerDefault;
};

}  // namespace kw
