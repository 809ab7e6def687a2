#include "store/work_areas.h"

#include <algorithm>
#include <cctype>

#include "common/text.h"
#include "errors/error.h"

namespace kavrina::store {

namespace {

constexpr int kUndefinedAlias = 15;
constexpr int kIllegalAlias = 17;
constexpr int kAliasInUse = 18;

using text::upper;

[[noreturn]] void aliasError(int code, std::string_view alias) {
  errors::Error e;
  e.GENCODE = code;
  e.SUBSYSTEM = "BASE";
  e.OPERATION = std::string(alias);
  errors::fail(e);
}

bool legalAlias(std::string_view alias) {
  if (alias.empty() || std::isdigit(static_cast<unsigned char>(alias.front()))) return false;
  return std::all_of(alias.begin(), alias.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
  });
}

}  // namespace

WorkAreas::~WorkAreas() {
  try {
    closeAll();
  } catch (...) {
    // Closing during unwinding cannot report; closeAll() explicitly to see failures.
  }
}

WorkAreas::Area* WorkAreas::findArea(std::string_view alias) {
  std::string key = upper(alias);
  for (Area& a : areas_)
    if (a.alias == key) return &a;
  return nullptr;
}

const WorkAreas::Area* WorkAreas::findArea(std::string_view alias) const {
  return const_cast<WorkAreas*>(this)->findArea(alias);
}

bool WorkAreas::use(const std::filesystem::path& file, std::string_view alias,
                    OpenOptions options) {
  std::string name = alias.empty() ? file.stem().string() : std::string(alias);
  if (!legalAlias(name)) aliasError(kIllegalAlias, name);
  if (findArea(name) != nullptr) aliasError(kAliasInUse, name);
  std::unique_ptr<DbfTable> table = DbfTable::open(file, options);
  if (!table) return false;
  add(name, std::move(table));
  return true;
}

void WorkAreas::adopt(std::string_view alias, std::unique_ptr<DbfTable> table) {
  if (!legalAlias(alias)) aliasError(kIllegalAlias, alias);
  if (findArea(alias) != nullptr) aliasError(kAliasInUse, alias);
  add(alias, std::move(table));
}

void WorkAreas::add(std::string_view alias, std::unique_ptr<DbfTable> table) {
  table->setHideDeleted(hideDeleted_);
  if (hideDeleted_) table->goTop();
  areas_.push_back({upper(alias), std::move(table)});
  selected_ = upper(alias);
}

bool WorkAreas::select(std::string_view alias) {
  if (findArea(alias) == nullptr) return false;
  selected_ = upper(alias);
  return true;
}

bool WorkAreas::isOpen(std::string_view alias) const {
  return findArea(alias) != nullptr;
}

DbfTable& WorkAreas::current() {
  return (*this)[selected_];
}

DbfTable& WorkAreas::operator[](std::string_view alias) {
  Area* area = findArea(alias);
  if (area == nullptr) aliasError(kUndefinedAlias, alias);
  return *area->table;
}

std::string WorkAreas::currentAlias() const {
  return selected_;
}

void WorkAreas::close(std::string_view alias) {
  Area* area = findArea(alias);
  if (area == nullptr) return;
  std::unique_ptr<DbfTable> table = std::move(area->table);
  std::string key = area->alias;
  areas_.erase(
      std::remove_if(areas_.begin(), areas_.end(), [&](const Area& a) { return a.alias == key; }),
      areas_.end());
  if (selected_ == key) selected_.clear();
  table->close();
}

void WorkAreas::closeAll() {
  while (!areas_.empty()) close(areas_.back().alias);
}

void WorkAreas::setHideDeleted(bool hide) {
  hideDeleted_ = hide;
  for (Area& a : areas_) a.table->setHideDeleted(hide);
}

}  // namespace kavrina::store
