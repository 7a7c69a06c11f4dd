// rich_text::Document: the formatted content of a rich-text box. Characters (code points) each
// carry their character format (bold, italic, underline, colour); the character "\n" ends a
// paragraph, and each paragraph carries its format (alignment, bullet). A soft line break inside a
// paragraph is the character U+000B ("\v"): Text gives it and takes it as that one character.
// Positions count characters, each break being one; readers see the content as paragraphs of runs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kw::rich_text {

// Paragraph alignments: the numbers the box's SelAlignment reads and writes.
inline constexpr int16_t kAlignLeft = 0;
inline constexpr int16_t kAlignRight = 1;
inline constexpr int16_t kAlignCenter = 2;

inline constexpr char32_t kParagraphBreak = U'\n';
// A line break that stays inside its paragraph (Shift+Enter in a word processor).
inline constexpr char32_t kLineBreak = U'\v';

// The formatting of one character.
struct CharFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  uint32_t color = 0;  // 0x00BBGGRR, or 0x80000000 + n for system colour n; 0 is the automatic colour
  friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

// The formatting of one paragraph.
struct ParagraphFormat {
  int16_t alignment = kAlignLeft;
  bool bullet = false;
  friend bool operator==(const ParagraphFormat&, const ParagraphFormat&) = default;
};

// Characters of one paragraph that share one format.
struct Run {
  std::u32string text;
  CharFormat format;
};

// A paragraph as writers see it: its format, its runs, and the format of the paragraph break that
// ends it (the last paragraph has none: it keeps the default).
struct Paragraph {
  ParagraphFormat format;
  std::vector<Run> runs;
  CharFormat mark;
};

// The content: characters with their formats, and the paragraphs' formats.
class Document {
 public:
  // Number of characters, each paragraph break counting one.
  size_t Length() const { return chars_.size(); }
  // The text as UTF-8, paragraphs separated by "\n"; or `length` characters of it from `start`.
  std::string Text() const { return Text(0, chars_.size()); }
  std::string Text(size_t start, size_t length) const;

  // Replaces `length` characters from `start` (both clamped to the text) by UTF-8 `text` in
  // `format`. "\r\n", "\r" and "\n" break paragraphs; a paragraph split by a break passes its
  // format on to the new one, and paragraphs joined by removing a break keep the first's format.
  // Bytes that are no UTF-8 become U+FFFD.
  void Replace(size_t start, size_t length, std::string_view text, const CharFormat& format);
  // Appends one character; kParagraphBreak starts a paragraph in the format of the last one.
  void Append(char32_t c, const CharFormat& format);

  char32_t At(size_t index) const { return chars_[index]; }
  const CharFormat& FormatAt(size_t index) const { return formats_[index]; }
  CharFormat& FormatAt(size_t index) { return formats_[index]; }

  size_t ParagraphCount() const { return paragraphs_.size(); }
  // The paragraph that holds character `index` (a break belongs to the paragraph it ends).
  size_t ParagraphAt(size_t index) const;
  const ParagraphFormat& FormatOfParagraph(size_t paragraph) const { return paragraphs_[paragraph]; }
  ParagraphFormat& FormatOfParagraph(size_t paragraph) { return paragraphs_[paragraph]; }

  // The content as paragraphs of runs, breaks left out: what a writer needs.
  std::vector<Paragraph> Paragraphs() const;

 private:
  std::u32string chars_;
  std::vector<CharFormat> formats_;                             // one per character
  std::vector<ParagraphFormat> paragraphs_{ParagraphFormat{}};  // one more than there are breaks
};

}  // namespace kw::rich_text
