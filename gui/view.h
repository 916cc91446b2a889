// CView: the base of everything drawn in an editor. A rectangle in its parent's coordinates that
// paints itself, takes presses, keys, wheel turns and drags, and can hold the keyboard focus.
// Views never draw on their own initiative: they mark themselves dirty and the frame's idle
// redraw repaints them.
#pragma once

#include <cstdint>

#include "gui/position.h"
#include "gui/rectangle.h"
#include "gui/reference_counter.h"
#include "shell/aeffect.h"

class AEffGUIEditor;

namespace QGUI {

class CBitmap;
class CDrawContext;
class CDragContainer;
class CFrame;

// Which wheel turned; the distance is in notches, positive away from the user.
enum WheelAxis : int32_t {
  kWheelAxisHorizontal = 0,
  kWheelAxisVertical = 1,
};

// The one message with which a view asks whether its parent is a container. Receivers compare
// the address, so senders pass this constant itself, never a copy of the text.
extern const char kMsgCheckIfViewContainer[];

class CView : public CReferenceCounter {
 public:
  explicit CView(const CRectangle& bounds);
  ~CView() override;

  CView(const CView&) = delete;
  CView& operator=(const CView&) = delete;

  // Draws the background bitmap, if any, into bounds (keyed when transparent), then clears
  // the dirty flag.
  virtual void paint(CDrawContext* context);
  // Draws the part of the view inside updateRect (given in the parent's coordinates); a plain
  // view simply paints itself.
  virtual void paintArea(CDrawContext* context, const CRectangle& updateRect);
  // True when rect touches bounds; touching edges count.
  virtual bool overlaps(const CRectangle& rect) const;
  // A press at where (parent coordinates); buttons is a set of button and modifier bits, or
  // -1 for "ask the context".
  virtual void mouseDown(CDrawContext* context, const CPosition& where, int32_t buttons);
  // Replaces the background; takes a reference on bitmap (may be null) and marks the view
  // dirty.
  virtual void setBackgroundBitmap(CBitmap* bitmap);
  virtual CBitmap* backgroundBitmap() const;
  // Key handlers answer 1 when handled and -1 when not.
  virtual int32_t handleKeyDown(const VstKeyCode& keyCode);
  virtual int32_t handleKeyUp(const VstKeyCode& keyCode);
  // Wheel turn by distance notches at where (parent coordinates); true when handled.
  virtual bool handleWheel(CDrawContext* context, const CPosition& where, float distance);
  virtual bool handleWheelOnAxis(CDrawContext* context, const CPosition& where, WheelAxis axis,
                                 float distance);
  virtual bool handleDrop(CDrawContext* context, CDragContainer* drag, const CPosition& where);
  virtual void handleDragEnter(CDrawContext* context, CDragContainer* drag, const CPosition& where);
  virtual void handleDragLeave(CDrawContext* context, CDragContainer* drag, const CPosition& where);
  virtual void handleDragMove(CDrawContext* context, CDragContainer* drag, const CPosition& where);
  // Focus notifications; the context may be null.
  virtual void focusLost(CDrawContext* context);
  virtual void focusGained(CDrawContext* context);
  virtual bool isDirty() const;
  virtual void setDirty(bool value = true);
  virtual void enableMouse(bool enable);
  virtual bool isMouseEnabled() const;
  // The area that takes the mouse, in the parent's coordinates; setBounds does not move it.
  virtual void setMouseArea(const CRectangle& area);
  virtual void getMouseArea(CRectangle& area) const;
  // True when where lies in the mouse area, all four edges included.
  virtual bool hitsPoint(const CPosition& where, int32_t buttons = -1) const;
  virtual void setTransparent(bool value);
  virtual bool isTransparent() const;
  // Moves or resizes the view (parent coordinates) and marks it dirty; the mouse area stays.
  virtual void setBounds(const CRectangle& rect);
  virtual void getBounds(CRectangle& rect) const;
  // Called after the view was unlinked from / linked into container.
  virtual bool onDetach(CView* container);
  virtual bool onAttach(CView* container);
  // The pointer position in the coordinates of the view's bounds; nothing without a context.
  virtual void mousePosition(CDrawContext* context, CPosition& where);
  // Convert between frame coordinates and the coordinates of this view's bounds, in place.
  virtual CPosition& pointFromFrame(CPosition& point);
  virtual CPosition& pointToFrame(CPosition& point);
  // The editor of the frame the view belongs to; null without a frame.
  virtual AEffGUIEditor* ownerEditor() const;
  virtual int32_t receiveMessage(CView* sender, const char* message);
  // Redraws rect (in the coordinates of the view's bounds) through the parent container or
  // the frame.
  virtual void repaintArea(CDrawContext* context, const CRectangle& rect);
  virtual bool acceptsFocus() const;
  virtual void setAcceptsFocus(bool value);
  // Whole-text comparison of a class name.
  virtual bool isKindOf(const char* className) const;
  // Redraws the view when it is dirty: through context, or without one through the frame.
  virtual void refresh(CDrawContext* context);

  // Paints this view at once through the frame; nothing without a frame.
  void redrawNow();

  // Byte blocks stored under 32-bit ids. writeAttribute overwrites an existing entry only
  // when it is at least size bytes long; readAttribute refuses a buffer smaller than the
  // entry. Negative sizes and null data are refused.
  bool writeAttribute(int32_t id, int32_t size, const void* data);
  bool readAttribute(int32_t id, int32_t capacity, void* buffer, int32_t& size) const;
  bool attributeSize(int32_t id, int32_t& size) const;

 protected:
  struct AttributeEntry {
    AttributeEntry* next;
    unsigned char* data;  // heap copy, owned
    int32_t size;         // the size the entry was created with
    int32_t id;
  };

  CRectangle bounds;
  CRectangle mouseArea;

 public:
  // Set by addChild, read by anyone; neither is owned.
  CFrame* parentFrame = nullptr;
  CView* parentView = nullptr;

 protected:
  bool dirty = false;
  bool mouseEnabled = true;
  bool transparent = false;
  bool takesFocus = false;
  CBitmap* background = nullptr;  // one counted reference while set
  AttributeEntry* attributes = nullptr;

 private:
  const AttributeEntry* findAttribute(int32_t id) const;
};

}  // namespace QGUI
