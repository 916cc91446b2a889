// Text fields: which callback makes the string shown, and the life of an entry: opening over
// the field, typing, and the one ending per entry (one end of edit, at most one listener call)
// whether Return, a focus change, another field or a failure ends it.
#include "gui/text_edit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/constants.h"
#include "gui/view_container.h"
#include "test_support.h"

namespace qtest {
namespace {

namespace hl = QGUI::platform::headless;
using QGUI::CPosition;
using QGUI::CRectangle;

std::vector<std::string>& calls() {
  static std::vector<std::string> c;
  return c;
}

void valueText(float value, char* text) {
  calls().push_back("value");
  std::snprintf(text, 256, "v%.1f", static_cast<double>(value));
}
void valueTextWithData(float value, char* text, void*) {
  calls().push_back("value with data");
  std::snprintf(text, 256, "w%.1f", static_cast<double>(value));
}
void displayText(const char* text, char* display) {
  calls().push_back("display");
  std::snprintf(display, 256, "[%s]", text);
}
void displayTextWithData(const char* text, char* display, void*) {
  calls().push_back("display with data");
  std::snprintf(display, 256, "{%s}", text);
}

std::string textOf(const QGUI::CTextEdit& field) {
  char text[QGUI::kTextBufferSize];
  field.getText(text);
  return text;
}

TEST(TextEditDisplay, DisplayCallbacksWinOverValueCallbacks) {
  struct Case {
    const char* name;
    bool displayData, display, valueData, value;
    const char* called;
    const char* textAfter;  // the field's text after painting
  };
  const Case cases[] = {
      {"all four", true, true, true, true, "display with data", "typed"},
      {"display without data over the value callbacks", false, true, true, true, "display",
       "typed"},
      {"value with data over plain value", false, false, true, true, "value with data", "w0.5"},
      {"plain value", false, false, false, true, "value", "v0.5"},
      {"none: the text itself", false, false, false, false, "", "typed"},
  };
  hl::reset();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    calls().clear();
    QGUI::CTextEdit field(CRectangle(0, 0, 50, 14), nullptr, 66, "typed");
    if (c.displayData) field.setTextToDisplayWithData(&displayTextWithData, nullptr);
    if (c.display) field.setTextToDisplay(&displayText);
    if (c.valueData) field.setValueToTextWithData(&valueTextWithData, nullptr);
    if (c.value) field.setValueToText(&valueText);
    field.setValue(0.5f);
    field.paint(nullptr);
    EXPECT_EQ(calls(),
              c.called[0] ? std::vector<std::string>{c.called} : std::vector<std::string>{});
    EXPECT_EQ(textOf(field), c.textAfter);
    EXPECT_FALSE(field.isDirty());
  }
}

TEST(TextEditText, SetTextCutsAndRepaintsOnlyOnAChange) {
  hl::reset();
  QGUI::CTextEdit field(CRectangle(0, 0, 50, 14), nullptr, 66, std::string(300, 'x').c_str());
  EXPECT_EQ(textOf(field).size(), 255u);
  field.paint(nullptr);
  field.setText(std::string(255, 'x').c_str());
  EXPECT_FALSE(field.isDirty()) << "the same text after the cut";
  field.setText("5.0");
  EXPECT_TRUE(field.isDirty());
  field.paint(nullptr);
  field.setText(nullptr);
  EXPECT_EQ(textOf(field), "");
  EXPECT_TRUE(field.isDirty());
  field.paint(nullptr);
  field.setText(nullptr);
  EXPECT_FALSE(field.isDirty()) << "emptying an empty text";
  field.getText(nullptr);  // ignored
  EXPECT_TRUE(field.isKindOf("CTextEdit"));
  EXPECT_TRUE(field.isKindOf("CParamDisplay"));
  EXPECT_TRUE(field.acceptsFocus());
}

class TextEntryTest : public EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    field = addField(CRectangle(10, 10, 60, 24), 66);
    other = addField(CRectangle(100, 10, 150, 24), 67);
  }

  QGUI::CTextEdit* addField(const CRectangle& r, std::int32_t tag) {
    auto* f = new QGUI::CTextEdit(r, &listener, tag, nullptr, nullptr, 1);
    f->setValueToText(&valueText);
    f->setFontColor(QGUI::kGreenColor);
    f->setBackColor(QGUI::kBlackColor);
    f->setTransparent(true);
    frame()->addChild(f);
    f->paint(nullptr);  // text = "v0.0", as a painted field starts its entry from
    return f;
  }

  // A press on the field as the frame delivers it.
  void click(QGUI::CTextEdit* f, std::int32_t buttons = QGUI::kButtonLeft) {
    QGUI::CDrawContext* context = newWindowContext();
    CRectangle r;
    f->getBounds(r);
    frame()->mouseDown(context, CPosition(r.left + 2, r.top + 2), buttons);
    context->release();
  }

  hl::TextEntryState entryState() {
    hl::TextEntryState s;
    hl::textEntryState(hl::focusedTextEntry(), s);
    return s;
  }

  RecordingListener listener;
  QGUI::CTextEdit* field = nullptr;
  QGUI::CTextEdit* other = nullptr;
};

