// The terminal face of the feedback dialog: each showing becomes a framed box (caption, kind, rule
// number, message, detail) and one transcript line "dialog <kind> <rule number>: <message>";
// questions are answered from the `answer` queue, else asked on the terminal (interactive), else
// declined (scripts).
#pragma once

#include <istream>
#include <string>
#include <vector>

#include "app/siblings/feedback_dialog.h"
#include "app/terminal/transcript.h"

namespace trf {

// "question" (rule type 0), "error" (1, hard rule) or "notice" (2 and anything else).
std::string DialogKind(int32_t rule_type);
// The framed box of a showing, about `width` characters wide; long texts wrap at blanks.
std::vector<std::string> RenderFeedbackBox(const FeedbackShowing& showing, size_t width = 72);
// "dialog <kind> <rule number>: <message>".
std::string DialogTranscriptLine(const FeedbackShowing& showing);

// A presenter for FeedbackDesk: prints through `transcript`; `terminal` (nothing in scripts) is
// where a question is asked when no answer is queued in `desk`.
FeedbackPresenter MakeTerminalPresenter(Transcript& transcript, FeedbackDesk& desk, std::istream* terminal);

}  // namespace trf
