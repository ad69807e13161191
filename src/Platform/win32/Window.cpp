#include "Platform/Window.h"

#include <windows.h>

namespace Platform {

namespace {

struct Enumeration {
  WindowVisitor visitor;
  void* context;
};

BOOL CALLBACK VisitWindow(HWND window, LPARAM parameter) {
  auto* enumeration = reinterpret_cast<Enumeration*>(parameter);
  return enumeration->visitor(window, enumeration->context) ? TRUE : FALSE;
}

}  // namespace

uint32_t RegisterMessage(const char* name) { return RegisterWindowMessageA(name); }

bool RegisterWindowClass(const char* className, MessageProc procedure) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = reinterpret_cast<WNDPROC>(procedure);
  windowClass.lpszClassName = className;
  return RegisterClassA(&windowClass) != 0;
}

bool UnregisterWindowClass(const char* className) {
  return UnregisterClassA(className, nullptr) != 0;
}

WindowHandle CreateMessageWindow(const char* className, const char* title) {
  return CreateWindowExA(0, className, title, 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
}

WindowHandle CreateTopLevelWindow(const char* className, const char* title) {
  return CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                         320, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

bool DestroyWindowHandle(WindowHandle window) {
  return window != nullptr && DestroyWindow(static_cast<HWND>(window)) != 0;
}

void SetWindowUserData(WindowHandle window, void* data) {
  SetWindowLongPtrA(static_cast<HWND>(window), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
}

void* GetWindowUserData(WindowHandle window) {
  return reinterpret_cast<void*>(GetWindowLongPtrA(static_cast<HWND>(window), GWLP_USERDATA));
}

intptr_t DefaultWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam,
                           intptr_t lParam) {
  return DefWindowProcA(static_cast<HWND>(window), message, wParam, lParam);
}

void EnumerateTopLevelWindows(WindowVisitor visitor, void* context) {
  Enumeration enumeration{visitor, context};
  EnumWindows(&VisitWindow, reinterpret_cast<LPARAM>(&enumeration));
}

int GetWindowTitle(WindowHandle window, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  buffer[0] = '\0';
  const int length = GetWindowTextA(static_cast<HWND>(window), buffer, size);
  buffer[size - 1] = '\0';
  return length;
}

bool SendMessageBounded(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                        uint32_t timeoutMs) {
  if (window == nullptr) return false;
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(static_cast<HWND>(window), message, wParam, lParam, SMTO_ABORTIFHUNG,
                             timeoutMs, &result) != 0;
}

bool PostMessageTo(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return PostMessageA(static_cast<HWND>(window), message, wParam, lParam) != 0;
}

bool PumpOneMessage(WindowHandle window) {
  MSG message;
  if (!PeekMessageA(&message, static_cast<HWND>(window), 0, 0, PM_REMOVE)) return false;
  TranslateMessage(&message);
  DispatchMessageA(&message);
  return true;
}

int RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

void QuitMessageLoop(int code) { PostQuitMessage(code); }

bool BringWindowToFront(WindowHandle window) {
  return window != nullptr && BringWindowToTop(static_cast<HWND>(window)) != 0;
}

}  // namespace Platform
