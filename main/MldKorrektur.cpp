#include "main/MldKorrektur.h"

#include <chrono>
#include <cstdlib>
#include <ctime>

#include "db/DbDb.h"
#include "db/DbStatus.h"
#include "download/DnlSenden.h"
#include "infra/Clock.h"
#include "infra/Log.h"
#include "infra/Metrik.h"
#include "main/KorrLoop.h"
#include "main/KorrParameter.h"

namespace {

// Writes the run's metrics when the environment names a file. A failure is
// logged and changes nothing else.
void MetrikAbschliessen(MetrikLauf& lauf, std::chrono::steady_clock::time_point start) {
  const char* ziel = std::getenv(kMetrikVariable);
  if (ziel == nullptr || *ziel == '\0') return;
  lauf.dauerSekunden =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  lauf.eintraege = Log_EintraegeJeFunktion();
  std::string schritt;
  int rc = Metrik_Schreiben(ziel, Metrik_Text(lauf), &schritt);
  if (rc != 0) {
    Log_Fehler("Metrik_Schreiben", Log_Sicher("Metrikdatei " + schritt + ": " + ziel).c_str(), rc);
  }
}

}  // namespace

void Mld_Korrektur(const std::string& clerk, KorrZaehler* zaehler) {
  if (Korr_ParameterLesen() != DB_OK) return;
  Korr_Schleife(clerk, zaehler);
}

int Mld_Main(int argc, const char* const* argv) {
  Log_Open(7, "./Msg/Vastrigon.Txt");
  const auto start = std::chrono::steady_clock::now();
  std::tm jetzt = Clock_Now();
  MetrikLauf metrik;
  metrik.startSekunden = static_cast<long long>(std::mktime(&jetzt));
  if (argc == 2) metrik.clerk = std::string(argv[1]).substr(0, 8);

  int st = Db_Connect();
  const std::string meldung = Db_ConnectMeldung();
  if (!meldung.empty()) Log_Fehler("dbConnect", Log_Sicher(meldung).c_str(), -1);
  if (st != DB_OK) {
    Log_Fehler("dbConnect", "Fehlerhafter Connect mit der DB ", st);
    MetrikAbschliessen(metrik, start);
    return 0;
  }
  metrik.verbunden = true;

  Log_Fehler("Parameter (User)", Log_Sicher(argc > 1 ? argv[1] : "").c_str(), -1);

  if (argc == 2) {
    std::string clerk = argv[1];
    if (clerk.size() > 8) clerk.resize(8);
    if (clerk.find_first_not_of(' ') == std::string::npos) {
      // Blanks are the mark of a message WITHOUT a pending correction: such an
      // identifier would take every uncorrected message of the plant through
      // the loop. It names no clerk, so nothing is run.
      Log_Fehler("Mld_Korrektur", "Sachbearbeiter fehlt", -1);
    } else {
      KorrZaehler z;
      Mld_Korrektur(clerk, &z);
      metrik.gelesen = z.gelesen;
      metrik.angewandt = z.angewandt;
      metrik.uebersprungen = z.uebersprungen;
      metrik.offen = z.gelesen - z.angewandt - z.uebersprungen;
    }
  } else {
    Log_Fehler("Mld_Korrektur", "Anzahl Parameter <> 2", -1);
  }

  // Releases the buffer file of the last terminal line written.
  (void)Dnl_DateiSchliessen();  // a failing sync is logged inside
  Db_Commit();
  MetrikAbschliessen(metrik, start);
  return 0;
}
