// CViewContainer: a view that owns an ordered list of child views, paints a background (bitmap
// or colour) behind them, passes input on to the child under the pointer and redraws only what
// is dirty. Children are painted first to last; presses and keys go last to first, so the child
// added last is on top.
#pragma once

#include <cstdint>

#include "gui/rgba_color.h"
#include "gui/view.h"

namespace QGUI {

class COffscreenContext;

// How refresh redraws a container.
enum : int32_t {
  updateWhole = 0,      // the whole container when anything in it is dirty
  updateDirtyOnly = 1,  // only the dirty children
};

class CViewContainer : public CView {
 public:
  // frame may be null; background may be null and is retained when set.
  CViewContainer(const CRectangle& bounds, CFrame* frame, CBitmap* background = nullptr);
  // Removes every child with release-owner set and releases the offscreen context.
  ~CViewContainer() override;

  // CView operations the container replaces.
  void paint(CDrawContext* context) override;
  void paintArea(CDrawContext* context, const CRectangle& updateRect) override;
  void mouseDown(CDrawContext* context, const CPosition& where, int32_t buttons) override;
  int32_t handleKeyDown(const VstKeyCode& keyCode) override;
  int32_t handleKeyUp(const VstKeyCode& keyCode) override;
  bool handleWheel(CDrawContext* context, const CPosition& where, float distance) override;
  bool handleWheelOnAxis(CDrawContext* context, const CPosition& where, WheelAxis axis,
                         float distance) override;
  bool handleDrop(CDrawContext* context, CDragContainer* drag, const CPosition& where) override;
  void handleDragEnter(CDrawContext* context, CDragContainer* drag,
                       const CPosition& where) override;
  void handleDragLeave(CDrawContext* context, CDragContainer* drag,
                       const CPosition& where) override;
  void handleDragMove(CDrawContext* context, CDragContainer* drag, const CPosition& where) override;
  void focusLost(CDrawContext* context) override;
  void focusGained(CDrawContext* context) override;
  // Its own flag, or a dirty child that is visible inside the container.
  bool isDirty() const override;
  void setBounds(const CRectangle& rect) override;
  bool onDetach(CView* container) override;
  bool onAttach(CView* container) override;
  CPosition& pointFromFrame(CPosition& point) override;
  CPosition& pointToFrame(CPosition& point) override;
  // 1 for kMsgCheckIfViewContainer (by address), else 0.
  int32_t receiveMessage(CView* sender, const char* message) override;
  // rect is in the container's inner coordinates (its top-left corner is (0, 0)).
  void repaintArea(CDrawContext* context, const CRectangle& rect) override;
  bool isKindOf(const char* className) const override;
  void refresh(CDrawContext* context) override;

  // Takes over one reference (the link's); the same view may be added twice. Null is ignored.
  virtual void addChild(CView* view);
  virtual void addChildWithArea(CView* view, const CRectangle& mouseArea, bool mouseEnabled);
  // Unlinks the first link holding view; with releaseOwner the creator's reference is given
  // back as well.
  virtual void removeChild(CView* view, bool releaseOwner = true);
  virtual void removeAllChildren(bool releaseOwner = true);
  virtual bool hasChild(CView* view) const;
  virtual int32_t childCount() const;
  // 0-based; null outside the list.
  virtual CView* childAtIndex(int32_t index) const;
  virtual void setBackgroundColor(const CRgbaColor& color);
  virtual CRgbaColor backgroundColor() const;
  // Source offset into the background bitmap; no redraw.
  virtual void setBackgroundOffset(const CPosition& offset);
  virtual CPosition backgroundOffset() const;
  // Draws the background into rect (inner coordinates), within the context's current clip.
  virtual void paintBackground(CDrawContext* context, const CRectangle& rect);
  virtual void setUpdateMode(int32_t mode);
  virtual int32_t getUpdateMode() const;
  // Switching it off releases the offscreen context.
  virtual void setDrawOffscreen(bool value);
  // The topmost child under the frame's mouse location; null without a frame.
  virtual CView* childUnderMouse();
  // The topmost child whose mouse area holds where (the container's bounds coordinates);
  // with deep, descends into nested containers. Null without a frame.
  virtual CView* viewAtPoint(const CPosition& where, bool deep = false);
  // Gives the focus to the next (or previous) focusable child after from (from the start when
  // null); true when the focus moved.
  virtual bool moveFocus(CView* from, bool backwards);

 protected:
  struct ChildLink {
    CView* view;  // one counted reference
    ChildLink* next;
    ChildLink* previous;
  };

  // Inner rectangle: (0, 0, width, height) of bounds.
  CRectangle innerRect() const;
  // Creates the offscreen context when drawing offscreen and none exists; true if created.
  bool ensureOffscreen();
  void releaseOffscreen();
  void unlink(ChildLink* link);
  void releaseOwnerReference(CView* view);

  ChildLink* firstChild = nullptr;
  ChildLink* lastChild = nullptr;
  int32_t updateMode = updateDirtyOnly;
  COffscreenContext* offscreen = nullptr;  // one counted reference while set
  // Fields named like an operation carry a trailing underscore.
  CRgbaColor backgroundColor_;
  CPosition backgroundOffset_;
  bool drawOffscreen = false;
  CView* dragTarget = nullptr;
};

}  // namespace QGUI
