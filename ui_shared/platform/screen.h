// The application-wide screen object: its mouse pointer (0 default, 11 hourglass).
#pragma once

#include <cstdint>
#include <memory>

namespace kw {

inline constexpr int16_t kPointerDefault = 0;
inline constexpr int16_t kPointerHourglass = 11;

class Screen {
 public:
  virtual ~Screen() = default;
  virtual int16_t MousePointer() const { return pointer_; }
  virtual void MousePointer(int16_t pointer) { pointer_ = pointer; }
  static std::shared_ptr<Screen> MakeDefault() { return std::make_shared<Screen>(); }

 private:
  int16_t pointer_ = kPointerDefault;
};

}  // namespace kw
