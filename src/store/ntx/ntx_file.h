// One open NTX file: its handle and share mode, the header, a cache of decoded pages, page
// allocation through the free list, and the index lock that serialises the work of all
// stations on a shared index (with the update counter that tells when cached pages are stale).
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "store/dbf/os_file.h"
#include "store/ntx/ntx_header.h"
#include "store/ntx/ntx_page.h"

namespace kavrina::store::ntx {

// Sub-codes of index files beside the table driver's: the index cannot be opened / created.
constexpr int kSubOpenIndex = 1003;
constexpr int kSubCreateIndex = 1006;

// The index lock: one byte far beyond any page, never written.
constexpr std::uint64_t kIndexLockOffset = 1'000'000'000;
constexpr int kIndexLockAttempts = 1000;
// Share mode of an open index, as for tables: write lock exclusive, read lock shared.
constexpr std::uint64_t kShareSentinel = 2'000'000'001;

class NtxFile {
 public:
  // Creates the file (found in any case, else with the given spelling), or replaces it once
  // this handle holds it exclusively, with `header` and one empty root page. Raises the
  // create error (20/1006; OS code 32 while another station has it open); returns nullptr
  // when the handler lets it fail. The file is left open in the share mode asked for.
  static std::unique_ptr<NtxFile> create(const std::filesystem::path& path, NtxHeader header,
                                         bool shared);
  // Opens an existing index (found in any case) and checks its header: the open error
  // (21/1003) or nullptr when the handler lets it fail; the corruption error (32/1012).
  static std::unique_ptr<NtxFile> open(const std::filesystem::path& path, bool shared,
                                       bool readOnly);

  ~NtxFile();
  NtxFile(const NtxFile&) = delete;
  NtxFile& operator=(const NtxFile&) = delete;

  const std::filesystem::path& path() const { return path_; }
  const NtxHeader& header() const { return header_; }
  const PageGeometry& geometry() const { return header_.geometry; }
  bool isShared() const { return shared_; }
  std::uint16_t counter() const { return header_.live.counter; }

  // Takes the index lock (shared mode; nested calls only count). The outermost level re-reads
  // the header's first 12 bytes and drops the cached pages when another station changed the
  // tree. After 1000 refused attempts raises the lock error (41/1035, or 1031 when the system
  // reported an error); a Retry answer starts the attempts again, any other answer fails.
  void lock();
  void unlock();
  bool holdsLock() const { return depth_ > 0; }

  // RAII for lock()/unlock().
  class Access {
   public:
    explicit Access(NtxFile& file) : file_(file) { file_.lock(); }
    ~Access() { file_.unlock(); }
    Access(const Access&) = delete;
    Access& operator=(const Access&) = delete;

   private:
    NtxFile& file_;
  };

  std::uint32_t root() const { return header_.live.root; }
  void setRoot(std::uint32_t offset);
  std::uint32_t freeListHead() const { return header_.live.freePage; }

  // The page at `offset`, checked on its way in; raises the corruption error for an offset
  // that is not a page of the file or a page that does not decode, the read error.
  std::shared_ptr<const NtxPage> page(std::uint32_t offset);
  // Writes the page at its offset (and into the cache).
  void store(const NtxPage& page);
  // A page for new use: the head of the free list, else a new page at the end of the file.
  std::uint32_t allocate();
  // Puts a page that the tree no longer uses on the free list.
  void release(std::uint32_t offset);

  // After every key update: in shared mode the counter advances and the first 12 header
  // bytes are written at once; in exclusive mode they are written at commit or close.
  void keyUpdated();
  void commit();
  // Writes what is pending and closes; safe to call twice.
  void close();

  // For building the tree in one go: forget every page after the header.
  void resetPages();
  // Writes whole pages starting at `offset` without going through the cache.
  void writePages(std::uint64_t offset, std::span<const char> bytes);
  // The build is done: the tree's root, no free page, the file's end; header written.
  void finishBuild(std::uint32_t root, std::uint64_t fileEnd);

  [[noreturn]] void corrupt(const std::string& problem) const;
  [[noreturn]] void failIo(int gencode, int subcode, int err) const;

 private:
  NtxFile() = default;
  void refreshLiveHeader();
  void checkLiveHeader(const LiveHeader& live, std::uint64_t fileSize) const;
  void writeLiveHeader();
  std::uint64_t currentFileSize();
  void dropCache();
  void remember(std::shared_ptr<const NtxPage> page);

  std::filesystem::path path_;
  OsFile file_;
  bool shared_ = false;
  bool readOnly_ = false;
  NtxHeader header_;
  bool headerDirty_ = false;
  int depth_ = 0;
  // Where a new page goes: the end of the file as last seen, rounded up to a page.
  std::uint64_t fileEnd_ = 0;
  std::uint64_t sizeSeen_ = 0;
  // Decoded pages, direct-mapped by page number: a page takes the slot of its number modulo
  // the slot count, so a lookup is one index. Dropping the cache starts a new generation;
  // slots of older generations count as empty.
  struct Slot {
    std::shared_ptr<const NtxPage> page;
    std::uint64_t generation = 0;
  };
  std::vector<Slot> cache_;
  std::uint64_t generation_ = 1;
};

}  // namespace kavrina::store::ntx
