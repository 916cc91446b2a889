// The factory of the QLN_Lunivex library.
#include "effects/lunivex.h"

AudioEffect* createEffect(audioMasterCallback audioMaster) { return new Lunivex(audioMaster); }
