// The RTF reader: groups and their states, destinations, characters through their code pages,
// paragraphs and line breaks, list markers and table cells.
#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ui_shared/platform/system_colors.h"
#include "ui_shared/platform/text.h"
#include "widgets/rich_text_code_page.h"
#include "widgets/rich_text_rtf.h"
#include "widgets/rich_text_rtf_lists.h"
#include "widgets/rich_text_rtf_scan.h"
#include "widgets/rich_text_rtf_words.h"

namespace kw::rich_text {
namespace {

// What the text of a group is for.
enum class Destination {
  kContent,        // the document's text
  kSkipped,        // text that is no content, with everything inside it
  kFontTable,      // \fonttbl: the fonts' character sets
  kColorTable,     // \colortbl
  kListTable,      // \listtable
  kListOverrides,  // \listoverridetable
  kListMarker,     // \pntext, \listtext: the bullet or number before a list paragraph
  kNumbering,      // \pn: how a paragraph is numbered or bulleted
};

// The reading state that a group keeps and restores.
struct GroupState {
  CharFormat chars;
  ParagraphFormat paragraph;
  Destination destination = Destination::kContent;
  int32_t font = -1;         // \f: its character set gives the code page of \'hh escapes
  int32_t unicode_skip = 1;  // \uc: characters that stand in for each \u
  bool hidden = false;       // \v
  bool in_table = false;     // \intbl: the paragraph is in a table cell
  int32_t list = 0;          // \ls: the list the paragraph belongs to, 0 for none
  int32_t list_level = 0;    // \ilvl
};

constexpr char32_t kPrivateSymbolBase = 0xF000;

// The \ud group that the \upr group being read skipped to: where it opens, and what its text is for.
struct UnicodeTwin {
  size_t brace = 0;
  Destination destination = Destination::kContent;
};

// Reads one RTF text into a document, byte by byte, keeping a state for each open group.
class RtfReader {
 public:
  explicit RtfReader(std::string_view rtf) : rtf_(rtf), unicode_twins_(FindUnicodeTwins(rtf)) {}

  Document Read() {
    while (pos_ < rtf_.size()) {
      const char c = rtf_[pos_++];
      if (c == '{') {
        OpenGroup();
        continue;
      }
      const bool group_start = std::exchange(group_start_, false);
      if (c == '}') {
        CloseGroup();
      } else if (c == '\\') {
        Control(group_start);
      } else if (c == ';' && State().destination == Destination::kColorTable) {
        colors_.push_back(system_color_ ? kSystemColorFlag | *system_color_ : color_);
        color_ = 0;
        system_color_.reset();
      } else if (c != '\r' && c != '\n') {
        Byte(static_cast<unsigned char>(c));
      }
    }
    if (break_pending_) Paragraph();
    return std::move(document_);
  }

 private:
  GroupState& State() { return stack_.back(); }
  bool InContent() const { return stack_.back().destination == Destination::kContent; }
  // Whether characters read now are shown (or make up a list marker).
  bool Shows() const {
    const GroupState& state = stack_.back();
    return !state.hidden &&
           (state.destination == Destination::kContent || state.destination == Destination::kListMarker);
  }

  void OpenGroup() {
    stack_.push_back(stack_.back());
    group_brace_ = pos_ - 1;
    group_start_ = true;
    lead_byte_.reset();
  }

  void CloseGroup() {
    lead_byte_.reset();
    fallback_to_skip_ = 0;
    if (stack_.size() <= 1) return;
    const Destination closed = stack_.back().destination;
    stack_.pop_back();
    if (closed == Destination::kListMarker && State().destination != Destination::kListMarker) FinishMarker();
    if (closed != State().destination && InContent()) ApplyParagraphFormat();
  }

  void Control(bool group_start) {
    if (pos_ >= rtf_.size()) return;
    const char symbol = rtf_[pos_];
    if (!std::isalpha(static_cast<unsigned char>(symbol))) {
      ++pos_;
      Symbol(symbol, group_start);
      return;
    }
    const ControlWord control = ReadControlWord(rtf_, pos_);
    // \bin's data has been read past, whatever the destination.
    if (control.word != "bin") Word(control.word, control.param, control.has_param, group_start);
  }

