// One step of the pipeline in a process of its own, for its resident memory:
//   bench_step_memory STEP SCENE [OUT]
// loads SCENE (Maya ASCII), then runs STEP:
//   load      nothing more;
//   export    ExportAllOmbrixPlug's work (runExport);
//   uvimport  the export, then the UV import of its layout, shifted, onto
//             every mesh (only the import is the step);
//   save      the scene written as Maya ASCII to OUT;
// and prints one line "memory LOAD STEP PEAK" (MB): what the load adds at its
// peak to the process before it, what the step adds at its peak to what is in
// use when it starts, and the process's peak over the run. The peak is reset
// to what is in use before each (see ProcessMemory.h), so neither the load's
// transient buffers nor anything a benchmark ran before hides the step's own.
// Exit code 0 when the load was clean and the step succeeded.
#include "ExportExchange.h"
#include "HostSession.h"
#include "ProcessMemory.h"
#include "UvRoundTrip.h"

#include "Maya/ExportFlow.h"
#include "Maya/MayaImportUVs.h"
#include "Maya/UvImportChanges.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Phase {
  double added = 0, processPeak = 0;
};

template <typename Step>
Phase phase(Step step, bool& ok) {
  const double before = ResetPeakMemory();
  ok = step() && ok;
  const double peak = PeakMegabytes();
  return {peak - before, peak};
}

bool uvImport() {
  UvImportChanges changes;
  const MSelectionList meshes = everyMesh();
  return importUVs(changes, &meshes) == MStatus::kSuccess;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || (std::string(argv[1]) == "save" && argc < 4)) {
    std::fprintf(stderr, "usage: bench_step_memory load|export|uvimport|save SCENE [OUT]\n");
    return 2;
  }
  const std::string step = argv[1], scene = argv[2], out = argc > 3 ? argv[3] : "";
  Exchange exchange;
  bool ok = true;
  const Phase load = phase(
      [&] {
        std::vector<std::string> problems;
        return OmbrixHost::loadMayaAscii(scene, problems) && problems.empty();
      },
      ok);
  std::string error;
  if (step == "uvimport")
    ok = runExport(0) == 1 && writeShiftedCorrespondence(exchange.directory(), error) && ok;
  const Phase own = phase(
      [&] {
        if (step == "export")
          return runExport(0) == 1;
        if (step == "uvimport")
          return uvImport();
        if (step == "save")
          return OmbrixHost::saveMayaAscii(out, error);
        return step == "load";
      },
      ok);
  if (!error.empty())
    std::fprintf(stderr, "%s\n", error.c_str());
  std::printf("memory %.3f %.3f %.3f\n", load.added, own.added, std::max(load.processPeak, own.processPeak));
  return ok ? 0 : 1;
}
