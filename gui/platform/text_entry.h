// The native single-line text entry that a text field opens over itself while the user types.
// It is placed over the field, starts with its text wholly selected, takes at most 255
// characters, uses the field's colours and font, has the keyboard focus, and reports its end
// (Return, or loss of the keyboard focus) through the callback. User-interface thread only.
#pragma once

#include <cstdint>

#include "gui/platform/platform_types.h"

namespace QGUI::platform {

struct TextEntryFont;   // a font made for text entries
struct TextEntryBrush;  // a background brush the window system asks for while the entry draws

// Called by the back end when the entry should end: Return pressed, or the keyboard focus left
// it (also when that happens while the entry is being destroyed). May arrive more than once.
using TextEntryEndedFn = void (*)(void* client);

struct TextEntryParams {
  Window* parent = nullptr;  // the frame's window
  // Placement in the parent's client coordinates, right and bottom excluded.
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  const char* text = "";       // initial content, zero-terminated
  std::int32_t alignment = 0;  // 0 left, 1 centre, 2 right
  std::uint8_t textRed = 255, textGreen = 255, textBlue = 255;
  std::uint8_t backRed = 0, backGreen = 0, backBlue = 0;
  std::int32_t maxLength = 255;   // characters the entry accepts
  ModuleHandle module = nullptr;  // the plug-in library that owns the window
  TextEntryEndedFn ended = nullptr;
  void* client = nullptr;  // handed back to `ended`
};

// Opens an entry with the keyboard focus and its whole text selected; null when the window
// system could not make one.
TextEntry* createTextEntry(const TextEntryParams& params);
// Destroys the entry. If it still has the keyboard focus, losing it reports the end first (the
// callback runs from inside this call), as a native window does.
void destroyTextEntry(TextEntry* entry);
// Copies at most capacity - 1 characters of the entry's text into buffer, zero-terminated;
// answers the number of characters copied. Nothing for a null entry or buffer or capacity < 1.
std::int32_t textEntryText(TextEntry* entry, char* buffer, std::int32_t capacity);

// A font for entries: face name, character height in pixels, weight (400 normal, 700 bold).
// Null when none can be made.
TextEntryFont* createTextEntryFont(const char* faceName, std::int32_t height, std::int32_t weight);
void destroyTextEntryFont(TextEntryFont* font);
// Gives the entry its font and redraws it; the caller keeps ownership of the font.
void setTextEntryFont(TextEntry* entry, TextEntryFont* font);

// A solid brush of the entry's background colour, made when the window system asks how to
// draw the entry; the text field that owns the entry deletes it. Null when none can be made.
TextEntryBrush* createTextEntryBrush(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
void destroyTextEntryBrush(TextEntryBrush* brush);

}  // namespace QGUI::platform
