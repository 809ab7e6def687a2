// A copy of a SharedVector shares its items until either is changed: reading never copies,
// and every way of changing leaves the other copy as it was.
#include "common/shared_vector.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kavrina {
namespace {

using Names = SharedVector<std::string>;

TEST(SharedVector, EachWayOfChangingLeavesTheOtherCopyAsItWas) {
  const std::vector<std::string> before = {"001", "002", "003"};
  const struct {
    const char* what;
    std::function<void(Names&)> change;
    std::vector<std::string> after;
  } cases[] = {
      {"an item through []", [](Names& v) { v[1] = "X"; }, {"001", "X", "003"}},
      {"an item through begin()", [](Names& v) { *v.begin() = "X"; }, {"X", "002", "003"}},
      {"the last item", [](Names& v) { v.back() = "X"; }, {"001", "002", "X"}},
      {"push_back", [](Names& v) { v.push_back("004"); }, {"001", "002", "003", "004"}},
      {"resize", [](Names& v) { v.resize(1); }, {"001"}},
      {"edit", [](Names& v) { v.edit().erase(v.edit().begin()); }, {"002", "003"}},
      {"clear", [](Names& v) { v.clear(); }, {}},
  };
  for (const auto& c : cases) {
    for (const bool changeTheCopy : {false, true}) {
      SCOPED_TRACE(std::string(c.what) + (changeTheCopy ? ", the copy changed" : ""));
      Names original{"001", "002", "003"};
      Names copy = original;
      ASSERT_EQ(&copy.items(), &original.items()) << "a copy shares the items";
      const Names& read = copy;
      EXPECT_EQ(read[2], "003");
      EXPECT_EQ(&copy.items(), &original.items()) << "reading does not copy";
      c.change(changeTheCopy ? copy : original);
      EXPECT_EQ((changeTheCopy ? copy : original).items(), c.after);
      EXPECT_EQ((changeTheCopy ? original : copy).items(), before);
    }
  }
}

TEST(SharedVector, AVectorOfItsOwnIsChangedWhereItStands) {
  Names names{"001"};
  const std::string* first = &names.items()[0];
  names[0] = "X";
  EXPECT_EQ(&names.items()[0], first);
  Names moved = std::move(names);
  EXPECT_EQ(moved.items(), std::vector<std::string>{"X"});
  names.push_back("002");  // a moved-from vector is empty and usable
  EXPECT_EQ(names.items(), std::vector<std::string>{"002"});
}

}  // namespace
}  // namespace kavrina
