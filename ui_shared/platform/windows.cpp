// Window table and the default event pump.
#include "ui_shared/platform/windows.h"

#include "ui_shared/platform/service.h"

namespace kw {

Hwnd WindowTable::Create(std::string class_name, Handler handler) {
  const Hwnd hwnd = next_;
  next_ += 4;
  windows_.emplace(hwnd, Window{std::move(class_name), std::move(handler)});
  return hwnd;
}

void WindowTable::Destroy(Hwnd hwnd) {
  windows_.erase(hwnd);
  std::erase_if(queue_, [hwnd](const auto& entry) { return entry.first == hwnd; });
}

bool WindowTable::Exists(Hwnd hwnd) const { return windows_.contains(hwnd); }

int64_t WindowTable::Send(Hwnd hwnd, uint32_t msg, int64_t wparam, Variant lparam) {
  const auto it = windows_.find(hwnd);
  if (it == windows_.end() || !it->second.handler) return 0;
  const Handler handler = it->second.handler;  // the handler may destroy its window
  return handler(WindowMessage{msg, wparam, std::move(lparam)});
}

bool WindowTable::Post(Hwnd hwnd, uint32_t msg, int64_t wparam, Variant lparam) {
  if (!Exists(hwnd)) return false;
  queue_.emplace_back(hwnd, WindowMessage{msg, wparam, std::move(lparam)});
  return true;
}

size_t WindowTable::DeliverPosted() {
  size_t count = queue_.size();
  size_t delivered = 0;
  while (count-- > 0 && !queue_.empty()) {
    auto [hwnd, message] = std::move(queue_.front());
    queue_.pop_front();
    Send(hwnd, message.msg, message.wparam, std::move(message.lparam));
    ++delivered;
  }
  return delivered;
}

std::string WindowTable::ClassName(Hwnd hwnd, size_t buffer_size) const {
  const auto it = windows_.find(hwnd);
  if (it == windows_.end() || buffer_size == 0) return "";
  return it->second.class_name.substr(0, buffer_size - 1);
}

void EventPump::DoEvents() { Service<WindowTable>::Get().DeliverPosted(); }

}  // namespace kw
