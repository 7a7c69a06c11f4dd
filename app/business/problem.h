// Problem: one thing that stands between a month and its filing, as the month's problem list shows
// it: a broken hard rule, a soft question (unsettled, or accepted already), or a rule over a group of
// records; with where it lives (screen, record by name, field by caption) and the way to it (the
// screen's form key, the record's key, the control tag of the field).
#pragma once

#include <cstdint>
#include <string>

namespace trf {

struct Problem {
  std::string screen_key = {};  // the container's form key of the screen
  std::string screen = {};      // the screen's title: "Residents"
  std::string record_key = {};  // "" for a rule over the group of records
  std::string record = {};      // the record as a person names it: "Tom Reyes"
  std::string field = {};       // the field's caption; "" when the rule is the record's or the group's
  std::string tag = {};         // the control tag that focuses the field; "" when no field box shows it
  int32_t rule = 0;
  std::string message = {};
  bool hard = false;      // a hard rule; otherwise a question
  bool accepted = false;  // a question a person accepted already: it stands in the way no more
  // Who accepted it and when (UTC, "2026-12-06 19:05:45"), as the change record keeps it; empty until
  // the acceptance is on record.
  std::string accepted_by = {};
  std::string accepted_at = {};
};

}  // namespace trf
