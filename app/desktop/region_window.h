// RegionWindow: the region's side of the desktop, for a reviewer (or with --region): the homes by
// months as a grid of coloured cells, narrowed to a region and a range of months; a filed month's
// report opened from its cell (Enter), with its questions; the months seen over time as a chart for
// the home of the current row or for the homes shown; filed months imported from files; and the
// month of the current column exported as one file.
#pragma once

#include <memory>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QTableView>

#include "app/data/database.h"
#include "app/desktop/region_grid_model.h"

namespace trf::desktop {

class RegionWindow : public QMainWindow {
 public:
  explicit RegionWindow(std::shared_ptr<Database> database);

  // Reads the grid afresh for the region and months chosen.
  void Refresh();
  // Opens the report of the current cell, when its month was filed.
  void OpenCurrentCell();
  // The chart of the current row's home (`whole` false) or of every home shown.
  void ShowChart(bool whole);
  // Imports the files the person picks (or `paths`), saying what became of each.
  void Import(const QStringList& paths = {});
  // Writes the current column's month as JSON to a file the person picks (or `path`).
  void ExportMonth(const QString& path = QString());

  QTableView* GridView() const { return view_; }
  RegionGridModel* Model() const { return model_; }

 private:
  void Say(const QString& title, const QString& text, bool warning);

  std::shared_ptr<Database> database_;
  RegionGridModel* model_ = nullptr;
  QTableView* view_ = nullptr;
  QComboBox* region_ = nullptr;
  QLineEdit* from_ = nullptr;
  QLineEdit* to_ = nullptr;
  QLabel* summary_ = nullptr;
};

}  // namespace trf::desktop
