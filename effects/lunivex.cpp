// The per-channel delay: each line records its own input channel.
#include "effects/lunivex.h"

namespace {

struct PerChannelInput {
  template <class Sample>
  static const Sample* second(Sample** inputs) {
    return inputs[1];
  }
};

}  // namespace

Lunivex::Lunivex(audioMasterCallback audioMaster) : DelayEffect(audioMaster, kUniqueID, "Lunivex") {}

void Lunivex::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
  processLines<PerChannelInput>(inputs, outputs, sampleFrames);
}

void Lunivex::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) {
  processLines<PerChannelInput>(inputs, outputs, sampleFrames);
}
