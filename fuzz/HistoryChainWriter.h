#pragma once
// A chain of construction history chosen by fuzz bytes: a creation node, then
// modelling, UV and deformer nodes with their values and component lists
// (mostly within a few hundred, sometimes far out of range), written as Maya
// writes it into a Maya ASCII scene whose shape "pResult..." takes the last
// node's output. The history fuzzer loads it; the host's tests load the kept inputs again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string>

namespace HistoryChain {

// The bytes read front to back as choices; zeros once they run out.
class FuzzBytes {
public:
  FuzzBytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool more() const { return at_ < size_; }

  // low..high (low when the range is empty); as many bytes as the range needs.
  int integer(int low, int high) {
    if (high <= low)
      return low;
    const std::uint64_t range = static_cast<std::uint64_t>(static_cast<std::int64_t>(high) - low);
    std::uint64_t value = 0;
    for (std::uint64_t span = range; span != 0 && at_ < size_; span >>= 8)
      value = (value << 8) | data_[at_++];
    return static_cast<int>(low + static_cast<std::int64_t>(value % (range + 1)));
  }

  bool flag() { return (integer(0, 255) & 1) != 0; }

  double real(double low, double high) { return low + (high - low) * (integer(0, 65535) / 65535.0); }

private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// Writes the scene, one node after another, each connected as Maya connects it.
class ChainWriter {
public:
  explicit ChainWriter(FuzzBytes& in) : in_(in) {}

  std::string scene() {
    out_ = "//Maya ASCII 2018 scene\nrequires maya \"2018\";\ncurrentUnit -l centimeter -a degree -t film;\n";
    std::string last = creator();
    const int steps = in_.integer(1, 8);
    for (int i = 0; i < steps && in_.more(); ++i)
      last = step(last);
    shape("pResult", last, false);
    return out_;
  }

private:
  // A number: mostly small, sometimes zero, negative or large.
  double number(double low, double high) {
    switch (in_.integer(0, 7)) {
      case 0: return 0.0;
      case 1: return -in_.real(0.0, high);
      case 2: return in_.real(high, high * 1000.0);
      default: return in_.real(low, high);
    }
  }

  std::string text(double v) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.9g", v);
    return buffer;
  }

  int count(int low, int high) { return in_.integer(low, high); }

  // An index: mostly within a few hundred, sometimes far out of range.
  int index() {
    const int scale = in_.integer(0, 15);
    return scale == 0 ? count(0, 2000000) : scale < 4 ? count(0, 400) : count(0, 63);
  }

  // "componentList" values over `kind` ("f", "e", "vtx", "map").
  std::string components(const char* kind) {
    const int n = count(1, 3);
    std::string list = std::to_string(n);
    for (int i = 0; i < n; ++i) {
      const int a = index(), shape = count(0, 7);
      const std::string range = shape == 0   ? "*"
                                : shape < 4 ? std::to_string(a)
                                            : std::to_string(a) + ":" + std::to_string(a + count(0, 40));
      list += std::string(" \"") + kind + "[" + range + "]\"";
    }
    return list;
  }

  void createNode(const std::string& type, const std::string& name) {
    out_ += "createNode " + type + " -n \"" + name + "\";\n";
  }
  void set(const std::string& attr, const std::string& values) {
    out_ += "\tsetAttr \"." + attr + "\" " + values + ";\n";
  }
  void setList(const std::string& attr, const char* kind) {
    set(attr, "-type \"componentList\" " + components(kind));
  }
  void setNumber(const std::string& attr, double low, double high) {
    if (in_.flag())
      set(attr, text(number(low, high)));
  }
  // Mostly within low..high, sometimes just outside or far beyond.
  void setInt(const std::string& attr, int low, int high) {
    if (!in_.flag())
      return;
    const int odd = in_.integer(0, 15);
    set(attr, std::to_string(odd == 0 ? low - 1 : odd == 1 ? count(high + 1, high * 4) : count(low, high)));
  }
  void setFlag(const std::string& attr) {
    if (in_.flag())
      set(attr, in_.flag() ? "yes" : "no");
  }
  void setTriple(const std::string& attr, const char* type, double low, double high) {
    if (in_.flag())
      set(attr, std::string("-type \"") + type + "\" " + text(number(low, high)) + " " + text(number(low, high)) + " " +
                    text(number(low, high)));
  }
  // Maya's inputMatrix: mostly the identity, sometimes moved or scaled.
  void setMatrix() {
    if (!in_.flag())
      return;
    const double s = in_.flag() ? 1.0 : number(0.1, 3.0);
    set("ix", "-type \"matrix\" " + text(s) + " 0 0 0 0 " + text(s) + " 0 0 0 0 " + text(s) + " 0 " +
                  text(number(-5, 5)) + " " + text(number(-5, 5)) + " 0 1");
  }
  // "setAttr -s N ".attr[a:b]" -type "TYPE" values": sparse per-element values.
  void setElements(const std::string& attr, const char* type, int width) {
    const int first = index(), n = count(1, 12);
    std::string values;
    for (int i = 0; i < n * width; ++i)
      values += " " + text(number(-1.0, 1.0));
    out_ += "\tsetAttr -s " + std::to_string(n) + " \"." + attr + "[" + std::to_string(first) + ":" +
            std::to_string(first + n - 1) + "]\" -type \"" + type + "\"" + values + ";\n";
  }
  void connect(const std::string& from, const std::string& to) {
    out_ += "connectAttr \"" + from + "\" \"" + to + "\";\n";
  }
  std::string name(const std::string& type) { return type + std::to_string(++made_); }

