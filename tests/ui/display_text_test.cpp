// Line breaks of message texts as the boxes display them.
#include "ui/display_text.h"

#include <gtest/gtest.h>

namespace kavrina::ui {
namespace {

TEST(DisplayText, EveryBreakSpellingIsOneLineFeed) {
  struct Row {
    const char* input;
    const char* shown;
  };
  const Row rows[] = {
      {"Firma: VELMAR\rPodaci su ucitani i aktivni.",
       "Firma: VELMAR\nPodaci su ucitani i aktivni."},
      {"a\r\nb", "a\nb"},
      {"a\n\rb", "a\nb"},
      {"a\nb", "a\nb"},
      {"a\r\rb", "a\n\nb"},      // two carriage returns: an empty line
      {"a\n\r\n\rb", "a\n\nb"},  // LF CR twice
      {"a\r\n\r\nb", "a\n\nb"},  // CR LF twice
      {"a\n\nb", "a\n\nb"},
      {"end\r", "end\n"},
      {"no breaks at all", "no breaks at all"},
      {"", ""},
  };
  for (const Row& row : rows) EXPECT_EQ(displayText(row.input), row.shown) << row.input;
}

}  // namespace
}  // namespace kavrina::ui
