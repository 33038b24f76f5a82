// Run metrics for monitoring: one small file in the text exposition format
// that the textfile collectors of node exporters read.
//
// The file is written once, at the end of a run, when the environment names
// it (QV_METRICS_FILE): first into "<file>.<pid>.tmp" in the same folder,
// synced, then renamed over the file, so a collector reads either the last
// run's file or this one, never a part. Every sample carries the clerk as a
// label, so that the files of several clerks can lie side by side.
#pragma once

#include <map>
#include <string>

// What a run reports.
struct MetrikLauf {
  std::string clerk;
  long long startSekunden = 0;           // start of the run, seconds since 1970
  double dauerSekunden = 0;              // duration of the run
  bool verbunden = false;                // the run could connect to the database
  long gelesen = 0;                      // pending corrections the run found
  long angewandt = 0;                    // corrections applied (committed)
  long uebersprungen = 0;                // taken by another run meanwhile
  long offen = 0;                        // left pending (rolled back or not reached)
  std::map<std::string, int> eintraege;  // log entries written, by function
};

// The environment variable that names the metrics file.
constexpr const char* kMetrikVariable = "QV_METRICS_FILE";

// The file's text: "# HELP" and "# TYPE" lines and one sample per value,
// names prefixed "mldkorr_". Label values show bytes outside printable ASCII
// as "?" (the format wants UTF-8) and escape backslash and quote.
std::string Metrik_Text(const MetrikLauf& lauf);

// Writes `text` to `path` atomically (temporary file, sync, rename). Returns
// 0, or the error number of the failed step with `schritt` naming it
// ("oeffnen", "schreiben", "umbenennen"); the temporary file is then removed.
[[nodiscard]] int Metrik_Schreiben(const std::string& path, const std::string& text,
                                   std::string* schritt);
