// Fuzzes a document round trip: a document built by typing and formatting selections through the
// box is written as RTF and read back by a fresh box as the same document.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

#include "fuzz/rich_text_fuzz.h"
#include "widgets/rich_text_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  auto box = std::make_shared<kw::RichTextBox>();
  while (input.remaining_bytes() > 0) {
    const auto length = static_cast<int32_t>(box->Document().Length());
    box->SelStart(input.ConsumeIntegralInRange<int32_t>(0, length));
    box->SelLength(input.ConsumeIntegralInRange<int32_t>(0, length));
    switch (input.ConsumeIntegralInRange(0, 7)) {
      case 0: box->SelText(input.ConsumeRandomLengthString(16)); break;
      case 1: box->SelBold(input.ConsumeBool()); break;
      case 2: box->SelItalic(input.ConsumeBool()); break;
      case 3: box->SelUnderline(input.ConsumeBool()); break;
      case 4: box->SelColor(input.ConsumeIntegral<uint32_t>()); break;
      case 5:
        box->SelAlignment(
            input.ConsumeIntegralInRange<int16_t>(kw::rich_text::kAlignLeft, kw::rich_text::kAlignCenter));
        break;
      case 6: box->SelBullet(input.ConsumeBool()); break;
      default: box->Text(input.ConsumeRandomLengthString(32)); break;
    }
  }
  kw::fuzz::RequireRtfRoundTrip(*box);
  return 0;
}
