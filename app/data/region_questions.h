// Questions of the region on filed months, on a server database: a reviewer asks about a record and
// field of a filed month's report (or the month as a whole), the home's desks read it among the
// month's problems and reply in words, and the reviewer closes it; the engine stamps each step with
// who and when (see trust_region.cpp), and nothing of it is changed or removed afterwards.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/data/database.h"

namespace trf {

// What a question is about: a record of a table of the month's report and one of its fields, or the
// whole month (every member empty); a record without a field is about the record as a whole.
struct QuestionSubject {
  std::string table = {};       // the report table's name: "residents"
  std::string record_key = {};  // the record's key: "7"
  std::string record = {};      // the record as the report names it: "Nora Pike"
  std::string field = {};       // the field's caption: "Monthly fee"
};

// A reply of a desk, with who gave it and when (UTC, "2026-12-06 19:05:45").
struct QuestionReply {
  std::string who;
  std::string when;
  std::string text;
};

// One question with every step taken on it so far.
struct RegionQuestion {
  int64_t number = 0;
  int64_t month_id = 0;   // the month record asked about
  int64_t filing_id = 0;  // the filing in force when it was asked
  std::string home_number;
  double month = 0;  // the month's date serial, as month records store it
  QuestionSubject subject;
  std::string text;
  std::string asked_by, asked_at;
  std::string closed_by, closed_at, close_text;  // empty while it is open
  std::vector<QuestionReply> replies;            // oldest first

  bool Open() const { return closed_at.empty(); }
};

// Asks `text` about `subject` of the filed month record `month_id` in the name of the role at work;
// answers the question's number. A sentence when the month is not filed, is not of a home this role
// reviews, or the text is blank.
int64_t AskQuestion(Database& database, int64_t month_id, const QuestionSubject& subject, const std::string& text);
// Adds the desk's reply `text` to question `number`. A sentence when the question is not one of the
// desk's homes, is closed, or the text is blank.
void ReplyToQuestion(Database& database, int64_t number, const std::string& text);
// Closes question `number` saying `text`. A sentence when the question is not one this role reviews,
// is closed already, or the text is blank.
void CloseQuestion(Database& database, int64_t number, const std::string& text);
// The questions the connection may read, with their replies, oldest first: of the month record
// `month_id` (0: of every month), only the open ones with `open_only`.
std::vector<RegionQuestion> ReadQuestions(Database& database, int64_t month_id = 0, bool open_only = false);

}  // namespace trf
