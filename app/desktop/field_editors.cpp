// Typed editors, their keystroke checks, the reason under each, and moving values between them and
// the record model.
#include "app/desktop/field_editors.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QStyle>

#include <cmath>

#include "app/desktop/qt_colors.h"
#include "app/desktop/record_model.h"
#include "app/desktop/shown_values.h"
#include "app/desktop/standing_icons.h"
#include "ui_shared/platform/dates.h"

namespace trf::desktop {
namespace {

// The date serial of a calendar day, and back.
const QDate kSerialZero(1899, 12, 30);
// The most decimals an amount is typed with.
constexpr qsizetype kCents = 2;

// Characters a date may be typed with ("3/5/2004", "2004-03-05", "Mar 5, 2004").
bool DateCharacters(const QString& text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) {
    return c.isLetterOrNumber() || c == '/' || c == '-' || c == ' ' || c == ',' || c == '.';
  });
}

// Characters a number may be typed with: digits, a sign, blanks and, for an amount, the locale's
// grouping and decimal point.
bool NumberCharacters(const QString& text, bool amount) {
  const QLocale locale;
  return std::all_of(text.begin(), text.end(), [&](QChar c) {
    return c.isDigit() || c == '-' || c == ' ' ||
           (amount && (QString(c) == locale.groupSeparator() || QString(c) == locale.decimalPoint()));
  });
}

const RecordModel& Model(const QModelIndex& index) { return *static_cast<const RecordModel*>(index.model()); }

// Opens a calendar under a date field, on the day typed there or else on `month`; the day picked
// becomes the field's text, as if typed.
void PickDate(QLineEdit* edit, const std::function<QDate()>& month) {
  auto* calendar = new QCalendarWidget(edit);
  calendar->setObjectName("calendar");
  calendar->setWindowFlags(Qt::Popup);
  calendar->setAttribute(Qt::WA_DeleteOnClose);
  calendar->setGridVisible(true);
  if (const auto serial = kw::dates::Recognize(edit->text().toStdString())) {
    calendar->setSelectedDate(kSerialZero.addDays(static_cast<qint64>(std::floor(*serial))));
  } else if (const QDate day = month ? month() : QDate(); day.isValid()) {
    calendar->setSelectedDate(day);
  }
  QObject::connect(calendar, &QCalendarWidget::activated, edit, [edit, calendar](QDate day) {
    edit->setText(QString::fromStdString(kw::dates::ToText(static_cast<double>(kSerialZero.daysTo(day)))));
    edit->setModified(true);
    calendar->close();
    edit->setFocus();
  });
  calendar->move(edit->mapToGlobal(QPoint(0, edit->height())));
  calendar->show();
  calendar->setFocus();
}

}  // namespace

QString FieldRule(const ScreenField& field) {
  const QString caption = QString::fromStdString(field.caption);
  const QString bounds =
      field.bounds
          ? (field.kind == ColumnKind::kMoney
                 ? QObject::tr(" from %1 to %2").arg(AmountText(field.bounds->least), AmountText(field.bounds->most))
                 : QObject::tr(" from %1 to %2")
                       .arg(QLocale().toString(field.bounds->least, 'f', 0),
                            QLocale().toString(field.bounds->most, 'f', 0)))
          : QString();
  QString what;
  switch (field.kind) {
    case ColumnKind::kWholeNumber: what = QObject::tr("a whole number%1").arg(bounds); break;
    case ColumnKind::kMoney: what = QObject::tr("an amount%1").arg(bounds); break;
    case ColumnKind::kDate: what = QObject::tr("a date such as 3/5/2004 (5 March 2004)"); break;
    case ColumnKind::kLookup: what = QObject::tr("one of the names in the list"); break;
    default:
      what = field.max_length ? QObject::tr("a text of at most %1 characters").arg(field.max_length)
                              : QObject::tr("a text");
  }
  return QObject::tr("%1: %2%3.").arg(caption, what, field.required ? QObject::tr(", which must be filled") : "");
}

QString ShownValue(const ScreenField& field, const std::string& value) {
  if (field.kind != ColumnKind::kMoney) return QString::fromStdString(value);
  const std::optional<double> amount = AmountOf(value);
  return amount ? AmountText(*amount) : QString::fromStdString(value);
}

std::string TypedValue(const ScreenField& field, const QString& text) {
  const QString trimmed = text.trimmed();
  if (field.kind != ColumnKind::kMoney || trimmed.isEmpty()) return text.toStdString();
  bool number = false;
  const double amount = QLocale().toDouble(trimmed, &number);
  return number ? QString::number(amount, 'f', 2).toStdString() : text.toStdString();
}

