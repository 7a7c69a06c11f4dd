// Checking documents against the published schemas, keyword by keyword.
#include "app/business/json_schema.h"

#include <algorithm>
#include <cmath>
#include <regex>
#include <set>
#include <string_view>

#include "app/business/published_schemas.h"

namespace trf {

namespace {

// Keywords that only describe: they check nothing.
const std::set<std::string, std::less<>> kDescriptive = {"$schema", "$id", "$defs", "title", "description"};

std::string KindOf(const JsonValue& value) {
  if (value.IsNull()) return "null";
  if (value.IsFlag()) return "boolean";
  if (value.IsNumber()) return "number";
  if (value.IsText()) return "string";
  return value.IsArray() ? "array" : "object";
}

bool IsOfType(const JsonValue& value, const std::string& type) {
  if (type == "integer") return value.IsNumber() && std::trunc(value.Number("")) == value.Number("");
  return KindOf(value) == type;
}

// Two values equal as JSON compares them.
bool SameJson(const JsonValue& a, const JsonValue& b) {
  if (KindOf(a) != KindOf(b)) return false;
  if (a.IsNull()) return true;
  if (a.IsFlag()) return a.Flag("") == b.Flag("");
  if (a.IsNumber()) return a.Number("") == b.Number("");
  if (a.IsText()) return a.Text("") == b.Text("");
  if (a.IsArray()) {
    const auto& x = a.Items("");
    const auto& y = b.Items("");
    if (x.size() != y.size()) return false;
    for (size_t i = 0; i < x.size(); ++i)
      if (!SameJson(x[i], y[i])) return false;
    return true;
  }
  const auto& x = a.Members("");
  if (x.size() != b.Members("").size()) return false;
  return std::ranges::all_of(x, [&b](const auto& member) {
    const JsonValue* other = b.Find(member.first);
    return other && SameJson(member.second, *other);
  });
}

// One check of a document against one schema, from the root schema `root`; the first thing wrong goes
// into `why`.
class Checker {
 public:
  Checker(const std::map<std::string, JsonValue>& schemas, std::string& why) : schemas_(schemas), why_(why) {}

  // Whether `value` at `path` follows `schema`; the member names it checked go into `evaluated`.
  bool Follows(const JsonValue& schema, const JsonValue& root, const JsonValue& value, const std::string& path,
               std::set<std::string>& evaluated) {
    // Which members were checked is known only once every other keyword ran.
    const JsonValue* unevaluated = nullptr;
    for (const auto& [keyword, argument] : schema.Members("A schema")) {
      if (kDescriptive.contains(keyword)) continue;
      if (keyword == "unevaluatedProperties") {
        unevaluated = &argument;
        continue;
      }
      if (!Keyword(keyword, argument, schema, root, value, path, evaluated)) return false;
    }
    return !unevaluated || Keyword("unevaluatedProperties", *unevaluated, schema, root, value, path, evaluated);
  }

 private:
  bool Fail(const std::string& path, const std::string& what) {
    why_ = (path.empty() ? std::string("the document") : path) + ": " + what;
    return false;
  }

  // The schema a $ref names, and the root it belongs to.
  std::pair<const JsonValue*, const JsonValue*> Resolve(const std::string& ref, const JsonValue& root) const {
    const size_t hash = ref.find('#');
    const JsonValue* base = &root;
    if (hash != 0) {
      const auto found = schemas_.find(ref.substr(0, hash));
      if (found == schemas_.end()) throw JsonError{"The schema " + ref + " is not one of the published ones."};
      base = &found->second;
    }
    const JsonValue* target = base;
    if (hash != std::string::npos) {
      std::string pointer = ref.substr(hash + 1);
      size_t at = 1;
      while (at <= pointer.size() && !pointer.empty()) {
        const size_t end = std::min(pointer.find('/', at), pointer.size());
        target = &(*target)[pointer.substr(at, end - at)];
        at = end + 1;
      }
    }
    return {target, base};
  }

  const std::regex& Pattern(const std::string& pattern) {
    auto found = patterns_.find(pattern);
    if (found == patterns_.end()) found = patterns_.emplace(pattern, std::regex(pattern)).first;
    return found->second;
  }

