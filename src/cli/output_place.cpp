#include "cli/output_place.h"

#include "common/output_target.h"

namespace kavrina::cli {

std::optional<std::string> refuseOutputPlace(const std::filesystem::path& target,
                                             const std::filesystem::path& programFolder,
                                             bool presnimi) {
  const output::Target place = output::checkTarget(target, programFolder);
  if (output::mayWrite(place, presnimi)) return std::nullopt;
  std::string text = output::refusalText(place, target, programFolder);
  if (place == output::Target::RegularFile)
    text += "\nDa bi ga presnimili, navedite opciju --presnimi.";
  return text;
}

}  // namespace kavrina::cli
