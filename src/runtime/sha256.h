// SHA-256 as FIPS 180-4 defines it, for the chain that links the copies of the program's
// events: a few hundred bytes per copy, so a small portable implementation is all it needs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kov {

using Digest = std::array<std::uint8_t, 32>;

class Sha256 {
 public:
  Sha256& add(std::string_view bytes);
  Sha256& add(const Digest& digest);
  // The digest of everything added; the object is spent afterwards.
  Digest finish();

 private:
  void compress(const std::uint8_t* block);

  std::array<std::uint32_t, 8> state_{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                      0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
  std::array<std::uint8_t, 64> block_{};
  std::size_t filled_ = 0;
  std::uint64_t length_ = 0;  // bytes added
};

// The digest in 64 lower-case hexadecimal digits, as the copies carry it.
std::string hexOf(const Digest& digest);
// Reads 64 hexadecimal digits (either case); false for anything else.
bool digestOf(std::string_view hex, Digest& digest);

}  // namespace kov
