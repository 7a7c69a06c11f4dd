// The rich-text box's content as RTF: what the writer writes, that the reader takes it all back,
// and that the reader understands the same features from another writer.
#include <gtest/gtest.h>

#include "ui_shared/platform/service.h"
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
      lines.push_back("  " + std::string(run.format.bold ? "B" : "-") + (run.format.italic ? "I" : "-") +
                      (run.format.underline ? "U" : "-") + " " + std::to_string(run.format.color) + " [" +
                      only.Text() + "]");
    }
  }
  return lines;
}

// A box whose content uses every feature: character formats and colours, the three alignments,
// bullets, characters RTF must escape, text beyond 7 bits, and an empty centred last paragraph.
struct FormattedBox {
  FormattedBox() {
    box->Text("Title {braces} back\\slash\ttab\nfirst item caf\xC3\xA9\nsecond item \xF0\x9F\x98\x80\nright\n");
    Format(0, 5, [&] { box->SelBold(true); box->SelAlignment(kAlignCenter); });
    Format(6, 8, [&] { box->SelItalic(true); box->SelColor(0x0000FF); });
    Format(15, 10, [&] { box->SelUnderline(true); box->SelColor(0x00FF00); });
    Format(30, 29, [&] { box->SelBullet(true); });
    Format(36, 12, [&] { box->SelBold(true); box->SelItalic(true); box->SelUnderline(true); });
    Format(60, 5, [&] { box->SelAlignment(kAlignRight); });
    Format(66, 0, [&] { box->SelAlignment(kAlignCenter); });
  }
  template <class F>
  void Format(int32_t start, int32_t length, F apply) {
    box->SelStart(start);
    box->SelLength(length);
    apply();
  }
  ScopedService<WindowTable> windows{std::make_shared<WindowTable>()};
  RichTextBoxPtr box = std::make_shared<RichTextBox>();
};

// Everything a user formatted comes back from the box's own RTF unchanged, and that RTF has the
// expected pieces.
TEST(RichTextRtf, ReadsBackEverythingItWrote) {
  FormattedBox formatted;
  const std::string rtf = formatted.box->TextRTF();
  auto copy = std::make_shared<RichTextBox>();
  copy->TextRTF(rtf);
  EXPECT_EQ(copy->Text(), formatted.box->Text());
  EXPECT_EQ(Describe(copy->Document()), Describe(formatted.box->Document()));
  EXPECT_EQ(copy->TextRTF(), rtf);
  // The RTF is 7-bit, escapes braces and backslashes, lists the colours it uses and writes
  // characters beyond 7 bits as \u escapes (surrogate pairs beyond 16 bits).
  EXPECT_TRUE(LooksLikeRtf(rtf));
  const char* const expected[] = {
      "{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red0\\green255\\blue0;}",
      "\\pard\\qc {\\b\\cf1 Title}",
      "{\\i\\cf2 \\{braces\\}}",
      "{\\ul\\cf3 back\\\\slash}{\\cf1 \\tab tab}",
      "\\pnlvlblt",
      "caf\\u233?",
      "\\u-10179?\\u-8704?",
      "\\pard\\qr {\\cf1 right}\\par\n\\pard\\qc }",
  };
  for (const char* piece : expected) EXPECT_NE(rtf.find(piece), std::string::npos) << piece << "\nin\n" << rtf;
  for (char c : rtf) EXPECT_LT(static_cast<unsigned char>(c), 0x80);
}

// A note typed with bytes that are no UTF-8 is saved and read back as the box shows it: one
// U+FFFD per ill-formed piece; a lone surrogate escape from another writer reads as U+FFFD too.
TEST(RichTextRtf, IllFormedTextComesBackAsTheBoxShowsIt) {
  ScopedService<WindowTable> windows{std::make_shared<WindowTable>()};
  auto box = std::make_shared<RichTextBox>();
  box->Text("a\xF4\x90\x80\x80z\xED\xA0\x80");
  const std::string r = "\xEF\xBF\xBD";
  EXPECT_EQ(box->Text(), "a" + r + r + r + r + "z" + r + r + r);
  auto copy = std::make_shared<RichTextBox>();
  copy->TextRTF(box->TextRTF());
  EXPECT_EQ(copy->Text(), box->Text());
  EXPECT_EQ(ReadRtf("{\\rtf1 \\u-9216?x}").Text(), "\xEF\xBF\xBDx");
}

// RTF from another writer: font tables, generator notes and bullet text are skipped, \plain and
// \pard reset, toggles with 0 switch off, \'hh and \u escapes give their characters.
TEST(RichTextRtf, ReadsAnotherWritersRtf) {
  const std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Times;}}"
      "{\\colortbl ;\\red0\\green128\\blue0;}{\\*\\generator Other 1.0;}\\viewkind4\\uc1\r\n"
      "\\pard\\qc\\b Hello\\b0  \\i\\cf1 green\\i0\\cf0\\par\r\n"
      "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\ul item\\ulnone\\par\r\n"
      "\\pard\\plain caf\\'e9 \\u8364?\\~x{\\*\\unknown skipped}\\par\r\n}";
  const Document document = ReadRtf(rtf);
  EXPECT_EQ(document.Text(), "Hello green\nitem\ncaf\xC3\xA9 \xE2\x82\xAC\xC2\xA0x\n");
  EXPECT_EQ(Describe(document), (std::vector<std::string>{
                                    "paragraph align 2",
                                    "  B-- 0 [Hello]",
                                    "  --- 0 [ ]",
                                    "  -I- 32768 [green]",
                                    "paragraph align 0 bullet",
                                    "  --U 0 [item]",
                                    "paragraph align 0",
                                    "  --- 0 [caf\xC3\xA9 \xE2\x82\xAC\xC2\xA0x]",
                                    "paragraph align 0",
                                }));

  // Text that is no RTF is taken as plain text; broken RTF is read as far as it goes.
  ScopedService<WindowTable> windows{std::make_shared<WindowTable>()};
  RichTextBox box;
  box.TextRTF("just {text}\r\nhere");
  EXPECT_EQ(box.Text(), "just {text}\nhere");
  box.TextRTF("{\\rtf1 {\\b open");
  EXPECT_EQ(box.Text(), "open");
  EXPECT_EQ(box.SelBold(), true);
  box.TextRTF("{\\rtf1 }}} tail\\");
  EXPECT_EQ(box.Text(), " tail");
}

}  // namespace
}  // namespace kw::rich_text
