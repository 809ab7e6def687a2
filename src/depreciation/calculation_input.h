// The input side of `OBRACUN` and `NULIRAJGRUPU` without any window: the presets, the
// checks of what the user typed, the question texts and the result table names, shared
// by the dialogs and by the command-line tool.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "store/program.h"

namespace kavrina::depreciation {

// The program's texts of these procedures.
inline constexpr std::string_view kCaptionUnos = "Unos";
inline constexpr std::string_view kPromptGodina = "Obracunska godina:";
inline constexpr std::string_view kPromptMeseci = "Broj Meseci za obracun:";
inline constexpr std::string_view kPromptGodinaNuliranja = "Godina Nuliranja:";
inline constexpr std::string_view kPromptGrupaNuliranja = "Grupa za Nuliranje (2-5):";
inline constexpr std::string_view kPictureGodina = "9999";
inline constexpr std::string_view kPictureMeseci = "99";
inline constexpr std::string_view kPictureGrupa = "9";
inline constexpr int kWidthGodina = 50;
inline constexpr int kWidthMeseci = 30;
inline constexpr int kWidthGrupa = 30;
inline constexpr std::string_view kPogresanUnos = "Pogresan unos.";
inline constexpr std::string_view kObracunUToku = "Obracun u toku. Molim sacekajte...";
inline constexpr std::string_view kObracunZavrsen = "Obracun je zavrsen.";
inline constexpr std::string_view kNuliranjeUToku = "Nuliranje grupe u toku. Molim sacekajte...";
inline constexpr std::string_view kNuliranjeZavrseno = "Nuliranje grupe je zavrseno.";
inline constexpr std::string_view kAktivacijaUToku = "Aktivacija u toku. Molim sacekajte...";
// The line break inside the confirmation questions.
inline constexpr std::string_view kCarriageReturn = "\r";

// The oldest year that can be calculated or reset.
inline constexpr int kFirstYear = 2004;

// The calendar year of today's date.
int currentCalendarYear(const store::Session& program);

// Year and months proposed to the user before a calculation (`NGODINA`, `NMESECI`).
struct CalculationPreset {
  int year = 0;
  int months = 0;
};
// Annual entries: last year, 12 months.
CalculationPreset annualPreset(int currentYear);
// Periodic entries: this year, the months of the previous calculation (0 if it was 12).
CalculationPreset periodicPreset(int currentYear, int previousMonths);

// Each check returns "Pogresan unos." when the value is refused, nothing when it is valid.
// The calculation year: kFirstYear up to the current calendar year.
std::optional<std::string> checkCalculationYear(int year, int currentYear);
// The months of a periodic calculation: 1 to 11.
std::optional<std::string> checkPeriodicMonths(int months);
// The months of a calculation of either kind (the command-line tool): 1 to 12.
std::optional<std::string> checkCalculationMonths(int months);
// The reset year of `NULIRAJGRUPU`: kFirstYear up to the current calendar year.
std::optional<std::string> checkResetYear(int year, int currentYear);
// The reset group: 2 to 5 (group I cannot be reset).
std::optional<std::string> checkResetGroup(int group);

// The question before a calculation, e.g. "Moze li poceti Godisnji obracun Racunovodstvene
// i Poreske amortizacije?" CR "Godina: 2025 / Meseci: 12". With neither part chosen, both
// run and the text says so.
std::string obracunQuestion(bool accounting, bool tax, bool periodic, int year, int months);

// The question before a group reset: "Moze li poceti Nuliranje grupe?" CR
// "Godina: 2020 / Grupa: 3".
std::string nuliranjeQuestion(int year, int group);

// Which result table of a calculation.
enum class ResultKind { Accounting, Tax };

// "A" + year (4 digits) + months (2 digits) + "R.dbf" or "P.dbf", e.g. "A202312R.dbf".
std::string resultTableName(int year, int months, ResultKind kind);

}  // namespace kavrina::depreciation
