// The commands that act on screens (go, show, select, set, save, add, remove, type, click,
// sendoff, answer), wired to the screen host so that each verb reaches the current screen.
#pragma once

#include "app/screens/screen_host.h"
#include "app/siblings/feedback_dialog.h"
#include "app/terminal/command_interpreter.h"
#include "app/terminal/transcript.h"

namespace trf {

// Prints the current screen (nothing before the first `go`).
void ShowCurrentScreen(const ScreenHost& host, Transcript& transcript);

// Adds the screen commands to `interpreter`. `desk` receives the answers of `answer`.
void AddScreenCommands(CommandInterpreter& interpreter, ScreenHost& host, FeedbackDesk& desk, Transcript& transcript);

}  // namespace trf
