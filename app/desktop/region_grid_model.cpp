// The region's grid as a table model.
#include "app/desktop/region_grid_model.h"

#include <QBrush>
#include <QColor>

#include "app/business/month_report.h"

namespace trf::desktop {

QColor StateColor(MonthState state) {
  switch (state) {
    case MonthState::kNotStarted: return QColor(0xee, 0xee, 0xee);
    case MonthState::kActive: return QColor(0xff, 0xf2, 0xb3);
    case MonthState::kClosed: return QColor(0xd9, 0xd9, 0xd9);
    case MonthState::kFiled: return QColor(0xb7, 0xe4, 0xb0);
    case MonthState::kReopened: return QColor(0xff, 0xcc, 0x99);
    case MonthState::kFiledAgain: return QColor(0x8f, 0xd1, 0xc4);
    case MonthState::kQuestioned: return QColor(0xc9, 0xb8, 0xf0);
  }
  return Qt::white;
}

QString CellText(const GridCell& cell) {
  QString text = QString::fromStdString(MonthStateText(cell.state));
  if (cell.open_questions > 0)
    text += cell.open_questions == 1 ? QObject::tr(" (1 question)")
                                     : QObject::tr(" (%1 questions)").arg(cell.open_questions);
  if (cell.InForce() && !cell.Verifies()) text += QStringLiteral(" !");
  return text;
}

void RegionGridModel::Show(RegionGrid grid) {
  beginResetModel();
  grid_ = std::move(grid);
  endResetModel();
}

int RegionGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(grid_.homes.size());
}

int RegionGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(grid_.months.size());
}

QVariant RegionGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const GridCell& cell = grid_.Cell(static_cast<size_t>(index.row()), static_cast<size_t>(index.column()));
  switch (role) {
    case Qt::DisplayRole: return CellText(cell);
    case Qt::BackgroundRole: return QBrush(StateColor(cell.state));
    case Qt::ForegroundRole: return QBrush(cell.InForce() && !cell.Verifies() ? Qt::darkRed : Qt::black);
    case Qt::ToolTipRole: {
      if (!cell.InForce()) return QString::fromStdString(MonthStateText(cell.state));
      QString tip = tr("Filed by %1 on %2")
                        .arg(QString::fromStdString(cell.filed_by), QString::fromStdString(StampText(cell.filed_at)));
      if (cell.imported) tip += tr(", sent from the home's own file");
      if (cell.filings > 1) tip += tr("; filed %1 times").arg(cell.filings);
      if (cell.digest_holds == false)
        tip += tr("\nThe filed report does not match its digest: it was changed after filing.");
      if (cell.chain_holds == false)
        tip += tr("\nThe home's change record no longer holds the digest this filing recorded.");
      if (cell.Verifies())
        tip += tr("\nIt verifies: its report against its digest%1.")
                   .arg(cell.imported ? QString() : tr(", its chain digest on the home's chain"));
      return tip + tr("\nEnter opens its report.");
    }
    case Qt::AccessibleTextRole: return CellText(cell);
    default: return {};
  }
}

QVariant RegionGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || section < 0) return {};
  if (orientation == Qt::Horizontal) {
    if (static_cast<size_t>(section) >= grid_.months.size()) return {};
    return QString::fromStdString(grid_.months[static_cast<size_t>(section)].Text());
  }
  if (static_cast<size_t>(section) >= grid_.homes.size()) return {};
  const GridHome& home = grid_.homes[static_cast<size_t>(section)];
  return QString::fromStdString(home.number + " " + home.name);
}

}  // namespace trf::desktop
