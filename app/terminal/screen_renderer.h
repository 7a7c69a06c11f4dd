// Renders the current screen as terminal lines: title, command bar with button states, a read-only
// database, the context of the home and month, the choice, the active field's colours (verbose),
// the notes with their formats in brackets, the list with the selected row marked, and the fields
// with their values.
#pragma once

#include <string>
#include <vector>

#include "app/screens/screen_view.h"
#include "app/siblings/command_bar.h"

namespace trf {

// The command bar in one line: "[Key]" per button, "(off)" after unavailable ones, "*" after
// pressed ones, "|" for separators; "" for an empty bar.
std::string RenderCommandBar(const CommandBar& bar);
// The whole screen `name` ("home", "residents" ...) with its title; `verbose` adds colour codes.
std::vector<std::string> RenderScreen(const std::string& name, const std::string& title, const CommandBar& bar,
                                      const ScreenView& view, bool verbose = false);

}  // namespace trf
