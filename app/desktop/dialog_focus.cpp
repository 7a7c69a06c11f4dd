// Returning the focus to a window after its dialogs.
#include "app/desktop/dialog_focus.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

namespace trf::desktop {

DialogFocus::DialogFocus(QWidget& window) : QObject(&window), window_(window) { qApp->installEventFilter(this); }

bool DialogFocus::eventFilter(QObject* object, QEvent* event) {
  if (event->type() != QEvent::Hide || !object->isWidgetType()) return false;
  // A modal dialog of this window: its parent is within the window.
  const auto* dialog = static_cast<const QWidget*>(object);
  const QWidget* parent = dialog->parentWidget();
  if (!dialog->isWindow() || dialog->windowModality() == Qt::NonModal || !parent || parent->window() != &window_)
    return false;
  // Once the dialog's own closing is over, and unless another dialog took its place.
  QTimer::singleShot(0, &window_, [this] {
    if (window_.isVisible() && !QApplication::activeModalWidget() && !window_.isActiveWindow())
      window_.activateWindow();
  });
  return false;
}

}  // namespace trf::desktop
