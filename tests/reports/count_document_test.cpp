// The count's differences on paper: every row of every section once, an empty section
// with "nema", 50 lines a page, and the signatures closing the last page or taking one of
// their own.
#include "reports/count_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "reports/report_fixture.h"

namespace kavrina::reports {
namespace {

class CountDocument : public ReportOnRegister {
 protected:
  // Sections of the given sizes, rows "S-i".
  static std::vector<CountSection> sections(const std::vector<int>& sizes) {
    std::vector<CountSection> out;
    for (std::size_t s = 0; s < sizes.size(); ++s) {
      CountSection& section = out.emplace_back();
      section.title = "Odeljak";
      section.description = "opis";
      for (int i = 1; i <= sizes[s]; ++i)
        section.rows.push_back({std::to_string(s + 1) + "-" + std::to_string(i), "Sredstvo", ""});
    }
    return out;
  }
};

TEST_F(CountDocument, EveryRowOnceAndTheSignaturesCloseTheDocument) {
  struct Case {
    std::vector<int> sizes;
    int pages;
  };
  // Lines: a heading per section, its rows (or "nema"), a blank line between sections. 43
  // lines end at slot 43: signatures on page 1; at 44 lines they take a page of their own.
  const Case cases[] = {{{42}, 1}, {{43}, 2}, {{47, 3}, 2}, {{0, 0, 0, 0}, 1}, {{120, 5, 0, 2}, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.sizes));
    ASSERT_TRUE(
        printCountDifferences(program(), printer_, sections(c.sizes), Date::fromText("31.12.2025"))
            .shown);
    EXPECT_EQ(doc().pageCount(), c.pages);
    std::map<std::string, int> seen;
    int empty = 0;
    for (int p = 0; p < doc().pageCount(); ++p) {
      for (const auto& t : test::textsOf(doc(), p)) {
        if (t.text.find('-') != std::string::npos && t.rect.left == 20) ++seen[t.text];
        if (t.text == "nema") ++empty;
      }
    }
    for (std::size_t s = 0; s < c.sizes.size(); ++s) {
      for (int i = 1; i <= c.sizes[s]; ++i)
        EXPECT_EQ(seen[std::to_string(s + 1) + "-" + std::to_string(i)], 1);
      bool counted = false;
      for (int p = 0; p < doc().pageCount(); ++p)
        counted = counted ||
                  test::findText(doc(), p, "Ukupno: " + std::to_string(c.sizes[s]) + " (opis)");
      EXPECT_TRUE(counted) << "section " << s + 1;
    }
    EXPECT_EQ(empty, static_cast<int>(std::count(c.sizes.begin(), c.sizes.end(), 0)));
    EXPECT_TRUE(test::findText(doc(), doc().pageCount() - 1, "Clanovi popisne komisije:"));
  }
}

}  // namespace
}  // namespace kavrina::reports
