// Table benchmark: writes an asset register of N records with the MDOS structure, reads
// every field of every record back, and times shared appends with their commits.
//   dbf_bench write FILE N      writes the table (exclusive), prints records/s
//   dbf_bench read FILE         reads every field of every record, prints records/s
//   dbf_bench scan FILE         the same as a snapshot scan (blocks read ahead)
//   dbf_bench shared FILE N     N shared appends, each unlocked and committed
#include <chrono>
#include <cstdio>
#include <string>

#include "store/dbf/dbf_table.h"
#include "store/schema.h"

using namespace kavrina;
using SteadyClock = std::chrono::steady_clock;

namespace {

double secondsSince(SteadyClock::time_point start) {
  return std::chrono::duration<double>(SteadyClock::now() - start).count();
}

struct Fields {
  explicit Fields(store::DbfTable& t)
      : invBr(t.fieldIndex("InvBr")),
        naziv(t.fieldIndex("Naziv")),
        datumN(t.fieldIndex("DatumN")),
        datumO(t.fieldIndex("DatumO")),
        dobavljac(t.fieldIndex("Dobavljac")),
        dokument(t.fieldIndex("Dokument")),
        raOsn(t.fieldIndex("RAOsn")),
        paOsn(t.fieldIndex("PAOsn")),
        ispVr(t.fieldIndex("IspVr")),
        pkvt(t.fieldIndex("PKVT")),
        raStopa(t.fieldIndex("RAStopa")),
        raTip(t.fieldIndex("RAtip")),
        paStopa(t.fieldIndex("PAStopa")),
        paGrupa(t.fieldIndex("PAgrupa")),
        oDeo(t.fieldIndex("ODeo")),
        kolicina(t.fieldIndex("Kolicina")),
        konto(t.fieldIndex("Konto")),
        duzKonta(t.fieldIndex("DuzKonta")) {}
  int invBr, naziv, datumN, datumO, dobavljac, dokument, raOsn, paOsn, ispVr, pkvt, raStopa, raTip,
      paStopa, paGrupa, oDeo, kolicina, konto, duzKonta;
};

void fillAsset(store::DbfTable& t, const Fields& f, long i) {
  t.putString(f.invBr, std::to_string(i));
  t.putString(f.naziv, "Sredstvo " + std::to_string(i % 977));
  t.putDate(f.datumN, Date::fromYmd(2000 + static_cast<int>(i % 26), 1 + static_cast<int>(i % 12),
                                    1 + static_cast<int>(i % 28)));
  if (i % 10 == 0) t.putDate(f.datumO, Date::fromYmd(2025, 6, 30));
  t.putString(f.dobavljac, "Dobavljac d.o.o.");
  t.putString(f.dokument, "Racun " + std::to_string(i % 10007));
  t.putNumber(f.raOsn, 1000.0 + static_cast<double>(i % 100000) * 12.345);
  t.putNumber(f.paOsn, 1000.0 + static_cast<double>(i % 100000) * 12.345);
  t.putNumber(f.ispVr, static_cast<double>(i % 1000) * 1.5);
  t.putNumber(f.pkvt, 10);
  t.putNumber(f.raStopa, 10);
  t.putNumber(f.raTip, 1 + i % 4);
  t.putNumber(f.paStopa, 15);
  t.putNumber(f.paGrupa, 1 + i % 5);
  t.putNumber(f.oDeo, i % 100);
  t.putNumber(f.kolicina, 1);
  t.putNumber(f.konto, 220);
  t.putNumber(f.duzKonta, 3);
}

int write(const std::string& file, long n) {
  store::DbfTable::create(file, store::schema::mdos());
  auto t = store::DbfTable::open(file, {.shared = false});
  Fields f(*t);
  auto start = SteadyClock::now();
  for (long i = 1; i <= n; ++i) {
    t->append();
    fillAsset(*t, f, i);
  }
  t->close();
  double s = secondsSince(start);
  std::printf("write: %ld records in %.3f s = %.0f records/s\n", n, s, n / s);
  return 0;
}

int read(const std::string& file, bool snapshot) {
  auto t = store::DbfTable::open(file, {.shared = true, .readOnly = true});
  // A list or a report reads in one pass as a snapshot scan (blocks read ahead); without it a
  // shared table reads each record from the file when it reaches it.
  t->setSnapshotScan(snapshot);
  Fields f(*t);
  auto start = SteadyClock::now();
  long n = 0;
  double sum = 0;
  std::size_t chars = 0;
  for (t->goTop(); !t->eof(); t->skip()) {
    ++n;
    for (int c : {f.invBr, f.naziv, f.dobavljac, f.dokument}) chars += t->getText(c).size();
    sum += t->getDate(f.datumN).day() + t->getDate(f.datumO).day();
    for (int c : {f.raOsn, f.paOsn, f.ispVr, f.pkvt, f.raStopa, f.raTip, f.paStopa, f.paGrupa,
                  f.oDeo, f.kolicina, f.konto, f.duzKonta})
      sum += t->getNumber(c);
  }
  double s = secondsSince(start);
  std::printf("read: %ld records, every field, in %.3f s = %.0f records/s (checksum %.3f/%zu)\n", n,
              s, n / s, sum, chars);
  std::printf("read_seconds=%.6f\n", s);
  return 0;
}

int shared(const std::string& file, long n) {
  auto t = store::DbfTable::open(file, {.shared = true});
  Fields f(*t);
  auto start = SteadyClock::now();
  for (long i = 1; i <= n; ++i) {
    t->append(true);
    fillAsset(*t, f, i);
    t->unlock();
    t->commit();
  }
  double s = secondsSince(start);
  t->close();
  std::printf("shared append + commit: %ld records in %.3f s = %.1f us per record\n", n, s,
              s / n * 1e6);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && std::string(argv[1]) == "write") return write(argv[2], std::stol(argv[3]));
  if (argc >= 3 && std::string(argv[1]) == "read") return read(argv[2], false);
  if (argc >= 3 && std::string(argv[1]) == "scan") return read(argv[2], true);
  if (argc >= 4 && std::string(argv[1]) == "shared") return shared(argv[2], std::stol(argv[3]));
  std::fprintf(stderr, "usage: dbf_bench write FILE N | read FILE | scan FILE | shared FILE N\n");
  return 2;
}
