// Shared pieces of the control and editor tests: an effect whose host callback records what
// reaches the host, an editor that opens a frame in a headless host window, a recording
// listener, a bitmap that records how it is drawn, and a fixture tying them together.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/aeff_gui_editor.h"
#include "gui/bitmap.h"
#include "gui/control.h"
#include "gui/control_listener.h"
#include "gui/draw_context.h"
#include "gui/frame.h"
#include "gui/platform/headless/headless.h"
#include "gui/platform/headless/headless_text_entry.h"
#include "gui/text_edit.h"
#include "shell/audio_effect_x.h"

namespace qtest {

// One call of the host callback.
struct HostCall {
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
};

// The calls the host received since the last clear, and a hook run inside each call.
struct HostLog {
  std::vector<HostCall> calls;
  std::function<void(const HostCall&)> onCall;

  // The calls with the given opcode removed (idle calls are noise in most tests).
  std::vector<HostCall> without(VstInt32 opcode) const;
  std::int32_t count(VstInt32 opcode) const;
  // "begin 64, end 64" style summary of the edit brackets, for readable failures.
  std::string brackets() const;
};
HostLog& hostLog();

VstIntPtr VSTCALLBACK recordingHost(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                    VstIntPtr value, void* ptr, float opt);

class TestEffect : public AudioEffectX {
 public:
  TestEffect() : AudioEffectX(&recordingHost, 1, 2) {}
  void processReplacing(float**, float**, VstInt32) override {}
};

// Opens a frame of the given size in the host window; close deletes it.
class TestEditor : public AEffGUIEditor {
 public:
  explicit TestEditor(AudioEffect* effect, std::int32_t width = 400, std::int32_t height = 100);
  bool open(void* ptr) override;
  void close() override;
  QGUI::CFrame* frame() const { return AEffGUIEditor::frame; }
  std::uint32_t nextIdle() const { return nextIdleTicks; }

 private:
  std::int32_t width;
  std::int32_t height;
};

struct ValueChange {
  QGUI::CControl* control;
  float value;
  std::string text;  // the field's text at the call, for text fields
};

class RecordingListener : public QGUI::CControlListener {
 public:
  void valueChanged(QGUI::CDrawContext* context, QGUI::CControl* control) override;
  std::int32_t modifierClicked(QGUI::CDrawContext* context, QGUI::CControl* control,
                               std::int32_t buttons) override;

  std::vector<ValueChange> changes;
  std::vector<std::int32_t> modifierClicks;
  std::int32_t modifierAnswer = 0;
  std::function<void(QGUI::CControl*)> onChange;
};

// A bitmap of a given size with no pixels that records the draws asked of it.
class RecordingBitmap : public QGUI::CBitmap {
 public:
  struct Draw {
    bool keyed;
    QGUI::CRectangle rect;
    QGUI::CPosition offset;
  };
  RecordingBitmap(std::int32_t w, std::int32_t h);
  void drawPlain(QGUI::CDrawContext* context, const QGUI::CRectangle& rect,
                 const QGUI::CPosition& offset) override;
  void drawKeyed(QGUI::CDrawContext* context, const QGUI::CRectangle& rect,
                 const QGUI::CPosition& offset) override;

  std::vector<Draw> draws;
};

// Host window at kHostX, kHostY on the screen with an open editor whose frame fills it; the
// input script and the clock start from a reset.
class EditorFixture : public ::testing::Test {
 protected:
  static constexpr std::int32_t kHostX = 100;
  static constexpr std::int32_t kHostY = 200;

  void SetUp() override;
  void TearDown() override;

  // A context on the frame window, as the frame makes one for a press.
  QGUI::CDrawContext* newWindowContext();
  // Puts the pointer at a frame position.
  void pointAt(std::int32_t x, std::int32_t y);
  // Schedules the pointer to a frame position at a tick.
  void pointAtTick(std::uint32_t tick, std::int32_t x, std::int32_t y);

  QGUI::CFrame* frame() { return editor->frame(); }
  // The frame's own window as the window system knows it.
  QGUI::platform::NativeWindow frameNative();

  QGUI::platform::NativeWindow host = nullptr;
  TestEffect* effect = nullptr;
  TestEditor* editor = nullptr;  // owned by the effect
};

}  // namespace qtest
