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

// A window handle: a number the window table gives out.
using Hwnd = int32_t;

// A message: its number, a whole-number parameter and a value parameter (texts travel here).
struct WindowMessage {
  // The message number.
  uint32_t msg = 0;
  // The whole-number parameter.
  int64_t wparam = 0;
  // The value parameter.
  Variant lparam;
};

// The window handles with their class names and message handlers: sent messages are answered at
// once, posted ones wait until events are pumped; Service<WindowTable> is the table in force.
class WindowTable {
 public:
  // Answers a message sent or delivered to a window.
  using Handler = std::function<int64_t(const WindowMessage&)>;

  // Registers a window of `class_name` whose messages `handler` answers; returns its handle.
  Hwnd Create(std::string class_name, Handler handler);
  // Forgets a window and drops the messages still posted to it.
  void Destroy(Hwnd hwnd);
  // True while the window exists.
  bool Exists(Hwnd hwnd) const;

  // Answers a message at once; 0 for a window that does not exist.
  int64_t Send(Hwnd hwnd, uint32_t msg, int64_t wparam = 0, Variant lparam = Variant());
  // Queues a message; false for a window that does not exist.
  bool Post(Hwnd hwnd, uint32_t msg, int64_t wparam = 0, Variant lparam = Variant());
  // Delivers the messages posted so far (not those posted while delivering); returns how many.
  size_t DeliverPosted();
  // The number of messages posted and not delivered yet.
  size_t PendingCount() const { return queue_.size(); }

  // The class name cut to `buffer_size` - 1 characters, as a fixed buffer would receive it;
  // "" for a window that does not exist.
  std::string ClassName(Hwnd hwnd, size_t buffer_size = 256) const;

  // An empty table, the default of Service<WindowTable>.
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
  // Lets pending events run: delivers the posted window messages.
  virtual void DoEvents();
  // The headless pump, the default of Service<EventPump>.
  static std::shared_ptr<EventPump> MakeDefault() { return std::make_shared<EventPump>(); }
};

}  // namespace kw
