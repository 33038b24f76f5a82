#include "infra/Metrik.h"

#include <unistd.h>

#include <cstdio>

#include "infra/File.h"

namespace {

std::string Label(const std::string& v) {
  std::string out;
  for (unsigned char c : v) {
    if (c == '\\' || c == '"') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      out += '?';
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

void Kopf(std::string& out, const char* name, const char* hilfe) {
  out += std::string("# HELP mldkorr_") + name + " " + hilfe + "\n";
  out += std::string("# TYPE mldkorr_") + name + " gauge\n";
}

void Wert(std::string& out, const char* name, const std::string& labels, const std::string& wert) {
  out += std::string("mldkorr_") + name + "{" + labels + "} " + wert + "\n";
}

}  // namespace

std::string Metrik_Text(const MetrikLauf& l) {
  const std::string clerk = "clerk=\"" + Label(l.clerk) + "\"";
  char dauer[40];
  std::snprintf(dauer, sizeof dauer, "%.3f", l.dauerSekunden);
  std::string out;
  Kopf(out, "run_start_time_seconds", "Start of the last correction run, seconds since 1970.");
  Wert(out, "run_start_time_seconds", clerk, std::to_string(l.startSekunden));
  Kopf(out, "run_duration_seconds", "Duration of the last correction run in seconds.");
  Wert(out, "run_duration_seconds", clerk, dauer);
  Kopf(out, "run_connected", "1 when the last run could connect to the database, else 0.");
  Wert(out, "run_connected", clerk, l.verbunden ? "1" : "0");
  Kopf(out, "corrections_read", "Pending corrections the last run found for its clerk.");
  Wert(out, "corrections_read", clerk, std::to_string(l.gelesen));
  Kopf(out, "corrections_applied", "Corrections the last run applied.");
  Wert(out, "corrections_applied", clerk, std::to_string(l.angewandt));
  Kopf(out, "corrections_skipped", "Corrections another run took while the last run went on.");
  Wert(out, "corrections_skipped", clerk, std::to_string(l.uebersprungen));
  Kopf(out, "corrections_pending",
       "Corrections the last run left pending (rolled back or not reached).");
  Wert(out, "corrections_pending", clerk, std::to_string(l.offen));
  Kopf(out, "log_entries", "Log entries the last run wrote, by reporting function.");
  for (const auto& [funktion, anzahl] : l.eintraege) {
    Wert(out, "log_entries", clerk + ",function=\"" + Label(funktion) + "\"",
         std::to_string(anzahl));
  }
  return out;
}

int Metrik_Schreiben(const std::string& path, const std::string& text, std::string* schritt) {
  const std::string temp = path + "." + std::to_string(getpid()) + ".tmp";
  auto fehler = [&](const char* s, int rc) {
    if (schritt != nullptr) *schritt = s;
    return rc;
  };
  FileHandle datei;
  int rc = datei.Open(temp.c_str(), kFileWrite | kFileCreate);
  if (rc != 0) return fehler("oeffnen", rc);
  // A temporary file left by a killed run of the same process id is reused.
  rc = File_Truncate(datei.Get(), 0);
  if (rc == 0) rc = File_Write(datei.Get(), text.data(), text.size());
  if (rc == 0) rc = File_Sync(datei.Get());
  int zu = datei.Close();
  if (rc == 0) rc = zu;
  // The step's own failure is reported; removing the temporary file is only
  // tidying up (a leftover is reused by the next run of the same pid).
  if (rc != 0) {
    (void)File_Unlink(temp.c_str());
    return fehler("schreiben", rc);
  }
  rc = File_Rename(temp.c_str(), path.c_str());
  if (rc != 0) {
    (void)File_Unlink(temp.c_str());
    return fehler("umbenennen", rc);
  }
  return 0;
}
