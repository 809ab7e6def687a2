// The group reset over `MDNG`, and the activation of a company.
#include "depreciation/group_reset.h"

#include <cstdio>
#include <memory>
#include <optional>

#include "common/decimal.h"
#include "depreciation/calculation_input.h"
#include "depreciation/group_resets.h"
#include "depreciation/working_tables.h"
#include "store/database.h"
#include "store/rec_lock.h"
#include "store/schema.h"

namespace kavrina::depreciation {
namespace {

constexpr std::string_view kAliasMdng = "MDNG";

// `InvBr` padded to its 30 characters, as the index keys hold it.
std::string paddedInvBr(std::string invBr, std::size_t width) {
  if (invBr.size() < width) invBr.resize(width, ' ');
  return invBr;
}

// The record-writing rule for the exclusive `MDNG`, whose one commit comes at the end:
// select; for a new record append one; REC_LOCK waiting without limit; assign; unlock.
// False when no record could be appended.
template <class Assign>
bool writeMdngRecord(store::Session& program, bool newRecord, Assign assign) {
  program.areas.select(kAliasMdng);
  store::DbfTable& table = program.areas[kAliasMdng];
  if (newRecord && !table.append(true)) return false;
  if (table.eof()) return false;
  if (store::REC_LOCK(program, 0, kAliasMdng)) assign(table);
  table.unlock();
  return true;
}

}  // namespace

GroupResetResult runNulirajGrupu(store::Session& program, int year, int group) {
  GroupResetResult result;
  WorkingTables tables(program);
  const std::filesystem::path mdngFile = store::dataPath(program, "MDNG.dbf");
  store::CREATEDBF(program, mdngFile, store::schema::mdng(), store::kDriver, 0);
  if (!tables.open(mdngFile, kAliasMdng)) {
    result.tableInUse = tables.inUse();
    return result;
  }
  store::DbfTable& mdng = program.areas[kAliasMdng];
  const int mdngInvBr = mdng.fieldIndex("InvBr");
  const int mdngGodina = mdng.fieldIndex("GodinaNG");
  const std::size_t keyWidth = static_cast<std::size_t>(mdng.fields()[mdngInvBr].def.width);
  char godina[8];
  std::snprintf(godina, sizeof godina, "%04d", year);

  store::DbfTable& mdos = program.areas["MDOS"];
  const int invBr = mdos.fieldIndex("InvBr");
  const int datumN = mdos.fieldIndex("DatumN");
  const int paGrupa = mdos.fieldIndex("PAgrupa");
  EventPump pump(program.ui);
  for (mdos.goTop(); !mdos.eof(); mdos.skip()) {
    pump();
    Asset asset;
    asset.DatumN = mdos.getDate(datumN);
    asset.PAgrupa = static_cast<int>(mdos.getNumber(paGrupa));
    if (!isMarkedByReset(asset, year, group)) continue;
    const std::string number = mdos.getString(invBr);
    if (!mdng.seek(paddedInvBr(number, keyWidth))) {
      if (!writeMdngRecord(program, true,
                           [&](store::DbfTable& t) { t.putString(mdngInvBr, number); }))
        continue;
    }
    writeMdngRecord(program, false, [&](store::DbfTable& t) { t.putString(mdngGodina, godina); });
    ++result.marked;
  }
  mdng.commit();
  tables.closeAll();
  mdos.commit();
  program.areas.select("MDOS");
  result.done = true;
  return result;
}

std::string mdngInUseMessage() {
  std::string text = "Drugi korisnik trenutno radi sa nuliranjem grupa ili obracunom ove firme.";
  text += kCarriageReturn;
  text += "Nuliranje nije izvrseno. Pokusajte kasnije.";
  return text;
}

void NULIRAJGRUPU(store::Session& program) {
  ui::UserInterface& ui = program.userInterface();
  const int preset = currentCalendarYear(program) - 1;
  const std::optional<std::string> yearText = ui.inputBox(
      kCaptionUnos, kPromptGodinaNuliranja, std::to_string(preset), kPictureGodina, kWidthGodina);
  if (!yearText) return;
  const int year = static_cast<int>(parseNumber(*yearText));
  if (const auto refused = checkResetYear(year, currentCalendarYear(program))) {
    ui.messageBox(*refused, ui::MessageKind::Error, ui::MessageButtons::Ok);
    return;
  }
  const std::optional<std::string> groupText =
      ui.inputBox(kCaptionUnos, kPromptGrupaNuliranja, "0", kPictureGrupa, kWidthGrupa);
  if (!groupText) return;
  const int group = static_cast<int>(parseNumber(*groupText));
  if (const auto refused = checkResetGroup(group)) {
    ui.messageBox(*refused, ui::MessageKind::Error, ui::MessageButtons::Ok);
    return;
  }
  if (ui.messageBox(nuliranjeQuestion(year, group), ui::MessageKind::Confirmation,
                    ui::MessageButtons::YesNo) != ui::Answer::Yes)
    return;

  GroupResetResult result;
  {
    const std::unique_ptr<ui::WaitNotice> wait = ui.showWait(kNuliranjeUToku);
    result = runNulirajGrupu(program, year, group);
  }
  if (!result.done) {
    ui.messageBox(mdngInUseMessage(), ui::MessageKind::Error, ui::MessageButtons::Ok);
    return;
  }
  ui.messageBox(kNuliranjeZavrseno, ui::MessageKind::Information, ui::MessageButtons::Ok);
}

}  // namespace kavrina::depreciation
