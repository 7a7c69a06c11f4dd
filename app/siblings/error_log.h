// The reference error log: records the errors that the library traps instead of raising (a
// record-group validator that cannot be created, for instance), each log on its own and all of
// them in the program's error journal, so that the program can report them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui_shared/contracts/data.h"
#include "ui_shared/platform/class_registry.h"

namespace trf {

// Every error recorded by any error log of the application, in order.
struct ErrorJournal {
  std::vector<kw::Error> errors;
};

class AppErrorLog : public kw::ErrorLog {
 public:
  explicit AppErrorLog(std::shared_ptr<ErrorJournal> journal) : journal_(std::move(journal)) {}
  std::string TypeName() const override { return "ErrorLog"; }
  // Records the error here and in the application's journal.
  void Add(const kw::Error& error) override;
  int32_t Count() override { return static_cast<int32_t>(errors_.size()); }
  const std::vector<kw::Error>& Errors() const { return errors_; }

 private:
  std::shared_ptr<ErrorJournal> journal_;
  std::vector<kw::Error> errors_;
};

// Registers the error log, writing to `journal`, with `registry`.
void RegisterErrorLog(kw::ClassRegistry& registry, const std::shared_ptr<ErrorJournal>& journal);

}  // namespace trf
