// What a database location names.
#include "app/data/database.h"

namespace trf {

bool IsServerUri(const std::string& location) {
  return location.rfind("postgresql://", 0) == 0 || location.rfind("postgres://", 0) == 0;
}

}  // namespace trf
