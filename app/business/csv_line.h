// CSV as RFC 4180 writes it, one line at a time: what the report's tables and the region's files are
// written with.
#pragma once

#include <string>
#include <vector>

namespace trf {

// Appends `fields` as one line to `out`: separated by commas, a field quoted (its quotes doubled) when
// it holds a comma, a quote or a line break, the line ended by CR LF.
void AppendCsvLine(const std::vector<std::string>& fields, std::string& out);

}  // namespace trf
