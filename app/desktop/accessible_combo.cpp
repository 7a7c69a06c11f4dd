// Combo boxes named by their captions for assistive technology.
#include "app/desktop/accessible_combo.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace trf::desktop {
namespace {

class NamedComboBox : public QAccessibleWidget {
 public:
  explicit NamedComboBox(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

  QString text(QAccessible::Text kind) const override {
    const auto* combo = static_cast<const QComboBox*>(widget());
    if (kind == QAccessible::Value) return combo->isEditable() ? combo->lineEdit()->text() : combo->currentText();
    if (kind == QAccessible::Name && !combo->accessibleName().isEmpty()) return combo->accessibleName();
    return QAccessibleWidget::text(kind);
  }
  QStringList actionNames() const override { return QStringList(showMenuAction()) + QAccessibleWidget::actionNames(); }
  void doAction(const QString& action) override {
    if (action == showMenuAction())
      static_cast<QComboBox*>(widget())->showPopup();
    else
      QAccessibleWidget::doAction(action);
  }
};

QAccessibleInterface* DescribeComboBox(const QString& class_name, QObject* object) {
  if (class_name != QLatin1String("QComboBox") || !object || !object->isWidgetType()) return nullptr;
  return new NamedComboBox(static_cast<QComboBox*>(object));
}

}  // namespace

void NameComboBoxesByTheirCaptions() {
  static const bool installed = [] {
    QAccessible::installFactory(DescribeComboBox);
    return true;
  }();
  static_cast<void>(installed);
}

}  // namespace trf::desktop
