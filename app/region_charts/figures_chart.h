// The months seen over time as a chart, drawn with Qt Charts: the residents on the left axis, the
// fees and expenses totals on the right, month by month; a figure that moved far from its home's own
// last twelve filed months marked with a red dot. The desktop shows it; `trf-region chart` writes it
// as a picture. A QApplication must exist.
#pragma once

#include <string>

#include <QChart>
#include <QSize>

#include "app/business/region_figures.h"

namespace trf {

// The chart of `series`, for a view or a picture to own.
QChart* MakeFiguresChart(const FigureSeries& series);

// Writes the chart of `series` as a PNG picture of `size` pixels to `path`; false when it cannot.
bool WriteFiguresPng(const FigureSeries& series, const std::string& path, QSize size = QSize(1000, 560));

}  // namespace trf
