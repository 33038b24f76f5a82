// Deterministic driver of the fuzz targets, for machines and builds without
// libFuzzer and for the test suite:
//
//   qvfuzz TARGET [--runs N] [--seed S] [CORPUS_DIR_OR_FILE...]
//
// Runs every corpus input once, then N inputs made from them by a random
// generator seeded with S (bit flips, byte changes, inserted bytes that the
// readers treat specially, cut and repeated ranges, splices of two inputs,
// plain random bytes). The same seed and corpus give the same inputs on every
// machine. A fault ends the process (abort, or a sanitizer report) after the
// input that caused it was written to ./qvfuzz-crash-TARGET (give it to the
// target again with `qvfuzz TARGET qvfuzz-crash-TARGET`).
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/fuzz/FuzzZiele.h"

namespace {

using Eingabe = std::vector<uint8_t>;

Eingabe Datei(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  const std::string t = s.str();
  return Eingabe(t.begin(), t.end());
}

void Sammeln(const std::string& path, std::vector<Eingabe>& korpus) {
  struct stat sb {};
  if (::stat(path.c_str(), &sb) != 0) return;
  if (!S_ISDIR(sb.st_mode)) {
    korpus.push_back(Datei(path));
    return;
  }
  std::vector<std::string> namen;
  if (DIR* d = ::opendir(path.c_str())) {
    while (dirent* e = ::readdir(d)) {
      if (e->d_name[0] != '.') namen.push_back(path + "/" + e->d_name);
    }
    ::closedir(d);
  }
  std::sort(namen.begin(), namen.end());  // the same order everywhere
  for (const std::string& n : namen) Sammeln(n, korpus);
}

// Bytes the readers give a meaning to.
const uint8_t kBesonders[] = {0x00, 0xFE, 0xFF, '\r', '\n', ';', '0', '9', ' ', '-', 0x7F, 0x80};

Eingabe Mutiert(const std::vector<Eingabe>& korpus, std::mt19937& zufall) {
  auto z = [&](size_t n) { return n == 0 ? size_t{0} : static_cast<size_t>(zufall() % n); };
  Eingabe e = korpus.empty() ? Eingabe{} : korpus[z(korpus.size())];
  const int schritte = 1 + static_cast<int>(z(8));
  for (int i = 0; i < schritte; ++i) {
    switch (z(8)) {
      case 0:
        if (!e.empty()) e[z(e.size())] ^= static_cast<uint8_t>(1u << z(8));
        break;
      case 1:
        if (!e.empty()) e[z(e.size())] = static_cast<uint8_t>(zufall());
        break;
      case 2:
        e.insert(e.begin() + static_cast<long>(z(e.size() + 1)), kBesonders[z(sizeof kBesonders)]);
        break;
      case 3:
        if (!e.empty()) {
          size_t a = z(e.size()), n = 1 + z(std::min<size_t>(16, e.size() - a));
          e.erase(e.begin() + static_cast<long>(a), e.begin() + static_cast<long>(a + n));
        }
        break;
      case 4:
        if (!e.empty() && e.size() < 4096) {
          size_t a = z(e.size()), n = 1 + z(std::min<size_t>(64, e.size() - a));
          Eingabe teil(e.begin() + static_cast<long>(a), e.begin() + static_cast<long>(a + n));
          e.insert(e.begin() + static_cast<long>(z(e.size() + 1)), teil.begin(), teil.end());
        }
        break;
      case 5:
        if (!korpus.empty()) {
          const Eingabe& b = korpus[z(korpus.size())];
          size_t schnitt = z(e.size() + 1);
          e.resize(schnitt);
          size_t ab = z(b.size() + 1);
          e.insert(e.end(), b.begin() + static_cast<long>(ab), b.end());
        }
        break;
      case 6: {
        size_t n = z(32);
        for (size_t k = 0; k < n; ++k) e.push_back(static_cast<uint8_t>(zufall()));
        break;
      }
      default:
        if (e.size() > 1) e.resize(z(e.size()));
    }
  }
  if (e.size() > 8192) e.resize(8192);
  return e;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::string(argv[1]) == "--help") {
    std::fprintf(argc < 2 ? stderr : stdout,
                 "Usage: qvfuzz TARGET [--runs N] [--seed S] [CORPUS...]\n"
                 "TARGET is ini, log or mel.\n");
    return argc < 2 ? 2 : 0;
  }
  const std::string name = argv[1];
  QvFuzzZiel ziel = QvFuzz_Ziel(name);
  if (ziel == nullptr) {
    std::fprintf(stderr, "qvfuzz: unknown target %s\n", argv[1]);
    return 2;
  }
  long runs = 1000;
  unsigned long seed = 1;
  std::vector<Eingabe> korpus;
  for (int i = 2; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--runs" && i + 1 < argc) {
      runs = std::strtol(argv[++i], nullptr, 10);
    } else if (a == "--seed" && i + 1 < argc) {
      seed = std::strtoul(argv[++i], nullptr, 10);
    } else {
      Sammeln(a, korpus);
    }
  }
  // The clock of every entry and stamp is fixed, so inputs replay exactly.
  setenv("QV_TEST_NOW", "20261208101500", 1);
  // The crash file is written before each input, in the folder the driver
  // was started in; it is removed when every input passed.
  char* start = getcwd(nullptr, 0);
  const std::string crash = std::string(start ? start : ".") + "/qvfuzz-crash-" + name;
  std::free(start);
  auto lauf = [&](const Eingabe& e) {
    std::ofstream(crash, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(e.data()), static_cast<std::streamsize>(e.size()));
    ziel(e.data(), e.size());
  };
  for (const Eingabe& e : korpus) lauf(e);
  std::mt19937 zufall(static_cast<std::mt19937::result_type>(seed));
  for (long i = 0; i < runs; ++i) lauf(Mutiert(korpus, zufall));
  std::remove(crash.c_str());
  QvFuzz_Aufraeumen();
  std::printf("qvfuzz %s: %zu corpus inputs, %ld generated inputs (seed %lu), no fault\n", argv[1],
              korpus.size(), runs, seed);
  return 0;
}
