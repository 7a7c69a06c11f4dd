// JsonValue: a JSON document read into a tree, for the documents this program writes and reads back
// (a filed month's report, a region's import). Numbers are doubles; texts are UTF-8 with their
// escapes resolved; an object keeps its members in the order they came.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace trf {

class JsonValue {
 public:
  using Array = std::vector<JsonValue>;
  using Object = std::vector<std::pair<std::string, JsonValue>>;

  JsonValue() = default;  // null
  explicit JsonValue(bool flag) : value_(flag) {}
  explicit JsonValue(double number) : value_(number) {}
  explicit JsonValue(std::string text) : value_(std::move(text)) {}
  explicit JsonValue(Array items) : value_(std::move(items)) {}
  explicit JsonValue(Object members) : value_(std::move(members)) {}

  bool IsNull() const { return std::holds_alternative<std::monostate>(value_); }
  bool IsText() const { return std::holds_alternative<std::string>(value_); }
  bool IsNumber() const { return std::holds_alternative<double>(value_); }
  bool IsFlag() const { return std::holds_alternative<bool>(value_); }
  bool IsArray() const { return std::holds_alternative<Array>(value_); }
  bool IsObject() const { return std::holds_alternative<Object>(value_); }

  // The value as the kind asked for; a JsonError naming `what` and the kind it is instead otherwise.
  bool Flag(std::string_view what) const;
  double Number(std::string_view what) const;
  const std::string& Text(std::string_view what) const;
  const Array& Items(std::string_view what) const;
  const Object& Members(std::string_view what) const;
  // The member `name` of an object; a JsonError when this is no object or has no such member.
  const JsonValue& operator[](std::string_view name) const;
  // The member `name`, or nullptr when the object has none.
  const JsonValue* Find(std::string_view name) const;

 private:
  std::variant<std::monostate, bool, double, std::string, Array, Object> value_;
};

// What is wrong with a JSON document, in words: where in it, and what was expected.
struct JsonError {
  std::string sentence;
};

// Reads `text` as one JSON document (whitespace around it allowed); a JsonError saying where it
// breaks otherwise. Nesting deeper than 64 levels is refused.
JsonValue ParseJson(std::string_view text);

}  // namespace trf
