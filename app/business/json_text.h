// JsonText: a JSON document written front to back into one text, the commas between members and
// items coming by themselves: how the month's report and the region's files are written.
#pragma once

#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

namespace trf {

// A JSON text written front to back; the commas between members and items come by themselves.
class JsonText {
 public:
  // Opens an object or an array (`bracket` '{' or '['); Close ends it.
  void Open(char bracket) {
    Separate();
    out_ += bracket;
    first_ = true;
  }
  void Close(char bracket) {
    out_ += bracket;
    first_ = false;
  }
  // The name of the member whose value comes next.
  JsonText& Name(std::string_view name) {
    Separate();
    Quote(name);
    out_ += ':';
    first_ = true;
    return *this;
  }
  void Text(std::string_view text) {
    Separate();
    Quote(text);
  }
  // A value written as JSON already: a number, true, false or null.
  void Literal(std::string_view literal) {
    Separate();
    out_ += literal;
  }
  void Flag(bool value) { Literal(value ? "true" : "false"); }
  // A number in the fewest digits that read back to the same double.
  void Number(double number) {
    char digits[32];
    auto* const end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    Literal(std::string_view(digits, static_cast<size_t>(end - digits)));
  }
  // A text, or null for an empty one.
  void TextOrNull(const std::string& text) { text.empty() ? Literal("null") : Text(text); }
  // A line break between items, so that a person can read a long array too.
  void Break() { out_ += '\n'; }
  std::string& Out() { return out_; }

 private:
  void Separate() {
    if (!first_) out_ += ',';
    first_ = false;
  }
  // Quotes, backslashes and control characters escaped, UTF-8 as it is.
  void Quote(std::string_view text) {
    out_ += '"';
    for (const char c : text) {
      switch (c) {
        case '"': out_ += "\\\""; break;
        case '\\': out_ += "\\\\"; break;
        case '\n': out_ += "\\n"; break;
        case '\r': out_ += "\\r"; break;
        case '\t': out_ += "\\t"; break;
        default:
          if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out_ += escaped;
          } else {
            out_ += c;
          }
      }
    }
    out_ += '"';
  }

  std::string out_;
  bool first_ = true;
};

}  // namespace trf
