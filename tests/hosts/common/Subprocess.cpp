#include "common/Subprocess.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace hosttest
{
std::string ProcessResult::describe() const
{
    if (! started)
        return "could not be started: " + output;
    if (timedOut)
        return "did not finish in time and was killed; its output:\n" + output;
    if (signal != 0)
        return "was ended by signal " + std::to_string (signal) + " (" + strsignal (signal) + "); its output:\n" + output;
    return "exited with status " + std::to_string (exitCode) + "; its output:\n" + output;
}

ProcessResult runProcess (const std::vector<std::string>& command,
                          double timeoutSeconds,
                          const std::vector<std::string>& extraEnvironment)
{
    ProcessResult result;

    if (command.empty())
        return result;

    int pipeEnds[2];
    if (pipe (pipeEnds) != 0)
    {
        result.output = std::strerror (errno);
        return result;
    }

    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry)
        environment.emplace_back (*entry);
    for (const auto& extra : extraEnvironment)
    {
        const auto name = extra.substr (0, extra.find ('=') + 1);
        environment.erase (std::remove_if (environment.begin(), environment.end(),
                                           [&] (const std::string& e) { return e.compare (0, name.size(), name) == 0; }),
                           environment.end());
        environment.push_back (extra);
    }

    std::vector<char*> argv, envp;
    for (const auto& a : command)
        argv.push_back (const_cast<char*> (a.c_str()));
    argv.push_back (nullptr);
    for (const auto& e : environment)
        envp.push_back (const_cast<char*> (e.c_str()));
    envp.push_back (nullptr);

    const pid_t pid = fork();

    if (pid < 0)
    {
        result.output = std::strerror (errno);
        close (pipeEnds[0]);
        close (pipeEnds[1]);
        return result;
    }

    if (pid == 0)
    {
        // The child gets its own process group, so a timeout ends everything it started.
        setpgid (0, 0);
        dup2 (pipeEnds[1], STDOUT_FILENO);
        dup2 (pipeEnds[1], STDERR_FILENO);
        close (pipeEnds[0]);
        close (pipeEnds[1]);
        const int devNull = open ("/dev/null", O_RDONLY);
        if (devNull >= 0)
            dup2 (devNull, STDIN_FILENO);
        execve (argv[0], argv.data(), envp.data());
        const std::string message = std::string ("cannot run ") + argv[0] + ": " + std::strerror (errno) + "\n";
        [[maybe_unused]] auto ignored = write (STDERR_FILENO, message.data(), message.size());
        _exit (127);
    }

    close (pipeEnds[1]);
    result.started = true;

    const auto deadline = std::chrono::steady_clock::now()
                        + std::chrono::milliseconds (static_cast<long> (timeoutSeconds * 1000.0));
    char buffer[4096];

    for (;;)
    {
        const auto remaining = std::chrono::duration_cast<std::chrono::milliseconds> (deadline - std::chrono::steady_clock::now()).count();
        if (remaining <= 0)
        {
            result.timedOut = true;
            kill (-pid, SIGKILL);
            break;
        }

        pollfd descriptor { pipeEnds[0], POLLIN, 0 };
        const int ready = poll (&descriptor, 1, static_cast<int> (std::min<long long> (remaining, 200)));
        if (ready > 0)
        {
            const auto count = read (pipeEnds[0], buffer, sizeof (buffer));
            if (count <= 0)
                break;
            result.output.append (buffer, static_cast<size_t> (count));
        }
    }

    close (pipeEnds[0]);

    int status = 0;
    waitpid (pid, &status, 0);

    if (WIFEXITED (status))
        result.exitCode = WEXITSTATUS (status);
    else if (WIFSIGNALED (status))
        result.signal = WTERMSIG (status);

    if (result.exitCode == 127 && result.output.rfind ("cannot run ", 0) == 0)
        result.started = false;

    return result;
}

std::string findOnPath (const std::string& program)
{
    if (program.find ('/') != std::string::npos)
        return access (program.c_str(), X_OK) == 0 ? program : std::string();

    const char* path = std::getenv ("PATH");
    std::string folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";

    for (size_t start = 0; start <= folders.size();)
    {
        auto end = folders.find (':', start);
        if (end == std::string::npos)
            end = folders.size();

        const auto candidate = folders.substr (start, end - start) + "/" + program;
        if (end > start && access (candidate.c_str(), X_OK) == 0)
            return candidate;

        start = end + 1;
    }

    return {};
}

TemporaryFolder::TemporaryFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vesk-host-test-XXXXXX").string();
    if (mkdtemp (pattern.data()) == nullptr)
        throw std::runtime_error ("cannot create a temporary folder");
    folder = pattern;
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all (folder, ignored);
}
} // namespace hosttest
