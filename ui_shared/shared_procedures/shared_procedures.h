// SharedProcedures: the object every data-entry form creates for itself. It reaches the shared
// home, month and TRF context held by the screen container, and gives every form the same
// lifecycle, validation, list binding and helper behaviour. Members are grouped by subsystem
// below; each group's source file is named in its heading.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui_shared/contracts/business_objects.h"
#include "ui_shared/contracts/container.h"
#include "ui_shared/contracts/data.h"
#include "ui_shared/contracts/feedback.h"
#include "ui_shared/forms/form_contract.h"
#include "ui_shared/platform/dictionary.h"
#include "ui_shared/platform/object.h"
#include "ui_shared/platform/variant.h"

namespace kw {

// What a form's data depends on.
enum enumHomeMonth : int32_t {
  icDependsOnHome = 0,
  icDependsOnMonth = 1,
  icIsHome = 2,
  icIsMonth = 3,
};

class SharedProcedures : public Object {
 public:
  // Creates the persist object, the container locator and the two soft-rule caches, and takes
  // the container from the locator. Fails with the ".Class_Initialize:" trail when a sibling cannot
  // be created or the locator's container does not support TrfContainer.
  SharedProcedures();
  ~SharedProcedures() override;
  SharedProcedures(const SharedProcedures&) = delete;
  SharedProcedures& operator=(const SharedProcedures&) = delete;

  std::string TypeName() const override { return "SharedProcedures"; }

  // ---- Shared context and object state (context.cpp) ----

  // Placeholder key of a list entry whose record is not stored yet.
  std::string scNew = "NEW";

  // The owner form; nothing unbinds it. Nothing before the first set.
  void OwnerForm(FormPtr form) { m_objOwnerForm = std::move(form); }
  const FormPtr& OwnerForm() const { return m_objOwnerForm; }

  const ContainerPtr& pTrfContainer() const { return m_objTrfContainer; }
  const PersistPtr& pTrfFormsPersist() const { return m_objTrfFormsPersist; }

  bool SendOffValidationMode();
  void SendOffValidationMode(bool on);

  // The context properties forward to the container unchanged.
  std::string CurrentH_HomesID();
  void CurrentH_HomesID(const std::string& id);
  std::string CurrentHomeNum();
  void CurrentHomeNum(const std::string& number);
  std::string CurrentH_HomeMonthlyStatsID();
  void CurrentH_HomeMonthlyStatsID(const std::string& id);
  double CurrentTRFDate();
  void CurrentTRFDate(double date);
  std::string CurrentTrfType();
  void CurrentTrfType(const std::string& type);
  std::string CurrentHU_TrfTypesCD();
  void CurrentHU_TrfTypesCD(const std::string& code);
  uint8_t CurrentStatStatus();
  void CurrentStatStatus(uint8_t status);
  bool NormalScreenTermination();

  // The persist object's reopen counter.
  int32_t TrfReopened();
  void TrfReopened(int32_t count);

  // Stored only; nothing reads it back.
  void FocusedWindow(int32_t hwnd) { m_lngFocusedWindow = hwnd; }
  // The help context handed to the feedback dialog.
  void HelpContextID(int32_t id);
  // The database resource, created at the first request and kept.
  std::shared_ptr<kw::DBResource> DBResource();

  // ---- Control tags (tags.cpp) ----

  // The field number of a control tag: the number read from everything after the first "#"
  // (the whole tag when there is none). 6 when it lies outside 16 bits.
  int16_t GetFieldEnumFromTag(const std::string& strTag);
  // The class number of a control tag: the number read from everything up to the first "#"
  // (nothing when there is none). 6 when it lies outside 16 bits.
  int16_t GetClassFromTag(const std::string& strTag);
  // The tag of a class and field: both numbers with a blank before non-negative ones, joined by
  // "#" (" 3# 17", "-4#-1").
  std::string CreateTag(int16_t intClass, int16_t intFieldEnum);

  // ---- List view construction (list_building.cpp) ----

  // Records one list column (property, header caption, width, item-text prefix) in the column
  // table and returns a copy of the whole table. Without `bAdd` a fresh one-column table is
  // started; with it a column is appended (9 when there is no table yet).
  Variant LVColumnInfo(const std::string& strLIProperty, const std::string& strHeaderCaption, int16_t intColumnWidth,
                       bool bAdd = false, const std::string& strItemText = "");
  // Empties `lvListView` and fills it from the records of `objLI`, reached by member name: one
  // header per column of the table, one item per record keyed "K" + the `strLIKeyProperty`
  // value, sub-items for the further columns. Returns the first item, selected, with the
  // object's current record on record 1; nothing when the object holds no record.
  ObjectPtr BuildListView(const ObjectPtr& lvListView, const ObjectPtr& ilImageList, int16_t intImageIndex,
                          const ObjectPtr& objLI, const std::string& strLIKeyProperty,
                          const Variant& varIncludeLIProperties);
  // The record key of a list key made with the default prefix: everything after its first
  // character.
  std::string GetLIKeyFromLVKey(const std::string& strLVKey);

  // ---- Lookup-table entries (lookup_entries.cpp) ----

  // Appends to `objData` a stored record for every value of property `intUtilityProperty` of
  // `objUtility` that no record of `objData` carries in property `intDataProperty`. Nothing is
  // done when both hold as many records; 6 when either holds more than 32767.
  void CheckTableEntries(const LIPtr& objUtility, int16_t intUtilityProperty, const LIPtr& objData,
                         int16_t intDataProperty, enumHomeMonth DependsOn, int16_t iKeyProperty,
                         bool blnAutoFillParent = true);

  // ---- Parent id of new records (parent_id.cpp) ----

  // Writes the current home id, or the current month's TRF record id, into position 2 of the
  // object's current record, as the container says the object's class depends on; other classes
  // are left alone.
  void SetHomesOrHomeMontlyStatsID(const LIPtr& objLI);

 private:
  // True during a send-off validation run that the container does not mark interactive.
  bool IsNonInteractiveSendOff();

  FormPtr m_objOwnerForm;
  FeedbackPtr m_objFeedbackForm;
  PersistPtr m_objTrfFormsPersist;
  std::shared_ptr<ContainerLocator> m_objContainerLocator;
  ContainerPtr m_objTrfContainer;
  std::string m_strLastH_HomesID;
  std::string m_strLastHU_TrfTypesCD;
  std::string m_strLastH_HomeMonthlyStatsID;
  uint8_t m_bytLastStatStatus = 0;
  Variant m_varLVColumns;
  bool m_blnAutoFillArmed = false;
  int32_t m_lngFocusedWindow = 0;
  int32_t m_lngHelpContextID = 0;
  int32_t m_lngLastTrfReopened = 0;
  std::unique_ptr<Dictionary> m_dicRecordCache;
  std::unique_ptr<Dictionary> m_dicRecordGroupCache;
  double m_dtmLastCacheClearing = 0;
  std::shared_ptr<kw::DBResource> m_objDBResource;
  int16_t m_intLastLVColumn = 0;
};

using SharedProceduresPtr = std::shared_ptr<SharedProcedures>;

}  // namespace kw
