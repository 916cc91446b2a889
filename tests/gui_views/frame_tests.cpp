// The frame on the headless back end: its window and class, idle redraw through the back buffer,
// paint requests, presses, keys, the wheel, focus and modal view, resizing with and without the
// host, the parent chain, cursors and the editor's questions.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "gui/control.h"
#include "gui/platform/input.h"
#include "shell/module_instance.h"
#include "views_test_support.h"

namespace views_test {
namespace {

constexpr CRgbaColor kRed{255, 0, 0, 255};
constexpr CRgbaColor kGreen{0, 255, 0, 255};
constexpr CRgbaColor kBlue{0, 0, 255, 255};

class FrameTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    hostWin = hostWindow(100, 200, 200, 100);
  }
  void TearDown() override {
    frame.reset();
    HeadlessTest::TearDown();
  }

  CFrame& makeFrame(AEffGUIEditor* editor = nullptr) {
    frame = std::make_unique<CFrame>(CRectangle(0, 0, 200, 100), hostWin, editor);
    return *frame;
  }
  platform::NativeWindow frameWindow() const {
    return platform::nativeWindow(frame->getFrameWindow());
  }
  RecordingView* addView(const CRectangle& rect, const char* name, CRgbaColor color = kRed) {
    auto* view = new RecordingView(rect, name, &log);
    view->fills = true;
    view->color = color;
    frame->addChild(view);
    return view;
  }
  // The window's first paint, as the window system asks for it after creation.
  void firstPaint() { headless::paintNow(frameWindow(), {0, 0, 200, 100}); }
  uint32_t windowPixel(int32_t x, int32_t y) const {
    return headless::windowPixel(frameWindow(), x, y);
  }
  void expectWindowPixel(int32_t x, int32_t y, CRgbaColor color, const char* what) {
    EXPECT_EQ(windowPixel(x, y), argb(color)) << what << " at (" << x << ", " << y << ")";
    if (windowPixel(x, y) != argb(color))
      headless::writeWindowPng(frameWindow(), std::string("gui_views_frame_") + what + ".png");
  }

  platform::NativeWindow hostWin = nullptr;
  std::unique_ptr<CFrame> frame;
  Log log;
};

// ---- window and class ---------------------------------------------------------------------------

TEST_F(FrameTest, TheWindowIsAChildOfTheHostWindowWithTheLibrarysClass) {
  makeFrame();
  ASSERT_EQ(headless::childWindows(hostWin).size(), 1u);
  platform::NativeWindow window = headless::childWindows(hostWin)[0];
  EXPECT_EQ(window, frameWindow());
  EXPECT_EQ(headless::windowTitle(window), "Window");

  char expectedClass[64];
  std::snprintf(expectedClass, sizeof expectedClass, "Plugin%p", gModuleInstance);
  char className[64] = "";
  ASSERT_TRUE(platform::windowClassName(window, className, sizeof className));
  EXPECT_STREQ(className, expectedClass);

  platform::WindowRect rect;
  ASSERT_TRUE(platform::windowScreenRect(window, rect));
  EXPECT_EQ(rect.left, 100);
  EXPECT_EQ(rect.top, 200);
  EXPECT_EQ(rect.right - rect.left, 200);
  EXPECT_EQ(rect.bottom - rect.top, 100);
  EXPECT_TRUE(frame->isOpen());
  EXPECT_EQ(frame->parentFrame, frame.get());
}

TEST_F(FrameTest, TheClassIsRegisteredOnceAndRemovedWithTheLastFrame) {
  auto first = std::make_unique<CFrame>(CRectangle(0, 0, 200, 100), hostWin, nullptr);
  auto second = std::make_unique<CFrame>(CRectangle(0, 0, 200, 100), hostWin, nullptr);
  EXPECT_EQ(headless::classRegistrations(windowClassName), 1);
  EXPECT_EQ(windowClassUseCount, 2);

  platform::NativeWindow firstWindow = platform::nativeWindow(first->getFrameWindow());
  first.reset();
  EXPECT_FALSE(headless::windowAlive(firstWindow));
  EXPECT_TRUE(headless::classRegistered(windowClassName));
  second.reset();
  EXPECT_FALSE(headless::classRegistered(windowClassName));
  EXPECT_EQ(windowClassUseCount, 0);
}

