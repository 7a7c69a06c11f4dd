// The RTF writer: the document as RTF that other programs read as it was written.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "ui_shared/platform/service.h"
#include "ui_shared/platform/system_colors.h"
#include "widgets/rich_text_code_page.h"
#include "widgets/rich_text_rtf.h"
#include "widgets/rich_text_rtf_words.h"

namespace kw::rich_text {
namespace {

// Every colour the runs and paragraph breaks use but the automatic one, in order of first use;
// RTF numbers them from 1.
std::vector<uint32_t> ColorTable(const std::vector<Paragraph>& paragraphs) {
  std::vector<uint32_t> colors;
  auto add = [&colors](uint32_t color) {
    if (color != 0 && std::find(colors.begin(), colors.end(), color) == colors.end()) colors.push_back(color);
  };
  for (const auto& paragraph : paragraphs) {
    for (const auto& run : paragraph.runs) add(run.format.color);
    add(paragraph.mark.color);
  }
  return colors;
}

// A colour table entry: the colour's RGB, and for a system colour the word that keeps which one.
void AppendColor(uint32_t color, std::string& out) {
  const uint32_t rgb = Service<SystemColors>::Get().Resolve(color);
  out.append("\\red")
      .append(std::to_string(rgb & 0xFF))
      .append("\\green")
      .append(std::to_string((rgb >> 8) & 0xFF))
      .append("\\blue")
      .append(std::to_string((rgb >> 16) & 0xFF));
  if (color & kSystemColorFlag)
    out.append("\\").append(kSystemColorWord).append(std::to_string(color & ~kSystemColorFlag));
  out.push_back(';');
}

void AppendByte(unsigned char byte, std::string& out) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "\\'%02x", static_cast<unsigned>(byte));
  out.append(hex);
}

// A UTF-16 unit as \uN with a "?" escaped as \'3f for its fallback: a reader that knows \u skips
// exactly that one escape, whatever it takes for the end of the control word.
void AppendUnit(int32_t unit, std::string& out) {
  out.append("\\u").append(std::to_string(unit > 0x7FFF ? unit - 0x10000 : unit));
  AppendByte('?', out);
}

// The characters of a run, in the document's code page where it has them.
void AppendEscaped(char32_t c, CodePages& code_pages, std::string& out) {
  if (c == '\\' || c == '{' || c == '}') {
    out.push_back('\\');
    out.push_back(static_cast<char>(c));
  } else if (c == '\t') {
    out.append("\\tab ");
  } else if (c == kLineBreak) {
    out.append("\\line ");
  } else if (c < 0x20) {
    AppendByte(static_cast<unsigned char>(c), out);
  } else if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (const auto byte = code_pages.Encode(kDefaultCodePage, c)) {
    AppendByte(*byte, out);
  } else if (c < 0x10000) {
    AppendUnit(static_cast<int32_t>(c), out);
  } else {
    const char32_t v = c - 0x10000;
    AppendUnit(static_cast<int32_t>(0xD800 + (v >> 10)), out);
    AppendUnit(static_cast<int32_t>(0xDC00 + (v & 0x3FF)), out);
  }
}

// A bullet is the code page's bullet character (\'95), as marker text for readers that do not
// number paragraphs themselves and as the paragraph's numbering for those that do.
void AppendParagraphFormat(const ParagraphFormat& format, std::string& out) {
  out.append("\\pard");
  if (format.alignment == kAlignRight) out.append("\\qr");
  if (format.alignment == kAlignCenter) out.append("\\qc");
  if (format.bullet) out.append(R"({\pntext\f0\'95\tab}{\*\pn\pnlvlblt\pnf0\pnindent360{\pntxtb\'95}}\fi-360\li360)");
  out.push_back(' ');
}

// The control words of a character format; false when it is the default and there are none.
bool AppendCharFormat(const CharFormat& format, const std::vector<uint32_t>& colors, std::string& out) {
  const size_t words = out.size();
  if (format.bold) out.append("\\b");
  if (format.italic) out.append("\\i");
  if (format.underline) out.append("\\ul");
  if (format.color != 0)
    out.append("\\cf").append(
        std::to_string(std::find(colors.begin(), colors.end(), format.color) - colors.begin() + 1));
  return out.size() > words;
}

void AppendRun(const Run& run, const std::vector<uint32_t>& colors, CodePages& code_pages, std::string& out) {
  out.push_back('{');
  if (AppendCharFormat(run.format, colors, out)) out.push_back(' ');
  for (char32_t c : run.text) AppendEscaped(c, code_pages, out);
  out.push_back('}');
}

// A paragraph break in its own format, so that text typed at the end of the paragraph takes it.
void AppendParagraphBreak(const CharFormat& mark, const std::vector<uint32_t>& colors, std::string& out) {
  std::string words;
  if (AppendCharFormat(mark, colors, words))
    out.append("{").append(words).append("\\par}\n");
  else
    out.append("\\par\n");
}

}  // namespace

std::string WriteRtf(const Document& document) {
  const std::vector<Paragraph> paragraphs = document.Paragraphs();
  const std::vector<uint32_t> colors = ColorTable(paragraphs);
  CodePages code_pages;
  std::string out = R"({\rtf1\ansi\ansicpg)" + std::to_string(kDefaultCodePage) +
                    R"(\deff0\uc1{\fonttbl{\f0\fswiss\fcharset0 Arial;}}{\colortbl;)";
  for (uint32_t color : colors) AppendColor(color, out);
  out.append("}\n");
  for (size_t i = 0; i < paragraphs.size(); ++i) {
    AppendParagraphFormat(paragraphs[i].format, out);
    for (const Run& run : paragraphs[i].runs) AppendRun(run, colors, code_pages, out);
    if (i + 1 < paragraphs.size()) AppendParagraphBreak(paragraphs[i].mark, colors, out);
  }
  out.append("}\n");
  return out;
}

bool LooksLikeRtf(std::string_view text) { return text.substr(0, 5) == "{\\rtf"; }

}  // namespace kw::rich_text
