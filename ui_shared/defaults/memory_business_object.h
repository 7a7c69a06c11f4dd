// MemoryBusinessObject: a business object whose records live in memory and whose shape is data: its
// fields (a name and a kind each) and its rules (hard rules, questions, notices and removal rules,
// each a number, a message and a test of the record). It answers the library's business-object
// contract, so that a first screen needs no database and no rule classes of its own: position 1 is
// the record key ("ID", numbered 1, 2, 3 ... as records are added), position 2 the parent id
// ("ParentID"), the fields follow from position 3; edits are kept until Save stores the current
// record (SaveMode 0); Delete marks the current record, refused with the message of a broken
// removal rule, and the next Save removes it. The library reaches "Count", "Index" and the fields
// by name.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui_shared/contracts/business_objects.h"

namespace kw {

// The number of the rule every field of a kind other than text keeps: a typed text that is not of
// the field's kind ("abc" for a whole number) is kept as typed and refused by this rule.
inline constexpr int32_t kRuleFieldKind = 2186;

// What a field holds, and so what a typed text becomes.
enum class FieldKind {
  kText,         // the text as typed
  kWholeNumber,  // a 32-bit whole number: "12"
  kAmount,       // an amount of money: "7800.50"
  kDate,         // a date, read as the runtime reads dates: "3/5/2004", "2004-03-05", "March 5, 2004"
};

// One field of a MemoryBusinessObject.
struct FieldSpec {
  std::string name;                   // the name the library and the rules reach it by ("Name")
  FieldKind kind = FieldKind::kText;  // what a typed text becomes; an empty text is Null
};

// What a broken rule does.
enum class RuleKind {
  kHard,      // refuses the record: it cannot be saved while the rule is broken
  kQuestion,  // asks the person; the record is kept when they accept, and not asked again for the same value
  kNotice,    // tells the person, who has only to read it
  kRemoval,   // refuses removing the record: Delete raises the rule's number with its message
};

// The values of one record by field name, as a rule's test reads them.
class RecordValues {
 public:
  // The values of a record of `fields` (positions 1 and 2 first), by position - 1.
  RecordValues(const std::vector<FieldSpec>& fields, const std::vector<Variant>& values)
      : fields_(fields), values_(values) {}
  // The value of the field `name` ("ID" and "ParentID" included), compared without regard to case;
  // 9 naming the field when the record has none of that name.
  const Variant& operator[](std::string_view name) const;
  // True when the field `name` holds nothing: Null, Empty, or a text of blanks only.
  bool Blank(std::string_view name) const;

 private:
  const std::vector<FieldSpec>& fields_;
  const std::vector<Variant>& values_;
};

// One rule of a MemoryBusinessObject, as data.
struct RuleSpec {
  int32_t number = 0;               // the number shown with the message
  RuleKind kind = RuleKind::kHard;  // what the rule does when broken
  std::string field = {};           // the field the rule is about; "" for a rule of the whole record
  std::string message = {};         // what the person reads
  std::string detail = {};          // a further explanation shown with it
  // True while the rule is broken. A test that cannot convert a value (a Null or a text of the
  // wrong kind read as a number) counts as not broken: the field's own rules say what is wrong.
  std::function<bool(const RecordValues&)> broken = {};
};

// The business object; derive from it to give a class of records its name, fields and rules.
class MemoryBusinessObject : public I_LI {
 public:
  // The name of position 1, the record key.
  static constexpr std::string_view kKeyField = "ID";
  // The name of position 2, the parent id.
  static constexpr std::string_view kParentField = "ParentID";

  // A class named `class_name` (the record-group validator the library looks for is "KW01.RG" and
  // the name from its third character) with `fields` from position 3 on and `rules`;
  // `class_number` is what control tags carry. 5 naming the field when two fields share a name or
  // a rule names a field the class lacks.
  // For a screen: derive a class of records from it, naming its fields and rules.
  MemoryBusinessObject(std::string class_name, std::vector<FieldSpec> fields, std::vector<RuleSpec> rules = {},
                       int16_t class_number = 1);

  // The type name the runtime reports: the class name.
  std::string TypeName() const override { return class_name_; }

  // Adds a stored record from the texts of its fields in their order, each converted as a typed
  // text is, with `parent` as its parent id: what loading the records from a file or a database
  // does. The first record added becomes current. 5 for more texts than fields, and 13 or 6 naming
  // the field for a text that is not of the field's kind.
  // For a screen: load the records the screen starts with.
  void AddStored(const std::vector<std::string>& texts, const std::string& parent = "");
  // The position of the field `name` (1 for "ID", 3 for the first field of the class); 9 naming the
  // field when there is none.
  // For a screen: the position BindField takes for a field.
  int32_t PositionOf(std::string_view name) const;

