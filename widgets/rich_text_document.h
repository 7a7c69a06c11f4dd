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

// ---- Paragraph alignments: the numbers the box's SelAlignment reads and writes ----

inline constexpr int16_t kAlignLeft = 0;    // text flush with the left margin
inline constexpr int16_t kAlignRight = 1;   // text flush with the right margin
inline constexpr int16_t kAlignCenter = 2;  // text centred between the margins

// The character that ends a paragraph.
inline constexpr char32_t kParagraphBreak = U'\n';
// A line break that stays inside its paragraph (Shift+Enter in a word processor).
inline constexpr char32_t kLineBreak = U'\v';

// The formatting of one character.
struct CharFormat {
  bool bold = false;       // bold type
  bool italic = false;     // italic type
  bool underline = false;  // underlined type
  uint32_t color = 0;      // 0x00BBGGRR, or 0x80000000 + n for system colour n; 0 is the automatic colour
  friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

// The formatting of one paragraph.
struct ParagraphFormat {
  int16_t alignment = kAlignLeft;  // how the paragraph's lines are aligned (kAlignLeft, ...)
  bool bullet = false;             // a bullet before the paragraph
  friend bool operator==(const ParagraphFormat&, const ParagraphFormat&) = default;
};

// Characters of one paragraph that share one format.
struct Run {
  std::u32string text;  // the characters
  CharFormat format;    // their format
};

// A paragraph as writers see it: its format, its runs, and the format of the paragraph break that
// ends it (the last paragraph has none: it keeps the default).
struct Paragraph {
  ParagraphFormat format;  // the paragraph's format
  std::vector<Run> runs;   // its characters, in runs of one format
  CharFormat mark;         // the format of the break that ends it
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

  // The character at 0-based `index` (unchecked).
  char32_t At(size_t index) const { return chars_[index]; }
  // The format of the character at `index` (unchecked).
  const CharFormat& FormatAt(size_t index) const { return formats_[index]; }
  // The format of the character at `index`, to change it (unchecked).
  CharFormat& FormatAt(size_t index) { return formats_[index]; }

  // The number of paragraphs (at least one).
  size_t ParagraphCount() const { return paragraphs_.size(); }
  // The paragraph that holds character `index` (a break belongs to the paragraph it ends).
  size_t ParagraphAt(size_t index) const;
  // The format of paragraph `paragraph` (0-based, unchecked).
  const ParagraphFormat& FormatOfParagraph(size_t paragraph) const { return paragraphs_[paragraph]; }
  // The format of paragraph `paragraph`, to change it (unchecked).
  ParagraphFormat& FormatOfParagraph(size_t paragraph) { return paragraphs_[paragraph]; }

  // The content as paragraphs of runs, breaks left out: what a writer needs.
  std::vector<Paragraph> Paragraphs() const;

 private:
  std::u32string chars_;
  std::vector<CharFormat> formats_;                             // one per character
  std::vector<ParagraphFormat> paragraphs_{ParagraphFormat{}};  // one more than there are breaks
};

}  // namespace kw::rich_text
