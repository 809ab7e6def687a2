#include "store/schema.h"

#include <string>

#include "errors/error.h"

namespace kavrina::store::schema {
namespace {

std::string describe(const FieldDef& f) {
  std::string text = f.name + " (" + std::string(1, f.type);
  if (f.type == 'C' || f.type == 'N') text += " " + std::to_string(f.width);
  if (f.type == 'N') text += "," + std::to_string(f.decimals);
  return text + ")";
}

}  // namespace

Structure firme() {
  return {{"Sifra", 'C', 3, 0}, {"Naziv", 'C', 30, 0}, {"Mesto", 'C', 30, 0}, {"PIB", 'C', 13, 0}};
}

Structure mdos() {
  return {
      {"InvBr", 'C', 30, 0},   {"Naziv", 'C', 30, 0},     {"DatumN", 'D', 8, 0},
      {"DatumO", 'D', 8, 0},   {"Dobavljac", 'C', 30, 0}, {"Dokument", 'C', 30, 0},
      {"RAOsn", 'N', 15, 3},   {"PAOsn", 'N', 15, 3},     {"IspVr", 'N', 15, 3},
      {"PKVT", 'N', 6, 2},     {"RAStopa", 'N', 7, 3},    {"RAtip", 'N', 1, 0},
      {"PAStopa", 'N', 7, 3},  {"PAgrupa", 'N', 1, 0},    {"ODeo", 'N', 3, 0},
      {"Kolicina", 'N', 4, 0}, {"Konto", 'N', 10, 0},     {"DuzKonta", 'N', 2, 0},
  };
}

Structure mdng() {
  return {{"InvBr", 'C', 30, 0}, {"GodinaNG", 'C', 4, 0}};
}

Structure resultRa() {
  return {
      {"InvBr", 'C', 30, 0},  {"RAPrVr", 'N', 15, 3},  {"RAOsn", 'N', 15, 3},
      {"RAStopa", 'N', 7, 3}, {"RATip", 'N', 1, 0},    {"BrMes", 'N', 2, 0},
      {"RAm", 'N', 15, 3},    {"RASadVr", 'N', 15, 3}, {"RANab", 'L', 1, 0},
      {"RAOtp", 'L', 1, 0},   {"NoviPrav", 'L', 1, 0},
  };
}

Structure resultPa() {
  return {
      {"InvBr", 'C', 30, 0},   {"PAPrVr", 'N', 15, 3}, {"PAOsn", 'N', 15, 3},
      {"PAOtpVr", 'N', 15, 3}, {"PAStopa", 'N', 7, 3}, {"PAGrupa", 'N', 1, 0},
      {"BrMes", 'N', 2, 0},    {"BrDan", 'N', 3, 0},   {"PAm", 'N', 15, 3},
      {"PASadVr", 'N', 15, 3}, {"PANab", 'L', 1, 0},   {"PAOtp", 'L', 1, 0},
      {"NoviPrav", 'L', 1, 0},
  };
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

}  // namespace kavrina::store::schema
