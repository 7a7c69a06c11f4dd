// The RTF control words the reader knows by name: symbols that stand for one character, the
// destinations whose text is no content, and the kinds of underline.
#pragma once

#include <string_view>

namespace kw::rich_text {

// The character a symbol control word stands for (\emdash, \rquote, \tab, \line ...); 0 for any
// other word.
char32_t SymbolOfWord(std::string_view word);

// Whether the destination that `word` opens holds no content: tables the reader has no use for,
// document information, headers and footers, notes, index and contents entries, pictures and
// objects, field instructions.
bool IsSkippedDestination(std::string_view word);

// Whether `word` switches on one kind of underline (\ul, \ulw, \uldb, \uld, \ulth ...).
bool IsUnderlineWord(std::string_view word);

}  // namespace kw::rich_text
