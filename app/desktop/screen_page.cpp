// Drawing a screen view with Qt widgets and handing the person's actions to the screen.
#include "app/desktop/screen_page.h"

#include <algorithm>

#include <QApplication>
#include <QDate>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/screens/notes_screen.h"
#include "app/screens/setup_screen.h"

namespace trf::desktop {
namespace {

constexpr double kTwipsPerInch = 1440.0;
// Letters of the menu bar's mnemonics, which the labels leave to the menus.
const QString kMenuMnemonics = QStringLiteral("fgrch");
// Room around the problem column's icon.
constexpr int kIconMargin = 10;

}  // namespace

QDate DateOf(double serial) { return QDate(1899, 12, 30).addDays(static_cast<qint64>(serial)); }

QString MonthText(double serial) { return DateOf(serial).toString(QStringLiteral("MMMM yyyy")); }

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

ScreenPage::ScreenPage(DesktopSession& session, const ScreenForm& screen, QWidget* parent)
    : QWidget(parent), session_(session), name_(screen.Name()) {
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

// The focus moves while the page's children are deleted, after its own members are gone.
ScreenPage::~ScreenPage() { disconnect(focus_); }

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
  if (view.choice) BuildChoice(*view.choice);
  if (view.list) BuildList(view);
  if (RecordModel* record = session_.Record(name_)) BuildFields(*record);
  if (view.rich_text) {
    NotesEditor::Actions notes;
    const auto on_notes = [this](const std::function<void(NotesScreen&)>& operation) {
      session_.Run([&](ScreenForm& s) {
        if (auto* screen = dynamic_cast<NotesScreen*>(&s)) operation(*screen);
      });
    };
    notes.select = [on_notes](int32_t start, int32_t length) {
      on_notes([=](NotesScreen& s) { s.SetSelection(start, length); });
    };
    notes.type = [on_notes](const std::string& text) { on_notes([&](NotesScreen& s) { s.InsertText(text); }); };
    notes.paste_rtf = [on_notes](const std::string& rtf) { on_notes([&](NotesScreen& s) { s.InsertRtf(rtf); }); };
    notes_ = new NotesEditor(notes, this);
    selection_summary_ = new QLabel(this);
    selection_summary_->setObjectName("selectionSummary");
    selection_summary_->setAccessibleName(tr("Formatting of the selection"));
    selection_summary_->setTextFormat(Qt::RichText);
    layout->addWidget(notes_, 1);
    layout->addWidget(selection_summary_);
  }
  if (!list_ && !notes_) layout->addStretch();
  // Widgets added to a shown page appear only once the event loop runs; the page is drawn now.
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) child->show();
  if (totals_) totals_->setVisible(session_.List(name_)->HasTotals());
}

void ScreenPage::BuildChoice(const ScreenChoice& choice) {
  auto* row = new QHBoxLayout;
  const QString caption = WithMnemonic(choice.name);
  auto* label = new QLabel(caption + ':', this);
  choice_ = new QComboBox(this);
  choice_->setObjectName("choice");
  choice_->setEditable(true);
  choice_->setInsertPolicy(QComboBox::NoInsert);
  choice_->setCompleter(nullptr);  // the screen completes what is typed, through the combo messages
  choice_->setAccessibleName(QString(caption).remove('&'));
  choice_->setMinimumContentsLength(16);
  label->setBuddy(choice_);
  row->addWidget(label);
  row->addWidget(choice_);
  row->addStretch();
  static_cast<QVBoxLayout*>(layout())->addLayout(row);
  connect(choice_->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
    typed_choice_ = text;
    session_.Run([&](ScreenForm& s) { s.Choose(text.toStdString()); });
  });
  connect(choice_, &QComboBox::activated, this, [this](int index) {
    typed_choice_ = choice_->itemText(index);
    session_.Run([&](ScreenForm& s) { s.Choose(typed_choice_.toStdString()); });
  });
}

