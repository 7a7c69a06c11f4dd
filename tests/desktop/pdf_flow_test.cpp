// The report's pages as blocks flow down them: a heading has space above it within a page, and none
// at the top of a page, whether the page began before the heading or because of it.
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <vector>

#include "app/report_pdf/pdf_flow.h"
#include "suites.h"

namespace trf::desktop {

class PdfFlowTest : public QObject {
  Q_OBJECT

  // Where a block was drawn: its page (1-based) and its top, in points below the top of the body.
  struct Placed {
    int page;
    double top;
  };

  // The blocks laid out by `lay` on A4 pages with 36-point margins, in the order drawn.
  static std::vector<Placed> Flow(const std::function<void(PdfFlow&, const PdfFlow::Draw&)>& lay) {
    QTemporaryDir folder;
    QPdfWriter writer(folder.filePath("flow.pdf"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    PdfFlow flow(writer, QMarginsF(36, 36, 36, 36));
    std::vector<Placed> placed;
    int page = 0;
    const PdfFlow::Draw record = [&](QPainter&, const QRectF& area) {
      placed.push_back({page, area.top() / flow.Points(1) - 36});
    };
    lay(flow, record);
    QPainter painter(&writer);
    flow.Render(painter, [&](QPainter&, const QRectF&, int number, int) { page = number; });
    return placed;
  }

 private slots:
  // Within a page the gap before a heading stands between it and what came before.
  void aHeadingHasSpaceAboveItWithinAPage() {
    const std::vector<Placed> placed = Flow([](PdfFlow& flow, const PdfFlow::Draw& block) {
      flow.Add(flow.Points(100), block);
      flow.Gap(flow.Points(14));
      flow.Add(flow.Points(20), block);
    });
    QCOMPARE(placed.size(), size_t{2});
    QCOMPARE(placed[1].page, 1);
    QCOMPARE(qRound(placed[1].top), 114);
  }

  // A gap asked for at the top of a page is left out: the first page, and a page the heading's
  // kept space began, start with the heading itself.
  void aHeadingAtTheTopOfAPageHasNoSpaceAboveIt() {
    const std::vector<Placed> placed = Flow([](PdfFlow& flow, const PdfFlow::Draw& block) {
      flow.Gap(flow.Points(14));
      flow.Add(flow.Points(20), block);
      flow.Add(flow.Points(700), block);  // of a body 770 points tall
      flow.Gap(flow.Points(14));
      flow.KeepSpace(flow.Points(60));
      flow.Add(flow.Points(20), block);
    });
    QCOMPARE(placed.size(), size_t{3});
    QCOMPARE(placed[0].page, 1);
    QCOMPARE(qRound(placed[0].top), 0);
    QCOMPARE(placed[2].page, 2);
    QCOMPARE(qRound(placed[2].top), 0);
  }
};

int RunPdfFlowTests(int argc, char** argv) {
  PdfFlowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace trf::desktop

#include "pdf_flow_test.moc"
