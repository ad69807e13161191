// Compiled as part of the strings layer (HvTL): the object base is above it,
// so this include must not be found.
#include "HvCore/HvObject.h"
