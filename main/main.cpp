// mldkorr CLERK: applies the pending message corrections of one clerk.
#include "main/MldKorrektur.h"

int main(int argc, char** argv) {
  return Mld_Main(argc, argv);
}
