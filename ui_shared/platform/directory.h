// The wildcard directory search: the first normal file of a folder whose name matches a pattern
// of "*" (any run of characters) and "?" (one character), compared without regard to case, as
// the original platform's file system did.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kw {

// True when `name` matches `pattern` ("*" any run, "?" one character), ignoring ASCII case.
bool WildcardMatch(std::string_view pattern, std::string_view name);

// The name of the first regular file (symbolic links followed) in `folder` whose name matches
// `pattern`; hidden files (names starting with ".") are not normal files and are skipped.
// nullopt when there is none or the folder cannot be read.
std::optional<std::string> FindFirstFile(const std::string& folder, std::string_view pattern);

}  // namespace kw
