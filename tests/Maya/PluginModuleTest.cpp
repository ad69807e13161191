// The module as Maya sees it: loaded from its file, initialized, its
// commands run, uninitialized; nothing of it stays registered.
#include <maya/MObject.h>
#include <maya/MStatus.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "Host/HostFixture.h"
#include "Exchange/ExchangePaths.h"
#include "Platform/DynamicLibrary.h"
#include "Platform/Process.h"
#include "Platform/Registry.h"

namespace {

using EntryPoint = MStatus (*)(MObject);

EntryPoint entry(const Platform::DynamicLibrary& module, const char* name) {
  void* address = module.Symbol(name);
  EntryPoint fn = nullptr;
  std::memcpy(&fn, &address, sizeof fn);
  return fn;
}

bool hasMenu() {
  const auto menus = OmbrixHost::menuNames();
  return std::find(menus.begin(), menus.end(), "OmbrixVaelMenu") != menus.end();
}

}  // namespace

TEST_F(HostTest, ModuleRegistersItsCommandsAndMenuAndTakesThemAway) {
  OmbrixHost::setInteractive(true);
  OmbrixHost::addScriptPath(OMBRIX_MEL_DIR);
  Platform::DynamicLibrary module;
  std::string error;
  ASSERT_TRUE(module.Open(OMBRIX_MODULE, error)) << error;
  ASSERT_NE(module.Symbol("MApiVersion"), nullptr);
  EXPECT_STREQ(static_cast<const char*>(module.Symbol("MApiVersion")), "400");
  EntryPoint init = entry(module, "_Z16initializePlugin7MObject");
  EntryPoint uninit = entry(module, "_Z18uninitializePlugin7MObject");
  ASSERT_NE(init, nullptr);
  ASSERT_NE(uninit, nullptr);

  MObject plugin = OmbrixHost::openPluginObject(OMBRIX_MODULE);
  ASSERT_TRUE(init(plugin));
  EXPECT_FALSE(hasMenu());  // Maya builds it through the procedure registerUI names
  ASSERT_TRUE(OmbrixHost::createPluginUI(plugin));
  const OmbrixHost::PluginInfo* info = OmbrixHost::pluginInfo(plugin);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->version, "1.25");
  EXPECT_EQ(info->requiredApiVersion, "Any");
  EXPECT_EQ(info->commands, (std::vector<std::string>{"SwitchOmbrix", "LaunchOmbrix", "CloseOmbrix",
                                                      "AutoLoadOmbrix", "ExportAllOmbrixPlug",
                                                      "ExportSelOmbrixPlug", "UVImportOmbrix",
                                                      "ImportTexturesOmbrix"}));
  EXPECT_TRUE(hasMenu());
  testing::internal::CaptureStdout();
  mel("CloseOmbrix");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Closing OmbrixVael\n");

  ASSERT_TRUE(OmbrixHost::deletePluginUI(plugin));
  EXPECT_FALSE(hasMenu());
  ASSERT_TRUE(uninit(plugin));
  EXPECT_TRUE(info->commands.empty());
  EXPECT_NE(melError("CloseOmbrix").find("CloseOmbrix"), std::string::npos);
  OmbrixHost::closePluginObject(plugin);
  module.Close();
}

// Batch Maya (mayabatch, mayapy, render jobs): the module loads, imports and
// unloads without a menu, a wait cursor or an error.
TEST_F(HostTest, ModuleInBatchModeBuildsNoMenuAndPrintsNoError) {
  OmbrixHost::addScriptPath(OMBRIX_MEL_DIR);
  Platform::DynamicLibrary module;
  std::string error;
  ASSERT_TRUE(module.Open(OMBRIX_MODULE, error)) << error;
  EntryPoint init = entry(module, "_Z16initializePlugin7MObject");
  EntryPoint uninit = entry(module, "_Z18uninitializePlugin7MObject");
  ASSERT_NE(init, nullptr);
  ASSERT_NE(uninit, nullptr);
  MObject plugin = OmbrixHost::openPluginObject(OMBRIX_MODULE);
  testing::internal::CaptureStderr();
  ASSERT_TRUE(init(plugin));
  ASSERT_TRUE(OmbrixHost::createPluginUI(plugin));
  EXPECT_FALSE(hasMenu());
  ASSERT_TRUE(OmbrixHost::deletePluginUI(plugin));
  ASSERT_TRUE(uninit(plugin));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  OmbrixHost::closePluginObject(plugin);
  module.Close();
}

// What scripts read back: a failed save and a missing correspondence file are
// Maya errors; a good export answers its project file.
TEST_F(HostTest, CommandsAnswerScriptsAndFailAsMayaErrors) {
  const std::string id = std::to_string(Platform::CurrentProcessId());
  const std::filesystem::path exchange = std::filesystem::current_path() / ("results-exchange-" + id);
  std::filesystem::create_directories(exchange);
#ifndef _WIN32
  const std::string registry = (std::filesystem::current_path() / ("results-registry-" + id)).string();
  setenv("OMBRIX_REGISTRY", registry.c_str(), 1);
#endif
  const auto setTemp = [](const std::string& value) {
    Platform::RegistryKey key = nullptr;
    ASSERT_NE(Platform::CreateUserKey(kPainterRegistryKey, "", key), Platform::KeyDisposition::kFailed);
    ASSERT_TRUE(Platform::SetStringValue(key, "Temp Directory", value.c_str()));
    Platform::CloseKey(key);
  };
  setTemp(exchange.string());
  Platform::DynamicLibrary module;
  std::string error;
  ASSERT_TRUE(module.Open(OMBRIX_MODULE, error)) << error;
  MObject plugin = OmbrixHost::openPluginObject(OMBRIX_MODULE);
  ASSERT_TRUE(entry(module, "_Z16initializePlugin7MObject")(plugin));

  testing::internal::CaptureStderr();
  EXPECT_EQ(mel("ExportAllOmbrixPlug"), (exchange / "Maya.obv").string());
  EXPECT_NE(melError("UVImportOmbrix").find("UVImportOmbrix"), std::string::npos);
  // An exchange directory below a plain file: the save fails.
  std::ofstream(exchange / "plain") << "a file";
  setTemp((exchange / "plain" / "sub").string());
  EXPECT_NE(melError("ExportAllOmbrixPlug").find("ExportAllOmbrixPlug"), std::string::npos);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("no correspondence file to import"), std::string::npos) << err;
  EXPECT_NE(err.find("Ombrix Vael export: could not write"), std::string::npos) << err;

  ASSERT_TRUE(entry(module, "_Z18uninitializePlugin7MObject")(plugin));
  OmbrixHost::closePluginObject(plugin);
  module.Close();
  Platform::RegistryKey key = nullptr;
  Platform::CreateUserKey(kPainterRegistryKey, "", key);
  Platform::DeleteValue(key, "Temp Directory");
  Platform::CloseKey(key);
  std::filesystem::remove_all(exchange);
#ifndef _WIN32
  std::filesystem::remove(registry);
#endif
}
