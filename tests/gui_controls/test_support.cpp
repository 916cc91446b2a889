// Shared pieces of the control and editor tests.
#include "test_support.h"

#include <sstream>

#include "gui/platform/window.h"

namespace qtest {

namespace hl = QGUI::platform::headless;

HostLog& hostLog() {
  static HostLog log;
  return log;
}

std::vector<HostCall> HostLog::without(VstInt32 opcode) const {
  std::vector<HostCall> out;
  for (const HostCall& c : calls)
    if (c.opcode != opcode) out.push_back(c);
  return out;
}

std::int32_t HostLog::count(VstInt32 opcode) const {
  std::int32_t n = 0;
  for (const HostCall& c : calls) n += c.opcode == opcode ? 1 : 0;
  return n;
}

std::string HostLog::brackets() const {
  std::ostringstream out;
  const char* separator = "";
  for (const HostCall& c : calls) {
    if (c.opcode == audioMasterBeginEdit)
      out << separator << "begin " << c.index;
    else if (c.opcode == audioMasterEndEdit)
      out << separator << "end " << c.index;
    else
      continue;
    separator = ", ";
  }
  return out.str();
}

VstIntPtr VSTCALLBACK recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                    void*, float) {
  if (opcode == audioMasterVersion) return 2400;
  const HostCall call{opcode, index, value};
  hostLog().calls.push_back(call);
  if (hostLog().onCall) hostLog().onCall(call);
  return 1;
}

TestEditor::TestEditor(AudioEffect* effect, std::int32_t width, std::int32_t height)
    : AEffGUIEditor(effect), width(width), height(height) {
  rect.right = static_cast<VstInt16>(width);
  rect.bottom = static_cast<VstInt16>(height);
}

bool TestEditor::open(void* ptr) {
  AEffGUIEditor::open(ptr);
  AEffGUIEditor::frame = new QGUI::CFrame(QGUI::CRectangle(0, 0, width, height), ptr, this);
  return true;
}

void TestEditor::close() {
  delete AEffGUIEditor::frame;
  AEffGUIEditor::frame = nullptr;
}

void RecordingListener::valueChanged(QGUI::CDrawContext*, QGUI::CControl* control) {
  ValueChange change{control, control->getValue(), {}};
  if (control->isKindOf("CTextEdit")) {
    char text[QGUI::kTextBufferSize];
    static_cast<QGUI::CTextEdit*>(control)->getText(text);
    change.text = text;
  }
  changes.push_back(change);
  if (onChange) onChange(control);
}

std::int32_t RecordingListener::modifierClicked(QGUI::CDrawContext*, QGUI::CControl*,
                                                std::int32_t buttons) {
  modifierClicks.push_back(buttons);
  return modifierAnswer;
}

RecordingBitmap::RecordingBitmap(std::int32_t w, std::int32_t h) : QGUI::CBitmap(-1) {
  width = w;
  height = h;
}

void RecordingBitmap::drawPlain(QGUI::CDrawContext*, const QGUI::CRectangle& rect,
                                const QGUI::CPosition& offset) {
  draws.push_back({false, rect, offset});
}

void RecordingBitmap::drawKeyed(QGUI::CDrawContext*, const QGUI::CRectangle& rect,
                                const QGUI::CPosition& offset) {
  draws.push_back({true, rect, offset});
}

void EditorFixture::SetUp() {
  hl::reset();
  hl::resetTextEntries();
  hostLog().calls.clear();
  hostLog().onCall = nullptr;
  gKnobMode = 0;
  hl::HostWindowParams params;
  params.screenRect = {kHostX, kHostY, kHostX + 400, kHostY + 100};
  host = hl::createHostWindow(params);
  effect = new TestEffect();
  editor = new TestEditor(effect);
  editor->open(host);
  hostLog().calls.clear();
}

void EditorFixture::TearDown() {
  hostLog().onCall = nullptr;
  editor->close();
  delete effect;
  hl::resetTextEntries();
  hl::reset();
}

QGUI::CDrawContext* EditorFixture::newWindowContext() {
  return new QGUI::CDrawContext(frame(), nullptr, frame()->getFrameWindow());
}

QGUI::platform::NativeWindow EditorFixture::frameNative() {
  return QGUI::platform::nativeWindow(frame()->getFrameWindow());
}

void EditorFixture::pointAt(std::int32_t x, std::int32_t y) {
  hl::setCursorPosition(kHostX + x, kHostY + y);
}

void EditorFixture::pointAtTick(std::uint32_t tick, std::int32_t x, std::int32_t y) {
  hl::scheduleCursor(tick, kHostX + x, kHostY + y);
}

}  // namespace qtest
