// What the late-bound toolbar costs: a click routed from the command bar through the controller to
// the rich-text box, and a selection change shown on the bar, each against the hand-written typed
// equivalent measured in the same run. Prints the ratios.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "app/siblings/siblings.h"
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/registration.h"
#include "ui_shared/rtf/rtf_controller.h"
#include "widgets/rich_text_box.h"

namespace {

// A box of 1,000 characters with 100 selected, wired to a controller whose buttons are on the bar.
struct Toolbar {
  Toolbar() {
    kw::RegisterLibraryClasses();
    trf::RegisterApplicationClasses();
    controller = std::make_shared<kw::RtfController>();
    box->Text(std::string(1000, 'x'));
    box->SelStart(450);
    box->SelLength(100);
    controller->RtfControl(box);
    controller->AddRemoveCommandButtons(false);
    controller->GotFocus();
  }
  ~Toolbar() { controller->AddRemoveCommandButtons(true); }
  kw::ScopedService<kw::ClassRegistry> registry{std::make_shared<kw::ClassRegistry>()};
  kw::ScopedService<kw::WindowTable> windows{std::make_shared<kw::WindowTable>()};
  kw::ScopedService<trf::ScreenContainer> container{std::make_shared<trf::ScreenContainer>()};
  kw::RichTextBoxPtr box = std::make_shared<kw::RichTextBox>();
  kw::RtfControllerPtr controller;
};

void BM_BoldClickThroughTheBar(benchmark::State& state) {
  Toolbar t;
  for (auto _ : state) t.container->ClickCommandButton("BoldClick");
  benchmark::DoNotOptimize(t.box->SelBold());
}
BENCHMARK(BM_BoldClickThroughTheBar);

void BM_BoldToggleTyped(benchmark::State& state) {
  Toolbar t;
  bool bold = false;
  for (auto _ : state) {
    bold = !bold;
    t.box->SelBold(bold);
  }
  benchmark::DoNotOptimize(t.box->SelBold());
}
BENCHMARK(BM_BoldToggleTyped);

void BM_SelChangeLateBound(benchmark::State& state) {
  Toolbar t;
  for (auto _ : state) t.controller->SelChange();
}
BENCHMARK(BM_SelChangeLateBound);

void BM_SelChangeTyped(benchmark::State& state) {
  Toolbar t;
  trf::CommandBar& bar = t.container->Bar();
  for (auto _ : state) {
    bar.SetState("BoldClick", true, t.box->SelBold().value_or(false) ? 1 : 0);
    bar.SetState("ItalicClick", true, t.box->SelItalic().value_or(false) ? 1 : 0);
    bar.SetState("UnderlineClick", true, t.box->SelUnderline().value_or(false) ? 1 : 0);
    const auto alignment = t.box->SelAlignment();
    if (alignment == 0) bar.SetState("AlignLeftClick", true, 1);
    else if (alignment == 2) bar.SetState("AlignCenterClick", true, 1);
    else if (alignment == 1) bar.SetState("AlignRightClick", true, 1);
    bar.SetState("BulletsClick", true, t.box->SelBullet().value_or(false) ? 1 : 0);
  }
}
BENCHMARK(BM_SelChangeTyped);

// Keeps each run's time per iteration so that the pairs can be compared after the run.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) times[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto ratio = [&](const char* measured, const char* floor) {
    if (reporter.times.count(measured) && reporter.times.count(floor))
      std::printf("ratio %s / %s = %.2f\n", measured, floor, reporter.times[measured] / reporter.times[floor]);
  };
  ratio("BM_BoldClickThroughTheBar", "BM_BoldToggleTyped");
  ratio("BM_SelChangeLateBound", "BM_SelChangeTyped");
  benchmark::Shutdown();
  return 0;
}
