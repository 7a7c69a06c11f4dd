// RTF writer and reader of the rich-text document.
#include "widgets/rich_text_rtf.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <utility>
#include <vector>

#include "ui_shared/platform/text.h"

namespace kw::rich_text {
namespace {

// ---- Writing ----

// Every colour the runs use, in order of first use; RTF numbers them from 1.
std::vector<uint32_t> ColorTable(const std::vector<Paragraph>& paragraphs) {
  std::vector<uint32_t> colors;
  for (const auto& paragraph : paragraphs)
    for (const auto& run : paragraph.runs)
      if (std::find(colors.begin(), colors.end(), run.format.color) == colors.end()) colors.push_back(run.format.color);
  return colors;
}

void AppendUnit(int32_t unit, std::string& out) {
  out.append("\\u").append(std::to_string(unit > 0x7FFF ? unit - 0x10000 : unit)).append("?");
}

void AppendEscaped(char32_t c, std::string& out) {
  if (c == '\\' || c == '{' || c == '}') {
    out.push_back('\\');
    out.push_back(static_cast<char>(c));
  } else if (c == '\t') {
    out.append("\\tab ");
  } else if (c < 0x20) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\'%02x", static_cast<unsigned>(c));
    out.append(hex);
  } else if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x10000) {
    AppendUnit(static_cast<int32_t>(c), out);
  } else {
    const char32_t v = c - 0x10000;
    AppendUnit(static_cast<int32_t>(0xD800 + (v >> 10)), out);
    AppendUnit(static_cast<int32_t>(0xDC00 + (v & 0x3FF)), out);
  }
}

void AppendParagraphFormat(const ParagraphFormat& format, std::string& out) {
  out.append("\\pard");
  if (format.alignment == kAlignRight) out.append("\\qr");
  if (format.alignment == kAlignCenter) out.append("\\qc");
  if (format.bullet) out.append("{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf0\\pnindent360{\\pntxtb\\'b7}}\\fi-360\\li360");
  out.push_back(' ');
}

void AppendRun(const Run& run, const std::vector<uint32_t>& colors, std::string& out) {
  out.push_back('{');
  if (run.format.bold) out.append("\\b");
  if (run.format.italic) out.append("\\i");
  if (run.format.underline) out.append("\\ul");
  const auto index = std::find(colors.begin(), colors.end(), run.format.color) - colors.begin() + 1;
  out.append("\\cf").append(std::to_string(index)).push_back(' ');
  for (char32_t c : run.text) AppendEscaped(c, out);
  out.push_back('}');
}

// ---- Reading ----

// The reading state that a group keeps and restores.
struct GroupState {
  CharFormat chars;
  ParagraphFormat paragraph;
  int unicode_skip = 1;       // characters that stand in for each \u
  bool skip = false;          // inside a destination whose text is not content
  bool bullet_group = false;  // inside the {\*\pn ...} group that describes a bullet
  bool color_table = false;   // inside the colour table
};

// Destinations whose text is not part of the content.
bool IsSkippedDestination(std::string_view word) {
  static constexpr std::array<std::string_view, 16> kSkipped = {
      "fonttbl", "stylesheet", "info",     "pict",    "object",  "pntext",  "pntxtb",      "pntxta",
      "header",  "footer",     "footnote", "fldinst", "listtable", "listoverridetable", "generator", "themedata"};
  return std::find(kSkipped.begin(), kSkipped.end(), word) != kSkipped.end();
}

class RtfReader {
 public:
  explicit RtfReader(std::string_view rtf) : rtf_(rtf) {}

  Document Read() {
    while (pos_ < rtf_.size()) {
      const char c = rtf_[pos_++];
      if (c == '{') {
        stack_.push_back(stack_.back());
        destination_start_ = true;
        continue;
      }
      const bool group_start = destination_start_;
      destination_start_ = false;
      if (c == '}') {
        if (stack_.size() > 1) stack_.pop_back();
      } else if (c == '\\') {
        Control(group_start);
      } else if (c == ';' && State().color_table) {
        colors_.push_back(color_);
        color_ = 0;
      } else if (c != '\r' && c != '\n') {
        Emit(static_cast<unsigned char>(c));
      }
    }
    return std::move(document_);
  }

