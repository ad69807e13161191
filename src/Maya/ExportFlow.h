#pragma once
// The export driver of ExportAllOmbrixPlug and ExportSelOmbrixPlug: the scene
// into a model, the model into the project file "Maya.obv" in the exchange
// directory with its export record ("Maya.obvrecord.json"), the log file, and
// the load token for the painter link.
#include <cstdint>
#include <string>

extern const char kExchangeFileName[];  // "Maya.obv"

// 1 when the project file was saved, 0 otherwise. selectionFlag 0 exports
// all geometry, 1 the selection. The project file is replaced only by a
// complete one: on any failure the last Maya.obv, its record, the log file and the
// painter link's token stay as they were, and one line saying what failed
// and where goes to the error stream and to MGlobal::displayError. After a
// save the token stored is that of the log file, or 0 when no log file
// could be written.
// With `projectPath`, it receives the project file's path after a save, ""
// otherwise. With `uvSet`, each mesh's UVs come from the set of that name
// instead of its current one.
int runExport(int selectionFlag, std::string* projectPath = nullptr, const std::string& uvSet = std::string());