TEST_F(FrameTest, WithoutAParentWindowTheFrameWorksWithoutAWindow) {
  CFrame windowless(CRectangle(0, 0, 200, 100), nullptr, nullptr);
  EXPECT_EQ(windowless.getFrameWindow(), nullptr);
  EXPECT_EQ(windowClassUseCount, 0);
  EXPECT_TRUE(windowless.isOpen());
  EXPECT_TRUE(windowless.setDropActive(false));
  EXPECT_FALSE(windowless.setDropActive(true));
  EXPECT_FALSE(windowless.isDropActive());
  EXPECT_EQ(windowless.outerWindow(), nullptr);
  int32_t x = 0, y = 0;
  EXPECT_FALSE(windowless.getPosition(x, y));
  CRectangle rect;
  EXPECT_FALSE(windowless.hostWindowRect(rect));
}

TEST_F(FrameTest, UntilDropTargetsExistTheWindowIsNotRegisteredForDrops) {
  makeFrame();
  EXPECT_FALSE(frame->isDropActive());
  EXPECT_TRUE(frame->setDropActive(false));
  EXPECT_FALSE(frame->setDropActive(true));
  EXPECT_FALSE(frame->isDropActive());
}

TEST_F(FrameTest, AWindowDestroyedWithItsHostLeavesAClosedFrame) {
  makeFrame();
  RecordingView* view = addView(CRectangle(10, 10, 50, 50), "view");
  firstPaint();
  headless::destroyHostWindow(hostWin);
  EXPECT_FALSE(frame->isOpen());
  view->setDirty(true);
  frame->idle();
  EXPECT_EQ(view->paints, 1) << "no idle redraw once the window is gone";
  EXPECT_FALSE(frame->setSize(300, 200));
  int32_t x = 0, y = 0;
  EXPECT_FALSE(frame->getPosition(x, y));
  frame.reset();
  EXPECT_EQ(windowClassUseCount, 0);
}

// ---- idle redraw and painting
// --------------------------------------------------------------------

TEST_F(FrameTest, IdleDrawsNothingBeforeTheFirstPaintRequest) {
  makeFrame();
  RecordingView* view = addView(CRectangle(10, 10, 50, 50), "view");
  const auto pensBefore = headless::objectCounts().pensCreated;
  frame->idle();
  EXPECT_EQ(view->paints, 0);
  EXPECT_EQ(headless::objectCounts().pensCreated, pensBefore) << "not even a context was made";

  headless::postPaint(frameWindow(), {0, 0, 200, 100});
  EXPECT_EQ(headless::deliverPendingPaints(), 1);
  EXPECT_EQ(view->paints, 1);
  EXPECT_FALSE(view->isDirty());
  expectWindowPixel(20, 20, kRed, "first_paint");
}

TEST_F(FrameTest, IdleRedrawsOnlyTheDirtyViewsAndOnlyWhenThereAreAny) {
  makeFrame();
  RecordingView* left = addView(CRectangle(10, 10, 50, 50), "left", kRed);
  RecordingView* right = addView(CRectangle(100, 10, 150, 50), "right", kGreen);
  firstPaint();
  ASSERT_EQ(left->paints, 1);
  ASSERT_EQ(right->paints, 1);

  const auto pensBefore = headless::objectCounts().pensCreated;
  frame->idle();
  EXPECT_EQ(headless::objectCounts().pensCreated, pensBefore) << "nothing dirty: no context";

  right->color = kBlue;
  right->setDirty(true);
  frame->idle();
  EXPECT_EQ(left->paints, 1);
  EXPECT_EQ(right->paints, 2);
  EXPECT_FALSE(frame->isDirty());
  expectWindowPixel(120, 20, kBlue, "idle_redraw");
  expectWindowPixel(20, 20, kRed, "untouched_neighbour");
}

TEST_F(FrameTest, RefreshRedrawsEveryViewOverlappingADirtyOneInChildOrder) {
  makeFrame();
  RecordingView* below = addView(CRectangle(10, 10, 50, 50), "below", kRed);
  RecordingView* above = addView(CRectangle(30, 30, 70, 70), "above", kGreen);
  firstPaint();
  log.clear();
  below->setDirty(true);
  frame->idle();
  EXPECT_EQ(log, (Log{"below.paint", "above.paint"}));
  EXPECT_EQ(above->paints, 2);
  expectWindowPixel(40, 40, kGreen, "overlap_keeps_the_upper_view_on_top");
}

