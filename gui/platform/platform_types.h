// Opaque handles of the operating-system layer. The toolkit's logic holds these and passes them
// back to the platform functions; only a back end knows what stands behind them.
#pragma once

namespace QGUI::platform {

struct Surface;    // a drawing surface: a window's paint target or an offscreen bitmap
struct Image;      // a 32-bit premultiplied image that surfaces can copy and blend
struct Font;       // a font made for a surface
struct Pen;        // a line pen made for surfaces
struct Brush;      // a solid fill brush made for surfaces
struct Window;     // a native child window created by the toolkit
struct TextEntry;  // a native single-line text entry
struct BlendLibrary;  // the loaded library that provides alpha blending and keyed copies

using ModuleHandle = void*;  // the plug-in library's module (for its resources)
using NativeWindow = void*;  // a window handle as a host passes it (HWND, X11 Window, headless)

}  // namespace QGUI::platform