 private:
  GroupState& State() { return stack_.back(); }

  void Control(bool group_start) {
    if (pos_ >= rtf_.size()) return;
    const char symbol = rtf_[pos_];
    if (!std::isalpha(static_cast<unsigned char>(symbol))) {
      ++pos_;
      Symbol(symbol, group_start);
      return;
    }
    const size_t start = pos_;
    while (pos_ < rtf_.size() && std::isalpha(static_cast<unsigned char>(rtf_[pos_]))) ++pos_;
    const std::string_view word = rtf_.substr(start, pos_ - start);
    const size_t digits = pos_;
    if (pos_ < rtf_.size() && rtf_[pos_] == '-') ++pos_;
    while (pos_ < rtf_.size() && std::isdigit(static_cast<unsigned char>(rtf_[pos_]))) ++pos_;
    const bool has_param = pos_ > digits && rtf_[pos_ - 1] != '-';
    const int32_t param = has_param ? ParseParam(rtf_.substr(digits, pos_ - digits)) : 1;
    if (pos_ < rtf_.size() && rtf_[pos_] == ' ') ++pos_;
    Word(word, param, has_param, group_start);
  }

  static int32_t ParseParam(std::string_view text) {
    int64_t value = 0;
    const bool negative = text.front() == '-';
    for (char c : text.substr(negative ? 1 : 0)) value = std::min<int64_t>(value * 10 + (c - '0'), 1 << 30);
    return static_cast<int32_t>(negative ? -value : value);
  }

  void Symbol(char symbol, bool group_start) {
    switch (symbol) {
      case '\\': case '{': case '}': Emit(static_cast<unsigned char>(symbol)); break;
      case '~': Emit(0x00A0); break;
      case '_': Emit(0x2011); break;
      case '\'': Emit(ReadHexByte()); break;
      case '*':  // the control word after it still opens the group
        optional_destination_ = destination_start_ = group_start;
        break;
      case '\r': case '\n': Paragraph(); break;
      default: break;  // optional hyphens and other symbols show nothing
    }
  }

