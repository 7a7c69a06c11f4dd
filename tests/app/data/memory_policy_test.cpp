// The programs' memory policy: what a load frees stays in the process for the next load.
#include "app/data/memory_policy.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <memory>
#include <vector>

namespace trf {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kOwnAllocator = false;  // the sanitizer's allocator keeps memory by rules of its own
#else
constexpr bool kOwnAllocator = true;
#endif

// 100 MB in blocks of 64 KB, as a load of 100,000 records makes them: more than the allocator
// would ever keep by its own adaptive threshold (64 MB at most).
TEST(MemoryPolicyTest, MemoryALoadFreesStaysInTheProcessForTheNextLoad) {
  if (!kOwnAllocator) GTEST_SKIP() << "the sanitizer replaces the allocator";
  ASSERT_TRUE(KeepFreedMemoryForReloads());
  constexpr size_t kBlock = 64 << 10;
  constexpr size_t kBlocks = (100 << 20) / kBlock;
  {
    std::vector<std::unique_ptr<char[]>> blocks;
    for (size_t i = 0; i < kBlocks; ++i) blocks.push_back(std::make_unique_for_overwrite<char[]>(kBlock));
  }
  EXPECT_GE(mallinfo2().fordblks, kBlocks * kBlock) << "the freed blocks were given back to the system";
}

}  // namespace
}  // namespace trf
