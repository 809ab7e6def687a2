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
#include "store/record_codec.h"
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
  using Mark = store::GroupResetMark;
  const store::RecordCodec<Mark> markNumber(mdng, store::FieldSet<Mark>::of(&Mark::InvBr));
  const store::RecordCodec<Mark> markYear(mdng, store::FieldSet<Mark>::of(&Mark::GodinaNG));
  const std::size_t keyWidth = markNumber.width(&Mark::InvBr);
  char godina[8];
  std::snprintf(godina, sizeof godina, "%04d", year);
  Mark mark;
  mark.GodinaNG = godina;

  using R = store::AssetRecord;
  const store::RecordCodec<R> reader(program.areas["MDOS"],
                                     store::FieldSet<R>::of(&R::InvBr, &R::DatumN, &R::PAgrupa));
  store::DbfTable& mdos = reader.table();
  EventPump pump(program.ui);
  for (mdos.goTop(); !mdos.eof(); mdos.skip()) {
    pump();
    const R asset = reader.read();
    if (!isMarkedByReset(asset, year, group)) continue;
    mark.InvBr = asset.InvBr;
    if (!mdng.seek(paddedInvBr(mark.InvBr, keyWidth))) {
      if (!writeMdngRecord(program, true, [&](store::DbfTable&) { markNumber.write(mark); }))
        continue;
    }
    writeMdngRecord(program, false, [&](store::DbfTable&) { markYear.write(mark); });
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
