// Reading a JSON document by recursive descent, with the position of the first thing that breaks it.
#include "app/business/json_value.h"

#include <charconv>
#include <cmath>

#include "ui_shared/platform/text.h"

namespace trf {

namespace {

constexpr int kDeepest = 64;

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  JsonValue Document() {
    JsonValue value = Value(0);
    Space();
    if (at_ < text_.size()) Fail("nothing after the document's end");
    return value;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw JsonError{"The JSON breaks at character " + std::to_string(at_ + 1) + ": " + what + "."};
  }
  void Space() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r'))
      ++at_;
  }
  bool Take(char c) {
    Space();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  void Expect(char c) {
    if (!Take(c)) Fail(std::string("'") + c + "' was expected");
  }
  bool Word(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }

  JsonValue Value(int depth) {
    if (depth > kDeepest) Fail("it is nested too deeply");
    Space();
    if (at_ >= text_.size()) Fail("a value was expected");
    const char c = text_[at_];
    if (c == '{') return Members(depth);
    if (c == '[') return Items(depth);
    if (c == '"') return JsonValue(String());
    if (Word("true")) return JsonValue(true);
    if (Word("false")) return JsonValue(false);
    if (Word("null")) return JsonValue();
    return JsonValue(Number());
  }

  JsonValue Members(int depth) {
    ++at_;
    JsonValue::Object members;
    if (Take('}')) return JsonValue(std::move(members));
    do {
      Space();
      if (at_ >= text_.size() || text_[at_] != '"') Fail("a member's name was expected");
      std::string name = String();
      Expect(':');
      members.emplace_back(std::move(name), Value(depth + 1));
    } while (Take(','));
    Expect('}');
    return JsonValue(std::move(members));
  }

  JsonValue Items(int depth) {
    ++at_;
    JsonValue::Array items;
    if (Take(']')) return JsonValue(std::move(items));
    do items.push_back(Value(depth + 1));
    while (Take(','));
    Expect(']');
    return JsonValue(std::move(items));
  }

  double Number() {
    const char* start = text_.data() + at_;
    const char* end = text_.data() + text_.size();
    double number = 0;
    const auto [next, error] = std::from_chars(start, end, number);
    if (error != std::errc() || next == start || !std::isfinite(number)) Fail("a value was expected");
    at_ += static_cast<size_t>(next - start);
    return number;
  }

  unsigned Hex4() {
    if (at_ + 4 > text_.size()) Fail("four hex digits were expected after \\u");
    unsigned code = 0;
    const auto [next, error] = std::from_chars(text_.data() + at_, text_.data() + at_ + 4, code, 16);
    if (error != std::errc() || next != text_.data() + at_ + 4) Fail("four hex digits were expected after \\u");
    at_ += 4;
    return code;
  }

  std::string String() {
    ++at_;  // the opening quote
    std::string out;
    while (true) {
      if (at_ >= text_.size()) Fail("the text has no closing quote");
      if (static_cast<unsigned char>(text_[at_]) < 0x20) Fail("a control character stands unescaped in a text");
      const char c = text_[at_++];
      if (c == '"') return out;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ >= text_.size()) Fail("the text has no closing quote");
      const char escaped = text_[at_++];
      switch (escaped) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
          char32_t code = Hex4();
          if (code >= 0xD800 && code < 0xDC00 && Word("\\u")) {
            const unsigned low = Hex4();
            if (low < 0xDC00 || low >= 0xE000) Fail("a surrogate pair is broken");
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
          }
          kw::text::AppendUtf8(code, out);
          break;
        }
        default: Fail(std::string("\\") + escaped + " is no escape");
      }
    }
  }

  std::string_view text_;
  size_t at_ = 0;
};

[[noreturn]] void WrongKind(std::string_view what, std::string_view kind) {
  throw JsonError{std::string(what) + " should be " + std::string(kind) + "."};
}

}  // namespace

bool JsonValue::Flag(std::string_view what) const {
  if (const bool* flag = std::get_if<bool>(&value_)) return *flag;
  WrongKind(what, "true or false");
}

double JsonValue::Number(std::string_view what) const {
  if (const double* number = std::get_if<double>(&value_)) return *number;
  WrongKind(what, "a number");
}

const std::string& JsonValue::Text(std::string_view what) const {
  if (const std::string* text = std::get_if<std::string>(&value_)) return *text;
  WrongKind(what, "a text");
}

const JsonValue::Array& JsonValue::Items(std::string_view what) const {
  if (const Array* items = std::get_if<Array>(&value_)) return *items;
  WrongKind(what, "a list");
}

const JsonValue::Object& JsonValue::Members(std::string_view what) const {
  if (const Object* members = std::get_if<Object>(&value_)) return *members;
  WrongKind(what, "an object");
}

const JsonValue* JsonValue::Find(std::string_view name) const {
  const Object* members = std::get_if<Object>(&value_);
  if (!members) return nullptr;
  for (const auto& [member, value] : *members)
    if (member == name) return &value;
  return nullptr;
}

const JsonValue& JsonValue::operator[](std::string_view name) const {
  if (const JsonValue* found = Find(name)) return *found;
  throw JsonError{"The member \"" + std::string(name) + "\" is missing."};
}

JsonValue ParseJson(std::string_view text) { return Reader(text).Document(); }

}  // namespace trf
