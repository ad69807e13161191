#pragma once
#include <maya/MFnBase.h>
#include <maya/MString.h>

class MPxCommand;
class MSyntax;
typedef void* (*MCreatorFunction)();
typedef MSyntax (*MCreateSyntaxFunction)();

class OPENMAYA_EXPORT MFnPlugin : public MFnBase {
public:
  MFnPlugin();
  MFnPlugin(MObject& object, const char* vendor = "Unknown", const char* version = "Unknown",
            const char* requiredApiVersion = "Any", MStatus* ReturnStatus = nullptr);
  ~MFnPlugin() override;
  MFn::Type type() const override;
  MString vendor(MStatus* ReturnStatus = nullptr) const;
  MString version(MStatus* ReturnStatus = nullptr) const;
  MString apiVersion(MStatus* ReturnStatus = nullptr) const;
  MString name(MStatus* ReturnStatus = nullptr) const;
  MString loadPath(MStatus* ReturnStatus = nullptr) const;
  MStatus registerCommand(const MString& commandName, MCreatorFunction creatorFunction,
                          MCreateSyntaxFunction createSyntaxFunction = nullptr);
  MStatus deregisterCommand(const MString& commandName);
  MStatus registerUI(const MString& creationProc, const MString& deletionProc,
                     const MString& creationBatchProc = "", const MString& deletionBatchProc = "");

protected:
  MFn::Type requiredType() const override;
};

// Every plug-in module carries the API version it was built for; the host reads
// it before it calls initializePlugin. Define MNoVersionString in every source
// file of a module but one.
#if !defined(MNoVersionString)
#  if defined(_WIN32)
extern "C" __declspec(dllexport) const char MApiVersion[] = "400";
#  else
extern "C" __attribute__((visibility("default"))) const char MApiVersion[] = "400";
#  endif
#endif
