#pragma once

#include <string>
#include <vector>

namespace hosttest
{
struct ProcessResult
{
    bool started = false;  // false when the program could not be run at all
    bool timedOut = false;
    int exitCode = -1;     // the exit status, or -1 when it ended by a signal
    int signal = 0;        // the signal that ended it, or 0
    std::string output;    // standard output and standard error, interleaved

    bool succeeded() const { return started && ! timedOut && signal == 0 && exitCode == 0; }
    std::string describe() const;
};

// Runs a program with arguments (no shell), waits at most timeoutSeconds, and kills it
// when it overruns. extraEnvironment holds NAME=VALUE entries added to ours.
ProcessResult runProcess (const std::vector<std::string>& command,
                          double timeoutSeconds,
                          const std::vector<std::string>& extraEnvironment = {});

// The full path of a program found on PATH, or an empty string.
std::string findOnPath (const std::string& program);

// A fresh folder under the system's temporary folder, removed by the destructor.
class TemporaryFolder
{
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder (const TemporaryFolder&) = delete;
    TemporaryFolder& operator= (const TemporaryFolder&) = delete;

    const std::string& path() const { return folder; }
    std::string file (const std::string& name) const { return folder + "/" + name; }

private:
    std::string folder;
};
} // namespace hosttest