TEST_F(FrameTest, APaintRequestCopiesExactlyItsRectangleFromTheBackBuffer) {
  makeFrame();
  addView(CRectangle(10, 10, 90, 90), "view", kRed);
  headless::paintNow(frameWindow(), {0, 0, 50, 50});
  expectWindowPixel(20, 20, kRed, "inside_the_update");
  EXPECT_EQ(windowPixel(60, 60), argb(kBlackColor)) << "outside the update rectangle";

  COffscreenContext* buffer = frame->backBuffer();
  EXPECT_EQ(buffer->getWidth(), 200);
  EXPECT_EQ(buffer->getHeight(), 100);
  headless::paintNow(frameWindow(), {50, 50, 100, 100});
  EXPECT_EQ(frame->backBuffer(), buffer) << "one back buffer for every paint";
  expectWindowPixel(60, 60, kRed, "second_update");
}

TEST_F(FrameTest, PaintRequestsStillPaintWhileUpdatesAreDisabled) {
  makeFrame();
  RecordingView* view = addView(CRectangle(10, 10, 50, 50), "view");
  firstPaint();
  EXPECT_FALSE(frame->setUpdatesDisabled(true));
  EXPECT_TRUE(frame->updatesDisabled());
  view->setDirty(true);
  frame->idle();
  EXPECT_EQ(view->paints, 1);
  firstPaint();
  EXPECT_EQ(view->paints, 2);
  EXPECT_TRUE(frame->setUpdatesDisabled(false));
}

TEST_F(FrameTest, NewDrawContextHandsOutTheBackBufferWhileRefreshRuns) {
  makeFrame();
  RecordingView* view = addView(CRectangle(10, 10, 50, 50), "view");
  CDrawContext* during = nullptr;
  view->onPaint = [&](CDrawContext*) {
    during = frame->newDrawContext();
    during->release();
  };
  firstPaint();
  view->setDirty(true);
  frame->idle();
  EXPECT_EQ(during, frame->backBuffer());

  CDrawContext* outside = frame->newDrawContext();
  EXPECT_NE(outside, frame->backBuffer());
  EXPECT_EQ(outside->getWindow(), frame->getFrameWindow());
  outside->release();
}

TEST_F(FrameTest, PaintViewDrawsADirectChildAloneAndAnythingElseAsTheWholeFrame) {
  makeFrame();
  RecordingView* first = addView(CRectangle(10, 10, 50, 50), "first", kRed);
  RecordingView* second = addView(CRectangle(100, 10, 150, 50), "second", kGreen);
  frame->paintView(first);
  EXPECT_EQ(first->paints, 1);
  EXPECT_EQ(second->paints, 0);
  expectWindowPixel(20, 20, kRed, "painted_at_once");

  RecordingView stranger(CRectangle(0, 0, 5, 5), "stranger");
  frame->paintView(&stranger);
  EXPECT_EQ(stranger.paints, 0);
  EXPECT_EQ(first->paints, 2);
  EXPECT_EQ(second->paints, 1);

  second->color = kBlue;
  second->setDirty(true);
  second->redrawNow();
  expectWindowPixel(120, 20, kBlue, "redraw_now");
}

TEST_F(FrameTest, InvalidateMarksTheChildrenTouchingTheRectangleAndDrawsNothing) {
  makeFrame();
  RecordingView* touching = addView(CRectangle(10, 10, 50, 50), "touching");
  RecordingView* away = addView(CRectangle(100, 10, 150, 50), "away");
  firstPaint();
  frame->invalidate(CRectangle(50, 50, 60, 60));
  EXPECT_TRUE(touching->isDirty()) << "edges touch";
  EXPECT_FALSE(away->isDirty());
  EXPECT_EQ(touching->paints, 1);
}

// A control whose paint records itself; its dirty state comes from its value.
class ValueControl : public CControl {
 public:
  explicit ValueControl(const CRectangle& rect) : CControl(rect, nullptr, 1) {}
  void paint(CDrawContext*) override {
    ++paints;
    setDirty(false);
  }
  int32_t paints = 0;
};

