// SHA-256 through OpenSSL's EVP interface, one context reused for each digest.
#include "app/data/sha256.h"

#include <openssl/evp.h>

#include <stdexcept>

namespace trf {

struct Sha256::Context {
  Context() = default;
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;
  ~Context() {
    EVP_MD_free(algorithm);
    EVP_MD_CTX_free(digest);
  }
  EVP_MD_CTX* digest = EVP_MD_CTX_new();
  // Fetched once: asking OpenSSL for the algorithm by name on each digest costs more than the digest.
  EVP_MD* algorithm = EVP_MD_fetch(nullptr, "SHA256", nullptr);
};

Sha256::Sha256() : context_(std::make_unique<Context>()) {
  if (!context_->digest || !context_->algorithm) {
    throw std::runtime_error("SHA-256 is not available from the system's cryptography library");
  }
}

Sha256::~Sha256() = default;

std::array<char, 64> Sha256::HexDigits(std::string_view bytes) {
  std::array<unsigned char, 32> digest{};
  unsigned int size = 0;
  if (EVP_DigestInit_ex(context_->digest, context_->algorithm, nullptr) != 1 ||
      EVP_DigestUpdate(context_->digest, bytes.data(), bytes.size()) != 1 ||
      EVP_DigestFinal_ex(context_->digest, digest.data(), &size) != 1) {
    throw std::runtime_error("SHA-256 failed in the system's cryptography library");
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::array<char, 64> hex{};
  for (size_t i = 0; i < digest.size(); ++i) {
    hex[2 * i] = kHex[digest[i] >> 4];
    hex[2 * i + 1] = kHex[digest[i] & 0xF];
  }
  return hex;
}

std::string Sha256::Hex(std::string_view bytes) {
  const std::array<char, 64> digits = HexDigits(bytes);
  return std::string(digits.data(), digits.size());
}

std::string Sha256Hex(std::string_view bytes) { return Sha256().Hex(bytes); }

}  // namespace trf
