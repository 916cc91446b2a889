// One entry of a delay effect's program bank.
#pragma once

#include "shell/aeffect.h"

struct DelayProgram {
  float delayLeft = 0.0f;   // value of parameter 0, 0..1
  float delayRight = 0.0f;  // value of parameter 1, 0..1
  char name[kVstMaxProgNameLen] = "Default";  // at most 23 characters and the terminator
};
