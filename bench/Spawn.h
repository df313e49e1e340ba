// Runs another program of ours as a whole process, the way a user's shell would, and measures it.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct ProcessRun {
    int exitCode = -1;       // -1 when it did not start or did not exit normally
    double wallSeconds = 0;  // from before the spawn until it has been reaped
    double cpuSeconds = 0;   // user + system time of the child
    long pageFaults = 0;     // its minor and major page faults
};

// Starts `argv[0]` (a path) with stdin, stdout and stderr on /dev/null and waits for it.
ProcessRun RunProcess(const std::vector<std::string>& argv);

} // namespace bench
