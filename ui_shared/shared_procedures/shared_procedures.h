// SharedProcedures: the object every data-entry form creates for itself. It reaches the shared
// home, month and TRF context held by the screen container, and gives every form the same
// lifecycle, validation, list binding and helper behaviour. Members are grouped by subsystem
// below; each group's source file is named in its heading.
#pragma once

#include <cstdint>
#include <functional>
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

// The shared behaviour of every data-entry form: the shared home, month and TRF context, the
// lifecycle of activating, saving and leaving, validation with feedback, list binding and helpers
// for controls, data and the system. Each form creates one for itself and binds itself to it as
// OwnerForm; kw::FormBase does both. The members a screen calls are listed on the reference's page
// "Members a screen needs".
class SharedProcedures : public Object {
 public:
  // Creates the persist object, the container locator and the two soft-rule caches, and takes
  // the container from the locator. Fails with the ".Class_Initialize:" trail when a sibling cannot
  // be created or the locator's container does not support TrfContainer.
  SharedProcedures();
  // Lets go of the siblings it created; the dialog, the persist object and the locator go with it
  // unless something else holds them.
  ~SharedProcedures() override;
  SharedProcedures(const SharedProcedures&) = delete;
  SharedProcedures& operator=(const SharedProcedures&) = delete;

  // The type name the runtime reports: "SharedProcedures".
  std::string TypeName() const override { return "SharedProcedures"; }

  // ---- Shared context and object state (context.cpp) ----

  // Placeholder key of a list entry whose record is not stored yet.
  std::string scNew = "NEW";

  // The owner form, whose members the library calls back; nothing before it is set. The library
  // never unbinds it: the form and this object hold each other until the form sets it to nothing
  // when it unloads (kw::FormBase::Unload does).
  // For a screen: set it to the form when the form loads, to nothing when it unloads.
  void OwnerForm(FormPtr form) { m_objOwnerForm = std::move(form); }
  const FormPtr& OwnerForm() const { return m_objOwnerForm; }

  // The application's screen container, taken from the locator when this object was made.
  const ContainerPtr& pTrfContainer() const { return m_objTrfContainer; }
  // The forms-persist object this object created.
  const PersistPtr& pTrfFormsPersist() const { return m_objTrfFormsPersist; }

  // True while a send-off validation run is in progress, as the container keeps it.
  bool SendOffValidationMode();
  void SendOffValidationMode(bool on);

  // The record id of the current home; empty when none is selected. This property and the other
  // context properties below forward to the container unchanged, so that every form sees the same.
  // For a screen: read it to load the current home's records.
  std::string CurrentH_HomesID();
  void CurrentH_HomesID(const std::string& id);
  // The number of the current home.
  std::string CurrentHomeNum();
  void CurrentHomeNum(const std::string& number);
  // The record id of the current month record; empty when none.
  std::string CurrentH_HomeMonthlyStatsID();
  void CurrentH_HomeMonthlyStatsID(const std::string& id);
  // The date of the current month's TRF.
  double CurrentTRFDate();
  void CurrentTRFDate(double date);
  // The name of the current TRF type.
  std::string CurrentTrfType();
  void CurrentTrfType(const std::string& type);
  // The code of the current TRF type.
  std::string CurrentHU_TrfTypesCD();
  void CurrentHU_TrfTypesCD(const std::string& code);
  // The status of the current month's TRF (1 active).
  uint8_t CurrentStatStatus();
  void CurrentStatStatus(uint8_t status);
  // Whether the screens ended normally, as the container keeps it.
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
  // For a screen: call it to send the person to another screen.
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
  // For a screen: the tag of each field's control, which SetFocusTo receives back.
  std::string CreateTag(int16_t intClass, int16_t intFieldEnum);

  // ---- Control state and appearance (control_state.cpp) ----

  // Makes a control, or each element of a control array, read-only (button-face background,
  // locked) or editable (window background, unlocked), emptying its text first when `bClear`.
  // A control whose type inquiry reports an object is taken for a control array.
  // For a screen: call it from the form's ToggleReadWrite for each field's control.
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
  // Runs the family groups' mailing-fee assessment: marks a non-interactive send-off on the
  // object, prepares the assessment around it when the object holds records (before and after),
  // and shows the rules the assessment broke. 13 when the object is no FamilyGroups.
  void AssessMMLOandAMMailingFees(const LIPtr& objLIFamilyGroups, int32_t lngAssessMMLOandAMMailingFeesEnumArg,
                                  bool blnForceAMInfoSoftRuleArg);
  // True when the database holds at least one active TRF (status 1).
  bool HaveActiveTrfs();
  // True when the persist object's update folder holds a normal file matching "*.oup", in any
  // letter case. The folder may end in either separator; an empty one means the root folder.
  bool HaveUpdateFile();

