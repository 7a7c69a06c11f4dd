// Typed editors, their checks, and moving values between them and the record model.
#include "app/desktop/field_editors.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>

#include <cmath>

#include "app/desktop/qt_colors.h"
#include "app/desktop/record_model.h"
#include "ui_shared/platform/dates.h"

namespace trf::desktop {
namespace {

// The date serial of a calendar day, and back.
const QDate kSerialZero(1899, 12, 30);

QString Amount(double value) { return QLocale().toString(value, 'f', 2); }

bool WithinBounds(const ScreenField& field, double value) {
  return !field.bounds || (value >= field.bounds->least && value <= field.bounds->most);
}

// Characters a date may be typed with ("3/5/2004", "2004-03-05", "Mar 5, 2004").
bool DateCharacters(const QString& text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) {
    return c.isLetterOrNumber() || c == '/' || c == '-' || c == ' ' || c == ',' || c == '.';
  });
}

const RecordModel& Model(const QModelIndex& index) { return *static_cast<const RecordModel*>(index.model()); }

// Opens a calendar under a date field; the day picked becomes the field's text.
void PickDate(QLineEdit* edit) {
  auto* calendar = new QCalendarWidget(edit);
  calendar->setObjectName("calendar");
  calendar->setWindowFlags(Qt::Popup);
  calendar->setAttribute(Qt::WA_DeleteOnClose);
  calendar->setGridVisible(true);
  if (const auto serial = kw::dates::Recognize(edit->text().toStdString()))
    calendar->setSelectedDate(kSerialZero.addDays(static_cast<qint64>(std::floor(*serial))));
  QObject::connect(calendar, &QCalendarWidget::activated, edit, [edit, calendar](QDate day) {
    edit->setText(QString::fromStdString(kw::dates::ToText(static_cast<double>(kSerialZero.daysTo(day)))));
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
      field.bounds ? (field.kind == ColumnKind::kMoney
                          ? QObject::tr(" from %1 to %2").arg(Amount(field.bounds->least), Amount(field.bounds->most))
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
  const QString text = QString::fromStdString(value);
  if (field.kind != ColumnKind::kMoney || text.isEmpty()) return text;
  bool number = false;
  const double amount = text.toDouble(&number);
  return number ? Amount(amount) : text;
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
    case ColumnKind::kWholeNumber: {
      const qlonglong value = text.toLongLong(&number);
      if (!number) return text == "-" ? Intermediate : Invalid;
      return WithinBounds(field_, static_cast<double>(value)) ? Acceptable : Intermediate;
    }
    case ColumnKind::kMoney: {
      const QLocale locale;
      const double value = locale.toDouble(text, &number);
      const qsizetype point = text.indexOf(locale.decimalPoint());
      if (point >= 0 && text.size() - point - 1 > 2) return Invalid;  // cents at most
      if (!number) {
        const bool typing = std::all_of(text.begin(), text.end(), [&](QChar c) {
          return c.isDigit() || QString(c) == locale.groupSeparator() || QString(c) == locale.decimalPoint() ||
                 c == '-';
        });
        return typing ? Intermediate : Invalid;
      }
      return WithinBounds(field_, value) ? Acceptable : Intermediate;
    }
    case ColumnKind::kDate:
      if (kw::dates::Recognize(text.toStdString())) return Acceptable;
      return DateCharacters(text) ? Intermediate : Invalid;
    default: return Acceptable;
  }
}

QWidget* MakeFieldEditor(const ScreenField& field, QWidget* parent) {
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
      QAction* calendar = edit->addAction(QApplication::style()->standardIcon(QStyle::SP_FileDialogDetailedView),
                                          QLineEdit::TrailingPosition);
      calendar->setObjectName("pickDate");
      calendar->setToolTip(QObject::tr("Pick the date from a calendar (Alt+Down)"));
      calendar->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Down));
      calendar->setShortcutContext(Qt::WidgetShortcut);
      QObject::connect(calendar, &QAction::triggered, edit, [edit] { PickDate(edit); });
    }
    editor = edit;
  }
  editor->setObjectName(QString::fromStdString(field.name));
  editor->setAccessibleName(QString::fromStdString(field.caption));
  editor->setWhatsThis(FieldRule(field));
  return editor;
}

