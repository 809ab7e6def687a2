// The asset register's side of the fixed-asset form: the values of one `MDOS` record, the
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

// The fields of `MDOS` the form edits, as the form holds them.
struct AssetValues {
  std::string invBr;  // the number's digits, no blanks ("201")
  std::string naziv;
  Date datumN;
  std::string dobavljac;
  std::string dokument;
  double raOsn = 0;
  double paOsn = 0;
  double ispVr = 0;
  double pkvt = 0;
  double raStopa = 0;
  int raTip = 1;    // 1-based item of the accounting method
  int paGrupa = 1;  // 1-based item of the tax group
  double kolicina = 1;
  double oDeo = 0;
  std::string konto;  // the account as typed, leading zeros kept ("0201")
  Date datumO;        // empty while the asset is in use
};

// The values of a new asset with the inventory number `invBr`, acquired `today`: empty
// texts, zero amounts, rate and useful life, the first method and group, quantity 1,
// unit 0, no account, in use.
AssetValues newAssetValues(std::string invBr, Date today);

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

// Why the form refuses to store `values`, or no value when they may be stored: accumulated
// depreciation greater than the accounting base would leave the asset a negative present
// value. The amounts are compared as the form holds them, to the cent.
std::optional<std::string> refusalOf(const AssetValues& values);

// The record of `MDOS` the form's values are stored as: the inventory number's digits, the
// group's rate with the group, the account with its digit count; and back.
store::AssetRecord assetRecord(const AssetValues& values);
AssetValues assetValues(const store::AssetRecord& record);

// Seeks the inventory number's numeric value in `MDOS` (open, indexed on val(InvBr)) and
// answers the record's values, or no value when there is none.
std::optional<AssetValues> loadAsset(store::Program& program, std::string_view invBr);

// Assigns every field of the current (locked) record of `t` from `values`: the inventory
// number in its stored form, the group's rate with the group, the account with its digit
// count, `DatumO` empty while in use.
void putAssetFields(store::DbfTable& t, const AssetValues& values);

// Writes the asset by the record-writing rule: `CINVENTARSKIBROJ` becomes the stored form
// of `values.invBr` and is sought; the record found, or a new one, gets every field (the
// group's rate with the group, the account with its digit count, `DatumO` empty while in
// use). Answers false, with nothing written, when a new record could not be appended.
bool saveAsset(store::Program& program, const AssetValues& values);

// The inventory number after the highest one in `MDOS` (index order): its numeric value
// plus 1, as digits; "1" for an empty register.
std::string nextInventoryNumber(store::Session& program);

}  // namespace kavrina::reg
