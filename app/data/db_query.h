// The query object of the data component on SQLite: it runs a statement on the database it was
// made for, keeps the rows it returned, and offers them row by row through fields
// with ADO-like type numbers taken from the columns' declared types.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/data/database.h"
#include "ui_shared/contracts/data.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/variant.h"

namespace trf {

// The ADO type number for a column's declared SQLite type ("" for expressions, which take the
// type of `sample`, the column's first non-null value).
int32_t FieldTypeOf(const std::string& declared_type, const kw::Variant& sample);
// A stored value as a field of `type` carries it; null stays null. Raises 13 when the stored
// value does not fit the type.
kw::Variant ValueAsType(const kw::Variant& stored, int32_t type);

// The rows and columns that one statement returned.
struct QueryResult {
  std::vector<std::string> names;
  std::vector<int32_t> types;
  std::vector<std::vector<kw::Variant>> rows;
  size_t position = 0;
};

// DBQuery on one database.
class AppQuery : public kw::DBQuery {
 public:
  explicit AppQuery(std::shared_ptr<Database> database) : database_(std::move(database)) {}
  std::string TypeName() const override { return "DBQuery"; }
  void OpenSQL(const std::string& sql) override;
  int32_t RecordCount() override;
  bool EndOfFile() override;
  void MoveNext() override;
  int32_t FieldCount() override;
  kw::FieldPtr Field(const kw::Variant& name_or_position) override;

 private:
  std::shared_ptr<Database> database_;
  std::shared_ptr<QueryResult> result_ = std::make_shared<QueryResult>();
};

// Registers AppQuery on `database` as the data component's query class.
void RegisterQueryClass(kw::ClassRegistry& registry, const std::shared_ptr<Database>& database);

}  // namespace trf
