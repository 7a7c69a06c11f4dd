// SharedProcedures: the object every data-entry form creates for itself. It reaches the shared
// home, month and TRF context held by the screen container, and gives every form the same
// lifecycle, validation, list binding and helper behaviour. Members are grouped by subsystem
// below; each group's source file is named in its heading.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

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

  // ---- Form navigation (navigation.cpp) ----

  // Sends the user to the form `strForm` through the container that the locator hands out now,
  // with `apActivateParams` for that form's activation.
  void GotoForm(const std::string& strForm, ActiveParams& apActivateParams);
  // Loads the screens of the TRF type read leniently from `strTrfTypeID` ("12abc" is 12, halves
  // to even) and opens `strFormKey`, under the hourglass. Null (94) or a type beyond 16 bits (6)
  // fails before the container is called, and the hourglass then stays.
  void LoadForms(const std::string& strFormKey, const Variant& strTrfTypeID);

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

  // ---- Control state and appearance (control_state.cpp) ----

  // Makes a control, or each element of a control array, read-only (button-face background,
  // locked) or editable (window background, unlocked), emptying its text first when `bClear`.
  // A control whose type inquiry reports an object is taken for a control array.
  void ToggleReadWrite(const ObjectPtr& objControl, bool blnReadOnly, bool bClear = false);
  // Completes the text typed into a combo box from its list: an exact match is selected through
  // a posted message and sets `blnFoundMatch`; otherwise the first item that begins with the text
  // replaces it with the completed part selected, and no such item empties the text. Calls that
  // arrive while one is under way return at once; a failing call arms the guard again.
  void AutoFillCombo(const ObjectPtr& cbo, bool& blnFoundMatch);
  void AutoFillCombo(const ObjectPtr& cbo);
  // The background of the field that has the focus: 3-D highlight, else tooltip background,
  // whichever differs from the window background; else light grey.
  int32_t ActiveFieldBackColor();
  // The text colour that goes with ActiveFieldBackColor, as a 32-bit number.
  Variant ActiveFieldForeColor();
  // Puts `lngContextHelpID` on every control of `objControls` that takes it and stores it as the
  // help context. Raises nothing: failing controls are skipped, a bad number keeps the old one.
  void LoadContextHelpIDs(const ObjectPtr& objControls, const Variant& lngContextHelpID);

  // ---- System utilities (system_utilities.cpp) ----

  // A date text read leniently, as "mmm dd, yyyy" with the user's month abbreviations
  // ("Mar 05, 2004"); the empty text for anything that is not a date.
  std::string FormatDate(const std::string& strDate);
  // The low 16 bits (0 to 65535) of a value converted to 32 bits (6, 13, 94 when it cannot be).
  int32_t GetLoWord(const Variant& lngVal);
  // The low 16 bits of the value divided by 65536, truncated toward zero: the high word for
  // values of 0 or more (-1 gives 0, -65537 gives 65535).
  int32_t GetHiWord(const Variant& lngVal);
  // Starts the program of `CmdLine` and waits for its end, letting pending user-interface events
  // run while it waits unless `WaitDead`; its exit code. A program that cannot be started raises
  // the system's code (2 for a missing file).
  int32_t ShellEx(const std::string& CmdLine, bool WaitDead = false);
  // Lets the user pick a file-system folder through the folder chooser; "" when cancelled.
  std::string BrowseForFolder(int32_t hWndOwner, const std::string& sPrompt);
  // Whole years from the start date to the end date, a year complete on its anniversary day; 0
  // for an unset start (the date 0) or an end that is not in a later year.
  int32_t ComputeFullYears(double dtmStartDateArg, double dtmEndDateArg);

  // ---- Data-access helpers (data_helpers.cpp) ----

  // A field's value, a text without its trailing blanks; for a null or empty value the default of
  // the field's type (0 of the type for numbers, the date 0, false, "", an empty byte array; a
  // 16-bit 0 for types without a default of their own). 91 for nothing.
  Variant GetFieldValue(const FieldPtr& objField);
  // Widens a statement by a right join: the primary select list and `strAddFieldListArg`, then
  // " FROM ", the added table, " RIGHT JOIN (", the primary table expression, ") " and the ON and
  // WHERE text. Raises 0x80040001 with `strErrorSourceArg` when " FROM " (exact case) is missing,
  // and 6 when it starts beyond character 32767.
  std::string SQLAddRightJoin(std::string strPrimarySQLStatementArg, std::string strAddFieldListArg,
                              std::string strAddTableNameArg, std::string strAddOnAndWhereClauseArg,
                              std::string strErrorSourceArg);
  // True when the database holds at least one active TRF (status 1).
  bool HaveActiveTrfs();
  // True when the persist object's update folder holds a normal file matching "*.oup", in any
  // letter case. The folder may end in either separator; an empty one means the root folder.
  bool HaveUpdateFile();

 private:
  // True during a send-off validation run that the container does not mark interactive.
  bool IsNonInteractiveSendOff();
  // Steps 20 to 90 of AutoFillCombo, run while the auto-fill flag is clear.
  void FillComboFromList(const ObjectPtr& cbo, bool& blnFoundMatch, Line& line);

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
