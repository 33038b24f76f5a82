// Fuzz targets: each takes one input of arbitrary bytes and drives a reader of
// untrusted input with it. A target returns 0; a fault it finds is a crash
// (or a sanitizer report) or a broken invariant, which ends the process.
//
// The same targets run under clang's libFuzzer (FuzzLibFuzzer.cpp, built by
// tests/fuzz/run-libfuzzer.sh) and under the deterministic driver
// (FuzzTreiber.cpp) that the test suite runs with a fixed seed and count.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The configuration-file reader and decipherer: the input is the file.
int QvFuzz_Ini(const uint8_t* data, size_t size);
// The log writer: the input is split into function, message, kinds, error
// code and data bytes of a few entries.
int QvFuzz_Log(const uint8_t* data, size_t size);
// The correction loop on SQLite: the input gives the column values of a few
// message rows (any type, any width, NULL), stored as another program might
// store them, and the loop reads and corrects them.
int QvFuzz_Mel(const uint8_t* data, size_t size);

using QvFuzzZiel = int (*)(const uint8_t*, size_t);
// The target of a name ("ini", "log", "mel"), or nullptr.
QvFuzzZiel QvFuzz_Ziel(const std::string& name);

// Removes the temporary folder of the targets (end of a driver run).
void QvFuzz_Aufraeumen();

// Ends the process with a message on stderr (a broken invariant).
[[noreturn]] void QvFuzz_Fehler(const std::string& what);
