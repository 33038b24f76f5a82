// Fixture of the person and work-time evaluation tests: a plant with
// workplace APL01 of group GRP1, person P1, a factory calendar from 28
// November to 6 December 2026 (calendar "K1", day type "WT" every day), and
// helpers for "MPA" messages and the rows of Qvt590Nza.
#pragma once

#include <string>
#include <vector>

#include "db/DbMel.h"
#include "support/KorrFixture.h"

using MpaZeilen = std::vector<std::string>;

class MpaTest : public KorrTest {
 protected:
  void SetUp() override;
  // Plant set-up in SQL; fails the test on an error.
  void Sql(const std::string& sql);
  // Person P1 with time model `pzm` (the default plant has 0).
  void Zeitmodell(int pzm);
  // Shift model `emo` (day type "WT") assigned to the group GRP1 (kng 1) or to
  // APL01 itself (kng 2), with one shift `beg`..`end` (minutes) whose break
  // model has the breaks given as minute pairs (at least one: a shift is
  // only found through its breaks).
  void Schichtmodell(const std::string& emo, int kng, int beg, int end,
                     const std::vector<std::pair<int, int>>& pausen = {{720, 750}}, int maz = 7);
  // A further shift of an existing model (own break model).
  void Schicht(const std::string& emo, int beg, int end,
               const std::vector<std::pair<int, int>>& pausen = {{0, 1}});
  // Person day of P1 (Qvt327Tag): day, arrival and departure instants
  // ("yyyymmddHHMMSS"; empty for none).
  void Tag(const std::string& tag, const std::string& kommt, const std::string& geht);
  // Day working-time model of P1 for `tag`: model `azt` (created valid from
  // 1 January 2026 when new) with target begin `nov` and end `nob` (minutes)
  // and break scheme `psm` ("" for none).
  void TagesModell(const std::string& tag, const std::string& azt, int nov, int nob,
                   const std::string& psm = "");
  // Line `lfd` of break scheme `psm` from `von` to `bis` (minutes).
  void PausenZeile(const std::string& psm, int lfd, int von, int bis);
  // Booking period of P1 from `von` to `bis` ("yyyymmddHHMMSS").
  void Buchung(const std::string& von, const std::string& bis);

  // An "MPA" message of P1 at APL01 / A1000 / 0010 of kind `msk`.
  MelSatz Mel(int bnr, int lfn, const std::string& msk, const std::string& dat,
              const std::string& uhr);
  // Inserts the message (fails the test on an error).
  void Insert(const MelSatz& m);

  // The rows of kind `sa` in begin order: begin|end|NzaBeg|NzaBbn|NzaBln|
  // NzaBmk|NzaEnd|NzaEbn|NzaEln|NzaEmk|NzaRau|NzaFnr|NzaEmo|NzaErf.
  MpaZeilen Nza(int sa);
  // Chosen columns of the rows of kind `sa` in begin order; durations are
  // given as hundredths (round(x*100)) so that both engines print alike.
  MpaZeilen NzaSpalten(int sa, const std::string& spalten);
  // MelFnr of the message bnr/lfn.
  std::string MelFnr(int bnr, int lfn);
  // True when the log holds the failure entry.
  bool Geloggt(const std::string& message, const std::string& funktion, int code);
  // Number of scratch-list rows of the person evaluations.
  std::string MltAnzahl();

 private:
  int pausenModelle_ = 0;
};

// round(col*100) as an integer, for duration columns.
std::string Mpa_Hundertstel(const std::string& spalte);
