#include "BatchExport.h"

#include "BatchProgress.h"

#include "Exchange/ExchangePaths.h"
#include "Platform/Process.h"
#include "Platform/Registry.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace MayaHost {
namespace {

const char kPartialPrefix[] = ".partial-";
const char kResultFile[] = "scene.json";
const char kLogFile[] = "export.log";
const char kSummaryFile[] = "summary.json";

fs::path pathOf(const std::string& utf8) { return fs::u8path(utf8); }

std::string readText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

nlohmann::json readJson(const fs::path& file) {
  const nlohmann::json parsed = nlohmann::json::parse(readText(file), nullptr, false);
  return parsed.is_discarded() ? nlohmann::json::object() : parsed;
}

// Written beside, then moved over: a reader sees the old file or the new one.
bool writeWhole(const fs::path& file, const std::string& text) {
  const fs::path temporary = file.string() + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush())
      return false;
  }
  std::error_code failed;
  fs::rename(temporary, file, failed);
  return !failed;
}

fs::file_time_type modified(const fs::path& file) {
  std::error_code failed;
  const auto time = fs::last_write_time(file, failed);
  return failed ? fs::file_time_type::max() : time;
}

// The scene and the files its export read (its references), as its folder's
// result lists them: the folder is up to date when it was finished after
// every one of them last changed.
bool upToDate(const fs::path& folder) {
  const fs::path result = folder / kResultFile;
  const nlohmann::json done = readJson(result);
  if (done.value("status", "") != "exported" || !done.contains("inputs") || !done["inputs"].is_array())
    return false;
  const auto finished = modified(result);
  for (const auto& input : done["inputs"])
    if (!input.is_string() || modified(pathOf(input.get<std::string>())) >= finished)
      return false;
  return true;
}

// What the export's output says went wrong: its first error line ("// Error:
// ...", "Error: ..."), else the first of mayahost's own lines, else the
// first line saying something cannot be done, else its last line.
std::string firstError(const std::string& log) {
  std::istringstream lines(log);
  std::string line, own, cannot, last;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (line.find("Error") != std::string::npos)
      return line;
    if (own.empty() && line.rfind("mayahost:", 0) == 0)
      own = line;
    if (cannot.empty() && line.find("cannot") != std::string::npos)
      cannot = line;
    if (!line.empty() && line.rfind("// Result:", 0) != 0)
      last = line;
  }
  return !own.empty() ? own : !cannot.empty() ? cannot : last;
}

std::uint32_t digest(const std::string& text) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (unsigned char c : text)
    hash = (hash ^ c) * 16777619u;
  return hash;
}

struct Job {
  std::size_t index = 0;
  fs::path partial, folder;
};

class Batch {
public:
  Batch(const BatchOptions& options, const std::string& self, std::vector<BatchScene>& scenes)
      : options_(options), self_(self), scenes_(scenes), environment_(Platform::CurrentEnvironment()) {}

  // The exchange directory of one scene: a folder of its own, named in the
  // registry its process reads (natively a registry file of its own). A
  // scene whose folder cannot be made so is failed, with the reason.
  bool prepare(const Job& job) {
    std::error_code failed;
    fs::remove_all(job.partial, failed);
    fs::create_directories(job.partial, failed);
    const std::string directory = job.partial.u8string();
    if (!failed) {
      if (const char* variable = Platform::RegistryVariable())
        Platform::SetEnvironmentValue(variable, (job.partial / "registry").u8string().c_str());
      if (setTempDirectory(directory.c_str()))
        return true;
    }
    BatchScene& scene = scenes_[job.index];
    scene.status = "failed";
    scene.error = directory + ": its exchange directory cannot be made" + (failed ? ": " + failed.message() : "");
    fs::remove_all(job.partial, failed);
    return false;
  }

  // Exports the scene into its partial folder and, whatever the outcome, puts
  // the folder in the place of the scene's old one, whole.
  void run(const Job& job) {
    BatchScene& scene = scenes_[job.index];
    std::error_code missing;
    if (!fs::is_regular_file(pathOf(scene.scene), missing)) {
      scene.status = "failed";
      scene.error = scene.scene + ": no such scene file";
      fs::remove_all(job.partial, missing);
      return;
    }
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::string> environment = environment_;
    if (const char* variable = Platform::RegistryVariable())
      environment.push_back(std::string(variable) + "=" + (job.partial / "registry").u8string());
    const std::vector<std::string> arguments = {
        "--scene", scene.scene, "--plugin", plugin(), "--accept-loss", "--stats-file",
        (job.partial / "stats.json").u8string(), "-c", "ExportAllOmbrixPlug"};
    const int status = Platform::RunProcessLogged(self_, arguments, (job.partial / kLogFile).u8string(), environment);
    scene.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    record(job, status);
    finish(job);
  }

private:
  std::string plugin() const { return options_.plugin.empty() ? "ObvTester2" : options_.plugin; }

