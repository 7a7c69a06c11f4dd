// JournalErrorLog: the error log of the default siblings. It records the errors that the library
// traps instead of raising (a record-group validator that cannot be created, for instance), each
// log on its own and all of them in the program's ErrorJournal, so that the program can report
// them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui_shared/contracts/data.h"
#include "ui_shared/platform/class_registry.h"

namespace kw {

// Every error recorded by any error log of one program, in order.
struct ErrorJournal {
  std::vector<Error> errors;  // the trapped errors, each with its number, source and trail
};

// An error log that keeps what it records and writes it into the program's journal too.
class JournalErrorLog : public ErrorLog {
 public:
  // A log writing into `journal`, which it keeps alive.
  explicit JournalErrorLog(std::shared_ptr<ErrorJournal> journal) : journal_(std::move(journal)) {}
  // The type name the runtime reports: "ErrorLog".
  std::string TypeName() const override { return "ErrorLog"; }
  // Records the error here and in the program's journal.
  void Add(const Error& error) override;
  int32_t Count() override { return static_cast<int32_t>(errors_.size()); }
  // What this log recorded, in order.
  const std::vector<Error>& Errors() const { return errors_; }

 private:
  std::shared_ptr<ErrorJournal> journal_;
  std::vector<Error> errors_;
};

// Registers the error log under its class id with `registry`: each log it creates writes into
// `journal`.
void RegisterErrorLog(ClassRegistry& registry, const std::shared_ptr<ErrorJournal>& journal);

}  // namespace kw
