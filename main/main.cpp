// mldkorr CLERK: applies the pending message corrections of one clerk.
#include <csignal>

#include "main/MldKorrektur.h"

int main(int argc, char** argv) {
  // A write beyond a file-size limit (ulimit -f) must fail like a full disk
  // (logged, cut back, the correction rolled back) rather than end the
  // process without a trace.
  std::signal(SIGXFSZ, SIG_IGN);
  return Mld_Main(argc, argv);
}
