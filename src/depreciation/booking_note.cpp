// The booking note computed from the accounting results.
#include "depreciation/booking_note.h"

#include <algorithm>
#include <map>
#include <numeric>

#include "depreciation/ucitaj_pamram.h"

namespace kavrina::depreciation {

namespace {

// A line before rounding: its exact amount in thousandths.
struct ExactLine {
  BookingLine line;
  std::int64_t thousandths = 0;
};

// Rounds a whole number of thousandths to paras, half away from zero.
std::int64_t roundedParas(std::int64_t thousandths) {
  const std::int64_t magnitude = (thousandths < 0 ? -thousandths : thousandths) + 5;
  return thousandths < 0 ? -(magnitude / 10) : magnitude / 10;
}

// Floor division by 10 (for negative amounts too).
std::int64_t floorParas(std::int64_t thousandths) {
  return thousandths >= 0 ? thousandths / 10 : -((-thousandths + 9) / 10);
}

// Moves the exact lines into `out` with amounts in paras that add up to the part's exact
// total rounded; answers that total.
std::int64_t roundPart(std::vector<ExactLine>& exact, std::vector<BookingLine>& out) {
  const std::int64_t total =
      std::accumulate(exact.begin(), exact.end(), std::int64_t{0},
                      [](std::int64_t sum, const ExactLine& e) { return sum + e.thousandths; });
  const std::int64_t target = roundedParas(total);
  std::int64_t floors = 0;
  for (ExactLine& e : exact) {
    e.line.paras = floorParas(e.thousandths);
    floors += e.line.paras;
  }
  // The remainders decide who gets the paras left over; ties go to the earlier line.
  std::vector<std::size_t> order(exact.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return exact[a].thousandths - 10 * exact[a].line.paras >
           exact[b].thousandths - 10 * exact[b].line.paras;
  });
  for (std::int64_t left = target - floors, k = 0; left > 0; --left, ++k)
    ++exact[order[static_cast<std::size_t>(k) % order.size()]].line.paras;
  out.reserve(exact.size());
  for (ExactLine& e : exact)
    if (e.line.paras != 0 || e.thousandths != 0) out.push_back(std::move(e.line));
  return target;
}

}  // namespace

Date bookingDate(int year, int months) {
  const int month = months >= 1 && months <= 12 ? months : 12;
  return Date::fromYmd(year, month, Date::daysInMonth(year, month));
}

BookingNote composeBookingNote(const std::vector<store::RaRow>& rows,
                               const std::unordered_map<std::string, BookingAsset>& assets,
                               const settings::BookingAccounts& accounts, int year, int months,
                               bool perAsset) {
  BookingNote note;
  note.year = year;
  note.months = months;
  note.datum = bookingDate(year, months);
  note.trosak = accounts.trosak;
  note.perAsset = perAsset;

  // By asset account; within an account, per asset in the table's order.
  std::map<std::string, std::vector<ExactLine>> byAccount;
  static const BookingAsset kNoAsset;
  for (const store::RaRow& r : rows) {
    const std::int64_t amount = thousandths(r.RAm);
    if (amount == 0) continue;
    const auto found = assets.find(r.InvBr);
    const BookingAsset& asset = found == assets.end() ? kNoAsset : found->second;
    std::vector<ExactLine>& lines = byAccount[asset.konto];
    if (perAsset || lines.empty()) {
      ExactLine e;
      e.line.konto = asset.konto;
      if (perAsset) {
        e.line.invBr = r.InvBr;
        e.line.naziv = asset.naziv;
      }
      lines.push_back(std::move(e));
    }
    lines.back().thousandths += amount;
  }

  std::vector<ExactLine> booked, unmatched;
  for (auto& [konto, lines] : byAccount) {
    const std::optional<std::string> ispravka = accounts.ispravkaOf(konto);
    for (ExactLine& e : lines) {
      e.line.ispravka = ispravka.value_or("");
      (ispravka ? booked : unmatched).push_back(std::move(e));
    }
  }
  note.totalParas = roundPart(booked, note.lines);
  note.unmatchedParas = roundPart(unmatched, note.unmatched);
  return note;
}

std::string bookingLineText(const BookingNote& note, const BookingLine& line) {
  std::string text = "Amortizacija " + std::to_string(note.year);
  if (note.months != 12) text += " (" + std::to_string(note.months) + " mes.)";
  if (note.perAsset) return text + ", " + line.invBr + (line.naziv.empty() ? "" : " " + line.naziv);
  return text + ", konto " + (line.konto.empty() ? "-" : line.konto);
}

std::string parasText(std::int64_t paras) {
  const std::int64_t magnitude = paras < 0 ? -paras : paras;
  std::string cents = std::to_string(magnitude % 100);
  if (cents.size() < 2) cents.insert(0, "0");
  return (paras < 0 ? "-" : "") + std::to_string(magnitude / 100) + "." + cents;
}

}  // namespace kavrina::depreciation