  // A transform and its mesh taking `source`; an intermediate shape when hidden.
  std::string shape(const std::string& base, const std::string& source, bool intermediate) {
    const std::string t = base + std::to_string(++made_), s = t + "Shape";
    createNode("transform", t);
    out_ += "createNode mesh -n \"" + s + "\" -p \"" + t + "\";\n";
    if (intermediate)
      set("io", "yes");
    set("uvst[0].uvsn", "-type \"string\" \"map1\"");
    set("cuvs", "-type \"string\" \"map1\"");
    connect(source, s + ".i");
    return s;
  }

  // A creation node; answers its output plug.
  std::string creator() {
    static const char* const kTypes[] = {"polyCube", "polyCylinder", "polySphere", "polyPlane", "polyTorus",
                                         "polyPipe", "polyCone", "polyPrism", "polyPyramid", "polyHelix",
                                         "polyDisc", "polyPlatonic"};
    const std::string type = kTypes[count(0, static_cast<int>(std::size(kTypes)) - 1)];
    const std::string node = name(type);
    createNode(type, node);
    if (type == "polyCube" || type == "polyPlane") {
      setInt("sw", 1, 6);
      setInt("sh", 1, 6);
      setInt("sd", 1, 6);
      setNumber("w", 0.1, 4);
    } else if (type == "polyDisc" || type == "polyPlatonic") {
      setInt("subdivisions", 0, 4);
      setInt(type == "polyDisc" ? "sides" : "primitive", type == "polyDisc" ? 3 : 0, type == "polyDisc" ? 12 : 4);
    } else {
      setInt("sa", 3, 24);
      setInt("sh", 1, 6);
      setInt("sc", 0, 4);
      setInt("ns", 3, 8);
      setNumber("r", 0.1, 4);
      setNumber("h", 0.1, 4);
      setNumber("t", 0.0, 1);
    }
    setInt("cuv", 0, 4);
    return node + ".out";
  }

  // One node after `input`; answers its output plug.
  std::string step(const std::string& input) {
    switch (count(0, 27)) {
      case 0: return modifier("polyExtrudeFace", "f", input, [this] { extrudeValues(); });
      case 1: return modifier("polyExtrudeEdge", "e", input, [this] { extrudeValues(); });
      case 2: return modifier("polySplitRing", "e", input, [this] {
          setNumber("wt", 0, 1);
          setInt("re", -1, 400);
          setFlag("dr");
          setInt("stp", 0, 2);
          setInt("div", 1, 5);
        });
      case 3: return modifier("polyBevel3", "e", input, [this] {
          setMatrix();
          setNumber("o", 0, 1);
          setNumber("f", 0, 1);
          setFlag("oaf");
          setInt("sg", 1, 4);
        });
      case 4: return modifier("polySmoothFace", "f", input, [this] {
          setInt("dv", 0, 2);
          setInt("sdt", 0, 2);
          setFlag("kb");
          setFlag("suv");
        });
      case 5: return deleteComponent(input);
      case 6: return modifier("polyMergeVert", "vtx", input, [this] {
          setMatrix();
          setNumber("d", 0, 1);
          setFlag("am");
        });
      case 7: return modifier("polyBridgeEdge", "e", input, [this] {
          setInt("dv", 1, 4);
          setInt("sv1", -1, 400);
          setInt("sv2", -1, 400);
        });
      case 8: return modifier("polyCloseBorder", "e", input, [] {});
      case 9: return modifier("polySplit", nullptr, input, [this] { splitPath(); });
      case 10: return modifier("polyTweak", nullptr, input, [this] { setElements("tk", "float3", 3); });
      case 11: return modifier("polyMirror", "f", input, [this] {
          setMatrix();
          setInt("a", 0, 3);
          setInt("ad", 0, 1);
          setInt("mm", 0, 2);
          setFlag("cm");
          setTriple("p", "double3", -2, 2);
        });
      case 12: return modifier("polyMapCut", "e", input, [] {});
      case 13: return modifier("polyMapSew", "e", input, [] {});
      case 14: return modifier("polyTweakUV", nullptr, input, [this] { setElements("uvtk", "float2", 2); });
      case 15: return modifier("polyPlanarProj", "f", input, [this] {
          setMatrix();
          setFlag("ws");
          setTriple("pc", "double3", -2, 2);
          if (in_.flag())
            set("ps", "-type \"double2\" " + text(number(0, 4)) + " " + text(number(0, 4)));
        });
      case 16: return modifier("polyAutoProj", "f", input, [this] { setMatrix(); setNumber("ps", 0, 1); });
      case 17: return modifier("polyLayoutUV", "f", input, [this] { setNumber("ps", 0, 1); });
      case 18: return modifier("polyTriangulate", "f", input, [] {});
      case 19: return modifier("polyQuad", "f", input, [this] { setNumber("a", 0, 3); });
      case 20: return modifier("polyDelEdge", "e", input, [this] { setFlag("cv"); });
      case 21: return modifier("polySewEdge", "e", input, [this] { setNumber("t", 0, 1); });
      case 22: return modifier("polySplitEdge", "e", input, [] {});
      case 23: return modifier("polyNormal", "f", input, [this] { setInt("nm", 0, 4); });
      case 24: return modifier("polyMoveUV", "map", input, [this] {
          if (in_.flag())
            set("t", "-type \"double2\" " + text(number(-1, 1)) + " " + text(number(-1, 1)));
          setNumber("ra", -3, 3);
        });
      case 25: return deformer(input);
      case 26: return separate(input);
      default: return unite(input);
    }
  }

