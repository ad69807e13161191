#include <gtest/gtest.h>

#include "HvCore/HvObject.h"
#include "HvCore/MutexHolder.h"
#include "Support/DiagnosticCapture.h"

TEST(HvObject, SharesOneProcessMutexCreatedAtFirstConstruction) {
  DiagnosticCapture diagnostics;
  HvObject first;
  HvObject second;
  EXPECT_NE(HvObject::ProcessMutex().Handle(), nullptr);
  EXPECT_EQ(&HvObject::ProcessMutex(), &HvObject::ProcessMutex());
  EXPECT_TRUE(diagnostics.Reports().empty());
}

TEST(MutexHolder, EachHolderOwnsItsOwnMutex) {
  MutexHolder a;
  MutexHolder b;
  EXPECT_NE(a.Handle(), nullptr);
  EXPECT_NE(b.Handle(), nullptr);
  EXPECT_NE(a.Handle(), b.Handle());
}

TEST(ReportDiagnostic, ReachesTheObserverAndCarriesOnWithoutOne) {
  ReportDiagnostic("MantaroQuit");  // no observer: nothing happens
  DiagnosticCapture diagnostics;
  ReportDiagnostic("Bad!");
  ReportDiagnostic(nullptr);
  ASSERT_EQ(diagnostics.Reports().size(), 2u);
  EXPECT_EQ(diagnostics.Reports()[0], "Bad!");
  EXPECT_EQ(diagnostics.Reports()[1], "");
}