  void Symbol(char symbol, bool group_start) {
    switch (symbol) {
      case '\\':
      case '{':
      case '}': Byte(static_cast<unsigned char>(symbol)); break;
      case '~': Emit(0x00A0); break;
      case '_': Emit(0x2011); break;
      case '\'': Byte(ReadHexByte()); break;
      case '*':  // the control word after it still opens the group
        optional_destination_ = group_start_ = group_start;
        break;
      case '\r':
      case '\n': Paragraph(); break;
      default: break;  // optional hyphens and other symbols show nothing
    }
  }

  unsigned char ReadHexByte() {
    unsigned value = 0;
    for (int k = 0; k < 2 && pos_ < rtf_.size() && std::isxdigit(static_cast<unsigned char>(rtf_[pos_])); ++k, ++pos_)
      value = value * 16 + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(rtf_[pos_]))
                                                     ? rtf_[pos_] - '0'
                                                     : (rtf_[pos_] | 0x20) - 'a' + 10);
    return static_cast<unsigned char>(value);
  }

  // A destination opened by the first word of a group; false when `word` opens none.
  bool OpenDestination(std::string_view word, bool optional) {
    Destination& destination = State().destination;
    if (word == "pn") {
      destination = Destination::kNumbering;
    } else if (word == "pntext" || word == "listtext") {
      destination = Destination::kListMarker;
      marker_.clear();
      marker_seen_ = true;
    } else if (word == "fonttbl") {
      destination = Destination::kFontTable;
    } else if (word == "colortbl") {
      destination = Destination::kColorTable;
    } else if (word == "listtable") {
      destination = Destination::kListTable;
    } else if (word == "listoverridetable") {
      destination = Destination::kListOverrides;
    } else if (word == "upr") {
      // Text given twice: read from its Unicode twin where it has one, else as it stands.
      const auto twin = unicode_twins_.find(group_brace_);
      if (twin != unicode_twins_.end()) {
        unicode_twin_ = UnicodeTwin{twin->second, destination};
        destination = Destination::kSkipped;
      }
    } else if (optional || IsSkippedDestination(word)) {
      destination = Destination::kSkipped;
    } else {
      return false;
    }
    return true;
  }

  void Word(std::string_view word, int32_t param, bool has_param, bool group_start) {
    const bool optional = std::exchange(optional_destination_, false);
    if (group_start && word == "ud" && unicode_twin_ && unicode_twin_->brace == group_brace_) {
      State().destination = unicode_twin_->destination;
      unicode_twin_.reset();
      return;
    }
    if (State().destination == Destination::kSkipped) return;
    if (group_start && OpenDestination(word, optional)) return;
    switch (State().destination) {
      case Destination::kFontTable: return FontWord(word, param);
      case Destination::kColorTable: return ColorWord(word, param);
      case Destination::kListTable: return lists_.ListTableWord(word, param);
      case Destination::kListOverrides: return lists_.OverrideTableWord(word, param);
      case Destination::kNumbering:
        if (word == "pnlvlblt") SetBullet();
        return;
      default: return ContentWord(word, param, has_param);
    }
  }

  void FontWord(std::string_view word, int32_t param) {
    if (word == "f") {
      font_ = param;
      font_code_pages_.try_emplace(param, 0);
    } else if (word == "fcharset") {
      font_code_pages_[font_] = CodePageOfCharset(param, 0);
    } else if (word == "cpg") {
      font_code_pages_[font_] = param;
    }
  }

  void ColorWord(std::string_view word, int32_t param) {
    if (word == "red" || word == "green" || word == "blue") {
      const int shift = word == "red" ? 0 : word == "green" ? 8 : 16;
      color_ |= static_cast<uint32_t>(std::clamp(param, 0, 255)) << shift;
    } else if (word == kSystemColorWord) {
      system_color_ = static_cast<uint32_t>(std::max(param, 0));
    }
  }

