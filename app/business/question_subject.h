// What a reviewer's question is about, named as a person names it: a record of a filed month's report
// by its name (or its key) and one of its fields by its caption, found in the report as it was filed.
#pragma once

#include <string>

#include "app/business/month_report.h"
#include "app/data/region_questions.h"

namespace trf {

// The subject named by `record` (a record's name as the report shows it in its first column, or its
// key; "" for the month as a whole) and `field` (a caption of that record's table; "" for the whole
// record) in `report`. A sentence naming what there is when the report has no such record or field,
// or when the name fits records of more than one table.
QuestionSubject SubjectIn(const MonthReport& report, const std::string& record, const std::string& field);

// The subject in words: "Residents, Nora Pike, Monthly fee", "Residents, Nora Pike", "the month".
std::string SubjectText(const QuestionSubject& subject, const MonthReport* report = nullptr);

}  // namespace trf
