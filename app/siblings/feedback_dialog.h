// The application's feedback dialog is the library's default one (ui_shared/defaults): every
// showing recorded on the desk, answered by the front end's presenter or the scripted answers,
// under the names the front ends and the tests use.
#pragma once

#include "ui_shared/defaults/feedback_desk.h"

namespace trf {

using FeedbackShowing = kw::FeedbackShowing;
using FeedbackPresenter = kw::FeedbackPresenter;
using FeedbackDesk = kw::FeedbackDesk;

}  // namespace trf
