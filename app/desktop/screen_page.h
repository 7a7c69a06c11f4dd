// ScreenPage: one screen in the window: its title, purpose and context line, its list as a table
// view over the session's ListModel, its fields as typed editors bound to the RecordModel by a
// QDataWidgetMapper (each committed when the person leaves it, with Tab or Enter), its choice as a
// combo box and its notes as a rich-text editor. What the person does goes to the session's
// operations; what changed comes back through the models, so the page redraws only that.
#pragma once

#include <map>
#include <set>
#include <string>

#include <QComboBox>
#include <QDataWidgetMapper>
#include <QLabel>
#include <QTableView>
#include <QWidget>

#include "app/desktop/desktop_session.h"
#include "app/desktop/field_editors.h"
#include "app/desktop/notes_editor.h"

namespace trf::desktop {

class ScreenPage : public QWidget {
 public:
  // The parts the page needs are made the first time it is shown.
  ScreenPage(DesktopSession& session, const ScreenForm& screen, QWidget* parent);

  // Draws the session's view of the screen: the context line, the list's selection, the choice
  // and the notes; the list and the fields follow their models by themselves.
  void Show(const ScreenView& view);

  // The page's controls, for the window's focus handling and for tests; nullptr where the screen
  // has none.
  QTableView* List() const { return list_; }
  QWidget* Field(const std::string& name) const;
  QComboBox* Choice() const { return choice_; }
  NotesEditor* Notes() const { return notes_; }
  // The control that takes the focus when the page is shown.
  QWidget* FirstControl() const;

 private:
  void Build(const ScreenView& view);
  void BuildList(const ScreenView& view);
  void BuildFields(RecordModel& record);
  void BuildChoice(const ScreenChoice& choice);
  void ShowSelection(int row);
  void ShowChoice(const ScreenChoice& choice);
  // The person moved the list's selection to `row` (0-based).
  void SelectRow(int row);
  // "&Name" with the first letter no other label of the page or the menus uses.
  QString WithMnemonic(const std::string& name);

  DesktopSession& session_;
  std::string name_;
  bool built_ = false;
  QLabel* context_ = nullptr;
  QTableView* list_ = nullptr;
  QDataWidgetMapper* mapper_ = nullptr;
  std::map<std::string, QWidget*> fields_;
  std::vector<std::string> field_order_;
  QComboBox* choice_ = nullptr;
  QString typed_choice_;
  NotesEditor* notes_ = nullptr;
  QLabel* selection_summary_ = nullptr;
  std::set<QChar> mnemonics_;
  // The page is putting the screen's selection on the view: that moves nothing on the screen.
  bool showing_ = false;
};

// The context line of the screens that set the home and the month; "" on the others.
QString ContextLine(const std::string& screen_name, const ScreenContext& context);
// The month of a date serial as a person reads it: "March 2024".
QString MonthText(double serial);

}  // namespace trf::desktop
