#include "HostObject.h"
#include "HostSession.h"
#include "MelInterpreter.h"
#include "PluginState.h"
#include "UndoQueue.h"

#include <maya/MArgList.h>
#include <maya/MFnPlugin.h>
#include <maya/MPxCommand.h>

#include <algorithm>
#include <memory>

using OmbrixHost::mel;
using OmbrixHost::MelValue;

MFnPlugin::MFnPlugin() = default;

MFnPlugin::MFnPlugin(MObject& object, const char* vendor, const char* version, const char* requiredApiVersion,
                     MStatus* ReturnStatus) {
  OmbrixHost::PluginInfo* info = OmbrixHost::mutablePluginInfo(object);
  if (info) {
    object_ = object;
    info->vendor = vendor ? vendor : "";
    info->version = version ? version : "";
    info->requiredApiVersion = requiredApiVersion ? requiredApiVersion : "";
  }
  if (ReturnStatus)
    *ReturnStatus = info ? MStatus::kSuccess : MStatus::kInvalidParameter;
}

MFnPlugin::~MFnPlugin() = default;
MFn::Type MFnPlugin::type() const { return MFn::kNamedObject; }
MFn::Type MFnPlugin::requiredType() const { return MFn::kNamedObject; }

static const OmbrixHost::PluginInfo* infoOf(const MObject& object, MStatus* s) {
  const OmbrixHost::PluginInfo* info = OmbrixHost::pluginInfo(object);
  if (s)
    *s = info ? MStatus::kSuccess : MStatus::kFailure;
  return info;
}

MString MFnPlugin::vendor(MStatus* s) const {
  auto* i = infoOf(object_, s);
  return i ? MString(i->vendor.c_str()) : MString();
}
MString MFnPlugin::version(MStatus* s) const {
  auto* i = infoOf(object_, s);
  return i ? MString(i->version.c_str()) : MString();
}
MString MFnPlugin::apiVersion(MStatus* s) const {
  auto* i = infoOf(object_, s);
  return i ? MString(i->requiredApiVersion.c_str()) : MString();
}
MString MFnPlugin::name(MStatus* s) const {
  auto* i = infoOf(object_, s);
  if (!i)
    return MString();
  std::string p = i->path;
  auto slash = p.find_last_of("/\\");
  if (slash != std::string::npos)
    p = p.substr(slash + 1);
  auto dot = p.rfind('.');
  return MString(p.substr(0, dot).c_str());
}
MString MFnPlugin::loadPath(MStatus* s) const {
  auto* i = infoOf(object_, s);
  if (!i)
    return MString();
  auto slash = i->path.find_last_of("/\\");
  return MString(slash == std::string::npos ? "." : i->path.substr(0, slash).c_str());
}

MStatus MFnPlugin::registerCommand(const MString& commandName, MCreatorFunction creatorFunction,
                                   MCreateSyntaxFunction) {
  OmbrixHost::PluginInfo* info = OmbrixHost::mutablePluginInfo(object_);
  std::string name = commandName.asChar();
  if (!info || !creatorFunction || name.empty())
    return MStatus::kInvalidParameter;
  if (mel().hasCommand(name) || mel().hasProcedure(name))
    return OmbrixHost::Access::failure(MStatus::kFailure, MString(("command " + name + " is already registered").c_str()));
  mel().registerCommand(name, [creatorFunction, name](OmbrixHost::MelInterpreter&, const std::vector<MelValue>& args) {
    MArgList list;
    for (const auto& a : args)
      OmbrixHost::Access::addArg(list, MString(a.asString().c_str()));
    OmbrixHost::commandResult() = MelValue();
    std::unique_ptr<MPxCommand> command(static_cast<MPxCommand*>(creatorFunction()));
    if (!command)
      OmbrixHost::MelInterpreter::fail(name + ": the command could not be created");
    MStatus status = command->doIt(list);
    if (!status)
      OmbrixHost::MelInterpreter::fail(name + ": " + status.errorString().asChar());
    MelValue result = OmbrixHost::commandResult();
    std::string text = name;
    for (const auto& a : args)
      text += " " + a.asString();
    OmbrixHost::undoQueue().record(std::move(command), text);
    return result;
  });
  info->commands.push_back(name);
  return MStatus::kSuccess;
}

MStatus MFnPlugin::deregisterCommand(const MString& commandName) {
  OmbrixHost::PluginInfo* info = OmbrixHost::mutablePluginInfo(object_);
  std::string name = commandName.asChar();
  if (!info)
    return MStatus::kInvalidParameter;
  auto it = std::find(info->commands.begin(), info->commands.end(), name);
  if (it == info->commands.end())
    return OmbrixHost::Access::failure(MStatus::kFailure, MString(("command " + name + " is not registered").c_str()));
  info->commands.erase(it);
  mel().removeCommand(name);
  OmbrixHost::undoQueue().flush();  // the commands kept there are the module's code
  return MStatus::kSuccess;
}

// Kept for the host session, which runs them as Maya does (createPluginUI).
MStatus MFnPlugin::registerUI(const MString& creationProc, const MString& deletionProc,
                              const MString& creationBatchProc, const MString& deletionBatchProc) {
  OmbrixHost::PluginInfo* info = OmbrixHost::mutablePluginInfo(object_);
  if (!info)
    return MStatus::kInvalidParameter;
  info->uiCreation = creationProc.asChar();
  info->uiDeletion = deletionProc.asChar();
  info->uiBatchCreation = creationBatchProc.asChar();
  info->uiBatchDeletion = deletionBatchProc.asChar();
  return MStatus::kSuccess;
}