  void ContentWord(std::string_view word, int32_t param, bool has_param) {
    GroupState& state = State();
    if (const char32_t symbol = SymbolOfWord(word)) {
      Emit(symbol);
    } else if (word == "par" && state.in_table) {
      break_pending_ = Shows() && InContent();
    } else if (word == "cell" || word == "nestcell") {
      break_pending_ = false;
      if (Shows() && InContent()) cell_pending_ = true;
    } else if (word == "intbl") {
      state.in_table = true;
    } else if (word == "par" || word == "row" ||
               ((word == "page" || word == "sect" || word == "column") && !ParagraphEmpty())) {
      Paragraph();
    } else if (word == "pard") {
      state.list = 0;
      state.list_level = 0;
      state.in_table = false;
      SetParagraph(ParagraphFormat{});
    } else if (word == "ql" || word == "qj" || word == "qr" || word == "qc") {
      ParagraphFormat format = state.paragraph;
      format.alignment = word == "qr" ? kAlignRight : word == "qc" ? kAlignCenter : kAlignLeft;
      SetParagraph(format);
    } else if (word == "ls") {
      state.list = param;
    } else if (word == "ilvl") {
      state.list_level = param;
    } else if (word == "plain") {
      state.chars = CharFormat{};
      state.hidden = false;
      state.font = default_font_;
    } else if (word == "b") {
      state.chars.bold = param != 0;
    } else if (word == "i") {
      state.chars.italic = param != 0;
    } else if (IsUnderlineWord(word)) {
      state.chars.underline = param != 0;
    } else if (word == "ulnone") {
      state.chars.underline = false;
    } else if (word == "v") {
      state.hidden = param != 0;
    } else if (word == "cf") {
      // Entry 0 of the table is usually empty: the automatic colour.
      state.chars.color = has_param && param >= 0 && static_cast<size_t>(param) < colors_.size()
                              ? colors_[static_cast<size_t>(param)]
                              : 0;
    } else if (word == "f") {
      state.font = param;
    } else if (word == "deff") {
      default_font_ = state.font = param;
    } else if (word == "ansicpg" || word == "mac" || word == "pc" || word == "pca") {
      ansi_code_page_ = word == "ansicpg" ? param : word == "mac" ? 10000 : word == "pc" ? 437 : 850;
    } else if (word == "uc") {
      state.unicode_skip = std::max(param, 0);
    } else if (word == "u") {
      Unicode(param);
    }
  }

  int CodePage() {
    const auto font = font_code_pages_.find(State().font);
    return font == font_code_pages_.end() || font->second == 0 ? ansi_code_page_ : font->second;
  }

  void Unicode(int32_t param) {
    fallback_to_skip_ = 0;
    char32_t unit = static_cast<char32_t>(param < 0 ? param + 0x10000 : param) & 0xFFFF;
    if (unit >= 0xD800 && unit < 0xDC00) {
      high_surrogate_ = unit;
    } else if (unit >= 0xDC00 && unit < 0xE000 && high_surrogate_) {
      Emit(0x10000 + ((high_surrogate_ - 0xD800) << 10) + (unit - 0xDC00));
      high_surrogate_ = 0;
    } else {
      // Symbol fonts' characters are often written in the private range that mirrors their bytes.
      const int code_page = CodePage();
      if (code_page == kSymbolCodePage && unit >= kPrivateSymbolBase + 0x80 && unit <= kPrivateSymbolBase + 0xFF)
        unit = code_pages_.Decode(code_page, static_cast<unsigned char>(unit - kPrivateSymbolBase));
      Emit(text::ValidCodePoint(unit));
    }
    fallback_to_skip_ = State().unicode_skip;
  }

  // A byte of text: an ASCII character, or one (or half of a double-byte character) of the code
  // page in force.
  void Byte(unsigned char byte) {
    if (fallback_to_skip_ > 0) {
      --fallback_to_skip_;
      return;
    }
    if (!Shows()) return;
    const int code_page = CodePage();
    if (const std::optional<unsigned char> lead = std::exchange(lead_byte_, std::nullopt))
      return Put(code_pages_.Decode(code_page, *lead, byte));
    if (byte >= 0x80 && CodePages::IsLeadByte(code_page, byte)) {
      lead_byte_ = byte;
      return;
    }
    Put(code_pages_.Decode(code_page, byte));
  }

  void Emit(char32_t c) {
    if (fallback_to_skip_ > 0) {
      --fallback_to_skip_;
      return;
    }
    if (Shows()) Put(c);
  }

  // A shown character: into the list marker being read, or into the document.
  void Put(char32_t c) {
    lead_byte_.reset();
    if (State().destination == Destination::kListMarker) {
      marker_.emplace_back(c, State().chars);
      return;
    }
    if (std::exchange(break_pending_, false)) Paragraph();
    StartList();
    if (std::exchange(cell_pending_, false)) document_.Append(U'\t', State().chars);
    document_.Append(c, State().chars);
    ApplyParagraphFormat();
  }

