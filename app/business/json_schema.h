// JsonSchema: checks a JSON document against the JSON Schemas (draft 2020-12) this project publishes
// in docs/, with the keywords they use: type, const, enum, pattern, minLength, minItems, required,
// properties, additionalProperties, items, $ref (to the schema's own $defs, or to another published
// schema by its file name), oneOf, allOf and unevaluatedProperties. A schema holding any other keyword
// that checks something is refused, so that a schema never checks less than it says.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "app/business/json_value.h"

namespace trf {

class JsonSchema {
 public:
  // `schemas`: each schema a document may be checked against or a $ref may name, by its file name
  // ("month-report.schema.json"), as text; a JsonError when one is not JSON.
  explicit JsonSchema(const std::map<std::string, std::string>& schemas);

  // What is wrong with `document` against the schema `name`, in words, with where it is
  // ("/tables/0/rows/2/cells/5/value: a number, a text or null was expected"); nothing when it follows
  // the schema. A JsonError when the schema is not known or uses a keyword this checker lacks.
  std::optional<std::string> Check(const JsonValue& document, const std::string& name) const;

 private:
  std::map<std::string, JsonValue> schemas_;
};

// The schemas published in docs/, as this program was built with them: the month's report
// ("month-report.schema.json") and the region's month ("region-month.schema.json").
const JsonSchema& PublishedSchemas();

}  // namespace trf
