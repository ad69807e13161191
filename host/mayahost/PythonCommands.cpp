#include "PythonCommands.h"

#include "CommandSyntax.h"
#include "HostSession.h"

#include <maya/MSyntax.h>

#include <cstdio>
#include <functional>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

using OmbrixHost::FlagSpec;
using OmbrixHost::MelFlagSpec;
using OmbrixHost::MelFlagTable;
using OmbrixHost::MelValue;
using OmbrixHost::SyntaxSpec;

namespace {

MelValue flagWord(const std::string& name) { return MelValue::ofString("-" + name, true); }

bool typeError(const std::string& message) {
  PyErr_SetString(PyExc_TypeError, message.c_str());
  return false;
}

bool isInteger(PyObject* value) { return PyLong_Check(value) != 0; }

// One Python value as a value of the flag's argument type; false when the
// type does not fit.
bool typedValue(int type, PyObject* value, MelValue& out) {
  switch (type) {
  case MSyntax::kString:
  case MSyntax::kSelectionItem:
    if (!PyUnicode_Check(value))
      return false;
    out = MelValue::ofString(PyUnicode_AsUTF8(value));
    return true;
  case MSyntax::kBoolean:
  case MSyntax::kLong:
  case MSyntax::kUnsigned:
    if (!isInteger(value))
      return false;
    out = MelValue::ofInt(PyLong_AsLongLong(value));
    return true;
  default:
    if (!isInteger(value) && !PyFloat_Check(value))
      return false;
    out = MelValue::ofFloat(PyFloat_AsDouble(value));
    return true;
  }
}

std::string expectedTypes(const FlagSpec& flag) {
  if (flag.types.size() == 1)
    return OmbrixHost::argumentTypeName(flag.types[0]);
  std::string text = "(";
  for (std::size_t k = 0; k < flag.types.size(); ++k)
    text += (k ? ", " : " ") + OmbrixHost::argumentTypeName(flag.types[k]);
  return text + " )";
}

// One use of a flag with values: a single value, or a tuple or list of them.
bool appendUse(const FlagSpec& flag, const std::string& key, PyObject* value, std::vector<MelValue>& out) {
  std::vector<PyObject*> items;
  if (flag.types.size() == 1) {
    items.push_back(value);
  } else if (PySequence_Check(value) && !PyUnicode_Check(value) &&
             PySequence_Size(value) == static_cast<Py_ssize_t>(flag.types.size())) {
    for (Py_ssize_t k = 0; k < PySequence_Size(value); ++k) {
      PyObject* item = PySequence_GetItem(value, k);
      items.push_back(item);
      Py_DECREF(item);  // the sequence keeps it
    }
  }
  std::vector<MelValue> values(items.size());
  bool fits = items.size() == flag.types.size();
  for (std::size_t k = 0; fits && k < items.size(); ++k)
    fits = typedValue(flag.types[k], items[k], values[k]);
  if (!fits)
    return typeError("Invalid arguments for flag '" + key + "'.  Expected " + expectedTypes(flag) + ", got " +
                     Py_TYPE(value)->tp_name);
  out.push_back(flagWord(flag.longName));
  out.insert(out.end(), values.begin(), values.end());
  return true;
}

// A keyword through the command's syntax: Maya's TypeErrors for an unknown
// keyword and a value of the wrong type; True/False for a flag without values;
// a list for each use of a multi-use flag.
bool appendDeclared(const SyntaxSpec& syntax, const std::string& key, PyObject* value, bool query,
                    std::vector<MelValue>& out) {
  const FlagSpec* flag = syntax.find(key);
  if (!flag)
    return typeError("Invalid flag '" + key + "'");
  if (flag->types.empty()) {
    if (!isInteger(value))
      return typeError("Flag '" + key + "' must be passed a boolean argument");
    if (PyObject_IsTrue(value))
      out.push_back(flagWord(flag->longName));
    return true;
  }
  if (query && !flag->queryWithArgs) {
    out.push_back(flagWord(flag->longName));
    return true;
  }
  if (!flag->multiUse || !PyList_Check(value))
    return appendUse(*flag, key, value, out);
  for (Py_ssize_t k = 0; k < PyList_Size(value); ++k)
    if (!appendUse(*flag, key, PyList_GetItem(value, k), out))
      return false;
  return true;
}

// A command with neither a syntax nor a flag table (a host command that reads
// its own arguments): the keyword as a flag word with its values, checked by
// the command.
void appendUndeclared(const std::string& key, PyObject* value, std::vector<MelValue>& out);

bool appendPositional(PyObject* value, std::vector<MelValue>& out);

// A host command's flag by long or short name, the last match as its MEL
// parse takes it; null if none.
const MelFlagSpec* tableFlag(const MelFlagTable& table, const std::string& key) {
  const MelFlagSpec* found = nullptr;
  for (const MelFlagSpec& flag : table)
    if (key == flag.longName || key == flag.shortName)
      found = &flag;
  return found;
}

// One value after a host command's flag: a string or a number.
bool tableValue(PyObject* value, MelValue& out) {
  if (PyUnicode_Check(value))
    out = MelValue::ofString(PyUnicode_AsUTF8(value));
  else if (PyLong_Check(value))
    out = MelValue::ofInt(PyLong_AsLongLong(value));
  else if (PyFloat_Check(value))
    out = MelValue::ofFloat(PyFloat_AsDouble(value));
  else
    return false;
  return true;
}

bool isSequence(PyObject* value) { return PyList_Check(value) || PyTuple_Check(value); }

// One use of a host command's flag with values: a single value, or a tuple or
// list of as many as the flag takes.
bool appendTableUse(const MelFlagSpec& flag, const std::string& key, PyObject* value, std::vector<MelValue>& out) {
  const auto arity = static_cast<std::size_t>(flag.arity);
  std::vector<PyObject*> items;
  if (arity == 1)
    items.push_back(value);
  else if (isSequence(value) && PySequence_Fast_GET_SIZE(value) == static_cast<Py_ssize_t>(arity))
    for (std::size_t k = 0; k < arity; ++k)
      items.push_back(PySequence_Fast_GET_ITEM(value, static_cast<Py_ssize_t>(k)));
  std::vector<MelValue> values(items.size());
  bool fits = items.size() == arity;
  for (std::size_t k = 0; fits && k < arity; ++k)
    fits = tableValue(items[k], values[k]);
  if (!fits)
    return typeError("Invalid arguments for flag '" + key + "'.  Expected " +
                     (arity == 1 ? std::string("a string or a number") : std::to_string(arity) + " values") +
                     ", got " + Py_TYPE(value)->tp_name);
  out.push_back(flagWord(flag.longName));
  out.insert(out.end(), values.begin(), values.end());
  return true;
}

// A keyword through a host command's flag table: an unknown keyword and a
// value that does not fit are TypeErrors; True/False for a flag without
// values and for an optional boolean; a list for each use of a flag with
// values. Queried, a flag is given without its values.
bool appendTabled(const MelFlagTable& table, const std::string& key, PyObject* value, bool query,
                  std::vector<MelValue>& out) {
  const MelFlagSpec* flag = tableFlag(table, key);
  if (!flag)
    return typeError("Invalid flag '" + key + "'");
  const bool mode = std::string(flag->longName) == "query" || std::string(flag->longName) == "edit";
  if (flag->arity <= 0 || (query && !mode)) {
    if (flag->arity <= 0 && !isInteger(value))
      return typeError("Flag '" + key + "' must be passed a boolean argument");
    const bool on = PyObject_IsTrue(value) != 0;
    if (flag->arity < 0 && !query)
      out.insert(out.end(), {flagWord(flag->longName), MelValue::ofInt(on ? 1 : 0)});
    else if (on)
      out.push_back(flagWord(flag->longName));
    return true;
  }
  const bool uses = PyList_Check(value) && (flag->arity == 1 || [&] {
                      for (Py_ssize_t k = 0; k < PyList_Size(value); ++k)
                        if (!isSequence(PyList_GetItem(value, k)))
                          return false;
                      return true;
                    }());
  if (!uses)
    return appendTableUse(*flag, key, value, out);
  for (Py_ssize_t k = 0; k < PyList_Size(value); ++k)
    if (!appendTableUse(*flag, key, PyList_GetItem(value, k), out))
      return false;
  return true;
}

// The keywords through a host command's flag table; query and edit first, as
// its MEL parse reads the flags after -query as queried.
bool tableKeywords(const MelFlagTable& table, PyObject* keywords, std::vector<MelValue>& out) {
  PyObject* key = nullptr;
  PyObject* value = nullptr;
  Py_ssize_t position = 0;
  bool query = false;
  std::vector<std::pair<std::string, PyObject*>> rest;
  while (PyDict_Next(keywords, &position, &key, &value)) {
    const std::string name = PyUnicode_AsUTF8(key);
    const MelFlagSpec* flag = tableFlag(table, name);
    const std::string longName = flag ? flag->longName : "";
    if (longName != "query" && longName != "edit") {
      rest.emplace_back(name, value);
      continue;
    }
    const std::size_t before = out.size();
    if (!appendTabled(table, name, value, false, out))
      return false;
    query = query || (longName == "query" && out.size() > before);
  }
  for (const auto& [name, item] : rest)
    if (!appendTabled(table, name, item, query, out))
      return false;
  return true;
}

bool modeKeyword(const SyntaxSpec& syntax, const std::string& key, const char* shortName, const char* longName,
                 bool allowed) {
  return allowed && (key == shortName || key == longName) && syntax.find(key) == nullptr;
}

// The keywords as the command's flags; query and edit first, as Maya reads
// the flags after -query as queried.
bool keywordFlags(const std::string& command, PyObject* keywords, std::vector<MelValue>& out) {
  if (!keywords || !PyDict_Check(keywords) || OmbrixHost::registeredWithoutSyntax(command))
    return true;  // a plug-in command without a syntax gets no flags, as in Maya
  const SyntaxSpec* syntax = OmbrixHost::commandSyntax(command);
  if (const MelFlagTable* table = syntax ? nullptr : OmbrixHost::builtinFlagTable(command))
    return tableKeywords(*table, keywords, out);
  PyObject* key = nullptr;
  PyObject* value = nullptr;
  Py_ssize_t position = 0;
  bool query = false;
  std::vector<MelValue> mode;
  std::vector<std::pair<std::string, PyObject*>> rest;
  while (PyDict_Next(keywords, &position, &key, &value)) {
    const std::string name = PyUnicode_AsUTF8(key);
    if (syntax && modeKeyword(*syntax, name, "q", "query", syntax->query)) {
      query = query || PyObject_IsTrue(value);
      if (PyObject_IsTrue(value))
        mode.push_back(flagWord("query"));
    } else if (syntax && modeKeyword(*syntax, name, "e", "edit", syntax->edit)) {
      if (PyObject_IsTrue(value))
        mode.push_back(flagWord("edit"));
    } else {
      rest.emplace_back(name, value);
    }
  }
  out.insert(out.end(), mode.begin(), mode.end());
  for (const auto& [name, item] : rest) {
    if (!syntax)
      appendUndeclared(name, item, out);
    else if (!appendDeclared(*syntax, name, item, query, out))
      return false;
  }
  return true;
}

void appendUndeclared(const std::string& key, PyObject* value, std::vector<MelValue>& out) {
  if (PyBool_Check(value)) {
    if (value == Py_True)
      out.push_back(flagWord(key));
    return;
  }
  out.push_back(flagWord(key));
  appendPositional(value, out);
}

// Python's positional arguments: strings and numbers, lists and tuples of them
// taken item by item.
bool appendPositional(PyObject* value, std::vector<MelValue>& out) {
  if (PyUnicode_Check(value)) {
    out.push_back(MelValue::ofString(PyUnicode_AsUTF8(value)));
  } else if (PyBool_Check(value) || PyLong_Check(value)) {
    out.push_back(MelValue::ofInt(PyLong_AsLongLong(value)));
  } else if (PyFloat_Check(value)) {
    out.push_back(MelValue::ofFloat(PyFloat_AsDouble(value)));
  } else if (PyList_Check(value) || PyTuple_Check(value)) {
    for (Py_ssize_t k = 0; k < PySequence_Size(value); ++k) {
      PyObject* item = PySequence_GetItem(value, k);
      const bool ok = appendPositional(item, out);
      Py_DECREF(item);
      if (!ok)
        return false;
    }
  } else if (value != Py_None) {
    return typeError(std::string("Invalid argument of type ") + Py_TYPE(value)->tp_name);
  }
  return true;
}

PyObject* listOf(std::size_t size, const std::function<PyObject*(std::size_t)>& item) {
  PyObject* list = PyList_New(static_cast<Py_ssize_t>(size));
  for (std::size_t k = 0; list && k < size; ++k)
    PyList_SET_ITEM(list, static_cast<Py_ssize_t>(k), item(k));
  return list;
}

// A command's result as Maya's Python gives it: str, int, bool, float, lists.
PyObject* pythonValue(const MelValue& value) {
  switch (value.kind) {
  case MelValue::kInt:
    return value.boolean ? PyBool_FromLong(value.i != 0) : PyLong_FromLongLong(value.i);
  case MelValue::kFloat:
    return PyFloat_FromDouble(value.f);
  case MelValue::kString:
    return PyUnicode_FromString(value.s.c_str());
  case MelValue::kStringArray:
    return listOf(value.strings.size(), [&](std::size_t k) { return PyUnicode_FromString(value.strings[k].c_str()); });
  case MelValue::kIntArray:
    return listOf(value.numbers.size(),
                  [&](std::size_t k) { return PyLong_FromLongLong(static_cast<long long>(value.numbers[k])); });
  case MelValue::kFloatArray:
    return listOf(value.numbers.size(), [&](std::size_t k) { return PyFloat_FromDouble(value.numbers[k]); });
  default:
    Py_RETURN_NONE;
  }
}

// What the command printed comes before what the script prints next.
void flushOutput() {
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
}

PyObject* answer(bool ok, const MelValue& result, const std::string& error) {
  flushOutput();
  if (!ok) {
    PyErr_SetString(PyExc_RuntimeError, error.c_str());
    return nullptr;
  }
  return pythonValue(result);
}

// _mayahost.call(name, args, kwargs)
PyObject* call(PyObject*, PyObject* arguments) {
  const char* name = nullptr;
  PyObject* positional = nullptr;
  PyObject* keywords = nullptr;
  if (!PyArg_ParseTuple(arguments, "sOO", &name, &positional, &keywords))
    return nullptr;
  std::vector<MelValue> args;
  if (!keywordFlags(name, keywords, args) || !appendPositional(positional, args))
    return nullptr;
  MelValue result;
  std::string error;
  const bool ok = OmbrixHost::callCommand(name, args, result, error);
  return answer(ok, result, error);
}

// _mayahost.mel_eval(text): a failure is printed, as the script editor does, and raised.
PyObject* melEval(PyObject*, PyObject* arguments) {
  const char* text = nullptr;
  if (!PyArg_ParseTuple(arguments, "s", &text))
    return nullptr;
  MelValue result;
  std::string error;
  const bool ok = OmbrixHost::runMel(text, result, error);
  return answer(ok, result, error);
}

PyObject* exists(PyObject*, PyObject* arguments) {
  const char* name = nullptr;
  if (!PyArg_ParseTuple(arguments, "s", &name))
    return nullptr;
  return PyBool_FromLong(OmbrixHost::commandExists(name));
}

PyMethodDef methods[] = {
    {"call", call, METH_VARARGS, "Runs a command with Python's arguments and keywords."},
    {"mel_eval", melEval, METH_VARARGS, "Runs MEL and answers its value."},
    {"exists", exists, METH_VARARGS, "Whether a command of that name exists."},
    {nullptr, nullptr, 0, nullptr}};

PyModuleDef moduleDef = {PyModuleDef_HEAD_INIT, "_mayahost", nullptr, -1, methods,
                         nullptr,               nullptr,     nullptr, nullptr};

}  // namespace

PyMODINIT_FUNC PyInit__mayahost() { return PyModule_Create(&moduleDef); }
