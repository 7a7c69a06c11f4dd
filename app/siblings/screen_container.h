// The application's screen container is the library's default one (ui_shared/defaults): the
// context, the command bar and navigation to the front end, under the name the screens use.
#pragma once

#include "app/siblings/command_bar.h"
#include "ui_shared/defaults/screen_container.h"

namespace trf {

using ScreenContainer = kw::ScreenContainer;

}  // namespace trf
