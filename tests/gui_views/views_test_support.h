// Shared pieces of the view and frame tests: a view that records what reaches it, a small
// effect and editor with a recording host, and a fixture that resets the headless back end.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "editor/aeff_gui_editor.h"
#include "gui/constants.h"
#include "gui/draw_context.h"
#include "gui/frame.h"
#include "gui/offscreen_context.h"
#include "gui/platform/headless/headless.h"
#include "gui/platform/headless/headless_drawing.h"
#include "gui/platform/headless/headless_text_entry.h"
#include "gui/view.h"
#include "gui/view_container.h"
#include "shell/audio_effect_x.h"

namespace views_test {

using namespace QGUI;
namespace headless = QGUI::platform::headless;

// Calls in the order they reached any recording view, as "name.call".
using Log = std::vector<std::string>;

class RecordingView : public CView {
 public:
  RecordingView(const CRectangle& rect, std::string viewName, Log* sharedLog = nullptr)
      : CView(rect), name(std::move(viewName)), log(sharedLog) {}
  ~RecordingView() override {
    if (deletedFlag) *deletedFlag = true;
  }

  void paint(CDrawContext* context) override {
    ++paints;
    note("paint");
    lastContext = context;
    if (onPaint) onPaint(context);
    if (fills && context) {
      context->setBrushColor(color);
      context->drawRectangle(bounds, kDrawFill);
    }
    CView::paint(context);
  }
  void mouseDown(CDrawContext* context, const CPosition& where, int32_t buttons) override {
    ++presses;
    note("mouseDown");
    lastWhere = where;
    lastButtons = buttons;
    lastContext = context;
  }
  int32_t handleKeyDown(const VstKeyCode&) override {
    note("keyDown");
    return keyResult;
  }
  int32_t handleKeyUp(const VstKeyCode&) override {
    note("keyUp");
    return keyResult;
  }
  bool handleWheel(CDrawContext* context, const CPosition& where, float distance) override {
    note("wheel");
    lastWhere = where;
    lastDistance = distance;
    lastContext = context;
    if (context) lastContextOffset = context->offset;
    return wheelResult;
  }
  bool handleDrop(CDrawContext*, CDragContainer*, const CPosition& where) override {
    note("drop");
    lastWhere = where;
    return true;
  }
  void handleDragEnter(CDrawContext*, CDragContainer*, const CPosition&) override {
    note("dragEnter");
  }
  void handleDragLeave(CDrawContext*, CDragContainer*, const CPosition&) override {
    note("dragLeave");
  }
  void handleDragMove(CDrawContext*, CDragContainer*, const CPosition&) override {
    note("dragMove");
  }
  void focusLost(CDrawContext*) override {
    ++focusLosses;
    note("focusLost");
  }
  bool onAttach(CView* container) override {
    note("attach");
    return CView::onAttach(container);
  }
  bool onDetach(CView* container) override {
    note("detach");
    return CView::onDetach(container);
  }

  int32_t references() const { return getNbReference(); }
  const CRectangle& rect() const { return bounds; }

  std::string name;
  Log* log;
  bool* deletedFlag = nullptr;
  int32_t paints = 0;
  int32_t presses = 0;
  int32_t focusLosses = 0;
  int32_t keyResult = -1;
  bool wheelResult = true;
  bool fills = false;
  CRgbaColor color{255, 255, 255, 255};
  CPosition lastWhere{-1000, -1000};
  CPosition lastContextOffset{-1000, -1000};
  int32_t lastButtons = -2;
  float lastDistance = 0.0f;
  CDrawContext* lastContext = nullptr;
  std::function<void(CDrawContext*)> onPaint;

 private:
  void note(const char* call) {
    if (log) log->push_back(name + "." + call);
  }
};

// A container whose paint fills can be seen and whose calls can be counted.
class RecordingContainer : public CViewContainer {
 public:
  RecordingContainer(const CRectangle& rect, CFrame* frame) : CViewContainer(rect, frame) {}
  int32_t references() const { return getNbReference(); }
  COffscreenContext* offscreenContext() const { return offscreen; }
};

// ---- a small effect and editor with a recording host -------------------------------------------

struct HostRecord {
  bool canSizeWindow = false;
  bool agreesToSize = false;
  std::vector<std::pair<int32_t, int32_t>> sizeRequests;
  std::vector<std::string> canDoQuestions;
  std::vector<int32_t> beginEdits;
  std::vector<int32_t> endEdits;
};

HostRecord& host();
VstIntPtr VSTCALLBACK recordingHost(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                    VstIntPtr value, void* ptr, float opt);

class TestEffect : public AudioEffectX {
 public:
  TestEffect() : AudioEffectX(&recordingHost, 1, 2) {}
  void processReplacing(float**, float**, VstInt32) override {}
};

class TestEditor : public AEffGUIEditor {
 public:
  explicit TestEditor(AudioEffect* effect) : AEffGUIEditor(effect) {}
};

// ---- fixture
// ---------------------------------------------------------------------------------------

class HeadlessTest : public testing::Test {
 protected:
  void SetUp() override { resetAll(); }
  void TearDown() override { resetAll(); }

  static void resetAll() {
    headless::reset();
    headless::resetDrawingPlatform();
    headless::resetTextEntries();
    host() = HostRecord{};
    gKnobMode = 0;
    mouseButtonsSwapped = false;
  }

  // A top-level host window at (left, top) of the given size, without border or caption.
  static platform::NativeWindow hostWindow(int32_t left, int32_t top, int32_t width, int32_t height,
                                           platform::NativeWindow parent = nullptr,
                                           const char* className = "HostWindow",
                                           bool caption = false) {
    headless::HostWindowParams params;
    params.parent = parent;
    params.className = className;
    params.screenRect = {left, top, left + width, top + height};
    params.caption = caption;
    return headless::createHostWindow(params);
  }
};

// 0xAARRGGBB of a colour as the headless window pixels report it.
inline uint32_t argb(const CRgbaColor& c) {
  return 0xff000000u | (uint32_t(c.red) << 16) | (uint32_t(c.green) << 8) | uint32_t(c.blue);
}

inline VstKeyCode key(unsigned char virt, unsigned char modifier = 0, int32_t character = 0) {
  VstKeyCode code{};
  code.character = character;
  code.virt = virt;
  code.modifier = modifier;
  return code;
}

}  // namespace views_test
