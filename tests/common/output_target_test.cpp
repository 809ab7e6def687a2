// Where an output may go: what lies at each kind of name, and what a write may do there.
#include "common/output_target.h"

#include <gtest/gtest.h>

#include "support/non_regular_files.h"
#include "support/temp_dir.h"

namespace kavrina::output {
namespace {

namespace fs = std::filesystem;

TEST(OutputTarget, EachKindOfNameIsToldApartAndOnlyAFreeNameOrAskedForFileMayBeWritten) {
  test::TempDir program;
  test::TempDir out;
  fs::create_directory(program.path() / "DBF");
  test::writeFileBytes(program.path() / "DBF" / "MDOS.dbf", "registar");
  test::writeFileBytes(out / "ranije.pdf", "earlier");
  fs::create_symlink(out / "ranije.pdf", out / "veza.pdf");
  fs::create_symlink(out / "nema.pdf", out / "prazna-veza.pdf");
  fs::create_symlink(program.path() / "DBF", out / "u-program");
  fs::create_directory(out / "folder.pdf");
  ASSERT_TRUE(test::makeNamedPipe(out / "cev.pdf"));
  const struct {
    fs::path path;
    Target expected;
  } cases[] = {
      {out / "novi.pdf", Target::Free},
      {out / "ranije.pdf", Target::RegularFile},
      {out / "veza.pdf", Target::RegularFile},
      {out / "prazna-veza.pdf", Target::NotAFile},
      {out / "folder.pdf", Target::NotAFile},
      {out / "cev.pdf", Target::NotAFile},
      {out / "nema" / "x.pdf", Target::NoFolder},
      {program.path() / "DBF" / "MDOS.dbf", Target::InDataFolder},
      {program.path() / "novi.pdf", Target::InDataFolder},
      {program.path(), Target::InDataFolder},
      {out / "u-program" / "x.pdf", Target::InDataFolder},
      {out / "folder.pdf" / ".." / ".." / fs::path(program.path()).filename() / "x.pdf",
       Target::InDataFolder},
  };
  for (const auto& c : cases) {
    const Target found = checkTarget(c.path, program.path());
    EXPECT_EQ(found, c.expected) << c.path;
    EXPECT_EQ(mayWrite(found, false), c.expected == Target::Free) << c.path;
    EXPECT_EQ(mayWrite(found, true),
              c.expected == Target::Free || c.expected == Target::RegularFile)
        << c.path;
  }
  EXPECT_EQ(checkTarget(program.path() / "DBF" / "MDOS.dbf", {}), Target::RegularFile)
      << "no program folder given: none refused for being it";
}

}  // namespace
}  // namespace kavrina::output
