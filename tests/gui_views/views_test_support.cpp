// The recording host of the view and frame tests.
#include "views_test_support.h"

namespace views_test {

HostRecord& host() {
  static HostRecord record;
  return record;
}

VstIntPtr VSTCALLBACK recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                    void* ptr, float) {
  HostRecord& record = host();
  switch (opcode) {
    case audioMasterVersion:
      return 2400;
    case audioMasterCanDo: {
      const char* text = static_cast<const char*>(ptr);
      record.canDoQuestions.emplace_back(text ? text : "");
      return text && std::strcmp(text, "sizeWindow") == 0 && record.canSizeWindow ? 1 : 0;
    }
    case audioMasterSizeWindow:
      record.sizeRequests.emplace_back(index, static_cast<int32_t>(value));
      return record.agreesToSize ? 1 : 0;
    case audioMasterBeginEdit:
      record.beginEdits.push_back(index);
      return 1;
    case audioMasterEndEdit:
      record.endEdits.push_back(index);
      return 1;
    default:
      return 0;
  }
}

}  // namespace views_test
