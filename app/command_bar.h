// CommandBar: the container's row of command buttons. Each button has a key, a caption, a style,
// a picture, the target whose member named by the key a click calls, and its state (available,
// value 1 pressed or 0 not pressed).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui_shared/contracts/container.h"
#include "ui_shared/platform/object.h"
#include "ui_shared/platform/picture.h"

namespace trf {

struct CommandButton {
  std::string key;
  std::string caption;
  int32_t style = kw::kButtonPlain;
  kw::PicturePtr picture;
  kw::ObjectPtr target;
  bool enabled = true;
  int16_t value = 0;
};

class CommandBar {
 public:
  // Appends a button; a second button with the same key stands beside the first.
  void Add(CommandButton button);
  // Takes the first button with `key` off the bar; false when there is none.
  bool Remove(const std::string& key);
  // Sets the state of the first button with `key`; false when there is none.
  bool SetState(const std::string& key, bool enabled, int16_t value);
  const CommandButton* Find(const std::string& key) const;
  const std::vector<CommandButton>& Buttons() const { return buttons_; }

 private:
  CommandButton* FindMutable(const std::string& key);
  std::vector<CommandButton> buttons_;
};

}  // namespace trf
