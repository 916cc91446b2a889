// View trees: hit testing, routing of presses, keys, wheel turns and drags, dirty rules,
// partial repaint, focus moving, coordinates, reference counts and attributes.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "gui/bitmap.h"
#include "gui/platform/input.h"
#include "views_test_support.h"

namespace views_test {
namespace {

class ViewTree : public HeadlessTest {
 protected:
  // A frame without a window: every view operation works, nothing reaches a screen.
  std::unique_ptr<CFrame> frame =
      std::make_unique<CFrame>(CRectangle(0, 0, 200, 100), nullptr, nullptr);
  Log log;

  RecordingView* addView(CViewContainer& parent, const CRectangle& rect, const char* name) {
    auto* view = new RecordingView(rect, name, &log);
    parent.addChild(view);
    return view;
  }
  RecordingContainer* addContainer(CViewContainer& parent, const CRectangle& rect) {
    auto* container = new RecordingContainer(rect, frame.get());
    parent.addChild(container);
    return container;
  }
  void TearDown() override {
    frame.reset();
    HeadlessTest::TearDown();
  }
};

// ---- hit testing
// ----------------------------------------------------------------------------------

TEST_F(ViewTree, ViewAtPointIncludesAllFourEdgesOfTheMouseArea) {
  RecordingContainer* container = addContainer(*frame, CRectangle(20, 10, 120, 90));
  RecordingView* child = addView(*container, CRectangle(10, 10, 30, 30), "child");

  struct Case {
    const char* name;
    CPosition where;  // in the frame, the container's parent
    bool hits;
  };
  const Case cases[] = {
      {"top-left corner", {30, 20}, true},
      {"bottom-right corner", {50, 40}, true},
      {"inside", {40, 30}, true},
      {"left of the left edge", {29, 30}, false},
      {"right of the right edge", {51, 30}, false},
      {"above the top edge", {40, 19}, false},
      {"below the bottom edge", {40, 41}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(container->viewAtPoint(c.where), c.hits ? child : nullptr);
    EXPECT_EQ(frame->viewAtPoint(c.where, true), c.hits ? static_cast<CView*>(child) : nullptr);
  }
  // Not deep: the frame answers its own child, the container.
  EXPECT_EQ(frame->viewAtPoint(CPosition(40, 30), false), container);
}

TEST_F(ViewTree, LookupsIgnoreMouseEnablingAndNeedAFrame) {
  RecordingView* child = addView(*frame, CRectangle(10, 10, 30, 30), "child");
  child->enableMouse(false);
  EXPECT_EQ(frame->viewAtPoint(CPosition(20, 20)), child);

  CViewContainer orphan(CRectangle(0, 0, 100, 100), nullptr);
  auto* view = new RecordingView(CRectangle(0, 0, 50, 50), "orphaned");
  orphan.addChild(view);
  view->release();
  EXPECT_EQ(orphan.viewAtPoint(CPosition(10, 10)), nullptr);
  EXPECT_EQ(orphan.childUnderMouse(), nullptr);
}

TEST_F(ViewTree, TheMouseAreaStaysWhereItWasWhenTheBoundsMove) {
  RecordingView* child = addView(*frame, CRectangle(10, 10, 30, 30), "child");
  child->setBounds(CRectangle(100, 50, 120, 70));
  EXPECT_EQ(frame->viewAtPoint(CPosition(20, 20)), child);
  EXPECT_EQ(frame->viewAtPoint(CPosition(110, 60)), nullptr);
  EXPECT_TRUE(child->isDirty());
}

TEST_F(ViewTree, ChildUnderMouseUsesTheFrameMouseLocationInInnerCoordinates) {
  RecordingContainer* container = addContainer(*frame, CRectangle(20, 10, 120, 90));
  RecordingView* child = addView(*container, CRectangle(10, 10, 30, 30), "child");
  headless::setCursorPosition(50, 40);  // no window: frame coordinates are screen coordinates
  EXPECT_EQ(container->childUnderMouse(), child);
  headless::setCursorPosition(51, 40);
  EXPECT_EQ(container->childUnderMouse(), nullptr);
}

// ---- presses
// --------------------------------------------------------------------------------------

TEST_F(ViewTree, APressGoesToTheTopmostMouseEnabledChildOnly) {
  RecordingView* lower = addView(*frame, CRectangle(10, 10, 50, 50), "lower");
  RecordingView* upper = addView(*frame, CRectangle(30, 30, 70, 70), "upper");
  auto* context = new CDrawContext(frame.get(), nullptr, nullptr);
  log.clear();

  frame->mouseDown(context, CPosition(40, 40), kButtonLeft);
  EXPECT_EQ(log, (Log{"upper.mouseDown"}));

  log.clear();
  frame->mouseDown(context, CPosition(20, 20), kButtonLeft);
  EXPECT_EQ(log, (Log{"lower.mouseDown"}));

  log.clear();
  upper->enableMouse(false);
  frame->mouseDown(context, CPosition(40, 40), kButtonLeft);
  EXPECT_EQ(log, (Log{"lower.mouseDown"}));

  log.clear();
  frame->mouseDown(context, CPosition(150, 90), kButtonLeft);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(lower->lastContext, context);
  context->release();
}

TEST_F(ViewTree, APressReachesANestedChildInItsParentsCoordinates) {
  RecordingContainer* container = addContainer(*frame, CRectangle(20, 10, 120, 90));
  RecordingView* child = addView(*container, CRectangle(10, 10, 30, 30), "child");
  auto* context = new CDrawContext(frame.get(), nullptr, nullptr);
  frame->mouseDown(context, CPosition(35, 25), kButtonRight);
  EXPECT_EQ(child->presses, 1);
  EXPECT_EQ(child->lastWhere, CPosition(15, 15));
  EXPECT_EQ(child->lastButtons, kButtonRight);
  context->release();
}

TEST_F(ViewTree, UnknownButtonsAreReadFromTheContextOnce) {
  RecordingView* child = addView(*frame, CRectangle(10, 10, 50, 50), "child");
  auto* context = new CDrawContext(frame.get(), nullptr, nullptr);
  headless::setInputState(platform::physicalLeftButton | platform::shiftKey);
  frame->mouseDown(context, CPosition(20, 20), -1);
  EXPECT_EQ(child->lastButtons, kButtonLeft | kModifierShift);

  // A container given -1 without a context passes -1 on.
  RecordingContainer* container = addContainer(*frame, CRectangle(100, 0, 200, 100));
  RecordingView* inner = addView(*container, CRectangle(0, 0, 50, 50), "inner");
  container->mouseDown(nullptr, CPosition(110, 10), -1);
  EXPECT_EQ(inner->lastButtons, -1);
  context->release();
}

// ---- keys and wheel
// -------------------------------------------------------------------------------

TEST_F(ViewTree, KeysAreOfferedLastToFirstUntilOneIsHandled) {
  RecordingContainer* container = addContainer(*frame, CRectangle(0, 0, 200, 100));
  EXPECT_EQ(container->handleKeyDown(key(VKEY_LEFT)), -1);

  RecordingView* first = addView(*container, CRectangle(0, 0, 10, 10), "first");
  RecordingView* last = addView(*container, CRectangle(0, 0, 10, 10), "last");
  last->keyResult = 1;
  log.clear();
  EXPECT_EQ(container->handleKeyDown(key(VKEY_LEFT)), 1);
  EXPECT_EQ(log, (Log{"last.keyDown"}));

  log.clear();
  last->keyResult = -1;
  first->keyResult = 7;
  EXPECT_EQ(container->handleKeyUp(key(VKEY_LEFT)), 7);
  EXPECT_EQ(log, (Log{"last.keyUp", "first.keyUp"}));
}

TEST_F(ViewTree, TheWheelReachesTheViewUnderThePointerWithShiftedOffsets) {
  RecordingContainer* container = addContainer(*frame, CRectangle(20, 10, 120, 90));
  RecordingView* child = addView(*container, CRectangle(10, 10, 30, 30), "child");
  child->enableMouse(false);  // the wheel does not look at it
  auto* context = new CDrawContext(frame.get(), nullptr, nullptr);
  context->offset = CPosition(3, 4);

  EXPECT_TRUE(frame->handleWheel(context, CPosition(35, 25), -1.0f));
  EXPECT_EQ(child->lastWhere, CPosition(15, 15));
  EXPECT_EQ(child->lastDistance, -1.0f);
  EXPECT_EQ(child->lastContextOffset, CPosition(23, 14));
  EXPECT_EQ(context->offset, CPosition(3, 4));

  child->wheelResult = false;
  EXPECT_FALSE(frame->handleWheel(context, CPosition(35, 25), 1.0f));
  EXPECT_FALSE(frame->handleWheel(context, CPosition(5, 5), 1.0f)) << "nothing under the pointer";
  context->release();
}

TEST_F(ViewTree, EveryWheelAxisReachesAPlainViewsHandler) {
  RecordingView* child = addView(*frame, CRectangle(10, 10, 30, 30), "child");
  for (WheelAxis axis : {kWheelAxisHorizontal, kWheelAxisVertical}) {
    SCOPED_TRACE(axis);
    child->lastDistance = 0.0f;
    EXPECT_TRUE(frame->handleWheelOnAxis(nullptr, CPosition(20, 20), axis, 0.5f));
    EXPECT_EQ(child->lastDistance, 0.5f);
  }
}

// ---- drags
// ------------------------------------------------------------------------------------------

TEST_F(ViewTree, DragsFollowThePointerFromChildToChildAndEndWithALeave) {
  addView(*frame, CRectangle(10, 10, 50, 50), "a");
  addView(*frame, CRectangle(100, 10, 150, 50), "b");
  auto* context = new CDrawContext(frame.get(), nullptr, nullptr);
  log.clear();
  frame->handleDragEnter(context, nullptr, CPosition(20, 20));
  frame->handleDragMove(context, nullptr, CPosition(25, 25));
  frame->handleDragMove(context, nullptr, CPosition(75, 25));
  frame->handleDragMove(context, nullptr, CPosition(120, 25));
  EXPECT_TRUE(frame->handleDrop(context, nullptr, CPosition(120, 30)));
  EXPECT_EQ(log, (Log{"a.dragEnter", "a.dragMove", "a.dragLeave", "b.dragEnter", "b.drop",
                      "b.dragLeave"}));

  log.clear();
  frame->handleDragEnter(context, nullptr, CPosition(20, 20));
  EXPECT_FALSE(frame->handleDrop(context, nullptr, CPosition(75, 75)));
  EXPECT_EQ(log, (Log{"a.dragEnter", "a.dragLeave"}));
  context->release();
}

// ---- dirty state
// ----------------------------------------------------------------------------------

TEST_F(ViewTree, AContainerIsDirtyOnlyThroughChildrenVisibleInsideIt) {
  RecordingContainer* container = addContainer(*frame, CRectangle(0, 0, 100, 80));
  struct Case {
    const char* name;
    CRectangle childBounds;
    bool containerDirty;
  };
  const Case cases[] = {
      {"inside", {10, 10, 20, 20}, true},
      {"partly outside", {90, 70, 120, 100}, true},
      {"wholly outside", {200, 200, 210, 210}, false},
      {"touching the right edge from outside", {100, 10, 110, 20}, false},
      {"zero width inside", {10, 10, 10, 20}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* child = new RecordingView(c.childBounds, "child");
    container->addChild(child);
    container->setDirty(false);
    EXPECT_TRUE(child->isDirty()) << "adding marks the child dirty";
    EXPECT_EQ(container->isDirty(), c.containerDirty);
    child->setDirty(false);
    EXPECT_FALSE(container->isDirty()) << "setDirty does not reach the parent's own flag";
    container->removeChild(child, true);
  }
  EXPECT_FALSE(container->isDirty());
  container->setDirty(true);
  EXPECT_TRUE(container->isDirty());
}

TEST_F(ViewTree, APartlyRepaintedChildStaysDirtyUntilItIsDrawnWhole) {
  RecordingView* child = addView(*frame, CRectangle(10, 10, 50, 50), "child");
  COffscreenContext* buffer = frame->backBuffer();

  frame->paintArea(buffer, CRectangle(0, 0, 30, 100));
  EXPECT_EQ(child->paints, 1);
  EXPECT_TRUE(child->isDirty()) << "only its left part was drawn";

  frame->paintArea(buffer, CRectangle(0, 0, 200, 100));
  EXPECT_EQ(child->paints, 2);
  EXPECT_FALSE(child->isDirty());

  // A clean child drawn in part stays clean.
  frame->paintArea(buffer, CRectangle(0, 0, 30, 100));
  EXPECT_FALSE(child->isDirty());
}

TEST_F(ViewTree, PaintAreaSkipsChildrenOutsideTheUpdateOrWithoutVisiblePart) {
  RecordingView* inside = addView(*frame, CRectangle(10, 10, 30, 30), "inside");
  RecordingView* touching = addView(*frame, CRectangle(40, 10, 60, 30), "touching");
  RecordingView* away = addView(*frame, CRectangle(100, 10, 120, 30), "away");
  frame->paintArea(frame->backBuffer(), CRectangle(0, 0, 40, 40));
  EXPECT_EQ(inside->paints, 1);
  EXPECT_EQ(touching->paints, 0) << "touches the update rectangle but nothing of it shows";
  EXPECT_EQ(away->paints, 0);
}

TEST_F(ViewTree, DirtyOnlyRefreshRedrawsJustTheDirtyChildOfANestedContainer) {
  RecordingContainer* container = addContainer(*frame, CRectangle(20, 10, 120, 90));
  RecordingView* dirtyChild = addView(*container, CRectangle(0, 0, 20, 20), "dirty");
  RecordingView* farChild = addView(*container, CRectangle(60, 40, 80, 60), "far");
  frame->paint(frame->backBuffer());
  ASSERT_FALSE(frame->isDirty());
  dirtyChild->paints = farChild->paints = 0;

  dirtyChild->setDirty(true);
  ASSERT_TRUE(frame->isDirty());
  container->refresh(frame->backBuffer());
  EXPECT_EQ(dirtyChild->paints, 1);
  EXPECT_EQ(farChild->paints, 0);
  EXPECT_FALSE(frame->isDirty());

  container->setUpdateMode(updateWhole);
  farChild->setDirty(true);
  container->refresh(frame->backBuffer());
  EXPECT_EQ(dirtyChild->paints, 2) << "the whole container is drawn again";
  EXPECT_EQ(farChild->paints, 1);
}

// ---- painting
// -------------------------------------------------------------------------------------

struct PaintScene {
  CFrame* frame;
  RecordingContainer* container;
};

// A blue container at (10, 10) with a red child and a green child added after it, overlapping.
PaintScene buildScene(CFrame& frame) {
  auto* container = new RecordingContainer(CRectangle(10, 10, 110, 90), &frame);
  container->setBackgroundColor(CRgbaColor{0, 0, 255, 255});
  frame.addChild(container);
  auto* red = new RecordingView(CRectangle(10, 10, 50, 50), "red");
  red->fills = true;
  red->color = CRgbaColor{255, 0, 0, 255};
  container->addChild(red);
  auto* green = new RecordingView(CRectangle(30, 30, 70, 70), "green");
  green->fills = true;
  green->color = CRgbaColor{0, 255, 0, 255};
  container->addChild(green);
  return {&frame, container};
}

void expectPixel(COffscreenContext* context, CPosition where, CRgbaColor expected,
                 const char* what) {
  const CRgbaColor got = context->readPixel(where);
  EXPECT_EQ(got, expected) << what << " at (" << where.x << ", " << where.y << ")";
  if (!(got == expected)) {
    const std::string path = std::string("gui_views_") + what + ".png";
    headless::writeImagePng(headless::surfaceImage(context->getSystemContext()), path.c_str());
  }
}

TEST_F(ViewTree, AContainerPaintsItsBackgroundThenItsChildrenInOrder) {
  buildScene(*frame);
  COffscreenContext* buffer = frame->backBuffer();
  frame->paint(buffer);
  expectPixel(buffer, {25, 25}, CRgbaColor{255, 0, 0, 255}, "first_child");
  expectPixel(buffer, {45, 45}, CRgbaColor{0, 255, 0, 255}, "overlap_shows_last_child");
  expectPixel(buffer, {100, 80}, CRgbaColor{0, 0, 255, 255}, "container_background");
  expectPixel(buffer, {150, 50}, CRgbaColor{0, 0, 0, 255}, "outside_the_container");
}

TEST_F(ViewTree, DrawingOffscreenGivesTheSamePixelsAsDrawingDirectly) {
  auto drawScene = [](bool offscreen, const CRectangle& update) {
    CFrame sceneFrame(CRectangle(0, 0, 200, 100), nullptr, nullptr);
    PaintScene scene = buildScene(sceneFrame);
    scene.container->setDrawOffscreen(offscreen);
    auto* target = new COffscreenContext(&sceneFrame, 200, 100, kBlackColor);
    if (update.isEmpty())
      sceneFrame.paint(target);
    else
      sceneFrame.paintArea(target, update);
    std::vector<CRgbaColor> pixels;
    for (int32_t y = 0; y < 100; ++y)
      for (int32_t x = 0; x < 200; ++x) pixels.push_back(target->readPixel({x, y}));
    target->release();
    return pixels;
  };
  const CRectangle updates[] = {CRectangle(), CRectangle(35, 35, 90, 70), CRectangle(0, 0, 40, 30)};
  for (const CRectangle& update : updates) {
    SCOPED_TRACE(update.isEmpty() ? "whole paint" : "paint of an area");
    const auto direct = drawScene(false, update);
    const auto offscreen = drawScene(true, update);
    ASSERT_EQ(direct.size(), offscreen.size());
    int32_t differing = 0;
    for (size_t i = 0; i < direct.size(); ++i) differing += direct[i] == offscreen[i] ? 0 : 1;
    EXPECT_EQ(differing, 0);
  }
}

TEST_F(ViewTree, AnOffscreenContainerKeepsItsSurfaceOnlyWhileAttachedAndOffscreen) {
  auto* container = new RecordingContainer(CRectangle(0, 0, 40, 30), frame.get());
  container->setDrawOffscreen(true);
  frame->addChild(container);
  ASSERT_NE(container->offscreenContext(), nullptr) << "made on attach";
  EXPECT_EQ(container->offscreenContext()->getWidth(), 40);

  container->setBounds(CRectangle(0, 0, 60, 50));
  ASSERT_NE(container->offscreenContext(), nullptr);
  EXPECT_EQ(container->offscreenContext()->getWidth(), 60) << "rebuilt at the new size";

  container->setDrawOffscreen(false);
  EXPECT_EQ(container->offscreenContext(), nullptr);
}

// ---- focus
// ----------------------------------------------------------------------------------------

TEST_F(ViewTree, MoveFocusReachesAFocusableViewInsideANestedContainer) {
  addView(*frame, CRectangle(0, 0, 10, 10), "plain");
  RecordingContainer* nested = addContainer(*frame, CRectangle(20, 0, 80, 50));
  RecordingView* inner = addView(*nested, CRectangle(0, 0, 10, 10), "inner");
  inner->setAcceptsFocus(true);
  RecordingView* last = addView(*frame, CRectangle(100, 0, 110, 10), "last");
  last->setAcceptsFocus(true);

  EXPECT_TRUE(frame->CViewContainer::moveFocus(nullptr, false));
  EXPECT_EQ(frame->focusView(), inner);
  EXPECT_TRUE(frame->CViewContainer::moveFocus(nullptr, true));
  EXPECT_EQ(frame->focusView(), last);
  EXPECT_FALSE(frame->CViewContainer::moveFocus(last, false)) << "nothing after the last";
}

// ---- coordinates
// ------------------------------------------------------------------------------------

TEST_F(ViewTree, PointsConvertThroughEveryEnclosingContainer) {
  RecordingContainer* outer = addContainer(*frame, CRectangle(20, 10, 180, 90));
  RecordingContainer* inner = addContainer(*outer, CRectangle(5, 7, 100, 70));
  RecordingView* view = addView(*inner, CRectangle(1, 1, 10, 10), "view");

  CPosition point(1, 2);
  EXPECT_EQ(view->pointToFrame(point), CPosition(26, 19));
  EXPECT_EQ(view->pointFromFrame(point), CPosition(1, 2));
  CPosition origin(0, 0);
  EXPECT_EQ(inner->pointToFrame(origin), CPosition(25, 17)) << "a container adds its own corner";

  auto* context = new CDrawContext(frame.get(), nullptr, nullptr);
  context->screenOffset = CPosition(100, 200);  // where the frame's window would be
  headless::setCursorPosition(130, 220);
  CPosition where;
  view->mousePosition(context, where);
  EXPECT_EQ(where, CPosition(5, 3));
  EXPECT_EQ(context->screenOffset, CPosition(100, 200));
  EXPECT_EQ(context->offset, CPosition(0, 0));
  context->release();
}

TEST_F(ViewTree, TheContainerMessageIsRecognisedByItsAddressOnly) {
  RecordingContainer* container = addContainer(*frame, CRectangle(0, 0, 10, 10));
  const std::string copy = kMsgCheckIfViewContainer;
  EXPECT_EQ(container->receiveMessage(nullptr, kMsgCheckIfViewContainer), 1);
  EXPECT_EQ(container->receiveMessage(nullptr, copy.c_str()), 0);
  CView plain(CRectangle(0, 0, 1, 1));
  EXPECT_EQ(plain.receiveMessage(nullptr, kMsgCheckIfViewContainer), 0);
}

TEST_F(ViewTree, KindsCompareWholeClassNames) {
  CView plain(CRectangle(0, 0, 1, 1));
  CViewContainer container(CRectangle(0, 0, 1, 1), nullptr);
  struct Case {
    const char* name;
    bool view, container, frame;
  };
  const Case cases[] = {
      {"CView", true, true, true},    {"CViewContainer", false, true, true},
      {"CFrame", false, false, true}, {"CViewContainerX", false, false, false},
      {"CVie", false, false, false},  {"", false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(plain.isKindOf(c.name), c.view);
    EXPECT_EQ(container.isKindOf(c.name), c.container);
    EXPECT_EQ(frame->isKindOf(c.name), c.frame);
  }
  EXPECT_FALSE(plain.isKindOf(nullptr));
}

// ---- ownership
// ------------------------------------------------------------------------------------

TEST_F(ViewTree, RemovingAChildWithReleaseOwnerDeletesAHandedOverView) {
  bool deleted = false;
  auto* view = new RecordingView(CRectangle(0, 0, 10, 10), "view", &log);
  view->deletedFlag = &deleted;
  frame->addChild(view);
  EXPECT_EQ(view->references(), 2);
  EXPECT_EQ(view->parentView, frame.get());
  EXPECT_EQ(view->parentFrame, frame.get());
  frame->removeChild(view, true);
  EXPECT_TRUE(deleted);
  EXPECT_EQ(log, (Log{"view.attach", "view.detach"}));
  EXPECT_EQ(frame->childCount(), 0);
}

TEST_F(ViewTree, RemovingAChildWithoutReleaseOwnerLeavesTheCreatorsReference) {
  bool deleted = false;
  auto* view = new RecordingView(CRectangle(0, 0, 10, 10), "view");
  view->deletedFlag = &deleted;
  frame->addChild(view);
  frame->removeChild(view, false);
  EXPECT_FALSE(deleted);
  EXPECT_EQ(view->references(), 1);
  EXPECT_EQ(view->parentView, frame.get()) << "the back pointers are left as they were";
  view->release();
  EXPECT_TRUE(deleted);
}

TEST_F(ViewTree, DestroyingAContainerDeletesEveryHandedOverChild) {
  bool firstDeleted = false;
  bool secondDeleted = false;
  {
    CViewContainer container(CRectangle(0, 0, 100, 100), frame.get());
    auto* first = new RecordingView(CRectangle(0, 0, 10, 10), "first");
    first->deletedFlag = &firstDeleted;
    auto* second = new RecordingView(CRectangle(0, 0, 10, 10), "second");
    second->deletedFlag = &secondDeleted;
    container.addChild(first);
    container.addChild(second);
  }
  EXPECT_TRUE(firstDeleted);
  EXPECT_TRUE(secondDeleted);
}

TEST_F(ViewTree, AViewAddedTwiceIsRemovedOneLinkAtATimeAndDeletedOnce) {
  bool deleted = false;
  {
    CViewContainer container(CRectangle(0, 0, 100, 100), frame.get());
    auto* view = new RecordingView(CRectangle(0, 0, 10, 10), "twice");
    view->deletedFlag = &deleted;
    container.addChild(view);
    container.addChild(view);
    EXPECT_EQ(container.childCount(), 2);
    EXPECT_EQ(view->references(), 3);
    container.removeChild(view, true);
    EXPECT_EQ(container.childCount(), 1);
    EXPECT_TRUE(container.hasChild(view));
    EXPECT_FALSE(deleted);
    container.addChild(view);
  }
  EXPECT_TRUE(deleted);  // and no second deletion: the sanitizer preset would report it
}

TEST_F(ViewTree, RemovingTheFocusViewClearsTheFocus) {
  RecordingView* view = addView(*frame, CRectangle(0, 0, 10, 10), "view");
  view->setAcceptsFocus(true);
  frame->setFocusView(view);
  RecordingView* other = addView(*frame, CRectangle(0, 0, 10, 10), "other");
  frame->removeChild(other, true);
  EXPECT_EQ(frame->focusView(), view) << "another child's removal leaves it";
  view->retain();
  frame->removeChild(view, true);
  EXPECT_EQ(frame->focusView(), nullptr);
  EXPECT_EQ(view->focusLosses, 1);
  view->release();
}

TEST_F(ViewTree, ChildrenAreCountedAndIndexedInTheOrderTheyWereAdded) {
  RecordingView* first = addView(*frame, CRectangle(0, 0, 1, 1), "first");
  RecordingView* second = addView(*frame, CRectangle(0, 0, 1, 1), "second");
  EXPECT_EQ(frame->childCount(), 2);
  EXPECT_EQ(frame->childAtIndex(0), first);
  EXPECT_EQ(frame->childAtIndex(1), second);
  EXPECT_EQ(frame->childAtIndex(2), nullptr);
  EXPECT_EQ(frame->childAtIndex(-1), nullptr);
  frame->addChild(nullptr);
  frame->addChildWithArea(nullptr, CRectangle(), true);
  EXPECT_EQ(frame->childCount(), 2);
}

TEST_F(ViewTree, AddChildWithAreaSetsTheMouseAreaAndEnabling) {
  auto* view = new RecordingView(CRectangle(0, 0, 10, 10), "view");
  frame->addChildWithArea(view, CRectangle(50, 50, 60, 60), false);
  EXPECT_FALSE(view->isMouseEnabled());
  EXPECT_EQ(frame->viewAtPoint(CPosition(55, 55)), view);
  EXPECT_EQ(frame->viewAtPoint(CPosition(5, 5)), nullptr);
}

TEST_F(ViewTree, ABackgroundBitmapIsHeldByOneReferencePerHolder) {
  auto* bitmap = new CBitmap(4242);  // no such resource: an empty bitmap
  CView view(CRectangle(0, 0, 10, 10));
  view.setBackgroundBitmap(bitmap);
  EXPECT_EQ(bitmap->getNbReference(), 2);
  EXPECT_TRUE(view.isDirty());
  view.setBackgroundBitmap(bitmap);
  EXPECT_EQ(bitmap->getNbReference(), 2) << "the same bitmap again";
  view.setBackgroundBitmap(nullptr);
  EXPECT_EQ(bitmap->getNbReference(), 1);
  view.setBackgroundBitmap(bitmap);
  bitmap->release();
  EXPECT_EQ(view.backgroundBitmap(), bitmap) << "the view's reference keeps it";
}

// ---- attributes
// -------------------------------------------------------------------------------------

TEST_F(ViewTree, AttributesRefuseBuffersThatAreTooSmall) {
  CView view(CRectangle(0, 0, 1, 1));
  const char text[] = "abcdef";
  ASSERT_TRUE(view.writeAttribute(7, 6, text));

  int32_t size = 0;
  EXPECT_TRUE(view.attributeSize(7, size));
  EXPECT_EQ(size, 6);
  char buffer[8] = {};
  EXPECT_FALSE(view.readAttribute(7, 5, buffer, size)) << "capacity below the entry's size";
  EXPECT_TRUE(view.readAttribute(7, 6, buffer, size));
  EXPECT_EQ(std::string(buffer, 6), "abcdef");

  EXPECT_TRUE(view.writeAttribute(7, 2, "XY")) << "a shorter write overwrites the start";
  EXPECT_TRUE(view.readAttribute(7, 8, buffer, size));
  EXPECT_EQ(size, 6) << "the entry keeps the size it was created with";
  EXPECT_EQ(std::string(buffer, 6), "XYcdef");
  EXPECT_FALSE(view.writeAttribute(7, 7, "1234567")) << "longer than the entry";

  EXPECT_FALSE(view.attributeSize(8, size));
  EXPECT_FALSE(view.readAttribute(8, 8, buffer, size));
  EXPECT_FALSE(view.writeAttribute(9, -1, text)) << "a negative size";
  EXPECT_FALSE(view.writeAttribute(9, 4, nullptr)) << "no data";
  EXPECT_TRUE(view.writeAttribute(10, 0, nullptr)) << "an empty entry";
  EXPECT_TRUE(view.attributeSize(10, size));
  EXPECT_EQ(size, 0);
}

}  // namespace
}  // namespace views_test
