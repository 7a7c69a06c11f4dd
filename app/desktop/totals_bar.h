// TotalsBar: the line under a list that sums its amount columns, each total right-aligned under
// its column as the header places it (resized, moved or scrolled alike), "Total" at its left.
#pragma once

#include <QHeaderView>
#include <QWidget>

#include "app/desktop/list_model.h"

namespace trf::desktop {

class TotalsBar : public QWidget {
 public:
  // Sums `model`'s amount columns, as `header` (of the view over a proxy of the model, column for
  // column) places them.
  TotalsBar(const ListModel& model, QHeaderView& header, QWidget* parent);

  // The total of column `column` as the bar shows it ("19,450.00"); "" for a column without one.
  QString TotalText(int column) const;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Draws afresh and names the totals for a screen reader.
  void Refresh();

  const ListModel& model_;
  QHeaderView& header_;
};

}  // namespace trf::desktop
