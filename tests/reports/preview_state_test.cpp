// Paging of the preview with its clamping, the page text, and the page size of each view.
#include "reports/preview_state.h"

#include <gtest/gtest.h>

namespace kavrina::reports {
namespace {

TEST(PreviewState, StartsAtStranaOneOdOne) {
  PreviewState state;
  EXPECT_EQ(state.pageText(), "Strana 1 od 1");
}

TEST(PreviewState, PagingIsClampedAtBothEnds) {
  PreviewState state;
  state.reset(15);
  EXPECT_FALSE(state.previous());
  EXPECT_FALSE(state.first());
  EXPECT_EQ(state.pageText(), "Strana 1 od 15");
  EXPECT_TRUE(state.last());
  EXPECT_FALSE(state.next());
  EXPECT_EQ(state.pageText(), "Strana 15 od 15");
  EXPECT_FALSE(state.setPage(16));
  EXPECT_FALSE(state.setPage(0));
  EXPECT_FALSE(state.setPage(-3));
  EXPECT_EQ(state.page(), 15);
  EXPECT_TRUE(state.previous());
  EXPECT_TRUE(state.previous());
  EXPECT_TRUE(state.previous());
  EXPECT_EQ(state.pageText(), "Strana 12 od 15");
}

TEST(PreviewState, ANewDocumentOpensAtPageOneInTheNormalView) {
  PreviewState state;
  state.reset(15);
  state.last();
  state.setView(PreviewView::Zoom);
  state.reset(7);
  EXPECT_EQ(state.page(), 1);
  EXPECT_EQ(state.view(), PreviewView::Normal);
  EXPECT_EQ(state.pageText(), "Strana 1 od 7");
}

TEST(PreviewState, TypedPageNumbers) {
  PreviewState state;
  state.reset(15);
  struct {
    const char* typed;
    bool moves;
    int page;
  } cases[] = {{"12", true, 12}, {" 3 ", true, 3}, {"16", false, 3}, {"0", false, 3},
               {"-2", false, 3}, {"2x", false, 3}, {"", false, 3},   {"15", true, 15}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(state.goToTyped(c.typed), c.moves);
    EXPECT_EQ(state.page(), c.page);
  }
}

TEST(PreviewGeometry, ViewsScaleThePageAsTheToolbarSays) {
  // A4 portrait in a 762 x 500 area.
  const auto normal = pageSizeInView(PreviewView::Normal, 762, 500, 210, 297);
  EXPECT_EQ(normal.width, 662);
  EXPECT_EQ(normal.height, 936);  // 662 * 297 / 210
  const auto full = pageSizeInView(PreviewView::FullSize, 762, 500, 210, 297);
  EXPECT_EQ(full.height, 400);
  EXPECT_EQ(full.width, 283);  // 400 * 210 / 297
  const auto zoom = pageSizeInView(PreviewView::Zoom, 762, 500, 210, 297);
  EXPECT_EQ(zoom.height, 1404);  // 936 * 1.5
  EXPECT_EQ(zoom.width, 993);
  // Landscape: twice the normal height; the whole page limited by the width here.
  const auto wide = pageSizeInView(PreviewView::Zoom, 762, 500, 297, 210);
  EXPECT_EQ(wide.width, 1324);
  const auto wideFull = pageSizeInView(PreviewView::FullSize, 762, 2000, 297, 210);
  EXPECT_EQ(wideFull.width, 662);
  // A tiny area still gives a drawable page.
  const auto tiny = pageSizeInView(PreviewView::FullSize, 20, 20, 210, 297);
  EXPECT_GE(tiny.width, 1);
  EXPECT_GE(tiny.height, 1);
}

}  // namespace
}  // namespace kavrina::reports
