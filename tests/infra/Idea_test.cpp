#include "infra/Idea.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const IdeaKey kVectorKey{1, 2, 3, 4, 5, 6, 7, 8};

TEST(IdeaTest, KnownVectorEnciphersAndDeciphersBack) {
  const IdeaSubkeys ek = Idea_EncryptKeys(kVectorKey);
  const IdeaBlock clear{0x0000, 0x0001, 0x0002, 0x0003};
  const IdeaBlock cipher = Idea_Cipher(clear, ek);
  EXPECT_EQ(cipher, (IdeaBlock{0x11FB, 0xED2B, 0x0198, 0x6DE5}));
  EXPECT_EQ(Idea_Cipher(cipher, Idea_DecryptKeys(ek)), clear);
}

TEST(IdeaTest, KeyScheduleRotatesBy25Bits) {
  const IdeaSubkeys ek = Idea_EncryptKeys(kVectorKey);
  // The first eight subkeys are the key; the next eight the key rotated left by 25 bits.
  for (int i = 0; i < 8; ++i) EXPECT_EQ(ek[i], kVectorKey[i]);
  const IdeaBlock second{ek[8], ek[9], ek[10], ek[11]};
  EXPECT_EQ(second, (IdeaBlock{0x0400, 0x0600, 0x0800, 0x0A00}));
  EXPECT_EQ(ek[14], 0x1000);
  EXPECT_EQ(ek[15], 0x0200);
  EXPECT_EQ(ek[16], 0x0010);
  EXPECT_EQ(ek[21], 0x0004);
}

TEST(IdeaTest, MultiplicationTreatsZeroAs65536) {
  EXPECT_EQ(Idea_Mul(0, 0), 1);            // (-1) * (-1)
  EXPECT_EQ(Idea_Mul(0, 1), 0);            // 65536 * 1 = 65536, written as 0
  EXPECT_EQ(Idea_Mul(2, 0x8000), 0);       // 65536 again
  EXPECT_EQ(Idea_Mul(3, 0x8000), 0x7FFF);  // 98304 mod 65537
  EXPECT_EQ(Idea_MulInverse(0), 0);
  EXPECT_EQ(Idea_MulInverse(1), 1);
  for (std::uint32_t a : {2u, 3u, 255u, 0x1234u, 0xFFFFu}) {
    EXPECT_EQ(
        Idea_Mul(static_cast<std::uint16_t>(a), Idea_MulInverse(static_cast<std::uint16_t>(a))), 1)
        << a;
  }
}

TEST(IdeaTest, RandomBlocksAndKeysRoundTrip) {
  std::mt19937 rng(4711);
  for (int n = 0; n < 200; ++n) {
    IdeaKey key;
    for (auto& w : key) w = static_cast<std::uint16_t>(rng());
    IdeaBlock block;
    for (auto& w : block) w = static_cast<std::uint16_t>(rng() % 4 == 0 ? 0 : rng());
    const IdeaSubkeys ek = Idea_EncryptKeys(key);
    const IdeaBlock cipher = Idea_Cipher(block, ek);
    EXPECT_NE(cipher, block);
    EXPECT_EQ(Idea_Cipher(cipher, Idea_DecryptKeys(ek)), block);
  }
}

}  // namespace