FieldValidator::FieldValidator(ScreenField field, QObject* parent) : QValidator(parent), field_(std::move(field)) {}

QValidator::State FieldValidator::validate(QString& input, int&) const {
  const QString text = input.trimmed();
  if (text.isEmpty()) return Acceptable;  // whether it must be filled is the rules' to say
  bool number = false;
  switch (field_.kind) {
    case ColumnKind::kWholeNumber:
      if (!NumberCharacters(text, false)) return Invalid;
      text.toLongLong(&number);
      return number ? Acceptable : Intermediate;
    case ColumnKind::kMoney: {
      if (!NumberCharacters(text, true)) return Invalid;
      const QLocale locale;
      const qsizetype point = text.indexOf(locale.decimalPoint());
      if (point >= 0 && text.size() - point - 1 > kCents) return Invalid;
      locale.toDouble(text, &number);
      return number ? Acceptable : Intermediate;
    }
    case ColumnKind::kDate:
      if (!DateCharacters(text)) return Invalid;
      return kw::dates::Recognize(text.toStdString()) ? Acceptable : Intermediate;
    default: return Acceptable;
  }
}

FieldReason::FieldReason(QWidget* parent) : QWidget(parent), icon_(new QLabel(this)), text_(new QLabel(this)) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(icon_);
  layout->addWidget(text_, 1);
  text_->setWordWrap(true);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  hide();
}

void FieldReason::Show(Standing standing, const QString& message) {
  standing_ = standing;
  const int size = fontMetrics().height();
  icon_->setPixmap(standing == Standing::kFine ? QPixmap() : StandingIcon(standing).pixmap(size, size));
  text_->setText(message);
  setAccessibleName(StandingWord(standing));
  setAccessibleDescription(message);
  setVisible(standing != Standing::kFine && !message.isEmpty());
}

QWidget* MakeFieldEditor(const ScreenField& field, const std::function<QDate()>& month, QWidget* parent) {
  QWidget* editor = nullptr;
  if (field.kind == ColumnKind::kLookup) {
    auto* combo = new QComboBox(parent);
    combo->setMinimumContentsLength(20);
    editor = combo;
  } else {
    auto* edit = new QLineEdit(parent);
    if (field.max_length) edit->setMaxLength(static_cast<int>(field.max_length));
    if (field.kind != ColumnKind::kText) edit->setValidator(new FieldValidator(field, edit));
    if (field.kind == ColumnKind::kMoney || field.kind == ColumnKind::kWholeNumber) edit->setAlignment(Qt::AlignRight);
    if (field.kind == ColumnKind::kDate) {
      // The button's name is the action's text: what a screen reader says for it.
      QAction* calendar = edit->addAction(QApplication::style()->standardIcon(QStyle::SP_FileDialogDetailedView),
                                          QLineEdit::TrailingPosition);
      calendar->setObjectName("pickDate");
      calendar->setText(QObject::tr("Pick the %1").arg(QString::fromStdString(field.caption).toLower()));
      calendar->setToolTip(calendar->text() + QObject::tr(" from a calendar (Alt+Down)"));
      calendar->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Down));
      calendar->setShortcutContext(Qt::WidgetShortcut);
      QObject::connect(calendar, &QAction::triggered, edit, [edit, month] { PickDate(edit, month); });
    }
    editor = edit;
  }
  editor->setObjectName(QString::fromStdString(field.name));
  editor->setAccessibleName(QString::fromStdString(field.caption));
  editor->setWhatsThis(FieldRule(field));
  return editor;
}

FieldDelegate::FieldDelegate(Revert revert, QObject* parent)
    : QStyledItemDelegate(parent), revert_(std::move(revert)) {}

void FieldDelegate::Attach(QWidget* editor, FieldReason* reason) {
  shown_[editor].reason = reason;
  if (auto* combo = qobject_cast<QComboBox*>(editor))
    connect(combo, &QComboBox::activated, this, [this, combo] { emit commitData(combo); });
}

bool FieldDelegate::Typing() const {
  for (auto shown = shown_.cbegin(); shown != shown_.cend(); ++shown) {
    const auto* edit = qobject_cast<const QLineEdit*>(shown.key());
    if (edit && edit->isModified()) return true;
  }
  return false;
}

void FieldDelegate::ShowValue(QLineEdit& edit, const ScreenField& field) {
  edit.setText(ShownValue(field, field.value));
  edit.setModified(false);
}

void FieldDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  const ScreenField& field = Model(index).Field(index.column());
  Shown& shown = shown_[editor];
  const bool value_changed = shown.field.value != field.value || shown.field.name != field.name;
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    QStringList names;
    if (!field.required) names << QString();
    for (const std::string& choice : field.choices) names << QString::fromStdString(choice);
    const QSignalBlocker quiet(combo);
    if (shown.field.choices != field.choices || combo->count() != names.size()) {
      combo->clear();
      combo->addItems(names);
    }
    combo->setCurrentIndex(combo->findText(QString::fromStdString(field.value)));
    combo->setEnabled(!field.read_only);
  } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
    // What the person typed stays until the screen shows another value for the field; a change of
    // colours alone leaves the text, its caret and its selection as they are.
    if (value_changed || (!edit->isModified() && edit->text() != ShownValue(field, field.value)))
      ShowValue(*edit, field);
    edit->setReadOnly(field.read_only);
  }
  // The field's colours, the active field's among them; a combo box draws itself as a button.
  const QColor back = ToQColor(field.back_color);
  const QColor fore = ToQColor(field.fore_color);
  QPalette colours = editor->palette();
  colours.setColor(QPalette::Base, back);
  colours.setColor(QPalette::Text, fore);
  if (qobject_cast<QComboBox*>(editor)) {
    colours.setColor(QPalette::Button, back);
    colours.setColor(QPalette::ButtonText, fore);
  }
  editor->setPalette(colours);
  shown.field = field;
  const QString problem = QString::fromStdString(field.problem);
  // A value that breaks a hard rule is framed in red, in the field's own colours.
  editor->setStyleSheet(field.standing == Standing::kError
                            ? QStringLiteral("%1 { border: 2px solid #c62828; background: %2; color: %3; }")
                                  .arg(editor->metaObject()->className(), back.name(), fore.name())
                            : QString());
  if (shown.reason) shown.reason->Show(field.standing, problem);
  editor->setToolTip(field.standing != Standing::kFine
                         ? problem
                         : (field.read_only ? tr("Read-only: nothing here may be changed now") : QString()));
  editor->setAccessibleDescription(field.standing != Standing::kFine ? problem : FieldRule(field));
}

void FieldDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
  const ScreenField& field = Model(index).Field(index.column());
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    model->setData(index, combo->currentText(), Qt::EditRole);
    return;
  }
  auto* edit = qobject_cast<QLineEdit*>(editor);
  if (!edit || edit->isReadOnly()) return;
  // A text that reads as the value the field holds ("2400" for 2,400.00) is no edit.
  const std::string typed = TypedValue(field, edit->text());
  if (typed == TypedValue(field, ShownValue(field, field.value))) {
    ShowValue(*edit, field);
    return;
  }
  model->setData(index, QString::fromStdString(typed), Qt::EditRole);
}

bool FieldDelegate::eventFilter(QObject* object, QEvent* event) {
  auto* editor = qobject_cast<QWidget*>(object);
  // Ctrl+Z and Ctrl+Shift+Z (Ctrl+Y) undo the typing in the field while there is some to undo;
  // otherwise they are the window's, which undo and redo whole values.
  if (auto* edit = qobject_cast<QLineEdit*>(object); edit && event->type() == QEvent::ShortcutOverride) {
    const auto* keys = static_cast<QKeyEvent*>(event);
    const bool redo = keys->matches(QKeySequence::Redo) || keys->keyCombination() == (Qt::CTRL | Qt::Key_Y);
    if ((keys->matches(QKeySequence::Undo) && !edit->isUndoAvailable()) || (redo && !edit->isRedoAvailable())) {
      event->ignore();
      return true;
    }
  }
  if (editor && event->type() == QEvent::KeyPress) {
    const auto* keys = static_cast<QKeyEvent*>(event);
    const int key = keys->key();
    const bool back = key == Qt::Key_Backtab || (key == Qt::Key_Tab && keys->modifiers() & Qt::ShiftModifier);
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab || key == Qt::Key_Backtab) {
      const std::string before = shown_[editor].field.value;
      emit commitData(editor);
      // A value this commit made that a rule refuses keeps the person in the field to put it right.
      const ScreenField& now = shown_[editor].field;
      if (now.standing == Standing::kError && now.value != before) return true;
      emit closeEditor(editor, back ? EditPreviousItem : EditNextItem);  // the mapper moves on
      return true;
    }
    const auto shown = shown_.constFind(editor);
    auto* edit = qobject_cast<QLineEdit*>(editor);
    if (key == Qt::Key_Escape && edit && shown != shown_.cend()) {
      if (edit->isModified())
        ShowValue(*edit, shown->field);
      else
        revert_(shown->field.name);
      return true;
    }
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace trf::desktop
