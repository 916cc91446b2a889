// The editor base: the inert interface defaults, the throttled idle step driven by the scripted
// clock, idle requests from inside the host's idle, keys and wheel with and without a frame,
// the shared knob mode, and the pairing of OLE initialisations.
#include <gtest/gtest.h>

#include "editor/aeff_editor.h"
#include "gui/anim_knob.h"
#include "gui/platform/headless/headless_ole.h"
#include "test_support.h"

namespace qtest {
namespace {

namespace hl = QGUI::platform::headless;
using QGUI::CRectangle;

// A view that counts its paints.
class CountingView : public QGUI::CView {
 public:
  explicit CountingView(const CRectangle& r) : CView(r) {}
  void paint(QGUI::CDrawContext* context) override {
    ++paints;
    CView::paint(context);
  }
  std::int32_t paints = 0;
};

TEST(EditorInterface, DefaultsAreInert) {
  hl::reset();
  gKnobMode = 7;
  AEffEditor editor(nullptr);
  ERect* rect = reinterpret_cast<ERect*>(&editor);  // any non-null value
  EXPECT_FALSE(editor.getRect(&rect));
  EXPECT_EQ(rect, nullptr);
  EXPECT_FALSE(editor.isOpen());
  EXPECT_FALSE(editor.open(&editor));
  EXPECT_TRUE(editor.isOpen());
  editor.close();
  EXPECT_FALSE(editor.isOpen());
  VstKeyCode key{0, VKEY_UP, 0};
  EXPECT_FALSE(editor.onKeyDown(key));
  EXPECT_FALSE(editor.onKeyUp(key));
  EXPECT_FALSE(editor.onWheel(1.0f));
  EXPECT_FALSE(editor.setKnobMode(2));
  EXPECT_EQ(gKnobMode, 7);
  gKnobMode = 0;
}

TEST(GuiEditor, RegistersWithTheEffectAndReportsAnEmptyRectangle) {
  hl::reset();
  auto* effect = new TestEffect();
  auto* editor = new AEffGUIEditor(effect);
  EXPECT_EQ(effect->getEditor(), editor);
  ERect* rect = nullptr;
  EXPECT_TRUE(editor->getRect(&rect));
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, 0);
  EXPECT_EQ(rect->right, 0);
  delete effect;  // deletes the editor
}

TEST(GuiEditor, KeysAndWheelWithoutAFrameAnswerFalse) {
  hl::reset();
  TestEffect effect;
  auto* editor = new AEffGUIEditor(&effect);
  hostLog().calls.clear();
  VstKeyCode key{0, VKEY_TAB, 0};
  EXPECT_FALSE(editor->onKeyDown(key));
  EXPECT_FALSE(editor->onKeyUp(key));
  EXPECT_FALSE(editor->onWheel(1.0f));
  editor->idle();
  EXPECT_TRUE(hostLog().calls.empty());
}

TEST(GuiEditor, EveryEditorPairsItsOleInitialisation) {
  hl::reset();
  const std::int32_t init0 = hl::oleInitializeCalls();
  const std::int32_t uninit0 = hl::oleUninitializeCalls();
  auto* first = new TestEffect();
  auto* second = new TestEffect();
  new AEffGUIEditor(first);
  new AEffGUIEditor(second);
  EXPECT_EQ(hl::oleInitializeCalls() - init0, 2);
  EXPECT_EQ(hl::oleUninitializeCalls() - uninit0, 0);
  delete first;
  delete second;
  EXPECT_EQ(hl::oleInitializeCalls() - init0, 2);
  EXPECT_EQ(hl::oleUninitializeCalls() - uninit0, 2);
}

class IdleStepTest : public EditorFixture {};

TEST_F(IdleStepTest, ThrottlesToOneFullStepPerHundredMilliseconds) {
  hl::setTickCount(1000);
  // The editor's clock started when it was made; line it up with the script.
  editor->idleStep();
  ASSERT_EQ(hostLog().count(audioMasterIdle), 1);
  ASSERT_EQ(editor->nextIdle(), 1100u);
  EXPECT_EQ(hl::sleptMilliseconds(), 0u);

  // Calls right after a full step sleep 4 ms each and do nothing else, until now + 4
  // reaches nextIdleTicks - 50 (tick 1050): twelve such calls, the thirteenth runs.
  for (int i = 0; i < 12; ++i) {
    SCOPED_TRACE(i);
    editor->idleStep();
    EXPECT_EQ(hostLog().count(audioMasterIdle), 1);
  }
  EXPECT_EQ(hl::sleptMilliseconds(), 48u);
  EXPECT_EQ(QGUI::platform::tickCount(), 1048u);
  editor->idleStep();
  EXPECT_EQ(hostLog().count(audioMasterIdle), 2);
  EXPECT_EQ(hl::sleepCount(), 13);
  EXPECT_EQ(editor->nextIdle(), 1152u);

  // 100 ms or more after the last full step: runs at once, without sleeping.
  hl::setTickCount(1152);
  editor->idleStep();
  EXPECT_EQ(hostLog().count(audioMasterIdle), 3);
  EXPECT_EQ(hl::sleepCount(), 13);
}

TEST(IdleStep, KeepsPacingAcrossTheTickCounterWrap) {
  struct Case {
    const char* name;
    std::uint32_t fullStepAt, callAt;
    bool runs;
  };
  const Case cases[] = {
      {"next step due after the wrap, called too early", 0xFFFFFFF0u, 0x10u, false},
      {"next step due after the wrap, called in time", 0xFFFFFFF0u, 0x60u, true},
      {"next step due before the wrap, called too early", 0xFFFFFF00u, 0xFFFFFF20u, false},
      {"next step due before the wrap, called after it", 0xFFFFFF00u, 0x10u, true},
  };
  hl::reset();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    hl::setTickCount(c.fullStepAt);
    TestEffect effect;  // owns and deletes the editor
    auto* fresh = new AEffGUIEditor(&effect);
    fresh->idleStep();  // the full step
    hostLog().calls.clear();
    hl::setTickCount(c.callAt);
    fresh->idleStep();
    EXPECT_EQ(hostLog().count(audioMasterIdle), c.runs ? 1 : 0);
  }
}

