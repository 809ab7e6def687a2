// Moving the finished archive to the place the user chose, which may lie on another file
// system (a USB stick, a network mount) where a rename cannot reach.
#pragma once

#include <filesystem>
#include <functional>

namespace kavrina::store::archive {

// Moves `from` to `to`. On one file system by a rename. Across file systems (the rename
// fails with EXDEV) by a copy written aside in `to`'s folder, checked to hold as many bytes
// as `from`, flushed to disk, renamed to `to`, and only then is `from` removed. An existing
// `to` is replaced only with `replace` (EEXIST otherwise); until the new file is whole under
// `to`, a file already there stays as it was, and on any failure `from` stays. A `to` that
// is not a regular file (nor a link to one) is never replaced: EPERM. `between` is
// called between the blocks of a copy (to let window events run). Returns errno: 0 when `to`
// holds the archive and `from` is gone.
int moveArchive(const std::filesystem::path& from, const std::filesystem::path& to, bool replace,
                const std::function<void()>& between = {});

}  // namespace kavrina::store::archive
