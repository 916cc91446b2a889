// Knobs: the angle geometry, strip frame selection, the drawn and bitmap handles, mouse drags
// driven by the scripted pointer and clock (linear, circular, zoom, Alt, the gap), the wheel,
// the arrow keys and Control-click reset, each inside one edit bracket.
#include "gui/knob.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "gui/anim_knob.h"
#include "gui/constants.h"
#include "gui/offscreen_context.h"
#include "test_support.h"

namespace qtest {
namespace {

namespace hl = QGUI::platform::headless;
using QGUI::CPosition;
using QGUI::CRectangle;

constexpr std::uint32_t kLeft = QGUI::platform::physicalLeftButton;
constexpr std::uint32_t kShift = QGUI::platform::shiftKey;
constexpr std::uint32_t kAlt = QGUI::platform::altKey;

// ---- geometry -------------------------------------------------------------------------------

TEST(KnobGeometry, DefaultKnobRunsClockwiseFromLowerLeftToLowerRight) {
  hl::reset();
  QGUI::CKnob knob(CRectangle(0, 0, 80, 80), nullptr, 0, nullptr, nullptr, {});
  ASSERT_EQ(knob.getInset(), 3);
  struct Case {
    float value;
    CPosition point;  // radius 40, inset 3: the handle runs on a circle of 37
  };
  const Case cases[] = {
      {0.0f, {14, 66}},  // 225 degrees
      {0.5f, {40, 3}},   // straight up
      {1.0f, {66, 66}},  // -45 degrees
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    knob.setValue(c.value);
    CPosition p;
    knob.valueToPoint(p);
    EXPECT_EQ(p, c.point);
    EXPECT_NEAR(knob.valueFromPoint(p), c.value, 1e-6);
  }
}

TEST(KnobGeometry, ThePointsOfTheGapSnapToTheNearerEnd) {
  hl::reset();
  QGUI::CKnob clockwise(CRectangle(0, 0, 80, 80), nullptr, 0, nullptr, nullptr, {});
  QGUI::CKnob counterClockwise(CRectangle(0, 0, 80, 80), nullptr, 0, nullptr, nullptr, {});
  counterClockwise.setStartAngle(-0.7853982f);  // minimum at lower right
  counterClockwise.setRangeAngle(4.712389f);    // maximum at lower left
  struct Case {
    const char* name;
    CPosition point;
    float clockwise, counterClockwise;
  };
  const Case cases[] = {
      {"below the centre, slightly left", {39, 79}, 0.0f, 1.0f},
      {"below the centre, slightly right", {41, 79}, 1.0f, 0.0f},
      {"deep in the gap, left", {30, 79}, 0.0f, 1.0f},
      {"deep in the gap, right", {50, 79}, 1.0f, 0.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CPosition p = c.point;
    EXPECT_EQ(clockwise.valueFromPoint(p), c.clockwise);
    EXPECT_EQ(counterClockwise.valueFromPoint(p), c.counterClockwise);
  }
}

TEST(KnobGeometry, PointAndValueAgreeAllRoundInBothDirections) {
  hl::reset();
  // A large knob, so that the pixel grid costs little precision.
  QGUI::CKnob clockwise(CRectangle(0, 0, 800, 800), nullptr, 0, nullptr, nullptr, {});
  QGUI::CKnob counterClockwise(CRectangle(0, 0, 800, 800), nullptr, 0, nullptr, nullptr, {});
  counterClockwise.setStartAngle(-0.7853982f);
  counterClockwise.setRangeAngle(4.712389f);
  for (QGUI::CKnob* knob : {&clockwise, &counterClockwise}) {
    for (int i = 0; i <= 20; ++i) {
      const float v = static_cast<float>(i) / 20.0f;
      SCOPED_TRACE(testing::Message() << "range " << knob->getRangeAngle() << " value " << v);
      knob->setValue(v);
      CPosition p;
      knob->valueToPoint(p);
      EXPECT_NEAR(knob->valueFromPoint(p), v, 0.003);
    }
  }
}

TEST(KnobGeometry, ANonNumberValueGivesAPointNotUndefinedBehaviour) {
  hl::reset();
  QGUI::CKnob knob(CRectangle(0, 0, 80, 80), nullptr, 0, nullptr, nullptr, {});
  knob.setValue(std::numeric_limits<float>::quiet_NaN());
  CPosition p(-5, -5);
  knob.valueToPoint(p);
  EXPECT_EQ(p, CPosition(0, 0));
  knob.setRangeAngle(0.0f);  // a degenerate sweep: infinite value per radian
  knob.setValue(0.5f);
  knob.valueToPoint(p);
  SUCCEED();
}

TEST(KnobGeometry, AngleSettersRecomputeAndMarkDirty) {
  hl::reset();
  QGUI::CKnob knob(CRectangle(0, 0, 80, 80), nullptr, 0, nullptr, nullptr, {});
  knob.paint(nullptr);
  ASSERT_FALSE(knob.isDirty());
  knob.setStartAngle(3.1415927f);  // minimum at 9 o'clock
  EXPECT_TRUE(knob.isDirty());
  knob.setRangeAngle(-3.1415927f);  // half a turn clockwise: maximum at 3 o'clock
  knob.setValue(1.0f);
  CPosition p;
  knob.valueToPoint(p);
  EXPECT_EQ(p, CPosition(77, 40));
}

// ---- painting -------------------------------------------------------------------------------

TEST(AnimKnobPaint, ShowsTheFrameOfItsValue) {
  hl::reset();
  auto* strip = new RecordingBitmap(80, 4880);
  QGUI::CAnimKnob knob(CRectangle(10, 20, 90, 100), nullptr, 64, 61, 80, strip, {});
  struct Case {
    const char* name;
    float value;
    std::int32_t frame;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const Case cases[] = {
      {"minimum", 0.0f, 0},
      {"maximum", 1.0f, 60},
      {"middle", 0.5f, 30},
      {"just below the maximum", 0.999f, 59},
      {"negative", -0.2f, 0},
      {"not a number", nan, 0},
      {"a typed delay above 1", 1.0022727f, 60},
      {"far above the range", 1e30f, 60},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    strip->draws.clear();
    knob.setValue(c.value);
    knob.paint(nullptr);  // no context: nothing to draw on, but the choice is made
    knob.setTransparent(false);
    auto* context = new QGUI::COffscreenContext(nullptr, 100, 100, QGUI::kBlackColor);
    knob.paint(context);
    context->release();
    ASSERT_EQ(strip->draws.size(), 1u);
    EXPECT_FALSE(strip->draws[0].keyed);
    EXPECT_EQ(strip->draws[0].rect, CRectangle(10, 20, 90, 100));
    EXPECT_EQ(strip->draws[0].offset, CPosition(0, c.frame * 80));
    EXPECT_FALSE(knob.isDirty());
  }
  strip->release();
}

TEST(AnimKnobPaint, TransparentKnobDrawsKeyed) {
  hl::reset();
  auto* strip = new RecordingBitmap(80, 4880);
  QGUI::CAnimKnob knob(CRectangle(0, 0, 80, 80), nullptr, 64, strip, {});
  EXPECT_EQ(knob.getFrameCount(), 61);
  EXPECT_EQ(knob.getFrameHeight(), 80);
  knob.setTransparent(true);
  auto* context = new QGUI::COffscreenContext(nullptr, 80, 80, QGUI::kBlackColor);
  knob.paint(context);
  context->release();
  ASSERT_EQ(strip->draws.size(), 1u);
  EXPECT_TRUE(strip->draws[0].keyed);
  strip->release();
}

TEST(AnimKnobPaint, AChangeTooSmallToMoveTheHandlePointLeavesItClean) {
  hl::reset();
  auto* strip = new RecordingBitmap(80, 4880);
  QGUI::CAnimKnob knob(CRectangle(0, 0, 80, 80), nullptr, 64, 61, 80, strip, {});
  strip->release();  // the knob holds its own reference
  knob.setValue(0.5f);
  knob.paint(nullptr);
  ASSERT_FALSE(knob.isDirty());
  knob.setValue(0.501f);
  EXPECT_FALSE(knob.isDirty());
  knob.setValue(0.6f);
  EXPECT_TRUE(knob.isDirty());
  knob.paint(nullptr);
  knob.setDirty(true);
  EXPECT_TRUE(knob.isDirty()) << "the flag still forces a repaint";
}

TEST(KnobPaint, DrawsTheHandleAsAShadowLineAndALine) {
  hl::reset();
  QGUI::CKnob knob(CRectangle(0, 0, 80, 80), nullptr, 0, nullptr, nullptr, {});
  knob.setValue(0.5f);  // handle point (40, 3), straight up
  auto* context = new QGUI::COffscreenContext(nullptr, 80, 80, QGUI::kBlackColor);
  knob.paint(context);
  // Shadow from (39, 3) to the centre (39, 40); the line one pixel right and up.
  EXPECT_EQ(context->readPixel(CPosition(39, 20)), QGUI::kGreyColor);
  EXPECT_EQ(context->readPixel(CPosition(40, 20)), QGUI::kWhiteColor);
  EXPECT_EQ(context->readPixel(CPosition(40, 2)), QGUI::kWhiteColor);
  EXPECT_EQ(context->readPixel(CPosition(39, 3)), QGUI::kGreyColor);
  EXPECT_EQ(context->readPixel(CPosition(41, 20)), QGUI::kBlackColor);
  EXPECT_EQ(context->readPixel(CPosition(39, 41)), QGUI::kBlackColor);
  context->release();
}

TEST(KnobPaint, HandleBitmapIsCentredOnTheHandlePoint) {
  hl::reset();
  auto* handle = new RecordingBitmap(10, 10);
  QGUI::CKnob knob(CRectangle(100, 0, 180, 80), nullptr, 0, nullptr, handle, {});
  EXPECT_EQ(knob.getInset(), 7);  // trunc(0.5 x 10 + 2.5)
  knob.setValue(0.5f);            // handle point (40, 7)
  auto* context = new QGUI::COffscreenContext(nullptr, 200, 80, QGUI::kBlackColor);
  knob.paint(context);
  context->release();
  ASSERT_EQ(handle->draws.size(), 1u);
  EXPECT_TRUE(handle->draws[0].keyed);
  EXPECT_EQ(handle->draws[0].rect, CRectangle(135, 2, 145, 12));
  EXPECT_EQ(handle->draws[0].offset, CPosition(0, 0));

  knob.setHandleBitmap(nullptr);
  EXPECT_EQ(knob.getInset(), 7) << "removing the handle keeps the inset";
  EXPECT_EQ(handle->getNbReference(), 1);
  handle->release();
}

// ---- gestures ---------------------------------------------------------------------------------

// One step of a scripted drag: the pointer moves to a frame position, with these buttons and
// modifiers held from then on.
struct Move {
  std::int32_t x, y;
  std::uint32_t held = kLeft;
};

class KnobGestureTest : public EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    strip = new RecordingBitmap(80, 4880);
    knob = new QGUI::CAnimKnob(CRectangle(100, 0, 180, 80), &listener, 64, 61, 80, strip, {});
    strip->release();
    frame()->addChild(knob);
    knob->paint(nullptr);  // clean: only real changes reach the listener
    listener.onChange = [this](QGUI::CControl*) {
      bracketsAtChanges.push_back(hostLog().brackets());
    };
  }

  // Presses at press (frame coordinates) with pressHeld, moves through moves 20 ms apart
  // and releases everything 20 ms after the last move. Answers the values the listener saw.
  std::vector<float> drag(CPosition press, std::uint32_t pressHeld,
                          const std::vector<Move>& moves) {
    const std::uint32_t t0 = QGUI::platform::tickCount();
    hl::setInputState(pressHeld);
    pointAt(press.x, press.y);
    std::uint32_t t = t0;
    for (const Move& m : moves) {
      t += 20;
      pointAtTick(t, m.x, m.y);
      hl::scheduleState(t, m.held);
    }
    hl::scheduleState(t + 20, 0);
    QGUI::CDrawContext* context = newWindowContext();
    knob->mouseDown(context, press, -1);
    context->release();
    EXPECT_FALSE(hl::inputPollLimitReached()) << "the drag did not end by itself";
    std::vector<float> values;
    for (const ValueChange& c : listener.changes) values.push_back(c.value);
    return values;
  }

  static void expectValues(const std::vector<float>& actual, const std::vector<float>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_NEAR(actual[i], expected[i], 1e-5);
    }
  }

