// The headless rich-text box: text and selection in characters, mixed formats, typing, events, window.
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

// A line break ("\v") is one character that stays inside its paragraph.
TEST(RichTextBox, TextAndSelectionCountCodePointsAlsoByName) {
  BoxWorld w("h\xC3\xA9llo \xF0\x9F\x98\x80 w\xC3\xB6rld");
  w.Select(1, 4);
  EXPECT_EQ(w.box->SelText(), "\xC3\xA9llo");
  w.Select(6, 1);
  EXPECT_EQ(w.box->SelText(), "\xF0\x9F\x98\x80");
  w.Select(8, 100);
  EXPECT_EQ(std::tuple(w.box->SelLength(), w.box->SelText()), std::tuple(5, "w\xC3\xB6rld"));
  w.box->SelStart(1000);
  EXPECT_EQ(std::pair(w.box->SelStart(), w.box->SelLength()), std::pair(13, 0));
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

// Typed text takes the format of what it replaces, or at a caret the format before it or set there.
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

  // A format set at a caret is forgotten when the caret moves.
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

// Rows: the member, the value written, and whether it is a paragraph format.
TEST(RichTextBox, SelectionPropertiesAreNullWhenMixed) {
  const std::tuple<const char*, Variant, bool> rows[] = {
      {"SelBold", Variant::Boolean(true), false},      {"SelItalic", Variant::Boolean(true), false},
      {"SelUnderline", Variant::Boolean(true), false}, {"SelColor", Variant::Long(0x0000FF), false},
      {"SelAlignment", Variant::Integer(2), true},     {"SelBullet", Variant::Boolean(true), true}};
  for (const auto& [member, set, paragraph] : rows) {
    BoxWorld w("first line\nsecond line\nthird");
    w.Select(0, 5);  // "first"
    w.box->Let(member, set);
    // Characters: "first line\nseco"; paragraphs: "line\nsec", which spans the first two.
    w.Select(paragraph ? 6 : 0, paragraph ? 8 : 15);
    EXPECT_TRUE(w.box->Get(member).IsNull()) << member;
    w.box->Let(member, set);
    EXPECT_TRUE(VariantEquals(w.box->Get(member), set)) << member;
    w.Select(23, 5);  // "third" was never touched
    EXPECT_FALSE(VariantEquals(w.box->Get(member), set)) << member;
  }
}

// The listener hears focus changes once each and every selection change; the box does not keep it alive.
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
