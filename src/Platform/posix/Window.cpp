// Window stand-in: windows, classes and registered messages live inside the
// process. Sending calls the window's procedure at once; posting queues the
// message for PumpOneMessage / RunMessageLoop.
#include "Platform/Window.h"

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Platform {

namespace {

struct Window {
  std::string className;
  std::string title;
  MessageProc procedure;
  void* userData = nullptr;
};

struct Posted {
  WindowHandle window;
  uint32_t message;
  uintptr_t wParam;
  intptr_t lParam;
};

struct Desktop {
  std::map<std::string, uint32_t> messages;
  std::map<std::string, MessageProc> classes;
  std::vector<std::unique_ptr<Window>> windows;
  std::deque<Posted> queue;
  bool quit = false;
  int quitCode = 0;
};

Desktop& TheDesktop() {
  static Desktop desktop;
  return desktop;
}

Window* Find(WindowHandle handle) {
  for (const auto& window : TheDesktop().windows)
    if (window.get() == handle) return window.get();
  return nullptr;
}

WindowHandle Create(const char* className, const char* title) {
  Desktop& desktop = TheDesktop();
  const auto found = desktop.classes.find(className != nullptr ? className : "");
  if (found == desktop.classes.end()) return nullptr;
  desktop.windows.push_back(std::make_unique<Window>(
      Window{found->first, title != nullptr ? title : "", found->second}));
  return desktop.windows.back().get();
}

void Dispatch(const Posted& posted) {
  if (Window* window = Find(posted.window))
    window->procedure(posted.window, posted.message, posted.wParam, posted.lParam);
}

}  // namespace

uint32_t RegisterMessage(const char* name) {
  auto& messages = TheDesktop().messages;
  const auto found = messages.find(name);
  if (found != messages.end()) return found->second;
  const auto number = static_cast<uint32_t>(0xC000 + messages.size());
  messages.emplace(name, number);
  return number;
}

bool RegisterWindowClass(const char* className, MessageProc procedure) {
  return TheDesktop().classes.emplace(className, procedure).second;
}

bool UnregisterWindowClass(const char* className) {
  Desktop& desktop = TheDesktop();
  for (const auto& window : desktop.windows)
    if (window->className == className) return false;  // still in use, as on Windows
  return desktop.classes.erase(className) == 1;
}

WindowHandle CreateMessageWindow(const char* className, const char* title) {
  return Create(className, title);
}

WindowHandle CreateTopLevelWindow(const char* className, const char* title) {
  return Create(className, title);
}

bool DestroyWindowHandle(WindowHandle handle) {
  auto& windows = TheDesktop().windows;
  for (auto it = windows.begin(); it != windows.end(); ++it)
    if (it->get() == handle) {
      windows.erase(it);
      return true;
    }
  return false;
}

void SetWindowUserData(WindowHandle handle, void* data) {
  if (Window* window = Find(handle)) window->userData = data;
}

void* GetWindowUserData(WindowHandle handle) {
  Window* window = Find(handle);
  return window != nullptr ? window->userData : nullptr;
}

intptr_t DefaultWindowProc(WindowHandle, uint32_t, uintptr_t, intptr_t) { return 0; }

void EnumerateTopLevelWindows(WindowVisitor visitor, void* context) {
  std::vector<WindowHandle> handles;
  for (const auto& window : TheDesktop().windows) handles.push_back(window.get());
  for (WindowHandle handle : handles)
    if (Find(handle) != nullptr && !visitor(handle, context)) return;
}

int GetWindowTitle(WindowHandle handle, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  const Window* window = Find(handle);
  const std::string title = window != nullptr ? window->title : "";
  const auto length = static_cast<int>(title.size() < static_cast<size_t>(size - 1) ? title.size()
                                                                                      : size - 1);
  title.copy(buffer, static_cast<size_t>(length));
  buffer[length] = '\0';
  return length;
}

bool SendMessageBounded(WindowHandle handle, uint32_t message, uintptr_t wParam, intptr_t lParam,
                        uint32_t /*timeoutMs*/) {
  Window* window = Find(handle);
  if (window == nullptr) return false;
  window->procedure(handle, message, wParam, lParam);
  return true;
}

bool PostMessageTo(WindowHandle handle, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (Find(handle) == nullptr) return false;
  TheDesktop().queue.push_back({handle, message, wParam, lParam});
  return true;
}

bool PumpOneMessage(WindowHandle handle) {
  auto& queue = TheDesktop().queue;
  for (auto it = queue.begin(); it != queue.end(); ++it) {
    if (handle != nullptr && it->window != handle) continue;
    const Posted posted = *it;
    queue.erase(it);
    Dispatch(posted);
    return true;
  }
  return false;
}

int RunMessageLoop() {
  Desktop& desktop = TheDesktop();
  while (!desktop.quit && !desktop.queue.empty()) {
    const Posted posted = desktop.queue.front();
    desktop.queue.pop_front();
    Dispatch(posted);
  }
  desktop.quit = false;
  return desktop.quitCode;
}

void QuitMessageLoop(int code) {
  TheDesktop().quit = true;
  TheDesktop().quitCode = code;
}

bool BringWindowToFront(WindowHandle handle) { return Find(handle) != nullptr; }

}  // namespace Platform
