// Colours and pictures between the library and Qt: 0x00BBGGRR values (system colour references
// resolved through the SystemColors service) as QColor, and library pictures as icons with their
// mask colour made transparent.
#pragma once

#include <cstdint>
#include <optional>

#include <QColor>
#include <QIcon>
#include <QImage>

#include "ui_shared/platform/picture.h"

namespace trf::desktop {

// The colour of a library colour value; a system colour reference is resolved first.
QColor ToQColor(uint32_t value);
// The library's 0x00BBGGRR value of a QColor.
uint32_t ToColorValue(const QColor& color);
// The picture as an image; pixels of `mask` (when given) become transparent.
QImage ToImage(const kw::Picture& picture, std::optional<uint32_t> mask = std::nullopt);
QIcon ToIcon(const kw::Picture& picture, std::optional<uint32_t> mask = std::nullopt);

}  // namespace trf::desktop
