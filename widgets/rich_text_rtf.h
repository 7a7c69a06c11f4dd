// The rich-text box's content as RTF, so that a user's formatting survives a save: a writer of
// bold, italic, underline, colour, alignment and bullets, and a reader that takes back what the
// writer wrote and the same features from other writers, skipping what it does not know.
#pragma once

#include <string>
#include <string_view>

#include "widgets/rich_text_document.h"

namespace kw::rich_text {

// The document as RTF text (7-bit: other characters travel as \u escapes).
std::string WriteRtf(const Document& document);

// Whether `text` starts as an RTF document does ("{\rtf").
bool LooksLikeRtf(std::string_view text);

// Reads an RTF document. Control words it does not know are ignored and destinations it does not
// know are skipped; unbalanced braces end the reading where the text ends. \line counts as a
// paragraph break and 8-bit \'hh escapes as Latin-1.
Document ReadRtf(std::string_view rtf);

}  // namespace kw::rich_text
