// The folder chooser as a replaceable service: the dialog in which the user picks a folder. The
// headless default has no user to ask and answers as a cancelled dialog does.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "ui_shared/platform/windows.h"

namespace kw {

// The dialog in which the user picks a folder; Service<FolderChooser> is the chooser in force, and
// the headless default answers as a cancelled dialog does.
class FolderChooser {
 public:
  virtual ~FolderChooser() = default;
  // Shows the dialog owned by `owner` with the instruction `prompt`, offering only file-system
  // folders when `file_system_only`. The chosen folder's path ("" for a chosen item that has
  // none), or nullopt when the user cancels.
  virtual std::optional<std::string> Choose(Hwnd owner, const std::string& prompt, bool file_system_only);
  // The headless chooser, the default of Service<FolderChooser>.
  static std::shared_ptr<FolderChooser> MakeDefault() { return std::make_shared<FolderChooser>(); }
};

}  // namespace kw
