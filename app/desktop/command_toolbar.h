// CommandToolbar: the container's command bar as a real tool bar. Each bar button is an action
// with its caption, its picture as the icon, a check state for check buttons and one-of-a-group
// for group buttons, and a shortcut where the desktop has a usual one; the actions follow the
// bar's state on every Sync and hand clicks back to the bar, which stays the source of truth.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QList>
#include <QToolBar>

#include "app/siblings/command_bar.h"

namespace trf::desktop {

class CommandToolbar : public QToolBar {
 public:
  // `click` hands a click on the button of `key` to the bar.
  CommandToolbar(const CommandBar& bar, std::function<void(const std::string&)> click, QWidget* parent);

  // Rebuilds the actions when the bar's buttons changed, then copies every button's state.
  void Sync();
  // The actions of the bar's buttons, separators left out (menus list them too).
  QList<QAction*> ButtonActions() const;
  // The action of the button with `key`; nullptr when the bar has none.
  QAction* ActionFor(const std::string& key) const;

 private:
  void Rebuild();

  const CommandBar& bar_;
  std::function<void(const std::string&)> click_;
  std::vector<std::string> keys_;
};

}  // namespace trf::desktop
