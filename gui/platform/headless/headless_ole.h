// What the headless back end counts of OLE initialisation, so tests can check the balance.
#pragma once

#include <cstdint>

namespace QGUI::platform::headless {

// Calls since the process started (never reset: tests compare differences).
std::int32_t oleInitializeCalls();
std::int32_t oleUninitializeCalls();

}  // namespace QGUI::platform::headless
