// Server URIs changed in their database or their user.
#include "app/region/region_uri.h"

#include <stdexcept>

namespace trf::region {

namespace {

// Where the part after the host starts: the database's name, up to the parameters.
size_t PathStart(const std::string& uri) {
  const size_t scheme = uri.find("://");
  if (scheme == std::string::npos) throw std::invalid_argument("not a server URI: " + uri);
  return uri.find('/', scheme + 3);
}

}  // namespace

std::string WithDatabase(const std::string& uri, const std::string& database) {
  const size_t path = PathStart(uri);
  if (path == std::string::npos) {
    const size_t query = uri.find('?');
    return query == std::string::npos ? uri + "/" + database
                                      : uri.substr(0, query) + "/" + database + uri.substr(query);
  }
  const size_t end = uri.find('?', path);
  return uri.substr(0, path + 1) + database + (end == std::string::npos ? "" : uri.substr(end));
}

std::string WithRole(const std::string& uri, const std::string& role) {
  const size_t query = uri.find('?');
  if (query != std::string::npos) {
    for (size_t at = query; at != std::string::npos; at = uri.find('&', at + 1)) {
      if (uri.compare(at + 1, 5, "user=") != 0) continue;
      const size_t end = uri.find('&', at + 1);
      return uri.substr(0, at + 6) + role + (end == std::string::npos ? "" : uri.substr(end));
    }
  }
  // A user before the host ("postgresql://trf@host/db") gives way to the parameter, which libpq reads last.
  return uri + (query == std::string::npos ? "?" : "&") + "user=" + role;
}

}  // namespace trf::region
