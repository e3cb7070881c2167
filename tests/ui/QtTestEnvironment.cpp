#include <gtest/gtest.h>

#include "QtTestApp.h"

namespace {
// ctest runs each test in a process of its own, so the application must exist before any test.
class QtTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override { qtApp(); }
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtTestEnvironment);
}  // namespace
