// DefaultSiblings: the objects the library reaches by name around every screen, ready to use, and
// RegisterDefaultSiblings, the one call that puts them and the library's own classes in place: the
// screen container with its locator, the forms-persist object, the feedback dialog (asking at the
// terminal, or answering from a script) and the error log.
#pragma once

#include <memory>

#include "ui_shared/defaults/error_journal.h"
#include "ui_shared/defaults/feedback_desk.h"
#include "ui_shared/defaults/forms_persist.h"
#include "ui_shared/defaults/screen_container.h"
#include "ui_shared/platform/class_registry.h"

namespace kw {

// The default siblings of one program: what every screen's SharedProcedures finds by name.
struct DefaultSiblings {
  std::shared_ptr<ScreenContainer> container = std::make_shared<ScreenContainer>();  // the context of every screen
  std::shared_ptr<PersistState> persist = std::make_shared<PersistState>();          // what outlives a form
  std::shared_ptr<FeedbackDesk> desk = std::make_shared<FeedbackDesk>();     // how the dialogs answer, what they showed
  std::shared_ptr<ErrorJournal> journal = std::make_shared<ErrorJournal>();  // the errors the library trapped

  // Registers with `registry` the library's own classes (RegisterLibraryClasses) and, on these
  // objects, the container locator, the forms-persist object, the feedback dialog and the error log
  // under their class ids (class_ids.h); what stood under those ids before is replaced.
  void Register(ClassRegistry& registry) const;
};

// Registers a fresh set of default siblings and the library's classes with the registry in force,
// its feedback desk asking at the terminal (AskOnTerminal on standard input and output, echoing the
// replies when standard input is no terminal) whatever no scripted answer settles: the one call a program makes before
// it loads its first screen. The program keeps the result to reach the container, the desk and the journal. For a
// screen: call it once in main, before the first screen is loaded.
DefaultSiblings RegisterDefaultSiblings();

}  // namespace kw