  void record(const Job& job, int status) {
    BatchScene& scene = scenes_[job.index];
    const nlohmann::json stats = readJson(job.partial / "stats.json");
    const nlohmann::json exported = readJson(job.partial / "Maya.obvrecord.json");
    const bool made = status == 0 && fs::exists(job.partial / "Maya.obv");
    scene.status = made ? "exported" : "failed";
    scene.groups = exported.contains("groups") && exported["groups"].is_array() ? static_cast<int>(exported["groups"].size()) : 0;
    if (stats.contains("refused") && stats["refused"].is_object()) {
      scene.refusedTotal = stats["refused"].value("total", 0);
      scene.refusedGeometry = stats["refused"].value("geometry", 0);
    }
    scene.approximated = stats.contains("approximated") && stats["approximated"].is_number_integer()
                             ? stats["approximated"].get<int>()
                             : 0;
    if (!made) {
      scene.error = firstError(readText(job.partial / kLogFile));
      if (scene.error.empty())
        scene.error = status < 0 ? "mayahost could not be started or was stopped" : "exit status " + std::to_string(status);
    }
    nlohmann::json inputs = nlohmann::json::array({fs::absolute(pathOf(scene.scene)).u8string()});
    if (stats.contains("references") && stats["references"].is_array())
      for (const auto& reference : stats["references"])
        if (reference.is_object() && reference.contains("file") && reference["file"].is_string())
          inputs.push_back(reference["file"]);
    nlohmann::json result = {{"scene", scene.scene}, {"status", scene.status}, {"inputs", inputs}};
    std::error_code ignored;
    fs::remove(job.partial / "registry", ignored);
    if (!made)  // no project file stands in a failed scene's folder
      for (const char* file : {"Maya.obv", "Maya.obvrecord.json"})
        fs::remove(job.partial / file, ignored);
    writeWhole(job.partial / kResultFile, result.dump(2) + "\n");
  }

  void finish(const Job& job) {
    std::error_code failed;
    fs::remove_all(job.folder, failed);
    fs::rename(job.partial, job.folder, failed);
    if (failed) {
      scenes_[job.index].status = "failed";
      scenes_[job.index].error = "its folder could not be put in place: " + failed.message();
    }
  }

  const BatchOptions& options_;
  std::string self_;
  std::vector<BatchScene>& scenes_;
  std::vector<std::string> environment_;
};

// Folders a run stopped part way left behind.
void removePartials(const fs::path& out) {
  std::error_code failed;
  for (const auto& entry : fs::directory_iterator(out, failed))
    if (entry.path().filename().u8string().rfind(kPartialPrefix, 0) == 0)
      fs::remove_all(entry.path(), failed);
}

int jobCount(const BatchOptions& options) {
  const int jobs = options.jobs > 0 ? options.jobs : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  if (jobs > 1 && !Platform::RegistryVariable()) {
    std::cerr << "mayahost: every export reads the one exchange directory the user's registry names, so the batch "
                 "exports one scene at a time\n";
    return 1;
  }
  return jobs;
}

void runJobs(Batch& batch, const std::vector<Job>& jobs, int workers, BatchProgress& progress,
             const std::vector<BatchScene>& scenes) {
  if (workers <= 1) {
    for (const Job& job : jobs) {
      if (batch.prepare(job))
        batch.run(job);
      progress.done(scenes[job.index].status == "failed");
    }
    return;
  }
  std::vector<Job> ready;
  for (const Job& job : jobs)
    if (batch.prepare(job))
      ready.push_back(job);
    else
      progress.done(true);
  std::atomic<std::size_t> next{0};
  std::mutex reporting;
  std::vector<std::thread> pool;
  for (int w = 0; w < workers; ++w)
    pool.emplace_back([&] {
      for (std::size_t i = next++; i < ready.size(); i = next++) {
        batch.run(ready[i]);
        std::lock_guard<std::mutex> lock(reporting);
        progress.done(scenes[ready[i].index].status == "failed");
      }
    });
  for (auto& worker : pool)
    worker.join();
}

