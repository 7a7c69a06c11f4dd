// ProblemsPanel: the month's problem list beside the screens, as a dock: every broken hard rule,
// soft question and group rule of the month with its screen, record, field and message, a count
// for the status bar, and one step (a double click, or Enter) from an entry to its record and field.
#pragma once

#include <functional>
#include <vector>

#include <QDockWidget>
#include <QLabel>
#include <QTreeWidget>

#include "app/business/problem.h"

namespace trf::desktop {

class ProblemsPanel : public QDockWidget {
 public:
  // `open` shows the record and field of the problem the person picked.
  ProblemsPanel(std::function<void(const Problem&)> open, QWidget* parent);
  // `reply` keeps a reply to a question from the region (its number, the words) and answers why it
  // could not, or ""; a question from the region then offers Reply... (the context menu, or R).
  void SetReply(std::function<std::string(int64_t, const std::string&)> reply) { reply_ = std::move(reply); }
  // Asks for a reply to the question from the region of the current entry, and keeps it.
  void ReplyToCurrent();

  // Shows `problems` (the whole list, as the send-off pass found it).
  void Show(std::vector<Problem> problems);
  // Says that the list could not be made, and why; the entries shown before are dropped.
  void Failed(const QString& why);
  // Empties the list while no month is chosen.
  void Clear();

  // How many problems still stand in the way (accepted questions do not).
  int Open() const;
  // "3 problems", "1 problem", "No problems" for the status bar; "" while no list is shown.
  QString CountText() const;
  QTreeWidget* Entries() const { return entries_; }

 private:
  void OpenEntry(QTreeWidgetItem* item);

  std::function<void(const Problem&)> open_;
  std::function<std::string(int64_t, const std::string&)> reply_;
  std::vector<Problem> problems_;
  bool shown_ = false;
  QLabel* summary_;
  QTreeWidget* entries_;
};

}  // namespace trf::desktop
