// The SQLite query object and its fields.
#include "app/data/db_query.h"

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/dates.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/platform/text.h"

namespace trf {
namespace {

[[noreturn]] void RaiseNoCurrentRecord() {
  kw::Raise(3021, "KW_DB", "Either BOF or EOF is True, or the current record has been deleted");
}

[[noreturn]] void RaiseNoSuchField() {
  kw::Raise(3265, "KW_DB", "Item cannot be found in the collection corresponding to the requested name or ordinal");
}

bool Has(const std::string& upper, const char* part) { return upper.find(part) != std::string::npos; }

int32_t TypeOfSample(const kw::Variant& sample) {
  switch (sample.Type()) {
    case kw::VarType::Long: return kw::adInteger;
    case kw::VarType::Double: return kw::adDouble;
    case kw::VarType::Array: return kw::adLongVarBinary;
    default: return kw::adVarWChar;
  }
}

// A field of the current row of a query result.
class AppField : public kw::DBField {
 public:
  AppField(std::shared_ptr<QueryResult> result, size_t column) : result_(std::move(result)), column_(column) {}
  std::string TypeName() const override { return "Field"; }
  kw::Variant Value() override {
    if (result_->position >= result_->rows.size()) RaiseNoCurrentRecord();
    return ValueAsType(result_->rows[result_->position][column_], Type());
  }
  int32_t Type() override { return result_->types[column_]; }

 private:
  std::shared_ptr<QueryResult> result_;
  size_t column_;
};

}  // namespace

int32_t FieldTypeOf(const std::string& declared_type, const kw::Variant& sample) {
  const std::string t = kw::text::Upper(declared_type);
  if (t.empty()) return TypeOfSample(sample);
  if (Has(t, "TINYINT")) return kw::adUnsignedTinyInt;
  if (Has(t, "SMALLINT")) return kw::adSmallInt;
  if (Has(t, "BIGINT")) return kw::adBigInt;
  if (Has(t, "INT")) return kw::adInteger;
  if (Has(t, "BOOL") || t == "BIT") return kw::adBoolean;
  if (Has(t, "CURRENCY") || Has(t, "MONEY")) return kw::adCurrency;
  if (Has(t, "DATE") || Has(t, "TIME")) return kw::adDate;
  if (Has(t, "DECIMAL")) return kw::adDecimal;
  if (Has(t, "NUMERIC")) return kw::adNumeric;
  if (Has(t, "SINGLE")) return kw::adSingle;
  if (Has(t, "REAL") || Has(t, "FLOA") || Has(t, "DOUB")) return kw::adDouble;
  if (Has(t, "GUID") || Has(t, "UNIQUEIDENTIFIER")) return kw::adGUID;
  if (Has(t, "MEMO") || Has(t, "LONGTEXT") || Has(t, "CLOB")) return kw::adLongVarWChar;
  if (Has(t, "BLOB") || Has(t, "BINARY")) return kw::adLongVarBinary;
  return kw::adVarWChar;
}

kw::Variant ValueAsType(const kw::Variant& stored, int32_t type) {
  if (stored.IsNull()) return stored;
  switch (type) {
    case kw::adSmallInt: return kw::Variant::Integer(stored.ToInteger());
    case kw::adInteger: return kw::Variant::Long(stored.ToLong());
    case kw::adUnsignedTinyInt: return kw::Variant::Byte(stored.ToByte());
    case kw::adBoolean: return kw::Variant::Boolean(stored.ToBoolean());
    case kw::adCurrency: return kw::Variant::Currency(stored.ToCurrency());
    case kw::adDate: return kw::Variant::Date(stored.ToDate());
    case kw::adSingle: return kw::Variant::Single(stored.ToSingle());
    case kw::adDouble:
    case kw::adDecimal:
    case kw::adNumeric: return kw::Variant::Double(stored.ToDouble());
    case kw::adLongVarBinary:
    case kw::adBigInt: return stored;
    default: return kw::Variant::Text(stored.ToText());
  }
}

void AppQuery::OpenSQL(const std::string& sql) {
  auto result = std::make_shared<QueryResult>();
  const auto statement = database_->Prepare(sql);
  const int columns = statement->ColumnCount();
  while (statement->Step()) {
    std::vector<kw::Variant> row;
    row.reserve(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c) row.push_back(statement->Column(c));
    result->rows.push_back(std::move(row));
  }
  for (int c = 0; c < columns; ++c) {
    kw::Variant sample = kw::Variant::Null();
    for (const auto& row : result->rows) {
      if (!row[static_cast<size_t>(c)].IsNull()) {
        sample = row[static_cast<size_t>(c)];
        break;
      }
    }
    result->names.push_back(statement->ColumnName(c));
    result->types.push_back(FieldTypeOf(statement->ColumnDeclType(c), sample));
  }
  result_ = std::move(result);
}

int32_t AppQuery::RecordCount() { return static_cast<int32_t>(result_->rows.size()); }
bool AppQuery::EndOfFile() { return result_->position >= result_->rows.size(); }

void AppQuery::MoveNext() {
  if (EndOfFile()) RaiseNoCurrentRecord();
  ++result_->position;
}

int32_t AppQuery::FieldCount() { return static_cast<int32_t>(result_->names.size()); }

kw::FieldPtr AppQuery::Field(const kw::Variant& name_or_position) {
  if (name_or_position.IsText()) {
    for (size_t c = 0; c < result_->names.size(); ++c)
      if (kw::text::EqualsNoCase(result_->names[c], name_or_position.GetText()))
        return std::make_shared<AppField>(result_, c);
    RaiseNoSuchField();
  }
  const int32_t position = name_or_position.ToLong();
  if (position < 0 || position >= FieldCount()) RaiseNoSuchField();
  return std::make_shared<AppField>(result_, static_cast<size_t>(position));
}

void RegisterQueryClass(kw::ClassRegistry& registry, const std::shared_ptr<Database>& database) {
  registry.Register(std::string(kw::class_ids::kDBQuery), [database] { return std::make_shared<AppQuery>(database); });
}

}  // namespace trf
