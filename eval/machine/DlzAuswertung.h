// Machine-only evaluation ("M__" messages: a machine starts "BS" or stops
// "ES"): driver and time line.
//
// For the workplace of a corrected message the evaluation rebuilds the
// machine's running time inside its shift windows as records of kind 13 in
// Qvt590Nza. It writes a scratch time line into Qvt561Mlt (producer "DlzStd",
// the run stamp, a running number from 0): first the workplace's machine
// messages, then the shift and break boundaries of every day they span. The
// replay (DlzReplay) walks that time line, writes the records and removes it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/DbMel.h"
#include "db/Dbstd.h"

// Producer name of the time line and of the records.
constexpr const char* kDlzErf = "DlzStd";
// Order and operation of the kind-13 records: a machine alone has neither.
constexpr const char* kDlzApk = "000000000000";
constexpr const char* kDlzApp = "00000";

// The time line of one evaluation while it is built. Entries get the running
// numbers after `lfn` in the order in which they are made. A writing time
// line inserts each entry at once (Mlt_PKeyIns; a failure is logged under the
// entry's function name and the entry is dropped); a collecting one keeps
// the entries in memory, so that the evaluation can decide which of them it
// needs to write (DlzAbgleich).
class DlzZeitlinie {
 public:
  DlzZeitlinie(std::string stempel, bool schreiben, int lfn = -1);

  // A new entry of this time line: producer, run stamp and the next running
  // number set. It counts as made once it is given to Neu.
  MltSatz Eintrag() const;
  // Adds the entry made last by Eintrag. Returns the insert's status, 0 when
  // collecting.
  [[nodiscard]] int Neu(const MltSatz& e, const char* funktion);

  const std::string& Stempel() const { return stempel_; }
  bool Schreibend() const { return schreiben_; }
  // The last running number used; -1 before the first entry.
  int Lfn() const { return lfn_; }
  // The collected entries in the order made: their number, each whole, its
  // instant, and the function name under which a failed insert of it is
  // logged.
  size_t Anzahl() const { return kurz_.size(); }
  MltSatz Eintrag(size_t i) const;
  std::string Datum(size_t i) const;
  std::string Uhr(size_t i) const;
  const char* Funktion(size_t i) const { return kurz_[i].funktion; }

 private:
  // A collected entry: its event, instant and running number of its own; the
  // other fields it shares with the entries before it that have the same
  // (the boundaries of one shift model on one day, say). Event, day and time
  // are kept inline when they are no longer than an event code, a day
  // "YYYYMMDD" and a time "HHMMSS" (a workplace's history holds thousands of
  // entries); longer ones in lang_.
  struct Kurz {
    uint32_t vorlage;
    int lfn;
    const char* funktion;
    uint32_t lang;  // 0: the texts are inline; else lang_[lang - 1]
    char obj[4], dat[9], uhr[7];
  };
  struct Lang {
    std::string obj, dat, uhr;
  };

  std::string stempel_;
  bool schreiben_;
  int lfn_;
  std::vector<MltSatz> vorlagen_;
  std::vector<Kurz> kurz_;
  std::vector<Lang> lang_;
};

// The evaluation of one corrected "M__" message; logs its own failures.
// Builds the time line from the workplace's machine messages and its shift
// model. While evaluation parameter 5 is on, the records of the time line are
// compared with the stored ones and only the periods that differ are written
// again through the time line (DlzAbgleich); where that cannot be decided,
// and while the parameter is off, the whole time line is written and
// replayed after every kind-13 record of the workplace has been deleted
// (parameter 5 only). A workplace without machine messages ends after that
// deletion.
void Dlz_Auswertung(const MelSatz& row);

// While evaluation parameter 5 is on: deletes every kind-13 record of the
// message's workplace. A non-zero status (1403 when there was none) is
// logged; nothing else happens.
void Dlz_Loeschen(const MelSatz& row);

// The evaluation base row of a message: kind 13, the message's workplace,
// order, operation and part number, person "00000000", begin the message's
// instant.
NzaSatz Dlz_Basis(const MelSatz& row);

// The message part of the time line: one entry per "M__" message of the base
// row's workplace, in instant order, and a closing "ES" at the run stamp
// when the machine is still running after the last one. Sets the base row's
// begin to the first message and its end to the last message (or to the run
// stamp while running). `lfn` is the last running number used (-1 before the
// first entry). Returns 1 when at least one entry was written, else 0.
int Mlt_MVon_Meldung(NzaSatz& basis, DlzZeitlinie& linie);
// The same into a writing time line after running number `lfn`.
int Mlt_MVon_Meldung(const std::string& stempel, NzaSatz& basis, int& lfn);

// The shift part of the time line: the shift and break boundaries of the
// workplace's shift models (its own assignments, else its group's) for every
// day from the day before the base row's begin up to the day of its end.
void Mlt_M_BDE(const NzaSatz& basis, DlzZeitlinie& linie);
void Mlt_M_BDE(const std::string& stempel, const NzaSatz& basis, int& lfn);

// Writes the boundaries of one shift model (the day row `tag`, from
// Aem_FetchTag) on day `datum`: "KM" and "GH" per shift, "BP" and "EP" per
// break. Returns the status of the break cursor's open, else its close.
[[nodiscard]] int BDE_Eckwerte(const AemTagSatz& tag, const std::string& datum,
                               const NzaSatz& basis, DlzZeitlinie& linie);

// The fields that every boundary of the shift model `tag` on day `datum`
// shares (numbered after the time line's last entry): the base row's
// workplace, order, operation and person, the status fields "0", the shift
// model, day type and calendar data of the day and its year. Each boundary
// (Eckwerte_Pause, Eckwerte_Tag) sets event, date and time and goes to the
// time line with Dlz_Grenze under the next running number.
MltSatz Dlz_Grenzvorlage(const DlzZeitlinie& linie, const AemTagSatz& tag, const std::string& datum,
                         const NzaSatz& basis);
void Dlz_Grenze(MltSatz& e, DlzZeitlinie& linie, const char* funktion);

[[nodiscard]] int BDE_Eckwerte(const std::string& stempel, const AemTagSatz& tag,
                               const std::string& datum, const NzaSatz& basis, int& lfn);
