// Reading and writing the fields of the current record through the record buffer.
#include <unistd.h>

#include <cstring>
#include <optional>

#include "common/windows_1250.h"
#include "errors/error.h"
#include "store/dbf/dbf_field_codec.h"
#include "store/dbf/dbf_table.h"

namespace kavrina::store {

namespace gen = errors::gen;
namespace sub = errors::sub;
using errors::driverError;

namespace {
constexpr int kNoVariable = 14;  // general code of a name that does not exist
}

int DbfTable::requireField(std::string_view name) const {
  int index = fieldIndex(name);
  if (index < 0) {
    errors::Error e;
    e.GENCODE = kNoVariable;
    e.SUBSYSTEM = "BASE";
    e.OPERATION = std::string(name);
    e.FILENAME = path_.string();
    errors::fail(e);
  }
  return index;
}

const FieldLayout& DbfTable::fieldAt(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= header_.fields.size()) {
    errors::Error e;
    e.GENCODE = gen::kBound;
    e.SUBSYSTEM = "BASE";
    e.OPERATION = "field " + std::to_string(index);
    e.FILENAME = path_.string();
    errors::fail(e);
  }
  return header_.fields[static_cast<std::size_t>(index)];
}

std::span<char> DbfTable::fieldBytes(int index) {
  const FieldLayout& f = fieldAt(index);
  return std::span<char>(cursor_.record().data() + f.offset, static_cast<std::size_t>(f.def.width));
}

std::string DbfTable::getString(int index) {
  return codec::decodeText(rawField(index));
}

std::string_view DbfTable::getText(int index) {
  const std::string_view stored = rawField(index);
  // Windows-1250 and UTF-8 agree on ASCII: such a text is read where it is stored.
  if (win1250::isAscii(stored)) return stored;
  return cursor_.keepText(codec::decodeText(stored));
}

double DbfTable::getNumber(int index) {
  return codec::decodeNumber(rawField(index));
}

Date DbfTable::getDate(int index) {
  return codec::decodeDate(rawField(index));
}

bool DbfTable::getLogical(int index) {
  return codec::decodeLogical(rawField(index));
}

std::string DbfTable::getMemo(int index) {
  std::uint32_t block = codec::decodeMemoBlock(rawField(index));
  if (block == 0 || !memo_.isOpen()) return {};
  return codec::decodeText(memo_.read(block));
}

void DbfTable::checkWritable() {
  if (readOnly_) errors::fail(driverError(gen::kReadOnly, sub::kReadOnly, path_.string()));
  // A record of a batch lies past the header's count, where no other station reads.
  if (shared_ && !locks_.holdsFile() && !holdsLock(cursor_.recNo()) &&
      !batch_.owns(cursor_.recNo()))
    errors::fail(driverError(gen::kUnlocked, sub::kUnlocked, path_.string()));
}

void DbfTable::failUnstorable(int index) {
  errors::fail(
      driverError(gen::kDataType, sub::kDataType, path_.string(), 0, fieldAt(index).def.name));
}

const FieldLayout& DbfTable::prepareWrite(int index, char expectedType) {
  const FieldLayout& f = fieldAt(index);
  if (f.def.type != expectedType)
    errors::fail(driverError(gen::kDataType, sub::kDataType, path_.string(), 0, f.def.name));
  checkWritable();
  ensureBuffer();
  return f;
}

void DbfTable::putString(int index, std::string_view text) {
  prepareWrite(index, 'C');
  if (cursor_.eof()) return;  // the phantom record at end of file takes no values
  // A letter the table's code page cannot hold is refused, never dropped: the field keeps
  // what it held.
  if (!codec::encodeText(fieldBytes(index), text)) failUnstorable(index);
  cursor_.markChanged();
}

void DbfTable::putNumber(int index, double value) {
  const FieldLayout& f = prepareWrite(index, 'N');
  if (cursor_.eof()) return;
  // A number that does not fit is refused before anything is written: the field keeps
  // what it held.
  const std::span<char> field(cursor_.record().data() + f.offset,
                              static_cast<std::size_t>(f.def.width));
  if (!codec::encodeNumber(field, value, f.def.decimals))
    errors::fail(driverError(gen::kDataWidth, sub::kDataWidth, path_.string(), 0, f.def.name));
  cursor_.markChanged();
}

void DbfTable::putDate(int index, Date date) {
  prepareWrite(index, 'D');
  if (cursor_.eof()) return;
  codec::encodeDate(fieldBytes(index), date);
  cursor_.markChanged();
}

void DbfTable::putLogical(int index, bool value) {
  prepareWrite(index, 'L');
  if (cursor_.eof()) return;
  codec::encodeLogical(fieldBytes(index), value);
  cursor_.markChanged();
}

void DbfTable::putMemo(int index, std::string_view utf8) {
  prepareWrite(index, 'M');
  if (cursor_.eof() || !memo_.isOpen()) return;
  const std::optional<std::string> stored = win1250::fromUtf8(utf8);
  if (!stored) failUnstorable(index);
  const std::string& text = *stored;
  std::uint32_t block = 0;
  if (!text.empty()) {
    // The memo file's append lock guards its extension against other stations.
    bool locked = false;
    if (shared_) {
      locked = memo_.file().waitForLock(locks::kAppend, 1, LockKind::Write) == LockResult::Taken;
      if (!locked) {
        errors::Error e = driverError(gen::kAppendLock, sub::kAppendLock, path_.string());
        e.CANDEFAULT = false;  // the value cannot be stored: this write may not pass softly
        errors::fail(e);
      }
    }
    try {
      block = memo_.append(text);
    } catch (...) {
      if (locked) memo_.file().unlock(locks::kAppend, 1);
      throw;
    }
    if (locked) memo_.file().unlock(locks::kAppend, 1);
  }
  codec::encodeMemoBlock(fieldBytes(index), block);
  cursor_.markChanged();
}

void DbfTable::deleteRecord() {
  checkWritable();
  ensureBuffer();
  if (cursor_.eof()) return;
  cursor_.record()[0] = dbf::kDeletedFlag;
  cursor_.markChanged();
}

void DbfTable::recall() {
  checkWritable();
  ensureBuffer();
  if (cursor_.eof()) return;
  cursor_.record()[0] = dbf::kLiveFlag;
  cursor_.markChanged();
}

}  // namespace kavrina::store
