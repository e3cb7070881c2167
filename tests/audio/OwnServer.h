#pragma once
#include <string>

// Runs cases of this test program in a child process beside a sound server of its own, started by the
// loopback script: cases that kill their server, and cases of the script's other mode. The child's
// environment says it is one (inside()); only there does main() register the cases that run in it.
class OwnServer {
public:
    enum class Mode { RemappedSource, MonitorSource };
    // The child is ended after this, so a server that hangs cannot hold the suite.
    static constexpr int TimeoutSeconds = 45;

    struct Result {
        int exitCode = -1;
        std::string output;
        // The child ran exactly `cases` cases and all of them passed.
        bool passed(int cases) const;
    };

    static bool inside();
    // `filter` selects the cases, as --gtest_filter does.
    static Result run(Mode mode, const std::string& filter);
};

// The cases that run only beside a server of their own (OwnServerTest.cpp).
void registerOwnServerCases();