TEST_F(FrameTest, AControlWhoseValueChangedIsRedrawnAtTheNextIdle) {
  makeFrame();
  auto* control = new ValueControl(CRectangle(10, 10, 50, 50));
  frame->addChild(control);
  firstPaint();
  ASSERT_EQ(control->paints, 1);
  control->setValue(control->getValue());
  frame->idle();
  EXPECT_EQ(control->paints, 1) << "the same value again";
  control->setValue(0.25f);
  EXPECT_TRUE(frame->isDirty());
  frame->idle();
  EXPECT_EQ(control->paints, 2);
  EXPECT_FALSE(frame->isDirty());
}

// ---- presses
// -------------------------------------------------------------------------------------

TEST_F(FrameTest, APressTakesTheFocusAwayBeforeAnyViewGetsIt) {
  makeFrame();
  RecordingView* field = addView(CRectangle(10, 10, 50, 50), "field");
  field->setAcceptsFocus(true);
  addView(CRectangle(100, 10, 150, 50), "knob");
  frame->setFocusView(field);
  log.clear();

  headless::pressButton(frameWindow(), 190, 90);  // over no view
  EXPECT_EQ(frame->focusView(), nullptr);
  EXPECT_EQ(log, (Log{"field.focusLost"}));

  frame->setFocusView(field);
  log.clear();
  headless::pressButton(frameWindow(), 120, 20);
  EXPECT_EQ(log, (Log{"field.focusLost", "knob.mouseDown"}));
}

TEST_F(FrameTest, PressesCarryTheButtonsHeldAndTwoPressesStayTwo) {
  headless::setButtonsSwapped(true);
  makeFrame();
  EXPECT_TRUE(mouseButtonsSwapped) << "read when the class was registered";
  RecordingView* view = addView(CRectangle(10, 10, 50, 50), "view");
  headless::setInputState(platform::physicalRightButton | platform::controlKey);
  headless::pressButton(frameWindow(), 20, 30);
  headless::pressButton(frameWindow(), 20, 30);
  EXPECT_EQ(view->presses, 2);
  EXPECT_EQ(view->lastWhere, CPosition(20, 30));
  EXPECT_EQ(view->lastButtons, kButtonLeft | kModifierControl);
}

// ---- keys and focus
// -------------------------------------------------------------------------------

TEST_F(FrameTest, TabMovesTheFocusThroughTheViewsThatTakeIt) {
  makeFrame();
  RecordingView* a = addView(CRectangle(0, 0, 10, 10), "a");
  a->setAcceptsFocus(true);
  addView(CRectangle(20, 0, 30, 10), "b");
  RecordingView* c = addView(CRectangle(40, 0, 50, 10), "c");
  c->setAcceptsFocus(true);

  struct Step {
    const char* name;
    unsigned char modifier;
    int32_t result;
    CView* focus;
  };
  const Step steps[] = {
      {"first Tab starts at the first", 0, 1, a},
      {"next skips the one that does not take the focus", 0, 1, c},
      {"past the last clears the focus", 0, -1, nullptr},
      {"and the next starts again", 0, 1, a},
      {"Shift+Tab before the first clears it", MODIFIER_SHIFT, -1, nullptr},
      {"Shift+Tab starts at the last", MODIFIER_SHIFT, 1, c},
      {"Shift+Tab walks backwards", MODIFIER_SHIFT, 1, a},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    EXPECT_EQ(frame->handleKeyDown(key(VKEY_TAB, step.modifier)), step.result);
    EXPECT_EQ(frame->focusView(), step.focus);
  }
  EXPECT_EQ(frame->handleKeyUp(key(VKEY_TAB)), -1) << "Tab means nothing on release";
  EXPECT_EQ(frame->handleKeyDown(key(VKEY_LEFT)), -1) << "nobody handles it";
}

