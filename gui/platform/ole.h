// OLE initialisation of the user-interface thread, which the frame's drop target needs. Every
// initialisation is paired with one release by whoever made it (editor base, frame).
#pragma once

namespace QGUI::platform {

void oleInitialize();
void oleUninitialize();

}  // namespace QGUI::platform
