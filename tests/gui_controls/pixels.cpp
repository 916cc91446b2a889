// Pixel helpers of the drawing tests.
#include "pixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace qtest {

std::string savePicture(QGUI::CDrawContext* context, std::int32_t width, std::int32_t height,
                        const std::string& tag) {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = "gui_controls_";
  if (info) name += std::string(info->test_suite_name()) + "_" + info->name() + "_";
  name += tag + ".ppm";
  for (char& ch : name)
    if (ch == '/') ch = '_';
  if (FILE* f = std::fopen(name.c_str(), "wb")) {
    std::fprintf(f, "P6\n%d %d\n255\n", width, height);
    for (std::int32_t y = 0; y < height; ++y)
      for (std::int32_t x = 0; x < width; ++x) {
        const QGUI::CRgbaColor c = context->readPixel(QGUI::CPosition(x, y));
        const unsigned char rgb[3] = {c.red, c.green, c.blue};
        std::fwrite(rgb, 1, 3, f);
      }
    std::fclose(f);
  }
  return name;
}

QGUI::CRectangle boundingBox(QGUI::CDrawContext* context, const QGUI::CRectangle& area,
                             const std::function<bool(const QGUI::CRgbaColor&)>& test) {
  QGUI::CRectangle box;
  bool any = false;
  for (std::int32_t y = area.top; y < area.bottom; ++y)
    for (std::int32_t x = area.left; x < area.right; ++x) {
      if (!test(context->readPixel(QGUI::CPosition(x, y)))) continue;
      if (!any) {
        box = QGUI::CRectangle(x, y, x + 1, y + 1);
        any = true;
      } else {
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x + 1);
        box.bottom = std::max(box.bottom, y + 1);
      }
    }
  return box;
}

bool mostlyGreen(const QGUI::CRgbaColor& c) {
  return c.green > 100 && c.green > c.red + 60;
}

bool mostlyRed(const QGUI::CRgbaColor& c) {
  return c.red > 100 && c.red > c.green + 60;
}

bool differsFrom(const QGUI::CRgbaColor& c, const QGUI::CRgbaColor& from, int tolerance) {
  return std::abs(c.red - from.red) > tolerance || std::abs(c.green - from.green) > tolerance ||
         std::abs(c.blue - from.blue) > tolerance;
}

}  // namespace qtest
