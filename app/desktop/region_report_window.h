// RegionReportWindow: a filed month's report as the region opens it from its cell of the grid: the
// report made from the filing, in a print preview (printed from there), beside its records and fields,
// from which a question is asked about the one selected (or the month as a whole); and the month's
// questions with every step taken on them, where a question is closed.
#pragma once

#include <memory>

#include <QDialog>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTreeWidget>

#include "app/business/region_filings.h"
#include "app/data/database.h"

namespace trf::desktop {

class RegionReportWindow : public QDialog {
 public:
  // `filing` of the month record `month_id` (0 for an imported filing, which takes no questions).
  RegionReportWindow(std::shared_ptr<Database> database, RegionFiling filing, int64_t month_id, QWidget* parent);

  // Asks a question, whose words the person types, about the selected record or field (the month
  // when none is selected).
  void AskAboutSelection();
  // Closes the selected question, saying why.
  void CloseSelectedQuestion();
  QTreeWidget* Records() const { return records_; }
  QTreeWidget* Questions() const { return questions_; }
  QPrintPreviewWidget* Preview() const { return preview_; }

 private:
  void FillRecords();
  void FillQuestions();
  void Refused(const kw::Error& error);

  std::shared_ptr<Database> database_;
  RegionFiling filing_;
  MonthReport report_;
  int64_t month_id_;
  QPrinter printer_;
  QPrintPreviewWidget* preview_ = nullptr;
  QTreeWidget* records_ = nullptr;
  QTreeWidget* questions_ = nullptr;
  QPushButton* ask_ = nullptr;
  QPushButton* close_ = nullptr;
};

}  // namespace trf::desktop
