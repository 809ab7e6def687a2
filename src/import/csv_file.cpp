// Reading an import's CSV file whole, within bounds.
#include "import/csv_file.h"

#include "import/whole_file.h"

namespace kavrina::import {

std::string readCsvFile(const std::string& file, std::string& bytes) {
  switch (readWholeFile(file, kMaxCsvBytes, bytes)) {
    case WholeFileFault::None:
      return {};
    case WholeFileFault::Unreadable:
      break;
    case WholeFileFault::Folder:
      return "Zadat je folder " + file + ", a ne CSV fajl.";
    case WholeFileFault::NotRegular:
      return "Fajl " + file +
             " nije obican fajl sa podacima (uredjaj, cev ili slicno); uvozi se "
             "samo CSV fajl.";
    case WholeFileFault::TooBig:
      return "Fajl " + file + " je veci od " + std::to_string(kMaxCsvBytes / (1024 * 1024)) +
             " MB, sto nijedan registar ne dostize; nista nije uvezeno.";
  }
  return "Fajl " + file + " ne moze da se procita.";
}

}  // namespace kavrina::import