  void extrudeValues() {
    setMatrix();
    setFlag("ws");
    setFlag("kft");
    setInt("d", 1, 4);
    setNumber("off", 0, 0.5);
    setNumber("tk", 0, 1);
    setTriple("lt", "double3", -1, 1);
    setTriple("ls", "double3", 0, 2);
    setTriple("t", "double3", -1, 1);
  }

  // polySplit's path: points on edges, as desc -2147483648 + edge and a fraction along it.
  void splitPath() {
    const int n = count(1, 6);
    std::string fractions, descs;
    for (int i = 0; i < n; ++i) {
      fractions += " " + text(in_.flag() ? 0.5 : number(0, 1));
      descs += " " + std::to_string(in_.integer(0, 7) != 0 ? -2147483648LL + index() : static_cast<long long>(index()));
    }
    const std::string range = "[0:" + std::to_string(n - 1) + "]";
    out_ += "\tsetAttr -s " + std::to_string(n) + " \".e" + range + "\"" + fractions + ";\n";
    out_ += "\tsetAttr -s " + std::to_string(n) + " \".d" + range + "\"" + descs + ";\n";
  }

  // A polyModifier: its inputComponents over `kind` (none when null), its values, its input.
  template <typename Values>
  std::string modifier(const std::string& type, const char* kind, const std::string& input, Values values) {
    const std::string node = name(type);
    createNode(type, node);
    set("uopa", "yes");
    if (kind != nullptr)
      setList("ics", kind);
    values();
    connect(input, node + ".ip");
    return node + ".out";
  }

  std::string deleteComponent(const std::string& input) {
    static const char* const kKinds[] = {"f", "e", "vtx"};
    const std::string node = name("deleteComponent");
    createNode("deleteComponent", node);
    setList("dc", kKinds[count(0, 2)]);
    connect(input, node + ".ig");
    return node + ".og";
  }

  // tweak or deltaMush on the geometry, as Maya connects a deformer.
  std::string deformer(const std::string& input) {
    const bool tweak = in_.flag();
    const std::string node = name(tweak ? "tweak" : "deltaMush");
    createNode(tweak ? "tweak" : "deltaMush", node);
    if (tweak) {
      setElements("vl[0].vt", "float3", 3);
    } else {
      setInt("si", 0, 20);
      setNumber("ss", 0, 1);
      setFlag("pbv");
      connect(input, node + ".orggeom[0]");
    }
    connect(input, node + ".ip[0].ig");
    return node + ".og[0]";
  }

  // polySeparate: the chain goes on from one of its pieces.
  std::string separate(const std::string& input) {
    const std::string node = name("polySeparate");
    createNode("polySeparate", node);
    setInt("ic", -1, 6);
    connect(input, node + ".ip");
    const int piece = count(0, 3);
    return node + ".out[" + std::to_string(piece) + "]";
  }

  // polyUnite of the chain so far and a new creation node, each through its
  // own intermediate shape as Maya connects them.
  std::string unite(const std::string& input) {
    const std::string first = shape("polySurface", input, true);
    const std::string second = shape("polySurface", creator(), true);
    const std::string node = name("polyUnite");
    createNode("polyUnite", node);
    int k = 0;
    for (const std::string& s : {first, second}) {
      connect(s + ".o", node + ".ip[" + std::to_string(k) + "]");
      connect(s + ".wm", node + ".im[" + std::to_string(k++) + "]");
    }
    return node + ".out";
  }

  FuzzBytes& in_;
  std::string out_;
  int made_ = 0;
};

// The scene the bytes choose.
inline std::string sceneOf(const std::uint8_t* data, std::size_t size) {
  FuzzBytes in(data, size);
  return ChainWriter(in).scene();
}

}  // namespace HistoryChain