  char32_t ReadHexByte() {
    unsigned value = 0;
    for (int k = 0; k < 2 && pos_ < rtf_.size() && std::isxdigit(static_cast<unsigned char>(rtf_[pos_])); ++k, ++pos_)
      value = value * 16 + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(rtf_[pos_]))
                                                     ? rtf_[pos_] - '0'
                                                     : (rtf_[pos_] | 0x20) - 'a' + 10);
    return value;
  }

  void Word(std::string_view word, int32_t param, bool has_param, bool group_start) {
    GroupState& state = State();
    const bool optional = std::exchange(optional_destination_, false);
    if (group_start && word == "pn") {
      state.skip = state.bullet_group = true;
    } else if (group_start && (optional || IsSkippedDestination(word))) {
      state.skip = true;
    } else if (word == "colortbl") {
      state.skip = state.color_table = true;
    } else if (word == "red" || word == "green" || word == "blue") {
      const int shift = word == "red" ? 0 : word == "green" ? 8 : 16;
      color_ |= static_cast<uint32_t>(std::clamp(param, 0, 255)) << shift;
    } else if (word == "par" || word == "line") {
      Paragraph();
    } else if (word == "pard") {
      SetParagraph(ParagraphFormat{});
    } else if (word == "ql" || word == "qj" || word == "qr" || word == "qc") {
      ParagraphFormat format = state.paragraph;
      format.alignment = word == "qr" ? kAlignRight : word == "qc" ? kAlignCenter : kAlignLeft;
      SetParagraph(format);
    } else if (word == "pnlvlblt") {
      SetBullet();
    } else if (word == "plain") {
      state.chars = CharFormat{};
    } else if (word == "b") {
      state.chars.bold = param != 0;
    } else if (word == "i") {
      state.chars.italic = param != 0;
    } else if (word == "ul") {
      state.chars.underline = param != 0;
    } else if (word == "ulnone") {
      state.chars.underline = false;
    } else if (word == "cf") {
      // Entry 0 of the table is usually empty, the automatic colour, which reads as black.
      state.chars.color = has_param && param >= 0 && static_cast<size_t>(param) < colors_.size()
                              ? colors_[static_cast<size_t>(param)]
                              : 0;
    } else if (word == "uc") {
      state.unicode_skip = std::max(param, 0);
    } else if (word == "u") {
      Unicode(param);
    } else if (word == "tab") {
      Emit(U'\t');
    }
  }

  void Unicode(int32_t param) {
    const char32_t unit = static_cast<char32_t>(param < 0 ? param + 0x10000 : param) & 0xFFFF;
    if (unit >= 0xD800 && unit < 0xDC00) {
      high_surrogate_ = unit;
    } else if (unit >= 0xDC00 && unit < 0xE000 && high_surrogate_) {
      Emit(0x10000 + ((high_surrogate_ - 0xD800) << 10) + (unit - 0xDC00));
      high_surrogate_ = 0;
    } else {
      Emit(text::ValidCodePoint(unit));
    }
    fallback_to_skip_ = State().unicode_skip;
  }

  void Emit(char32_t c) {
    if (fallback_to_skip_ > 0) {
      --fallback_to_skip_;
      return;
    }
    if (State().skip) return;
    document_.FormatOfParagraph(document_.ParagraphCount() - 1) = State().paragraph;
    document_.Append(c, State().chars);
  }

  void Paragraph() {
    if (State().skip) return;
    document_.FormatOfParagraph(document_.ParagraphCount() - 1) = State().paragraph;
    document_.Append(kParagraphBreak, State().chars);
  }

  // Paragraph properties apply to the paragraph being read at once, so that an empty last
  // paragraph keeps them too.
  void SetParagraph(const ParagraphFormat& format) {
    State().paragraph = format;
    if (!State().skip) document_.FormatOfParagraph(document_.ParagraphCount() - 1) = format;
  }

  // A bullet described inside {\*\pn ...} belongs to the paragraph around that group.
  void SetBullet() {
    auto outer = std::find_if(stack_.rbegin(), stack_.rend(), [](const GroupState& s) { return !s.bullet_group; });
    if (outer == stack_.rend()) return;
    outer->paragraph.bullet = true;
    if (!outer->skip) document_.FormatOfParagraph(document_.ParagraphCount() - 1) = outer->paragraph;
  }

  std::string_view rtf_;
  size_t pos_ = 0;
  std::vector<GroupState> stack_{GroupState{}};
  bool destination_start_ = false;
  bool optional_destination_ = false;
  std::vector<uint32_t> colors_;  // the colour table's entries, from 0
  uint32_t color_ = 0;             // the entry being read
  char32_t high_surrogate_ = 0;
  int fallback_to_skip_ = 0;
  Document document_;
};

}  // namespace

std::string WriteRtf(const Document& document) {
  const std::vector<Paragraph> paragraphs = document.Paragraphs();
  const std::vector<uint32_t> colors = ColorTable(paragraphs);
  std::string out = "{\\rtf1\\ansi\\deff0\\uc1{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;";
  for (uint32_t color : colors)
    out.append("\\red").append(std::to_string(color & 0xFF)).append("\\green").append(std::to_string((color >> 8) & 0xFF))
        .append("\\blue").append(std::to_string((color >> 16) & 0xFF)).append(";");
  out.append("}\n");
  for (size_t i = 0; i < paragraphs.size(); ++i) {
    AppendParagraphFormat(paragraphs[i].format, out);
    for (const Run& run : paragraphs[i].runs) AppendRun(run, colors, out);
    if (i + 1 < paragraphs.size()) out.append("\\par\n");
  }
  out.append("}\n");
  return out;
}

bool LooksLikeRtf(std::string_view text) { return text.substr(0, 5) == "{\\rtf"; }

Document ReadRtf(std::string_view rtf) { return RtfReader(rtf).Read(); }

}  // namespace kw::rich_text
