#include "common/output_target.h"

#include <cerrno>
#include <cstring>
#include <system_error>

namespace kavrina::output {

namespace fs = std::filesystem;

namespace {

std::string notWritable(const fs::path& target) {
  return "Fajl " + target.string() + " nije dostupan za pisanje.";
}

std::string folderOf(const fs::path& target) {
  const fs::path folder = target.parent_path();
  return folder.empty() ? std::string(".") : folder.string();
}

}  // namespace

fs::path resolvedPath(const fs::path& path) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(path, ec);
  if (ec) return path.lexically_normal();
  fs::path out = fs::weakly_canonical(absolute, ec);
  return ec ? absolute.lexically_normal() : out;
}

bool isInsideFolder(const fs::path& candidate, const fs::path& folder) {
  const fs::path inner = resolvedPath(candidate);
  const fs::path outer = resolvedPath(folder);
  auto i = inner.begin();
  for (const fs::path& part : outer) {
    if (part.empty()) continue;  // a trailing "/"
    while (i != inner.end() && i->empty()) ++i;
    if (i == inner.end() || *i != part) return false;
    ++i;
  }
  return true;
}

Target checkTarget(const fs::path& target, const fs::path& programFolder) {
  if (!programFolder.empty() && isInsideFolder(target, programFolder)) return Target::InDataFolder;
  std::error_code ec;
  const fs::file_status own = fs::symlink_status(target, ec);
  // A name that cannot even be looked at is left to the open, which names the cause.
  if (own.type() == fs::file_type::not_found || own.type() == fs::file_type::none) {
    const fs::path folder = target.parent_path();
    return fs::is_directory(folder.empty() ? fs::path(".") : folder, ec) ? Target::Free
                                                                         : Target::NoFolder;
  }
  if (fs::is_regular_file(own)) return Target::RegularFile;
  // A link counts by what it points to; one pointing nowhere is no file to replace.
  if (fs::is_symlink(own) && fs::is_regular_file(fs::status(target, ec)))
    return Target::RegularFile;
  return Target::NotAFile;
}

bool mayWrite(Target target, bool replace) {
  return target == Target::Free || (target == Target::RegularFile && replace);
}

std::string refusalText(Target refused, const fs::path& target, const fs::path& programFolder) {
  switch (refused) {
    case Target::Free:
      return {};
    case Target::RegularFile:
      return "Fajl: " + target.string() + " vec postoji.";
    case Target::NotAFile:
      return "Nije moguce snimanje na " + target.string() +
             ":\nto nije obican fajl (folder, uredjaj, imenovana cev ili veza bez fajla).";
    case Target::InDataFolder:
      return "Nije moguce snimanje fajla u radnom folderu programa.\nProgramski folder: " +
             programFolder.string();
    case Target::NoFolder:
      return notWritable(target) + "\nFolder ne postoji: " + folderOf(target);
  }
  return {};
}

std::string overwriteQuestion(const fs::path& target) {
  return "Fajl: " + target.string() + " vec postoji.\n\nZelite li da ga presnimite?";
}

std::string writeErrorText(int error, const fs::path& target) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return "Nema dovoljno mesta na disku za fajl " + target.string() + ".";
    case EROFS:
      return notWritable(target) + "\nDisk je zasticen od upisa.";
    case EACCES:
    case EPERM:
      return notWritable(target);
    case EEXIST:
      return refusalText(Target::RegularFile, target, {});
    case ENOENT:
    case ENOTDIR:
      return refusalText(Target::NoFolder, target, {});
    case ESTALE:
      return notWritable(target) +
             "\nPrivremeni fajl pored njega je u medjuvremenu zamenjen ili obrisan.";
    default:
      return notWritable(target) + "\nGreska sistema: " + std::strerror(error);
  }
}

std::string folderFlushWarning(int error, const fs::path& target) {
  return "Upozorenje: fajl " + target.string() + " je snimljen, ali folder " + folderOf(target) +
         " nije potvrdio upis na disk (" + std::strerror(error) + ").";
}

}  // namespace kavrina::output
