// Rich text offered as HTML (by a browser or an office program that offers no RTF), read by Qt's
// own HTML reader and written as the notes' RTF: each paragraph's text with its bold, italic,
// underline and colour, its alignment and bullet.
#pragma once

#include <string>

#include <QString>

namespace trf::desktop {

// The RTF of the rich text `html`.
std::string RtfOfHtml(const QString& html);

}  // namespace trf::desktop
