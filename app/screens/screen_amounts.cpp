// The amounts in a screen's texts.
#include "app/screens/screen_amounts.h"

#include <charconv>
#include <system_error>

namespace trf {

std::optional<double> AmountOf(const std::string& text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end || text.empty()) return std::nullopt;
  return value;
}

}  // namespace trf
