#pragma once
// The obvtool commands. Each returns the exit status: 0 success, 1 bad input
// or a failed operation (one line "obvtool: FILE: reason" on stderr), 2 usage.
#include <string>
#include <vector>

using Arguments = std::vector<std::string>;

int InfoCommand(const Arguments& arguments);
int VerifyCommand(const Arguments& arguments);
int ConvertCommand(const Arguments& arguments);
int PainterCommand(const Arguments& arguments);
int DoctorCommand(const Arguments& arguments);
int CorCommand(const Arguments& arguments);
int UvLayoutCommand(const Arguments& arguments);
int TexturesCommand(const Arguments& arguments);
// Correspondence files ("CORR" at the start): info and verify of them.
bool IsCorrespondenceFile(const std::string& path);
int CorrespondenceInfo(const std::string& path, bool json);
int CorrespondenceVerify(const std::string& path);
// Export records ("*.obvrecord.json"): shown alone, or after the project
// file they sit beside (nothing when there is none).
bool IsExportRecordFile(const std::string& path);
int ExportRecordInfo(const std::string& path, bool json);
void PrintRecordBeside(const std::string& projectPath, bool json);

// Reports "obvtool: FILE: reason" and returns 1.
int Fail(const std::string& file, const std::string& reason);
// Reports "obvtool: " and a line that names its file (a read's located
// error) and returns 1.
int FailLine(const std::string& line);
// Reports a usage error and returns 2.
int UsageError(const std::string& message);
// True when the project file at path carries closing check words that match.
bool VerifyProjectFile(const std::string& path);