void ScreenPage::BuildList(const ScreenView& view) {
  ListModel* model = session_.List(name_);
  auto* label = new QLabel(WithMnemonic("list of records") + ':', this);
  // Sorting orders the view only: the screen's rows, and its records, stay in their order.
  sorted_ = new QSortFilterProxyModel(this);
  sorted_->setSourceModel(model);
  sorted_->setSortRole(ListModel::kSortRole);
  sorted_->setSortCaseSensitivity(Qt::CaseInsensitive);
  sorted_->setSortLocaleAware(true);
  list_ = new QTableView(this);
  list_->setObjectName("list");
  list_->setAccessibleName(tr("Records"));
  list_->setModel(sorted_);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setAlternatingRowColors(true);
  list_->setShowGrid(false);
  list_->setTabKeyNavigation(false);
  list_->setWordWrap(false);
  list_->verticalHeader()->hide();
  // Rows of one height: the view never measures the rows it does not show.
  list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  QHeaderView* header = list_->horizontalHeader();
  header->setStretchLastSection(true);
  header->setHighlightSections(false);
  header->setSortIndicatorClearable(true);  // a third click puts the records back in their order
  header->setSortIndicator(-1, Qt::AscendingOrder);
  list_->setSortingEnabled(true);
  // A list without captions shows no header row rather than column numbers.
  const auto& headers = view.list->headers;
  header->setVisible(!std::all_of(headers.begin(), headers.end(), [](const std::string& h) { return h.empty(); }));
  // Each column opens at the width the screen asks for, but never narrower than its caption; the
  // problem column holds its icon.
  const double pixels_per_twip = logicalDpiX() / kTwipsPerInch;
  for (int c = 0; c + 1 < model->columnCount(); ++c) {
    if (model->IsProblemColumn(c)) {
      list_->setColumnWidth(c, style()->pixelMetric(QStyle::PM_SmallIconSize) + kIconMargin);
      header->setSectionResizeMode(c, QHeaderView::Fixed);
      continue;
    }
    const int asked = static_cast<int>(model->Width(c) * pixels_per_twip);
    const int caption =
        header->fontMetrics().horizontalAdvance(model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString()) +
        2 * style()->pixelMetric(QStyle::PM_HeaderMargin) + style()->pixelMetric(QStyle::PM_HeaderMarkSize);
    list_->setColumnWidth(c, std::max(asked, caption));
  }
  label->setBuddy(list_);
  auto* layout = static_cast<QVBoxLayout*>(this->layout());
  layout->addWidget(label);
  layout->addWidget(list_, 1);
  totals_ = new TotalsBar(*model, *header, this);
  layout->addWidget(totals_);
  // The arrow keys and a click move the current row; a click on the row that is current already
  // (the first row of a list nothing was chosen from yet) selects it too. The current row that the
  // focus alone gives a list selects nothing.
  connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current, const QModelIndex& previous) {
            if (!showing_ && current.isValid() && previous.isValid()) SelectRow(current.row());
          });
  // Enter on the current row (activated) chooses it as a click does.
  const auto choose = [this](const QModelIndex& index) {
    const ScreenView& shown = session_.View();
    if (index.isValid() && shown.list && shown.list->selected != ScreenRow(index.row())) SelectRow(index.row());
  };
  connect(list_, &QTableView::clicked, this, choose);
  connect(list_, &QTableView::activated, this, choose);
}

int ScreenPage::ScreenRow(int row) const { return sorted_->mapToSource(sorted_->index(row, 0)).row(); }

int ScreenPage::ViewRow(int row) const { return sorted_->mapFromSource(sorted_->sourceModel()->index(row, 0)).row(); }

void ScreenPage::SelectRow(int row) {
  const int screen_row = ScreenRow(row);
  session_.Run([screen_row](ScreenForm& s) { s.SelectRow(screen_row + 1); });
}