FieldDelegate::FieldDelegate(Refuse refuse, QObject* parent)
    : QStyledItemDelegate(parent), refuse_(std::move(refuse)) {}

void FieldDelegate::Watch(QWidget* editor) {
  if (auto* combo = qobject_cast<QComboBox*>(editor))
    connect(combo, &QComboBox::activated, this, [this, combo] { emit commitData(combo); });
}

void FieldDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  const ScreenField& field = Model(index).Field(index.column());
  const QString problem = index.data(RecordModel::kProblemRole).toString();
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    QStringList names;
    if (!field.required) names << QString();
    for (const std::string& choice : field.choices) names << QString::fromStdString(choice);
    if (combo->property("names").toStringList() != names) {
      const QSignalBlocker quiet(combo);
      combo->clear();
      combo->addItems(names);
      combo->setProperty("names", names);
    }
    const QSignalBlocker quiet(combo);
    combo->setCurrentIndex(combo->findText(QString::fromStdString(field.value)));
    combo->setEnabled(!field.read_only);
  } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
    // A text the editor refused stays for the person to put right, until the screen shows another value.
    edit->setProperty("screenValue", QString::fromStdString(field.value));
    edit->setProperty("rule", FieldRule(field));
    const QVariant refused_over = edit->property("refusedOver");
    if (!refused_over.isValid() || refused_over.toString() != QString::fromStdString(field.value)) {
      edit->setProperty("refusedOver", QVariant());
      edit->setText(ShownValue(field, field.value));
    }
    edit->setReadOnly(field.read_only);
    QPalette colours = edit->palette();
    colours.setColor(QPalette::Base, ToQColor(field.back_color));
    colours.setColor(QPalette::Text, ToQColor(field.fore_color));
    edit->setPalette(colours);
  }
  // A broken rule: a red frame, the message as the tooltip and the accessible description.
  editor->setStyleSheet(
      problem.isEmpty() ? QString()
                        : QStringLiteral("%1 { border: 2px solid #c62828; }").arg(editor->metaObject()->className()));
  editor->setProperty("problem", problem);
  editor->setToolTip(
      problem.isEmpty() ? (field.read_only ? tr("Read-only: nothing here may be changed now") : QString()) : problem);
  editor->setAccessibleDescription(problem.isEmpty() ? FieldRule(field) : problem);
}

void FieldDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
  const ScreenField& field = Model(index).Field(index.column());
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    model->setData(index, combo->currentText(), Qt::EditRole);
    return;
  }
  auto* edit = qobject_cast<QLineEdit*>(editor);
  if (!edit) return;
  if (!edit->hasAcceptableInput()) {
    RefuseText(*edit);
    return;
  }
  if (edit->property("refusedOver").isValid()) {
    edit->setProperty("refusedOver", QVariant());
    refuse_(field.name, QString());
  }
  model->setData(index, QString::fromStdString(TypedValue(field, edit->text())), Qt::EditRole);
}

void FieldDelegate::RefuseText(QLineEdit& edit) const {
  edit.setProperty("refusedOver", edit.property("screenValue"));
  refuse_(edit.objectName().toStdString(), edit.property("rule").toString());
}

bool FieldDelegate::eventFilter(QObject* object, QEvent* event) {
  auto* editor = qobject_cast<QWidget*>(object);
  auto* edit = qobject_cast<QLineEdit*>(object);
  const bool unacceptable = edit && !edit->hasAcceptableInput();
  if (editor && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool leaves = key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Return || key == Qt::Key_Enter;
    // A text the field cannot hold is refused where it was typed, and the person stays to put it right.
    if (leaves && unacceptable) {
      RefuseText(*edit);
      return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      emit commitData(editor);
      emit closeEditor(editor, EditNextItem);  // the mapper moves on, as Tab does
      return true;
    }
  }
  // Leaving by a click keeps the text, and marks it.
  if (event->type() == QEvent::FocusOut && unacceptable && !edit->isReadOnly()) RefuseText(*edit);
  return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace trf::desktop
