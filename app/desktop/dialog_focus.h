// Gives a window the focus back when a modal dialog of its own closes. A window manager does that;
// without one (a bare X server, a kiosk) the focus went nowhere, and the window's shortcuts did
// nothing until the person clicked into it.
#pragma once

#include <QObject>
#include <QWidget>

namespace trf::desktop {

class DialogFocus : public QObject {
 public:
  // Watches the modal dialogs of `window`, which owns this.
  explicit DialogFocus(QWidget& window);

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  QWidget& window_;
};

}  // namespace trf::desktop
