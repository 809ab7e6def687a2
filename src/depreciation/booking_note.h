// The booking note of a calculation ("Nalog za knjizenje amortizacije"): the accounting
// depreciation of the period, per asset account (or per asset), on the debit of the expense
// account and on the credit of the accumulated-depreciation account of that asset account.
// Tax depreciation is never booked. Plain computation over rows already read.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/date.h"
#include "settings/booking_accounts.h"
#include "store/records.h"

namespace kavrina::depreciation {

// What the note takes from an asset of the register.
struct BookingAsset {
  std::string konto;  // the account with its leading zeros ("0230"); empty when none
  std::string naziv;
};

// One line of the note: one account pair, or one asset when booked per asset.
struct BookingLine {
  std::string konto;       // the asset account
  std::string ispravka;    // the credited accumulated-depreciation account; empty when none
  std::string invBr;       // per asset only
  std::string naziv;       // per asset only
  std::int64_t paras = 0;  // the amount in hundredths of a dinar
};

struct BookingNote {
  int year = 0;
  int months = 12;
  Date datum;          // the date of booking
  std::string trosak;  // the debited expense account
  bool perAsset = false;
  // The lines booked, by asset account (the assets of one account in the table's order).
  std::vector<BookingLine> lines;
  // The lines whose account no prefix matches: listed under "Bez konta ispravke", not booked.
  std::vector<BookingLine> unmatched;
  std::int64_t totalParas = 0;      // of `lines`: the debit total, equal to the credit total
  std::int64_t unmatchedParas = 0;  // of `unmatched`
};

// "Bez konta ispravke": the heading of the lines that have no accumulated-depreciation account.
inline constexpr std::string_view kBezKontaIspravke = "Bez konta ispravke";

// The date of booking: 31.12 of `year` for an annual calculation, otherwise the last day of
// month `months` of `year`.
Date bookingDate(int year, int months);

// The note of the accounting result rows `rows` of the calculation (`year`, `months`). An
// asset's account comes from `assets` by inventory number (an asset no longer in the register
// has none) and its accumulated-depreciation account from `accounts`. Lines with no
// depreciation are left out. The amounts are the stored thousandths rounded to paras so that
// the lines of each part add up to its exact total rounded half away from zero (the paras
// left over go to the lines with the largest remainders): the note's total is the statement's.
BookingNote composeBookingNote(const std::vector<store::RaRow>& rows,
                               const std::unordered_map<std::string, BookingAsset>& assets,
                               const settings::BookingAccounts& accounts, int year, int months,
                               bool perAsset);

// The description of a line as the note, the CSV and the workbook show it: "Amortizacija
// 2025" (with " (P mes.)" for a periodic calculation), then ", konto " and the account, or
// for a line per asset ", " with the inventory number and the name.
std::string bookingLineText(const BookingNote& note, const BookingLine& line);

// A whole number of paras as text with two decimals and a decimal point ("1234.50", "-0.05").
std::string parasText(std::int64_t paras);

}  // namespace kavrina::depreciation
