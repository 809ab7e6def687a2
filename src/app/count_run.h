// A count's differences from start to end, shared by the window and kavrina-cli: the
// scanner files read, the register read, the comparison, its sections, and the CSV file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/date.h"
#include "reports/count_document.h"
#include "store/program.h"

namespace kavrina::app {

struct CountRun {
  reports::CountDifferences differences;
  std::vector<reports::CountSection> sections;
};

// Reads the scanner `files` and the register (AOSNOVNASREDSTVA loaded, with the filter the
// count is taken for) and compares them for a count on `date`. A file that cannot be read
// is told in an error box and answers no value. Changes nothing in the register.
std::optional<CountRun> runCount(store::Program& program,
                                 const std::vector<std::filesystem::path>& files, Date date);

// "Pronadjeno: 12, manjak: 1, visak: 2, skenirano vise puta: 0" (and ", na drugoj
// lokaciji: N" when the files named locations), and on a line of its own how many lines
// could not be read, when any.
std::string countSummary(const reports::CountDifferences& differences);

// Writes the sections as CSV to `target` (outside the program folder, over an existing
// regular file only with `replace`). Answers no value when it lies complete under its name,
// otherwise the message saying why not.
std::optional<std::string> writeCountCsv(const std::vector<reports::CountSection>& sections,
                                         const std::filesystem::path& target,
                                         const std::filesystem::path& programFolder, bool replace);

}  // namespace kavrina::app
