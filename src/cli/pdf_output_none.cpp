// PDF output of `stampa` in a build without Qt: the page replay that writes PDF is not there.
#include "cli/stampa.h"

namespace kavrina::cli {

std::optional<std::string> savePdf(const reports::PageDocument&, const std::filesystem::path&,
                                   const std::filesystem::path&, bool, std::string&) {
  return "Stampa u PDF nije dostupna: kavrina-cli je preveden bez Qt.";
}

}  // namespace kavrina::cli
