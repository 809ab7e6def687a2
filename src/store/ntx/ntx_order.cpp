#include "store/ntx/ntx_order.h"

#include "errors/error.h"
#include "store/ntx/ntx_builder.h"

namespace kavrina::store::ntx {

namespace fs = std::filesystem;
namespace gen = errors::gen;
namespace sub = errors::sub;
using errors::driverError;

namespace {

// Entries a snapshot scan reads ahead at each lock of the index.
constexpr std::size_t kAheadEntries = 512;

KeyList collectKeys(DbfTable& table, const KeyExpression& expression) {
  KeyList list;
  list.keySize = expression.keySize();
  const std::uint32_t count = table.recCount();
  list.keys.resize(static_cast<std::size_t>(count) * list.keySize);
  list.recnos.resize(count);
  std::vector<char> record;
  // One pass from the first record to the last: read in blocks even when shared.
  const DbfTable::SnapshotScan snapshot(table);
  for (std::uint32_t recno = 1; recno <= count; ++recno) {
    table.readRecordAt(recno, record);
    expression.evaluate(record,
                        list.keys.data() + static_cast<std::size_t>(recno - 1) * list.keySize);
    list.recnos[recno - 1] = recno;
  }
  return list;
}

[[noreturn]] void refuseExpression(KeyProblem problem, std::string_view text,
                                   const fs::path& path) {
  if (problem == KeyProblem::ZeroWidth)
    errors::fail(driverError(gen::kDataWidth, sub::kKeyWidth, path.string(), 0, std::string(text)));
  if (problem == KeyProblem::WrongType)
    errors::fail(driverError(gen::kDataType, sub::kDataType, path.string(), 0, std::string(text)));
  errors::Error e = driverError(gen::kArgument, 0, path.string(), 0,
                                "key expression '" + std::string(text) + "'");
  e.SUBCODE.reset();
  errors::fail(e);
}

}  // namespace

NtxOrder::NtxOrder(DbfTable& table, std::unique_ptr<NtxFile> file, KeyExpression expression)
    : table_(table), file_(std::move(file)), expression_(std::move(expression)), tree_(*file_) {}

void NtxOrder::recordLoaded(std::uint32_t recno, std::span<const char> record) {
  lastRecno_ = recno;
  lastKey_ = expression_.evaluate(record);
}

std::string NtxOrder::keyInFile(std::uint32_t recno) {
  table_.readRecordAt(recno, record_);
  return expression_.evaluate(record_);
}

std::string NtxOrder::keyOf(std::uint32_t recno) {
  return recno == lastRecno_ ? lastKey_ : keyInFile(recno);
}

void NtxOrder::recordWriting(std::uint32_t recno, bool isNew) {
  // The file still holds the record as it was: its key is the old one when nothing else is
  // known, and the one to remove should the key remembered not be in the index.
  dropAhead();
  if (isNew) return;
  fileKey_ = keyInFile(recno);
  if (recno != lastRecno_) {
    lastKey_ = fileKey_;
    lastRecno_ = recno;
  }
}

void NtxOrder::recordWritten(std::uint32_t recno, std::span<const char> record, bool isNew) {
  dropAhead();
  std::string newKey = expression_.evaluate(record);
  if (isNew) {
    NtxFile::Access access(*file_);
    tree_.insert(newKey, recno);
    file_->keyUpdated();
  } else {
    const std::string& oldKey = recno == lastRecno_ ? lastKey_ : fileKey_;
    if (oldKey != newKey) {
      NtxFile::Access access(*file_);
      if (!tree_.remove(oldKey, recno) && fileKey_ != oldKey) tree_.remove(fileKey_, recno);
      tree_.insert(newKey, recno);
      file_->keyUpdated();
    }
  }
  lastRecno_ = recno;
  lastKey_ = std::move(newKey);
}

std::uint32_t NtxOrder::first() {
  dropAhead();
  return tree_.first();
}

std::uint32_t NtxOrder::last() {
  dropAhead();
  return tree_.last();
}

std::uint32_t NtxOrder::next(std::uint32_t recno) {
  if (!snapshot_) return tree_.next(keyOf(recno), recno);
  // A snapshot scan takes the entries after a record a batch at a time: one lock of a
  // shared index for each batch rather than for each move.
  if (recno != aheadAfter_ || aheadAt_ == ahead_.size()) {
    tree_.nextMany(keyOf(recno), recno, kAheadEntries, ahead_);
    aheadAt_ = 0;
  }
  aheadAfter_ = aheadAt_ < ahead_.size() ? ahead_[aheadAt_++] : 0;
  return aheadAfter_;
}

std::uint32_t NtxOrder::previous(std::uint32_t recno) {
  dropAhead();
  return tree_.previous(keyOf(recno), recno);
}

void NtxOrder::setSnapshot(bool on) {
  snapshot_ = on;
  dropAhead();
}

std::optional<std::string> NtxOrder::seekKeyOf(const SeekValue& value) {
  bool mismatch = false;
  std::optional<std::string> key = expression_.seekKey(value, mismatch);
  if (mismatch) errors::fail(driverError(gen::kDataType, sub::kDataType, file_->path().string()));
  return key;
}

std::uint32_t NtxOrder::seek(const SeekValue& value) {
  dropAhead();
  std::optional<std::string> key = seekKeyOf(value);
  return key ? tree_.seekFirst(*key) : 0;
}

bool NtxOrder::keyMatches(std::uint32_t recno, const SeekValue& value) {
  std::optional<std::string> key = seekKeyOf(value);
  return key && *key == keyOf(recno);
}

void NtxOrder::commit() {
  file_->commit();
}

void NtxOrder::rebuild() {
  NtxFile::Access access(*file_);
  KeyList keys = collectKeys(table_, expression_);
  sortKeys(keys);
  buildTree(*file_, keys);
}

void NtxOrder::tableRewritten() {
  dropAhead();
  lastRecno_ = 0;
  lastKey_.clear();
  rebuild();
}

void NtxOrder::close() {
  dropAhead();
  file_->close();
}

fs::path indexFilePath(const fs::path& path) {
  if (path.has_extension()) return path;
  fs::path withExtension = path;
  withExtension += ".ntx";
  return withExtension;
}

bool createIndex(DbfTable& table, const fs::path& path, std::string_view keyExpression) {
  const fs::path file = indexFilePath(path);
  KeyProblem problem = KeyProblem::None;
  std::optional<KeyExpression> expression =
      KeyExpression::compile(keyExpression, table.fields(), problem);
  if (!expression || keyExpression.size() >= kExpressionSize)
    refuseExpression(problem, keyExpression, file);

  NtxHeader header;
  header.geometry = geometryForKeySize(expression->keySize());
  header.decimals = static_cast<std::uint16_t>(expression->decimals());
  header.expression = std::string(keyExpression);

  // Whatever the table holds in its buffer reaches the file (and the old orders) first.
  table.clearOrders();
  std::unique_ptr<NtxFile> ntxFile = NtxFile::createAside(file, header, table.isShared());
  if (!ntxFile) return false;
  const NtxFile& built = *ntxFile;
  auto order = std::make_unique<NtxOrder>(table, std::move(ntxFile), std::move(*expression));
  order->rebuild();  // the tree is built aside and then takes the index's name
  if (!built.isOpen()) return attachIndex(table, path);  // another station created it first
  table.addOrder(std::move(order));
  return true;
}

bool attachIndex(DbfTable& table, const fs::path& path) {
  std::unique_ptr<NtxFile> ntxFile =
      NtxFile::open(indexFilePath(path), table.isShared(), table.isReadOnly());
  if (!ntxFile) return false;
  KeyProblem problem = KeyProblem::None;
  const NtxHeader& header = ntxFile->header();
  std::optional<KeyExpression> expression =
      KeyExpression::compile(header.expression, table.fields(), problem);
  if (!expression)
    ntxFile->corrupt("key expression '" + header.expression + "' does not fit the table");
  if (expression->keySize() != header.geometry.keySize ||
      expression->decimals() != static_cast<int>(header.decimals))
    ntxFile->corrupt("key size or decimals disagree with the key expression");
  table.addOrder(std::make_unique<NtxOrder>(table, std::move(ntxFile), std::move(*expression)));
  return true;
}

}  // namespace kavrina::store::ntx