  // ---- List view construction (list_building.cpp) ----

  // Records one list column (property, header caption, width, item-text prefix) in the column
  // table and returns a copy of the whole table. Without `bAdd` a fresh one-column table is
  // started; with it a column is appended (9 when there is no table yet).
  // For a screen: call it once per column when the form loads, and keep the last table it returns.
  Variant LVColumnInfo(const std::string& strLIProperty, const std::string& strHeaderCaption, int16_t intColumnWidth,
                       bool bAdd = false, const std::string& strItemText = "");
  // Empties `lvListView` and fills it from the records of `objLI`, reached by member name: one
  // header per column of the table, one item per record keyed "K" + the `strLIKeyProperty`
  // value, sub-items for the further columns. Returns the first item, selected, with the
  // object's current record on record 1; nothing when the object holds no record.
  // For a screen: call it to fill the list, and keep the item it returns as the selected one.
  ObjectPtr BuildListView(const ObjectPtr& lvListView, const ObjectPtr& ilImageList, int16_t intImageIndex,
                          const ObjectPtr& objLI, const std::string& strLIKeyProperty,
                          const Variant& varIncludeLIProperties);
  // The record key of a list key made with the default prefix: everything after its first
  // character.
  std::string GetLIKeyFromLVKey(const std::string& strLVKey);

  // ---- Item selection (item_selection.cpp) ----

  // Moves a list or tree selection from PreviousItem (nothing on the first click, which then
  // becomes ClickedItem) to ClickedItem: secures the record being left unless it was deleted or
  // is not to be saved, gives a "NEW" entry its real key, makes the clicked entry's record current
  // and selects the entry. When the record being left cannot be kept, the selection goes back to
  // PreviousItem, which is returned. 13 for a key remainder that is no number under a KeyPrefix.
  // For a screen: call it for every click on the list, with the item the previous click returned.
  ObjectPtr ItemClick(const ObjectPtr& ClickedItem, ObjectPtr& PreviousItem, const LIPtr& objLI, bool& bChanged,
                      const std::string& KeyPrefix = "", bool blnDeleted = false,
                      const Variant& blnSavePrevious = Variant::Boolean(true),
                      const Variant& blnChangeLIIndex = Variant::Boolean(true));

  // ---- Adding items (item_adding.cpp) ----

  // Secures the current record, appends a new record (with its parent id unless told not to) and
  // adds a selected list item or top-level tree node for it, keyed with the prefix and the new
  // record key. Returns the new entry; itmCurrentItem, with blnNotAdded set, when the current record
  // cannot be kept; nothing for a control that is neither a "ListView" nor a "TreeView".
  // `blnNotDirty` is ignored. The new entry holds its key and `LvText` only, no sub-items, until
  // the list is built again.
  // For a screen: call it when the person adds a record.
  ObjectPtr AddItem(const ObjectPtr& lvListView, const ObjectPtr& ilImageList, int16_t intImageIndex,
                    const LIPtr& objLI, const ObjectPtr& itmCurrentItem, const std::string& KeyPrefix,
                    const std::string& LvText, bool blnNotDirty, bool& blnNotAdded, bool blnAutoFillParent = true);

  // ---- Removing items (item_removal.cpp) ----

  // After asking (unless DisableMessage) deletes and stores the current record (drops it when it
  // was never stored), removes the control's selected entry and selects the record of the entry
  // the control selects next. Returns that entry, nothing when no record is left, and
  // objItemOrNode when nothing is selected or the user declines (Removed false). `strPKID` is
  // ignored. A removal the business object refuses raises its error, with the object's reason.
  // For a screen: call it when the person removes the selected record.
  ObjectPtr RemoveItem(const ObjectPtr& objLvOrTree, const LIPtr& objLI, const std::string& strPKID,
                       const ObjectPtr& objItemOrNode, bool& Removed, const std::string& MsgText = "",
                       bool DisableMessage = false);

  // ---- Lookup-table entries (lookup_entries.cpp) ----

  // Appends to `objData` a stored record for every value of property `intUtilityProperty` of
  // `objUtility` that no record of `objData` carries in property `intDataProperty`. Nothing is
  // done when both hold as many records; 6 when either holds more than 32767. `DependsOn` and
  // `iKeyProperty` are ignored.
  void CheckTableEntries(const LIPtr& objUtility, int16_t intUtilityProperty, const LIPtr& objData,
                         int16_t intDataProperty, enumHomeMonth DependsOn, int16_t iKeyProperty,
                         bool blnAutoFillParent = true);

  // ---- Parent id of new records (parent_id.cpp) ----

  // Writes the current home id, or the current month's TRF record id, into position 2 of the
  // object's current record, as the container says the object's class depends on; other classes
  // are left alone.
  void SetHomesOrHomeMontlyStatsID(const LIPtr& objLI);

