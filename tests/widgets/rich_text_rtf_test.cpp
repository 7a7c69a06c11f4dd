// The rich-text box's content as RTF: what is written, read back, and read from other programs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ui_shared/platform/service.h"
#include "ui_shared/platform/system_colors.h"
#include "widgets/rich_text_box.h"
#include "widgets/rich_text_rtf.h"

namespace kw::rich_text {
namespace {

// One line per run and per paragraph, so that documents compare with a readable difference.
std::vector<std::string> Describe(const Document& document) {
  std::vector<std::string> lines;
  for (const auto& paragraph : document.Paragraphs()) {
    lines.push_back("paragraph align " + std::to_string(paragraph.format.alignment) +
                    (paragraph.format.bullet ? " bullet" : ""));
    for (const auto& run : paragraph.runs) {
      Document only;
      for (char32_t c : run.text) only.Append(c, run.format);
      std::string text;
      for (char c : only.Text()) text += c == '\t' ? "\\t" : c == '\v' ? "\\v" : std::string(1, c);
      lines.push_back("  " + std::string(run.format.bold ? "B" : "-") + (run.format.italic ? "I" : "-") +
                      (run.format.underline ? "U" : "-") + " " + std::to_string(run.format.color) + " [" + text + "]");
    }
  }
  return lines;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A box whose content uses every feature the writer has, down to an empty centred last paragraph.
struct FormattedBox {
  FormattedBox() {
    colors->SetSysColor(8, Rgb(1, 2, 3));
    box->Text(
        "Title {braces} back\\slash\ttab\nfirst item caf\xC3\xA9\nsecond item \xF0\x9F\x98\x80\n"
        "right\v\xD0\xBF\xD1\x80.\n");
    Format(0, 5, [&] {
      box->SelBold(true);
      box->SelAlignment(kAlignCenter);
    });
    Format(6, 8, [&] {
      box->SelItalic(true);
      box->SelColor(0x0000FF);
    });
    Format(15, 10, [&] {
      box->SelUnderline(true);
      box->SelColor(0x00FF00);
    });
    Format(30, 29, [&] { box->SelBullet(true); });
    Format(36, 12, [&] {
      box->SelBold(true);
      box->SelItalic(true);
      box->SelUnderline(true);
    });
    Format(60, 5, [&] { box->SelAlignment(kAlignRight); });
    Format(66, 3, [&] { box->SelColor(kSystemColorFlag | 8); });
    Format(70, 0, [&] { box->SelAlignment(kAlignCenter); });
  }
  template <class F>
  void Format(int32_t start, int32_t length, F apply) {
    box->SelStart(start);
    box->SelLength(length);
    apply();
  }
  ScopedService<WindowTable> windows{std::make_shared<WindowTable>()};
  std::shared_ptr<SystemColors> colors = std::make_shared<SystemColors>();
  ScopedService<SystemColors> system_colors{colors};
  RichTextBoxPtr box = std::make_shared<RichTextBox>();
};

// Other readers need 7-bit RTF, \u with an escaped fallback, no automatic colour in the table, \line for a
// line break, and a system colour as its colour now and by its number.
TEST(RichTextRtf, ReadsBackEverythingItWrote) {
  FormattedBox formatted;
  const std::string rtf = formatted.box->TextRTF();
  auto copy = std::make_shared<RichTextBox>();
  copy->TextRTF(rtf);
  EXPECT_EQ(copy->Text(), formatted.box->Text());
  EXPECT_EQ(Describe(copy->Document()), Describe(formatted.box->Document()));
  EXPECT_EQ(copy->TextRTF(), rtf);
  EXPECT_TRUE(LooksLikeRtf(rtf));
  const char* const expected[] = {
      R"({\colortbl;\red255\green0\blue0;\red0\green255\blue0;\red1\green2\blue3\trfsyscolor8;})",
      R"(\pard\qc {\b Title}{ }{\i\cf1 \{braces\}}{ }{\ul\cf2 back\\slash}{\tab tab}\par)",
      R"({\pntext\f0\'95\tab}{\*\pn\pnlvlblt\pnf0\pnindent360{\pntxtb\'95}})",
      "caf\\'e9",
      R"(\u-10179\'3f\u-8704\'3f)",
      "\\pard\\qr {right\\line }{\\cf3 \\u1087\\'3f\\u1088\\'3f.}\\par\n\\pard\\qc }"};
  for (const char* piece : expected) EXPECT_NE(rtf.find(piece), std::string::npos) << piece << "\nin\n" << rtf;
  for (char c : rtf) EXPECT_LT(static_cast<unsigned char>(c), 0x80);
}

// A paragraph break's own format matters: text typed at the end of the paragraph takes it.
TEST(RichTextRtf, BreakFormatsColoursAndIllFormedTextSurvive) {
  const Document bold_break = ReadRtf(R"({\rtf1{\b\par}})");
  ASSERT_TRUE(bold_break.Paragraphs().at(0).mark.bold);
  EXPECT_TRUE(ReadRtf(WriteRtf(bold_break)).Paragraphs().at(0).mark.bold);
  Document colored;
  const uint32_t reference = kSystemColorFlag | 1730537253u;  // any 31-bit number comes back as itself
  colored.Append(U'x', CharFormat{false, false, false, reference});
  colored.Append(kParagraphBreak, CharFormat{false, false, false, 0x0000FF});
  const Document again = ReadRtf(WriteRtf(colored));
  EXPECT_EQ(again.Paragraphs().at(0).runs.at(0).format.color, reference);
  EXPECT_EQ(again.Paragraphs().at(0).mark.color, 0x0000FFu);
  ScopedService<WindowTable> windows{std::make_shared<WindowTable>()};
  auto box = std::make_shared<RichTextBox>();
  box->Text("x");
  box->SelLength(1);
  box->SelColor(0x6A7D7E00u);
  EXPECT_EQ(box->SelColor(), 0x007D7E00u);
  box->Text("a\xF4\x90\x80\x80z\xED\xA0\x80");
  const std::string r = "\xEF\xBF\xBD";
  EXPECT_EQ(box->Text(), "a" + r + r + r + r + "z" + r + r + r);
  auto copy = std::make_shared<RichTextBox>();
  copy->TextRTF(box->TextRTF());
  EXPECT_EQ(copy->Text(), box->Text());
  EXPECT_EQ(ReadRtf("{\\rtf1 \\u-9216?x}").Text(), "\xEF\xBF\xBDx");  // a lone surrogate, U+DC00
}

// Each sample beside this source reads as its .expected file says a person sees it.
TEST(RichTextRtf, ReadsOtherProgramsRtfAsWrittenAndTheEdgesOfRtf) {
  size_t samples = 0;
  for (const auto& entry : std::filesystem::directory_iterator(RTF_SAMPLES_DIR)) {
    if (entry.path().extension() != ".rtf") continue;
    ++samples;
    std::filesystem::path expected_file = entry.path();
    std::istringstream expected(ReadFile(expected_file.replace_extension(".expected")));
    std::vector<std::string> lines;
    for (std::string line; std::getline(expected, line);) lines.push_back(line);
    EXPECT_EQ(Describe(ReadRtf(ReadFile(entry.path()))), lines) << entry.path();
  }
  EXPECT_EQ(samples, 5u);
  // Text that is no RTF is plain text; broken RTF reads as far as it goes.
  const Document document = ReadRtf(
      "{\\rtf1\\ansi{\\colortbl ;\\red0\\green128\\blue0;}\\pard\\qc\\b Hello\\b0  \\i\\cf1 green\\i0\\cf0\\par\r\n"
      "\\pard\\plain caf\\'e9 \\u8364?\\~x{\\*\\unknown skipped}\\par\r\n}");
  EXPECT_EQ(Describe(document),
            (std::vector<std::string>{"paragraph align 2", "  B-- 0 [Hello]", "  --- 0 [ ]", "  -I- 32768 [green]",
                                      "paragraph align 0", "  --- 0 [caf\xC3\xA9 \xE2\x82\xAC\xC2\xA0x]",
                                      "paragraph align 0"}));
  ScopedService<WindowTable> windows{std::make_shared<WindowTable>()};
  RichTextBox box;
  box.TextRTF("just {text}\r\nhere");
  EXPECT_EQ(box.Text(), "just {text}\nhere");
  box.TextRTF("{\\rtf1 {\\b open");
  EXPECT_EQ(box.Text(), "open");
  EXPECT_EQ(box.SelBold(), true);
  box.TextRTF("{\\rtf1 }}} tail\\");
  EXPECT_EQ(box.Text(), " tail");
  box.TextRTF(R"({\rtf1\ansicpg932 \'93{\b x}\bin99)");
  EXPECT_EQ(box.Text(), "x");
}

// A font's character set names the code page of its bytes. Each byte reads on its own, so Hebrew
// points and Vietnamese tone marks stay combining characters after their letters.
TEST(RichTextRtf, ReadsBytesInTheCodePageOfTheirFont) {
  struct Row {
    const char* name;
    int charset;
    const char* bytes;
    const char* text;
  };
  const Row rows[] = {
      {"Hebrew letters", 177, R"(\'f9\'ec\'e5\'ed)", "\u05E9\u05DC\u05D5\u05DD"},
      {"Hebrew letter with points", 177, R"(\'f9\'d1\'c8)", "\u05E9\u05C1\u05B8"},
      {"Vietnamese tone mark", 163, R"(Vi\'ea\'f2t)", "Vi\u00EA\u0323t"},
      {"Japanese", 128, R"(\'93\'8c)", "\u6771"},
      {"simplified Chinese", 134, R"(\'c4\'e3)", "\u4F60"},
      {"Korean", 129, R"(\'b0\'a1)", "\uAC00"},
      {"traditional Chinese", 136, R"(\'a4\'a4)", "\u4E2D"},
      {"Korean Johab", 130, R"(\'88\'61)", "\uAC00"},
  };
  for (const Row& row : rows) {
    const std::string rtf =
        R"({\rtf1{\fonttbl{\f0\fcharset)" + std::to_string(row.charset) + R"( F;}}\f0 )" + row.bytes + "}";
    EXPECT_EQ(ReadRtf(rtf).Text(), row.text) << row.name;
  }
}

// A \upr group holds a writer's text twice: the Unicode twin in its \ud group is read instead of
// the ANSI text, which is read only where there is no twin. \bin n makes the next n bytes data,
// skipped whatever they hold; with no count, or a count of 0, it skips nothing.
TEST(RichTextRtf, ReadsUprTextFromItsTwinAndSkipsOnlyTheBinaryBytesCounted) {
  struct Row {
    const char* name;
    const char* rtf;
    std::vector<std::string> document;
  };
  const Row rows[] = {
      {"twin", R"({\rtf1 a{\upr{b}{\*\ud{\u1488?}}}c})", {"paragraph align 0", "  --- 0 [a\u05D0c]"}},
      {"no twin", R"({\rtf1 a{\upr{b}}c})", {"paragraph align 0", "  --- 0 [abc]"}},
      {"formats in both",
       R"({\rtf1 a{\upr{\b b\par}{\*\ud{\i \u1488?}}}c})",
       {"paragraph align 0", "  --- 0 [a]", "  -I- 0 [\u05D0]", "  --- 0 [c]"}},
      {"twin inside a twin", R"({\rtf1{\upr{a}{\*\ud{\upr{b}{\*\ud{c}}}d}}})", {"paragraph align 0", "  --- 0 [cd]"}},
      {"braces as text and data", R"({\rtf1{\upr{\}\bin1 {}{\*\ud{u}}}})", {"paragraph align 0", "  --- 0 [u]"}},
      {"three binary bytes", R"({\rtf1 a\bin3 {}bc})", {"paragraph align 0", "  --- 0 [ac]"}},
      {"a binary count of 0", R"({\rtf1 a\bin0 bc})", {"paragraph align 0", "  --- 0 [abc]"}},
      {"no binary count", R"({\rtf1 a\bin bc})", {"paragraph align 0", "  --- 0 [abc]"}},
  };
  for (const Row& row : rows) EXPECT_EQ(Describe(ReadRtf(row.rtf)), row.document) << row.name;
}

}  // namespace
}  // namespace kw::rich_text
