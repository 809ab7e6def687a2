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

#include "common/os_file.h"
#include "store/ntx/ntx_header.h"
#include "store/ntx/ntx_page.h"

namespace kavrina::store::ntx {

// Sub-codes of index files beside the table driver's: the index cannot be opened / created.
constexpr int kSubOpenIndex = 1003;
constexpr int kSubCreateIndex = 1006;

class NtxFile {
 public:
  // Creates the index file (found in any case, else with the given spelling) with `header`
  // and one empty root page, written aside and renamed over an existing file, which is first
  // held exclusively. Raises the create error (20/1006), or the open error with OS code 32
  // (21/1003, which may fail softly) while another station has the file open; returns
  // nullptr when the handler lets it fail. The file is left open in the share mode asked for.
  static std::unique_ptr<NtxFile> create(const std::filesystem::path& path, NtxHeader header,
                                         bool shared);
  // The same, but the new file stays aside, unseen under the real name, until publish(): the
  // caller builds its tree first. Closed unpublished, the aside file is removed and the old
  // file (held meanwhile) is as it was.
  static std::unique_ptr<NtxFile> createAside(const std::filesystem::path& path, NtxHeader header,
                                              bool shared);
  // Gives the aside file the real name (after a flush), then takes the share mode asked for.
  // True when done; false when the index did not exist at createAside() and another station
  // created it meanwhile: then the aside file is dropped and this object is closed. Raises
  // the write error.
  bool publish();
  // Opens an existing index (found in any case) and checks its header: the open error
  // (21/1003) or nullptr when the handler lets it fail; the corruption error (32/1012).
  static std::unique_ptr<NtxFile> open(const std::filesystem::path& path, bool shared,
                                       bool readOnly);

  ~NtxFile();
  NtxFile(const NtxFile&) = delete;
  NtxFile& operator=(const NtxFile&) = delete;

  const std::filesystem::path& path() const { return path_; }
  bool isOpen() const { return file_.isOpen(); }
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
  // While on, a page that is not in the cache is read with the pages after it in one block,
  // for a walk over the whole tree (a check, under the index lock). Off drops the block.
  void setBlockReads(bool on);
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

  // For building the tree in one go: forget every page after the header. When no other
  // station has the index open, the new tree goes to a file beside it, which finishBuild()
  // renames over it; otherwise (a shared index in use) it is rebuilt in place under the index
  // lock.
  void resetPages();
  // Writes whole pages starting at `offset` without going through the cache.
  void writePages(std::uint64_t offset, std::span<const char> bytes);
  // The build is done: the tree's root, no free page, the file's end; header written, and a
  // tree built aside takes the index's name.
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
  // Starts a new file beside the index holding the header; file_ becomes that file and the
  // old handle (if any) is kept, holding the old file, until publishing. Returns errno.
  int startAside();
  void discardAside() noexcept;
  bool building() const { return !asidePath_.empty(); }

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
  // Raw pages read in one block while block reads are on; valid in the generation they were
  // read in and until the next write.
  bool blockReads_ = false;
  std::vector<char> block_;
  std::uint64_t blockStart_ = 0;
  std::uint64_t blockGeneration_ = 0;

  // While a new file is being written aside: its name, whether it replaces the file under
  // the real name (false when there was none), and the old file, held until then.
  std::filesystem::path asidePath_;
  bool replaceOnPublish_ = true;
  OsFile heldOriginal_;
};

}  // namespace kavrina::store::ntx
