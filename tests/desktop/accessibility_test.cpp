// What a screen reader says: every button has a name (the calendar buttons say which date they
// pick), and every editor is named by its caption, never by its value.
#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QTest>
#include <QToolButton>

#include "desktop_world.h"
#include "suites.h"

namespace trf::desktop {

class AccessibilityTest : public DesktopSuite {
  Q_OBJECT

 private slots:
  // Every button shown on the record screens and the notes has a name a person can act on.
  void everyButtonHasAName() {
    world_->ChooseMarch("residents");
    QCOMPARE(Unnamed(), QStringList());
    world_->window->Go("notes");
    QCOMPARE(Unnamed(), QStringList());
    world_->window->Go("residents");
    QCOMPARE(NameOf(world_->Edit("birthdate")->findChild<QToolButton*>()), QString("Pick the birth date"));
    QCOMPARE(NameOf(world_->Edit("admission")->findChild<QToolButton*>()), QString("Pick the admission date"));
  }

  // Editors are named by their captions; a combo box's value is its value, not its name.
  void editorsAreNamedByTheirCaptions() {
    world_->ChooseMarch("residents");
    ScreenPage* page = world_->Page("residents");
    QCOMPARE(NameOf(page->Field("family")), QString("Family group"));
    QCOMPARE(QAccessible::queryAccessibleInterface(page->Field("family"))->text(QAccessible::Value),
             QString("Andersen family"));
    QCOMPARE(NameOf(page->Field("fee")), QString("Monthly fee"));
    QCOMPARE(NameOf(page->Field("admission")), QString("Admission date (required)"));
    world_->window->Go("families");
    QCOMPARE(NameOf(world_->Page("families")->Choice()), QString("Assessment"));
  }

 private:
  static QString NameOf(QObject* object) {
    QAccessibleInterface* described = object ? QAccessible::queryAccessibleInterface(object) : nullptr;
    return described ? described->text(QAccessible::Name) : QString();
  }
  // The buttons of the window shown now that have no name, by their class and object names.
  QStringList Unnamed() const {
    QStringList unnamed;
    for (QAbstractButton* button : world_->window->findChildren<QAbstractButton*>()) {
      if (button->isVisible() && NameOf(button).trimmed().isEmpty())
        unnamed << QString(button->metaObject()->className()) + " " + button->objectName();
    }
    return unnamed;
  }
};

int RunAccessibilityTests(int argc, char** argv) {
  AccessibilityTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace trf::desktop

#include "accessibility_test.moc"
