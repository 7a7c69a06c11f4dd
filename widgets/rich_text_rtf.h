// The rich-text box's content as RTF, so that a user's formatting survives a save and notes move
// to and from other programs: a writer of bold, italic, underline, colour, alignment, bullets and
// line breaks, and a reader of the RTF that word processors, rich-edit controls and converters
// write. What the box cannot show is read past: tables keep their text (cells apart by a tab, a row
// to a paragraph), small caps, strike-through, fonts and sizes read as plain text, and pictures,
// objects, headers, footers, notes, index and contents entries and hidden text are left out.
#pragma once

#include <string>
#include <string_view>

#include "widgets/rich_text_document.h"

namespace kw::rich_text {

// The document as RTF text. It is 7-bit: characters of code page 1252 travel as \'hh escapes,
// others as \uN with a "?" fallback; the automatic colour (0) is left automatic, a system colour
// (0x80000000 + n) is written as its colour now and keeps which one it is for this reader, a
// bullet is the code page's bullet character and a line break is \line.
std::string WriteRtf(const Document& document);

// Whether `text` starts as an RTF document does ("{\rtf").
bool LooksLikeRtf(std::string_view text);

// Reads an RTF document. \'hh escapes and 8-bit text are read in the code page of their font's
// character set (\fcharset, \cpg) or else the document's (\ansicpg), double-byte ones included;
// \uN takes the \uc characters after it as its fallback. Symbol words (\emdash, \rquote, \bullet
// ...) give their characters, \line a line break, \page and \sect end a paragraph that has text.
// Text a writer gives twice in a \upr group is read from its Unicode twin ({\*\ud ...}) where it
// has one, else from its ANSI text.
// List paragraphs keep a number as text and take a bullet as the paragraph's bullet, from their
// marker text or, without one, from the document's list table. Control words it does not know are
// ignored and destinations it does not know are skipped; unbalanced braces end the reading where
// the text ends.
Document ReadRtf(std::string_view rtf);

}  // namespace kw::rich_text
