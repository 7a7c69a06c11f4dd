// SharedProcedures: system utilities: date display, 16-bit words, starting a program and waiting
// for it, choosing a folder and counting full years.
#include <chrono>

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/dates.h"
#include "ui_shared/platform/folder_chooser.h"
#include "ui_shared/platform/process.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/platform/windows.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {
namespace {

// How long one wait for a started program lasts before pending events run again: short enough
// for the user interface to stay responsive, long enough to leave the processor idle.
constexpr std::chrono::milliseconds kEventSlice{10};

}  // namespace

std::string SharedProcedures::FormatDate(const std::string& strDate) {
  return Guarded(class_ids::kSharedProcedures, "FormatDate", [&](Line& line) {
    line = 10;
    const std::optional<double> date = dates::Recognize(strDate);
    if (!date) return std::string();
    line = 20;
    return dates::FormatMmmDdYyyy(*date, dates::UserMonthAbbreviations());
  });
}

int32_t SharedProcedures::GetLoWord(const Variant& lngVal) {
  return Guarded(class_ids::kSharedProcedures, "GetLoWord", [&](Line& line) {
    line = 10;
    return lngVal.ToLong() & 0xFFFF;
  });
}

int32_t SharedProcedures::GetHiWord(const Variant& lngVal) {
  return Guarded(class_ids::kSharedProcedures, "GetHiWord", [&](Line& line) {
    line = 10;
    return (lngVal.ToLong() / 65536) & 0xFFFF;
  });
}

int32_t SharedProcedures::ShellEx(const std::string& CmdLine, bool WaitDead) {
  return Guarded(class_ids::kSharedProcedures, "ShellEx", [&](Line& line) {
    line = 10;
    const std::unique_ptr<ChildProcess> child = Service<ProcessStarter>::Get().Start(CmdLine);
    line = 20;
    if (WaitDead) return child->Wait();
    line = 30;
    std::optional<int32_t> exit_code = child->ExitCode();
    while (!exit_code) {
      Service<EventPump>::Get().DoEvents();
      child->WaitFor(kEventSlice);
      exit_code = child->ExitCode();
    }
    return *exit_code;
  });
}

std::string SharedProcedures::BrowseForFolder(int32_t hWndOwner, const std::string& sPrompt) {
  return Guarded(class_ids::kSharedProcedures, "BrowseForFolder", [&](Line& line) {
    line = 10;
    const std::optional<std::string> chosen = Service<FolderChooser>::Get().Choose(hWndOwner, sPrompt, true);
    line = 20;
    if (!chosen) return std::string();
    line = 30;
    return chosen->substr(0, chosen->find('\0'));
  });
}

int32_t SharedProcedures::ComputeFullYears(double dtmStartDateArg, double dtmEndDateArg) {
  return Guarded(class_ids::kSharedProcedures, "ComputeFullYears", [&](Line& line) {
    line = 10;
    const dates::Civil start = dates::CivilOf(dtmStartDateArg);
    const dates::Civil end = dates::CivilOf(dtmEndDateArg);
    if (dtmStartDateArg == 0.0 || start.year >= end.year) return int32_t{0};
    line = 20;
    int32_t years = end.year - start.year - 1;
    line = 30;
    if (start.month < end.month || (start.month == end.month && start.day <= end.day)) ++years;
    return years;
  });
}

}  // namespace kw
