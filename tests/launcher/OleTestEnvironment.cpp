// The tests' main thread is the user-interface thread: it starts the OLE units
// as the launcher's start-up does, and ends them at exit.
#include <gtest/gtest.h>

#include "launcher/Data_Object.h"

namespace {

class OleEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { InitDataObjectUnit(); }
  void TearDown() override { FinalizeDataObjectUnit(); }
};

[[maybe_unused]] ::testing::Environment* const g_ole = ::testing::AddGlobalTestEnvironment(new OleEnvironment);

}  // namespace
