// A station of its own for the multi-process tests: each run is a separate process that
// opens the table itself. Commands:
//   append FILE WRITER COUNT         append COUNT records (Writer, Seq), each committed
//   hold FILE exclusive|shared READY RELEASE   open, create READY, wait for RELEASE, close
//   tryopen FILE exclusive|shared    exit 0 when the open succeeds, 3 for 21/32, 4 otherwise
//   write FILE RECNO VALUE           lock the record, store VALUE in Seq, commit
//   lockhold FILE RECNO READY RELEASE  lock the record, create READY, wait for RELEASE, unlock
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "errors/error.h"
#include "store/dbf/dbf_table.h"

using namespace kavrina;

namespace {

store::OpenOptions modeOf(const std::string& mode) {
  return {.shared = mode != "exclusive", .readOnly = false};
}

int appendRecords(const std::string& file, int writer, int count) {
  // Another station holding the new record's number answers "retry", as the handler may.
  errors::setErrorHandler([](errors::Error& e) {
    if (e.GENCODE == errors::gen::kAppendLock) return errors::ErrorAnswer::Retry;
    throw e;
  });
  auto t = store::DbfTable::open(file, {.shared = true});
  for (int i = 1; i <= count; ++i) {
    if (!t->append(true)) return 5;
    t->putNumber("Writer", writer);
    t->putNumber("Seq", i);
    t->unlock();
    t->commit();
  }
  t->close();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string command = argv[1];
  const std::string file = argv[2];
  try {
    if (command == "append" && argc == 5)
      return appendRecords(file, std::stoi(argv[3]), std::stoi(argv[4]));
    if (command == "hold" && argc == 6) {
      auto t = store::DbfTable::open(file, modeOf(argv[3]));
      std::FILE* ready = std::fopen(argv[4], "w");
      if (ready) std::fclose(ready);
      for (int i = 0; i < 60000 && !std::filesystem::exists(argv[5]); ++i) ::usleep(1000);
      t->close();
      return 0;
    }
    if (command == "lockhold" && argc == 6) {
      auto t = store::DbfTable::open(file, {.shared = true});
      if (!t->lockRecord(static_cast<std::uint32_t>(std::stoul(argv[3])))) return 6;
      std::FILE* ready = std::fopen(argv[4], "w");
      if (ready) std::fclose(ready);
      for (int i = 0; i < 60000 && !std::filesystem::exists(argv[5]); ++i) ::usleep(1000);
      t->unlock();
      t->close();
      return 0;
    }
    if (command == "tryopen" && argc == 4) {
      auto t = store::DbfTable::open(file, modeOf(argv[3]));
      return t ? 0 : 4;
    }
    if (command == "write" && argc == 5) {
      auto t = store::DbfTable::open(file, {.shared = true});
      t->goTo(static_cast<std::uint32_t>(std::stoul(argv[3])));
      if (!t->lockRecord()) return 6;
      t->putNumber("Seq", std::stod(argv[4]));
      t->unlock();
      t->commit();
      t->close();
      return 0;
    }
  } catch (const errors::Error& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return e.GENCODE == errors::gen::kOpen && e.OSCODE == errors::os::kSharingViolation ? 3 : 4;
  }
  return 2;
}
