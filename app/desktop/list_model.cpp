// A screen's list read cell by cell.
#include "app/desktop/list_model.h"

#include <cmath>

#include "app/desktop/shown_values.h"
#include "app/desktop/standing_icons.h"

namespace trf::desktop {
namespace {

constexpr double kCentsPerUnit = 100.0;

// The rank a standing sorts by: errors last in ascending order, first in descending.
int Rank(Standing standing) {
  switch (standing) {
    case Standing::kError: return 3;
    case Standing::kQuestion: return 2;
    case Standing::kAccepted: return 1;
    case Standing::kFine: break;
  }
  return 0;
}

}  // namespace

ListModel::ListModel(const ScreenForm& screen, const ScreenList& columns, bool with_problems, QObject* parent)
    : QAbstractTableModel(parent), screen_(screen), with_problems_(with_problems), widths_(columns.widths),
      kinds_(columns.kinds), rows_(screen.ListRows()) {
  for (const std::string& header : columns.headers) headers_.push_back(QString::fromStdString(header));
  for (size_t c = 0; c < kinds_.size(); ++c)
    if (kinds_[c] == ColumnKind::kMoney) totals_.push_back(Sum{.column = static_cast<int>(c), .cents = {}, .total = 0});
  ReadAmounts(0, rows_);
}

int ListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int ListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headers_.size()) + (with_problems_ ? 1 : 0);
}

ColumnKind ListModel::Kind(int column) const {
  const int screen_column = ScreenColumn(column);
  return screen_column >= 0 && static_cast<size_t>(screen_column) < kinds_.size()
             ? kinds_[static_cast<size_t>(screen_column)]
             : ColumnKind::kText;
}

bool ListModel::IsAmount(int column) const { return !IsProblemColumn(column) && Kind(column) == ColumnKind::kMoney; }

std::optional<int> ListModel::ScreenRow(int row) const {
  if (shift_from_ < 0 || row < shift_from_) return row;
  if (shift_ < 0 && row < shift_from_ - shift_) return std::nullopt;  // one of the rows being removed
  return row + shift_;
}

const ListModel::Mark* ListModel::MarkOf(int row) const {
  if (marks_.empty()) return nullptr;
  const std::optional<int> screen_row = ScreenRow(row);
  if (!screen_row) return nullptr;
  const auto found = marks_.find(screen_.ListKey(*screen_row));
  return found == marks_.end() || found->second.standing == Standing::kFine ? nullptr : &found->second;
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  if (IsProblemColumn(index.column())) {
    const Mark* mark = MarkOf(index.row());
    switch (role) {
      case Qt::DecorationRole: return mark ? StandingIcon(mark->standing) : QVariant();
      case Qt::ToolTipRole: return mark ? mark->message : QVariant();
      case Qt::AccessibleTextRole: return mark ? StandingWord(mark->standing) + ": " + mark->message : QString();
      case kSortRole: return mark ? Rank(mark->standing) : 0;
      default: return {};
    }
  }
  switch (role) {
    case Qt::DisplayRole:
    case kSortRole: {
      const std::optional<int> row = ScreenRow(index.row());
      if (!row) return {};
      const std::string text = screen_.ListCell(*row, ScreenColumn(index.column()));
      if (role == kSortRole) return SortKey(Kind(index.column()), text);
      const std::optional<double> amount = IsAmount(index.column()) ? AmountOf(text) : std::nullopt;
      return amount ? AmountText(*amount) : QString::fromStdString(text);
    }
    case Qt::TextAlignmentRole:
      return IsAmount(index.column()) ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    default: return {};
  }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
    return QAbstractTableModel::headerData(section, orientation, role);
  if (IsProblemColumn(section)) {
    switch (role) {
      case Qt::DecorationRole: return StandingIcon(Standing::kError);
      case Qt::ToolTipRole:
      case Qt::AccessibleTextRole: return tr("Problems: how the record stands with the rules");
      default: return {};
    }
  }
  switch (role) {
    case Qt::DisplayRole: return headers_[static_cast<size_t>(ScreenColumn(section))];
    case Qt::TextAlignmentRole: return IsAmount(section) ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    default: return {};
  }
}