TEST_F(FrameTest, TheFocusViewHearsKeysFirstThenTheModalView) {
  makeFrame();
  RecordingView* focus = addView(CRectangle(0, 0, 10, 10), "focus");
  focus->setAcceptsFocus(true);
  auto* modal = new RecordingView(CRectangle(50, 0, 100, 50), "modal", &log);
  frame->setFocusView(focus);
  frame->setModalView(modal);
  log.clear();

  focus->keyResult = 1;
  EXPECT_EQ(frame->handleKeyDown(key(VKEY_LEFT)), 1);
  EXPECT_EQ(log, (Log{"focus.keyDown"}));

  log.clear();
  focus->keyResult = -1;
  modal->keyResult = 5;
  EXPECT_EQ(frame->handleKeyUp(key(VKEY_LEFT)), 5);
  EXPECT_EQ(log, (Log{"focus.keyUp", "modal.keyUp"}));

  modal->keyResult = -1;
  EXPECT_EQ(frame->handleKeyDown(key(VKEY_TAB)), -1) << "no Tab focus moving while modal";
  EXPECT_EQ(frame->focusView(), focus);
  frame->setModalView(nullptr);
  modal->release();
}

TEST_F(FrameTest, SetFocusViewMarksViewsThatTakeTheFocus) {
  makeFrame();
  RecordingView* taker = addView(CRectangle(0, 0, 10, 10), "taker");
  taker->setAcceptsFocus(true);
  RecordingView* plain = addView(CRectangle(20, 0, 30, 10), "plain");
  firstPaint();
  frame->setFocusView(taker);
  EXPECT_TRUE(taker->isDirty());
  firstPaint();
  frame->setFocusView(plain);
  EXPECT_EQ(taker->focusLosses, 1);
  EXPECT_TRUE(taker->isDirty()) << "the old view is drawn without the focus";
  EXPECT_FALSE(plain->isDirty());
}

// ---- wheel
// ---------------------------------------------------------------------------------------

TEST_F(FrameTest, AWheelTurnReachesTheViewUnderThePointerInNotches) {
  makeFrame();
  RecordingView* view = addView(CRectangle(10, 10, 50, 50), "view");
  view->enableMouse(false);
  struct Case {
    int32_t delta;
    float distance;
  };
  const Case cases[] = {{-120, -1.0f}, {-60, -0.5f}, {240, 2.0f}};
  int32_t passedOn = headless::defaultProcessed(platform::WindowMessageKind::wheel);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.delta);
    headless::turnWheel(frameWindow(), 100 + 20, 200 + 30, c.delta);
    EXPECT_FLOAT_EQ(view->lastDistance, c.distance);
    EXPECT_EQ(view->lastWhere, CPosition(20, 30));
    EXPECT_EQ(headless::defaultProcessed(platform::WindowMessageKind::wheel), ++passedOn)
        << "the turn goes on to the parent as well";
  }
  EXPECT_TRUE(frame->handleWheel(nullptr, CPosition(20, 20), 1.0f)) << "a context is made";
  EXPECT_FALSE(frame->handleWheel(nullptr, CPosition(150, 80), 1.0f)) << "nothing there";
}

// ---- modal view
// ----------------------------------------------------------------------------------

TEST_F(FrameTest, AModalViewTakesEveryPressWheelTurnAndTheFirstRedraw) {
  makeFrame();
  RecordingView* below = addView(CRectangle(0, 0, 40, 100), "below");
  RecordingView* later = addView(CRectangle(120, 0, 200, 100), "later");
  auto* modal = new RecordingView(CRectangle(50, 20, 100, 60), "modal", &log);
  auto* other = new RecordingView(CRectangle(0, 0, 10, 10), "other");
  ASSERT_TRUE(frame->setModalView(modal));
  EXPECT_FALSE(frame->setModalView(other));
  EXPECT_EQ(frame->modalView(), modal);
  EXPECT_TRUE(frame->hasChild(modal));
  EXPECT_EQ(modal->references(), 2);
  firstPaint();
  log.clear();

  headless::pressButton(frameWindow(), 10, 10);
  EXPECT_EQ(below->presses, 0) << "outside the modal view a press reaches no view";
  headless::pressButton(frameWindow(), 60, 30);
  EXPECT_EQ(modal->presses, 1);
  EXPECT_EQ(below->presses, 0);

  headless::turnWheel(frameWindow(), 100 + 5, 200 + 5, -120);
  EXPECT_EQ(modal->lastDistance, -1.0f) << "wherever the pointer is";
  headless::setCursorPosition(100 + 5, 200 + 5);
  EXPECT_EQ(frame->childUnderMouse(), modal);

  log.clear();
  below->setDirty(true);
  later->setDirty(true);
  modal->setDirty(true);
  frame->idle();
  EXPECT_EQ(log, (Log{"modal.paint", "below.paint", "later.paint"}));

  EXPECT_TRUE(frame->setModalView(nullptr));
  EXPECT_FALSE(frame->hasChild(modal));
  EXPECT_EQ(modal->references(), 1) << "the caller's reference stays";
  headless::pressButton(frameWindow(), 10, 10);
  EXPECT_EQ(below->presses, 1);
  modal->release();
  other->release();
}

