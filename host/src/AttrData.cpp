// Typed values of setAttr -type: texts, number tuples, matrices, arrays and
// component lists.
#include "MelInterpreter.h"
#include "Scene.h"

namespace OmbrixHost {

namespace {

bool takeCount(const std::vector<MelValue>& values, std::size_t& used, std::size_t& count, std::string& error) {
  if (used >= values.size() || !values[used].isNumber()) {
    error = "an element count is missing";
    return false;
  }
  double n = values[used++].asNumber();
  if (n < 0 || n > static_cast<double>(values.size() - used) + 0.5) {
    error = "the element count " + std::to_string(static_cast<long long>(n)) + " exceeds the values given";
    return false;
  }
  count = static_cast<std::size_t>(n);
  return true;
}

bool takeNumbers(const std::vector<MelValue>& values, std::size_t& used, std::size_t count, std::vector<double>& out,
                 std::string& error) {
  if (values.size() - used < count) {
    error = "too few values";
    return false;
  }
  for (std::size_t k = 0; k < count; ++k) {
    const MelValue& v = values[used++];
    if (!v.isNumber()) {
      error = "'" + v.asString() + "' is not a number";
      return false;
    }
    out.push_back(v.asNumber());
  }
  return true;
}

int tupleWidth(const std::string& type) {
  if (type == "double2" || type == "float2" || type == "long2" || type == "short2")
    return 2;
  if (type == "double3" || type == "float3" || type == "long3" || type == "short3")
    return 3;
  if (type == "double4")
    return 4;
  return 0;
}

// Writes numbers into a compound's numeric children, or as one list value.
void storeTuple(const PlugRef& plug, const std::vector<double>& numbers) {
  if (plug.attr->kind == AttrKind::kCompound && plug.attr->children.size() == numbers.size()) {
    for (std::size_t k = 0; k < numbers.size(); ++k) {
      PlugRef c{plug.node, plug.attr->children[k].get(), plug.indices};
      c.indices.push_back(-1);
      double n = numbers[k];
      if (c.attr->kind == AttrKind::kAngle && scene().angleUnit == "deg")
        n = n * 3.14159265358979323846 / 180.0;
      scene().setValue(c, Value::ofNumber(n));
    }
    return;
  }
  scene().setValue(plug, Value::ofNumbers(numbers));
}

}  // namespace

// Geometry data types are read by the Maya ASCII support when it is built in.
bool setGeometryData(Node* node, const PlugRef& plug, const std::string& type, const std::vector<MelValue>& values,
                     std::size_t& used, std::string& error);

bool setAttrData(Node* node, const PlugRef& plug, const std::string& type, const std::vector<MelValue>& values,
                 std::size_t& used, std::string& error) {
  if (type == "string") {
    if (used >= values.size()) {
      error = "a string value is missing";
      return false;
    }
    scene().setValue(plug, Value::ofString(values[used++].asString()));
    return true;
  }
  if (int width = tupleWidth(type)) {
    std::vector<double> numbers;
    if (!takeNumbers(values, used, static_cast<std::size_t>(width), numbers, error))
      return false;
    storeTuple(plug, numbers);
    return true;
  }
  if (type == "matrix") {
    std::vector<double> numbers;
    if (used < values.size() && values[used].asString() == "xform") {
      error = "xform matrices are not supported";
      return false;
    }
    if (!takeNumbers(values, used, 16, numbers, error))
      return false;
    scene().setValue(plug, Value::ofNumbers(numbers));
    return true;
  }
  if (type == "stringArray" || type == "componentList") {
    std::size_t count = 0;
    if (!takeCount(values, used, count, error))
      return false;
    std::vector<std::string> strings;
    for (std::size_t k = 0; k < count; ++k)
      strings.push_back(values[used++].asString());
    scene().setValue(plug, Value::ofStrings(strings));
    return true;
  }
  if (type == "Int32Array" || type == "doubleArray" || type == "floatArray") {
    std::size_t count = 0;
    std::vector<double> numbers;
    if (!takeCount(values, used, count, error) || !takeNumbers(values, used, count, numbers, error))
      return false;
    scene().setValue(plug, Value::ofNumbers(numbers));
    return true;
  }
  return setGeometryData(node, plug, type, values, used, error);
}

}  // namespace OmbrixHost
