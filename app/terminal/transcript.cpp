// Program output with a mark per command, flushed only when the program waits or stops.
#include "app/terminal/transcript.h"

namespace trf {

void Transcript::Line(std::string_view text) {
  out_ << text << '\n';
  since_mark_.append(text).append("\n");
}

void Transcript::Echo(std::string_view text) { out_ << text << '\n'; }

void Transcript::Prompt(std::string_view text) {
  out_ << text;
  Flush();
}

void Transcript::Flush() { out_.flush(); }

}  // namespace trf
