// The IDEA block cipher: 64-bit blocks of four 16-bit words, a 128-bit key of
// eight 16-bit words, 8 rounds and the output transformation. Multiplication
// is modulo 65537 with the word 0 standing for 65536.
#pragma once

#include <array>
#include <cstdint>

using IdeaKey = std::array<std::uint16_t, 8>;
using IdeaBlock = std::array<std::uint16_t, 4>;
using IdeaSubkeys = std::array<std::uint16_t, 52>;

// The 52 encryption subkeys of `key` (standard key schedule: the key rotated
// left by 25 bits between groups of eight).
IdeaSubkeys Idea_EncryptKeys(const IdeaKey& key);

// The 52 decryption subkeys, inverted from the encryption subkeys.
IdeaSubkeys Idea_DecryptKeys(const IdeaSubkeys& encryptKeys);

// Runs one block through the cipher with the given subkeys: encryption
// subkeys encipher, decryption subkeys decipher.
IdeaBlock Idea_Cipher(const IdeaBlock& in, const IdeaSubkeys& subkeys);

// Multiplication modulo 65537 (0 stands for 65536) and its inverse.
std::uint16_t Idea_Mul(std::uint16_t a, std::uint16_t b);
std::uint16_t Idea_MulInverse(std::uint16_t a);