  // ---- Activation and context checks (activation.cpp) ----

  // Checks the context the form depends on (a home; for month-dependent forms also a month with
  // an active TRF); on a failed check shows why, writes the key of the screen that fixes it into
  // GotoFormKey and returns false. A changed context clears the soft-rule cache and marks the
  // form's data out of date; then the form's EveryOnActivate runs and the container receives the
  // form's title and icon. A DependsOn outside 0 to 3 runs neither check.
  // For a screen: call it from the form's Activate.
  [[nodiscard]] bool OnActivate(ActiveParams& apActiveParams, enumHomeMonth DependsOn);
  // True when a home is selected; otherwise shows message 2183 and writes the Our Home key.
  // Sets bChanged when the home or the TRF type changed since this object's last check.
  [[nodiscard]] bool IsValidHome(ActiveParams& apActiveParams, bool& bChanged);
  // True when the month record is set and its status is 1; otherwise shows message 2184 and writes
  // the TRF setup key. `bDisplayMessage` is ignored: the message is always shown. Sets bChanged when the month record
  // or its status changed since this object's last check.
  [[nodiscard]] bool IsValidMonth(ActiveParams& apActiveParams, bool& bChanged, bool bDisplayMessage);

  // ---- Deactivation and save (save.cpp) ----

  // Saves objLI: refuses (message 2181 or 2182) while the form shows a panel of its own, validates
  // the form's controls unless told to skip them, lets the user deal with the rules the object
  // refuses, and ends with the batch write when the object's SaveMode is 4. True when saved or
  // nothing was to save.
  // For a screen: call it from the form's Save.
  [[nodiscard]] bool OnSave(const LIPtr& objLI, bool blnSkipControlValidation = false);
  // Leaves the form: saves, validates the record group unless a non-interactive send-off runs,
  // and asks the form's DeactivateLocal. True when the form may be left.
  // For a screen: call it from the form's Deactivate.
  [[nodiscard]] bool OnDeactivate(const LIPtr& objLI, bool blnSkipControlValidation = false);

  // ---- Field and record validation (record_validation.cpp) ----

  // Checks the field-level rules of one field of the current record of a new or dirty record:
  // hard rules are shown, soft rules asked or told, and the field's value written back after each
  // settled pass so that the rules it triggers run again. 6 for a field number whose position
  // overflows 32 bits.
  // For a screen: call it when the person leaves a field, after writing its value into the record.
  [[nodiscard]] bool ValidateField(const LIPtr& objLI, int32_t lngFieldEnum);
  // Runs every rule of the current record (after the form's controls, unless told not to or in a
  // non-interactive send-off) and shows what is broken. True when the record is valid.
  // `itmCurrentItem` is ignored.
  [[nodiscard]] bool ValidateRecord(const LIPtr& objLI, bool DisableMessage = false,
                                    const ObjectPtr& objListObject = nullptr, const ObjectPtr& itmCurrentItem = nullptr,
                                    bool blnValidateLastControl = true);
  // Validates every record in turn, stopping at the first that fails (which stays current), then
  // the record group; the position found on entry is restored after the group. 6 when that
  // position lies outside 16 bits.
  [[nodiscard]] bool ValidateLI(const LIPtr& objLI, const ObjectPtr& objListObject = nullptr,
                                const ObjectPtr& itmCurrentItem = nullptr, bool DisableMessage = false);

  // ---- Record-group validation (record_group.cpp) ----

  // Validates the records of objLI's class together for the current home or home month through
  // the validator registered as "KW01.RG" + ClassName from its third character; no validator
  // means no group rules. Hard rules are always shown; soft rules are settled through the
  // record-group cache. False for an unset objLI; GroupDirty is cleared only when the group passes.
  [[nodiscard]] bool ValidateRecordGroup(const LIPtr& objLI, bool DisableMessage = false);

  // ---- Send-off validation (sendoff.cpp) ----

  // Saves, validates the current record (or every record and the record group) and saves again
  // before a TRF is sent off; the pointer found on entry is put back on every return. Without
  // `blnAllRecords`, `objListObject` is not used.
  // For a screen: call it from the form's ValidateForSendoff.
  [[nodiscard]] bool ValidateForSendoff(const LIPtr& objLI, bool blnAllRecords,
                                        const ObjectPtr& objListObject = nullptr,
                                        const ObjectPtr& itmCurrentItem = nullptr, bool DisableMessages = false);

  // ---- Feedback dialog (feedback.cpp) ----

  // Shows a message in the modal feedback dialog above the container's main window, with the
  // owner form's title and icon, and returns the answer (0 = accepted). The dialog is created at
  // first use and kept. 6 when the answer lies outside 32 bits.
  // For a screen: call it to tell the person something or ask a question of its own.
  int32_t ShowFeedbackForm(const std::string& strFeedBack, const std::string& strMoreFeedBack, int32_t enumRuleType,
                           int32_t lngRuleNumber = 0);

