// ScreenPage: one screen in the window: its title, purpose and context line, its list as a table
// view (sortable by any column, over the session's ListModel, its amounts totalled under it), its
// fields as typed editors bound to the RecordModel by a QDataWidgetMapper (each committed when the
// person leaves it, with Tab or Enter) with the reason a rule gives under each, its choice as a
// combo box and its notes as a rich-text editor. What the person does goes to the session's
// operations (entering a field among them, which moves the active colours there); what changed
// comes back through the models, so the page redraws only that.
#pragma once

#include <map>
#include <set>
#include <string>

#include <QComboBox>
#include <QDataWidgetMapper>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QWidget>

#include "app/desktop/desktop_session.h"
#include "app/desktop/field_editors.h"
#include "app/desktop/notes_editor.h"
#include "app/desktop/totals_bar.h"

namespace trf::desktop {

class ScreenPage : public QWidget {
 public:
  // The parts the page needs are made the first time it is shown.
  ScreenPage(DesktopSession& session, const ScreenForm& screen, QWidget* parent);
  ~ScreenPage() override;
  ScreenPage(const ScreenPage&) = delete;
  ScreenPage& operator=(const ScreenPage&) = delete;

  // Draws the session's view of the screen: the context line, the list's selection, the choice
  // and the notes; the list and the fields follow their models by themselves.
  void Show(const ScreenView& view);

  // The page's controls, for the window's focus handling and for tests; nullptr where the screen
  // has none.
  QTableView* List() const { return list_; }
  QWidget* Field(const std::string& name) const;
  // The reason shown under the field `name`; nullptr for a field the page lacks.
  FieldReason* Reason(const std::string& name) const;
  TotalsBar* Totals() const { return totals_; }
  QComboBox* Choice() const { return choice_; }
  NotesEditor* Notes() const { return notes_; }
  // The control that takes the focus when the page is shown.
  QWidget* FirstControl() const;
  // Gives the keyboard focus to the editor of the field the screen made active; false when none is.
  bool FocusActiveField();
  // Hands what is typed in the editors to the screen, as leaving them does.
  void CommitEdits();
  // Whether an editor holds a text the person typed that no field holds yet.
  bool Typing() const { return delegate_ && delegate_->Typing(); }
  // Calls `typing` whenever the person types into an editor.
  void OnTyping(std::function<void()> typing) { typing_ = std::move(typing); }

 private:
  void Build(const ScreenView& view);
  void BuildList(const ScreenView& view);
  void BuildFields(RecordModel& record);
  void BuildChoice(const ScreenChoice& choice);
  void ShowSelection(int row);
  void ShowChoice(const ScreenChoice& choice);
  // The person moved the list's selection to the view's row `row`.
  void SelectRow(int row);
  // The screen's row of the view's row `row`, and back.
  int ScreenRow(int row) const;
  int ViewRow(int row) const;
  // The focus moved from `old` to `now`: the active colours follow it into a field, or out of the
  // fields to another part of the page.
  void FollowFocus(QWidget* old, QWidget* now);
  // The field whose editor holds `widget` (or is it); "" for none.
  std::string FieldOf(const QWidget* widget) const;
  // "&Name" with the first letter no other label of the page or the menus uses.
  QString WithMnemonic(const std::string& name);

  DesktopSession& session_;
  std::string name_;
  bool built_ = false;
  QLabel* context_ = nullptr;
  QTableView* list_ = nullptr;
  QSortFilterProxyModel* sorted_ = nullptr;
  TotalsBar* totals_ = nullptr;
  QDataWidgetMapper* mapper_ = nullptr;
  FieldDelegate* delegate_ = nullptr;
  std::map<std::string, QWidget*> fields_;
  std::map<std::string, FieldReason*> reasons_;
  std::vector<std::string> field_order_;
  QComboBox* choice_ = nullptr;
  QString typed_choice_;
  NotesEditor* notes_ = nullptr;
  QLabel* selection_summary_ = nullptr;
  std::set<QChar> mnemonics_;
  QMetaObject::Connection focus_;
  std::function<void()> typing_;
  // The page is putting the screen's selection on the view: that moves nothing on the screen.
  bool showing_ = false;
};

// The context line of the screens that set the home and the month; "" on the others.
QString ContextLine(const std::string& screen_name, const ScreenContext& context);
// The month of a date serial as a person reads it: "March 2024".
QString MonthText(double serial);
// The day of a date serial.
QDate DateOf(double serial);

}  // namespace trf::desktop
