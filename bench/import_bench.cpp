// Importing a register of assets from CSV (kavrina-cli uvoz's core) beside the table engine
// appending the same records directly, each in a program folder of its own.
//   import_bench csv FILE N        writes a CSV file of N assets (semicolons, decimal comma)
//   import_bench import DIR FILE   imports FILE into DIR's register
//   import_bench direct DIR N      appends the same N assets to DIR's register directly
// Each run prints seconds=..., assets=... and peak_mb=...
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#include "bench_support.h"
#include "common/decimal.h"
#include "import/asset_import.h"
#include "store/database.h"
#include "store/rec_lock.h"

namespace {

using namespace kavrina;

// The asset of number n, the same for the CSV file and the direct appends.
store::AssetRecord assetOf(int n, std::mt19937& rng) {
  std::uniform_int_distribution<int> y(2005, 2024), m(1, 12), d(1, 28), group(1, 5), pct(5, 24);
  std::uniform_int_distribution<long long> cents(100'000, 90'000'000);
  store::AssetRecord r;
  r.InvBr = std::to_string(n);
  r.Naziv = "Sredstvo " + std::to_string(n);
  r.DatumN = Date::fromYmd(y(rng), m(rng), d(rng));
  r.Dobavljac = "Dobavljac " + std::to_string(n % 97);
  r.Dokument = "Racun " + std::to_string(n);
  r.RAOsn = static_cast<double>(cents(rng)) / 100;
  r.PAOsn = r.RAOsn;
  r.RAStopa = pct(rng);
  r.RAtip = 1 + n % 2;
  r.PAgrupa = group(rng);
  r.PAStopa = reg::groupRate(r.PAgrupa);
  r.Kolicina = 1;
  r.ODeo = n % 10;
  r.Konto = 200 + n % 50;
  r.DuzKonta = 4;  // typed with a leading zero
  return r;
}

std::string amountText(double value) {
  std::string text = formatFixed(value, 2);
  text[text.size() - 3] = ',';
  return text;
}

void report(bench::Clock::time_point start, std::size_t assets) {
  std::printf("seconds=%.3f\nassets=%zu\npeak_mb=%ld\n", bench::secondsSince(start), assets,
              bench::peakMegabytes());
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "csv" && argc == 4) {
    std::ofstream out(argv[2], std::ios::binary);
    out << "InvBr;Naziv;DatumN;Dobavljac;Dokument;RAOsn;PAOsn;RAStopa;RAtip;PAgrupa;Kolicina;"
           "ODeo;Konto\n";
    std::mt19937 rng(2024);
    const int n = std::stoi(argv[3]);
    for (int i = 1; i <= n; ++i) {
      const store::AssetRecord r = assetOf(i, rng);
      out << r.InvBr << ';' << r.Naziv << ';' << r.DatumN.toText() << ';' << r.Dobavljac << ';'
          << r.Dokument << ';' << amountText(r.RAOsn) << ';' << amountText(r.PAOsn) << ';'
          << r.RAStopa << ';' << r.RAtip << ';' << r.PAgrupa << ";1;" << r.ODeo << ';'
          << reg::kontoText(r.Konto, r.DuzKonta) << '\n';
    }
    return out ? 0 : 1;
  }
  if ((mode == "import" || mode == "direct") && argc == 4) {
    store::Program program;
    const std::string argument = std::filesystem::absolute(argv[3]).string();
    bench::enterProgramFolder(argv[2], program);
    store::DBOPENALL(program);
    const auto start = bench::Clock::now();
    if (mode == "import") {
      const import::ImportResult result = import::importAssetFile(program, argument, false);
      if (!result.written) {
        std::fprintf(stderr, "import failed: %s (%zu bad)\n", result.failure.c_str(),
                     result.bad.size());
        return 1;
      }
      report(start, result.assets);
    } else {
      // The table engine alone: the same records appended, locked, filled and committed in
      // the same rhythm, without reading or checking a file.
      const int n = std::stoi(argument.substr(argument.find_last_of('/') + 1));
      std::mt19937 rng(2024);
      program.areas.select("MDOS");
      store::DbfTable& table = program.areas["MDOS"];
      for (int i = 1; i <= n; ++i) {
        const store::AssetRecord r = assetOf(i, rng);
        if (!table.append(true)) return 1;
        if (store::REC_LOCK(program, 0, "MDOS")) reg::putAssetFields(table, r);
        table.unlock();
        if (i % 1000 == 0) table.commit();
      }
      table.commit();
      report(start, static_cast<std::size_t>(n));
    }
    program.areas.closeAll();
    return 0;
  }
  std::fprintf(stderr, "usage: import_bench csv FILE N | import DIR FILE | direct DIR N\n");
  return 2;
}