TEST_F(IdleStepTest, RedrawsDirtyViewsAndDispatchesOnePendingPaint) {
  auto* view = new CountingView(CRectangle(10, 10, 50, 50));
  frame()->addChild(view);
  hl::paintNow(frameNative(), {0, 0, 400, 100});  // the first paint; idle redraws only after it
  const std::int32_t paintsAfterFirst = view->paints;
  view->setDirty(true);
  hl::postPaint(frameNative(), {0, 0, 10, 10});
  hl::postPaint(hl::createHostWindow({}), {0, 0, 10, 10});
  ASSERT_EQ(hl::pendingPaints(), 2);
  hl::setTickCount(5000);
  editor->idleStep();
  EXPECT_EQ(view->paints, paintsAfterFirst + 1);
  EXPECT_FALSE(view->isDirty());
  EXPECT_EQ(hl::pendingPaints(), 1);
}

TEST_F(IdleStepTest, IdleRequestFromInsideTheHostIdleDoesNothing) {
  auto* view = new CountingView(CRectangle(10, 10, 50, 50));
  frame()->addChild(view);
  hl::paintNow(frameNative(), {0, 0, 400, 100});
  std::int32_t paintsInside = -1;
  hostLog().onCall = [&](const HostCall& call) {
    if (call.opcode != audioMasterIdle) return;
    view->setDirty(true);
    const std::int32_t before = view->paints;
    editor->idle();  // as effEditIdle sent by the host from inside its idle
    paintsInside = view->paints - before;
  };
  hl::setTickCount(5000);
  editor->idleStep();
  hostLog().onCall = nullptr;
  EXPECT_EQ(paintsInside, 0);
  ASSERT_TRUE(view->isDirty());
  const std::int32_t before = view->paints;
  editor->idle();
  EXPECT_EQ(view->paints, before + 1) << "outside the host's idle, idle redraws";
}

class EditorInputTest : public EditorFixture {};

TEST_F(EditorInputTest, KeysReachTheFrameAndAnswerWhetherHandled) {
  auto* knob = new QGUI::CKnob(CRectangle(0, 0, 40, 40), nullptr, 64, nullptr, nullptr, {});
  frame()->addChild(knob);
  frame()->setFocusView(knob);
  VstKeyCode up{0, VKEY_UP, 0};
  VstKeyCode escape{0, VKEY_ESCAPE, 0};
  EXPECT_TRUE(editor->onKeyDown(up));
  EXPECT_FLOAT_EQ(knob->getValue(), 0.1f);
  EXPECT_FALSE(editor->onKeyDown(escape));
  EXPECT_FALSE(editor->onKeyUp(up));
}

TEST_F(EditorInputTest, WheelGoesToTheViewUnderThePointer) {
  RecordingListener listener;
  auto* left = new QGUI::CKnob(CRectangle(0, 0, 80, 80), &listener, 64, nullptr, nullptr, {});
  auto* right = new QGUI::CKnob(CRectangle(100, 0, 180, 80), &listener, 65, nullptr, nullptr, {});
  frame()->addChild(left);
  frame()->addChild(right);
  pointAt(140, 40);
  EXPECT_TRUE(editor->onWheel(2.0f));
  EXPECT_FLOAT_EQ(left->getValue(), 0.0f);
  EXPECT_FLOAT_EQ(right->getValue(), 0.2f);
  EXPECT_EQ(hostLog().brackets(), "begin 65, end 65");
  pointAt(300, 40);  // over no view
  EXPECT_FALSE(editor->onWheel(1.0f));
}

TEST_F(EditorInputTest, KnobModeIsSharedByAllEditorsAndFrames) {
  auto* otherEffect = new TestEffect();
  auto* other = new TestEditor(otherEffect);
  other->open(host);
  EXPECT_TRUE(other->setKnobMode(2));
  EXPECT_EQ(gKnobMode, 2);
  EXPECT_EQ(frame()->knobMode(), 2);
  EXPECT_EQ(other->frame()->knobMode(), 2);
  EXPECT_TRUE(editor->setKnobMode(1));
  EXPECT_EQ(other->frame()->knobMode(), 1);
  other->close();
  delete otherEffect;
}

TEST_F(EditorInputTest, EditBracketsReachTheHostWithTheIndexGiven) {
  editor->beginEdit(1);
  editor->endEdit(1);
  EXPECT_EQ(hostLog().brackets(), "begin 1, end 1");
}

}  // namespace
}  // namespace qtest
