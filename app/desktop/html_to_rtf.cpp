// HTML into the notes' RTF, through Qt's document and the headless rich-text box.
#include "app/desktop/html_to_rtf.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include "app/desktop/qt_colors.h"
#include "widgets/rich_text_box.h"

namespace trf::desktop {
namespace {

namespace rt = kw::rich_text;

// A paragraph's text as the box counts it: code points, a line break inside it as "\v".
QString BoxText(QString text) { return text.replace(QChar::LineSeparator, QChar('\v')); }

int32_t CodePoints(const QString& text) { return static_cast<int32_t>(text.toUcs4().size()); }

int16_t AlignmentOf(Qt::Alignment alignment) {
  if (alignment & Qt::AlignHCenter) return rt::kAlignCenter;
  if (alignment & Qt::AlignRight) return rt::kAlignRight;
  return rt::kAlignLeft;
}

}  // namespace

std::string RtfOfHtml(const QString& html) {
  QTextDocument document;
  document.setHtml(html);
  QStringList paragraphs;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) paragraphs << BoxText(block.text());
  kw::RichTextBox box;
  box.Text(paragraphs.join('\n').toStdString());
  int32_t at = 0;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const int32_t start = at;
    for (auto part = block.begin(); !part.atEnd(); ++part) {
      const QTextFragment fragment = part.fragment();
      const QTextCharFormat format = fragment.charFormat();
      const int32_t length = CodePoints(BoxText(fragment.text()));
      box.SelStart(at);
      box.SelLength(length);
      box.SelBold(format.fontWeight() >= QFont::Bold);
      box.SelItalic(format.fontItalic());
      box.SelUnderline(format.fontUnderline());
      if (format.hasProperty(QTextFormat::ForegroundBrush)) box.SelColor(ToColorValue(format.foreground().color()));
      at += length;
    }
    box.SelStart(start);
    box.SelLength(at - start);
    box.SelAlignment(AlignmentOf(block.blockFormat().alignment()));
    box.SelBullet(block.textList() != nullptr);
    ++at;  // the paragraph break
  }
  return box.TextRTF();
}

}  // namespace trf::desktop
