// PdfFlow: blocks of known height flowing down the pages of a PDF (or a printer's, the same way),
// laid out first and drawn after,
// so that every page knows how many pages there are ("Page n of m") and carries its own furniture
// (a running header, a draft mark). A block that does not fit on what is left of a page starts the
// next one; a table's column headers come back at the top of each page the table goes on to. The
// work is linear in the number of blocks.
#pragma once

#include <QMarginsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRectF>
#include <functional>
#include <memory>
#include <vector>

namespace trf {

class PdfFlow {
 public:
  // Draws a block in `area`, in the device's units.
  using Draw = std::function<void(QPainter&, const QRectF& area)>;
  // Draws what every page carries, around its body, knowing the page (1-based) and the page count.
  using Furniture = std::function<void(QPainter&, const QRectF& page, int number, int count)>;

  // Blocks flow over `device`'s pages (its whole paper) inside `margins` (in points).
  PdfFlow(QPagedPaintDevice& device, const QMarginsF& margins);

  // Device units of `points` (1/72 inch).
  double Points(double points) const { return points * dots_per_point_; }
  // The width of the body of a page, in device units.
  double Width() const { return body_.width(); }

  // Appends a block `height` tall at the left of the body.
  void Add(double height, Draw draw);
  // Leaves `height` empty, unless the page has just begun.
  void Gap(double height);
  // Starts the next page now unless at least `height` is left on this one: a heading stays with
  // the first lines of what it heads.
  void KeepSpace(double height);
  // From now on each new page starts with `draw` (`height` tall), until Repeat(0, nullptr).
  void Repeat(double height, Draw draw);

  // Draws every page: its furniture, then its blocks. The painter must paint on the device.
  void Render(QPainter& painter, const Furniture& furniture) const;

 private:
  struct Block {
    int page;
    double top;
    double height;
    std::shared_ptr<const Draw> draw;
  };
  void NextPage();

  QRectF page_rect_;
  QRectF body_;
  double dots_per_point_;
  std::vector<Block> blocks_;
  int page_ = 0;
  double y_;
  double repeat_height_ = 0;
  std::shared_ptr<const Draw> repeat_;
};

}  // namespace trf
