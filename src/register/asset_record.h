// The asset register's side of the fixed-asset form: a new asset's `MDOS` record, the
// stored form of an inventory number, the account with its digit count, the tax group's
// rate, and reading and writing the record by its inventory number.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "common/date.h"
#include "store/program.h"
#include "store/records.h"

namespace kavrina::reg {

// Width of `InvBr`: the number's digits padded with blanks.
inline constexpr std::size_t kInvBrWidth = 30;

// The most digits an inventory number may have (leading zeros aside): the index keeps the
// number's value, exact to 15 digits; a longer number would be shown as stars or share its
// key with its neighbours.
inline constexpr std::size_t kInvBrMaxDigits = 15;

// The tax group's rate in percent, by group 1..5 ("I grupa - 2.5%" ... "V grupa - 30%").
inline constexpr std::array<double, 5> kGroupRates = {2.5, 10, 15, 20, 30};

// The record of a new asset with the inventory number `invBr`, acquired `today`: empty
// texts, zero amounts, rate and useful life, the first method and group with the group's
// rate, quantity 1, unit 0, no account, in use.
store::AssetRecord newAssetRecord(std::string invBr, Date today);

// The digits of the whole number written at the start of `text` (blanks before it
// skipped), without leading zeros: "  0201x" gives "201"; no number gives "0". Exact for
// every length, unlike a detour through a double.
std::string numberDigits(std::string_view text);
// The stored form of an inventory number: numberDigits padded with blanks to 30.
std::string storedInvBr(std::string_view text);
// numberDigits of `text` plus 1 ("41" gives "42", "" gives "1").
std::string nextNumber(std::string_view text);

// Why the inventory number `digits` (numberDigits of what was typed) cannot be stored, or
// no value when it can: more than kInvBrMaxDigits digits.
std::optional<std::string> invBrRefusal(std::string_view digits);

// The tax rate of the 1-based group item: 2.5, 10, 15, 20 for groups 1 to 4; any other
// item gives 30.
double groupRate(int group);

// The account as the form shows it: the number with leading zeros to `duzKonta` digits,
// or its plain digits when `duzKonta` is 0 (or smaller than the number's digits).
std::string kontoText(double konto, int duzKonta);
// The account as stored: its numeric value and the length of the typed text without the
// blanks at either end ("0201" gives 201 and 4).
struct StoredKonto {
  double konto = 0;
  int duzKonta = 0;
};
StoredKonto storedKonto(std::string_view text);

// Why the form refuses to store `asset`, or no value when it may be stored: accumulated
// depreciation greater than the accounting base would leave the asset a negative present
// value. The amounts are compared as the form holds them, to the cent.
std::optional<std::string> refusalOf(const store::AssetRecord& asset);

// Seeks the inventory number's numeric value in `MDOS` (open, indexed on val(InvBr)) and
// answers the record found, or no value when there is none.
std::optional<store::AssetRecord> loadAsset(store::Program& program, std::string_view invBr);

// Writes `asset` into every field of the current (locked) record of `t`, as it is: `InvBr`
// holds the number's digits, `PAStopa` the group's rate, `Konto` and `DuzKonta` the
// account with its digit count, `DatumO` is empty while in use.
void putAssetFields(store::DbfTable& t, const store::AssetRecord& asset);

// Writes the asset by the record-writing rule: `CINVENTARSKIBROJ` becomes the stored form
// of `asset.InvBr` and is sought; the record found, or a new one, gets every field from
// `asset` (putAssetFields). Answers false, with nothing written, when a new record could not
// be appended.
bool saveAsset(store::Program& program, const store::AssetRecord& asset);

// The inventory number after the highest one in `MDOS` (index order): its numeric value
// plus 1, as digits; "1" for an empty register.
std::string nextInventoryNumber(store::Session& program);

}  // namespace kavrina::reg
