// The control base: the dirty rule against the value last painted, clamping, reset to the
// default value by Control-click, edit brackets and double-click timing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "gui/constants.h"
#include "test_support.h"

namespace qtest {
namespace {

namespace hl = QGUI::platform::headless;
using QGUI::CRectangle;

// The smallest concrete control: painting only records the value as painted.
class PlainControl : public QGUI::CControl {
 public:
  PlainControl(QGUI::CControlListener* listener, std::int32_t tag)
      : CControl(CRectangle(146, 24, 226, 104), listener, tag) {}
  void paint(QGUI::CDrawContext*) override { setDirty(false); }
};

TEST(ControlDirtyRule, FollowsTheValueLastPainted) {
  hl::reset();
  PlainControl control(nullptr, 0);
  EXPECT_TRUE(control.isDirty()) << "a fresh control is dirty";
  control.paint(nullptr);
  EXPECT_FALSE(control.isDirty());
  control.setValue(control.getValue());
  EXPECT_FALSE(control.isDirty()) << "the same value leaves it clean";
  control.setValue(0.25f);
  EXPECT_TRUE(control.isDirty());
  control.paint(nullptr);
  EXPECT_FALSE(control.isDirty());
  control.setDirty(true);
  EXPECT_TRUE(control.isDirty()) << "forced with an unchanged value";

  control.setValue(-1.0f);
  control.paint(nullptr);
  control.setDirty(true);
  EXPECT_TRUE(control.isDirty()) << "forcing works for a value of -1 too";
  EXPECT_EQ(control.getOldValue(), 0.0f);

  control.setValue(std::numeric_limits<float>::quiet_NaN());
  control.paint(nullptr);
  EXPECT_TRUE(control.isDirty()) << "a NaN value never equals the value painted";
}

TEST(ControlClamp, TestsTheMaximumFirst) {
  struct Case {
    const char* name;
    float value, min, max, expected;
  };
  const Case cases[] = {
      {"inside", 0.4f, 0.0f, 1.0f, 0.4f},
      {"above", 1.5f, 0.0f, 1.0f, 1.0f},
      {"below", -0.5f, 0.0f, 1.0f, 0.0f},
      {"above with max below min", 5.0f, 2.0f, 1.0f, 1.0f},
      {"between max and min crossed", 1.5f, 2.0f, 1.0f, 1.0f},
      {"below with max below min", 0.5f, 2.0f, 1.0f, 2.0f},
  };
  hl::reset();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlainControl control(nullptr, 0);
    control.setMin(c.min);
    control.setMax(c.max);
    control.setValue(c.value);
    control.clampValue();
    EXPECT_EQ(control.getValue(), c.expected);
  }
}

TEST(ControlKind, AnswersForItsOwnClassesOnly) {
  hl::reset();
  PlainControl control(nullptr, 0);
  EXPECT_TRUE(control.isKindOf("CControl"));
  EXPECT_TRUE(control.isKindOf("CView"));
  EXPECT_FALSE(control.isKindOf("CControlX"));
  EXPECT_FALSE(control.isKindOf("CKnob"));
}

TEST(ControlBackground, AlignsTheOffsetWithItsPosition) {
  hl::reset();
  PlainControl control(nullptr, 0);
  control.alignBackgroundOffset();
  EXPECT_EQ(control.getBackgroundOffset(), QGUI::CPosition(146, 24));
}

class ControlInFrameTest : public EditorFixture {
 protected:
  PlainControl* addControl(std::int32_t tag) {
    auto* control = new PlainControl(&listener, tag);
    frame()->addChild(control);
    return control;
  }
  RecordingListener listener;
};

TEST_F(ControlInFrameTest, ResetToDefaultNeedsExactlyControlAndLeftButton) {
  struct Case {
    const char* name;
    std::int32_t buttons;
    bool resets;
  };
  using namespace QGUI;
  const Case cases[] = {
      {"control + left", kModifierControl | kButtonLeft, true},
      {"control + shift + left", kModifierControl | kModifierShift | kButtonLeft, false},
      {"control + alt + left", kModifierControl | kModifierAlt | kButtonLeft, false},
      {"control + left + right", kModifierControl | kButtonLeft | kButtonRight, false},
      {"control alone", kModifierControl, false},
      {"left alone", kButtonLeft, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    hostLog().calls.clear();
    listener.changes.clear();
    PlainControl* control = addControl(64);
    control->setValue(0.2f);
    control->paint(nullptr);
    EXPECT_EQ(control->checkResetToDefault(nullptr, c.buttons), c.resets);
    EXPECT_FLOAT_EQ(control->getValue(), c.resets ? 0.5f : 0.2f);
    EXPECT_EQ(listener.changes.size(), c.resets ? 1u : 0u);
    EXPECT_EQ(hostLog().brackets(), c.resets ? "begin 64, end 64" : "");
    frame()->removeChild(control, true);
  }
}

TEST_F(ControlInFrameTest, ResetToAnUnchangedValueBracketsButDoesNotReport) {
  PlainControl* control = addControl(65);
  control->setDefaultValue(0.3f);
  control->setValue(0.3f);
  control->paint(nullptr);
  EXPECT_TRUE(control->checkResetToDefault(nullptr, QGUI::kModifierControl | QGUI::kButtonLeft));
  EXPECT_TRUE(listener.changes.empty());
  EXPECT_EQ(hostLog().brackets(), "begin 65, end 65");
}

TEST_F(ControlInFrameTest, BeginEditTakesTheFocus) {
  PlainControl* control = addControl(66);
  control->beginEdit();
  EXPECT_EQ(frame()->focusView(), control);
  control->endEdit();
  EXPECT_EQ(hostLog().brackets(), "begin 66, end 66");
}

TEST(ControlOutsideAFrame, BracketsAndIdleDoNothing) {
  hl::reset();
  hostLog().calls.clear();
  PlainControl control(nullptr, 64);
  control.beginEdit();
  control.idleStep();
  control.endEdit();
  EXPECT_TRUE(hostLog().calls.empty());
}

// Double clicks: the interval is the system's double-click time, at least 250 ms.
class DoubleClickTest : public EditorFixture {
 protected:
  // Clicks at the given ticks; answers which of them counted as double clicks.
  std::vector<bool> clicksAt(std::uint32_t systemTime, std::vector<std::uint32_t> ticks) {
    hl::setDoubleClickTime(systemTime);
    PlainControl* control = new PlainControl(nullptr, 0);
    frame()->addChild(control);
    std::vector<bool> doubles;
    for (std::uint32_t t : ticks) {
      hl::setTickCount(t);
      doubles.push_back(control->isDoubleClick());
    }
    frame()->removeChild(control, true);
    return doubles;
  }
};

TEST_F(DoubleClickTest, PairsClicksWithinTheInterval) {
  struct Case {
    const char* name;
    std::uint32_t systemTime;
    std::vector<std::uint32_t> ticks;
    std::vector<bool> expected;
  };
  const Case cases[] = {
      {"249 ms apart with a 100 ms system time", 100, {1000, 1249}, {false, true}},
      {"exactly the interval apart", 100, {1000, 1250}, {false, false}},
      {"the system time when above 250",
       400,
       {1000, 1399, 2000, 2400},
       {false, true, false, false}},
      {"a third click starts a new pair",
       500,
       {1000, 1100, 1200, 1300},
       {false, true, false, true}},
      {"late second click becomes a first click", 500, {1000, 1600, 1700}, {false, false, true}},
      {"past 2^31 ticks", 500, {0x80000010u, 0x80000100u}, {false, true}},
      {"across the counter wrap", 500, {0xFFFFFF00u, 0x00000010u}, {false, true}},
      {"first click at tick 0", 500, {0, 100}, {false, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(clicksAt(c.systemTime, c.ticks), c.expected);
  }
}

}  // namespace
}  // namespace qtest
