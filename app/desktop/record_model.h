// RecordModel: the current record of a screen as a one-row Qt model whose columns are the screen's
// fields, for a QDataWidgetMapper to bind to editors. It holds the fields as the screen last
// described them and announces only those that changed; a value written through setData goes to
// the screen's EditField (by way of `edit`, which may refuse it), and what the screen then shows
// comes back through Update. A field whose value broke a rule carries the rule's message until it
// is put right.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <QAbstractTableModel>

#include "app/screens/screen_view.h"

namespace trf::desktop {

class RecordModel : public QAbstractTableModel {
 public:
  // The roles beyond Qt's: the message of a broken rule ("" when the value holds).
  static constexpr int kProblemRole = Qt::UserRole + 1;

  // `edit` writes a person's value of a field into the screen; false when it was refused.
  using Edit = std::function<bool(const std::string& field, const std::string& text)>;
  RecordModel(std::vector<ScreenField> fields, Edit edit, QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Hands a changed value to the screen; an unchanged one is no edit.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // The fields as the screen describes them now: only the columns that differ are announced.
  void Update(const std::vector<ScreenField>& fields);
  const ScreenField& Field(int column) const { return fields_[static_cast<size_t>(column)]; }
  // The column of the field named `name`; -1 when there is none.
  int Column(const std::string& name) const;

  // Marks `field` with the message of the rule its value broke ("" clears the mark).
  void Mark(const std::string& field, const QString& problem);
  // Clears every mark (another record is shown).
  void ClearMarks();
  // The first marked field's message; "" when none is marked.
  QString FirstProblem() const;

 private:
  void Announce(int column);

  std::vector<ScreenField> fields_;
  Edit edit_;
  std::map<std::string, QString> problems_;
};

// The same field described the same way (value, state and colours): no redraw is needed.
bool SameField(const ScreenField& a, const ScreenField& b);

}  // namespace trf::desktop
