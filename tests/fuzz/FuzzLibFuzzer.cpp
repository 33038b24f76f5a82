// Entry point of one fuzz target for clang's libFuzzer; the target is chosen
// at build time (QV_FUZZ_ZIEL).
#include <cstdlib>

#include "tests/fuzz/FuzzZiele.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QV_TEST_NOW", "20261208101500", 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return QV_FUZZ_ZIEL(data, size);
}