std::string summaryJson(const std::vector<BatchScene>& scenes) {
  nlohmann::json list = nlohmann::json::array();
  std::map<std::string, int> counts{{"exported", 0}, {"failed", 0}, {"skipped", 0}};
  for (const BatchScene& s : scenes) {
    ++counts[s.status];
    nlohmann::json entry = {{"scene", s.scene},     {"folder", s.folder},  {"status", s.status},
                            {"seconds", s.seconds}, {"groups", s.groups},
                            {"refused", {{"total", s.refusedTotal}, {"geometry", s.refusedGeometry}}},
                            {"approximated", s.approximated}};
    if (!s.error.empty())
      entry["error"] = s.error;
    list.push_back(entry);
  }
  nlohmann::json summary = {{"scenes", list},
                            {"exported", counts["exported"]},
                            {"failed", counts["failed"]},
                            {"skipped", counts["skipped"]}};
  return summary.dump(2) + "\n";
}

}  // namespace

bool batchSceneList(const BatchOptions& options, std::vector<std::string>& scenes, std::string& error) {
  std::vector<std::string> given = options.scenes;
  if (!options.listFile.empty()) {
    std::ifstream in(pathOf(options.listFile), std::ios::binary);
    if (!in) {
      error = options.listFile + ": cannot be read";
      return false;
    }
    std::string line;
    while (std::getline(in, line)) {
      while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.pop_back();
      const std::size_t start = line.find_first_not_of(" \t");
      if (start != std::string::npos && line[start] != '#')
        given.push_back(line.substr(start));
    }
  }
  // A scene named twice is exported once, into one folder.
  std::set<std::string> seen;
  scenes.clear();
  for (const std::string& scene : given)
    if (seen.insert(fs::absolute(pathOf(scene)).lexically_normal().u8string()).second)
      scenes.push_back(scene);
  return true;
}

std::vector<std::string> batchFolderNames(const std::vector<std::string>& scenes) {
  std::map<std::string, int> uses;
  std::vector<std::string> stems;
  for (const std::string& scene : scenes) {
    stems.push_back(pathOf(scene).stem().u8string());
    ++uses[stems.back()];
  }
  std::vector<std::string> names;
  for (std::size_t i = 0; i < scenes.size(); ++i) {
    if (uses[stems[i]] == 1) {
      names.push_back(stems[i]);
      continue;
    }
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", digest(fs::absolute(pathOf(scenes[i])).lexically_normal().u8string()));
    names.push_back(stems[i] + "-" + hex);
  }
  return names;
}

int runBatch(const BatchOptions& options, const std::string& self) {
  std::vector<std::string> list;
  std::string error;
  if (!batchSceneList(options, list, error) || options.out.empty()) {
    std::cerr << "mayahost: " << (error.empty() ? "--batch needs --out DIR" : error) << "\n";
    return 2;
  }
  const fs::path out = pathOf(options.out);
  std::error_code failed;
  fs::create_directories(out, failed);
  if (!fs::is_directory(out)) {
    std::cerr << "mayahost: " << options.out << ": the output folder cannot be made\n";
    return 1;
  }
  removePartials(out);
  std::vector<BatchScene> scenes(list.size());
  std::vector<Job> jobs;
  const std::vector<std::string> folders = batchFolderNames(list);
  for (std::size_t i = 0; i < list.size(); ++i) {
    scenes[i].scene = list[i];
    scenes[i].folder = folders[i];
    scenes[i].status = "skipped";
    if (options.force || !upToDate(out / pathOf(folders[i])))
      jobs.push_back({i, out / pathOf(kPartialPrefix + folders[i]), out / pathOf(folders[i])});
  }
  // The exchange directory the user had, given back after a batch that had to change it.
  char before[kExchangeBufferSize] = "";
  const bool shared = !Platform::RegistryVariable();
  if (shared)
    getTempDirectory(before, nullptr);
  Batch batch(options, self, scenes);
  BatchProgress progress(jobs.size(), list.size() - jobs.size());
  runJobs(batch, jobs, std::min(jobCount(options), static_cast<int>(std::max<std::size_t>(1, jobs.size()))), progress,
          scenes);
  progress.end();
  if (shared)
    setTempDirectory(before);
  writeWhole(out / kSummaryFile, summaryJson(scenes));
  const bool anyFailed = std::any_of(scenes.begin(), scenes.end(), [](const BatchScene& s) { return s.status == "failed"; });
  return anyFailed ? 1 : 0;
}

}  // namespace MayaHost
