// Presets, input checks, questions and result table names of the calculation and the
// group reset.
#include "depreciation/calculation_input.h"

#include <cstdio>

#include "common/date.h"

namespace kavrina::depreciation {
namespace {

std::optional<std::string> refusedUnless(bool valid) {
  if (valid) return std::nullopt;
  return std::string(kPogresanUnos);
}

std::string digits(int value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", width, value);
  return text;
}

}  // namespace

int currentCalendarYear(const store::Session& program) {
  return program.clock.today().year();
}

CalculationPreset annualPreset(int currentYear) {
  return {currentYear - 1, 12};
}

CalculationPreset periodicPreset(int currentYear, int previousMonths) {
  return {currentYear, previousMonths == 12 ? 0 : previousMonths};
}

std::optional<std::string> checkCalculationYear(int year, int currentYear) {
  return refusedUnless(year >= kFirstYear && year <= currentYear);
}

std::optional<std::string> checkPeriodicMonths(int months) {
  return refusedUnless(months >= 1 && months <= 11);
}

std::optional<std::string> checkCalculationMonths(int months) {
  return refusedUnless(months >= 1 && months <= 12);
}

std::optional<std::string> checkResetYear(int year, int currentYear) {
  return refusedUnless(year >= kFirstYear && year <= currentYear);
}

std::optional<std::string> checkResetGroup(int group) {
  return refusedUnless(group >= 2 && group <= 5);
}

std::string obracunQuestion(bool accounting, bool tax, bool periodic, int year, int months) {
  const char* parts = "Racunovodstvene i Poreske";
  if (accounting && !tax) parts = "Racunovodstvene";
  if (tax && !accounting) parts = "Poreske";
  std::string text = "Moze li poceti ";
  text += periodic ? "Periodicni" : "Godisnji";
  text += " obracun ";
  text += parts;
  text += " amortizacije?";
  text += kCarriageReturn;
  text += "Godina: " + digits(year, 4) + " / Meseci: " + digits(months, 2);
  return text;
}

std::string nuliranjeQuestion(int year, int group) {
  std::string text = "Moze li poceti Nuliranje grupe?";
  text += kCarriageReturn;
  text += "Godina: " + digits(year, 4) + " / Grupa: " + digits(group, 1);
  return text;
}

std::string resultTableName(int year, int months, ResultKind kind) {
  return "A" + digits(year, 4) + digits(months, 2) +
         (kind == ResultKind::Accounting ? "R.dbf" : "P.dbf");
}

}  // namespace kavrina::depreciation
