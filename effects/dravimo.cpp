// The split delay: both lines record input channel 1.
#include "effects/dravimo.h"

namespace {

struct SplitInput {
  template <class Sample>
  static const Sample* second(Sample** inputs) {
    return inputs[0];
  }
};

}  // namespace

Dravimo::Dravimo(audioMasterCallback audioMaster) : DelayEffect(audioMaster, kUniqueID, "Dravimo") {}

void Dravimo::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
  processLines<SplitInput>(inputs, outputs, sampleFrames);
}

void Dravimo::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) {
  processLines<SplitInput>(inputs, outputs, sampleFrames);
}
