// Problem: one entry of a month's problem list: a broken hard rule, a soft question (unsettled, or
// accepted already), a rule over a group of records, or a question the region asked about the filed
// month; with where it lives (screen, record by name, field by caption) and the way to it (the
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
  // The number of a question of the region on the filed month (0 for a rule's problem): the home
  // answers it in words or by filing the month again; it does not stand in the way of filing.
  int64_t region_question = 0;

  // Whether the problem stands between the month and its filing: a broken hard rule, or a question
  // of a rule nobody accepted.
  bool StandsInTheWay() const { return region_question == 0 && (hard || !accepted); }
};

}  // namespace trf
