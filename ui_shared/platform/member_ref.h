// MemberRef: a member name resolved once for many calls, as when a list is filled record by record
// and each record reads the same properties and calls the same members. It keeps the name folded
// and remembers the table entry it found in the last class it was used on, so that the calls after
// the first skip folding and probing; an object whose members no table describes is reached by the
// name, exactly as without it.
#pragma once

#include <string>
#include <string_view>

#include "ui_shared/platform/member_names.h"

namespace kw {

// A member as a class's index of its own and its bases' members holds it: the table entry, of the
// class `level` steps up from the one probed (0: that class itself).
struct FoundMember {
  // The table entry of the member.
  const void* entry;
  // How many classes up from the probed one the entry is declared (0: the class itself).
  int level;
};

// A member name resolved once for many calls: kept folded, with the table entry it found in the
// last class it was used on, so that later calls skip folding and probing. Used by one caller at a
// time.
class MemberRef {
 public:
  // A reference to the member called `name`, resolved at its first use.
  explicit MemberRef(std::string name) : name_(std::move(name)), folded_(name_) {}
  // A copy folds its own name: the folded name looks at the text it was made from.
  MemberRef(const MemberRef& other) : MemberRef(other.name_) {}
  // Takes another's name, forgetting what this one had found.
  MemberRef& operator=(const MemberRef& other) {
    if (this != &other) {
      name_ = other.name_;
      folded_ = FoldedName(name_);
      index_ = nullptr;
      found_ = nullptr;
    }
    return *this;
  }

  // The name as written.
  const std::string& Name() const { return name_; }

  // The member's entry in `index`, a class's index of its members; nullptr when the class has no
  // such member in its tables. The answer is kept for the next call with the same index.
  const FoundMember* FindIn(const NameIndex<FoundMember>& index) const {
    if (&index != index_) {
      found_ = index.Find(folded_);
      index_ = &index;
    }
    return found_;
  }
  // The entry FindIn answered for `index` last; nullptr when it answered none or was last asked
  // about another index.
  const FoundMember* FoundBefore(const NameIndex<FoundMember>& index) const {
    return &index == index_ ? found_ : nullptr;
  }

 private:
  std::string name_;
  FoldedName folded_;
  mutable const NameIndex<FoundMember>* index_ = nullptr;
  mutable const FoundMember* found_ = nullptr;
};

}  // namespace kw