TEST_F(TextEntryTest, AClickOpensAnEntryOverTheFieldWithItsTextSelected) {
  click(field);
  ASSERT_NE(field->getEditWindow(), nullptr);
  const hl::TextEntryState s = entryState();
  EXPECT_TRUE(s.alive);
  EXPECT_TRUE(s.hasFocus);
  EXPECT_EQ(s.parent, frame()->getFrameWindow());
  EXPECT_EQ(CRectangle(s.left, s.top, s.right, s.bottom), CRectangle(10, 10, 60, 24));
  EXPECT_EQ(s.text, "v0.0");
  EXPECT_TRUE(s.wholeTextSelected);
  EXPECT_EQ(s.maxLength, 255);
  EXPECT_EQ(s.alignment, QGUI::kAlignCenter);
  EXPECT_EQ(s.textGreen, 255);
  EXPECT_EQ(s.textRed, 0);
  EXPECT_EQ(s.backRed + s.backGreen + s.backBlue, 0);
  EXPECT_EQ(s.fontFace, "Arial");
  EXPECT_EQ(s.fontWeight, 400);
  EXPECT_EQ(frame()->focusView(), field);
  EXPECT_EQ(hostLog().brackets(), "begin 66");
  // While open, painting leaves the entry alone.
  field->setDirty(true);
  field->paint(nullptr);
  EXPECT_FALSE(field->isDirty());
}

TEST_F(TextEntryTest, ReturnEndsTheEntryOnceAndReportsTheTypedText) {
  click(field);
  EXPECT_EQ(hl::typeIntoTextEntry("12"), 2);
  listener.onChange = [](QGUI::CControl*) { EXPECT_EQ(hostLog().brackets(), "begin 66, end 66"); };
  ASSERT_TRUE(hl::pressReturnInTextEntry());
  EXPECT_EQ(hostLog().brackets(), "begin 66, end 66");
  ASSERT_EQ(listener.changes.size(), 1u);
  EXPECT_EQ(listener.changes[0].control, field);
  EXPECT_EQ(listener.changes[0].text, "12");
  EXPECT_EQ(textOf(*field), "12");
  EXPECT_EQ(field->getEditWindow(), nullptr);
  EXPECT_EQ(hl::liveTextEntries(), 0);
  EXPECT_EQ(hl::liveTextEntryFonts(), 0);
  EXPECT_EQ(frame()->focusView(), nullptr);
  EXPECT_GE(hl::textEntryEndReports(), 2) << "destroying the focused entry reported again";
  // The next paint shows the display string of the value again.
  field->paint(nullptr);
  EXPECT_EQ(textOf(*field), "v0.0");
}

