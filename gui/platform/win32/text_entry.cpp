// Win32 text entries. The edit window itself needs the frame window's message handling
// (colours on WM_CTLCOLOREDIT, the subclassed procedure), which this back end does not have
// yet: until then createTextEntry makes no window and answers null, and a text field closes
// its edit bracket at once. Fonts and brushes are real GDI objects.
#include "gui/platform/text_entry.h"

#include <windows.h>

namespace QGUI::platform {

TextEntry* createTextEntry(const TextEntryParams&) {
  return nullptr;
}

void destroyTextEntry(TextEntry*) {}

std::int32_t textEntryText(TextEntry*, char* buffer, std::int32_t capacity) {
  if (buffer && capacity >= 1) buffer[0] = '\0';
  return 0;
}

TextEntryFont* createTextEntryFont(const char* faceName, std::int32_t height, std::int32_t weight) {
  // A negative height asks for the character height rather than the cell height.
  HFONT font =
      CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_STRING_PRECIS,
                  CLIP_STROKE_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, faceName);
  return reinterpret_cast<TextEntryFont*>(font);
}

void destroyTextEntryFont(TextEntryFont* font) {
  if (font) DeleteObject(reinterpret_cast<HFONT>(font));
}

void setTextEntryFont(TextEntry*, TextEntryFont*) {}

TextEntryBrush* createTextEntryBrush(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return reinterpret_cast<TextEntryBrush*>(CreateSolidBrush(RGB(red, green, blue)));
}

void destroyTextEntryBrush(TextEntryBrush* brush) {
  if (brush) DeleteObject(reinterpret_cast<HBRUSH>(brush));
}

}  // namespace QGUI::platform