  bool Keyword(const std::string& keyword, const JsonValue& argument, const JsonValue& schema, const JsonValue& root,
               const JsonValue& value, const std::string& path, std::set<std::string>& evaluated) {
    if (keyword == "type") {
      const std::vector<JsonValue> types = argument.IsArray() ? argument.Items("") : std::vector<JsonValue>{argument};
      std::string names;
      for (const JsonValue& type : types) {
        if (IsOfType(value, type.Text("A type"))) return true;
        names += (names.empty() ? "" : " or ") + type.Text("A type");
      }
      return Fail(path, names + " was expected, not " + KindOf(value));
    }
    if (keyword == "const") return SameJson(argument, value) || Fail(path, "it is not the one value it must be");
    if (keyword == "enum") {
      for (const JsonValue& allowed : argument.Items("An enum"))
        if (SameJson(allowed, value)) return true;
      return Fail(path, "it is none of the values it may take");
    }
    if (keyword == "pattern") {
      if (!value.IsText() || std::regex_search(value.Text(""), Pattern(argument.Text("A pattern")))) return true;
      return Fail(path, "\"" + value.Text("") + "\" is not written as it must be (" + argument.Text("") + ")");
    }
    if (keyword == "minLength") {
      if (!value.IsText() || value.Text("").size() >= static_cast<size_t>(argument.Number(""))) return true;
      return Fail(path, "the text is too short");
    }
    if (keyword == "minItems") {
      if (!value.IsArray() || value.Items("").size() >= static_cast<size_t>(argument.Number(""))) return true;
      return Fail(path, "the list has too few items");
    }
    if (keyword == "required") {
      if (!value.IsObject()) return true;
      for (const JsonValue& name : argument.Items("Required members"))
        if (!value.Find(name.Text(""))) return Fail(path, "the member \"" + name.Text("") + "\" is missing");
      return true;
    }
    if (keyword == "properties") {
      if (!value.IsObject()) return true;
      for (const auto& [name, member_schema] : argument.Members("Properties")) {
        const JsonValue* member = value.Find(name);
        if (!member) continue;
        evaluated.insert(name);
        std::set<std::string> inner;
        std::string member_path = path;
        member_path += '/';
        member_path += name;
        if (!Follows(member_schema, root, *member, member_path, inner)) return false;
      }
      return true;
    }
    if (keyword == "additionalProperties" || keyword == "unevaluatedProperties") {
      if (!value.IsObject() || !argument.IsFlag() || argument.Flag("")) return true;
      std::set<std::string> known = evaluated;
      if (keyword == "additionalProperties") {
        known.clear();
        if (const JsonValue* properties = schema.Find("properties"))
          for (const auto& [name, ignored] : properties->Members("")) known.insert(name);
      }
      for (const auto& [name, ignored] : value.Members(""))
        if (!known.contains(name)) return Fail(path, "the member \"" + name + "\" is not one it may have");
      return true;
    }
    if (keyword == "items") {
      if (!value.IsArray()) return true;
      const JsonValue::Array& items = value.Items("");
      for (size_t i = 0; i < items.size(); ++i) {
        std::set<std::string> inner;
        if (!Follows(argument, root, items[i], path + "/" + std::to_string(i), inner)) return false;
      }
      return true;
    }
    if (keyword == "$ref") {
      const auto [target, target_root] = Resolve(argument.Text("A reference"), root);
      return Follows(*target, *target_root, value, path, evaluated);
    }
    if (keyword == "allOf") {
      for (const JsonValue& part : argument.Items("allOf"))
        if (!Follows(part, root, value, path, evaluated)) return false;
      return true;
    }
    if (keyword == "oneOf") {
      int matching = 0;
      std::set<std::string> matched;
      const std::string before = why_;
      for (const JsonValue& part : argument.Items("oneOf")) {
        std::set<std::string> inner = evaluated;
        if (Follows(part, root, value, path, inner)) {
          ++matching;
          matched = std::move(inner);
        }
      }
      why_ = before;
      if (matching != 1) return Fail(path, "it matches none of the forms it may take");
      evaluated.insert(matched.begin(), matched.end());
      return true;
    }
    throw JsonError{"The schema uses the keyword \"" + keyword + "\", which this checker does not know."};
  }

  const std::map<std::string, JsonValue>& schemas_;
  std::string& why_;
  std::map<std::string, std::regex> patterns_;
};

}  // namespace

JsonSchema::JsonSchema(const std::map<std::string, std::string>& schemas) {
  for (const auto& [name, text] : schemas) schemas_.emplace(name, ParseJson(text));
}

std::optional<std::string> JsonSchema::Check(const JsonValue& document, const std::string& name) const {
  const auto found = schemas_.find(name);
  if (found == schemas_.end()) throw JsonError{"The schema " + name + " is not one of the published ones."};
  std::string why;
  std::set<std::string> evaluated;
  if (Checker(schemas_, why).Follows(found->second, found->second, document, "", evaluated)) return std::nullopt;
  return why;
}

const JsonSchema& PublishedSchemas() {
  static const JsonSchema schemas({{"month-report.schema.json", std::string(kMonthReportSchemaText)},
                                   {"region-month.schema.json", std::string(kRegionMonthSchemaText)}});
  return schemas;
}

}  // namespace trf
