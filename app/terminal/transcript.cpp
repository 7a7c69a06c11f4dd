// Program output with a mark per command.
#include "app/terminal/transcript.h"

namespace trf {

void Transcript::Line(std::string_view text) {
  out_ << text << '\n';
  out_.flush();
  since_mark_.append(text).append("\n");
}

void Transcript::Echo(std::string_view text) {
  out_ << text << '\n';
  out_.flush();
}

void Transcript::Prompt(std::string_view text) {
  out_ << text;
  out_.flush();
}

}  // namespace trf
