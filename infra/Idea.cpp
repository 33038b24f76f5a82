#include "infra/Idea.h"

namespace {

std::uint16_t AddInverse(std::uint16_t a) {
  return static_cast<std::uint16_t>(0x10000u - a);
}

}  // namespace

std::uint16_t Idea_Mul(std::uint16_t a, std::uint16_t b) {
  std::uint64_t x = a != 0 ? a : 0x10000u;
  std::uint64_t y = b != 0 ? b : 0x10000u;
  std::uint64_t p = (x * y) % 0x10001u;
  return static_cast<std::uint16_t>(p == 0x10000u ? 0 : p);
}

std::uint16_t Idea_MulInverse(std::uint16_t a) {
  // 65537 is prime: a^(65537-2) is the inverse. 0 (65536 = -1) is its own inverse.
  std::uint16_t result = 1;
  std::uint16_t base = a;
  for (std::uint32_t e = 0x10001u - 2; e != 0; e >>= 1) {
    if (e & 1) result = Idea_Mul(result, base);
    base = Idea_Mul(base, base);
  }
  return result;
}

IdeaSubkeys Idea_EncryptKeys(const IdeaKey& key) {
  IdeaSubkeys ek{};
  IdeaKey k = key;
  std::size_t n = 0;
  for (;;) {
    for (std::size_t j = 0; j < 8 && n < ek.size(); ++j) ek[n++] = k[j];
    if (n == ek.size()) break;
    // Rotate the 128-bit key (word 0 most significant) left by 25 bits:
    // one whole word and 9 bits.
    IdeaKey r;
    for (std::size_t j = 0; j < 8; ++j) {
      r[j] = static_cast<std::uint16_t>((k[(j + 1) % 8] << 9) | (k[(j + 2) % 8] >> 7));
    }
    k = r;
  }
  return ek;
}

IdeaSubkeys Idea_DecryptKeys(const IdeaSubkeys& ek) {
  IdeaSubkeys dk{};
  for (int r = 0; r <= 8; ++r) {
    // Round r of decryption undoes round 8 - r of encryption; the output
    // transformation counts as round 8.
    const int e = 6 * (8 - r);
    const int d = 6 * r;
    dk[d] = Idea_MulInverse(ek[e]);
    // The two additive keys swap places except in the first and last group,
    // because the rounds swap the middle words.
    if (r == 0 || r == 8) {
      dk[d + 1] = AddInverse(ek[e + 1]);
      dk[d + 2] = AddInverse(ek[e + 2]);
    } else {
      dk[d + 1] = AddInverse(ek[e + 2]);
      dk[d + 2] = AddInverse(ek[e + 1]);
    }
    dk[d + 3] = Idea_MulInverse(ek[e + 3]);
    if (r < 8) {
      dk[d + 4] = ek[e - 2];
      dk[d + 5] = ek[e - 1];
    }
  }
  return dk;
}

IdeaBlock Idea_Cipher(const IdeaBlock& in, const IdeaSubkeys& z) {
  std::uint16_t x1 = in[0], x2 = in[1], x3 = in[2], x4 = in[3];
  for (int round = 0; round < 8; ++round) {
    const std::uint16_t* k = &z[6 * round];
    x1 = Idea_Mul(x1, k[0]);
    x2 = static_cast<std::uint16_t>(x2 + k[1]);
    x3 = static_cast<std::uint16_t>(x3 + k[2]);
    x4 = Idea_Mul(x4, k[3]);
    std::uint16_t t0 = Idea_Mul(static_cast<std::uint16_t>(x1 ^ x3), k[4]);
    std::uint16_t t1 =
        Idea_Mul(static_cast<std::uint16_t>(t0 + static_cast<std::uint16_t>(x2 ^ x4)), k[5]);
    t0 = static_cast<std::uint16_t>(t0 + t1);
    x1 ^= t1;
    x4 ^= t0;
    std::uint16_t t = static_cast<std::uint16_t>(x2 ^ t0);
    x2 = static_cast<std::uint16_t>(x3 ^ t1);
    x3 = t;
  }
  // Output transformation; the middle words go back to their places.
  return IdeaBlock{Idea_Mul(x1, z[48]), static_cast<std::uint16_t>(x3 + z[49]),
                   static_cast<std::uint16_t>(x2 + z[50]), Idea_Mul(x4, z[51])};
}
