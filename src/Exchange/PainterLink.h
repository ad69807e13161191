#pragma once
// The plug-in's channel to the painter: a hidden message window, the
// registered messages, finding the painter's main window by asking every
// candidate to reply, and starting the painter from the installation its
// registry key records.
#include <cstddef>
#include <cstdint>

#include "Platform/Window.h"

// The seven registered message numbers (module-wide, filled by the first
// PainterLink).
struct PainterMessages {
  uint32_t loadMe = 0;         // "KromaxeV2:LoadMe"
  uint32_t replying = 0;       // "KromaxeV2:KromaxeReplying"
  uint32_t siMesh = 0;         // "KromaxeV2:KromaxeSIMesh"
  uint32_t whoIsThere = 0;     // "KromaxeV2:ZuruZovaridUzu3"
  uint32_t frontMe = 0;        // "KromaxeV2:FrontMe"
  uint32_t closeMe = 0;        // "KromaxeV2:CloseMe"
  uint32_t saveMe = 0;         // "KromaxeV2:SaveMe"

  static const PainterMessages& Register();
};

// How long the link waits. The launch wait and poll are the painter's;
// tests may shorten them. Sends to the painter are bounded so that a hung
// painter cannot freeze the host.
struct PainterTiming {
  uint32_t launchWaitMs = 20000;
  uint32_t pollMs = 100;
  uint32_t sendTimeoutMs = 5000;
};

extern const char kPainterWindowTitle[];       // "Ombrix Vael"
extern const char kPainterExecutableName[];    // "Ombvael.exe"
extern const char kDefaultPainterExecutable[];  // "C:\Ombvael\Ombvael.exe"

class PainterLink {
 public:
  explicit PainterLink(const PainterTiming& timing = PainterTiming());
  virtual ~PainterLink();
  PainterLink(const PainterLink&) = delete;
  PainterLink& operator=(const PainterLink&) = delete;

  // 1 when a painter window answered the broadcast.
  int findPainterWindow();
  // 1 when a process creation was attempted, 0 when the executable does not open.
  int launchPainter();
  // 1 when the painter's window is known at the end (starting it if needed).
  int ensurePainterRunning();
  int switchTo();
  int autoLoad();
  // 0 when no painter answered (nothing is started).
  int close();

  void setLoadToken(uint32_t token) { loadToken_ = token; }
  uint32_t loadToken() const { return loadToken_; }
  Platform::WindowHandle painterWindow() const { return painterWindow_; }
  Platform::WindowHandle messageWindow() const { return messageWindow_; }
  // The executable the last launch looked for (for diagnostics).
  const char* lastExecutable() const { return lastExecutable_; }

 private:
  static intptr_t WindowProcedure(Platform::WindowHandle window, uint32_t message,
                                  uintptr_t wParam, intptr_t lParam);
  static bool AskWindow(Platform::WindowHandle window, void* context);
  bool ExecutablePath(char* path, size_t size);

  PainterTiming timing_;
  Platform::WindowHandle painterWindow_ = nullptr;
  Platform::WindowHandle messageWindow_ = nullptr;
  uint32_t loadToken_ = 0;
  char lastExecutable_[1024] = {};
};

// What the commands hold for the life of the plug-in.
class PainterBridge {
 public:
  explicit PainterBridge(const PainterTiming& timing = PainterTiming());
  virtual ~PainterBridge();
  PainterBridge(const PainterBridge&) = delete;
  PainterBridge& operator=(const PainterBridge&) = delete;

  int launch() { return link_ != nullptr ? link_->ensurePainterRunning() : 0; }
  int close() { return link_ != nullptr ? link_->close() : 0; }
  int switchTo() { return link_ != nullptr ? link_->switchTo() : 0; }
  int autoLoad() { return link_ != nullptr ? link_->autoLoad() : 0; }
  // True when the last look for the painter found its window.
  bool painterAnswered() const { return link_ != nullptr && link_->painterWindow() != nullptr; }
  void setLoadToken(uint32_t token) {
    if (link_ != nullptr) link_->setLoadToken(token);
  }
  PainterLink* link() const { return link_; }

 private:
  PainterLink* link_;
};
