// SharedProcedures: list view construction. The column table describes a list's columns; the
// list is filled from a business object reached by member name.
#include <algorithm>
#include <vector>

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/contracts/data.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/control_members.h"
#include "ui_shared/platform/numbers.h"
#include "ui_shared/shared_procedures/list_keys.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {
namespace {

// The fields of a column in the column table.
enum ColumnField : int32_t { kProperty = 0, kCaption = 1, kWidth = 2, kItemText = 3 };

// A column table with columns 0..`last_column`, all fields empty.
std::shared_ptr<VArray> NewColumnTable(int16_t last_column) {
  return std::make_shared<VArray>(std::vector<VArray::Bounds>{{0, last_column}, {0, kItemText}});
}

// Adds a header per column of `table` until the first failure, which is recorded in `log` and
// ends the loop (normally the column index running past the table). Returns how many were added.
int16_t AddColumnHeaders(const ObjectPtr& headers, const Variant& table, ErrorLog& log) {
  int16_t added = 0;
  for (int32_t column = 0; log.Count() == 0; ++column) {
    try {
      const VArray& columns = *table.GetArray();
      CallMember(headers, member::kAdd,
                 Args().Named("Text", columns.At({column, kCaption})).Named("Width", columns.At({column, kWidth})));
      added = ToInt16(added + 1.0);
    } catch (...) {
      log.Add(CurrentError());
    }
  }
  return added;
}

// Where a column's texts come from: an item-text prefix followed by the record position, or,
// when the prefix is empty, the business-object property of that name, resolved once for all
// records.
struct ColumnSource {
  std::string item_text;
  MemberRef property;

  ColumnSource(const Variant& table, int32_t column)
      : item_text(table.GetArray()->At({column, kItemText}).ToText()),
        property(item_text.empty() ? table.GetArray()->At({column, kProperty}).ToText() : std::string()) {}

  // Reads the text of the current record at position `position` into `text`, as a text variant;
  // 94 for a null property value. A text value is taken as it is, without another copy.
  void ReadText(const ObjectPtr& business_object, int32_t position, Variant& text) const {
    if (!item_text.empty()) {
      text = Variant::Text(item_text + std::to_string(position));
      return;
    }
    text.Remake([&] { return GetMember(business_object, property); });
    if (!text.IsText()) text = Variant::Text(text.ToText());
  }
};

// The sources of columns 0..`column_count` - 1, and always of column 0, which gives the item text.
std::vector<ColumnSource> ColumnSources(const Variant& table, int16_t column_count) {
  std::vector<ColumnSource> sources;
  for (int32_t column = 0; column < std::max<int32_t>(column_count, 1); ++column) sources.emplace_back(table, column);
  return sources;
}

}  // namespace

Variant SharedProcedures::LVColumnInfo(const std::string& strLIProperty, const std::string& strHeaderCaption,
                                       int16_t intColumnWidth, bool bAdd, const std::string& strItemText) {
  return Guarded(class_ids::kSharedProcedures, "LVColumnInfo", [&](Line& line) {
    line = 10;
    std::shared_ptr<VArray> table;
    if (bAdd) {
      line = 20;
      m_intLastLVColumn = ToInt16(m_intLastLVColumn + 1.0);
      line = 30;
      const Variant previous = m_varLVColumns;
      line = 40;
      table = NewColumnTable(m_intLastLVColumn);
      m_varLVColumns = Variant::Array(table);
      line = 50;
      if (!previous.IsArray()) Raise(err::kSubscript);
      const VArray& old = *previous.GetArray();
      for (int32_t column = 0; column < m_intLastLVColumn; ++column)
        for (int32_t field = kProperty; field <= kItemText; ++field)
          table->At({column, field}) = old.At({column, field});
    } else {
      line = 60;
      table = NewColumnTable(0);
      m_varLVColumns = Variant::Array(table);
      m_intLastLVColumn = 0;
    }
    line = 70;
    table->At({m_intLastLVColumn, kProperty}) = Variant::Text(strLIProperty);
    table->At({m_intLastLVColumn, kCaption}) = Variant::Text(strHeaderCaption);
    table->At({m_intLastLVColumn, kWidth}) = Variant::Integer(intColumnWidth);
    table->At({m_intLastLVColumn, kItemText}) = Variant::Text(strItemText);
    line = 80;
    return m_varLVColumns;
  });
}

