#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "OwnServer.h"

// Qt Multimedia's PulseAudio engine is a global destroyed by the exit handlers while its own mainloop
// thread may still dispatch a late server reply, which now and then crashes a finished, passed run.
// The results are complete when the tests return, so the process ends without the exit handlers.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (OwnServer::inside())
        registerOwnServerCases();
    const int result = RUN_ALL_TESTS();
    std::fflush(nullptr);
    std::_Exit(result);
}
