// A held record's values, and the blocks that the values of loaded records share: a load of many
// records makes one allocation per block of records instead of one per record.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "ui_shared/platform/variant.h"

namespace trf {

// The values of one record by position - 1: a run of a shared block (a loaded record) or a vector
// of its own (a new record, or one whose values were replaced by a run of another length).
class RecordValues {
 public:
  RecordValues() = default;
  // `count` values starting at `first`, owned by a block that outlives the record.
  RecordValues(kw::Variant* first, size_t count) : data_(first), size_(count) {}

  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  kw::Variant& operator[](size_t i) { return data_[i]; }
  const kw::Variant& operator[](size_t i) const { return data_[i]; }
  kw::Variant* begin() { return data_; }
  kw::Variant* end() { return data_ + size_; }
  const kw::Variant* begin() const { return data_; }
  const kw::Variant* end() const { return data_ + size_; }

  // The values as a vector of their own, for keeping a copy.
  std::vector<kw::Variant> Copy() const { return {begin(), end()}; }
  // Replaces the values: in place when as many are given, else by a vector of their own.
  void Assign(std::vector<kw::Variant> values);

 private:
  kw::Variant* data_ = nullptr;
  size_t size_ = 0;
  std::unique_ptr<std::vector<kw::Variant>> own_;
};

// The blocks the values of loaded records live in, each reserved for a fixed number of values so
// that appending never moves a value a record already points at.
class RecordValueBlocks {
 public:
  // The block to append `count` values to: the last one while it has room, else a new one. Inline:
  // a load asks once per record.
  std::vector<kw::Variant>& RoomFor(size_t count) {
    if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < count) StartBlock(count);
    return blocks_.back();
  }

 private:
  // Starts a block with room for `count` values at least.
  void StartBlock(size_t count);

  std::vector<std::vector<kw::Variant>> blocks_;
};

}  // namespace trf
