// SharedProcedures: data-access helpers: typed field values, SQL right joins, and the active-TRF
// and update-file questions.
#include "ui_shared/contracts/business_objects.h"
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/directory.h"
#include "ui_shared/platform/numbers.h"
#include "ui_shared/platform/text.h"
#include "ui_shared/shared_procedures/context_keys.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {
namespace {

constexpr int32_t kFromNotFound = err::kComponentBase + 1;
constexpr std::string_view kFromNotFoundDescription = "\" FROM \" not found in strPrimarySQLStatmentArg";
constexpr std::string_view kActiveTrfQuery = "SELECT 0 FROM tbH_HomeMonthlyStats WHERE StatStatus=";

// The value a null or empty field of ADO type `type` reads as.
Variant DefaultOfType(int32_t type) {
  switch (type) {
    case adSmallInt: return Variant::Integer(0);
    case adInteger: return Variant::Long(0);
    case adSingle: return Variant::Single(0);
    case adDouble: return Variant::Double(0);
    case adCurrency: return Variant::Currency(CurrencyValue{0});
    case adDate: return Variant::Date(0);
    case adBoolean: return Variant::Boolean(false);
    case adDecimal: return Variant::Decimal(DecimalValue{0, 0});
    case adUnsignedTinyInt: return Variant::Byte(0);
    case adGUID:
    case adChar:
    case adVarChar:
    case adLongVarChar:
    case adVarWChar:
    case adLongVarWChar: return Variant::Text("");
    case adLongVarBinary: return Variant::Array(std::make_shared<const VArray>(VArray::Bytes({})));
    default: return Variant::Integer(0);
  }
}

}  // namespace

Variant SharedProcedures::GetFieldValue(const FieldPtr& objField) {
  return Guarded(class_ids::kSharedProcedures, "GetFieldValue", [&](Line& line) {
    line = 10;
    if (!objField) Raise(err::kObjectNotSet);
    const Variant value = objField->Value();
    line = 20;
    if (!value.IsNull() && !value.IsEmpty())
      return value.IsText() ? Variant::Text(text::RTrim(value.GetText())) : value;
    line = 30;
    return DefaultOfType(objField->Type());
  });
}

std::string SharedProcedures::SQLAddRightJoin(std::string strPrimarySQLStatementArg, std::string strAddFieldListArg,
                                              std::string strAddTableNameArg, std::string strAddOnAndWhereClauseArg,
                                              std::string strErrorSourceArg) {
  return Guarded(class_ids::kSharedProcedures, "SQLAddRightJoin", [&](Line& line) {
    line = 10;
    const int16_t from = ToInt16(static_cast<double>(text::InStr(strPrimarySQLStatementArg, " FROM ")));
    line = 20;
    if (from == 0) Raise(kFromNotFound, strErrorSourceArg, std::string(kFromNotFoundDescription));
    line = 30;
    const auto p = static_cast<size_t>(from);
    return text::Left(strPrimarySQLStatementArg, p) + strAddFieldListArg + " FROM " + strAddTableNameArg +
           " RIGHT JOIN (" + text::Mid(strPrimarySQLStatementArg, p + 6) + ") " + strAddOnAndWhereClauseArg;
  });
}

void SharedProcedures::AssessMMLOandAMMailingFees(const LIPtr& objLIFamilyGroups,
                                                  int32_t lngAssessMMLOandAMMailingFeesEnumArg,
                                                  bool blnForceAMInfoSoftRuleArg) {
  Guarded(class_ids::kSharedProcedures, "AssessMMLOandAMMailingFees", [&](Line& line) {
    line = 10;
    const std::shared_ptr<FamilyGroups> family_groups = As<FamilyGroups>(objLIFamilyGroups);
    if (!family_groups) Raise(err::kObjectNotSet);
    line = 20;
    const bool send_off_mode = m_objTrfContainer->SendOffValidationMode();
    const bool interactive = m_objTrfContainer->SendOffInteractive();
    family_groups->SendOffValidation(send_off_mode && !interactive);
    const auto prepare = [&] {
      if (objLIFamilyGroups->Count() > 0) {
        family_groups->AssessPrepare();
        (void)family_groups->AssessState().ToInteger();
      }
    };
    line = 30;
    prepare();
    line = 40;
    family_groups->AssessMMLOandAMMailingFees(lngAssessMMLOandAMMailingFeesEnumArg, blnForceAMInfoSoftRuleArg);
    line = 50;
    (void)DisplayRecordErrors(objLIFamilyGroups, false, nullptr, 0, 0, false);
    line = 60;
    prepare();
  });
}

bool SharedProcedures::HaveActiveTrfs() {
  return Guarded(class_ids::kSharedProcedures, "HaveActiveTrfs", [&](Line& line) {
    line = 10;
    const std::shared_ptr<DBQuery> query = CreateObjectAs<DBQuery>(class_ids::kDBQuery);
    line = 20;
    query->OpenSQL(std::string(kActiveTrfQuery) + std::to_string(kStatStatusActive));
    line = 30;
    return query->RecordCount() >= 1;
  });
}

bool SharedProcedures::HaveUpdateFile() {
  return Guarded(class_ids::kSharedProcedures, "HaveUpdateFile", [&](Line& line) {
    line = 10;
    std::string folder = m_objTrfFormsPersist->UpdateFolder().ToText();
    line = 20;
    if (!folder.empty() && folder.back() == '\\') folder.back() = '/';
    if (folder.empty() || folder.back() != '/') folder += '/';
    line = 30;
    return FindFirstFile(folder, "*.oup").has_value();
  });
}

}  // namespace kw
