// Editors that fit a field, from its description: a line edit for text (as long as the field
// holds), whole numbers and amounts (right-aligned, with the locale's grouping) and dates (typed as
// the runtime reads them, or picked from a calendar that opens on the month being entered), a combo
// box of names for a lookup; under each, the reason a rule gives against its value. Keystrokes that
// can never make a value of the field are refused where they are typed; every value that gets
// through is the screen's rules' to judge, as at the terminal. FieldDelegate moves values between
// the editors and the RecordModel for the QDataWidgetMapper that binds them: what a person typed
// stays in the editor until the screen takes it or the person reverts it with Escape; and it draws
// each editor's state (read-only, the active-field colours, how the value stands).
#pragma once

#include <functional>
#include <string>

#include <QDate>
#include <QHash>
#include <QLabel>
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

// Refuses the keystrokes that can never be part of a value of the field (a letter in an amount,
// a third decimal); anything else may be typed, and is judged by the screen's rules.
class FieldValidator : public QValidator {
 public:
  FieldValidator(ScreenField field, QObject* parent);
  State validate(QString& input, int& position) const override;

 private:
  ScreenField field_;
};

// The reason under a field: the icon and message of the gravest rule on its value, shown while
// there is one.
class FieldReason : public QWidget {
 public:
  explicit FieldReason(QWidget* parent);
  void Show(Standing standing, const QString& message);
  QString Text() const { return text_->text(); }
  Standing Shown() const { return standing_; }

 private:
  QLabel* icon_;
  QLabel* text_;
  Standing standing_ = Standing::kFine;
};

// The editor of `field` (not yet showing a value), named after it for tests and accessibility;
// a date's calendar opens on the typed day, else on the day `month` gives (the month being entered).
QWidget* MakeFieldEditor(const ScreenField& field, const std::function<QDate()>& month, QWidget* parent);

class FieldDelegate : public QStyledItemDelegate {
 public:
  // `revert` is Escape in a field that holds the screen's value: the person wants the value before
  // the last edit of `field` back.
  using Revert = std::function<void(const std::string& field)>;
  FieldDelegate(Revert revert, QObject* parent);

  // Takes `editor` into the delegate's care, with the reason under it; a combo box's choice is
  // committed as soon as it is made.
  void Attach(QWidget* editor, FieldReason* reason);
  // Whether the person typed into an editor what no field holds yet.
  bool Typing() const;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

 protected:
  // Enter commits the field and moves on to the next one, as Tab does, unless the value it made
  // breaks a hard rule (the person stays to put it right); Escape takes back what was typed, or
  // (when nothing was) the field's last edit.
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  // What the delegate knows of an editor: the field as last shown in it, and its reason.
  struct Shown {
    ScreenField field;
    FieldReason* reason = nullptr;
  };
  // Puts the field's value into a line edit, as typed by nobody.
  static void ShowValue(QLineEdit& edit, const ScreenField& field);

  Revert revert_;
  mutable QHash<const QWidget*, Shown> shown_;
};

}  // namespace trf::desktop
