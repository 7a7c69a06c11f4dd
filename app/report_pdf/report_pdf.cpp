// What the PDF of a month's report holds and how it looks: its head, the tables, the notes, the
// accepted questions and what stands in the way, flowed over the pages by PdfFlow.
#include "app/report_pdf/report_pdf.h"

#include <unistd.h>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainterPath>
#include <QPdfWriter>
#include <QTextLayout>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "app/report/report_session.h"
#include "app/report_pdf/pdf_flow.h"
#include "app/screens/setup_screen.h"
#include "ui_shared/platform/dates.h"

namespace trf {
namespace {

const QColor kInk(0, 0, 0);
const QColor kMuted(90, 90, 90);
const QColor kDraftRed(180, 30, 30);
const QColor kRuleGrey(190, 190, 190);
const QColor kHeaderShade(232, 232, 232);
// The family every text is set in: the one the project installs, so that every machine's PDF
// looks alike; a machine without it gets the nearest sans-serif.
const char* const kFamily = "DejaVu Sans";

QString Q(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QFont Font(double points, bool bold = false) {
  QFont font(QString::fromLatin1(kFamily));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

// A4, or Letter where the locale measures in inches.
QPageSize PaperOfLocale() {
  return QPageSize(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                      : QPageSize::A4);
}

// The problem as one line of the report: where it is, what it is and what it says.
std::string ProblemText(const Problem& problem) {
  std::string where = problem.screen + ", " + problem.record;
  if (!problem.field.empty()) where += ", " + problem.field;
  const std::string kind = problem.hard ? "error" : problem.accepted ? "question (accepted)" : "question";
  return where + " \xe2\x80\x94 " + kind + " " + std::to_string(problem.rule) + ": " + problem.message;
}

// Fits columns of natural widths `widths` into `total`: when they are wider, the widest give way
// down to a width all of them fit in, so that narrow columns (dates, amounts) keep their width;
// when narrower, each grows by its share.
void FitWidths(std::vector<double>& widths, double total) {
  double natural = 0;
  for (const double width : widths) natural += width;
  if (natural <= total) {
    for (double& width : widths) width *= total / natural;
    return;
  }
  std::vector<double> sorted = widths;
  std::sort(sorted.begin(), sorted.end());
  double below = 0;  // the widths under the cap
  double cap = total / static_cast<double>(sorted.size());
  for (size_t i = 0; i < sorted.size(); ++i) {
    const double even = (total - below) / static_cast<double>(sorted.size() - i);
    if (sorted[i] > even) {
      cap = even;
      break;
    }
    below += sorted[i];
  }
  for (double& width : widths) width = std::min(width, cap);
}

// Lays the report out on a PdfFlow: the paint device measures every text.
class ReportLayout {
 public:
  ReportLayout(const MonthReport& report, QPagedPaintDevice& device, PdfFlow& flow)
      : report_(report), device_(device), flow_(flow) {}

  void LayOut() {
    Head();
    if (!report_.passes) {
      Heading("What stands in the way of filing");
      if (report_.standing.empty()) Text("Nothing, now: check the month again before you file it.", Font(10));
      for (const Problem& problem : report_.standing) Text(ProblemText(problem), Font(10), {}, true);
    }
    for (const ReportTable& table : report_.tables) Table(table);
    Notes();
    Heading("Accepted questions");
    if (report_.accepted.empty()) Text("None.", Font(10), kMuted);
    for (const AcceptedQuestion& accepted : report_.accepted) {
      std::string line = ProblemText(accepted.question);
      if (!accepted.accepted_by.empty())
        line += " (accepted by " + accepted.accepted_by + " on " + StampText(accepted.accepted_at) + ")";
      Text(line, Font(10), {}, true);
    }
  }

 private:
  void Head() {
    Text(report_.home_name + " \xe2\x80\x94 " + ReportMonthText(report_), Font(18, true));
    Text("Home " + report_.home_number + " \xc2\xb7 " + report_.trf_type, Font(11), kMuted);
    flow_.Gap(flow_.Points(8));
    Text("Status of the month: " + std::string(report_.filing ? "filed" : MonthStatusText(report_.status)), Font(10));
    if (report_.filing) {
      Text("This report is the one filed by " + report_.filing->filed_by + " on " +
               StampText(report_.filing->filed_at) + ".",
           Font(10));
      // Whoever keeps this page can later hold these against the database: trf --verify and trf-report --verify.
      Text("Digest of the filed report: " + report_.filing->report_digest, Font(8), kMuted);
      Text("Digest of the home's change record at filing: " + report_.filing->chain_digest, Font(8), kMuted);
    } else if (report_.passes) {
      Text("DRAFT: the month passes its checks but is not filed yet. Made by " + report_.made_by + " on " +
               MomentText(report_.made_at) + ".",
           Font(10, true), kDraftRed);
    } else {
      Text("DRAFT: the month does not pass its checks yet (" + std::to_string(report_.standing.size()) +
               (report_.standing.size() == 1 ? " problem stands" : " problems stand") + " in the way). Made by " +
               report_.made_by + " on " + MomentText(report_.made_at) + ".",
           Font(10, true), kDraftRed);
    }
  }

  void Heading(const std::string& text) {
    const QFont font = Font(13, true);
    flow_.Gap(flow_.Points(14));
    // A heading keeps at least three lines of what follows on its page.
    flow_.KeepSpace(QFontMetricsF(font, &device_).height() * 1.4 + QFontMetricsF(Font(10), &device_).height() * 3);
    Text(text, font);
    flow_.Gap(flow_.Points(4));
  }

  // A paragraph of `text` in `font`, wrapped to the body's width, a line at a time on the pages.
  void Text(const std::string& text, const QFont& font, const QColor& color = kInk, bool bullet = false) {
    Paragraph(Q(text), font, {}, Qt::AlignLeft, bullet, color);
  }

  // A paragraph with format ranges over its text; its lines flow one by one, so that a long one
  // goes on on the next page.
  void Paragraph(const QString& text, const QFont& font, const QList<QTextLayout::FormatRange>& formats,
                 Qt::Alignment alignment, bool bullet, const QColor& color) {
    const double indent = bullet ? flow_.Points(14) : 0;
    auto layout = std::make_shared<QTextLayout>(text, font, &device_);
    layout->setFormats(formats);
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->setTextOption(option);
    layout->beginLayout();
    double y = 0;
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
      line.setLineWidth(flow_.Width() - indent);
      line.setPosition(QPointF(0, y));
      y += line.height();
    }
    layout->endLayout();
    for (int i = 0; i < layout->lineCount(); ++i) {
      const QTextLine line = layout->lineAt(i);
      const bool first = i == 0;
      flow_.Add(line.height(), [layout, number = i, line_y = line.y(), indent, bullet, first, color, font](
                                   QPainter& painter, const QRectF& area) {
        painter.setPen(color);
        painter.setFont(font);
        if (bullet && first)
          painter.drawText(QRectF(area.left(), area.top(), indent, area.height()), Qt::AlignLeft | Qt::AlignVCenter,
                           QString(QChar(0x2022)));
        layout->lineAt(number).draw(&painter, QPointF(area.left() + indent, area.top() - line_y));
      });
    }
  }

  void Table(const ReportTable& table) {
    Heading(table.title + " (" + std::to_string(table.rows.size()) +
            (table.rows.size() == 1 ? " record)" : " records)"));
    if (table.rows.empty()) {
      Text("None.", Font(10), kMuted);
      return;
    }
    const QFont cell_font = Font(9);
    const QFont header_font = Font(9, true);
    const QFontMetricsF cell(cell_font, &device_);
    const QFontMetricsF header(header_font, &device_);
    const double padding = flow_.Points(3);
    const size_t columns = table.columns.size();
    // Each column as wide as its widest text, then fitted to the body's width; a text wider than
    // its column wraps.
    std::vector<double> widths(columns);
    std::vector<double> advances;
    advances.reserve(table.rows.size() * columns);
    for (size_t c = 0; c < columns; ++c) widths[c] = header.horizontalAdvance(Q(table.columns[c].caption));
    for (const ReportRow& row : table.rows) {
      for (size_t c = 0; c < columns; ++c) {
        advances.push_back(cell.horizontalAdvance(Q(row.cells[c].text)));
        widths[c] = std::max(widths[c], advances.back());
      }
    }
    for (double& width : widths) width += 2 * padding;
    FitWidths(widths, flow_.Width());
    std::vector<Qt::Alignment> aligns(columns, Qt::AlignLeft);
    for (size_t c = 0; c < columns; ++c)
      if (table.columns[c].kind == ColumnKind::kMoney) aligns[c] = Qt::AlignRight;

    // How tall `text` is in a column `width` wide once wrapped, `advance` being its width on one line.
    const auto height_of = [&](const QFontMetricsF& metrics, const QString& text, double advance, double width) {
      if (advance <= width - 2 * padding) return metrics.height();
      return metrics.boundingRect(QRectF(0, 0, width - 2 * padding, 1e9), Qt::TextWordWrap, text).height();
    };
    double header_height = 0;
    for (size_t c = 0; c < columns; ++c) {
      const QString caption = Q(table.columns[c].caption);
      header_height = std::max(header_height, height_of(header, caption, header.horizontalAdvance(caption), widths[c]));
    }
    header_height += 2 * padding;
    const PdfFlow::Draw draw_header = [&table, widths, aligns, header_font, padding](QPainter& painter,
                                                                                     const QRectF& area) {
      painter.fillRect(area, kHeaderShade);
      painter.setFont(header_font);
      painter.setPen(kInk);
      double x = area.left();
      for (size_t c = 0; c < widths.size(); ++c) {
        const QRectF box(x + padding, area.top() + padding, widths[c] - 2 * padding, area.height() - 2 * padding);
        painter.drawText(box, static_cast<int>(aligns[c]) | Qt::AlignTop | Qt::TextWordWrap,
                         Q(table.columns[c].caption));
        x += widths[c];
      }
    };
    flow_.KeepSpace(header_height + cell.height() * 3);
    flow_.Add(header_height, draw_header);
    flow_.Repeat(header_height, draw_header);
    size_t advance = 0;
    for (const ReportRow& row : table.rows) {
      double height = cell.height();
      for (size_t c = 0; c < columns; ++c, ++advance)
        if (advances[advance] > widths[c] - 2 * padding)
          height = std::max(height, height_of(cell, Q(row.cells[c].text), advances[advance], widths[c]));
      flow_.Add(height + 2 * padding, [&row, widths, aligns, cell_font, padding](QPainter& painter,
                                                                                 const QRectF& area) {
        painter.setFont(cell_font);
        painter.setPen(kInk);
        double x = area.left();
        for (size_t c = 0; c < widths.size(); ++c) {
          const QRectF box(x + padding, area.top() + padding, widths[c] - 2 * padding, area.height() - 2 * padding);
          painter.drawText(box, static_cast<int>(aligns[c]) | Qt::AlignTop | Qt::TextWordWrap, Q(row.cells[c].text));
          x += widths[c];
        }
        painter.setPen(QPen(kRuleGrey, 0));
        painter.drawLine(area.bottomLeft(), area.bottomRight());
      });
    }
    flow_.Repeat(0, nullptr);
  }

  void Notes() {
    Heading("Notes");
    if (report_.notes.empty()) Text("No notes for this month.", Font(10), kMuted);
    for (const ReportParagraph& paragraph : report_.notes) {
      QString text;
      QList<QTextLayout::FormatRange> formats;
      for (const ReportRun& run : paragraph.runs) {
        QString part = Q(run.text);
        part.replace(QChar('\n'), QChar::LineSeparator);
        QTextCharFormat format;
        format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(run.italic);
        format.setFontUnderline(run.underline);
        format.setForeground(QColor::fromRgb(run.rgb));
        formats.append({static_cast<int>(text.size()), static_cast<int>(part.size()), format});
        text += part;
      }
      const Qt::Alignment alignment = paragraph.alignment == ReportAlignment::kCenter  ? Qt::AlignHCenter
                                      : paragraph.alignment == ReportAlignment::kRight ? Qt::AlignRight
                                                                                       : Qt::AlignLeft;
      // An empty paragraph keeps its line.
      Paragraph(text.isEmpty() ? QString(QChar(' ')) : text, Font(10), formats, alignment, paragraph.bullet, kInk);
      flow_.Gap(flow_.Points(3));
    }
  }

  const MonthReport& report_;
  QPagedPaintDevice& device_;
  PdfFlow& flow_;
};

// The head and foot of every page, and a draft's mark across it.
void DrawFurniture(const MonthReport& report, PdfFlow& flow, QPainter& painter, const QRectF& page, int number,
                   int count) {
  const double side = flow.Points(50);
  const QRectF head(side, flow.Points(24), page.width() - 2 * side, flow.Points(14));
  const QRectF foot(side, page.height() - flow.Points(34), page.width() - 2 * side, flow.Points(14));
  painter.setPen(kMuted);
  painter.setFont(Font(8));
  painter.drawText(head, Qt::AlignLeft | Qt::AlignVCenter,
                   Q(report.home_name + " (" + report.home_number + ") \xc2\xb7 " + ReportMonthText(report)));
  painter.drawText(foot, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Page %1 of %2").arg(number).arg(count));
  painter.drawText(foot, Qt::AlignLeft | Qt::AlignVCenter,
                   Q(report.filing ? "Filed by " + report.filing->filed_by + ", " + StampText(report.filing->filed_at)
                                   : "Draft made by " + report.made_by + ", " + MomentText(report.made_at)));
  painter.setPen(QPen(kRuleGrey, 0));
  painter.drawLine(head.bottomLeft(), head.bottomRight());
  if (report.filing) {
    painter.setPen(kMuted);
    painter.drawText(head, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Monthly report"));
    return;
  }
  painter.setPen(kDraftRed);
  painter.setFont(Font(8, true));
  painter.drawText(head, Qt::AlignRight | Qt::AlignVCenter, Q("DRAFT \xe2\x80\x94 not filed"));
  // The mark across the page, faint, drawn as shapes rather than text, so that a program reading
  // the page's text does not find its letters among the records.
  QPainterPath mark;
  QFont mark_font = Font(110, true);
  mark_font.setPixelSize(static_cast<int>(flow.Points(110)));  // a path takes no notice of the device's resolution
  const QString word = QStringLiteral("DRAFT");
  mark.addText(-QFontMetricsF(mark_font, painter.device()).horizontalAdvance(word) / 2, flow.Points(40), mark_font,
               word);
  painter.save();
  painter.translate(page.center());
  painter.rotate(-45);
  QColor faint = kDraftRed;
  faint.setAlpha(28);
  painter.fillPath(mark, faint);
  painter.restore();
}

}  // namespace

void WriteMonthReportPdf(const MonthReport& report, const std::string& path) {
  QPdfWriter writer(Q(path));
  writer.setPageLayout(QPageLayout(PaperOfLocale(), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  writer.setTitle(
      Q("Monthly report: " + report.home_name + ", " + ReportMonthText(report) + (report.filing ? "" : " (draft)")));
  writer.setCreator(QStringLiteral("trf"));
  if (!PaintMonthReport(report, writer)) throw ScreenRefusal("the file " + path + " cannot be written");
}

bool PaintMonthReport(const MonthReport& report, QPagedPaintDevice& device) {
  PdfFlow flow(device, QMarginsF(50, 52, 50, 56));
  ReportLayout(report, device, flow).LayOut();
  QPainter painter;
  if (!painter.begin(&device)) return false;
  flow.Render(painter, [&](QPainter& on, const QRectF& page, int number, int count) {
    DrawFurniture(report, flow, on, page, number, count);
  });
  return painter.end();
}

void HeadlessGuiPlatform() {
  const auto unset = [](const char* name) {
    const char* value = std::getenv(name);
    return !value || !*value;
  };
  if (unset("DISPLAY") && unset("WAYLAND_DISPLAY") && unset("QT_QPA_PLATFORM"))
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Qt wants a private runtime folder and complains on the error output without one; a scheduler
  // often gives none.
  if (unset("XDG_RUNTIME_DIR")) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("trf-runtime-" + std::to_string(getuid()));
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all, error);
    if (!error) setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
  }
}

}  // namespace trf