TEST_F(TextEntryTest, EveryWayOfEndingSendsOneEndAndAtMostOneChange) {
  struct Case {
    const char* name;
    const char* typed;  // null: nothing typed
    std::function<void()> end;
    std::size_t changes;
  };
  const Case cases[] = {
      {"Return", "3", [] { hl::pressReturnInTextEntry(); }, 1},
      {"Return with the same text", "v0.0", [] { hl::pressReturnInTextEntry(); }, 0},
      {"Return without typing", nullptr, [] { hl::pressReturnInTextEntry(); }, 0},
      {"focus leaves the entry", "3", [] { hl::moveFocusFromTextEntry(); }, 1},
      {"the frame gives the focus to another view", "3", [this] { frame()->setFocusView(other); },
       1},
      {"a press elsewhere in the frame", "3", [this] { click(other, QGUI::kButtonRight); }, 1},
      {"Return and then the focus leaving", "3",
       [] {
         hl::pressReturnInTextEntry();
         hl::moveFocusFromTextEntry();
       },
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    field->setText("v0.0");
    hostLog().calls.clear();
    listener.changes.clear();
    click(field);
    ASSERT_NE(field->getEditWindow(), nullptr);
    if (c.typed) hl::typeIntoTextEntry(c.typed);
    c.end();
    EXPECT_EQ(hostLog().brackets(), "begin 66, end 66");
    EXPECT_EQ(listener.changes.size(), c.changes);
    EXPECT_EQ(field->getEditWindow(), nullptr);
    EXPECT_EQ(hl::liveTextEntries(), 0);
    EXPECT_NE(frame()->focusView(), field);
    frame()->setFocusView(nullptr);
  }
}

TEST_F(TextEntryTest, ClickingAnotherFieldEndsTheFirstAndOpensTheSecond) {
  click(field);
  hl::typeIntoTextEntry("7");
  click(other);
  EXPECT_EQ(hostLog().brackets(), "begin 66, end 66, begin 67");
  ASSERT_EQ(listener.changes.size(), 1u);
  EXPECT_EQ(listener.changes[0].control, field);
  EXPECT_EQ(hl::liveTextEntries(), 1);
  EXPECT_NE(other->getEditWindow(), nullptr);
  EXPECT_EQ(frame()->focusView(), other);
  hl::TextEntryState s = entryState();
  EXPECT_EQ(s.left, 100);
}

TEST_F(TextEntryTest, ClickingTheOpenFieldDoesNothing) {
  click(field);
  QGUI::CDrawContext* context = newWindowContext();
  // The click lands on the field itself, as the entry would pass it on.
  field->mouseDown(context, CPosition(12, 12), QGUI::kButtonLeft);
  context->release();
  EXPECT_EQ(hl::textEntriesCreated(), 1);
  EXPECT_EQ(hostLog().brackets(), "begin 66");
}

TEST_F(TextEntryTest, ClicksThatOpenNoEntry) {
  struct Case {
    const char* name;
    std::int32_t buttons;
    std::int32_t modifierAnswer;
    bool mouseEnabled;
  };
  using namespace QGUI;
  const Case cases[] = {
      {"right button", kButtonRight, 0, true},
      {"a modifier click the listener takes", kButtonLeft | kModifierAlt, 1, true},
      {"mouse disabled", kButtonLeft, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    listener.modifierAnswer = c.modifierAnswer;
    field->enableMouse(c.mouseEnabled);
    click(field, c.buttons);
    EXPECT_EQ(hl::textEntriesCreated(), 0);
    EXPECT_EQ(hostLog().brackets(), "");
  }
  listener.modifierAnswer = 0;
  field->enableMouse(true);
  click(field, QGUI::kButtonLeft | QGUI::kModifierShift);
  EXPECT_EQ(listener.modifierClicks.size(), 2u) << "modifier clicks are offered to the listener";
  EXPECT_EQ(hl::textEntriesCreated(), 1) << "a modifier click the listener leaves opens the entry";
}

TEST_F(TextEntryTest, DoubleClickStyleOpensOnTheSecondClickOnly) {
  field->setStyle(QGUI::kStyleDoubleClick);
  hl::setTickCount(1000);
  click(field);
  EXPECT_EQ(hl::textEntriesCreated(), 0);
  hl::setTickCount(1200);
  click(field);
  EXPECT_EQ(hl::textEntriesCreated(), 1);
  EXPECT_EQ(hostLog().brackets(), "begin 66");
}

TEST_F(TextEntryTest, AnEntryThatCannotOpenStillClosesItsBracketOnce) {
  hl::failNextTextEntry();
  click(field);
  EXPECT_EQ(field->getEditWindow(), nullptr);
  EXPECT_EQ(hostLog().brackets(), "begin 66, end 66");
  EXPECT_TRUE(listener.changes.empty());
  EXPECT_EQ(frame()->focusView(), nullptr);
  EXPECT_EQ(hl::liveTextEntryFonts(), 0);
  click(field);
  EXPECT_NE(field->getEditWindow(), nullptr) << "the next click opens normally";
}

TEST_F(TextEntryTest, TakesAtMost255CharactersAndReads254Back) {
  click(field);
  EXPECT_EQ(hl::typeIntoTextEntry(std::string(300, '1').c_str()), 255);
  hl::pressReturnInTextEntry();
  EXPECT_EQ(textOf(*field), std::string(254, '1'));
  ASSERT_EQ(listener.changes.size(), 1u);
}

TEST_F(TextEntryTest, TheEntryFontFitsTheField) {
  struct Case {
    const char* name;
    std::int32_t height, fontId, expected;
  };
  using namespace QGUI;
  const Case cases[] = {
      {"normal font in a 12 px field", 12, kFontNormal, 10},
      {"normal font in a 13 px field", 13, kFontNormal, 11},
      {"normal font in a 14 px field", 14, kFontNormal, 12},
      {"small font in the editor's 14 px field", 14, kFontSmall, 11},
      {"very large font in a 30 px field", 30, kFontVeryLarge, 18},
      {"a field too flat for text", 2, kFontNormal, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* f = addField(CRectangle(200, 10, 260, 10 + c.height), 68);
    f->setFontId(c.fontId);
    f->setFontFace(QGUI::kFaceBold | QGUI::kFaceItalic);
    click(f);
    const hl::TextEntryState s = entryState();
    EXPECT_EQ(s.fontHeight, c.expected);
    EXPECT_EQ(s.fontWeight, 400) << "always normal weight";
    EXPECT_EQ(s.fontFace, "Arial");
    hl::pressReturnInTextEntry();
    frame()->removeChild(f, true);
  }
}

TEST_F(TextEntryTest, AlignmentCarriesOverToTheEntry) {
  for (std::int32_t align : {QGUI::kAlignLeft, QGUI::kAlignCenter, QGUI::kAlignRight}) {
    SCOPED_TRACE(align);
    field->setTextAlign(align);
    click(field);
    EXPECT_EQ(entryState().alignment, align);
    hl::pressReturnInTextEntry();
  }
}

// A container between the frame and the field, recording the messages it gets.
class RecordingContainer : public QGUI::CViewContainer {
 public:
  RecordingContainer(const CRectangle& r, QGUI::CFrame* frame) : CViewContainer(r, frame) {}
  std::int32_t receiveMessage(QGUI::CView* sender, const char* message) override {
    if (message == QGUI::kMsgLooseFocus) messages.push_back(sender);
    return CViewContainer::receiveMessage(sender, message);
  }
  std::vector<QGUI::CView*> messages;
};

TEST_F(TextEntryTest, InANestedContainerTheEntryLiesOverTheFieldAndTheParentIsTold) {
  auto* box = new RecordingContainer(CRectangle(200, 20, 380, 90), frame());
  frame()->addChild(box);
  auto* inner = new QGUI::CTextEdit(CRectangle(5, 6, 55, 20), &listener, 69, "x");
  box->addChild(inner);
  QGUI::CDrawContext* context = newWindowContext();
  inner->mouseDown(context, CPosition(7, 8), QGUI::kButtonLeft);
  context->release();
  const hl::TextEntryState s = entryState();
  EXPECT_EQ(CRectangle(s.left, s.top, s.right, s.bottom), CRectangle(205, 26, 255, 40));
  hl::typeIntoTextEntry("y");
  hl::pressReturnInTextEntry();
  ASSERT_EQ(box->messages.size(), 1u);
  EXPECT_EQ(box->messages[0], inner);
  EXPECT_EQ(hostLog().brackets(), "begin 69, end 69");
}

TEST_F(TextEntryTest, RemovingTheFieldEndsItsEntryFirst) {
  click(field);
  hl::typeIntoTextEntry("9");
  frame()->removeChild(field, true);  // the focus view: the frame takes the focus away first
  EXPECT_EQ(hl::liveTextEntries(), 0);
  EXPECT_EQ(hostLog().brackets(), "begin 66, end 66");
  EXPECT_EQ(listener.changes.size(), 1u);
}

TEST_F(TextEntryTest, ClosingTheEditorWithAnOpenEntryEndsTheGestureQuietly) {
  click(field);
  hl::typeIntoTextEntry("9");
  editor->close();  // the frame destroys its children with the entry still open
  EXPECT_EQ(hl::liveTextEntries(), 0);
  EXPECT_EQ(hl::liveTextEntryFonts(), 0);
  EXPECT_EQ(hostLog().brackets(), "begin 66, end 66");
  EXPECT_TRUE(listener.changes.empty()) << "nobody is asked to read the text of a closing editor";
}

TEST_F(TextEntryTest, TheFieldOwnsTheEntryBrush) {
  click(field);
  field->setEditBrush(QGUI::platform::createTextEntryBrush(0, 0, 0));
  field->setEditBrush(QGUI::platform::createTextEntryBrush(0, 0, 0));  // replaces the first
  EXPECT_EQ(hl::liveTextEntryBrushes(), 1);
  hl::pressReturnInTextEntry();
  EXPECT_EQ(hl::liveTextEntryBrushes(), 0);
  EXPECT_EQ(field->getEditBrush(), nullptr);
}

TEST_F(TextEntryTest, WithoutAListenerTheTypedTextIsKept) {
  auto* bare = new QGUI::CTextEdit(CRectangle(0, 30, 40, 44), nullptr, 71, "a");
  frame()->addChild(bare);
  click(bare);
  hl::typeIntoTextEntry("b");
  hl::pressReturnInTextEntry();
  EXPECT_EQ(textOf(*bare), "b");
  EXPECT_EQ(hostLog().brackets(), "begin 71, end 71");
}

}  // namespace
}  // namespace qtest
