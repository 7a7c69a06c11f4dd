// How a value stands with the rules, drawn the same everywhere the desktop shows it (the problem
// panel, a list's problem column, the reason under a field): an icon and a word per standing.
#pragma once

#include <QIcon>
#include <QString>

#include "app/business/problem.h"
#include "app/screens/screen_view.h"

namespace trf::desktop {

// The icon of `standing`: the error sign, the question mark, the tick of an accepted question; a
// null icon for a fine value.
QIcon StandingIcon(Standing standing);
// "error", "question", "accepted"; "" for a fine value.
QString StandingWord(Standing standing);
// How `problem` stands: an error, a question nobody accepted, or an accepted one.
Standing StandingOf(const Problem& problem);
// The graver of two standings: an error over a question over an accepted question over none.
Standing Graver(Standing a, Standing b);

}  // namespace trf::desktop
