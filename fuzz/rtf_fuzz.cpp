// Fuzzes the rich-text reader through the box: any RTF is read without a fault, and what the box
// then writes reads back as the same document (read, write, read again).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/rich_text_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto box = std::make_shared<kw::RichTextBox>();
  box->TextRTF(std::string_view(reinterpret_cast<const char*>(data), size));
  kw::fuzz::RequireRtfRoundTrip(*box);
  return 0;
}
