#include "CommandSyntax.h"
#include "HostObject.h"
#include "HostSession.h"
#include "MelInterpreter.h"
#include "PluginState.h"
#include "UndoQueue.h"

#include <maya/MArgList.h>
#include <maya/MFnPlugin.h>
#include <maya/MPxCommand.h>
#include <maya/MSyntax.h>

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

namespace {

// The arguments of a MEL call, as the command's MArgList holds them.
std::vector<std::string> argumentTexts(const std::vector<MelValue>& args) {
  std::vector<std::string> texts;
  for (const auto& a : args)
    texts.push_back(a.asString());
  return texts;
}

// Maya refuses a call its syntax does not allow before the command runs.
void checkSyntax(const std::shared_ptr<MSyntax>& syntax, const std::vector<std::string>& args) {
  if (!syntax)
    return;
  OmbrixHost::ParsedArgs parsed;
  std::string error;
  if (!OmbrixHost::parseArguments(OmbrixHost::Access::syntaxSpec(*syntax), args, parsed, error))
    OmbrixHost::MelInterpreter::fail(error);
}

MelValue runCommand(const std::string& name, MCreatorFunction creator, const std::shared_ptr<MSyntax>& syntax,
                    const std::vector<MelValue>& args) {
  const std::vector<std::string> texts = argumentTexts(args);
  checkSyntax(syntax, texts);
  MArgList list;
  for (const auto& text : texts)
    OmbrixHost::Access::addArg(list, MString(text.c_str()));
  OmbrixHost::commandResult() = MelValue();
  std::unique_ptr<MPxCommand> command(static_cast<MPxCommand*>(creator()));
  if (!command)
    OmbrixHost::MelInterpreter::fail(name + ": the command could not be created");
  OmbrixHost::Access::setSyntax(*command, syntax.get());
  MStatus status = command->doIt(list);
  if (!status)
    OmbrixHost::MelInterpreter::fail(name + ": " + status.errorString().asChar());
  MelValue result = OmbrixHost::commandResult();
  std::string text = name;
  for (const auto& a : texts)
    text += " " + a;
  OmbrixHost::undoQueue().record(std::move(command), text);
  return result;
}

}  // namespace

MStatus MFnPlugin::registerCommand(const MString& commandName, MCreatorFunction creatorFunction,
                                   MCreateSyntaxFunction createSyntaxFunction) {
  OmbrixHost::PluginInfo* info = OmbrixHost::mutablePluginInfo(object_);
  std::string name = commandName.asChar();
  if (!info || !creatorFunction || name.empty())
    return MStatus::kInvalidParameter;
  if (mel().hasCommand(name) || mel().hasProcedure(name))
    return OmbrixHost::Access::failure(MStatus::kFailure, MString(("command " + name + " is already registered").c_str()));
  // Maya asks for the syntax once, when the command is registered.
  std::shared_ptr<MSyntax> syntax;
  if (createSyntaxFunction)
    syntax = std::make_shared<MSyntax>(createSyntaxFunction());
  OmbrixHost::setCommandSyntax(name, syntax ? &OmbrixHost::Access::syntaxSpec(*syntax) : nullptr);
  mel().registerCommand(name, [creatorFunction, name, syntax](OmbrixHost::MelInterpreter&,
                                                              const std::vector<MelValue>& args) {
    return runCommand(name, creatorFunction, syntax, args);
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
  OmbrixHost::forgetCommandSyntax(name);
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
