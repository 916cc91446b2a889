// The editable text field: display string, click to open the platform's text entry over the
// field, and the one ending of each entry that stores the typed text and tells the listener.
#include "gui/text_edit.h"

#include <cstring>

#include "gui/constants.h"
#include "gui/control_listener.h"
#include "gui/draw_context.h"
#include "gui/frame.h"
#include "gui/platform/text_entry.h"
#include "shell/module_instance.h"

namespace QGUI {

const char kMsgLooseFocus[] = "LooseFocus";

namespace {

constexpr std::int32_t kMaxTextLength = kTextBufferSize - 1;  // characters a text holds
constexpr std::int32_t kEntryLimit = 255;                     // characters the entry accepts
// What is read back from the entry: one character less than it accepts, as the native edit
// window's text query with a 255-byte buffer gives it.
constexpr std::int32_t kEntryReadCapacity = 255;
constexpr std::int32_t kNormalWeight = 400;

// Copies at most kMaxTextLength characters of src, zero-terminated.
void copyText(char* dst, const char* src) {
  std::size_t n = 0;
  while (n < static_cast<std::size_t>(kMaxTextLength) && src[n] != '\0') ++n;
  std::memcpy(dst, src, n);
  dst[n] = '\0';
}

const FontTableEntry& fontEntry(std::int32_t fontId) {
  return kFontTable[fontId >= 0 && fontId < kNumFonts ? fontId : kFontSystem];
}

}  // namespace

CTextEdit::CTextEdit(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                     const char* txt, CBitmap* background, std::int32_t style)
    : CParamDisplay(size, background, style) {
  this->listener = listener;
  this->tag = tag;
  text[0] = '\0';
  if (txt) copyText(text, txt);
  takesFocus = true;
}

CTextEdit::~CTextEdit() {
  if (editWindow && !entryEnding) {
    // The field goes while its entry is open: the frame is closing and takes its children
    // with it. The typed text is dropped (the listener's world is going away too), but the
    // host still gets the end of the gesture it was told had begun.
    entryEnding = true;
    closeEntry();
    endEdit();
    return;
  }
  // Destroyed from inside its own ending, or idle: only what the field owns is freed. The
  // native entry never calls into the destroyed field.
  entryEnding = true;
  closeEntry();
}

void CTextEdit::paint(CDrawContext* context) {
  if (editWindow) {
    setDirty(false);
    return;
  }
  char string[kTextBufferSize] = "";
  if (textToDisplayWithData) {
    textToDisplayWithData(text, string, userData);
  } else if (textToDisplay) {
    textToDisplay(text, string);
  } else if (valueToTextWithData) {
    valueToTextWithData(value, string, userData);
    string[kMaxTextLength] = '\0';
    copyText(text, string);
  } else if (valueToText) {
    valueToText(value, string);
    string[kMaxTextLength] = '\0';
    copyText(text, string);
  } else {
    copyText(string, text);
  }
  string[kMaxTextLength] = '\0';
  drawValueText(context, string);
  setDirty(false);
}

void CTextEdit::mouseDown(CDrawContext* context, const CPosition&, std::int32_t buttons) {
  if (!mouseEnabled) return;
  if (buttons == -1) buttons = context ? context->queryMouseButtons() : 0;
  if (listener && (buttons & kModifierMask)) {
    if (listener->modifierClicked(context, this, buttons) != 0) return;
  }
  if (!(buttons & kButtonLeft)) return;
  if (parentFrame && parentFrame->focusView() == this) return;
  if ((style & kStyleDoubleClick) && !isDoubleClick()) return;
  beginEdit();
  focusGained(context);
}

std::int32_t CTextEdit::editFontHeight() const {
  const CRectangle& r = bounds;
  const std::int32_t fieldHeight = r.bottom - r.top;
  std::int32_t height = fontEntry(fontId).size;
  if (height >= fieldHeight - 1) height = fieldHeight - 2;
  // A field too flat for any text still gets a font the platform can make.
  return height < 1 ? 1 : height;
}

void CTextEdit::focusGained(CDrawContext* context) {
  if (editWindow) return;  // already open

  // Where the field lies in the frame window's client area.
  CRectangle r = bounds;
  for (CView* view = parentView; view; view = view->parentView) {
    if (view->receiveMessage(this, kMsgCheckIfViewContainer) == 1) {
      CRectangle b;
      view->getBounds(b);
      r.offset(b.left, b.top);
    }
  }
  if (context) r.offset(context->offset);

  platform::TextEntryParams params;
  params.parent = parentFrame ? parentFrame->getFrameWindow() : nullptr;
  params.left = r.left;
  params.top = r.top;
  params.right = r.right;
  params.bottom = r.bottom;
  params.text = text;
  params.alignment = textAlign == kAlignCenter || textAlign == kAlignRight ? textAlign : kAlignLeft;
  params.textRed = fontColor.red;
  params.textGreen = fontColor.green;
  params.textBlue = fontColor.blue;
  params.backRed = backColor.red;
  params.backGreen = backColor.green;
  params.backBlue = backColor.blue;
  params.maxLength = kEntryLimit;
  params.module = gModuleInstance;
  params.ended = &CTextEdit::entryEnded;
  params.client = this;

  editWindow = platform::createTextEntry(params);
  if (!editWindow) {
    // No entry to type into: close the edit bracket the click opened, once, and give the
    // focus back.
    if (parentFrame && parentFrame->focusView() == this) parentFrame->setFocusView(nullptr);
    endEdit();
    return;
  }

  // The entry's font is always of normal weight, whatever the field's face says.
  editFont =
      platform::createTextEntryFont(fontEntry(fontId).faceName, editFontHeight(), kNormalWeight);
  if (editFont) platform::setTextEntryFont(editWindow, editFont);
}

void CTextEdit::entryEnded(void* client) {
  static_cast<CTextEdit*>(client)->focusLost(nullptr);
}

void CTextEdit::focusLost(CDrawContext* context) {
  if (!editWindow) {
    if (parentFrame && parentFrame->focusView() == this) parentFrame->setFocusView(nullptr);
    return;
  }
  // Every trigger below (clearing the focus, destroying the entry) may report the end again.
  if (entryEnding) return;
  entryEnding = true;

  if (parentFrame && parentFrame->focusView() == this) parentFrame->setFocusView(nullptr);
  endEdit();

  char oldText[kTextBufferSize];
  std::memcpy(oldText, text, sizeof oldText);
  platform::textEntryText(editWindow, text, kEntryReadCapacity);
  text[kMaxTextLength] = '\0';

  closeEntry();

  CDrawContext* listenerContext = context;
  if (listenerContext)
    listenerContext->retain();
  else if (parentFrame)
    listenerContext = parentFrame->newDrawContext();

  CPosition savedOffset;
  const bool shifted = listenerContext && parentView;
  if (shifted) {
    savedOffset = listenerContext->offset;
    CPosition origin(0, 0);
    parentView->pointToFrame(origin);
    CRectangle parentBounds;
    parentView->getBounds(parentBounds);
    listenerContext->offset = origin + parentBounds.topLeft();
  }

  if (std::strcmp(text, oldText) != 0) {
    if (listener) listener->valueChanged(listenerContext, this);
    idleStep();
  }

  if (listenerContext) {
    if (shifted) listenerContext->offset = savedOffset;
    listenerContext->release();
  }

  if (parentView)
    parentView->receiveMessage(this, kMsgLooseFocus);
  else if (parentFrame)
    parentFrame->receiveMessage(this, kMsgLooseFocus);

  entryEnding = false;
}

void CTextEdit::closeEntry() {
  if (editWindow) {
    platform::TextEntry* entry = editWindow;
    platform::destroyTextEntry(entry);
    editWindow = nullptr;
  }
  if (editFont) {
    platform::destroyTextEntryFont(editFont);
    editFont = nullptr;
  }
  if (editBrush) {
    platform::destroyTextEntryBrush(editBrush);
    editBrush = nullptr;
  }
}

void CTextEdit::setEditBrush(platform::TextEntryBrush* brush) {
  if (editBrush && editBrush != brush) platform::destroyTextEntryBrush(editBrush);
  editBrush = brush;
}

bool CTextEdit::isKindOf(const char* className) const {
  if (!className) return false;
  return std::strcmp(className, "CTextEdit") == 0 || CParamDisplay::isKindOf(className);
}

void CTextEdit::setText(const char* txt) {
  if (!txt) {
    if (text[0] != '\0') {
      text[0] = '\0';
      setDirty(true);
    }
    return;
  }
  char cut[kTextBufferSize];
  copyText(cut, txt);
  if (std::strcmp(cut, text) == 0) return;
  std::memcpy(text, cut, sizeof text);
  setDirty(true);
}

void CTextEdit::getText(char* txt) const {
  if (txt) std::memcpy(txt, text, std::strlen(text) + 1);
}

void CTextEdit::setTextToDisplay(TextToDisplayProc proc) {
  textToDisplay = proc;
}

void CTextEdit::setTextToDisplayWithData(TextToDisplayWithDataProc proc, void* data) {
  textToDisplayWithData = proc;
  userData = data;
}

}  // namespace QGUI
