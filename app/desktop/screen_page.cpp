// Drawing a screen view with Qt widgets and handing the person's actions to the screen.
#include "app/desktop/screen_page.h"

#include <algorithm>

#include <QApplication>
#include <QDate>
#include <QFormLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "app/desktop/qt_colors.h"
#include "app/screens/setup_screen.h"

namespace trf::desktop {
namespace {

constexpr double kTwipsPerInch = 1440.0;
// The widest a column is made for the screen's asking; wider texts still get their width.
constexpr int kWidestColumn = 360;
// Letters of the menu bar's mnemonics, which the labels leave to the menus.
const QString kMenuMnemonics = QStringLiteral("fgrch");

// Runs `action` unless one is running already (a dialog it opens moves the focus, and Qt reports
// that as the end of an edit).
void Guarded(bool& running, const std::function<void()>& action) {
  if (running) return;
  running = true;
  action();
  running = false;
}

}  // namespace

QString MonthText(double serial) {
  return QDate(1899, 12, 30).addDays(static_cast<qint64>(serial)).toString(QStringLiteral("MMMM yyyy"));
}

QString ContextLine(const std::string& screen_name, const ScreenContext& context) {
  if (screen_name == "home")
    return context.home_num.empty() ? QObject::tr("No home is selected: choose one of the homes below.")
                                    : QObject::tr("Current home: %1").arg(QString::fromStdString(context.home_num));
  if (screen_name != "setup") return QString();
  const QString month =
      context.month_id.empty()
          ? QObject::tr("none selected (choose one below)")
          : QObject::tr("%1, TRF %2")
                .arg(MonthText(context.month_date), QString::fromStdString(MonthStatusText(context.month_status)));
  return QObject::tr("Home %1 · current month: %2 · TRFs reopened in this session: %3")
      .arg(QString::fromStdString(context.home_num), month)
      .arg(context.trf_reopened);
}

ScreenPage::ScreenPage(const ScreenForm& screen, Actions actions, QWidget* parent)
    : QWidget(parent), name_(screen.Name()), actions_(std::move(actions)) {
  setObjectName(QString::fromStdString(screen.Name()));
  setAccessibleName(QString::fromStdString(screen.Caption()));
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(QString::fromStdString(screen.Caption()), this);
  QFont big = title->font();
  big.setPointSizeF(big.pointSizeF() * 1.5);
  big.setBold(true);
  title->setFont(big);
  auto* purpose = new QLabel(QString::fromStdString(screen.Purpose()), this);
  purpose->setWordWrap(true);
  context_ = new QLabel(this);
  context_->setObjectName("context");
  context_->setWordWrap(true);
  layout->addWidget(title);
  layout->addWidget(purpose);
  layout->addWidget(context_);
}

QString ScreenPage::WithMnemonic(const std::string& name) {
  QString text = QString::fromStdString(name);
  if (!text.isEmpty()) text[0] = text[0].toUpper();
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar letter = text[i].toLower();
    if (!letter.isLetter() || mnemonics_.contains(letter) || kMenuMnemonics.contains(letter)) continue;
    mnemonics_.insert(letter);
    return text.left(i) + '&' + text.mid(i);
  }
  return text;
}

