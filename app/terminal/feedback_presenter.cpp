// Framed feedback boxes and the answers to questions on the terminal.
#include "app/terminal/feedback_presenter.h"

#include "ui_shared/platform/text.h"

namespace trf {
namespace {

constexpr const char* kAccepted = "0";
constexpr const char* kDeclined = "1";

// Splits `text` into lines of at most `width` code points, breaking at blanks where it can.
std::vector<std::string> Wrap(const std::string& text, size_t width) {
  std::vector<std::string> lines;
  std::string line;
  std::string word;
  auto flush_word = [&] {
    if (word.empty()) return;
    if (!line.empty() && kw::text::Len(line) + 1 + kw::text::Len(word) > width) {
      lines.push_back(line);
      line.clear();
    }
    while (kw::text::Len(word) > width) {
      lines.push_back(kw::text::Left(word, width));
      word = kw::text::Mid(word, width + 1);
    }
    line += (line.empty() ? "" : " ") + word;
    word.clear();
  };
  for (char c : text) {
    if (c == '\n') {
      flush_word();
      lines.push_back(line);
      line.clear();
    } else if (c == ' ' || c == '\r' || c == '\t') {
      flush_word();
    } else {
      word += c;
    }
  }
  flush_word();
  if (!line.empty() || lines.empty()) lines.push_back(line);
  return lines;
}

std::string BoxLine(const std::string& text, size_t width) {
  return "| " + text + std::string(width - kw::text::Len(text), ' ') + " |";
}

}  // namespace

std::string DialogKind(int32_t rule_type) {
  switch (rule_type) {
    case 0: return "question";
    case 1: return "error";
    default: return "notice";
  }
}

std::vector<std::string> RenderFeedbackBox(const FeedbackShowing& showing, size_t width) {
  const size_t inner = width - 4;
  const std::string rule = "+" + std::string(width - 2, '-') + "+";
  std::vector<std::string> box{rule};
  const std::string caption = showing.caption.empty() ? "TRF" : showing.caption;
  const std::string heading =
      caption + " - " + DialogKind(showing.rule_type) + " " + std::to_string(showing.rule_number);
  for (const std::string& line : Wrap(heading, inner)) box.push_back(BoxLine(line, inner));
  box.push_back(rule);
  for (const std::string& line : Wrap(showing.message, inner)) box.push_back(BoxLine(line, inner));
  if (!showing.detail.empty()) {
    box.push_back(BoxLine("", inner));
    for (const std::string& line : Wrap(showing.detail, inner)) box.push_back(BoxLine(line, inner));
  }
  if (showing.rule_type == 0) box.push_back(BoxLine("[Yes] [No]", inner));
  box.push_back(rule);
  return box;
}

std::string DialogTranscriptLine(const FeedbackShowing& showing) {
  return "dialog " + DialogKind(showing.rule_type) + " " + std::to_string(showing.rule_number) + ": " + showing.message;
}

FeedbackPresenter MakeTerminalPresenter(Transcript& transcript, FeedbackDesk& desk, std::istream* terminal) {
  return [&transcript, &desk, terminal](const FeedbackShowing& showing) -> std::string {
    for (const std::string& line : RenderFeedbackBox(showing)) transcript.Line(line);
    transcript.Line(DialogTranscriptLine(showing));
    if (showing.rule_type != 0) return kAccepted;
    if (!desk.answers.empty()) {
      std::string answer = desk.answers.front();
      desk.answers.pop_front();
      transcript.Line(answer == kAccepted ? "answered yes" : "answered no");
      return answer;
    }
    if (!terminal) {
      transcript.Line("answered no (no answer was queued)");
      return kDeclined;
    }
    std::string reply;
    transcript.Line("Yes or no? [y/n]");
    while (true) {
      transcript.Flush();
      if (!std::getline(*terminal, reply)) {
        transcript.Line("answered no");
        return kDeclined;
      }
      std::string word = kw::text::Lower(kw::text::Trim(reply));
      // The script's command is an answer here too: "answer yes".
      if (word.starts_with("answer ")) word = kw::text::Trim(word.substr(7));
      if (word == "y" || word == "yes") return kAccepted;
      if (word == "n" || word == "no") return kDeclined;
      transcript.Line("Please answer y (yes) or n (no); answer yes and answer no are taken too.");
    }
  };
}

}  // namespace trf
