// Command-bar buttons, their state and their clicks.
#include "app/siblings/command_bar.h"

#include <algorithm>

namespace trf {
namespace {

constexpr int16_t kPressed = 1;
constexpr int16_t kReleased = 0;

bool InGroup(const CommandButton& button) { return button.style == kw::kButtonGroup; }

}  // namespace

void CommandBar::Add(CommandButton button) {
  members_.push_back(std::make_shared<const kw::MemberRef>(button.key));
  buttons_.push_back(std::move(button));
}

bool CommandBar::Remove(const std::string& key) {
  const auto it = FindMutable(key);
  if (it == buttons_.end()) return false;
  members_.erase(members_.begin() + (it - buttons_.begin()));
  buttons_.erase(it);
  return true;
}

bool CommandBar::SetState(const std::string& key, bool enabled, int16_t value) {
  const auto button = FindMutable(key);
  if (button == buttons_.end() || button->style == kw::kButtonSeparator) return false;
  button->enabled = enabled;
  SetValue(button, value);
  return true;
}

void CommandBar::SetValue(std::vector<CommandButton>::iterator button, int16_t value) {
  button->value = value;
  if (!InGroup(*button) || value != kPressed) return;
  auto first = button;
  while (first != buttons_.begin() && InGroup(*std::prev(first))) --first;
  const auto last = std::find_if_not(button, buttons_.end(), InGroup);
  for (auto other = first; other != last; ++other)
    if (other != button) other->value = kReleased;
}

bool CommandBar::Click(const std::string& key) {
  const auto button = FindMutable(key);
  if (button == buttons_.end() || !button->enabled || button->style == kw::kButtonSeparator) return false;
  switch (button->style) {
    case kw::kButtonCheck: SetValue(button, button->value == kPressed ? kReleased : kPressed); break;
    case kw::kButtonGroup: SetValue(button, kPressed); break;
    default: break;
  }
  // The target may change the bar while it runs: take what the call needs first.
  const int16_t value = button->value;
  const kw::ObjectPtr target = button->target.lock();
  const std::shared_ptr<const kw::MemberRef> member = members_[static_cast<size_t>(button - buttons_.begin())];
  kw::CallMember(target, *member, kw::Args().Add(kw::Variant::Integer(value)));  // moved in, not copied from a list
  return true;
}

const CommandButton* CommandBar::Find(const std::string& key) const {
  const auto it = const_cast<CommandBar*>(this)->FindMutable(key);
  return it == buttons_.end() ? nullptr : &*it;
}

std::vector<CommandButton>::iterator CommandBar::FindMutable(const std::string& key) {
  return std::find_if(buttons_.begin(), buttons_.end(), [&](const CommandButton& b) { return b.key == key; });
}

}  // namespace trf
