// rich_text::ListTable: what an RTF document says about its lists (\listtable, \listoverridetable),
// so that a list paragraph whose writer left no marker text still gets its bullet or its number.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kw::rich_text {

// What goes before a list paragraph: a bullet, or text such as "3.\t" (empty for none).
struct ListMarker {
  bool bullet = false;  // the paragraph has a bullet
  std::u32string text;  // the number or other text before the paragraph; empty for a bullet or none
};

// Whether the marker text a writer put before a list paragraph (\pntext, \listtext) stands for a
// bullet: one character that is no letter or digit, or the "o" of a second-level bullet.
bool IsBulletMarker(std::u32string_view text);

// The lists of one document and the numbers their paragraphs have reached.
class ListTable {
 public:
  // The control words of the list table and of the override table, in the order they come.
  void ListTableWord(std::string_view word, int32_t param);
  // A control word of the list-override table, in the order they come.
  void OverrideTableWord(std::string_view word, int32_t param);

  // The marker of the next paragraph of list `ls` (\lsN) at `level` (\ilvlN). Numbers go on from
  // the list's last paragraph at that level and start again below it. A list the tables do not
  // describe is bulleted.
  ListMarker Next(int32_t ls, int32_t level);

 private:
  // One level of a list: its number format (\levelnfc; 23 is a bullet, 255 none) and first number.
  struct Level {
    int32_t format = 0;
    int32_t start = 1;
  };
  // A list of the list table (\list), known by its \listid.
  struct List {
    int32_t id = 0;
    std::vector<Level> levels;
  };
  // An entry of the override table: the \ls number paragraphs use for a list.
  struct Override {
    int32_t list_id = 0;
    int32_t ls = 0;
  };
  const Level* FindLevel(int32_t ls, int32_t level) const;

  std::vector<List> lists_;
  std::vector<Override> overrides_;
  std::map<std::pair<int32_t, int32_t>, int32_t> numbers_;  // (ls, level) -> last number given
};

}  // namespace kw::rich_text
