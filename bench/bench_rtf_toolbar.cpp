// What the late-bound toolbar costs: a click routed from the command bar through the controller to
// the rich-text box, and a selection change shown on the bar, each against the hand-written typed
// equivalent measured in the same run.
#include <string>

#include "app/data/memory_policy.h"
#include "app/siblings/app_services.h"
#include "bench/ratio_reporter.h"
#include "ui_shared/platform/windows.h"
#include "ui_shared/rtf/rtf_controller.h"
#include "widgets/rich_text_box.h"

namespace {

// A box of 1,000 characters with 100 selected, wired to a controller whose buttons are on the bar.
struct Toolbar {
  Toolbar() {
    controller = std::make_shared<kw::RtfController>();
    box->Text(std::string(1000, 'x'));
    box->SelStart(450);
    box->SelLength(100);
    controller->RtfControl(box);
    controller->AddRemoveCommandButtons(false);
    controller->GotFocus();
  }
  ~Toolbar() { controller->AddRemoveCommandButtons(true); }
  trf::AppServices services{":memory:"};
  kw::ScopedService<kw::WindowTable> windows{std::make_shared<kw::WindowTable>()};
  const std::shared_ptr<trf::ScreenContainer>& container = services.container();
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
    if (alignment == 0)
      bar.SetState("AlignLeftClick", true, 1);
    else if (alignment == 2)
      bar.SetState("AlignCenterClick", true, 1);
    else if (alignment == 1)
      bar.SetState("AlignRightClick", true, 1);
    bar.SetState("BulletsClick", true, t.box->SelBullet().value_or(false) ? 1 : 0);
  }
}
BENCHMARK(BM_SelChangeTyped);

}  // namespace

int main(int argc, char** argv) {
  trf::KeepFreedMemoryForReloads();  // as the programs run
  return bench::RunWithRatios(argc, argv, [](bench::RatioReporter& r) {
    r.Ratio("bold_click_through_bar_vs_typed", "BM_BoldClickThroughTheBar", "BM_BoldToggleTyped", 2);
    r.Ratio("sel_change_late_bound_vs_typed", "BM_SelChangeLateBound", "BM_SelChangeTyped", 2);
  });
}
