// The RTF control words the reader knows by name: symbols that stand for one character, the
// destinations whose text is no content, and the kinds of underline.
#pragma once

#include <string_view>

namespace kw::rich_text {

// The word this program adds to a colour table entry for a system colour (its number as the
// parameter), the entry's RGB being that colour as it is now; other readers ignore the word.
inline constexpr std::string_view kSystemColorWord = "trfsyscolor";

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
