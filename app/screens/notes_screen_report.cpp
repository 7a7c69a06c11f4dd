// The notes screen's part of the month's report: the notes' paragraphs with their formatting.
#include "app/screens/month_report.h"
#include "app/screens/notes_screen.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/platform/system_colors.h"
#include "ui_shared/platform/text.h"

namespace trf {
namespace {

ReportAlignment AlignmentOf(int16_t alignment) {
  switch (alignment) {
    case kw::rich_text::kAlignCenter: return ReportAlignment::kCenter;
    case kw::rich_text::kAlignRight: return ReportAlignment::kRight;
    default: return ReportAlignment::kLeft;
  }
}

// A colour value of the box (0x00BBGGRR or a system colour) as 0xRRGGBB.
uint32_t RgbOf(uint32_t color) {
  const uint32_t bgr = kw::Service<kw::SystemColors>::Get().Resolve(color);
  return ((bgr & 0xFFu) << 16) | (bgr & 0xFF00u) | ((bgr >> 16) & 0xFFu);
}

// A run's characters as UTF-8, a line break inside the paragraph as "\n".
std::string RunText(const std::u32string& characters) {
  std::string text;
  for (const char32_t c : characters) kw::text::AppendUtf8(c == kw::rich_text::kLineBreak ? U'\n' : c, text);
  return text;
}

}  // namespace

void NotesScreen::AddToReport(MonthReport& report) {
  if (loaded_month_ != Shared()->CurrentH_HomeMonthlyStatsID()) Reload();
  std::vector<kw::rich_text::Paragraph> paragraphs = box_->Document().Paragraphs();
  // The break that ends the last line of the notes leaves an empty paragraph after it.
  while (!paragraphs.empty() && paragraphs.back().runs.empty()) paragraphs.pop_back();
  for (const kw::rich_text::Paragraph& paragraph : paragraphs) {
    ReportParagraph& shown = report.notes.emplace_back();
    shown.alignment = AlignmentOf(paragraph.format.alignment);
    shown.bullet = paragraph.format.bullet;
    for (const kw::rich_text::Run& run : paragraph.runs) {
      const kw::rich_text::CharFormat& format = run.format;
      shown.runs.push_back({RunText(run.text), format.bold, format.italic, format.underline, RgbOf(format.color)});
    }
  }
}

}  // namespace trf
