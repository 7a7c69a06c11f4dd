// Amounts, numbers and dates between the screens' texts and the desktop.
#include "app/desktop/shown_values.h"

#include <limits>

#include <QLocale>
#include <QVariant>

#include "ui_shared/platform/dates.h"

namespace trf::desktop {

QString AmountText(double amount) { return QLocale().toString(amount, 'f', 2); }

QVariant SortKey(ColumnKind kind, const std::string& text) {
  constexpr double kBeforeEverything = std::numeric_limits<double>::lowest();
  switch (kind) {
    case ColumnKind::kMoney:
    case ColumnKind::kWholeNumber: return AmountOf(text).value_or(kBeforeEverything);
    case ColumnKind::kDate: return kw::dates::Recognize(text).value_or(kBeforeEverything);
    default: return QString::fromStdString(text);
  }
}

}  // namespace trf::desktop
