// Reading RTF text word by word: a control word with its parameter, and, ahead of the reader, where
// the Unicode twin of each \upr group opens.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>

namespace kw::rich_text {

// A control word as the text has it: \b0, \fcharset177, \upr.
struct ControlWord {
  std::string_view word;   // the word's letters, without the backslash
  int32_t param = 1;       // 1 when the word has none
  bool has_param = false;  // whether the text gave a parameter
};

// Reads the control word whose letters start at `pos` (past its backslash), its parameter and the
// space that ends it, and the binary data after \binN; leaves `pos` after them. A parameter beyond
// 32 bits stops at the largest one.
ControlWord ReadControlWord(std::string_view rtf, size_t& pos);

// Where each \upr group's Unicode twin ({\*\ud ...}, its first such group) opens, by where the
// \upr group opens: a writer gives the same text twice in a \upr group, for readers that know only
// ANSI and again in the twin. A \upr group without a twin has no entry.
std::unordered_map<size_t, size_t> FindUnicodeTwins(std::string_view rtf);

}  // namespace kw::rich_text