TEST_F(FrameTest, DestroyingTheFrameLeavesTheModalViewToItsCreator) {
  makeFrame();
  bool deleted = false;
  auto* modal = new RecordingView(CRectangle(0, 0, 10, 10), "modal");
  modal->deletedFlag = &deleted;
  frame->setModalView(modal);
  frame.reset();
  EXPECT_FALSE(deleted);
  EXPECT_EQ(modal->references(), 1);
  modal->release();
  EXPECT_TRUE(deleted);
}

// ---- editor
// ----------------------------------------------------------------------------------------

TEST_F(FrameTest, TheEditorsQuestionsGoThroughTheFrame) {
  auto* effect = new TestEffect;
  auto* editor = new TestEditor(effect);
  makeFrame(editor);
  EXPECT_EQ(frame->ownerEditor(), editor);
  RecordingView* view = addView(CRectangle(0, 0, 10, 10), "view");
  EXPECT_EQ(view->ownerEditor(), editor);

  headless::setTickCount(123456);
  EXPECT_EQ(frame->ticks(), 123456);
  frame->beginEdit(3);
  frame->endEdit(3);
  EXPECT_EQ(host().beginEdits, (std::vector<int32_t>{3}));
  EXPECT_EQ(host().endEdits, (std::vector<int32_t>{3}));
  gKnobMode = 2;
  EXPECT_EQ(frame->knobMode(), 2);
  frame.reset();
  delete effect;  // and with it the editor
}

TEST_F(FrameTest, WithoutAnEditorTheEditorsQuestionsAnswerNothing) {
  makeFrame();
  headless::setTickCount(5000);
  EXPECT_EQ(frame->ticks(), 0);
  EXPECT_EQ(frame->ownerEditor(), nullptr);
  frame->beginEdit(1);
  frame->endEdit(1);
  frame->idleStep();
  EXPECT_TRUE(host().beginEdits.empty());
  EXPECT_EQ(headless::sleepCount(), 0);
}

// ---- resizing
// ------------------------------------------------------------------------------------

