// The icons and words of a value's standing.
#include "app/desktop/standing_icons.h"

#include <QApplication>
#include <QStyle>

namespace trf::desktop {

QIcon StandingIcon(Standing standing) {
  switch (standing) {
    case Standing::kError: return QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical);
    case Standing::kQuestion: return QApplication::style()->standardIcon(QStyle::SP_MessageBoxQuestion);
    case Standing::kAccepted: return QApplication::style()->standardIcon(QStyle::SP_DialogApplyButton);
    case Standing::kFine: break;
  }
  return {};
}

QString StandingWord(Standing standing) {
  switch (standing) {
    case Standing::kError: return QObject::tr("error");
    case Standing::kQuestion: return QObject::tr("question");
    case Standing::kAccepted: return QObject::tr("accepted");
    case Standing::kFine: break;
  }
  return {};
}

Standing StandingOf(const Problem& problem) {
  if (problem.hard) return Standing::kError;
  return problem.accepted ? Standing::kAccepted : Standing::kQuestion;
}

Standing Graver(Standing a, Standing b) {
  if (a == Standing::kFine) return b;
  if (b == Standing::kFine) return a;
  return std::min(a, b);  // the enumeration runs from the gravest
}

}  // namespace trf::desktop
