// QtPlatform: the library's platform services answered by Qt while a desktop session runs: the
// event pump also runs Qt's events, the folder chooser and the colour picker are Qt's dialogs,
// and the system colours are fed from the application's palette.
#pragma once

#include <QPalette>
#include <QWidget>

#include "ui_shared/platform/color_picker.h"
#include "ui_shared/platform/folder_chooser.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/platform/system_colors.h"
#include "ui_shared/platform/windows.h"

namespace trf::desktop {

// Delivers the posted window messages, then Qt's pending events other than the person's input,
// which would otherwise run inside the operation that pumps.
class QtEventPump : public kw::EventPump {
 public:
  void DoEvents() override;
};

// QFileDialog's folder dialog.
class QtFolderChooser : public kw::FolderChooser {
 public:
  std::optional<std::string> Choose(kw::Hwnd owner, const std::string& prompt, bool file_system_only) override;
};

// QColorDialog, opened on the given colour when the flags ask for it.
class QtColorPicker : public kw::ColorPicker {
 public:
  std::optional<uint32_t> Pick(uint32_t initial, int32_t flags) override;
};

// Writes the palette's colours into the system-colour roles the library reads.
void FeedSystemColors(kw::SystemColors& colors, const QPalette& palette);

// Puts the Qt services in force for its lifetime; the previous ones come back afterwards.
class QtPlatform {
 public:
  explicit QtPlatform(const QPalette& palette);

 private:
  kw::ScopedService<kw::EventPump> pump_;
  kw::ScopedService<kw::FolderChooser> folders_;
  kw::ScopedService<kw::ColorPicker> colors_;
  kw::ScopedService<kw::SystemColors> system_colors_;
};

// The window dialogs are modal to: the active window, or none before one is shown.
QWidget* DialogParent();

}  // namespace trf::desktop
