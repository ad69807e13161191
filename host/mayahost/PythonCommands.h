#pragma once
// The built-in module _mayahost behind maya.cmds and maya.mel: a call of a
// command with Python's arguments and keywords turned into the command's
// arguments and flags through its syntax, and the result back as Python values.
#define PY_SSIZE_T_CLEAN
#include <Python.h>

PyMODINIT_FUNC PyInit__mayahost();
