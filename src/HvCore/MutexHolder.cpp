#include "HvCore/MutexHolder.h"

#include "Diagnostics/ReportDiagnostic.h"

MutexHolder::MutexHolder() : handle_(Platform::CreateUnnamedMutex()) {
  if (handle_ == nullptr) ReportDiagnostic("Failed to create mutex!\n");
}

MutexHolder::~MutexHolder() { Platform::CloseMutex(handle_); }
