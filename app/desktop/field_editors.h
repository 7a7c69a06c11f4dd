// Editors that fit a field, from its description: a line edit for text (as long as the field
// holds), whole numbers and amounts (with the locale's grouping, within the field's bounds) and
// dates (typed as the runtime reads them, or picked from a calendar), a combo box of names for a
// lookup. A value the field cannot hold is refused at the editor with the field's own sentence;
// the screen's rules still decide every value that gets through. FieldDelegate moves values
// between the editors and the RecordModel for the QDataWidgetMapper that binds them, and draws
// each editor's state (read-only, the active-field colours, a broken rule's mark).
#pragma once

#include <functional>
#include <string>

#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QValidator>

#include "app/screens/screen_view.h"

namespace trf::desktop {

// What the field holds, as a sentence: "Monthly fee: an amount from 0.00 to 99,999.99."
QString FieldRule(const ScreenField& field);
// The field's value as its editor shows it (an amount with the locale's grouping), and back as the
// screen takes it; the editor's text unchanged for the kinds typed as they are shown.
QString ShownValue(const ScreenField& field, const std::string& value);
std::string TypedValue(const ScreenField& field, const QString& text);

// Whether a text may become a value of the field: Acceptable, Intermediate (typing goes on, or it
// is outside the bounds) or Invalid (the keystroke is refused).
class FieldValidator : public QValidator {
 public:
  FieldValidator(ScreenField field, QObject* parent);
  State validate(QString& input, int& position) const override;

 private:
  ScreenField field_;
};

// The editor of `field` (not yet showing a value), named after it for tests and accessibility.
QWidget* MakeFieldEditor(const ScreenField& field, QWidget* parent);

class FieldDelegate : public QStyledItemDelegate {
 public:
  // `refuse` marks a field whose editor holds a value it cannot take (problem "" clears it).
  using Refuse = std::function<void(const std::string& field, const QString& problem)>;
  FieldDelegate(Refuse refuse, QObject* parent);

  // Commits a combo box's choice as soon as it is made.
  void Watch(QWidget* editor);
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

 protected:
  // Enter commits the field and moves on to the next one, as Tab does.
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  // Marks the field of `edit` with its sentence; its text stays until the screen shows another value.
  void RefuseText(QLineEdit& edit) const;

  Refuse refuse_;
};

}  // namespace trf::desktop
