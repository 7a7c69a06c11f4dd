// The formatted content of a rich-text box, and its UTF-8 boundary.
#include "widgets/rich_text_document.h"

#include <algorithm>

namespace kw::rich_text {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes UTF-8 into code points, line ends of any kind becoming one paragraph break. A stray,
// invalid or cut-short sequence becomes one U+FFFD per byte it could not use.
std::u32string Decode(std::string_view text) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  std::u32string out;
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = byte(i);
    if (lead == '\r') {
      out.push_back(kParagraphBreak);
      i += (i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
      continue;
    }
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    }
    const size_t extra = (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : 0;
    char32_t c = lead & (0x3Fu >> extra);
    size_t k = 1;
    for (; k <= extra && i + k < text.size() && (byte(i + k) & 0xC0) == 0x80; ++k) c = (c << 6) | (byte(i + k) & 0x3Fu);
    if (extra == 0 || k <= extra) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    out.push_back(c);
    i += extra + 1;
  }
  return out;
}

void Encode(char32_t c, std::string& out) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

}  // namespace

std::string Document::Text(size_t start, size_t length) const {
  start = std::min(start, chars_.size());
  length = std::min(length, chars_.size() - start);
  std::string out;
  out.reserve(length);
  for (size_t i = start; i < start + length; ++i) Encode(chars_[i], out);
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
  std::vector<Paragraph> out(1, Paragraph{paragraphs_.front(), {}});
  for (size_t i = 0; i < chars_.size(); ++i) {
    if (chars_[i] == kParagraphBreak) {
      out.push_back(Paragraph{paragraphs_[out.size()], {}});
      continue;
    }
    auto& runs = out.back().runs;
    if (runs.empty() || !(runs.back().format == formats_[i])) runs.push_back(Run{{}, formats_[i]});
    runs.back().text.push_back(chars_[i]);
  }
  return out;
}

}  // namespace kw::rich_text