class FrameResizeTest : public FrameTest {
 protected:
  static std::pair<int32_t, int32_t> sizeOf(platform::NativeWindow window) {
    platform::WindowRect rect;
    platform::windowScreenRect(window, rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
  }
};

TEST_F(FrameResizeTest, TheCurrentSizeChangesNothing) {
  makeFrame();
  COffscreenContext* buffer = frame->backBuffer();
  EXPECT_FALSE(frame->setSize(200, 100));
  EXPECT_EQ(frame->backBuffer(), buffer);
}

TEST_F(FrameResizeTest, AHostThatSizesTheWindowGetsAskedAndOnlyTheFrameWindowIsResized) {
  auto* effect = new TestEffect;
  auto* editor = new TestEditor(effect);
  host().canSizeWindow = true;
  host().agreesToSize = true;
  makeFrame(editor);
  firstPaint();
  frame->backBuffer();

  EXPECT_TRUE(frame->setSize(300, 120));
  EXPECT_EQ(host().sizeRequests, (std::vector<std::pair<int32_t, int32_t>>{{300, 120}}));
  EXPECT_EQ(sizeOf(frameWindow()), std::make_pair(300, 120));
  EXPECT_EQ(sizeOf(hostWin), std::make_pair(200, 100)) << "the hostWin sizes its own windows";
  CRectangle bounds;
  frame->getBounds(bounds);
  EXPECT_EQ(bounds, CRectangle(0, 0, 300, 120));
  EXPECT_EQ(frame->backBuffer()->getWidth(), 300) << "the old back buffer was dropped";

  frame.reset();
  delete effect;
}

TEST_F(FrameResizeTest, AHostThatRefusesLeavesTheResizingToTheFrame) {
  struct Case {
    const char* name;
    bool canSize;
    bool agrees;
  };
  const Case cases[] = {{"cannot size windows", false, false}, {"refuses this size", true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    resetAll();
    hostWin = hostWindow(100, 200, 200, 100, hostWindow(0, 0, 1000, 800));
    auto* effect = new TestEffect;
    auto* editor = new TestEditor(effect);
    host().canSizeWindow = c.canSize;
    host().agreesToSize = c.agrees;
    makeFrame(editor);
    EXPECT_TRUE(frame->setSize(250, 130));
    EXPECT_EQ(host().canDoQuestions, (std::vector<std::string>{"sizeWindow"}));
    EXPECT_EQ(sizeOf(frameWindow()), std::make_pair(250, 130));
    EXPECT_EQ(sizeOf(hostWin), std::make_pair(250, 130)) << "the frame resized its hostWin window";
    frame.reset();
    delete effect;
  }
}

TEST_F(FrameResizeTest, TheFrameClimbsTheParentChainAsFarAsTheWindowsFollowItsSize) {
  struct Ancestor {
    const char* className;
    int32_t width, height;
  };
  struct Case {
    const char* name;
    int32_t borderThickness;
    std::vector<Ancestor> ancestors;  // parent first, outermost last
    std::pair<int32_t, int32_t> frameSize;
    std::vector<std::pair<int32_t, int32_t>> ancestorSizes;
    bool frameDirty;  // the bounds were set through the container
  };
  const Case cases[] = {
      {"up to the window with a fixed border",
       3,
       {{"HostWindow", 200, 100}, {"HostWindow", 206, 106}, {"HostWindow", 1000, 800}},
       {250, 120},
       {{250, 120}, {256, 126}, {1000, 800}},
       true},
      {"a parent more than 80 pixels larger is the hostWin's",
       3,
       {{"HostWindow", 400, 300}, {"HostWindow", 1000, 800}},
       {250, 120},
       {{400, 300}, {1000, 800}},
       false},
      {"an MDI client stops the climb",
       3,
       {{"HostWindow", 200, 100}, {"MDIClient", 230, 130}, {"HostWindow", 1000, 800}},
       {250, 120},
       {{250, 120}, {230, 130}, {1000, 800}},
       true},
      {"without border thickness only the frame window",
       0,
       {{"HostWindow", 200, 100}, {"HostWindow", 1000, 800}},
       {250, 120},
       {{200, 100}, {1000, 800}},
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    resetAll();
    headless::setFixedFrameThickness(c.borderThickness);
    platform::NativeWindow parent = nullptr;
    std::vector<platform::NativeWindow> ancestors(c.ancestors.size());
    for (size_t i = c.ancestors.size(); i-- > 0;) {
      ancestors[i] = hostWindow(10, 20, c.ancestors[i].width, c.ancestors[i].height, parent,
                                c.ancestors[i].className);
      parent = ancestors[i];
    }
    hostWin = ancestors.front();
    makeFrame();
    firstPaint();
    EXPECT_TRUE(frame->setSize(250, 120));
    EXPECT_EQ(sizeOf(frameWindow()), c.frameSize);
    for (size_t i = 0; i < ancestors.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(sizeOf(ancestors[i]), c.ancestorSizes[i]);
    }
    CRectangle bounds;
    frame->getBounds(bounds);
    EXPECT_EQ(bounds, CRectangle(0, 0, 250, 120));
    EXPECT_EQ(frame->isDirty(), c.frameDirty);
    frame.reset();
  }
}

TEST_F(FrameResizeTest, SetBoundsResizesThroughSetSize) {
  makeFrame();
  frame->setBounds(CRectangle(10, 10, 310, 160));
  CRectangle bounds;
  frame->getBounds(bounds);
  EXPECT_EQ(bounds, CRectangle(0, 0, 300, 150)) << "the frame's corner stays at (0, 0)";
}

// ---- parent chain
// --------------------------------------------------------------------------------

TEST_F(FrameTest, TheOuterWindowIsTheFirstWithACaptionOrOfAnotherSize) {
  headless::HostWindowParams desktop;
  desktop.screenRect = {0, 0, 1920, 1080};
  platform::NativeWindow screen = headless::createHostWindow(desktop);

  struct Case {
    const char* name;
    bool caption;
    int32_t outerWidth, outerHeight;
    int32_t expectedLevel;  // 0 frame window, 1 its parent, 2 the captioned window
  };
  const Case cases[] = {
      {"a captioned window a little larger", true, 230, 150, 2},
      {"a plain window a little larger", false, 230, 150, 2},
      {"a window much larger", false, 400, 300, 1},
      {"a much larger window, even with a caption", true, 400, 300, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    headless::HostWindowParams outer;
    // A plain window of about the frame's size is only the answer as the top of the chain.
    outer.parent = c.expectedLevel == 2 && !c.caption ? nullptr : screen;
    outer.screenRect = {50, 60, 50 + c.outerWidth, 60 + c.outerHeight};
    outer.caption = c.caption;
    outer.clientLeft = 4;
    outer.clientTop = 24;
    platform::NativeWindow outerWindow = headless::createHostWindow(outer);
    headless::HostWindowParams inner;
    inner.parent = outerWindow;
    inner.screenRect = {54, 84, 54 + 200, 84 + 100};
    hostWin = headless::createHostWindow(inner);
    makeFrame();

    const platform::NativeWindow levels[] = {frameWindow(), hostWin, outerWindow};
    EXPECT_EQ(frame->outerWindow(), levels[c.expectedLevel]);

    int32_t x = 0, y = 0;
    EXPECT_TRUE(frame->getPosition(x, y));
    if (c.expectedLevel == 2) {
      EXPECT_EQ(x, 50) << "in the screen's or its parent's client area";
      EXPECT_EQ(y, 60);
    } else if (c.expectedLevel == 1) {
      EXPECT_EQ(x, 0) << "in its parent's client area";
      EXPECT_EQ(y, 0);
    }

    CRectangle rect;
    EXPECT_TRUE(frame->hostWindowRect(rect));
    EXPECT_EQ(rect, CRectangle(0, 0, 200, 100)) << "the hostWin window in its parent's client area";
    frame.reset();
  }
}

TEST_F(FrameTest, TheMouseLocationIsInFrameCoordinates) {
  makeFrame();
  headless::setCursorPosition(130, 240);
  CPosition where;
  EXPECT_TRUE(frame->mouseLocation(where));
  EXPECT_EQ(where, CPosition(30, 40));
}

// ---- cursors
// -------------------------------------------------------------------------------------

TEST_F(FrameTest, CursorKindsShowTheirShapesAndTheRestTheDefault) {
  makeFrame();
  // The cursor shown at the first call is the default one from then on.
  platform::setCursor(platform::loadSystemCursor(platform::SystemCursor::sizeAll));
  struct Case {
    int32_t kind;
    platform::SystemCursor shape;
  };
  using platform::SystemCursor;
  const Case cases[] = {
      {1, SystemCursor::wait},     {2, SystemCursor::sizeWE},   {3, SystemCursor::sizeNS},
      {0, SystemCursor::sizeAll},  {4, SystemCursor::sizeAll},  {5, SystemCursor::sizeNESW},
      {6, SystemCursor::sizeNWSE}, {7, SystemCursor::sizeAll},  {8, SystemCursor::no},
      {9, SystemCursor::hand},     {10, SystemCursor::sizeAll}, {-1, SystemCursor::sizeAll},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    frame->setCursor(static_cast<CursorKind>(c.kind));
    EXPECT_EQ(headless::currentCursorShape(), c.shape);
  }
  frame->setCursor(kCursorHand);
  frame.reset();
  EXPECT_EQ(headless::currentCursorShape(), SystemCursor::sizeAll) << "back to the default";
}

// ---- standalone operations
// -----------------------------------------------------------------------

TEST_F(FrameTest, AHostedFrameNeitherOpensNorClosesNorMovesWindows) {
  makeFrame();
  EXPECT_FALSE(frame->openWindow(CPosition(0, 0)));
  EXPECT_FALSE(frame->closeWindow());
  EXPECT_FALSE(frame->setPosition(10, 10));
  EXPECT_TRUE(frame->isOpen());
  frame->setOpenFlag(false);
  EXPECT_FALSE(frame->openFlag());
  frame->setOpenFlag(true);
}

}  // namespace
}  // namespace views_test
