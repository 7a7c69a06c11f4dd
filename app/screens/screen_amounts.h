// The amounts in a screen's texts: the number behind a field's or a list cell's text, read the one
// way every front end reads it.
#pragma once

#include <optional>
#include <string>

namespace trf {

// The amount of a screen's text ("7800", "12.5"); nothing for "" or a text that is no number.
std::optional<double> AmountOf(const std::string& text);

}  // namespace trf
