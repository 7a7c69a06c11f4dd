// Data siblings as the library sees them: the error log that records trapped errors, the database
// resource offered to forms, the query object and its fields with their ADO-like type numbers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui_shared/platform/error.h"
#include "ui_shared/platform/object.h"

namespace kw {

// Records errors that a member traps instead of raising.
class ErrorLog : public virtual Object {
 public:
  // Records an error that a member trapped.
  virtual void Add(const Error& error) = 0;
  // The number of errors recorded.
  virtual int32_t Count() = 0;
};

// The database resource of the data component; forms reach their database through it.
class DBResource : public virtual Object {
 public:
  // Where the data lives (a file path, or ":memory:").
  virtual std::string Location() = 0;
};

// The field types of the data component (the ADO type numbers).
enum DataTypeEnum : int32_t {
  adTinyInt = 16,
  adSmallInt = 2,
  adInteger = 3,
  adBigInt = 20,
  adSingle = 4,
  adDouble = 5,
  adCurrency = 6,
  adDate = 7,
  adBoolean = 11,
  adDecimal = 14,
  adUnsignedTinyInt = 17,
  adGUID = 72,
  adBinary = 128,
  adChar = 129,
  adWChar = 130,
  adNumeric = 131,
  adDBDate = 133,
  adDBTimeStamp = 135,
  adVarChar = 200,
  adLongVarChar = 201,
  adVarWChar = 202,
  adLongVarWChar = 203,
  adVarBinary = 204,
  adLongVarBinary = 205,
};

// A field of a query's current row.
class DBField : public virtual Object {
 public:
  // The field's value in the current row.
  virtual Variant Value() = 0;
  virtual int32_t Type() = 0;  // a DataTypeEnum number
};

// A shared reference to a field of a query's row.
using FieldPtr = std::shared_ptr<DBField>;

// A query over the application's database.
class DBQuery : public virtual Object {
 public:
  // Runs a statement and positions on its first row.
  virtual void OpenSQL(const std::string& sql) = 0;
  // The number of rows the last statement returned.
  virtual int32_t RecordCount() = 0;

  // Row movement and field access for the application's forms; queries that offer none raise 438.
  // True when no row is current (no rows, or moved past the last).
  virtual bool EndOfFile() { Raise(err::kNoSuchMember); }
  // Moves to the next row.
  virtual void MoveNext() { Raise(err::kNoSuchMember); }
  // The number of fields of a row.
  virtual int32_t FieldCount() { Raise(err::kNoSuchMember); }
  // A field of the current row by 0-based position or by name (3265 when there is no such field).
  virtual FieldPtr Field(const Variant& /*name_or_position*/) { Raise(err::kNoSuchMember); }
};

}  // namespace kw
