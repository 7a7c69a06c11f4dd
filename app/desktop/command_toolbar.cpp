// The command bar drawn as a QToolBar.
#include "app/desktop/command_toolbar.h"

#include <map>

#include <QAction>
#include <QActionGroup>

#include "app/desktop/qt_colors.h"
#include "ui_shared/rtf/button_pictures.h"

namespace trf::desktop {
namespace {

// The shortcuts people expect of a formatting toolbar, by button key.
QKeySequence ShortcutFor(const std::string& key) {
  static const std::map<std::string, QKeySequence> kShortcuts = {
      {"BoldClick", QKeySequence::Bold},
      {"ItalicClick", QKeySequence::Italic},
      {"UnderlineClick", QKeySequence::Underline},
      {"ColorChangeClick", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
      {"AlignLeftClick", QKeySequence(Qt::CTRL | Qt::Key_L)},
      {"AlignCenterClick", QKeySequence(Qt::CTRL | Qt::Key_E)},
      {"AlignRightClick", QKeySequence(Qt::CTRL | Qt::Key_R)},
      {"BulletsClick", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L)},
  };
  const auto found = kShortcuts.find(key);
  return found == kShortcuts.end() ? QKeySequence() : found->second;
}

}  // namespace

CommandToolbar::CommandToolbar(const CommandBar& bar, std::function<void(const std::string&)> click, QWidget* parent)
    : QToolBar(tr("Commands"), parent), bar_(bar), click_(std::move(click)) {
  setObjectName("commandBar");
  setAccessibleName(tr("Commands of the screen"));
  setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

void CommandToolbar::Rebuild() {
  clear();
  keys_.clear();
  QActionGroup* group = nullptr;
  for (const CommandButton& button : bar_.Buttons()) {
    keys_.push_back(button.key);
    if (button.style == kw::kButtonSeparator) {
      addSeparator()->setData(QString::fromStdString(button.key));
      group = nullptr;
      continue;
    }
    QAction* action = addAction(QString::fromStdString(button.caption));
    action->setData(QString::fromStdString(button.key));
    action->setObjectName(QString::fromStdString(button.key));
    if (button.picture) action->setIcon(ToIcon(*button.picture, kw::kButtonMaskColor));
    const QKeySequence shortcut = ShortcutFor(button.key);
    action->setShortcut(shortcut);
    action->setToolTip(shortcut.isEmpty() ? action->text()
                                          : action->text() + " (" + shortcut.toString(QKeySequence::NativeText) + ")");
    action->setCheckable(button.style == kw::kButtonCheck || button.style == kw::kButtonGroup);
    if (button.style == kw::kButtonGroup) {
      if (!group) {
        group = new QActionGroup(action);
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
      }
      group->addAction(action);
    } else {
      group = nullptr;
    }
    const std::string key = button.key;
    connect(action, &QAction::triggered, this, [this, key] { click_(key); });
  }
  // Pictured buttons (the formatting toolbar) show their icon alone, captioned ones their text.
  const bool pictured = !bar_.Buttons().empty() && bar_.Buttons().front().picture;
  setToolButtonStyle(pictured ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextOnly);
}

void CommandToolbar::Sync() {
  std::vector<std::string> keys;
  for (const CommandButton& button : bar_.Buttons()) keys.push_back(button.key);
  if (keys != keys_) Rebuild();
  for (const CommandButton& button : bar_.Buttons()) {
    QAction* action = ActionFor(button.key);
    if (!action) continue;
    action->setEnabled(button.enabled);
    const QSignalBlocker quiet(action);
    action->setChecked(action->isCheckable() && button.value != 0);
  }
  setVisible(!keys_.empty());
}

QList<QAction*> CommandToolbar::ButtonActions() const {
  QList<QAction*> buttons;
  for (QAction* action : actions())
    if (!action->isSeparator()) buttons.append(action);
  return buttons;
}

QAction* CommandToolbar::ActionFor(const std::string& key) const {
  for (QAction* action : actions())
    if (!action->isSeparator() && action->data().toString().toStdString() == key) return action;
  return nullptr;
}

}  // namespace trf::desktop
