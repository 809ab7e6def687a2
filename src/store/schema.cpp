#include "store/schema.h"

#include <string>

#include "errors/error.h"
#include "store/records.h"

namespace kavrina::store {
namespace schema {
namespace {

std::string describe(const FieldDef& f) {
  std::string text = f.name + " (" + std::string(1, f.type);
  if (f.type == 'C' || f.type == 'N') text += " " + std::to_string(f.width);
  if (f.type == 'N') text += "," + std::to_string(f.decimals);
  return text + ")";
}

}  // namespace

}  // namespace schema

// The tables' fields in file order, each bound to the member of its record type that holds it.

const RecordLayout<CompanyRecord>& CompanyRecord::layout() {
  using R = CompanyRecord;
  static const RecordLayout<R> layout = {
      {{"Sifra", 'C', 3, 0}, &R::Sifra},
      {{"Naziv", 'C', 30, 0}, &R::Naziv},
      {{"Mesto", 'C', 30, 0}, &R::Mesto},
      {{"PIB", 'C', 13, 0}, &R::PIB},
  };
  return layout;
}

const RecordLayout<AssetRecord>& AssetRecord::layout() {
  using R = AssetRecord;
  static const RecordLayout<R> layout = {
      {{"InvBr", 'C', 30, 0}, &R::InvBr},
      {{"Naziv", 'C', 30, 0}, &R::Naziv},
      {{"DatumN", 'D', 8, 0}, &R::DatumN},
      {{"DatumO", 'D', 8, 0}, &R::DatumO},
      {{"Dobavljac", 'C', 30, 0}, &R::Dobavljac},
      {{"Dokument", 'C', 30, 0}, &R::Dokument},
      {{"RAOsn", 'N', 15, 3}, &R::RAOsn},
      {{"PAOsn", 'N', 15, 3}, &R::PAOsn},
      {{"IspVr", 'N', 15, 3}, &R::IspVr},
      {{"PKVT", 'N', 6, 2}, &R::PKVT},
      {{"RAStopa", 'N', 7, 3}, &R::RAStopa},
      {{"RAtip", 'N', 1, 0}, &R::RAtip},
      {{"PAStopa", 'N', 7, 3}, &R::PAStopa},
      {{"PAgrupa", 'N', 1, 0}, &R::PAgrupa},
      {{"ODeo", 'N', 3, 0}, &R::ODeo},
      {{"Kolicina", 'N', 4, 0}, &R::Kolicina},
      {{"Konto", 'N', 10, 0}, &R::Konto},
      {{"DuzKonta", 'N', 2, 0}, &R::DuzKonta},
  };
  return layout;
}

const RecordLayout<GroupResetMark>& GroupResetMark::layout() {
  using R = GroupResetMark;
  static const RecordLayout<R> layout = {
      {{"InvBr", 'C', 30, 0}, &R::InvBr},
      {{"GodinaNG", 'C', 4, 0}, &R::GodinaNG},
  };
  return layout;
}

const RecordLayout<RaRow>& RaRow::layout() {
  using R = RaRow;
  static const RecordLayout<R> layout = {
      {{"InvBr", 'C', 30, 0}, &R::InvBr},      {{"RAPrVr", 'N', 15, 3}, &R::RAPrVr},
      {{"RAOsn", 'N', 15, 3}, &R::RAOsn},      {{"RAStopa", 'N', 7, 3}, &R::RAStopa},
      {{"RATip", 'N', 1, 0}, &R::RATip},       {{"BrMes", 'N', 2, 0}, &R::BrMes},
      {{"RAm", 'N', 15, 3}, &R::RAm},          {{"RASadVr", 'N', 15, 3}, &R::RASadVr},
      {{"RANab", 'L', 1, 0}, &R::RANab},       {{"RAOtp", 'L', 1, 0}, &R::RAOtp},
      {{"NoviPrav", 'L', 1, 0}, &R::NoviPrav},
  };
  return layout;
}

const RecordLayout<PaRow>& PaRow::layout() {
  using R = PaRow;
  static const RecordLayout<R> layout = {
      {{"InvBr", 'C', 30, 0}, &R::InvBr},      {{"PAPrVr", 'N', 15, 3}, &R::PAPrVr},
      {{"PAOsn", 'N', 15, 3}, &R::PAOsn},      {{"PAOtpVr", 'N', 15, 3}, &R::PAOtpVr},
      {{"PAStopa", 'N', 7, 3}, &R::PAStopa},   {{"PAGrupa", 'N', 1, 0}, &R::PAGrupa},
      {{"BrMes", 'N', 2, 0}, &R::BrMes},       {{"BrDan", 'N', 3, 0}, &R::BrDan},
      {{"PAm", 'N', 15, 3}, &R::PAm},          {{"PASadVr", 'N', 15, 3}, &R::PASadVr},
      {{"PANab", 'L', 1, 0}, &R::PANab},       {{"PAOtp", 'L', 1, 0}, &R::PAOtp},
      {{"NoviPrav", 'L', 1, 0}, &R::NoviPrav},
  };
  return layout;
}

namespace schema {

Structure firme() {
  return structureOf<CompanyRecord>();
}

Structure mdos() {
  return structureOf<AssetRecord>();
}

Structure mdng() {
  return structureOf<GroupResetMark>();
}

Structure resultRa() {
  return structureOf<RaRow>();
}

Structure resultPa() {
  return structureOf<PaRow>();
}

Structure ofAlias(std::string_view alias) {
  if (sameFieldName(alias, "Firme")) return firme();
  if (sameFieldName(alias, "MDOS")) return mdos();
  if (sameFieldName(alias, "MDNG")) return mdng();
  if (sameFieldName(alias, "BazaRA") || sameFieldName(alias, "BazaPreRA")) return resultRa();
  if (sameFieldName(alias, "BazaPA") || sameFieldName(alias, "BazaPrePA")) return resultPa();
  return {};
}

void check(const DbfTable& table, const Structure& expected) {
  for (const FieldDef& wanted : expected) {
    const int at = table.fieldIndex(wanted.name);
    std::string problem;
    if (at < 0) {
      problem = "Nedostaje polje " + describe(wanted) + ".";
    } else {
      const FieldDef& found = table.fields()[static_cast<std::size_t>(at)].def;
      if (found.type != wanted.type)
        problem = "Polje " + wanted.name + " je tipa " + std::string(1, found.type) +
                  ", a treba da bude " + describe(wanted) + ".";
    }
    if (!problem.empty())
      errors::fail(errors::driverError(errors::gen::kCorruption, errors::sub::kStructure,
                                       table.path().string(), 0, problem));
  }
}

}  // namespace schema
}  // namespace kavrina::store