void ScreenPage::BuildFields(RecordModel& record) {
  auto* form = new QFormLayout;
  delegate_ = new FieldDelegate([this](const std::string& field) { session_.RevertField(field); }, this);
  mapper_ = new QDataWidgetMapper(this);
  mapper_->setModel(&record);
  mapper_->setItemDelegate(delegate_);
  mapper_->setSubmitPolicy(QDataWidgetMapper::AutoSubmit);
  const auto month = [this] {
    const ScreenContext& context = session_.View().context;
    return context.month_id.empty() ? QDate() : DateOf(context.month_date);
  };
  for (int column = 0; column < record.columnCount(); ++column) {
    const ScreenField& field = record.Field(column);
    QWidget* editor = MakeFieldEditor(field, month, this);
    // A field that must be filled says so by a mark after its caption, and in its accessible name.
    auto* label = new QLabel(WithMnemonic(field.caption) + (field.required ? " *:" : ":"), this);
    if (field.required) {
      label->setToolTip(tr("Must be filled"));
      editor->setAccessibleName(editor->accessibleName() + tr(" (required)"));
    }
    label->setBuddy(editor);
    // The editor, and under it the reason a rule gives against its value.
    auto* place = new QWidget(this);
    auto* stack = new QVBoxLayout(place);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(2);
    editor->setParent(place);
    auto* reason = new FieldReason(place);
    reason->setObjectName(QString::fromStdString(field.name) + "Reason");
    stack->addWidget(editor);
    stack->addWidget(reason);
    place->setFocusProxy(editor);  // the focus the window gives back after a dialog goes to the editor
    form->addRow(label, place);
    delegate_->Attach(editor, reason);
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
      connect(edit, &QLineEdit::textEdited, this, [this] {
        if (typing_) typing_();
      });
    mapper_->addMapping(editor, column);
    fields_[field.name] = editor;
    reasons_[field.name] = reason;
    field_order_.push_back(field.name);
  }
  connect(&record, &QAbstractItemModel::modelReset, mapper_, &QDataWidgetMapper::toFirst);
  mapper_->toFirst();
  static_cast<QVBoxLayout*>(layout())->addLayout(form);
  focus_ =
      connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) { FollowFocus(old, now); });
}

std::string ScreenPage::FieldOf(const QWidget* widget) const {
  if (!widget) return {};
  for (const auto& [name, editor] : fields_)
    if (editor == widget || editor->isAncestorOf(widget)) return name;
  return {};
}

void ScreenPage::FollowFocus(QWidget* old, QWidget* now) {
  if (!isVisible()) return;
  if (const std::string entered = FieldOf(now); !entered.empty()) {
    session_.FocusField(entered);
  } else if (!FieldOf(old).empty() && now && now->window() == window()) {
    session_.FocusField("");  // another part of the window: a popup or a dialog takes the focus back
  }
}

bool ScreenPage::FocusActiveField() {
  const RecordModel* record = session_.Record(name_);
  const ScreenField* active = record ? record->Active() : nullptr;
  QWidget* editor = active ? Field(active->name) : nullptr;
  if (!editor) return false;
  editor->setFocus();
  return true;
}

void ScreenPage::CommitEdits() {
  if (mapper_) mapper_->submit();
}

void ScreenPage::Show(const ScreenView& view) {
  if (!built_) Build(view);
  const QString context = ContextLine(name_, view.context);
  context_->setText(context);
  context_->setVisible(!context.isEmpty());
  if (view.list && list_) ShowSelection(view.list->selected);
  if (view.choice && choice_) ShowChoice(*view.choice);
  if (view.rich_text && notes_) {
    notes_->Show(view.rich_text);
    selection_summary_->setText(SelectionSummary(*view.rich_text, true));
    selection_summary_->setAccessibleDescription(SelectionSummary(*view.rich_text));
  }
}

void ScreenPage::ShowSelection(int row) {
  QItemSelectionModel& selection = *list_->selectionModel();
  const QModelIndex current = selection.currentIndex();
  const bool selected = current.isValid() && selection.isRowSelected(current.row(), {});
  const int view_row = row < 0 || row >= sorted_->rowCount() ? -1 : ViewRow(row);
  if (view_row < 0 ? !selection.hasSelection() : (current.row() == view_row && selected)) return;
  showing_ = true;
  if (view_row < 0) {
    selection.clearSelection();  // the current row stays where the keys move from
  } else {
    const QModelIndex index = sorted_->index(view_row, 0);
    selection.setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list_->scrollTo(index);
  }
  showing_ = false;
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

QWidget* ScreenPage::Field(const std::string& name) const {
  const auto found = fields_.find(name);
  return found == fields_.end() ? nullptr : found->second;
}

FieldReason* ScreenPage::Reason(const std::string& name) const {
  const auto found = reasons_.find(name);
  return found == reasons_.end() ? nullptr : found->second;
}

QWidget* ScreenPage::FirstControl() const {
  if (notes_) return notes_;
  if (list_) return list_;
  if (choice_) return choice_;
  return field_order_.empty() ? nullptr : Field(field_order_.front());
}

}  // namespace trf::desktop
