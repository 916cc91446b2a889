// The progress bar's text and its redraw throttling.
#include <gtest/gtest.h>

#include <sstream>

#include "host/progress_bar.h"

namespace hosttest {
namespace {

using plughost::ProgressBar;

TEST(ProgressBar, Render) {
  struct Case {
    std::int64_t done, total;
    int width;
    const char* text;
  };
  const Case cases[] = {
      {0, 100, 10, "[----------]   0%"},
      {50, 100, 10, "[#####-----]  50%"},
      {99, 100, 10, "[#########-]  99%"},  // never full before the end
      {100, 100, 10, "[##########] 100%"},
      {250, 100, 4, "[####] 100%"},      // clamped
      {-3, 100, 4, "[----]   0%"},
      {1, 3, 3, "[#--]  33%"},
      {12345, 0, 10, "12345 frames"},    // length unknown
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ProgressBar::render(c.done, c.total, c.width), c.text);
  }
}

TEST(ProgressBar, RedrawsOnlyWhenThePercentageChanges) {
  std::ostringstream out;
  ProgressBar bar(out, 1000000, 20);
  for (std::int64_t done = 0; done <= 1000000; done += 100) bar.update(done);
  bar.finish();
  const std::string text = out.str();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 101);
  EXPECT_EQ(text.back(), '\n');
  EXPECT_NE(text.find("[####################] 100%"), std::string::npos);
}

}  // namespace
}  // namespace hosttest
