// Command-bar buttons and their state.
#include "app/command_bar.h"

#include <algorithm>

namespace trf {

void CommandBar::Add(CommandButton button) { buttons_.push_back(std::move(button)); }

bool CommandBar::Remove(const std::string& key) {
  const auto it = std::find_if(buttons_.begin(), buttons_.end(), [&](const CommandButton& b) { return b.key == key; });
  if (it == buttons_.end()) return false;
  buttons_.erase(it);
  return true;
}

bool CommandBar::SetState(const std::string& key, bool enabled, int16_t value) {
  CommandButton* button = FindMutable(key);
  if (!button) return false;
  button->enabled = enabled;
  button->value = value;
  return true;
}

const CommandButton* CommandBar::Find(const std::string& key) const {
  const auto it = std::find_if(buttons_.begin(), buttons_.end(), [&](const CommandButton& b) { return b.key == key; });
  return it == buttons_.end() ? nullptr : &*it;
}

CommandButton* CommandBar::FindMutable(const std::string& key) {
  return const_cast<CommandButton*>(static_cast<const CommandBar*>(this)->Find(key));
}

}  // namespace trf
