// The work areas of the program: each open table under its alias, one of them selected.
// Tables are opened into a new area and closed by alias or all at once.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/dbf/dbf_table.h"

namespace kavrina::store {

class WorkAreas {
 public:
  WorkAreas() = default;
  ~WorkAreas();
  WorkAreas(const WorkAreas&) = delete;
  WorkAreas& operator=(const WorkAreas&) = delete;

  // Opens the table in a new work area under `alias` (the file's base name when empty) and
  // selects it. Raises "Alias already in use" (18) when the alias is taken. Returns false
  // when the open failed softly (another holder refused it): no area is added then.
  bool use(const std::filesystem::path& file, std::string_view alias, OpenOptions options);

  // Puts a table opened elsewhere (a new table beside its name, say) into a new work area
  // under `alias` and selects it. Raises like use().
  void adopt(std::string_view alias, std::unique_ptr<DbfTable> table);

  // Selects the area; false when no open table has the alias.
  bool select(std::string_view alias);
  bool isOpen(std::string_view alias) const;

  // The selected table; raises "Undefined alias" (15) when none is selected.
  DbfTable& current();
  // The table under the alias; raises "Undefined alias" (15) when there is none.
  DbfTable& operator[](std::string_view alias);
  std::string currentAlias() const;

  void close(std::string_view alias);
  void closeAll();

  // Hides (or shows) records marked deleted in every area, now and in areas opened later.
  void setHideDeleted(bool hide);
  bool hideDeleted() const { return hideDeleted_; }

 private:
  struct Area {
    std::string alias;  // upper case
    std::unique_ptr<DbfTable> table;
  };
  void add(std::string_view alias, std::unique_ptr<DbfTable> table);
  Area* findArea(std::string_view alias);
  const Area* findArea(std::string_view alias) const;

  std::vector<Area> areas_;
  std::string selected_;
  bool hideDeleted_ = false;
};

}  // namespace kavrina::store
