#include "PythonScripting.h"

#include "PythonCommands.h"

#include <cstdio>
#include <iostream>

namespace {

// The maya package as mayapy offers it, over _mayahost: maya.cmds answers
// every command by name, maya.standalone.initialize() is accepted (the host
// is initialised already).
const char kMayaPackage[] = R"(
import sys, types, _mayahost

def _module(name):
    module = types.ModuleType(name)
    sys.modules[name] = module
    return module

maya = _module('maya')
maya.__path__ = []
cmds = maya.cmds = _module('maya.cmds')
mel = maya.mel = _module('maya.mel')
standalone = maya.standalone = _module('maya.standalone')

def _command(name):
    def command(*args, **kwargs):
        return _mayahost.call(name, args, kwargs)
    command.__name__ = name
    return command

def _find(name):
    if not name.startswith('__') and _mayahost.exists(name):
        return _command(name)
    raise AttributeError("module 'maya.cmds' has no attribute '%s'" % name)

cmds.__getattr__ = _find
mel.eval = _mayahost.mel_eval
standalone.initialize = lambda name='python': None
standalone.uninitialize = lambda: None
del maya, cmds, mel, standalone
)";

bool started = false;

bool start() {
  if (started)
    return true;
  PyImport_AppendInittab("_mayahost", PyInit__mayahost);
  PyConfig config;
  PyConfig_InitPythonConfig(&config);
  config.buffered_stdio = 0;  // in order with what the commands print
  config.install_signal_handlers = 0;
  const PyStatus status = Py_InitializeFromConfig(&config);
  PyConfig_Clear(&config);
  if (PyStatus_Exception(status)) {
    std::cerr << "mayahost: Python does not start: " << (status.err_msg ? status.err_msg : "") << std::endl;
    return false;
  }
  started = PyRun_SimpleString(kMayaPackage) == 0;
  return started;
}

// sys.exit(0) or sys.exit() ends a script well; any other exception fails
// it, its traceback printed.
bool finished(PyObject* value) {
  if (value) {
    Py_DECREF(value);
    return true;
  }
  if (PyErr_ExceptionMatches(PyExc_SystemExit)) {
    PyObject *type = nullptr, *exit = nullptr, *trace = nullptr;
    PyErr_Fetch(&type, &exit, &trace);
    PyObject* code = exit ? PyObject_GetAttrString(exit, "code") : nullptr;
    const bool ok = !code || code == Py_None || (PyLong_Check(code) && PyLong_AsLong(code) == 0);
    if (!ok && code && !PyLong_Check(code))
      PyObject_Print(code, stderr, Py_PRINT_RAW), std::fputc('\n', stderr);
    Py_XDECREF(code);
    Py_XDECREF(type);
    Py_XDECREF(exit);
    Py_XDECREF(trace);
    return ok;
  }
  PyErr_Print();
  return false;
}

bool run(const std::string& code, const std::string& fileName) {
  if (!start())
    return false;
  PyObject* main = PyImport_AddModule("__main__");
  PyObject* globals = PyModule_GetDict(main);
  PyObject* file = PyUnicode_FromString(fileName.c_str());
  PyDict_SetItemString(globals, "__file__", file);
  Py_XDECREF(file);
  PyObject* compiled = Py_CompileString(code.c_str(), fileName.c_str(), Py_file_input);
  if (!compiled)
    return finished(nullptr);
  const bool ok = finished(PyEval_EvalCode(compiled, globals, globals));
  Py_DECREF(compiled);
  return ok;
}

void setArgv(const std::vector<std::string>& argv) {
  PyObject* list = PyList_New(0);
  for (const std::string& arg : argv) {
    PyObject* item = PyUnicode_DecodeFSDefault(arg.c_str());
    PyList_Append(list, item);
    Py_XDECREF(item);
  }
  PySys_SetObject("argv", list);
  Py_DECREF(list);
}

}  // namespace

bool runPythonCode(const std::string& code) {
  if (!start())
    return false;
  setArgv({"-c"});
  return run(code, "<string>");
}

bool runPythonScript(const std::string& path, const std::string& code, const std::vector<std::string>& args) {
  if (!start())
    return false;
  std::vector<std::string> argv{path};
  argv.insert(argv.end(), args.begin(), args.end());
  setArgv(argv);
  return run(code, path);
}
