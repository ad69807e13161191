#pragma once
// Registered window messages, a hidden message window, top-level window
// enumeration and message sending: how the plug-in and the painter talk.
// Win32 for real; the POSIX stand-in keeps windows and messages inside the
// process.
#include <cstdint>

namespace Platform {

using WindowHandle = void*;
using MessageProc = intptr_t (*)(WindowHandle window, uint32_t message, uintptr_t wParam,
                                 intptr_t lParam);
// Return true to go on enumerating.
using WindowVisitor = bool (*)(WindowHandle window, void* context);

uint32_t RegisterMessage(const char* name);
// A class with every field zero but the procedure.
bool RegisterWindowClass(const char* className, MessageProc procedure);
bool UnregisterWindowClass(const char* className);
// Extended style 0, style 0, at (0, 0), 1 x 1, no parent, menu or instance.
WindowHandle CreateMessageWindow(const char* className, const char* title);
// A visible-less top-level window with a title (the painter stand-in).
WindowHandle CreateTopLevelWindow(const char* className, const char* title);
bool DestroyWindowHandle(WindowHandle window);
void SetWindowUserData(WindowHandle window, void* data);
void* GetWindowUserData(WindowHandle window);
intptr_t DefaultWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam,
                           intptr_t lParam);

void EnumerateTopLevelWindows(WindowVisitor visitor, void* context);
// The title, cut to size - 1 characters; returns its length.
int GetWindowTitle(WindowHandle window, char* buffer, int size);

// SendMessageTimeoutA with SMTO_ABORTIFHUNG: false when the window is gone,
// hung, or did not answer within timeoutMs.
bool SendMessageBounded(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                        uint32_t timeoutMs);
bool PostMessageTo(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
// PeekMessageA for that window with PM_REMOVE; translates and dispatches
// a message that was there. True when one was.
bool PumpOneMessage(WindowHandle window);
// GetMessage / dispatch until the thread's queue says quit; the exit code.
int RunMessageLoop();
void QuitMessageLoop(int code);
bool BringWindowToFront(WindowHandle window);

}  // namespace Platform
