// What the command that opens the database decides on each outcome of the store's opening:
// which message the user sees and whether the program ends.
#include "commands/open_database.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "errors/end_program.h"
#include "support/scripted_ui.h"

namespace kavrina::commands {
namespace {

using State = store::OpenOutcome::State;

struct OutcomeCase {
  const char* name;
  store::OpenOutcome outcome;
  std::optional<int> exitCode;  // nothing: the program goes on
  std::vector<std::string> shown;
};

store::OpenOutcome unusable(store::IndexAttach how, const char* file) {
  store::OpenOutcome out;
  out.state = State::IndexUnusable;
  out.index = how;
  out.indexFile = file;
  return out;
}

store::OpenOutcome refusedCheck() {
  store::OpenOutcome out;
  out.state = State::StructureCheckRefused;
  return out;
}

class EndUnlessOpened : public ::testing::TestWithParam<OutcomeCase> {};

TEST_P(EndUnlessOpened, ShowsWhatHappenedAndEndsUnlessTheTablesAreOpen) {
  const OutcomeCase& c = GetParam();
  ui::ScriptedUi ui;
  std::optional<int> ended;
  try {
    endUnlessOpened(c.outcome, &ui);
  } catch (const errors::EndProgram& end) {
    ended = end.exitCode();
  }
  EXPECT_EQ(ended, c.exitCode);
  EXPECT_EQ(ui.transcript(), c.shown);

  // Without a user the decision is the same, and nothing is shown.
  std::optional<int> endedQuietly;
  try {
    endUnlessOpened(c.outcome, nullptr);
  } catch (const errors::EndProgram& end) {
    endedQuietly = end.exitCode();
  }
  EXPECT_EQ(endedQuietly, c.exitCode);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, EndUnlessOpened,
    ::testing::Values(
        OutcomeCase{"Opened", {}, std::nullopt, {}},
        // The refusal was told while the check ran: nothing more is shown.
        OutcomeCase{"StructureCheckRefused", refusedCheck(), 1, {}},
        OutcomeCase{"DamagedIndexInUse",
                    unusable(store::IndexAttach::DamagedInUse, "001/NTX/MDOS.ntx"),
                    1,
                    {"error: Indeksni fajl 001/NTX/MDOS.ntx je ostecen, a drugi korisnik ga "
                     "trenutno koristi.\n"
                     "Zatvorite program na ostalim racunarima i pokrenite ga ponovo:\n"
                     "indeks ce tada biti ponovo izgradjen."}},
        OutcomeCase{"IndexBusy",
                    unusable(store::IndexAttach::Busy, "NTX/Firme.ntx"),
                    1,
                    {"error: Indeksni fajl NTX/Firme.ntx je zauzet: drugi korisnik ga upravo "
                     "obnavlja.\n"
                     "Pokrenite program ponovo za nekoliko trenutaka."}}),
    [](const ::testing::TestParamInfo<OutcomeCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kavrina::commands