  bool ParagraphEmpty() const {
    return document_.Length() == 0 || document_.At(document_.Length() - 1) == kParagraphBreak;
  }

  void Paragraph() {
    if (!Shows() || !InContent()) return;
    break_pending_ = false;
    lead_byte_.reset();
    StartList();
    ApplyParagraphFormat();
    document_.Append(kParagraphBreak, State().chars);
    paragraph_bullet_ = marker_seen_ = list_counted_ = cell_pending_ = false;
  }

  // A list paragraph counts in its list; one whose writer gave no marker text gets its marker from
  // the list tables.
  void StartList() {
    if (State().list == 0 || std::exchange(list_counted_, true)) return;
    const ListMarker marker = lists_.Next(State().list, State().list_level);
    if (marker_seen_) return;
    paragraph_bullet_ = paragraph_bullet_ || marker.bullet;
    for (char32_t c : marker.text) document_.Append(c, State().chars);
  }

  // The marker text read: a bullet becomes the paragraph's bullet, a number stays as text.
  void FinishMarker() {
    std::u32string text;
    for (const auto& [c, format] : marker_) text.push_back(c);
    if (IsBulletMarker(text)) {
      paragraph_bullet_ = true;
    } else if (InContent() && text.find_first_not_of(U"\t ") != std::u32string::npos) {
      for (const auto& [c, format] : marker_) document_.Append(c, format);
    }
    marker_.clear();
  }

  // The paragraph being read takes the paragraph format in force at once, so that an empty last
  // paragraph keeps it too.
  void ApplyParagraphFormat() {
    ParagraphFormat format = State().paragraph;
    format.bullet = format.bullet || paragraph_bullet_;
    document_.FormatOfParagraph(document_.ParagraphCount() - 1) = format;
  }

  void SetParagraph(const ParagraphFormat& format) {
    State().paragraph = format;
    if (InContent()) ApplyParagraphFormat();
  }

  // A bullet described inside {\*\pn ...} belongs to the paragraphs around that group.
  void SetBullet() {
    paragraph_bullet_ = true;
    const auto content = std::find_if(stack_.rbegin(), stack_.rend(), [](const GroupState& state) {
      return state.destination == Destination::kContent;
    });
    if (content != stack_.rend()) content->paragraph.bullet = true;
  }

  std::string_view rtf_;
  size_t pos_ = 0;
  std::vector<GroupState> stack_{GroupState{}};
  size_t group_brace_ = 0;  // the "{" of the group opened last
  bool group_start_ = false;
  bool optional_destination_ = false;
  // The \ud groups to read instead of the text of the \upr groups around them.
  std::unordered_map<size_t, size_t> unicode_twins_;
  std::optional<UnicodeTwin> unicode_twin_;
  // Fonts and code pages.
  CodePages code_pages_;
  int ansi_code_page_ = kDefaultCodePage;
  int32_t default_font_ = -1;
  int32_t font_ = -1;                       // the font table entry being read
  std::map<int32_t, int> font_code_pages_;  // 0: the document's code page
  std::optional<unsigned char> lead_byte_;  // first half of a double-byte character
  char32_t high_surrogate_ = 0;
  int32_t fallback_to_skip_ = 0;
  // Colours.
  std::vector<uint32_t> colors_;  // the colour table's entries, from 0
  uint32_t color_ = 0;            // the entry being read
  std::optional<uint32_t> system_color_;
  // Lists and tables of the paragraph being read.
  ListTable lists_;
  std::vector<std::pair<char32_t, CharFormat>> marker_;
  bool marker_seen_ = false;   // the paragraph had marker text
  bool list_counted_ = false;  // the paragraph has counted in its list
  bool paragraph_bullet_ = false;
  bool cell_pending_ = false;   // a cell ended: a tab goes before the next cell's text
  bool break_pending_ = false;  // a paragraph in a cell ended: the cell's end may end it instead
  Document document_;
};

}  // namespace

Document ReadRtf(std::string_view rtf) { return RtfReader(rtf).Read(); }

}  // namespace kw::rich_text
