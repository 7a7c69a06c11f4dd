// ListModel: a screen's list as a Qt table model. It reads the screen's cells as the view asks for
// them (ScreenForm::ListCell) and hears what changed from the screen (rows inserted, removed or
// changed, the list read afresh), so that an operation redraws only the rows it touched, however
// long the list. Amounts are shown in the locale's way and kept summed per column, row by row as
// rows change; every cell offers a key to sort by. A list of records (a record screen's) opens
// with a problem column: each record's standing with the rules as an icon, from the month's
// problem list and, for the record being edited, from its fields as they stand now.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include <QAbstractTableModel>

#include "app/business/problem.h"
#include "app/screens/screen_form.h"

namespace trf::desktop {

class ListModel : public QAbstractTableModel {
 public:
  // The role whose value a sorted view compares.
  static constexpr int kSortRole = Qt::UserRole + 10;

  // Reads `screen`, which outlives the model; the headers, widths and kinds come from its view.
  // `with_problems` adds the problem column before the screen's columns.
  ListModel(const ScreenForm& screen, const ScreenList& columns, bool with_problems, QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The width the screen asks for column `column`, in twips; 0 when it asks for none (the
  // problem column).
  double Width(int column) const;
  // Whether `column` is the problem column.
  bool IsProblemColumn(int column) const { return with_problems_ && column == 0; }
  // Whether column `column` holds amounts, which are right-aligned and summed.
  bool IsAmount(int column) const;
  // The sum of the amounts of column `column` over every row, exact in cents; 0 for another column.
  double Total(int column) const;
  // Whether some column holds amounts.
  bool HasTotals() const { return !totals_.empty(); }

  // ---- What the screen said changed (ScreenEvents), in the screen's rows ----
  void Reset();
  void Inserted(int first, int count);
  void Removed(int first, int count);
  void Changed(int first, int count);

  // ---- How the records stand with the rules ----

  // The month's problems of this screen (the whole problem list may be given: another screen's
  // entries are passed over): each record wears its gravest, with every message as its tip.
  void ShowProblems(const std::vector<Problem>& problems, const std::string& screen_key);
  // The record of row `row` (keyed `key`) stands now as its fields say, with `message`: that
  // replaces what the problem list said of it until the list is made again.
  void MarkRecord(int row, const std::string& key, Standing standing, const QString& message);

 private:
  // A record's standing and the messages behind it.
  struct Mark {
    Standing standing = Standing::kFine;
    QString message;
  };
  // The running sum of one amount column: each row's amount in cents, and their sum.
  struct Sum {
    int column = 0;
    std::vector<int64_t> cents;
    int64_t total = 0;
  };
  // The screen's column of the model's column `column`; -1 for the problem column.
  int ScreenColumn(int column) const { return with_problems_ ? column - 1 : column; }
  ColumnKind Kind(int column) const;
  // The screen's row of the model's row `row` while rows are being inserted or removed (the
  // screen has changed already, the model's rows not yet); nothing for a row that is going.
  std::optional<int> ScreenRow(int row) const;
  // The amount of the screen's cell, in cents.
  int64_t Cents(int row, int screen_column) const;
  // Reads rows `first` .. `first + count - 1` of every amount column afresh.
  void ReadAmounts(int first, int count);
  const Mark* MarkOf(int row) const;
  void AnnounceMarks(int first, int count);

  const ScreenForm& screen_;
  bool with_problems_;
  std::vector<QString> headers_;
  std::vector<double> widths_;
  std::vector<ColumnKind> kinds_;
  std::vector<Sum> totals_;
  std::unordered_map<std::string, Mark> marks_;
  int rows_ = 0;
  // While rows come or go: from this model row on, the screen's rows are `shift_` further.
  int shift_from_ = -1;
  int shift_ = 0;
};

}  // namespace trf::desktop