  // The listener hears of every processed position whose value differs from the value last
  // painted or while the knob is marked dirty; taking the focus at the press marks it dirty,
  // so the press position itself is always reported.
  RecordingListener listener;
  RecordingBitmap* strip = nullptr;
  QGUI::CAnimKnob* knob = nullptr;
  std::vector<std::string> bracketsAtChanges;
};

TEST_F(KnobGestureTest, LinearDragsFollowRightAndUp) {
  struct Case {
    const char* name;
    std::int32_t knobMode;
    std::uint32_t held;
    std::vector<Move> moves;
    std::vector<float> values;
  };
  const Case cases[] = {
      {"200 px right covers the range", 2, kLeft, {{240, 40}, {340, 40}}, {0.0f, 0.5f, 1.0f}},
      {"up counts like right", 2, kLeft, {{140, -60}}, {0.0f, 0.5f}},
      {"down and left decrease, held at the minimum",
       2,
       kLeft,
       {{190, 40}, {150, 80}},
       {0.0f, 0.25f, 0.0f}},
      {"with Shift 300 px cover the range",
       2,
       kLeft | kShift,
       {{290, 40, kLeft | kShift}, {440, 40, kLeft | kShift}},
       {0.0f, 0.5f, 1.0f}},
      {"Alt makes a circular mode linear",
       0,
       kLeft | kAlt,
       {{240, 40, kLeft | kAlt}},
       {0.0f, 0.5f}},
      {"beyond the maximum is clamped", 2, kLeft, {{400, 40}}, {0.0f, 1.0f}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    knob->setValue(0.0f);
    knob->paint(nullptr);
    listener.changes.clear();
    hostLog().calls.clear();
    gKnobMode = c.knobMode;
    expectValues(drag({140, 40}, c.held, c.moves), c.values);
    EXPECT_EQ(hostLog().brackets(), "begin 64, end 64");
  }
}

TEST_F(KnobGestureTest, PressingShiftMidDragChangesTheSpeedWithoutAJump) {
  gKnobMode = 2;
  // 100 px at full speed (0.5); Shift goes down with the move to 130 px, which still counts
  // at full speed (0.65); the next 30 px count at two thirds of it (0.75). Shift comes up
  // with the move to 190 px, which still counts at the slow speed (0.85); then full speed.
  const auto values = drag({140, 40}, kLeft,
                           {{240, 40},
                            {270, 40, kLeft | kShift},
                            {300, 40, kLeft | kShift},
                            {330, 40, kLeft},
                            {335, 40, kLeft}});
  expectValues(values, {0.0f, 0.5f, 0.65f, 0.75f, 0.85f, 0.875f});
}

TEST_F(KnobGestureTest, CircularDragsFollowTheAngle) {
  struct Case {
    const char* name;
    std::int32_t knobMode;
    std::uint32_t held;
  };
  const Case cases[] = {
      {"circular mode", 0, kLeft},
      {"relative circular mode behaves as circular", 1, kLeft},
      {"Alt makes the linear mode circular", 2, kLeft | kAlt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    knob->setValue(0.0f);
    knob->paint(nullptr);
    listener.changes.clear();
    gKnobMode = c.knobMode;
    // The press itself moves the knob to the angle clicked (straight up: 0.5); then to
    // 3 o'clock, a sixth of the sweep before the maximum.
    expectValues(drag({140, 0}, c.held, {{180, 40, c.held}}), {0.5f, 0.8333333f});
  }
}

TEST_F(KnobGestureTest, ACircularDragAcrossTheGapStaysAtTheEndItCameFrom) {
  gKnobMode = 0;
  // Press near the maximum (lower right), then through the bottom gap to the minimum end,
  // on to where the value would be 0.4, and back to 0.71.
  const auto values =
      drag({170, 70}, kLeft, {{141, 79}, {139, 79}, {110, 70}, {126, 13}, {170, 20}});
  expectValues(values, {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.7085571f});
}

TEST_F(KnobGestureTest, EveryChangeOfADragIsInsideOneBracket) {
  gKnobMode = 2;
  drag({140, 40}, kLeft, {{150, 40}, {160, 40}, {170, 40}});
  ASSERT_EQ(bracketsAtChanges.size(), 4u);
  for (const std::string& b : bracketsAtChanges) EXPECT_EQ(b, "begin 64");
  EXPECT_EQ(hostLog().brackets(), "begin 64, end 64");
  EXPECT_EQ(frame()->focusView(), knob) << "the drag took the focus";
}

TEST_F(KnobGestureTest, ControlClickResetsWithoutDragging) {
  knob->setValue(0.2f);
  knob->paint(nullptr);
  const std::int32_t polls = hl::inputPollCount();
  QGUI::CDrawContext* context = newWindowContext();
  knob->mouseDown(context, {140, 40}, QGUI::kModifierControl | QGUI::kButtonLeft);
  context->release();
  EXPECT_FLOAT_EQ(knob->getValue(), 0.5f);
  ASSERT_EQ(listener.changes.size(), 1u);
  EXPECT_EQ(bracketsAtChanges[0], "begin 64");
  EXPECT_EQ(hostLog().brackets(), "begin 64, end 64");
  EXPECT_EQ(hl::inputPollCount(), polls) << "no tracking loop";
}

TEST_F(KnobGestureTest, PressesThatStartNoGesture) {
  struct Case {
    const char* name;
    std::int32_t buttons;
    std::int32_t modifierAnswer;
    bool mouseEnabled;
  };
  using namespace QGUI;
  const Case cases[] = {
      {"right button", kButtonRight, 0, true},
      {"a modifier click the listener takes", kButtonLeft | kModifierShift, 1, true},
      {"mouse disabled", kButtonLeft, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    hostLog().calls.clear();
    listener.modifierAnswer = c.modifierAnswer;
    knob->enableMouse(c.mouseEnabled);
    QGUI::CDrawContext* context = newWindowContext();
    knob->mouseDown(context, {140, 0}, c.buttons);
    context->release();
    EXPECT_FLOAT_EQ(knob->getValue(), 0.0f);
    EXPECT_TRUE(listener.changes.empty());
    EXPECT_EQ(hostLog().brackets(), "");
  }
}

TEST_F(KnobGestureTest, WheelNotchesStepByTheWheelIncrement) {
  struct Case {
    const char* name;
    float start, distance;
    std::uint32_t held;
    float expected;
    bool reported;
  };
  const Case cases[] = {
      {"one notch", 0.5f, 1.0f, 0, 0.6f, true},
      {"one notch towards the user", 0.5f, -1.0f, 0, 0.4f, true},
      {"Shift makes it a tenth", 0.5f, 1.0f, kShift, 0.51f, true},
      {"half a notch", 0.5f, -0.5f, 0, 0.45f, true},
      {"at the maximum nothing changes", 1.0f, 1.0f, 0, 1.0f, false},
      {"clamped at the minimum", 0.05f, -1.0f, 0, 0.0f, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    knob->setValue(c.start);
    knob->paint(nullptr);
    listener.changes.clear();
    bracketsAtChanges.clear();
    hostLog().calls.clear();
    hl::setInputState(c.held);
    QGUI::CDrawContext* context = newWindowContext();
    EXPECT_TRUE(knob->handleWheel(context, {140, 40}, c.distance));
    context->release();
    EXPECT_NEAR(knob->getValue(), c.expected, 1e-6);
    EXPECT_EQ(listener.changes.size(), c.reported ? 1u : 0u);
    EXPECT_EQ(hostLog().brackets(), c.reported ? "begin 64, end 64" : "");
    if (c.reported) {
      EXPECT_EQ(bracketsAtChanges[0], "begin 64");
    }
  }
}

TEST_F(KnobGestureTest, ArrowKeysStepAndOtherKeysAreNotHandled) {
  struct Case {
    const char* name;
    unsigned char virt, modifier;
    std::int32_t answer;
    float expected;
  };
  const Case cases[] = {
      {"up", VKEY_UP, 0, 1, 0.6f},
      {"right", VKEY_RIGHT, 0, 1, 0.6f},
      {"down", VKEY_DOWN, 0, 1, 0.4f},
      {"left", VKEY_LEFT, 0, 1, 0.4f},
      {"up with Shift", VKEY_UP, MODIFIER_SHIFT, 1, 0.51f},
      {"left with Shift", VKEY_LEFT, MODIFIER_SHIFT, 1, 0.49f},
      {"page up", VKEY_PAGEUP, 0, -1, 0.5f},
      {"a character", 0, 0, -1, 0.5f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    knob->setValue(0.5f);
    knob->paint(nullptr);
    listener.changes.clear();
    hostLog().calls.clear();
    const VstKeyCode key{c.virt == 0 ? 'a' : 0, c.virt, c.modifier};
    EXPECT_EQ(knob->handleKeyDown(key), c.answer);
    EXPECT_NEAR(knob->getValue(), c.expected, 1e-6);
    const bool changed = c.answer == 1;
    EXPECT_EQ(listener.changes.size(), changed ? 1u : 0u);
    EXPECT_EQ(hostLog().brackets(), changed ? "begin 64, end 64" : "");
  }
}

TEST_F(KnobGestureTest, ArrowKeyAtTheMaximumIsHandledButNotReported) {
  knob->setValue(1.0f);
  knob->paint(nullptr);
  const VstKeyCode up{0, VKEY_UP, 0};
  EXPECT_EQ(knob->handleKeyDown(up), 1);
  EXPECT_TRUE(listener.changes.empty());
  EXPECT_EQ(hostLog().brackets(), "");
}

TEST(KnobKind, AnswersForItsClasses) {
  hl::reset();
  auto* strip = new RecordingBitmap(80, 4880);
  QGUI::CAnimKnob anim(CRectangle(0, 0, 80, 80), nullptr, 0, strip, {});
  QGUI::CKnob knob(CRectangle(0, 0, 80, 80), nullptr, 0, nullptr, nullptr, {});
  strip->release();
  for (const char* name : {"CAnimKnob", "CKnob", "CControl", "CView"})
    EXPECT_TRUE(anim.isKindOf(name)) << name;
  EXPECT_FALSE(knob.isKindOf("CAnimKnob"));
  EXPECT_TRUE(knob.isKindOf("CKnob"));
  EXPECT_TRUE(knob.acceptsFocus());
  EXPECT_FALSE(anim.isKindOf("CViewContainer"));
}

}  // namespace
}  // namespace qtest
