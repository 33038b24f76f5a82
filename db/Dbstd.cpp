#include "db/Dbstd.h"

#include "db/DbDb.h"
#include "db/DbStatus.h"

int Fzu_MldRead(FzuSatz& e) {
  DbZeile z;
  int st = Db_ReadOne("Fzu_MldRead",
                      "select FzuFcd,FzuMld,FzuBez,FzuTxt,FzuArt,FzuObj,FzuUpl,FzuGen,FzuZf1,"
                      "FzuZf2,FzuZf3,FzuSta,FzuErf from Qvt553Fzu where FzuMld=:b0",
                      {DbText(e.FzuMld)}, z);
  if (st != DB_OK) return st;
  e.FzuFcd = DbZeileText(z, 0);
  e.FzuMld = DbZeileText(z, 1);
  e.FzuBez = DbZeileText(z, 2);
  e.FzuTxt = DbZeileText(z, 3);
  e.FzuArt = DbZeileInt(z, 4);
  e.FzuObj = DbZeileInt(z, 5);
  e.FzuUpl = DbZeileInt(z, 6);
  e.FzuGen = DbZeileInt(z, 7);
  e.FzuZf1 = DbZeileText(z, 8);
  e.FzuZf2 = DbZeileText(z, 9);
  e.FzuZf3 = DbZeileText(z, 10);
  e.FzuSta = static_cast<short>(DbZeileInt(z, 11));
  e.FzuErf = DbZeileText(z, 12);
  return DB_OK;
}

int Nzp_PKeyReadk(NzpSatz& r) {
  DbZeile z;
  int st = Db_ReadOne("Nzp_PKeyReadk",
                      "select NzpAkz,TO_CHAR(NzpGvn,'yyyymmdd'),TO_CHAR(NzpGbi,'yyyymmdd'),"
                      "NzpAak,NzpAwt,NzpKjh,NzpKmn,NzpKwo,NzpKtg,NzpAan,NzpVfh,NzpNfh,NzpAus,"
                      "NzpMrk from Qvt591Nzp where ((NzpAkz=:b0 and NzpGvn<trunc(sysdate)) and "
                      "NzpGbi>trunc(sysdate))",
                      {DbInt(r.NzpAkz)}, z);
  if (st != DB_OK) return st;
  size_t i = 0;
  r.NzpAkz = DbZeileInt(z, i++);
  r.NzpGvn = DbZeileText(z, i++);
  r.NzpGbi = DbZeileText(z, i++);
  int* nums[] = {&r.NzpAak, &r.NzpAwt, &r.NzpKjh, &r.NzpKmn, &r.NzpKwo,
                 &r.NzpKtg, &r.NzpAan, &r.NzpVfh, &r.NzpNfh};
  for (int* n : nums) *n = DbZeileInt(z, i++);
  r.NzpAus = DbZeileText(z, i++);
  r.NzpMrk = DbZeileInt(z, i++);
  return DB_OK;
}
