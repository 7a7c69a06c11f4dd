// The sample data of a fresh TRF database: enough to tour every screen and every kind of rule.
#include <initializer_list>

#include <stdexcept>
#include <string>

#include "app/data/trf_database.h"
#include "app/data/trf_tables.h"
#include "ui_shared/platform/dates.h"

namespace trf {

namespace {

using kw::Variant;

Variant L(int32_t v) { return Variant::Long(v); }
Variant T(const char* v) { return Variant::Text(v); }
Variant D(int year, int month, int day) { return Variant::Double(kw::dates::Serial(year, month, day)); }
Variant M(double v) { return Variant::Double(v); }
const Variant kNull = Variant::Null();

// Inserts `rows` into `table`: each row gives the table's first columns in the order its
// description has them (all rows as many); the columns after them stay empty.
void InsertRows(Database& database, const TableDescription& table,
                std::initializer_list<std::initializer_list<Variant>> rows) {
  const size_t width = rows.begin()->size();
  if (width > table.columns.size()) throw std::logic_error("sample rows wider than " + std::string(table.name));
  std::string columns;
  std::string placeholders;
  for (size_t i = 0; i < width; ++i) {
    if (i > 0) columns += ", ";
    columns += table.columns[i].name;
    placeholders += i > 0 ? ", ?" : "?";
  }
  auto insert =
      database.Prepare("INSERT INTO " + std::string(table.name) + " (" + columns + ") VALUES (" + placeholders + ")");
  for (const auto& row : rows) {
    if (row.size() != width) throw std::logic_error("sample rows of " + std::string(table.name) + " differ in width");
    insert->Reset();
    int index = 1;
    for (const Variant& value : row) insert->Bind(index++, value);
    insert->Step();
  }
}

}  // namespace

void InsertLookups(Database& database) {
  InsertRows(database, tables::kTrfTypes,
             {{T("STD"), L(1), T("Standard monthly report")}, {T("SML"), L(2), T("Small home report")}});
  InsertRows(database, tables::kTrfTypeScreens,
             {{L(1), T("STD"), T("KW_UI01____FRM_H_OurHome"), L(1)},
              {L(2), T("STD"), T("KW_UI01____FRM_H_TRFSetup"), L(2)},
              {L(3), T("STD"), T("KW_UI01____FRM_H_Residents"), L(3)},
              {L(4), T("STD"), T("KW_UI01____FRM_H_FamilyGroups"), L(4)},
              {L(5), T("STD"), T("KW_UI01____FRM_H_MonthlyExpenses"), L(5)},
              {L(6), T("SML"), T("KW_UI01____FRM_H_OurHome"), L(1)},
              {L(7), T("SML"), T("KW_UI01____FRM_H_TRFSetup"), L(2)},
              {L(8), T("SML"), T("KW_UI01____FRM_H_Residents"), L(3)}});
  InsertRows(database, tables::kExpenseCategories,
             {{L(1), T("STD"), T("Food")},
              {L(2), T("STD"), T("Utilities")},
              {L(3), T("STD"), T("Staff")},
              {L(4), T("STD"), T("Maintenance")}});
}

void InsertSampleData(Database& database) {
  InsertLookups(database);
  // Cedar Lodge has room for four but lists five residents in February: the group's hard rule.
  InsertRows(database, tables::kHomes,
             {{L(1), T("N"), T("H-101"), T("Maple House"), L(12)},
              {L(2), T("S"), T("H-102"), T("Birch Court"), L(8)},
              {L(3), T("N"), T("H-103"), T("Cedar Lodge"), L(4)}});
  // Status 1 is the active TRF; 2 sent off; 0 not started.
  InsertRows(database, tables::kHomeMonths,
             {{L(1), L(1), D(2004, 1, 1), T("STD"), L(2)},
              {L(2), L(1), D(2004, 2, 1), T("STD"), L(2)},
              {L(3), L(1), D(2004, 3, 1), T("STD"), L(1)},
              {L(4), L(2), D(2004, 3, 1), T("SML"), L(1)},
              {L(5), L(3), D(2004, 2, 1), T("SML"), L(0)}});
  InsertRows(database, tables::kFamilyGroups,
             {{L(1), L(1), T("Andersen family"), T("12 Harbour Road, Northport"), kNull, kNull},
              {L(2), L(1), T("Okafor family"), T("4 Mill Lane, Eastwick"), kNull, kNull},
              {L(3), L(1), T("Lindqvist family"), kNull, kNull, kNull},
              {L(4), L(2), T("Moreau family"), T("88 Quay Street, Southby"), kNull, kNull}});
  // Maple House, March (month 3): Nora Pike's fee is unusually high (a soft question), Tom
  // Reyes was admitted before he was born (a hard rule), Lily Chen was admitted at 16 (a soft
  // question); the month's total rises far above February's (the group's soft question).
  InsertRows(database, tables::kResidents,
             {{L(1), L(2), T("Ada Andersen"), D(1931, 4, 2), D(2001, 6, 1), M(2400), L(1)},
              {L(2), L(2), T("Ben Okafor"), D(1928, 9, 17), D(2002, 1, 15), M(2350), L(2)},
              {L(3), L(2), T("Clara Lindqvist"), D(1935, 12, 3), D(2003, 3, 1), M(2500), L(3)},
              {L(4), L(3), T("Ada Andersen"), D(1931, 4, 2), D(2001, 6, 1), M(2400), L(1)},
              {L(5), L(3), T("Ben Okafor"), D(1928, 9, 17), D(2002, 1, 15), M(2350), L(2)},
              {L(6), L(3), T("Clara Lindqvist"), D(1935, 12, 3), D(2003, 3, 1), M(2500), L(3)},
              {L(7), L(3), T("Nora Pike"), D(1940, 7, 21), D(2004, 3, 1), M(7800), kNull},
              {L(8), L(3), T("Tom Reyes"), D(1999, 5, 5), D(1998, 2, 1), M(2300), kNull},
              {L(9), L(3), T("Lily Chen"), D(1987, 10, 30), D(2004, 3, 2), M(2100), L(1)},
              {L(10), L(4), T("Paul Moreau"), D(1933, 2, 11), D(2000, 8, 1), M(2200), L(4)},
              {L(11), L(4), T("Irene Moreau"), D(1936, 6, 6), D(2000, 8, 1), M(0), L(4)},
              {L(12), L(5), T("Sam Holt"), D(1930, 1, 9), D(1999, 4, 1), M(1900), kNull},
              {L(13), L(5), T("Ruth Holt"), D(1932, 3, 14), D(1999, 4, 1), M(1900), kNull},
              {L(14), L(5), T("Ivan Petrov"), D(1929, 11, 25), D(2001, 10, 1), M(2000), kNull},
              {L(15), L(5), T("Maria Silva"), D(1938, 8, 8), D(2002, 5, 1), M(2050), kNull},
              {L(16), L(5), T("Joe Baker"), D(1941, 12, 24), D(2004, 1, 20), M(2100), kNull}});
  // March at Maple House, started, has a line for each of the four categories; two are filled in.
  InsertRows(database, tables::kMonthlyExpenses,
             {{L(1), L(3), L(1), M(4200)},
              {L(2), L(3), L(3), M(15800)},
              {L(3), L(3), L(2), kNull},
              {L(4), L(3), L(4), kNull}});
}

}  // namespace trf
