// The month's report as a PDF, drawn with Qt's painter on its PDF writer: A4, or Letter where the
// locale measures in inches; its fonts embedded; each page with the home and month at its head and
// "Page n of m" at its foot; a draft (a month not filed) marked as one on every page, a filed month's
// report with the digests of its filing. A QGuiApplication must exist (HeadlessGuiPlatform lets one
// start without a display).
#pragma once

#include <string>

#include <QPagedPaintDevice>

#include "app/screens/month_report.h"

namespace trf {

// Writes `report` as a PDF to the file `path`; a ScreenRefusal when the file cannot be written.
void WriteMonthReportPdf(const MonthReport& report, const std::string& path);

// Draws `report` on the pages of `device` (a PDF writer, a printer, a print preview) over its whole
// paper, in the same layout as the PDF; false when the device could not be painted on.
bool PaintMonthReport(const MonthReport& report, QPagedPaintDevice& device);

// Makes Qt draw without a display where none is named (no DISPLAY, no WAYLAND_DISPLAY and no
// QT_QPA_PLATFORM): the offscreen platform; and gives Qt a private runtime folder where none is
// named. Call before the QGuiApplication is made.
void HeadlessGuiPlatform();

}  // namespace trf
