// The factory of the QLN_Dravimo library.
#include "effects/dravimo.h"

AudioEffect* createEffect(audioMasterCallback audioMaster) { return new Dravimo(audioMaster); }
