// TempFolder: a private folder under the system's temporary folder, made with mkdtemp and removed
// with everything in it when the object goes. The tour and scripts run their databases there.
#pragma once

#include <filesystem>

namespace trf {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace trf