void ScreenPage::Build(const ScreenView& view) {
  built_ = true;
  auto* layout = static_cast<QVBoxLayout*>(this->layout());
  if (view.choice) {
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(WithMnemonic(view.choice->name) + ':', this);
    choice_ = new QComboBox(this);
    choice_->setObjectName("choice");
    choice_->setEditable(true);
    choice_->setInsertPolicy(QComboBox::NoInsert);
    choice_->setCompleter(nullptr);  // the screen completes what is typed, through the combo messages
    choice_->setAccessibleName(QString::fromStdString(view.choice->name));
    choice_->setMinimumContentsLength(16);
    label->setBuddy(choice_);
    row->addWidget(label);
    row->addWidget(choice_);
    row->addStretch();
    layout->addLayout(row);
    connect(choice_->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
      typed_choice_ = text;
      Guarded(forwarding_, [&] { actions_.choose(text.toStdString()); });
    });
    connect(choice_, &QComboBox::activated, this, [this](int index) {
      typed_choice_ = choice_->itemText(index);
      Guarded(forwarding_, [&] { actions_.choose(typed_choice_.toStdString()); });
    });
  }
  if (view.list) {
    auto* label = new QLabel(WithMnemonic("list of records") + ':', this);
    list_ = new QTreeWidget(this);
    list_->setObjectName("list");
    list_->setAccessibleName(tr("Records"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAlternatingRowColors(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setAllColumnsShowFocus(true);
    label->setBuddy(list_);
    layout->addWidget(label);
    layout->addWidget(list_, 1);
    // A click selects its row even when the list shows it selected already (the first row of a
    // list the person has not chosen from yet); the arrow keys move the selection. The current
    // item that the focus alone gives a list selects nothing.
    auto forward = [this](QTreeWidgetItem* item) {
      const int row = list_->indexOfTopLevelItem(item) + 1;
      Guarded(forwarding_, [&] { actions_.select_row(row); });
    };
    connect(list_, &QTreeWidget::itemClicked, this, forward);
    connect(list_, &QTreeWidget::currentItemChanged, this, [forward](QTreeWidgetItem* item, QTreeWidgetItem* previous) {
      if (item && previous && QApplication::mouseButtons() == Qt::NoButton) forward(item);
    });
  }
  if (!view.fields.empty()) {
    auto* form = new QFormLayout;
    for (const ScreenField& field : view.fields) {
      auto* edit = new QLineEdit(this);
      edit->setObjectName(QString::fromStdString(field.name));
      edit->setAccessibleName(QString::fromStdString(field.caption));
      auto* label = new QLabel(WithMnemonic(field.caption) + (field.required ? "*:" : ":"), this);
      label->setBuddy(edit);
      form->addRow(label, edit);
      fields_[field.name] = edit;
      field_order_.push_back(field.name);
      const std::string name = field.name;
      connect(edit, &QLineEdit::editingFinished, this, [this, edit, name] {
        if (!edit->isModified()) return;
        edit->setModified(false);
        Guarded(forwarding_, [&] { actions_.edit_field(name, edit->text().toStdString()); });
      });
    }
    layout->addLayout(form);
  }
  if (view.rich_text) {
    notes_ = new NotesEditor(actions_.notes, this);
    selection_summary_ = new QLabel(this);
    selection_summary_->setObjectName("selectionSummary");
    selection_summary_->setAccessibleName(tr("Formatting of the selection"));
    layout->addWidget(notes_, 1);
    layout->addWidget(selection_summary_);
  }
  if (!list_ && !notes_) layout->addStretch();
  // Widgets added to a shown page appear only once the event loop runs; the page is drawn now.
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) child->show();
}

void ScreenPage::Show(const ScreenView& view) {
  if (!built_) Build(view);
  const QString context = ContextLine(name_, view.context);
  context_->setText(context);
  context_->setVisible(!context.isEmpty());
  if (view.list && list_) ShowList(*view.list);
  ShowFields(view.fields);
  if (view.choice && choice_) ShowChoice(*view.choice);
  if (view.rich_text && notes_) {
    notes_->Show(view.rich_text);
    selection_summary_->setText(SelectionSummary(*view.rich_text));
  }
}

void ScreenPage::ShowList(const ScreenList& list) {
  const QSignalBlocker quiet(list_);
  QStringList headers;
  for (const std::string& header : list.headers) headers << QString::fromStdString(header);
  int columns = static_cast<int>(headers.size());
  for (const auto& row : list.rows) columns = std::max(columns, static_cast<int>(row.size()));
  const bool first_fill = list_->columnCount() != columns || list_->topLevelItemCount() == 0;
  list_->setColumnCount(columns);
  list_->setHeaderLabels(headers);
  // A list without captions shows no header row rather than column numbers.
  list_->setHeaderHidden(std::all_of(headers.begin(), headers.end(), [](const QString& h) { return h.isEmpty(); }));
  list_->clear();
  for (const auto& row : list.rows) {
    QStringList cells;
    for (const std::string& cell : row) cells << QString::fromStdString(cell);
    list_->addTopLevelItem(new QTreeWidgetItem(cells));
  }
  if (first_fill) {
    // The screen's width for each column, but never narrower than its caption or its texts.
    const double pixels_per_twip = logicalDpiX() / kTwipsPerInch;
    // The last column stretches to the list's edge.
    for (int c = 0; c + 1 < columns; ++c) {
      const auto at = static_cast<size_t>(c);
      const int asked = at < list.widths.size() ? static_cast<int>(list.widths[at] * pixels_per_twip) : 0;
      list_->resizeColumnToContents(c);
      list_->setColumnWidth(c, std::max(std::min(asked, kWidestColumn), list_->columnWidth(c) + 8));
    }
  }
  if (list.selected >= 0 && list.selected < list_->topLevelItemCount()) {
    list_->setCurrentItem(list_->topLevelItem(list.selected));
    list_->scrollToItem(list_->currentItem());
  } else {
    list_->setCurrentItem(nullptr);
  }
}

void ScreenPage::ShowFields(const std::vector<ScreenField>& fields) const {
  for (const ScreenField& field : fields) {
    QLineEdit* edit = Field(field.name);
    if (!edit) continue;
    const QSignalBlocker quiet(edit);
    edit->setText(QString::fromStdString(field.value));
    edit->setModified(false);
    edit->setReadOnly(field.read_only);
    QPalette colours = edit->palette();
    colours.setColor(QPalette::Base, ToQColor(field.back_color));
    colours.setColor(QPalette::Text, ToQColor(field.fore_color));
    edit->setPalette(colours);
    edit->setToolTip(field.read_only ? tr("Read-only: nothing here may be changed now") : QString());
  }
}

void ScreenPage::ShowChoice(const ScreenChoice& choice) {
  const QSignalBlocker quiet(choice_);
  if (choice_->count() != static_cast<int>(choice.options.size())) {
    choice_->clear();
    for (const std::string& option : choice.options) choice_->addItem(QString::fromStdString(option));
  }
  const QString text = QString::fromStdString(choice.text);
  choice_->setCurrentIndex(choice_->findText(text, Qt::MatchFixedString));
  choice_->setEditText(text);
  // What the screen completed beyond what was typed stays selected, so that typing goes on over it.
  if (!typed_choice_.isEmpty() && text.startsWith(typed_choice_, Qt::CaseInsensitive) &&
      text.size() > typed_choice_.size()) {
    choice_->lineEdit()->setSelection(static_cast<int>(text.size()),
                                      static_cast<int>(typed_choice_.size() - text.size()));
  }
}

QLineEdit* ScreenPage::Field(const std::string& name) const {
  const auto found = fields_.find(name);
  return found == fields_.end() ? nullptr : found->second;
}

QWidget* ScreenPage::FirstControl() const {
  if (notes_) return notes_;
  if (list_) return list_;
  if (choice_) return choice_;
  return field_order_.empty() ? nullptr : Field(field_order_.front());
}

}  // namespace trf::desktop
