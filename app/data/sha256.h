// SHA-256 digests as lower-case hex, for the change record's chain and the filed reports.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace trf {

// The SHA-256 digest of `bytes` as 64 lower-case hex digits.
std::string Sha256Hex(std::string_view bytes);

// Digests many texts one after the other with one context, which spares setting the hash up anew for
// each: what a walk over a long chain uses.
class Sha256 {
 public:
  Sha256();
  ~Sha256();
  Sha256(const Sha256&) = delete;
  Sha256& operator=(const Sha256&) = delete;
  // The digest of `bytes` as 64 lower-case hex digits.
  std::string Hex(std::string_view bytes);
  // The same digits in place, without an allocation: for walks over many entries.
  std::array<char, 64> HexDigits(std::string_view bytes);

 private:
  struct Context;
  std::unique_ptr<Context> context_;
};

}  // namespace trf
