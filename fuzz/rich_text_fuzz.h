// What the rich-text fuzz targets share: two documents are the same when every character, its
// format and every paragraph's format agree; and a box's RTF, read by a fresh box, gives the same
// document and the same RTF.
#pragma once

#include <memory>
#include <string>

#include "fuzz/fuzz_check.h"
#include "widgets/rich_text_box.h"

namespace kw::fuzz {

inline bool SameDocument(const rich_text::Document& a, const rich_text::Document& b) {
  if (a.Length() != b.Length() || a.ParagraphCount() != b.ParagraphCount()) return false;
  for (size_t i = 0; i < a.Length(); ++i)
    if (a.At(i) != b.At(i) || !(a.FormatAt(i) == b.FormatAt(i))) return false;
  for (size_t p = 0; p < a.ParagraphCount(); ++p)
    if (!(a.FormatOfParagraph(p) == b.FormatOfParagraph(p))) return false;
  return true;
}

// A fresh box given `box`'s RTF holds the same document and writes the same RTF.
inline void RequireRtfRoundTrip(const RichTextBox& box) {
  const std::string rtf = box.TextRTF();
  auto copy = std::make_shared<RichTextBox>();
  copy->TextRTF(rtf);
  Require(SameDocument(copy->Document(), box.Document()), "the RTF reads back as the same document:\n" + rtf);
  Require(copy->TextRTF() == rtf, "the RTF read back writes the same RTF:\n" + rtf);
}

}  // namespace kw::fuzz
