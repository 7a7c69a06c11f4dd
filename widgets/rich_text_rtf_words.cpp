// Tables of the RTF control words the reader knows by name.
#include "widgets/rich_text_rtf_words.h"

#include <unordered_map>
#include <unordered_set>

#include "widgets/rich_text_document.h"

namespace kw::rich_text {

char32_t SymbolOfWord(std::string_view word) {
  static const std::unordered_map<std::string_view, char32_t> kSymbols = {
      {"tab", U'\t'},      {"line", kLineBreak}, {"emdash", 0x2014},    {"endash", 0x2013},
      {"emspace", 0x2003}, {"enspace", 0x2002},  {"qmspace", 0x2005},   {"bullet", 0x2022},
      {"lquote", 0x2018},  {"rquote", 0x2019},   {"ldblquote", 0x201C}, {"rdblquote", 0x201D},
  };
  const auto found = kSymbols.find(word);
  return found == kSymbols.end() ? 0 : found->second;
}

bool IsSkippedDestination(std::string_view word) {
  static const std::unordered_set<std::string_view> kSkipped = {
      "stylesheet",   "info",      "generator",   "themedata",  "colorschememapping",
      "latentstyles", "datastore", "rsidtbl",     "revtbl",     "filetbl",
      "xmlnstbl",     "pgdsctbl",  "protusertbl", "template",   "docvar",
      "userprops",    "falt",      "panose",      "mmathPr",    "header",
      "headerl",      "headerr",   "headerf",     "footer",     "footerl",
      "footerr",      "footerf",   "footnote",    "ftnsep",     "ftnsepc",
      "ftncn",        "aftnsep",   "aftnsepc",    "aftncn",     "annotation",
      "atnid",        "atnauthor", "atnref",      "atndate",    "atnicn",
      "atntime",      "atrfstart", "atrfend",     "bkmkstart",  "bkmkend",
      "xe",           "tc",        "tcn",         "txe",        "rxe",
      "fldinst",      "pict",      "shppict",     "nonshppict", "shp",
      "shpinst",      "object",    "objdata",     "objclass",   "objname",
      "pntxta",       "pntxtb",    "pnseclvl",    "listpicture"};
  return kSkipped.contains(word);
}

bool IsUnderlineWord(std::string_view word) {
  static const std::unordered_set<std::string_view> kUnderlines = {
      "ul",    "uld",      "uldash",    "uldashd",    "uldashdd",  "uldb",       "ulhwave", "ulldash", "ulth",
      "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw",     "ulwave"};
  return kUnderlines.contains(word);
}

}  // namespace kw::rich_text
