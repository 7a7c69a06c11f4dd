// A screen's list read cell by cell.
#include "app/desktop/list_model.h"

#include <QApplication>
#include <QIcon>
#include <QStyle>

namespace trf::desktop {

ListModel::ListModel(const ScreenForm& screen, const ScreenList& columns, QObject* parent)
    : QAbstractTableModel(parent), screen_(screen), widths_(columns.widths), rows_(screen.ListRows()) {
  for (const std::string& header : columns.headers) headers_.push_back(QString::fromStdString(header));
}

int ListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int ListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

std::optional<int> ListModel::ScreenRow(int row) const {
  if (shift_from_ < 0 || row < shift_from_) return row;
  if (shift_ < 0 && row < shift_from_ - shift_) return std::nullopt;  // one of the rows being removed
  return row + shift_;
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  const bool marked = marked_row_ == index.row();
  switch (role) {
    case Qt::DisplayRole: {
      const std::optional<int> row = ScreenRow(index.row());
      return row ? QString::fromStdString(screen_.ListCell(*row, index.column())) : QVariant();
    }
    case Qt::ToolTipRole: return marked ? mark_ : QVariant();
    case Qt::DecorationRole:
      return marked && index.column() == 0 ? QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning)
                                           : QVariant();
    default: return {};
  }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
    return QAbstractTableModel::headerData(section, orientation, role);
  return section >= 0 && section < columnCount() ? headers_[static_cast<size_t>(section)] : QVariant();
}

double ListModel::Width(int column) const {
  return column >= 0 && static_cast<size_t>(column) < widths_.size() ? widths_[static_cast<size_t>(column)] : 0;
}

void ListModel::Reset() {
  beginResetModel();
  rows_ = screen_.ListRows();
  marked_row_.reset();
  endResetModel();
}

void ListModel::Inserted(int first, int count) {
  shift_from_ = first;
  shift_ = count;
  beginInsertRows({}, first, first + count - 1);
  rows_ += count;
  shift_from_ = -1;
  endInsertRows();
}

void ListModel::Removed(int first, int count) {
  shift_from_ = first;
  shift_ = -count;
  beginRemoveRows({}, first, first + count - 1);
  rows_ -= count;
  shift_from_ = -1;
  if (marked_row_ && *marked_row_ >= first) marked_row_.reset();
  endRemoveRows();
}

void ListModel::Changed(int first, int count) {
  if (count <= 0 || columnCount() == 0) return;
  emit dataChanged(index(first, 0), index(first + count - 1, columnCount() - 1));
}

void ListModel::Mark(std::optional<int> row, const QString& message) {
  const std::optional<int> before = marked_row_;
  marked_row_ = row;
  mark_ = message;
  if (before) Changed(*before, 1);
  if (row && row != before) Changed(*row, 1);
}

}  // namespace trf::desktop
