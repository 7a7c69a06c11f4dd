// ScreenPage: one screen drawn from its ScreenView: its title and purpose, the list as an item view
// (columns at their widths, the selected row, keyboard), the fields as line edits in the screen's
// colours, the choice as a combo box and the notes as a rich-text editor. What the person does is
// handed to the screen's typed operations through Actions; the page draws the view again after.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QWidget>

#include "app/desktop/notes_editor.h"
#include "app/screens/screen_form.h"

namespace trf::desktop {

class ScreenPage : public QWidget {
 public:
  struct Actions {
    std::function<void(int row)> select_row;  // 1-based
    std::function<void(const std::string& field, const std::string& text)> edit_field;
    std::function<void(const std::string& text)> choose;
    NotesEditor::Actions notes;
  };
  // The parts the page needs are made the first time it shows a view.
  ScreenPage(const ScreenForm& screen, Actions actions, QWidget* parent);

  void Show(const ScreenView& view);

  // The page's controls, for the window's focus handling and for tests; nullptr where the screen
  // has none.
  QTreeWidget* List() const { return list_; }
  QLineEdit* Field(const std::string& name) const;
  QComboBox* Choice() const { return choice_; }
  NotesEditor* Notes() const { return notes_; }
  // The control that takes the focus when the page is shown.
  QWidget* FirstControl() const;

 private:
  void Build(const ScreenView& view);
  void ShowList(const ScreenList& list);
  void ShowFields(const std::vector<ScreenField>& fields) const;
  void ShowChoice(const ScreenChoice& choice);
  // "&Name" with the first letter no other label of the page or the menus uses.
  QString WithMnemonic(const std::string& name);

  std::string name_;
  Actions actions_;
  bool built_ = false;
  QLabel* context_ = nullptr;
  QTreeWidget* list_ = nullptr;
  std::map<std::string, QLineEdit*> fields_;
  std::vector<std::string> field_order_;
  QComboBox* choice_ = nullptr;
  QString typed_choice_;
  NotesEditor* notes_ = nullptr;
  QLabel* selection_summary_ = nullptr;
  std::set<QChar> mnemonics_;
  // An operation of the page is running: focus changes it causes (a dialog) start none.
  bool forwarding_ = false;
};

// The context line of the screens that set the home and the month; "" on the others.
QString ContextLine(const std::string& screen_name, const ScreenContext& context);
// The month of a date serial as a person reads it: "March 2024".
QString MonthText(double serial);

}  // namespace trf::desktop
