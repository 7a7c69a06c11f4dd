// The container's command bar is the library's default one (ui_shared/defaults), under the names
// the front ends draw it by.
#pragma once

#include "ui_shared/defaults/command_bar.h"

namespace trf {

using CommandBar = kw::CommandBar;
using CommandButton = kw::CommandButton;

}  // namespace trf
