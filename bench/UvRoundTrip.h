#pragma once
// What a UV import over a whole scene needs after its export: maya.cor in the
// exchange directory, one record per triangle of the exported model
// (Maya.obv), its texture coordinates shifted so that every polygon is
// matched and changed; and every mesh of the scene as the items to import onto.
#include "IO/CorrespondenceWriter.h"
#include "IO/ModelFileReader.h"

#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

#include <filesystem>
#include <string>

// False with a reason when the model cannot be read or the file written.
inline bool writeShiftedCorrespondence(const std::filesystem::path& exchange, std::string& error) {
  LoadedModel loaded;
  if (!ReadModelFile((exchange / "Maya.obv").string().c_str(), loaded, error) || loaded.Model() == nullptr)
    return false;
  CorrespondenceUvMode shift;
  shift.kind = CorrespondenceUvMode::kShift;
  shift.du = 0.25;
  shift.dv = 0.5;
  return writeCorrespondenceFile((exchange / "maya.cor").string().c_str(),
                                 makeCorrespondenceRecords(*loaded.Model(), shift), error);
}

inline MSelectionList everyMesh() {
  MStringArray names;
  MGlobal::executeCommand("ls -type mesh", names, false, false);
  MSelectionList list;
  for (unsigned int i = 0; i < names.length(); ++i)
    list.add(names[i]);
  return list;
}
