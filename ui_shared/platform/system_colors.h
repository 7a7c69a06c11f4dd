// System colours: colour values 0x80000000 + n name system colour n; anything else is 0x00BBGGRR.
// The headless default answers the classic colour scheme.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

namespace kw {

// The flag of a colour value that names a system colour.
inline constexpr uint32_t kSystemColorFlag = 0x80000000u;
inline constexpr int kColorWindow = 5;              // the background of a window and of editable fields
inline constexpr int kColorWindowText = 8;          // the text of a window
inline constexpr int kColorButtonFace = 15;         // the face of buttons and of read-only fields
inline constexpr int kColorButtonText = 18;         // the text on buttons
inline constexpr int kColor3DHighlight = 20;        // the highlight of 3-D elements
inline constexpr int kColorTooltipText = 23;        // the text of tooltips
inline constexpr int kColorTooltipBackground = 24;  // the background of tooltips

// The colour value that names system colour `role` (kColorWindow, ...).
constexpr uint32_t SystemColor(int role) { return kSystemColorFlag | static_cast<uint32_t>(role); }
// The 0x00BBGGRR colour value of red, green and blue parts (0 to 255 each).
constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }

// The system's colours for each role, which a colour value 0x80000000 + n names; Service<SystemColors>
// is the set in force, the classic colour scheme by default.
class SystemColors {
 public:
  virtual ~SystemColors() = default;
  // The 0x00BBGGRR colour the system has for role `index`; black for unknown roles.
  virtual uint32_t GetSysColor(int index) const;
  // Overrides one role (a desktop theme, or a test).
  void SetSysColor(int index, uint32_t color) { overrides_[index] = color; }
  // Resolves a colour value: a system colour reference becomes its colour, others stay.
  uint32_t Resolve(uint32_t value) const;
  // The classic colour scheme, the default of Service<SystemColors>.
  static std::shared_ptr<SystemColors> MakeDefault() { return std::make_shared<SystemColors>(); }

 private:
  std::map<int, uint32_t> overrides_;
};

}  // namespace kw
