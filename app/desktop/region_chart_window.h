// RegionChartWindow: the months seen over time for a home or the homes of the grid: the chart of
// residents, fees and expenses month by month with the figures far from a home's own year marked, the
// list of those marks with why, and the chart saved as a PNG picture or its figures as CSV.
#pragma once

#include <QChartView>
#include <QDialog>
#include <QListWidget>

#include "app/business/region_figures.h"

namespace trf::desktop {

class RegionChartWindow : public QDialog {
 public:
  RegionChartWindow(FigureSeries series, QWidget* parent);

  // Saves the chart as a PNG picture, or the figures as CSV, to a file the person chooses (or to
  // `path` when one is given); false when nothing was written.
  bool SavePng(const QString& path = QString());
  bool SaveCsv(const QString& path = QString());
  QChartView* View() const { return view_; }
  QListWidget* FarList() const { return far_; }

 private:
  FigureSeries series_;
  QChartView* view_ = nullptr;
  QListWidget* far_ = nullptr;
};

}  // namespace trf::desktop
