// The window tests run inside one application object, as the program does.
#include <gtest/gtest.h>

#include "runtime/Application.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    brisbolt::TApplication application;
    return RUN_ALL_TESTS();
}
