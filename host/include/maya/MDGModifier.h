#pragma once
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MStatus.h>
#include <maya/MFnDependencyNode.h>  // as the devkit's (MString comes with it)
#include <memory>
#include <vector>

namespace OmbrixHost {
struct ModifierRecord;
}

class OPENMAYA_EXPORT MDGModifier {
public:
  MDGModifier();
  virtual ~MDGModifier();
  MObject createNode(const MString& type, MStatus* ReturnStatus = nullptr);
  MStatus deleteNode(const MObject& node);
  MStatus renameNode(const MObject& node, const MString& newName);
  MStatus connect(const MPlug& source, const MPlug& dest);
  MStatus connect(const MObject& sourceNode, const MObject& sourceAttr, const MObject& destNode,
                  const MObject& destAttr);
  MStatus disconnect(const MPlug& source, const MPlug& dest);
  MStatus disconnect(const MObject& sourceNode, const MObject& sourceAttr, const MObject& destNode,
                     const MObject& destAttr);
  MStatus newPlugValueInt(const MPlug& plug, int value);
  MStatus newPlugValueFloat(const MPlug& plug, float value);
  MStatus newPlugValueDouble(const MPlug& plug, double value);
  MStatus newPlugValueString(const MPlug& plug, const MString& value);
  MStatus commandToExecute(const MString& command);
  MStatus doIt();
  MStatus undoIt();

  // Not copyable, as the devkit's (whose copy operations are not public).
  MDGModifier(const MDGModifier&) = delete;
  MDGModifier& operator=(const MDGModifier&) = delete;

private:
  struct Operation {
    int kind;
    MPlug source;
    MPlug dest;
    MObject node;
    MString text;
    double number = 0.0;
    std::shared_ptr<OmbrixHost::ModifierRecord> saved;  // what undoing the operation puts back
  };
  std::vector<Operation> pending_;
  std::vector<Operation> done_;
};
