// The headless rich-text box: text and selection in characters, the selection's formatting read
// as null when mixed and written to the whole selection, typing, events and the window.
#include <gtest/gtest.h>

#include "tests/doubles/raised.h"
#include "ui_shared/platform/service.h"
#include "widgets/rich_text_box.h"

namespace kw {
namespace {

using testing::Raised;

// A box in a private window table, holding `text`, with `start` and `length` selected.
struct BoxWorld {
  explicit BoxWorld(std::string_view text = "") { box->Text(text); }
  void Select(int32_t start, int32_t length) {
    box->SelStart(start);
    box->SelLength(length);
  }
  ScopedService<WindowTable> windows{std::make_shared<WindowTable>()};
  RichTextBoxPtr box = std::make_shared<RichTextBox>();
};

// A form that writes down what the box tells it, reading the selection as it hears of it.
struct RecordingListener : RichTextBoxEvents {
  explicit RecordingListener(RichTextBox& b) : box(b) {}
  void GotFocus() override { heard.emplace_back("GotFocus"); }
  void LostFocus() override { heard.emplace_back("LostFocus"); }
  void SelChange() override {
    heard.push_back("SelChange " + std::to_string(box.SelStart()) + "+" + std::to_string(box.SelLength()));
  }
  RichTextBox& box;
  std::vector<std::string> heard;
};

// Positions and lengths count code points, so accented letters and emoji are one character each;
// by name the box offers its members and refuses others with 438; hwnd cannot be written. Line
// ends of every kind become one paragraph break; a line break ("\v") is one character that stays
// inside its paragraph; bad UTF-8 becomes U+FFFD; negative positions are refused.
TEST(RichTextBox, TextAndSelectionCountCodePointsAlsoByName) {
  BoxWorld w("h\xC3\xA9llo \xF0\x9F\x98\x80 w\xC3\xB6rld");
  w.Select(1, 4);
  EXPECT_EQ(w.box->SelText(), "\xC3\xA9llo");
  w.Select(6, 1);
  EXPECT_EQ(w.box->SelText(), "\xF0\x9F\x98\x80");
  w.Select(8, 100);
  EXPECT_EQ(w.box->SelLength(), 5);
  EXPECT_EQ(w.box->SelText(), "w\xC3\xB6rld");
  w.box->SelStart(1000);
  EXPECT_EQ(w.box->SelStart(), 13);
  EXPECT_EQ(w.box->SelLength(), 0);
  w.box->Let("Text", Variant::Text("by name"));
  w.box->Let("SelStart", Variant::Integer(3));
  w.box->Let("SelLength", Variant::Integer(4));
  EXPECT_EQ(w.box->Get("SelText").GetText(), "name");
  EXPECT_EQ(w.box->Get("text").GetText(), "by name");
  EXPECT_EQ(Raised([&] { w.box->Let("SelStrike", Variant::Integer(1)); }).Number(), err::kNoSuchMember);
  EXPECT_EQ(Raised([&] { w.box->Let("hwnd", Variant::Integer(1)); }).Number(), err::kReadOnly);
  w.box->Text("one\r\ntwo\rthree\vline\nfour\xFF");
  EXPECT_EQ(w.box->Text(), "one\ntwo\nthree\vline\nfour\xEF\xBF\xBD");
  EXPECT_EQ(w.box->Document().ParagraphCount(), 4u);
  w.Select(13, 5);
  EXPECT_EQ(w.box->SelText(), "\vline");
  EXPECT_EQ(Raised([&] { w.box->SelStart(-1); }).Number(), err::kInvalidCall);
  EXPECT_EQ(Raised([&] { w.box->SelLength(-2); }).Number(), err::kInvalidCall);
}

// Setting SelText replaces the selection, takes the format of the replaced text and puts the
// caret after it; typing at a caret continues the format before it, or the format set there.
TEST(RichTextBox, TypingReplacesTheSelectionInItsFormat) {
  BoxWorld w("plain BOLD plain");
  w.Select(6, 4);
  w.box->SelBold(true);
  w.box->SelText("STRONG");
  EXPECT_EQ(w.box->Text(), "plain STRONG plain");
  EXPECT_EQ(w.box->SelStart(), 12);
  w.box->SelText("ER");
  w.Select(6, 8);
  EXPECT_EQ(w.box->SelText(), "STRONGER");
  EXPECT_EQ(w.box->SelBold(), true);
  w.Select(14, 6);
  EXPECT_EQ(w.box->SelBold(), false);

  // A format set at a caret applies to what is typed next there, not to the neighbours, and is
  // forgotten when the caret moves.
  w.box->Text("ab");
  w.box->SelStart(1);
  w.box->SelItalic(true);
  EXPECT_EQ(w.box->SelItalic(), true);
  w.box->SelText("X");
  w.Select(0, 3);
  EXPECT_EQ(w.box->SelItalic(), std::nullopt);
  w.Select(1, 1);
  EXPECT_EQ(w.box->SelItalic(), true);
  w.box->SelStart(3);
  w.box->SelItalic(true);
  w.box->SelStart(3);
  w.box->SelText("Y");
  w.Select(3, 1);
  EXPECT_EQ(w.box->SelItalic(), false);
}

struct MixedRow {
  const char* member;
  Variant set;
  bool paragraph;  // a paragraph format rather than a character format
};

// Each selection property reads null over a mixed selection, its value over a uniform one, and
// writing it by name applies it to the whole selection.
TEST(RichTextBox, SelectionPropertiesAreNullWhenMixed) {
  const MixedRow rows[] = {
      {"SelBold", Variant::Boolean(true), false},      {"SelItalic", Variant::Boolean(true), false},
      {"SelUnderline", Variant::Boolean(true), false}, {"SelColor", Variant::Long(0x0000FF), false},
      {"SelAlignment", Variant::Integer(2), true},     {"SelBullet", Variant::Boolean(true), true},
  };
  for (const auto& row : rows) {
    BoxWorld w("first line\nsecond line\nthird");
    w.Select(0, 5);  // "first"
    w.box->Let(row.member, row.set);
    // Characters: "first line\nseco"; paragraphs: "line\nsec", which spans the first two.
    if (row.paragraph)
      w.Select(6, 8);
    else
      w.Select(0, 15);
    EXPECT_TRUE(w.box->Get(row.member).IsNull()) << row.member;
    w.box->Let(row.member, row.set);
    EXPECT_TRUE(VariantEquals(w.box->Get(row.member), row.set)) << row.member;
    w.Select(23, 5);  // "third" was never touched
    EXPECT_FALSE(VariantEquals(w.box->Get(row.member), row.set)) << row.member;
  }
}

// The listener hears focus changes once each and every selection change, typing included; the
// box's window answers the focus messages and the text length; the box does not keep the
// listener alive, and its window goes with it.
TEST(RichTextBox, TellsTheListenerAndAnswersWindowMessages) {
  BoxWorld w("t\xC3\xA9xt\xC3\xA9");
  auto listener = std::make_shared<RecordingListener>(*w.box);
  w.box->Listener(listener);
  w.box->SetFocus();
  w.box->SetFocus();
  w.Select(1, 2);
  w.box->SelText("ES");
  w.box->Call("SetFocus");
  w.box->KillFocus();
  w.box->KillFocus();
  const Hwnd hwnd = static_cast<Hwnd>(w.box->Get("hwnd").ToLong());
  EXPECT_EQ(w.windows->ClassName(hwnd), "RichTextBox");
  EXPECT_EQ(w.windows->Send(hwnd, RichTextBox::kGetTextLengthMessage), 5);
  w.windows->Send(hwnd, RichTextBox::kSetFocusMessage);
  EXPECT_TRUE(w.box->Focused());
  w.windows->Post(hwnd, RichTextBox::kKillFocusMessage);
  w.windows->DeliverPosted();
  EXPECT_EQ(listener->heard, (std::vector<std::string>{"GotFocus", "SelChange 1+0", "SelChange 1+2", "SelChange 3+0",
                                                       "LostFocus", "GotFocus", "LostFocus"}));
  std::weak_ptr<RecordingListener> gone = listener;
  listener.reset();
  EXPECT_TRUE(gone.expired());
  w.box->SetFocus();
  w.box.reset();
  EXPECT_FALSE(w.windows->Exists(hwnd));
}

}  // namespace
}  // namespace kw
