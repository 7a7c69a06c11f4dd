// The toolbar's image host: its ten drawn pictures, one host per thread, and its colour dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "tests/doubles/raised.h"
#include "tests/doubles/scripted_color_picker.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/rtf/rtf_images.h"

namespace kw {
namespace {

using testing::ScriptedColorPicker;

constexpr uint32_t kSilver = 0xC0C0C0;

// Real drawings: the mask colour at the corners, at least a tenth of the pixels drawn, no two alike.
TEST(RtfImages, OneHostPerThreadWithTenDistinctMaskedDrawings) {
  const auto here = frmRtfImages::ForThisThread();
  const auto images = here->ImageList();
  EXPECT_EQ(images, frmRtfImages::ForThisThread()->ImageList());
  EXPECT_EQ(here->cdColorChange(), frmRtfImages::ForThisThread()->cdColorChange());
  const frmRtfImages* there = nullptr;
  std::thread([&] { there = frmRtfImages::ForThisThread().get(); }).join();
  EXPECT_NE(there, here.get());
  ASSERT_EQ(images->Count(), 10);
  EXPECT_EQ(std::pair(images->MaskColor(), images->UseMaskColor()), std::pair(kSilver, true));
  for (int i = 1; i <= 10; ++i) {
    const auto& picture = *images->Picture(i);
    EXPECT_EQ(std::pair(picture.Width(), picture.Height()), std::pair(16, 16)) << i;
    EXPECT_EQ(images->Key(i), i == 9 ? "Undo" : i == 10 ? "Redo" : "") << i;
    for (auto [x, y] : {std::pair{0, 0}, {15, 0}, {0, 15}, {15, 15}}) EXPECT_EQ(picture.Pixel(x, y), kSilver) << i;
    const auto drawn = std::count_if(picture.Pixels().begin(), picture.Pixels().end(),
                                     [](uint32_t pixel) { return pixel != kSilver; });
    EXPECT_GE(drawn, 26) << i;
    for (int j = 1; j < i; ++j) EXPECT_NE(picture.Pixels(), images->Picture(j)->Pixels()) << i << " vs " << j;
  }
  for (int bad : {0, 11}) EXPECT_EQ(testing::RaisedNumber([&] { (void)images->Picture(bad); }), err::kSubscript);
}

// The headless picker cancels: the old colour stays, and 32755 is raised only when asked for.
TEST(RtfImages, ColorDialogReportsCancelOnlyWhenAsked) {
  ColorDialog dialog;
  dialog.Color(0x112233);
  EXPECT_NO_THROW(dialog.ShowColor());
  dialog.CancelError(true);
  const Error cancel = testing::Raised([&] { dialog.ShowColor(); });
  EXPECT_EQ(std::to_string(cancel.Number()) + " " + cancel.Description(),
            std::to_string(err::kColorCancel) + " Cancel was selected");
  EXPECT_EQ(dialog.Color(), 0x112233u);
  auto picker = std::make_shared<ScriptedColorPicker>();
  ScopedService<ColorPicker> scripted(picker);
  picker->answer = 0x445566;
  dialog.Flags(1);
  dialog.ShowColor();
  EXPECT_EQ(dialog.Color(), 0x445566u);
  ASSERT_EQ(picker->showings.size(), 1u);
  EXPECT_EQ(std::pair(picker->showings[0].initial, picker->showings[0].flags), std::pair(0x112233u, 1));
}

}  // namespace
}  // namespace kw
