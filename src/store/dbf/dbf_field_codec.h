// How each field type is stored in the record: C padded Windows-1250 text, N right-aligned
// decimal text, D yyyymmdd, L T/F, M the memo block number.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/date.h"

namespace kavrina::store::codec {

// Bytes left-aligned, cut or padded with blanks to the field.
void encodeString(std::span<char> field, std::string_view text);

// Program text (UTF-8) stored as Windows-1250, one byte a letter, left-aligned, cut to the
// field's width by letters or padded with blanks. Returns false and writes nothing when a
// letter has no place in Windows-1250.
bool encodeText(std::span<char> field, std::string_view utf8);
// The stored Windows-1250 text as program text (UTF-8), blanks included.
std::string decodeText(std::string_view field);

// The number with exactly `decimals` places, right-aligned, blanks on the left. Returns
// false and writes nothing when the text does not fit the field.
bool encodeNumber(std::span<char> field, double value, int decimals);

// The number written in the field; only blanks (or no number) read as 0.
double decodeNumber(std::string_view field);

// yyyymmdd at the start of the field, blanks after it in a field wider than eight (a table
// written elsewhere may declare a date 10 wide); only blanks for the empty date.
void encodeDate(std::span<char> field, Date date);
// The yyyymmdd digits (in a wider field the first eight after any leading blanks); blanks,
// or anything that is not a valid date, read as the empty date.
Date decodeDate(std::string_view field);

void encodeLogical(std::span<char> field, bool value);
// "T", "t", "Y" and "y" are true; anything else false.
bool decodeLogical(std::string_view field);

// The memo block number right-aligned in the field; 0 writes blanks (no text).
void encodeMemoBlock(std::span<char> field, std::uint32_t block);
// The block number, or 0 for blanks or anything that is not a number.
std::uint32_t decodeMemoBlock(std::string_view field);

}  // namespace kavrina::store::codec
