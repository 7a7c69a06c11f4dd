// Command-bar buttons, their state and their clicks.
#include "ui_shared/defaults/command_bar.h"

#include <algorithm>

namespace kw {
namespace {

bool InGroup(const CommandButton& button) { return button.style == kButtonGroup; }

}  // namespace

CommandBar::ButtonCall::ButtonCall(const std::string& key) : member(key) { args.Add(Variant::Integer(0)); }

void CommandBar::Add(CommandButton button) {
  calls_.push_back(std::make_shared<ButtonCall>(button.key));
  buttons_.push_back(std::move(button));
}

bool CommandBar::Remove(std::string_view key) {
  const auto it = FindMutable(key);
  if (it == buttons_.end()) return false;
  calls_.erase(calls_.begin() + (it - buttons_.begin()));
  buttons_.erase(it);
  return true;
}

bool CommandBar::SetState(std::string_view key, bool enabled, int16_t value) {
  const auto button = FindMutable(key);
  if (button == buttons_.end() || button->style == kButtonSeparator) return false;
  button->enabled = enabled;
  SetValue(button, value);
  return true;
}

void CommandBar::SetValue(std::vector<CommandButton>::iterator button, int16_t value) {
  button->value = value;
  if (!InGroup(*button) || value != kButtonPressed) return;
  auto first = button;
  while (first != buttons_.begin() && InGroup(*std::prev(first))) --first;
  const auto last = std::find_if_not(button, buttons_.end(), InGroup);
  for (auto other = first; other != last; ++other)
    if (other != button) other->value = kButtonReleased;
}

bool CommandBar::Click(std::string_view key) {
  const auto button = FindMutable(key);
  if (button == buttons_.end() || !button->enabled || button->style == kButtonSeparator) return false;
  switch (button->style) {
    case kButtonCheck: SetValue(button, button->value == kButtonPressed ? kButtonReleased : kButtonPressed); break;
    case kButtonGroup: SetValue(button, kButtonPressed); break;
    default: break;
  }
  // The target may change the bar while it runs: take what the call needs first.
  const int16_t value = button->value;
  const ObjectPtr target = button->target.lock();
  const std::shared_ptr<ButtonCall> call = calls_[static_cast<size_t>(button - buttons_.begin())];
  if (call->calling) {
    CallMember(target, call->member, Args().Add(Variant::Integer(value)));
    return true;
  }
  // Ends the click's use of the kept list, however the call ends.
  struct Called {
    ~Called() { call.calling = false; }
    ButtonCall& call;
  } called{*call};
  call->calling = true;
  call->args.PositionalValue(0) = Variant::Integer(value);
  CallMember(target, call->member, call->args);
  return true;
}

const CommandButton* CommandBar::Find(std::string_view key) const {
  const auto it = const_cast<CommandBar*>(this)->FindMutable(key);
  return it == buttons_.end() ? nullptr : &*it;
}

std::vector<CommandButton>::iterator CommandBar::FindMutable(std::string_view key) {
  // A plain walk: the bar holds a dozen buttons, too few for the unrolled search to pay its way.
  for (auto it = buttons_.begin(); it != buttons_.end(); ++it)
    if (it->key == key) return it;
  return buttons_.end();
}

}  // namespace kw
