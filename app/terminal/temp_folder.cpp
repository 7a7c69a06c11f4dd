// Making and removing a private temporary folder.
#include "app/terminal/temp_folder.h"

#include <stdlib.h>  // NOLINT(modernize-deprecated-headers): mkdtemp is POSIX, declared here and not by <cstdlib>

#include <cerrno>
#include <string>
#include <system_error>
#include <vector>

namespace trf {

TempFolder::TempFolder() {
  // mkdtemp replaces the six trailing placeholder characters with a unique suffix.
  const std::string pattern = (std::filesystem::temp_directory_path() / ("trf-" + std::string(6, 'X'))).string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!mkdtemp(buffer.data()))
    throw std::system_error(errno, std::generic_category(), "cannot make a temporary folder from " + pattern);
  path_ = buffer.data();
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace trf