ObjectPtr SharedProcedures::BuildListView(const ObjectPtr& lvListView, const ObjectPtr& ilImageList,
                                          int16_t intImageIndex, const ObjectPtr& objLI,
                                          const std::string& strLIKeyProperty, const Variant& varIncludeLIProperties) {
  return Guarded(class_ids::kSharedProcedures, "BuildListView", [&](Line& line) {
    line = 10;
    const auto error_log = CreateObjectAs<ErrorLog>(class_ids::kErrorLog);
    line = 20;
    const ObjectPtr items = GetMember(lvListView, member::kListItems).ToObject();
    CallMember(items, member::kClear);
    const ObjectPtr headers = GetMember(lvListView, member::kColumnHeaders).ToObject();
    CallMember(headers, member::kClear);
    line = 30;
    if (ilImageList) lvListView->Set("SmallIcons", ilImageList);
    line = 40;
    const int16_t column_count = AddColumnHeaders(headers, varIncludeLIProperties, *error_log);
    line = 50;
    ObjectPtr first_item;
    const int32_t record_count = GetMember(objLI, member::kCount).ToLong();
    if (record_count != 0) {
      // The members reached once per record, resolved once for all of them.
      const MemberRef index("Index"), key_property(strLIKeyProperty), add_item{std::string(member::kAdd)},
          sub_items_of{std::string(member::kListSubItems)}, add_sub_item{std::string(member::kAdd)};
      // The arguments of the items' and the sub-items' Add, made once and given each record's values.
      Args item_args;
      item_args.Named("Key", Variant()).Named("Text", Variant());
      if (intImageIndex != 0) item_args.Named("SmallIcon", Variant::Integer(intImageIndex));
      Variant& item_key = item_args.NamedValue(0);
      Variant& item_text = item_args.NamedValue(1);
      Args sub_item_args;
      Variant& sub_item_text = sub_item_args.Named("Text", Variant()).ResultUnused().NamedValue(0);
      std::vector<ColumnSource> sources;
      for (int32_t position = 1; position <= record_count; ++position) {
        line = 61;
        LetMember(objLI, index, Variant::Long(position));
        line = 62;
        // The table is read at the first record: a table without a usable column 0 fails here.
        if (sources.empty()) sources = ColumnSources(varIncludeLIProperties, column_count);
        sources[0].ReadText(objLI, position, item_text);
        line = 63;
        item_key.Remake([&] { return Variant::Text(ListKey(kDefaultKeyPrefix, GetMember(objLI, key_property))); });
        line = 64;
        const ObjectPtr item = CallMember(items, add_item, item_args).ToObject();
        line = 65;
        if (column_count > 1) {
          const ObjectPtr sub_items = GetMember(item, sub_items_of).ToObject();
          for (int32_t column = 1; column < column_count; ++column) {
            sources[static_cast<size_t>(column)].ReadText(objLI, position, sub_item_text);
            CallMember(sub_items, add_sub_item, sub_item_args);
          }
        }
      }
      line = 70;
      if (GetMember(items, member::kCount).ToLong() >= 1) {
        first_item = GetMember(items, member::kItem, {Variant::Long(1)}).ToObject();
        LetMember(first_item, member::kSelected, Variant::Boolean(true));
        LetMember(objLI, "Index", Variant::Long(1));
      }
    }
    line = 90;
    Owner().ToggleReadWrite();
    return first_item;
  });
}

std::string SharedProcedures::GetLIKeyFromLVKey(const std::string& strLVKey) {
  return Guarded(class_ids::kSharedProcedures, "GetLIKeyFromLVKey", [&](Line& line) {
    line = 10;
    return RecordKeyOf(strLVKey, "");
  });
}

}  // namespace kw
