// The window table: window handles with their class names and message handlers. Sent messages are
// answered at once; posted ones wait in a queue until events are pumped.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "ui_shared/platform/variant.h"

namespace kw {

using Hwnd = int32_t;

// A message: its number, a whole-number parameter and a value parameter (texts travel here).
struct WindowMessage {
  uint32_t msg = 0;
  int64_t wparam = 0;
  Variant lparam;
};

class WindowTable {
 public:
  using Handler = std::function<int64_t(const WindowMessage&)>;

  // Registers a window of `class_name` whose messages `handler` answers; returns its handle.
  Hwnd Create(std::string class_name, Handler handler);
  // Forgets a window and drops the messages still posted to it.
  void Destroy(Hwnd hwnd);
  bool Exists(Hwnd hwnd) const;

  // Answers a message at once; 0 for a window that does not exist.
  int64_t Send(Hwnd hwnd, uint32_t msg, int64_t wparam = 0, Variant lparam = Variant());
  // Queues a message; false for a window that does not exist.
  bool Post(Hwnd hwnd, uint32_t msg, int64_t wparam = 0, Variant lparam = Variant());
  // Delivers the messages posted so far (not those posted while delivering); returns how many.
  size_t DeliverPosted();
  size_t PendingCount() const { return queue_.size(); }

  // The class name cut to `buffer_size` - 1 characters, as a fixed buffer would receive it;
  // "" for a window that does not exist.
  std::string ClassName(Hwnd hwnd, size_t buffer_size = 256) const;

  static std::shared_ptr<WindowTable> MakeDefault() { return std::make_shared<WindowTable>(); }

 private:
  struct Window {
    std::string class_name;
    Handler handler;
  };
  std::unordered_map<Hwnd, Window> windows_;
  std::deque<std::pair<Hwnd, WindowMessage>> queue_;
  Hwnd next_ = 0x1000;
};

// The event pump: lets pending user-interface events run (posted window messages, and whatever
// a front end adds).
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void DoEvents();
  static std::shared_ptr<EventPump> MakeDefault() { return std::make_shared<EventPump>(); }
};

}  // namespace kw
