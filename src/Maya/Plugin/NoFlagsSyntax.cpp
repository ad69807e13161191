// The syntax of the commands that take nothing: any flag or value is refused.
#include <maya/MSyntax.h>

#include "Maya/Plugin/Commands.h"

MSyntax noFlagsSyntax() { return MSyntax(); }
