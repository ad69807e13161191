#pragma once
// The session's colour management configuration, as Maya's preferences hold
// it: the OCIO config's path and input colour spaces (what
// `colorManagementPrefs -q -configFilePath` and `-q -inputSpaceNames`
// answer), and Maya's input colour space file rules, which choose a file
// node's colour space when its file name changes.
//
// By default the config is the one Maya OMBRIX_HOST_MAYA_VERSION ships for
// new scenes; mayahost --ocio-config gives another one. A preference, not a
// part of the scene: a new scene keeps it.
#include "Value.h"

#include <string>
#include <vector>

namespace OmbrixHost {

struct Node;
struct PlugRef;

struct ColourConfig {
  std::string path;
  std::vector<std::string> inputSpaces;  // in the config's order
  std::string defaultSpace;              // what the file rules' Default rule gives
};

// The config of the session (Maya's default config until replaced).
ColourConfig& colourConfig();
// The default config of Maya `version` for new scenes: 2022-2025's
// "Maya2022-default", or 2026's.
ColourConfig mayaDefaultColourConfig(int version);
// An OCIO config file read for its colour spaces (the names of its
// `colorspaces:` entries) and its `default` role; false with `error` when the
// file cannot be read or names no colour space.
bool readOcioConfig(const std::string& file, ColourConfig& config, std::string& error);

// The colour space Maya's default file rules give an image: the tx, hdr and
// exr rules "Raw" (when the config has it), else the Default rule's.
std::string fileRuleSpace(const ColourConfig& config, const std::string& fileName);
// After a value of `plug` changed from `before` outside a file load (`loading` false) (a setAttr, a plug-in's
// setValue, an undo putting a value back): a file node's new file name gets
// the colour space the rules give it, unless its ignoreColorSpaceFileRules is
// on, as Maya's file node does. The same name set again changes nothing.
void colourRulesAfterChange(const PlugRef& plug, bool loading, const Value& before);

}  // namespace OmbrixHost
