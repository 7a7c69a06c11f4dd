// RecordValues and RecordValueBlocks.
#include "app/business/record_values.h"

#include <algorithm>

namespace trf {

namespace {

// The values a block holds: about 64 KB of variants, small enough for the allocator's heap, large
// enough that a load of 30,000 records makes a few hundred allocations instead of 30,000.
constexpr size_t kBlockValues = 65536 / sizeof(kw::Variant);

}  // namespace

void RecordValues::Assign(std::vector<kw::Variant> values) {
  if (values.size() == size_) {
    std::move(values.begin(), values.end(), begin());
    return;
  }
  own_ = std::make_unique<std::vector<kw::Variant>>(std::move(values));
  data_ = own_->data();
  size_ = own_->size();
}

void RecordValueBlocks::StartBlock(size_t count) { blocks_.emplace_back().reserve(std::max(kBlockValues, count)); }

}  // namespace trf
