// The formatted content of a rich-text box, and its UTF-8 boundary.
#include "widgets/rich_text_document.h"

#include <algorithm>

#include "ui_shared/platform/text.h"

namespace kw::rich_text {
namespace {

// Decodes UTF-8 into code points by the text module's rule, line ends of any kind ("\r\n", "\r",
// "\n") becoming one paragraph break.
std::u32string Decode(std::string_view text) {
  std::u32string out;
  char32_t previous = 0;
  for (const char32_t c : text::DecodeUtf8(text)) {
    if (!(c == U'\n' && previous == U'\r')) out.push_back(c == U'\r' ? kParagraphBreak : c);
    previous = c;
  }
  return out;
}

}  // namespace

std::string Document::Text(size_t start, size_t length) const {
  start = std::min(start, chars_.size());
  length = std::min(length, chars_.size() - start);
  std::string out;
  out.reserve(length);
  for (size_t i = start; i < start + length; ++i) text::AppendUtf8(chars_[i], out);
  return out;
}

size_t Document::ParagraphAt(size_t index) const {
  const auto end = chars_.begin() + static_cast<std::ptrdiff_t>(std::min(index, chars_.size()));
  return static_cast<size_t>(std::count(chars_.begin(), end, kParagraphBreak));
}

void Document::Replace(size_t start, size_t length, std::string_view text, const CharFormat& format) {
  start = std::min(start, chars_.size());
  length = std::min(length, chars_.size() - start);
  // Removing breaks joins paragraphs into the first of them.
  const size_t first = ParagraphAt(start);
  const size_t joined = ParagraphAt(start + length) - first;
  const auto at = paragraphs_.begin() + static_cast<std::ptrdiff_t>(first);
  paragraphs_.erase(at + 1, at + 1 + static_cast<std::ptrdiff_t>(joined));
  chars_.erase(start, length);
  formats_.erase(formats_.begin() + static_cast<std::ptrdiff_t>(start),
                 formats_.begin() + static_cast<std::ptrdiff_t>(start + length));
  // Inserted breaks split the paragraph, each new one in its format.
  const std::u32string inserted = Decode(text);
  const auto breaks = std::count(inserted.begin(), inserted.end(), kParagraphBreak);
  paragraphs_.insert(paragraphs_.begin() + static_cast<std::ptrdiff_t>(first) + 1, static_cast<size_t>(breaks),
                     paragraphs_[first]);
  chars_.insert(start, inserted);
  formats_.insert(formats_.begin() + static_cast<std::ptrdiff_t>(start), inserted.size(), format);
}

void Document::Append(char32_t c, const CharFormat& format) {
  chars_.push_back(c);
  formats_.push_back(format);
  if (c == kParagraphBreak) paragraphs_.push_back(paragraphs_.back());
}

std::vector<Paragraph> Document::Paragraphs() const {
  std::vector<Paragraph> out(1, Paragraph{paragraphs_.front(), {}, {}});
  for (size_t i = 0; i < chars_.size(); ++i) {
    if (chars_[i] == kParagraphBreak) {
      out.back().mark = formats_[i];
      out.push_back(Paragraph{paragraphs_[out.size()], {}, {}});
      continue;
    }
    auto& runs = out.back().runs;
    if (runs.empty() || !(runs.back().format == formats_[i])) runs.push_back(Run{{}, formats_[i]});
    runs.back().text.push_back(chars_[i]);
  }
  return out;
}

}  // namespace kw::rich_text
