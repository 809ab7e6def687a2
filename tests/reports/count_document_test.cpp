// The count's differences on paper: sections that run over pages keep their heading with a
// row, every section shows its count (an empty one "nema"), and the signatures close the
// last page or take one of their own.
#include "reports/count_document.h"

#include <gtest/gtest.h>

#include "reports/page_frame.h"
#include "reports/report_fixture.h"

namespace kavrina::reports {
namespace {

class CountDocument : public ReportOnRegister {
 protected:
  // Sections of the given sizes, rows "N-i".
  static std::vector<CountSection> sections(const std::vector<int>& sizes) {
    std::vector<CountSection> out;
    for (std::size_t s = 0; s < sizes.size(); ++s) {
      CountSection& section = out.emplace_back();
      section.title = "Odeljak " + std::to_string(s + 1);
      for (int i = 1; i <= sizes[s]; ++i)
        section.rows.push_back({std::to_string(s + 1) + "-" + std::to_string(i), "Sredstvo", ""});
    }
    return out;
  }
};

TEST_F(CountDocument, HeadingsStayWithTheirRowsAndSignaturesCloseTheDocument) {
  struct Case {
    std::vector<int> sizes;
    int pages;
  };
  // 47 rows + heading fill slots 1..48, the blank slot 49 leaves one slot: the heading of
  // the second section goes to page 2. A heading and 42 rows end at slot 43: signatures on
  // page 1; one more row and they take a page of their own.
  const Case cases[] = {{{47, 3}, 2}, {{42}, 1}, {{43}, 2}, {{0, 0, 0, 0}, 1}, {{120, 5, 0, 2}, 3}};
  for (const Case& c : cases) {
    ASSERT_TRUE(
        printCountDifferences(program(), printer_, sections(c.sizes), Date::fromText("31.12.2025"))
            .shown);
    EXPECT_EQ(doc().pageCount(), c.pages) << c.sizes.size();
    for (int p = 0; p < doc().pageCount(); ++p) {
      // A section heading ("Ukupno: N" at its right) always has a row or "nema" below it.
      for (const auto& t : test::textsOf(doc(), p)) {
        if (t.text.rfind("Ukupno: ", 0) != 0) continue;
        EXPECT_LT(t.rect.top, slotTop(kSlotsPerPage)) << "heading alone at the foot of page " << p;
      }
    }
    EXPECT_TRUE(test::findText(doc(), doc().pageCount() - 1, "Clanovi popisne komisije:"));
    for (std::size_t s = 0; s < c.sizes.size(); ++s) {
      bool shown = false;
      for (int p = 0; p < doc().pageCount(); ++p)
        shown =
            shown ||
            test::findText(doc(), p, std::to_string(s + 1) + ". Odeljak " + std::to_string(s + 1));
      EXPECT_TRUE(shown) << "section " << s + 1;
    }
  }
  EXPECT_TRUE(test::findText(doc(), 2, "nema"));
}

}  // namespace
}  // namespace kavrina::reports
