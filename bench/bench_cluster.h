// BenchCluster: the throwaway PostgreSQL cluster a server benchmark starts before its benchmarks
// and stops after them (tools/pg-test-cluster), in a folder named after the benchmark and its process.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace bench {

class BenchCluster {
 public:
  // Starts the cluster for the benchmark called `name`; raises when it does not start.
  explicit BenchCluster(const std::string& name) : folder_("/tmp/trf-pg-" + name + "-" + std::to_string(::getpid())) {
    if (std::system((std::string(PG_TEST_CLUSTER) + " start " + folder_ + " >/dev/null").c_str()) != 0) {
      throw std::runtime_error("the throwaway PostgreSQL cluster did not start");
    }
  }
  ~BenchCluster() { (void)std::system((std::string(PG_TEST_CLUSTER) + " stop " + folder_).c_str()); }
  BenchCluster(const BenchCluster&) = delete;
  BenchCluster& operator=(const BenchCluster&) = delete;

  // Database `database` as `role` sees it (the superuser trf by default).
  std::string Uri(const std::string& database = "postgres", const std::string& role = "trf") const {
    return "postgresql:///" + database + "?host=" + folder_ + "&user=" + role;
  }

 private:
  std::string folder_;
};

}  // namespace bench
