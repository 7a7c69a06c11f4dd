// The platform services on Qt.
#include "app/desktop/qt_platform.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>

#include "app/desktop/qt_colors.h"

namespace trf::desktop {

void QtEventPump::DoEvents() {
  kw::EventPump::DoEvents();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// Qt's folder dialog offers file-system folders only, so the flag asks for nothing more.
std::optional<std::string> QtFolderChooser::Choose(kw::Hwnd, const std::string& prompt, bool) {
  const QString folder = QFileDialog::getExistingDirectory(DialogParent(), QString::fromStdString(prompt));
  if (folder.isEmpty()) return std::nullopt;
  return folder.toStdString();
}

std::optional<uint32_t> QtColorPicker::Pick(uint32_t initial, int32_t flags) {
  const QColor start = (flags & kw::kColorPickerInitialColor) ? ToQColor(initial) : QColor(Qt::black);
  const QColor chosen = QColorDialog::getColor(start, DialogParent(), QObject::tr("Colour"));
  if (!chosen.isValid()) return std::nullopt;
  return ToColorValue(chosen);
}

void FeedSystemColors(kw::SystemColors& colors, const QPalette& palette) {
  const std::pair<int, QPalette::ColorRole> roles[] = {
      {kw::kColorWindow, QPalette::Base},
      {kw::kColorWindowText, QPalette::Text},
      {kw::kColorButtonFace, QPalette::Button},
      {kw::kColorButtonText, QPalette::ButtonText},
      {kw::kColor3DHighlight, QPalette::Light},
      {kw::kColorTooltipText, QPalette::ToolTipText},
      {kw::kColorTooltipBackground, QPalette::ToolTipBase},
  };
  for (const auto& [index, role] : roles) colors.SetSysColor(index, ToColorValue(palette.color(role)));
}

namespace {

std::shared_ptr<kw::SystemColors> PaletteColors(const QPalette& palette) {
  auto colors = std::make_shared<kw::SystemColors>();
  FeedSystemColors(*colors, palette);
  return colors;
}

}  // namespace

QtPlatform::QtPlatform(const QPalette& palette)
    : pump_(std::make_shared<QtEventPump>()), folders_(std::make_shared<QtFolderChooser>()),
      colors_(std::make_shared<QtColorPicker>()), system_colors_(PaletteColors(palette)) {}

QWidget* DialogParent() { return QApplication::activeWindow(); }

}  // namespace trf::desktop
