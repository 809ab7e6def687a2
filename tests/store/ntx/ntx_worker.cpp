// A station of its own for the index tests with several processes. Commands:
//   append DBF NTX WRITER COUNT   append COUNT assets numbered WRITER × 10000 + i, shared,
//                                 with the index attached, each one committed
//   reader DBF NTX READY GO WRITERS COUNT
//                                 attach and read the index, create READY, wait for GO, then
//                                 seek every number the writers wrote and walk the order
//   hold NTX READY RELEASE        hold the index lock byte until RELEASE exists
// Exit code 0 on success; 1 with a message on stderr otherwise.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "common/os_file.h"
#include "errors/error.h"
#include "store/dbf/dbf_table.h"
#include "store/ntx/ntx_file.h"
#include "store/ntx/ntx_order.h"

using namespace kavrina;

namespace {

bool waitFor(const std::string& path) {
  for (int i = 0; i < 60000; ++i) {
    if (std::filesystem::exists(path)) return true;
    ::usleep(1000);
  }
  return false;
}

void touch(const std::string& path) {
  if (std::FILE* f = std::fopen(path.c_str(), "w")) std::fclose(f);
}

long numberOf(int writer, int i) {
  return writer * 10000L + i;
}

std::unique_ptr<store::DbfTable> openWithIndex(const std::string& dbf, const std::string& ntx) {
  auto t = store::DbfTable::open(dbf, {.shared = true});
  if (!t || !store::ntx::attachIndex(*t, ntx)) return nullptr;
  t->setHideDeleted(true);
  return t;
}

int append(const std::string& dbf, const std::string& ntx, int writer, int count) {
  // Busy stations answer "retry", as the program's handler may for locks.
  errors::setErrorHandler([](errors::Error& e) {
    if (e.GENCODE == errors::gen::kAppendLock || e.GENCODE == errors::gen::kLock)
      return errors::ErrorAnswer::Retry;
    throw e;
  });
  auto t = openWithIndex(dbf, ntx);
  if (!t) return 1;
  for (int i = 1; i <= count; ++i) {
    if (!t->append(true)) return 1;
    t->putString("InvBr", std::to_string(numberOf(writer, i)));
    t->putNumber("Kolicina", writer);
    t->unlock();
    t->commit();
  }
  t->close();
  return 0;
}

int reader(const std::string& dbf, const std::string& ntx, const std::string& ready,
           const std::string& go, int writers, int count) {
  auto t = openWithIndex(dbf, ntx);
  if (!t) return 1;
  // Read the tree as it is now, so that its pages are cached before the others write.
  t->goTop();
  t->goBottom();
  touch(ready);
  if (!waitFor(go)) return 1;
  int missing = 0;
  for (int w = 1; w <= writers; ++w) {
    for (int i = 1; i <= count; ++i) {
      const long n = numberOf(w, i);
      if (!t->seek(double(n)) || std::stol(t->getString("InvBr")) != n) {
        if (++missing <= 5) std::fprintf(stderr, "key %ld not found\n", n);
      }
    }
  }
  long previous = -1;
  int walked = 0;
  for (t->goTop(); !t->eof(); t->skip(1)) {
    const long n = std::stol(t->getString("InvBr"));
    if (n <= previous) {
      std::fprintf(stderr, "order broken: %ld after %ld\n", n, previous);
      return 1;
    }
    previous = n;
    ++walked;
  }
  if (walked != writers * count) {
    std::fprintf(stderr, "walked %d records, expected %d\n", walked, writers * count);
    return 1;
  }
  return missing == 0 ? 0 : 1;
}

int hold(const std::string& ntx, const std::string& ready, const std::string& release) {
  OsFile file;
  if (file.open(ntx, OsFile::Access::ReadWrite) != 0) return 1;
  if (file.tryLock(locks::kIndex, 1, LockKind::Write) != LockResult::Taken) return 1;
  touch(ready);
  return waitFor(release) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string command = argv[1];
  try {
    if (command == "append" && argc == 6)
      return append(argv[2], argv[3], std::stoi(argv[4]), std::stoi(argv[5]));
    if (command == "reader" && argc == 8)
      return reader(argv[2], argv[3], argv[4], argv[5], std::stoi(argv[6]), std::stoi(argv[7]));
    if (command == "hold" && argc == 5) return hold(argv[2], argv[3], argv[4]);
  } catch (const errors::Error& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 2;
}
