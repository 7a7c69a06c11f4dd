// RecordModel: the current record of a screen as a one-row Qt model whose columns are the screen's
// fields, for a QDataWidgetMapper to bind to editors. It holds the fields as the screen last
// described them (their values, how each stands with the record's rules, their colours) and
// announces only those that changed; a value written through setData goes to the screen's
// EditField (by way of `edit`, which may refuse it), and what the screen then shows comes back
// through Update.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QAbstractTableModel>

#include "app/screens/screen_view.h"

namespace trf::desktop {

class RecordModel : public QAbstractTableModel {
 public:
  // The roles beyond Qt's: the message of the gravest rule on the field ("" while the value is
  // fine), and its Standing as an int.
  static constexpr int kProblemRole = Qt::UserRole + 1;
  static constexpr int kStandingRole = Qt::UserRole + 2;

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
  // The field that has the focus on the screen; nullptr when none has.
  const ScreenField* Active() const;

 private:
  void Announce(int column);

  std::vector<ScreenField> fields_;
  Edit edit_;
};

// The same field described the same way (value, standing, state and colours): no redraw is needed.
bool SameField(const ScreenField& a, const ScreenField& b);

}  // namespace trf::desktop
