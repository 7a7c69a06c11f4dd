// Service<T>: a process-wide, replaceable instance of a platform service with a headless default,
// and ScopedService<T>, which puts a replacement in place for the length of a scope (tests).
// T provides `static std::shared_ptr<T> MakeDefault()`.
#pragma once

#include <memory>

namespace kw {

template <class T>
// A process-wide, replaceable instance of a platform service, made from T::MakeDefault at first use
// unless a replacement is in force.
class Service {
 public:
  // The service in force; the headless default is made at first use.
  static T& Get() {
    auto& slot = Slot();
    if (!slot) slot = T::MakeDefault();
    return *slot;
  }
  // Puts `replacement` in force (nullptr brings the default back) and returns the previous one.
  static std::shared_ptr<T> Replace(std::shared_ptr<T> replacement) {
    auto previous = std::move(Slot());
    Slot() = std::move(replacement);
    return previous;
  }

 private:
  static std::shared_ptr<T>& Slot() {
    static std::shared_ptr<T> slot;
    return slot;
  }
};

template <class T>
// Puts a replacement service in force for the length of a scope, then brings back the one before.
class ScopedService {
 public:
  // Puts `replacement` in force.
  explicit ScopedService(std::shared_ptr<T> replacement)
      : replacement_(replacement), previous_(Service<T>::Replace(std::move(replacement))) {}
  ~ScopedService() { Service<T>::Replace(std::move(previous_)); }
  ScopedService(const ScopedService&) = delete;
  ScopedService& operator=(const ScopedService&) = delete;
  // The replacement in force.
  T& operator*() const { return *replacement_; }
  // The replacement in force, for member access.
  T* operator->() const { return replacement_.get(); }

 private:
  std::shared_ptr<T> replacement_;
  std::shared_ptr<T> previous_;
};

}  // namespace kw
