// The process's memory for lists the size of a register: a list let go is taken again
// without the kernel faulting its pages in anew, and goes back to the system on request.
#include "common/process_memory.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <fstream>

namespace kavrina {
namespace {

long minorFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

long residentBytes() {
  long size = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> size >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}

constexpr std::size_t kList = std::size_t{64} << 20;
constexpr std::size_t kPage = 4096;

// A list of kList bytes with every page written, as filling a list does.
char* filledList() {
  auto* list = static_cast<char*>(std::malloc(kList));
  volatile char* pages = list;
  for (std::size_t at = 0; at < kList; at += kPage) pages[at] = 1;
  return list;
}

// Faults of filling a list again after one of the same size was filled and let go.
long faultsOfTheSecondList() {
  std::free(filledList());
  const long before = minorFaults();
  char* again = filledList();
  const long faults = minorFaults() - before;
  std::free(again);
  return faults;
}

TEST(ProcessMemory, AListLetGoIsTakenAgainWithoutFaultsAndGivenBackOnRequest) {
  memory::prepareForLargeLists();
  const long fewFaults = static_cast<long>(kList / kPage / 20);
  EXPECT_LT(faultsOfTheSecondList(), fewFaults) << "of " << kList / kPage << " pages";

  char* list = filledList();
  std::free(list);
  const long resident = residentBytes();
  memory::releaseFreedMemory();
  EXPECT_LT(residentBytes(), resident - static_cast<long>(kList / 2))
      << "the freed list stays with the process";

  // The release sets the room aside again for the next calculation.
  EXPECT_LT(faultsOfTheSecondList(), fewFaults) << "after the release";
}

}  // namespace
}  // namespace kavrina
