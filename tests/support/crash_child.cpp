#include "support/crash_child.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "support/temp_dir.h"

namespace fiscora::test {

bool stoppedAt(const std::string& folder, const char* step,
               const std::function<void(Workspace&)>& change) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("FISCORA_CRASH_AT", step, 1);
        RecordingMessages quiet;
        Workspace workspace(quiet);
        workspace.open(folder);
        change(workspace);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    // The exit code the program stops with at a chosen step.
    return WIFEXITED(status) && WEXITSTATUS(status) == 86;
}

}  // namespace fiscora::test
