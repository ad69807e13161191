#pragma once
// The scene's shading as the export sees it: the renderable shading groups
// with a surface shader, and one entry per material to export (a shader, or
// a shader and one object that a shading switch of it names). Entry i becomes
// material i of the model. Rebuilt at the start of every export.
#include <maya/MDagPath.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MString.h>

#include <string>
#include <unordered_map>
#include <vector>

struct ShadingEntry {
  MObject shader;       // the node on a shading group's "surfaceShader"
  MString entryName;    // shader name, or shader name "|" object name
  MString shaderName;
  MString objectName;   // shader name for a plain entry
};

// One member of a shading group, as found by its DAG path.
struct ShadingMember {
  int group = 0;          // index into ShadingTable::groups
  MDagPath path;
  MObject component;      // null: the whole object
};

struct ShadingTable {
  std::vector<MObject> groups;
  std::vector<ShadingEntry> entries;
  // The members of every group, read once per export and keyed by the full
  // path name of their object; each list in group order, then member order.
  std::unordered_map<std::string, std::vector<ShadingMember>> membersByPath;
  // The first entry of each (shader name, object name) pair and of each
  // shader name, kept as entries are added.
  std::unordered_map<std::string, int> firstByShaderAndObject;
  std::unordered_map<std::string, int> firstByShader;

  void addEntry(const ShadingEntry& entry);

  void clear();
};

// The process-wide table (one export at a time), which the export fills and
// passes on to every function that reads it.
ShadingTable& shadingTable();

// The source node of a plug: the node of the first plug connected to it as
// destination; null when there is none.
MObject plugSource(const MPlug& plug);
// The source of a plug, or else the first source among its children (a
// colour connected channel by channel).
MObject valueSource(const MPlug& plug);
// The shader's plug of an attribute; the shader's bump attribute
// ("normalCamera", or "normal" on a USD preview surface) is followed through
// bump nodes ("bumpValue") and normal-map nodes ("input", else "normal") as
// long as they are connected.
MPlug shaderChannelPlug(const MObject& shader, const char* attribute);

// One element of a shading switch's "input": the shape its "inShape" names
// and the node on its value child ("inSingle", "inDouble" or "inTriple");
// either is null when that plug has no source.
struct SwitchInput {
  MObject shape;
  MObject texture;
};
// The switch's inputs in the order of their logical indices.
std::vector<SwitchInput> switchInputs(const MObject& shadingSwitch);
bool isShadingSwitch(const MObject& node);

// Clears the table and fills it from the scene.
void buildShadingTable(ShadingTable& table);
bool collectSwitchEntries(ShadingTable& table, const MObject& shader, const MString& shaderName);
// Source of the set's "surfaceShader", or a null object.
MObject getSurfaceShader(const MObject& set);
int findShadingEntry(const ShadingTable& table, const MString& shaderName, const MString& objectName);
