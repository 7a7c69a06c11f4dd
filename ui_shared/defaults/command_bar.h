// CommandBar: the default container's row of command buttons. Each button has a key, a caption, a style,
// a picture, the target whose member named by the key a click calls, and its state (available,
// value 1 pressed or 0 not pressed). Clicks follow the toolbar rules: a check button toggles, a
// group button stays pressed and releases the others of its group (a run of group buttons between
// separators or other buttons), a plain button springs back, and separators hold no state.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui_shared/contracts/container.h"
#include "ui_shared/platform/object.h"
#include "ui_shared/platform/picture.h"

namespace kw {

// One button of the bar and its state.
struct CommandButton {
  std::string key;               // names the button and the member of the target a click calls
  std::string caption;           // the text a front end shows on it
  int32_t style = kButtonPlain;  // a CommandButtonStyle
  PicturePtr picture;            // the picture a front end shows on it; may be nothing
  // The object whose member named by the key a click calls. The bar does not keep it alive: a form
  // that goes without taking its buttons off leaves buttons whose clicks fail with 91, not a form
  // held for ever.
  std::weak_ptr<Object> target;
  bool enabled = true;  // false: a click does nothing
  int16_t value = 0;    // 1 pressed, 0 not pressed
};

// The buttons of the bar, in order.
class CommandBar {
 public:
  // Appends a button (resolving the member its clicks call); a second button with the same key
  // stands beside the first.
  void Add(CommandButton button);
  // Takes the first button with `key` off the bar; false when there is none.
  bool Remove(std::string_view key);
  // Sets the state of the first button with `key`; pressing a group button releases the others of
  // its group. False when there is none or it is a separator, which holds no state.
  bool SetState(std::string_view key, bool enabled, int16_t value);
  // Clicks the first button with `key` as the user does: its value changes by the rules above,
  // then the target's member named by the key is called with the value as a 16-bit integer.
  // Unavailable buttons and separators do nothing; false when nothing was clicked. Errors of the
  // target (91 when it is gone) reach the caller.
  bool Click(std::string_view key);
  // The first button with `key`; nullptr when there is none.
  const CommandButton* Find(std::string_view key) const;
  // The buttons in order, as a front end draws them.
  const std::vector<CommandButton>& Buttons() const { return buttons_; }

 private:
  // What a click of one button calls: the target's member named by the key, resolved once, and
  // the list of one argument it is called with, kept and refilled with each click's value.
  struct ButtonCall {
    // The call of the member named `key`, with a list holding one 16-bit integer.
    explicit ButtonCall(const std::string& key);
    // The target's member named by the button's key.
    MemberRef member;
    // The click's value, the one argument of every call.
    Args args;
    // A click of this button is under way: a second one, made by the target while it runs, is
    // called with a list of its own, so that the first keeps its value.
    bool calling = false;
  };

  std::vector<CommandButton>::iterator FindMutable(std::string_view key);
  // Sets the value of a button; a group button pressed releases the rest of its group.
  void SetValue(std::vector<CommandButton>::iterator button, int16_t value);
  std::vector<CommandButton> buttons_;
  // Beside each button, what its clicks call, made when the button is added; shared, so that a
  // click keeps it while the target changes the bar.
  std::vector<std::shared_ptr<ButtonCall>> calls_;
};

}  // namespace kw
