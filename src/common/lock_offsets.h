// The byte ranges the program locks in its files. All lie far beyond any data, so they are
// never written, and every station uses the same numbers for tables, memo files and indexes.
#pragma once

#include <cstdint>

namespace kavrina::locks {

// A table's or a memo file's append lock; in an index file the same byte is the index lock.
constexpr std::uint64_t kAppend = 1'000'000'000;
constexpr std::uint64_t kIndex = kAppend;
// Record n of a table locks the byte kRecordBase + n.
constexpr std::uint64_t kRecordBase = 1'000'000'000;
// The lock of a whole table: every record's byte at once.
constexpr std::uint64_t kFileStart = 1'000'000'001;
constexpr std::uint64_t kFileLength = 1'000'000'000;
// The share mode of an open file: locked for writing by an exclusive open and for reading by
// a shared one, so that an exclusive open denies every other open.
constexpr std::uint64_t kShareMode = 2'000'000'001;
// An import into the asset table (MDOS.dbf) holds this byte for writing from its check of the
// inventory numbers against the register to its last record, so that imports from two
// stations run one after the other.
constexpr std::uint64_t kImport = 2'000'000'002;

// Waiting for a lock another station holds: this many attempts, this far apart.
constexpr int kAttempts = 1000;
constexpr unsigned kPauseMicros = 1000;

}  // namespace kavrina::locks
