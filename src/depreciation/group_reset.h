// `NULIRAJGRUPU` (reset a tax group from a year on, in the table `MDNG`) and `AKTIVIRAJ`
// (reopen the tables for the company just made active).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "store/program.h"

namespace kavrina::depreciation {

// How a group reset ended: `done`, or `tableInUse` names `MDNG` held by another user
// (nothing written then). `marked` counts the assets whose mark was set.
struct GroupResetResult {
  bool done = false;
  std::filesystem::path tableInUse;
  std::size_t marked = 0;
};

// The reset without dialogs, for a year and a group that passed checkResetYear and
// checkResetGroup. Needs `MDOS` open. Opens `MDNG` as a working table (created when
// missing); goes through `MDOS` in index order and, for every asset of group `group`
// acquired in `year` or earlier, seeks it in `MDNG`, appends its record when absent, and
// stores `GodinaNG` = `year` as four digits, each record under the record-writing rule.
// Closes `MDNG` and commits.
GroupResetResult runNulirajGrupu(store::Session& program, int year, int group);

// The command "Nuliraj grupu": asks for the year (preset last year) and the group (preset
// 0), checks them ("Pogresan unos."), asks "Moze li poceti Nuliranje grupe?", runs under
// "Nuliranje grupe u toku. Molim sacekajte..." and ends with "Nuliranje grupe je
// zavrseno." (or the table-in-use error). Cancel or No end without effect.
void NULIRAJGRUPU(store::Session& program);

// What the user is told when another user holds `MDNG`.
std::string mdngInUseMessage();

}  // namespace kavrina::depreciation
