// The current record's fields as a one-row model.
#include "app/desktop/record_model.h"

namespace trf::desktop {

bool SameField(const ScreenField& a, const ScreenField& b) {
  return a.name == b.name && a.value == b.value && a.standing == b.standing && a.problem == b.problem &&
         a.read_only == b.read_only && a.active == b.active && a.back_color == b.back_color &&
         a.fore_color == b.fore_color && a.choices == b.choices;
}

RecordModel::RecordModel(std::vector<ScreenField> fields, Edit edit, QObject* parent)
    : QAbstractTableModel(parent), fields_(std::move(fields)), edit_(std::move(edit)) {}

int RecordModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 1; }

int RecordModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(fields_.size());
}

int RecordModel::Column(const std::string& name) const {
  for (size_t c = 0; c < fields_.size(); ++c)
    if (fields_[c].name == name) return static_cast<int>(c);
  return -1;
}

const ScreenField* RecordModel::Active() const {
  for (const ScreenField& field : fields_)
    if (field.active) return &field;
  return nullptr;
}

QVariant RecordModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  const ScreenField& field = Field(index.column());
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return QString::fromStdString(field.value);
    case Qt::ToolTipRole:
    case kProblemRole: return QString::fromStdString(field.problem);
    case kStandingRole: return static_cast<int>(field.standing);
    default: return {};
  }
}

QVariant RecordModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columnCount())
    return QString::fromStdString(Field(section).caption);
  return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags RecordModel::flags(const QModelIndex& index) const {
  if (!index.isValid() || index.column() >= columnCount()) return Qt::NoItemFlags;
  const Qt::ItemFlags shown = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  return Field(index.column()).read_only ? shown : shown | Qt::ItemIsEditable;
}

bool RecordModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || index.column() >= columnCount()) return false;
  const ScreenField& field = Field(index.column());
  const std::string text = value.toString().toStdString();
  if (text == field.value || field.read_only) return false;
  return edit_(field.name, text);
}

void RecordModel::Update(const std::vector<ScreenField>& fields) {
  if (fields.size() != fields_.size()) {
    beginResetModel();
    fields_ = fields;
    endResetModel();
    return;
  }
  for (size_t c = 0; c < fields.size(); ++c) {
    if (SameField(fields[c], fields_[c])) continue;
    fields_[c] = fields[c];
    Announce(static_cast<int>(c));
  }
}

void RecordModel::Announce(int column) { emit dataChanged(index(0, column), index(0, column)); }

}  // namespace trf::desktop