  // ---- Record error display (record_errors.cpp) ----

  // Tells the user what is wrong with the current record of objLI after its rules have run: the
  // broken hard rules (only lngHardRuleNumber when non-zero) with the focus on their fields, then
  // the broken enabled soft rules (only lngSoftRuleNumber when non-zero) as notices or questions,
  // settled silently when the record cache holds the same value; re-runs the rules after the soft
  // rules were settled when blnRevalidate is true. In a non-interactive send-off the record is
  // first brought into view in objListObject. True when the record may be kept.
  bool DisplayRecordErrors(const LIPtr& objLI, bool DisableMessage = false, const ObjectPtr& objListObject = nullptr,
                           int32_t lngHardRuleNumber = 0, int32_t lngSoftRuleNumber = 0, bool blnRevalidate = true);

  // ---- Soft-rule cache (soft_rule_cache.cpp) ----

  // Empties the record and record-group caches and restarts their one-day period.
  void ClearSoftRuleCache();

 private:
  // Lets the behaviour tests look into the soft-rule caches and run the private members.
  friend struct SharedProceduresTestAccess;

  // True during a send-off validation run that the container does not mark interactive.
  bool IsNonInteractiveSendOff();
  // Steps 20 to 90 of AutoFillCombo, run while the auto-fill flag is clear.
  void FillComboFromList(const ObjectPtr& cbo, bool& blnFoundMatch, Line& line);

  // ---- Activation and context checks (activation.cpp) ----

  // Shows a context message with the default pointer and puts the previous pointer back.
  void ShowContextMessage(const std::string& message, int32_t rule_number);

  // ---- Feedback dialog (feedback.cpp) ----

  // The owner form; 91 while no form is bound.
  I_FRM_Shared& Owner();

  // ---- Record error display (record_errors.cpp) ----

  // Selects the entry of a tree view or list view whose key is "K" + strKey; swallows every error.
  void SelectListEntry(const ObjectPtr& objList, const std::string& strKey);
  // Moves the focus to the control of a field of objLI's class through the owner form.
  void FocusRuleField(I_LI& objLI, int32_t field_enum);
  // Shows a broken hard rule.
  void ShowHardRule(I_HardRule& rule);
  // Settles one broken soft rule: silently when `cache` holds `key` with the rule's value, else
  // (messages allowed) by a notice or a question after `before_message`, caching what the user
  // settled; an entry with another value is dropped.
  void SettleSoftRule(Dictionary& cache, const std::string& key, I_SoftRule& rule, bool DisableMessage,
                      const std::function<void()>& before_message);

  // ---- Item selection (item_selection.cpp) ----

  // How securing the current record before leaving it ended.
  enum class Secured { kKept, kRefusedByValidation, kRefusedBySave };
  // Validates and stores objLI's current record as the list members do before leaving it:
  // through ValidateRecord and a forced Save when its SaveMode is 4, otherwise through OnSave.
  Secured SecureCurrentRecord(const LIPtr& objLI);

  // ---- Field and record validation (record_validation.cpp) ----

  // The object behind a reference the caller must have set; 91 when it is nothing.
  template <class T>
  static T& Required(const std::shared_ptr<T>& object) {
    if (!object) Raise(err::kObjectNotSet);
    return *object;
  }
  // Runs every rule of objLI's current record, telling it whether a non-interactive send-off runs.
  void RunRecordRules(I_LI& objLI);

  // ---- Deactivation and save (save.cpp) ----

  // Ends a save with objLI's SaveBatch when its SaveMode is 4, with its filter lifted meanwhile.
  void RunBatchWrite(I_LI& objLI);

  // ---- Record-group validation (record_group.cpp) ----

  // The home-month id for classes whose records belong to a month record, else the home id.
  std::string GroupKey(I_LI& objLI);
  // Runs the group rules of the current group, telling the validator whether a send-off runs.
  void RunGroupRules(I_RecordGroup& validator, I_LI& objLI);

  // ---- Soft-rule cache (soft_rule_cache.cpp) ----

  // Empties the caches when they were last emptied more than one day ago.
  void CheckSoftRuleCache();
  // The cache key of a rule: the record key or class name, "#", the rule number ("A1#7", "A1#-7").
  static std::string SoftRuleCacheKey(const std::string& owner, int32_t rule_number);
  // The cached text of a rule's value: its text with spaces trimmed at both ends; null reads as "".
  static std::string SoftRuleCacheValue(const Variant& value);

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

// A shared reference to a SharedProcedures object.
using SharedProceduresPtr = std::shared_ptr<SharedProcedures>;

}  // namespace kw
