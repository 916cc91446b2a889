// CFrame: the root of the view tree. A container that owns one platform child window inside the
// window the host gives the editor; it turns the window's messages into view calls, redraws
// dirty views when the editor is idled, double-buffers all drawing through a back buffer, keeps
// the focus view and the modal view, answers the views' questions about the editor and resizes
// itself and the host's windows on request. User-interface thread only.
#pragma once

#include <cstdint>

#include "gui/platform/platform_types.h"
#include "gui/platform/window.h"
#include "gui/view_container.h"

namespace QGUI {

class CDropTarget;

// The argument of setCursor; any other value shows the default cursor.
enum CursorKind : int32_t {
  kCursorDefault = 0,
  kCursorWait = 1,
  kCursorHSize = 2,     // resize left-right
  kCursorVSize = 3,     // resize up-down
  kCursorSizeAll = 4,   // move
  kCursorNESWSize = 5,  // diagonal, rising
  kCursorNWSESize = 6,  // diagonal, falling
  kCursorCopy = 7,      // no copy cursor on this platform: the default one
  kCursorNotAllowed = 8,
  kCursorHand = 9,
};

// Process-wide, shared by all frames of the library.
extern int32_t windowClassUseCount;  // frames that have created their window
extern char windowClassName[64];     // "Plugin%p" of the module instance
extern bool mouseButtonsSwapped;     // read when the window class is registered

class CFrame : public CViewContainer {
 public:
  // bounds start at (0, 0); parentWindow is the host's window (may be null: then there is no
  // window and every window operation is skipped); editor may be null and is not owned.
  CFrame(const CRectangle& bounds, platform::NativeWindow parentWindow, AEffGUIEditor* editor);
  // Destroys the window and every child (each released twice, as handed over). The editor
  // deletes the frame directly; views never hold a reference on it.
  ~CFrame() override;

  // CView and CViewContainer operations the frame replaces.
  void paint(CDrawContext* context) override;
  void paintArea(CDrawContext* context, const CRectangle& updateRect) override;
  void mouseDown(CDrawContext* context, const CPosition& where, int32_t buttons) override;
  int32_t handleKeyDown(const VstKeyCode& keyCode) override;
  int32_t handleKeyUp(const VstKeyCode& keyCode) override;
  bool handleWheel(CDrawContext* context, const CPosition& where, float distance) override;
  bool handleWheelOnAxis(CDrawContext* context, const CPosition& where, WheelAxis axis,
                         float distance) override;
  // Resizes through setSize.
  void setBounds(const CRectangle& rect) override;
  AEffGUIEditor* ownerEditor() const override;
  bool isKindOf(const char* className) const override;
  void refresh(CDrawContext* context) override;
  CView* childUnderMouse() override;
  bool moveFocus(CView* from, bool backwards) override;

  // Standalone frames only; a hosted frame answers false and does nothing.
  virtual bool openWindow(const CPosition& where);
  virtual bool closeWindow();
  virtual bool isOpen() const;
  // Redraws the dirty views; nothing before the first paint of the window.
  virtual void idle();
  // The editor's idle step (controls call it on each pass of a mouse-tracking loop).
  virtual void idleStep();
  // The system's millisecond tick count through the editor; 0 without an editor.
  virtual int32_t ticks();
  virtual int32_t knobMode() const;
  // Never moves anything; false.
  virtual bool setPosition(int32_t x, int32_t y);
  // The top-left corner of outerWindow in its parent's client coordinates.
  virtual bool getPosition(int32_t& x, int32_t& y) const;
  // Resizes the frame (and the host's windows when the host will not); false when closed
  // or when the size is the current one.
  virtual bool setSize(int32_t width, int32_t height);
  // The rectangle of the frame window's parent in the client coordinates of its own parent.
  virtual bool hostWindowRect(CRectangle* rect);
  virtual bool hostWindowRect(CRectangle& rect);
  // A view that takes all input while set (and is a child meanwhile); false while another
  // one is set. Null removes it without releasing the caller's reference.
  virtual bool setModalView(CView* view);
  virtual CView* modalView() const;
  // Tell the host that a gesture on a parameter starts or ends; nothing without an editor.
  virtual void beginEdit(int32_t index);
  virtual void endEdit(int32_t index);
  // The pointer position in frame coordinates; always true.
  virtual bool mouseLocation(CPosition& where);
  virtual void setCursor(CursorKind kind);
  // The old focus view is told focusLost; the new one is not told focusGained.
  virtual void setFocusView(CView* view);
  virtual CView* focusView() const;
  virtual bool setDropActive(bool active);
  virtual bool isDropActive() const;
  virtual void setOpenFlag(bool value);
  virtual bool openFlag() const;
  // Marks every direct child touching rect dirty; draws nothing.
  virtual void invalidate(const CRectangle& rect);
  virtual bool updatesDisabled() const;
  // Answers the previous value.
  virtual bool setUpdatesDisabled(bool value);
  // Paints view (a direct child) or else the whole frame at once.
  virtual void paintView(CView* view);

  // Creates the frame's child window in parent; false for a null parent.
  bool createWindow(platform::NativeWindow parent);
  // A context to draw with: the back buffer while refresh runs, else a new context on the
  // window. The caller releases it.
  CDrawContext* newDrawContext();
  // The back buffer of the frame's size, created on first need (not retained for the caller).
  COffscreenContext* backBuffer();
  // The outermost window that moves with the frame; null without a window.
  platform::NativeWindow outerWindow() const;
  // The frame's own child window, null when there is none.
  platform::Window* getFrameWindow() const { return frameWindow; }
  // The window procedure of the frame's class.
  static bool frameWindowProc(platform::Window* window, const platform::WindowMessage& message);

 protected:
  AEffGUIEditor* editor;
  platform::NativeWindow parentWindow;
  // Fields named like an operation carry a trailing underscore.
  CView* modalView_ = nullptr;
  CView* focusView_ = nullptr;
  bool firstDraw = true;
  bool openFlag_ = true;
  bool dropActive = false;
  bool updatesDisabled_ = false;
  platform::Window* frameWindow = nullptr;
  platform::BlendLibrary* blendLibrary = nullptr;
  CDropTarget* dropTarget = nullptr;
  COffscreenContext* backBuffer_ = nullptr;  // one counted reference while set
  CDrawContext* frameContext = nullptr;      // one counted reference while set
  bool standaloneFrame = false;
  platform::Cursor* defaultCursor = nullptr;
};

}  // namespace QGUI
