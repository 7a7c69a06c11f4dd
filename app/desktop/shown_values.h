// Values as the desktop shows and reads them: amounts with the locale's grouping and two decimals
// ("7,800.00"), and the numbers and dates behind the texts a screen gives, for totals and sorting.
#pragma once

#include <optional>
#include <string>

#include <QString>

#include "app/data/table_description.h"
#include "app/screens/screen_amounts.h"

namespace trf::desktop {

// An amount as a person reads it in this locale: "7,800.00".
QString AmountText(double amount);
// What a screen's cell of kind `kind` sorts by: the number of an amount or a whole number, the
// day of a date (a blank or unreadable value before every other), else the text itself.
QVariant SortKey(ColumnKind kind, const std::string& text);

}  // namespace trf::desktop
