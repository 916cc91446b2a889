// Storage of the library-wide delay values (one copy per loaded plug-in library).
#include "effects/delay_state.h"

std::atomic<VstInt32> gMaxDelaySamples{0};
std::atomic<float> gSampleRate{0.0f};

static_assert(std::atomic<VstInt32>::is_always_lock_free);
static_assert(std::atomic<float>::is_always_lock_free);
