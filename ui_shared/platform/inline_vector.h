// InlineVector: a vector that keeps its first `N` elements inside itself and only goes to the heap
// beyond them, so that the arguments of a late-bound call (two or three, as a rule) cost no
// allocation. It offers what the argument list needs: append, size, index and iteration.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <new>
#include <utility>
#include <vector>

namespace kw {

template <class T, size_t N>
// A vector that keeps its first `N` elements inside itself and goes to the heap only beyond them:
// append, size, index and iteration, what a late-bound call's arguments need.
class InlineVector {
 public:
  // Provided, not defaulted: value-initialising a defaulted one would clear the inline storage.
  InlineVector() noexcept {}  // NOLINT(modernize-use-equals-default): see above
  // Empty, with the inline storage cleared, so that it can be made at compile time.
  constexpr explicit InlineVector(std::in_place_t) noexcept : storage_{} {}
  InlineVector(std::initializer_list<T> elements) {
    for (const T& e : elements) push_back(e);
  }
  // A copy of another vector's elements.
  InlineVector(const InlineVector& other) {
    for (const T& e : other) push_back(e);
  }
  // Takes over another vector's elements, leaving it empty.
  InlineVector(InlineVector&& other) noexcept { TakeFrom(other); }
  // Replaces the elements with copies of another vector's.
  InlineVector& operator=(const InlineVector& other) {
    if (this != &other) {
      clear();
      for (const T& e : other) push_back(e);
    }
    return *this;
  }
  // Replaces the elements with another vector's, leaving it empty.
  InlineVector& operator=(InlineVector&& other) noexcept {
    if (this != &other) {
      clear();
      TakeFrom(other);
    }
    return *this;
  }
  ~InlineVector() { clear(); }

  template <class... A>
  // Appends an element made from `args`; the element appended.
  T& emplace_back(A&&... args) {
    if (inline_count_ < N) return *new (Slot(inline_count_++)) T(std::forward<A>(args)...);
    return spill_.emplace_back(std::forward<A>(args)...);
  }
  // Appends an element.
  void push_back(T element) { emplace_back(std::move(element)); }

  // The number of elements.
  size_t size() const { return inline_count_ + spill_.size(); }
  // True when there is no element.
  bool empty() const { return size() == 0; }
  // The element at 0-based position `i` (unchecked).
  const T& operator[](size_t i) const { return i < N ? *Slot(i) : spill_[i - N]; }
  // The element at 0-based position `i`, to change it in place (unchecked).
  T& operator[](size_t i) { return i < N ? *Slot(i) : spill_[i - N]; }
  // Removes every element.
  void clear() {
    for (size_t i = inline_count_; i-- > 0;) Slot(i)->~T();
    inline_count_ = 0;
    spill_.clear();
  }

  // Iteration in order: the elements held inside, then those beyond.
  class const_iterator {
   public:
    // The position `index` of `owner`.
    const_iterator(const InlineVector* owner, size_t index) : owner_(owner), index_(index) {}
    // The element at the position.
    const T& operator*() const { return (*owner_)[index_]; }
    // The element at the position, for member access.
    const T* operator->() const { return &(*owner_)[index_]; }
    // Moves to the next element.
    const_iterator& operator++() {
      ++index_;
      return *this;
    }
    // True when both stand at the same position.
    bool operator==(const const_iterator& other) const { return index_ == other.index_; }

   private:
    const InlineVector* owner_;
    size_t index_;
  };
  // An iterator at the first element.
  const_iterator begin() const { return {this, 0}; }
  // An iterator past the last element.
  const_iterator end() const { return {this, size()}; }

 private:
  T* Slot(size_t i) { return std::launder(reinterpret_cast<T*>(storage_) + i); }
  const T* Slot(size_t i) const { return std::launder(reinterpret_cast<const T*>(storage_) + i); }
  void TakeFrom(InlineVector& other) noexcept {
    for (size_t i = 0; i < other.inline_count_; ++i) new (Slot(i)) T(std::move(*other.Slot(i)));
    inline_count_ = other.inline_count_;
    spill_ = std::move(other.spill_);
    other.clear();
  }

  alignas(T) std::byte storage_[N * sizeof(T)];
  size_t inline_count_ = 0;
  std::vector<T> spill_;
};

}  // namespace kw
