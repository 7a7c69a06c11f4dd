// The totals under a list's amount columns.
#include "app/desktop/totals_bar.h"

#include <QPainter>
#include <QStyle>

#include "app/desktop/shown_values.h"

namespace trf::desktop {
namespace {

// Room between a total and its column's edge, as a cell keeps it.
constexpr int kMargin = 4;

}  // namespace

TotalsBar::TotalsBar(const ListModel& model, QHeaderView& header, QWidget* parent)
    : QWidget(parent), model_(model), header_(header) {
  setObjectName("totals");
  connect(&model_, &QAbstractItemModel::dataChanged, this, [this] { Refresh(); });
  connect(&model_, &QAbstractItemModel::rowsInserted, this, [this] { Refresh(); });
  connect(&model_, &QAbstractItemModel::rowsRemoved, this, [this] { Refresh(); });
  connect(&model_, &QAbstractItemModel::modelReset, this, [this] { Refresh(); });
  connect(&header_, &QHeaderView::sectionResized, this, [this] { update(); });
  connect(&header_, &QHeaderView::sectionMoved, this, [this] { update(); });
  connect(&header_, &QHeaderView::geometriesChanged, this, [this] { update(); });
  Refresh();
}

QString TotalsBar::TotalText(int column) const {
  return model_.IsAmount(column) ? AmountText(model_.Total(column)) : QString();
}

QSize TotalsBar::sizeHint() const { return {header_.length(), fontMetrics().height() + 2 * kMargin}; }

void TotalsBar::Refresh() {
  QStringList totals;
  for (int column = 0; column < model_.columnCount(); ++column) {
    if (!model_.IsAmount(column)) continue;
    totals << tr("%1: %2").arg(model_.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(),
                               TotalText(column));
  }
  setAccessibleName(tr("Totals"));
  setAccessibleDescription(totals.join(", "));
  setToolTip(tr("Totals of the whole list: %1").arg(totals.join(", ")));
  update();
}

void TotalsBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  QFont bold = font();
  bold.setBold(true);
  painter.setFont(bold);
  painter.setPen(palette().color(QPalette::WindowText));
  // The header's sections are placed in its viewport, which starts after the view's frame.
  const int offset = mapFromGlobal(header_.viewport()->mapToGlobal(QPoint(0, 0))).x();
  bool labelled = false;
  for (int column = 0; column < model_.columnCount(); ++column) {
    if (header_.isSectionHidden(column)) continue;
    const QRect place(offset + header_.sectionViewportPosition(column) + kMargin, 0,
                      header_.sectionSize(column) - 2 * kMargin, height());
    if (model_.IsAmount(column)) {
      painter.drawText(place, Qt::AlignRight | Qt::AlignVCenter, TotalText(column));
    } else if (!labelled && !model_.IsProblemColumn(column)) {
      painter.drawText(place, Qt::AlignLeft | Qt::AlignVCenter, tr("Total"));
      labelled = true;
    }
  }
}

}  // namespace trf::desktop
