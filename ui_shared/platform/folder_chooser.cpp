// The headless folder chooser: with no user to ask, it cancels.
#include "ui_shared/platform/folder_chooser.h"

namespace kw {

std::optional<std::string> FolderChooser::Choose(Hwnd, const std::string&, bool) { return std::nullopt; }

}  // namespace kw
