// Test entry: a real QApplication on the offscreen platform, with the framework's
// seams on, so no test needs a display or waits for a person.

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "framework/Testing.h"

namespace {

class SeamReset : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { fw::testing::Reset(); }
};

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    fw::testing::Enable([](const fw::String& what) { ADD_FAILURE() << what; });
    ::testing::UnitTest::GetInstance()->listeners().Append(new SeamReset);
    return RUN_ALL_TESTS();
}
