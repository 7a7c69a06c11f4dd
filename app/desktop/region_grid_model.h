// RegionGridModel: the region's grid as a Qt table model: a row per home, a column per month, each
// cell the month's state in words on its state's colour, a filing that does not verify marked and
// said why, open questions counted, and who filed it and when on its tip.
#pragma once

#include <QAbstractTableModel>

#include "app/business/region_grid.h"

namespace trf::desktop {

class RegionGridModel : public QAbstractTableModel {
 public:
  explicit RegionGridModel(QObject* parent) : QAbstractTableModel(parent) {}

  // Shows `grid` in place of what was shown.
  void Show(RegionGrid grid);
  const RegionGrid& Grid() const { return grid_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  RegionGrid grid_;
};

// The colour a state is drawn on, the same in the grid and its legend.
QColor StateColor(MonthState state);
// The cell's text: its state, "(2 questions)" after it, " !" when its filing does not verify.
QString CellText(const GridCell& cell);

}  // namespace trf::desktop
