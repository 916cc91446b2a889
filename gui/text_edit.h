// CTextEdit: an editable text field. A click opens the platform's single-line text entry over
// the field; when the entry ends (Return, loss of focus, or the focus moving to another view)
// the typed text is stored and the listener told, so that the owner can parse it. The field
// never converts the text itself.
#pragma once

#include <cstdint>

#include "gui/param_display.h"
#include "gui/platform/platform_types.h"

namespace QGUI {

namespace platform {
struct TextEntryFont;
struct TextEntryBrush;
}  // namespace platform

// Sent (receiveMessage) to the field's parent, or to the frame, after an entry ended.
extern const char kMsgLooseFocus[];

// Turn the field's text into the string shown (display buffer of kTextBufferSize bytes).
using TextToDisplayProc = void (*)(const char* text, char* display);
using TextToDisplayWithDataProc = void (*)(const char* text, char* display, void* userData);

class CTextEdit : public CParamDisplay {
 public:
  // listener: not owned, may be null. txt: initial text (null: empty; cut to 255
  // characters). background may be null.
  CTextEdit(const CRectangle& size, CControlListener* listener, std::int32_t tag,
            const char* txt = nullptr, CBitmap* background = nullptr, std::int32_t style = 0);
  // Closes an entry that is still open and ends its edit bracket; the listener is not told
  // (the typed text is dropped). The native entry never calls into a destroyed field.
  ~CTextEdit() override;

  // The display string of the value (or of the text, with the display callbacks); nothing
  // while an entry is open.
  void paint(CDrawContext* context) override;
  // A left click (a double click with kStyleDoubleClick) opens the entry.
  void mouseDown(CDrawContext* context, const CPosition& where, std::int32_t buttons) override;
  // Ends an open entry: exactly once per entry, whatever triggers it.
  void focusLost(CDrawContext* context) override;
  // Opens the entry over the field.
  void focusGained(CDrawContext* context) override;
  bool isKindOf(const char* className) const override;

  // Copies txt (at most 255 characters; null empties) and marks dirty when it differs.
  virtual void setText(const char* txt);
  // Copies the text into a buffer of kTextBufferSize bytes; nothing for a null buffer.
  virtual void getText(char* txt) const;
  virtual void setTextToDisplay(TextToDisplayProc proc);
  // userData is shared with the value-to-text callback.
  virtual void setTextToDisplayWithData(TextToDisplayWithDataProc proc, void* data);

  // The open entry, null while idle.
  platform::TextEntry* getEditWindow() const { return editWindow; }
  platform::TextEntryFont* getEditFont() const { return editFont; }
  // The background brush the window system asks for while the entry draws. The field takes
  // ownership and deletes it (and any brush it replaces) when the entry ends.
  platform::TextEntryBrush* getEditBrush() const { return editBrush; }
  void setEditBrush(platform::TextEntryBrush* brush);

  // The character height the entry's font gets: the table size of the font id, reduced to
  // the field's height - 2 when it does not fit in height - 1.
  std::int32_t editFontHeight() const;

 protected:
  // The back end's end notification: Return or loss of the keyboard focus.
  static void entryEnded(void* client);
  // Destroys the native entry and its font and brush.
  void closeEntry();

  platform::TextEntryBrush* editBrush = nullptr;  // owned
  platform::TextEntry* editWindow = nullptr;      // non-null exactly while an entry is open
  platform::TextEntryFont* editFont = nullptr;    // owned
  char text[kTextBufferSize];
  TextToDisplayProc textToDisplay = nullptr;
  TextToDisplayWithDataProc textToDisplayWithData = nullptr;
  bool entryEnding = false;  // set while an entry ends, so that re-entrant endings are ignored
};

}  // namespace QGUI
