// Fixture and helpers of the machine/order runtime evaluation tests.
#pragma once

#include <string>
#include <vector>

#include "db/DbMel.h"
#include "support/KorrFixture.h"

using LzaZeilen = std::vector<std::string>;

// The run stamp of every test: "now" of the correction tests.
constexpr const char* kLzaStempel = "20261208101500";

// A correction-test session (fixed clock, log in the installation) with the
// plant: order A1000 (part number "T-A1000") with operation 0010, workplace
// APL01 of group GRP1, and the factory calendar from 20261120 to 20261215 in
// which calendar K1 gives every day the day type "AT" (week 49 runs from
// Monday 20261130; weekday 1 is Monday).
class LzaTest : public KorrTest {
 protected:
  void SetUp() override;

  // The early shift "FRUEH" (06:00 to 14:00, text "Frueh", break 09:00 to
  // 09:15) as the own shift model (kind 2) of `apl`.
  void FruehSchicht(const std::string& apl = "APL01");

  // Inserts an "M_A" message of APL01 / A1000 / 0010 with kind `msk` at
  // `dat` `uhr`; `lfn` numbers it within booking 1.
  void Meldung(int lfn, const std::string& msk, const std::string& dat, const std::string& uhr,
               const std::string& apl = "APL01");
  // The message row the evaluation is called with.
  MelSatz Aufruf(const std::string& apl = "APL01") const;

  // Appends an entry to the list ("LzaStd", kLzaStempel) with the next
  // running number; shift fields as a shift "Frueh" of model "M1" on day type
  // "AT" would give them.
  void Eintrag(const std::string& obj, const std::string& dat, const std::string& uhr,
               const std::string& arg = "        ", const std::string& ubg = "");
  int lfn_ = 0;

  // Inserts an evaluation row of kind `sa` with Nza = BzA = `wert`.
  void NzaZeile(int sa, const std::string& apl, const std::string& pnr, const std::string& dat,
                const std::string& uhr, double wert, const std::string& apk = "A1000",
                const std::string& app = "0010");

  // The rows of kind `sa`: NzaApl|NzaPnr|NzaDtm|NzaEdt|NzaBmk|NzaEmk|NzaUbg|NzaEmo|
  // NzaTtp|NzaJwo|NzaWoc|NzaWtg|NzaJtg|NzaErf|NzaTnr, by workplace, person, begin.
  LzaZeilen Kopf(int sa);
  // The same rows as "NzaPnr NzaDtm: " followed by every duration column that
  // is not 0, as "<name>=<value>" in column order.
  LzaZeilen Dauern(int sa);
  // The rows of kind `sa` whose columns that this evaluation always leaves 0
  // (NzaBeg ... NzaFnr, NzaGum, NzaAum, NzaRf2, NzaRf3) are not all 0.
  LzaZeilen NichtNull(int sa);
  // The list entries of the run stamp: MltLfn|MltObj|MltMdt|MltArg|MltEmo|MltTtp|
  // MltWoc|MltWtg|MltJtg|MltJwo, in running-number order.
  LzaZeilen Liste(const std::string& stempel = kLzaStempel);

  std::string Log(const std::string& message, const std::string& funktion, int code) const {
    return Korr_LogEntry(message, funktion, code);
  }
};
