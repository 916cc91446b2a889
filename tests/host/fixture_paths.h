// Where the build put the fixture plug-ins (paths come from the build as definitions).
#pragma once

namespace hosttest {

inline const char* const kProbe = HOST_FIXTURE_PROBE;
inline const char* const kLegacy = HOST_FIXTURE_LEGACY;
inline const char* const kNullEntry = HOST_FIXTURE_NULL;
inline const char* const kBadMagic = HOST_FIXTURE_BADMAGIC;
inline const char* const kBadRecord = HOST_FIXTURE_BADRECORD;
inline const char* const kNoEntry = HOST_FIXTURE_NOENTRY;
inline const char* const kNotALibrary = HOST_FIXTURE_NOT_A_LIBRARY;

}  // namespace hosttest
