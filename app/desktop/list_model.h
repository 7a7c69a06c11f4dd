// ListModel: a screen's list as a Qt table model. It reads the screen's cells as the view asks for
// them (ScreenForm::ListCell) and hears what changed from the screen (rows inserted, removed or
// changed, the list read afresh), so that an operation redraws only the rows it touched, however
// long the list. A row whose record broke a rule carries a mark: an icon and the message.
#pragma once

#include <optional>
#include <vector>

#include <QAbstractTableModel>

#include "app/screens/screen_form.h"

namespace trf::desktop {

class ListModel : public QAbstractTableModel {
 public:
  // Reads `screen`, which outlives the model; the headers and widths come from its view.
  ListModel(const ScreenForm& screen, const ScreenList& columns, QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The width the screen asks for column `column`, in twips; 0 when it asks for none.
  double Width(int column) const;

  // ---- What the screen said changed (ScreenEvents), in the screen's rows ----
  void Reset();
  void Inserted(int first, int count);
  void Removed(int first, int count);
  void Changed(int first, int count);

  // Marks row `row` as holding a record that broke a rule, with `message`; nothing clears it.
  void Mark(std::optional<int> row, const QString& message);

 private:
  // The screen's row of the model's row `row` while rows are being inserted or removed (the
  // screen has changed already, the model's rows not yet); nothing for a row that is going.
  std::optional<int> ScreenRow(int row) const;

  const ScreenForm& screen_;
  std::vector<QString> headers_;
  std::vector<double> widths_;
  int rows_ = 0;
  // While rows come or go: from this model row on, the screen's rows are `shift_` further.
  int shift_from_ = -1;
  int shift_ = 0;
  std::optional<int> marked_row_;
  QString mark_;
};

}  // namespace trf::desktop
