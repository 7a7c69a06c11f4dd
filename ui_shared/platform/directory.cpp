// Wildcard matching and the directory search.
#include "ui_shared/platform/directory.h"

#include <filesystem>
#include <system_error>

#include "ui_shared/platform/text.h"

namespace kw {

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  const std::string p = text::Lower(pattern);
  const std::string n = text::Lower(name);
  size_t pi = 0, ni = 0;
  size_t star = std::string::npos, resume = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
      ++pi;
      ++ni;
    } else if (pi < p.size() && p[pi] == '*') {
      star = pi++;
      resume = ni;
    } else if (star != std::string::npos) {
      pi = star + 1;
      ni = ++resume;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

std::optional<std::string> FindFirstFile(const std::string& folder, std::string_view pattern) {
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  if (ec) return std::nullopt;
  for (const std::filesystem::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) return std::nullopt;
    const std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    if (!it->is_regular_file(ec) || ec) continue;
    if (WildcardMatch(pattern, name)) return name;
  }
  return std::nullopt;
}

}  // namespace kw
