// FeedbackBox: the feedback dialog on the desktop: a modal dialog with the screen's caption and
// icon, the kind and rule number, the message and its detail, and Yes/No for a question (OK
// otherwise). Enter answers Yes (OK), Escape answers No.
#pragma once

#include <QDialog>
#include <QIcon>

#include "app/siblings/feedback_dialog.h"

namespace trf::desktop {

class FeedbackBox : public QDialog {
 public:
  // `icon`: the screen's icon; the kind's standard icon stands in when it is null.
  FeedbackBox(const FeedbackShowing& showing, const QIcon& icon, QWidget* parent);
};

// "Question", "Error" or "Notice" for a rule type, as a heading reads it.
QString KindHeading(int32_t rule_type);

// A presenter for FeedbackDesk: every showing is a FeedbackBox over the active window, with the
// icon `icon` gives at that moment; "0" for Yes or OK, "1" for No.
FeedbackPresenter MakeDesktopPresenter(std::function<QIcon()> icon);

}  // namespace trf::desktop