double ListModel::Width(int column) const {
  const int screen_column = ScreenColumn(column);
  return screen_column >= 0 && static_cast<size_t>(screen_column) < widths_.size()
             ? widths_[static_cast<size_t>(screen_column)]
             : 0;
}

double ListModel::Total(int column) const {
  for (const Sum& sum : totals_)
    if (sum.column == ScreenColumn(column)) return static_cast<double>(sum.total) / kCentsPerUnit;
  return 0;
}

int64_t ListModel::Cents(int row, int screen_column) const {
  const std::optional<double> amount = AmountOf(screen_.ListCell(row, screen_column));
  return amount ? std::llround(*amount * kCentsPerUnit) : 0;
}

void ListModel::ReadAmounts(int first, int count) {
  for (Sum& sum : totals_) {
    sum.cents.resize(static_cast<size_t>(rows_), 0);
    for (int row = first; row < first + count && row < rows_; ++row) {
      int64_t& cents = sum.cents[static_cast<size_t>(row)];
      sum.total -= cents;
      cents = Cents(row, sum.column);
      sum.total += cents;
    }
  }
}

void ListModel::Reset() {
  beginResetModel();
  rows_ = screen_.ListRows();
  for (Sum& sum : totals_) {
    sum.cents.clear();
    sum.total = 0;
  }
  ReadAmounts(0, rows_);
  endResetModel();
}

void ListModel::Inserted(int first, int count) {
  shift_from_ = first;
  shift_ = count;
  beginInsertRows({}, first, first + count - 1);
  rows_ += count;
  shift_from_ = -1;
  for (Sum& sum : totals_) sum.cents.insert(sum.cents.begin() + first, static_cast<size_t>(count), 0);
  ReadAmounts(first, count);
  endInsertRows();
}

void ListModel::Removed(int first, int count) {
  shift_from_ = first;
  shift_ = -count;
  beginRemoveRows({}, first, first + count - 1);
  rows_ -= count;
  shift_from_ = -1;
  for (Sum& sum : totals_) {
    const auto from = sum.cents.begin() + first;
    for (auto at = from; at != from + count; ++at) sum.total -= *at;
    sum.cents.erase(from, from + count);
  }
  endRemoveRows();
}

void ListModel::Changed(int first, int count) {
  if (count <= 0 || columnCount() == 0) return;
  ReadAmounts(first, count);
  emit dataChanged(index(first, 0), index(first + count - 1, columnCount() - 1));
}

void ListModel::AnnounceMarks(int first, int count) {
  if (count > 0) emit dataChanged(index(first, 0), index(first + count - 1, 0));
}

void ListModel::ShowProblems(const std::vector<Problem>& problems, const std::string& screen_key) {
  if (!with_problems_) return;
  marks_.clear();
  for (const Problem& problem : problems) {
    if (problem.screen_key != screen_key || problem.record_key.empty()) continue;
    Mark& mark = marks_[problem.record_key];
    mark.standing = Graver(mark.standing, StandingOf(problem));
    const QString line = (problem.field.empty() ? QString() : QString::fromStdString(problem.field) + ": ") +
                         QString::fromStdString(problem.message);
    mark.message += (mark.message.isEmpty() ? QString() : QStringLiteral("\n")) + line;
  }
  AnnounceMarks(0, rows_);
}

void ListModel::MarkRecord(int row, const std::string& key, Standing standing, const QString& message) {
  if (!with_problems_ || key.empty()) return;
  const auto found = marks_.find(key);
  const bool fine_before = found == marks_.end() || found->second.standing == Standing::kFine;
  if (fine_before && standing == Standing::kFine) return;
  if (!fine_before && found->second.standing == standing && found->second.message == message) return;
  marks_[key] = Mark{standing, message};
  AnnounceMarks(row, 1);
}

}  // namespace trf::desktop
