// Laying blocks out on pages and drawing them.
#include "app/report_pdf/pdf_flow.h"

#include <algorithm>

namespace trf {

PdfFlow::PdfFlow(QPagedPaintDevice& device, const QMarginsF& margins)
    : page_rect_(QPointF(0, 0), device.pageLayout().fullRectPoints().size() * (device.logicalDpiY() / 72.0)),
      dots_per_point_(device.logicalDpiY() / 72.0) {
  body_ = page_rect_.adjusted(Points(margins.left()), Points(margins.top()), -Points(margins.right()),
                              -Points(margins.bottom()));
  y_ = body_.top();
}

void PdfFlow::NextPage() {
  ++page_;
  y_ = body_.top();
  if (repeat_) {
    blocks_.push_back({page_, y_, repeat_height_, repeat_});
    y_ += repeat_height_;
  }
}

void PdfFlow::Add(double height, Draw draw) {
  const bool page_begun = y_ > body_.top() + (repeat_ ? repeat_height_ : 0);
  if (page_begun && y_ + height > body_.bottom()) NextPage();
  blocks_.push_back({page_, y_, height, std::make_shared<const Draw>(std::move(draw))});
  y_ += height;
}

void PdfFlow::Gap(double height) {
  if (y_ > body_.top()) y_ = std::min(y_ + height, body_.bottom());
}

void PdfFlow::KeepSpace(double height) {
  if (y_ > body_.top() && y_ + height > body_.bottom()) NextPage();
}

void PdfFlow::Repeat(double height, Draw draw) {
  repeat_height_ = height;
  repeat_ = draw ? std::make_shared<const Draw>(std::move(draw)) : nullptr;
}

void PdfFlow::Render(QPainter& painter, const Furniture& furniture) const {
  auto& device = static_cast<QPagedPaintDevice&>(*painter.device());
  size_t next = 0;
  for (int page = 0; page <= page_; ++page) {
    if (page > 0) device.newPage();
    furniture(painter, page_rect_, page + 1, page_ + 1);
    for (; next < blocks_.size() && blocks_[next].page == page; ++next) {
      const Block& block = blocks_[next];
      painter.save();
      (*block.draw)(painter, QRectF(body_.left(), block.top, body_.width(), block.height));
      painter.restore();
    }
  }
}

}  // namespace trf
