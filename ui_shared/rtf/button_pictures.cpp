// The toolbar pictures as pixel art: one character per pixel, '.' for the mask colour.
#include "ui_shared/rtf/button_pictures.h"

#include <array>
#include <string_view>

namespace kw {
namespace {

using Art = std::array<std::string_view, kButtonPictureSize>;

uint32_t ColorOf(char c) {
  switch (c) {
    case '#': return Rgb(0, 0, 0);
    case 'r': return Rgb(255, 0, 0);
    case 'g': return Rgb(0, 160, 0);
    case 'b': return Rgb(0, 0, 255);
    case 'y': return Rgb(255, 255, 0);
    default: return kButtonMaskColor;
  }
}

PicturePtr Draw(const Art& art, bool mirrored = false) {
  auto picture = std::make_shared<Picture>(kButtonPictureSize, kButtonPictureSize, kButtonMaskColor);
  for (int y = 0; y < kButtonPictureSize; ++y)
    for (int x = 0; x < kButtonPictureSize; ++x) {
      const int column = mirrored ? kButtonPictureSize - 1 - x : x;
      picture->SetPixel(x, y, ColorOf(art[static_cast<size_t>(y)][static_cast<size_t>(column)]));
    }
  return picture;
}

constexpr Art kBold = {
    "................", "................", "...#########....", "....###...###...",
    "....###...###...", "....###...###...", "....###..###....", "....#######.....",
    "....###...###...", "....###....###..", "....###....###..", "....###....###..",
    "....###...###...", "...#########....", "................", "................",
};

constexpr Art kItalic = {
    "................", "................", "......######....", ".......###......",
    ".......###......", "......###.......", "......###.......", ".....###........",
    ".....###........", "....###.........", "....###.........", "...###..........",
    "...###..........", "..######........", "................", "................",
};

constexpr Art kUnderline = {
    "................", "..####....####..", "...##......##...", "...##......##...",
    "...##......##...", "...##......##...", "...##......##...", "...##......##...",
    "...##......##...", "....##....##....", ".....######.....", "................",
    "..############..", "................", "................", "................",
};

constexpr Art kColorSwatch = {
    "................", "................", ".#############..", ".#rrrrr#ggggg#..",
    ".#rrrrr#ggggg#..", ".#rrrrr#ggggg#..", ".#rrrrr#ggggg#..", ".#############..",
    ".#bbbbb#yyyyy#..", ".#bbbbb#yyyyy#..", ".#bbbbb#yyyyy#..", ".#bbbbb#yyyyy#..",
    ".#############..", "................", "................", "................",
};

// Align right is this picture mirrored.
constexpr Art kAlignLeft = {
    "................", "................", "..############..", "................",
    "..########......", "................", "..############..", "................",
    "..########......", "................", "..############..", "................",
    "..########......", "................", "................", "................",
};

constexpr Art kCenter = {
    "................", "................", "..############..", "................",
    "....########....", "................", "..############..", "................",
    "....########....", "................", "..############..", "................",
    "....########....", "................", "................", "................",
};

constexpr Art kBullets = {
    "................", "................", "..##............", "..##..########..",
    "................", "................", "..##............", "..##..########..",
    "................", "................", "..##............", "..##..########..",
    "................", "................", "................", "................",
};

// Redo is this picture mirrored.
constexpr Art kUndo = {
    "................", "................", "................", "....b...........",
    "...bb...........", "..bbbbbbbbb.....", ".bbbbbbbbbbb....", "..bbbbbbbbbbb...",
    "...bb......bbb..", "....b.......bb..", "............bb..", "............bb..",
    "...........bb...", "..........bb....", "................", "................",
};

}  // namespace

std::vector<KeyedPicture> DrawButtonPictures() {
  return {{Draw(kBold), ""},      {Draw(kItalic), ""},        {Draw(kUnderline), ""},       {Draw(kColorSwatch), ""},
          {Draw(kAlignLeft), ""}, {Draw(kCenter), ""},        {Draw(kAlignLeft, true), ""}, {Draw(kBullets), ""},
          {Draw(kUndo), "Undo"},  {Draw(kUndo, true), "Redo"}};
}

}  // namespace kw
