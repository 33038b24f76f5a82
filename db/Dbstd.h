// Master data: function codes, evaluation parameters, orders, workplaces,
// persons and shift models.
#pragma once

#include <string>

// Function-code entry of a message kind (Qvt553Fzu).
struct FzuSatz {
  std::string FzuFcd;
  std::string FzuMld;  // message kind; the key the program reads by
  std::string FzuBez;
  std::string FzuTxt;  // object type given to messages of this kind
  int FzuArt = 0;
  int FzuObj = 0;
  int FzuUpl = 0;  // 1: messages of this kind are reported to production planning
  int FzuGen = 0;
  std::string FzuZf1, FzuZf2, FzuZf3;
  int FzuSta = 0;
  std::string FzuErf;
};

// Evaluation parameter row (Qvt591Nzp); dates as "yyyymmdd".
struct NzpSatz {
  int NzpAkz = 0;  // parameter key
  std::string NzpGvn;
  std::string NzpGbi;
  int NzpAak = 0;  // evaluation active
  int NzpAwt = 0, NzpKjh = 0, NzpKmn = 0, NzpKwo = 0, NzpKtg = 0, NzpAan = 0, NzpVfh = 0,
      NzpNfh = 0;
  std::string NzpAus;
  int NzpMrk = 0;  // markers on
};

// Reads the entry whose FzuMld equals entry.FzuMld. 0: entry filled; 1403 no
// entry; negative on failure. The entry is unchanged unless 0.
int Fzu_MldRead(FzuSatz& entry);

// Reads the parameter row of key row.NzpAkz that is valid today (valid-from
// before today, valid-to after today, both at midnight). 0: row filled;
// 1403 none valid; -1422 more than one valid; the row unchanged unless 0.
int Nzp_PKeyReadk(NzpSatz& row);
