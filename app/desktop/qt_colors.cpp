// Conversions of colours and pictures between the library and Qt.
#include "app/desktop/qt_colors.h"

#include <QPixmap>

#include "ui_shared/platform/service.h"
#include "ui_shared/platform/system_colors.h"

namespace trf::desktop {

QColor ToQColor(uint32_t value) {
  const uint32_t rgb = kw::Service<kw::SystemColors>::Get().Resolve(value);
  return QColor(static_cast<int>(rgb & 0xFFu), static_cast<int>((rgb >> 8) & 0xFFu),
                static_cast<int>((rgb >> 16) & 0xFFu));
}

uint32_t ToColorValue(const QColor& color) {
  return kw::Rgb(static_cast<uint32_t>(color.red()), static_cast<uint32_t>(color.green()),
                 static_cast<uint32_t>(color.blue()));
}

QImage ToImage(const kw::Picture& picture, std::optional<uint32_t> mask) {
  QImage image(picture.Width(), picture.Height(), QImage::Format_ARGB32);
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const uint32_t pixel = picture.Pixel(x, y);
      QColor color = ToQColor(pixel);
      if (mask && pixel == *mask) color.setAlpha(0);
      image.setPixelColor(x, y, color);
    }
  }
  return image;
}

QIcon ToIcon(const kw::Picture& picture, std::optional<uint32_t> mask) {
  return QIcon(QPixmap::fromImage(ToImage(picture, mask)));
}

}  // namespace trf::desktop