  // ---- The business-object contract ----

  // Appends an empty record (its key the next number, its fields Null) and makes it current.
  void AddNew() override;
  // Stores the current record's edits; without `force` only when it breaks no hard rule and every
  // question is settled. A record marked deleted is removed.
  bool Save(bool force) override;
  // Accepted and not used: the rules always run.
  void SuspendValidation(bool suspend) override;
  // Drops the current record's edits (a record never stored is dropped whole).
  void CancelEdit() override;
  int16_t ClassEnum() override { return class_number_; }
  std::string ClassName() override { return class_name_; }
  int32_t Count() override;
  // Marks the current record deleted; the next Save removes it. Refused with the number and message
  // of the first broken removal rule ("Nothing was removed" added), source "KW_I." + class name.
  void Delete() override;
  // 0 (every record) or the parent id whose records alone are shown.
  Variant Filter() override { return filter_; }
  // Shows only the records whose parent id is `filter` as text; 0 shows every record. The first
  // record shown becomes current.
  void Filter(const Variant& filter) override;
  // 9 naming the record or position when there is no such one.
  Variant FieldValueAt(const Variant& index, int32_t position) override;
  HardRulesPtr HardRules(const Variant& index = Variant()) override;
  Variant CurrentIndex() override;
  // A position (1-based) or a record key as text makes that record current; 9 when there is none.
  void CurrentIndex(const Variant& index) override;
  bool IsNew() override;
  bool IsDirty(const Variant& index = Variant()) override;
  bool IsValid(const Variant& index = Variant()) override;
  // Always false: the class has no record-group rules of its own.
  bool GroupDirty(const Variant& index = Variant()) override;
  // Accepted and not used, as the class has no record-group rules.
  void GroupDirty(bool dirty, const Variant& index = Variant()) override;
  bool Exists(const std::string& key) override;
  // 0: every Save stores at once.
  int32_t SaveMode() override { return 0; }
  // Accepted and not used: the rules are the same in a send-off run.
  void SendOffValidation(bool sending_off) override;
  // Writes the field at `position` of the current record, a text converted to the field's kind (one
  // that is not of the kind kept as typed, for rule 2186 to refuse), and runs the rules again.
  void FieldValue(int32_t position, const Variant& value) override;
  SoftRulesPtr SoftRules(const Variant& index = Variant()) override;
  // Nothing to write: every Save stored its record already.
  void SaveBatch() override {}
  void Validate() override;

  // Reads "Count", "Index" or a field of the current record by name; a field that holds nothing
  // reads as Empty, which a list shows blank (the library refuses to show Null, 94).
  Variant Get(std::string_view member, const Args& args = kNoArgs) override;
  // Writes "Index" (makes a record current) or a field of the current record by name.
  void Let(std::string_view member, const Variant& value, const Args& args = kNoArgs) override;

 private:
  struct Record;
  struct Question;

  // The record of `index` (Empty or -1: the current one); nullptr when there is none.
  Record* Find(const Variant& index);
  // The record of `index`; 9 naming the index when there is none.
  Record& At(const Variant& index);
  // Runs the questions and notices of a record again, keeping those settled for the same value.
  void RaiseSoftRules(Record& record);
  // `typed` as a value of the field at `position`; the text itself when it is not of the kind.
  Variant Converted(int32_t position, const std::string& typed) const;
  // Whether the rule is broken on the record (a test that cannot convert a value is not).
  bool IsBroken(const RuleSpec& rule, const Record& record) const;
  // The field number of a rule's field (position - 1); -1 for a rule of the whole record.
  int32_t FieldEnumOf(const RuleSpec& rule) const;
  // The positions of the records the filter shows, in order, made afresh.
  void RebuildView();
  // Raises `number` from this class with `description`.
  [[noreturn]] void Refuse(int32_t number, const std::string& description) const;

  std::string class_name_;
  int16_t class_number_;
  std::vector<FieldSpec> fields_;  // positions 1 and 2 first
  std::vector<RuleSpec> rules_;
  std::vector<std::shared_ptr<Record>> records_;
  std::vector<size_t> view_;  // the records the filter shows, by their place in records_
  Variant filter_ = Variant::Long(0);
  int32_t current_ = 0;  // 1-based within view_; 0 when none
  int32_t next_key_ = 1;
};

}  // namespace kw
