#include "cli/cli_runner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>

#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "store/data_scrambler.h"
#include "store/ledger_file.h"
#include "support/temp_dir.h"

namespace fiscora::test {
namespace {

std::vector<char*> pointers(std::vector<std::string>& words) {
    std::vector<char*> p;
    p.reserve(words.size() + 1);
    for (auto& w : words) p.push_back(w.data());
    p.push_back(nullptr);
    return p;
}

}  // namespace

void execCli(const std::string& workingDirectory, const std::vector<std::string>& args,
             const std::vector<std::string>& extraEnv, const std::string& outPath,
             const std::string& errPath) {
    std::vector<std::string> argv = {FISCORA_CLI_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> env = {"TZ=Asia/Shanghai", "LANG=C.UTF-8"};
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    std::vector<char*> argp = pointers(argv);
    std::vector<char*> envp = pointers(env);
    const int in = ::open("/dev/null", O_RDONLY);
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 ||
        ::dup2(err, 2) < 0 || ::chdir(workingDirectory.c_str()) != 0)
        ::_exit(127);
    ::execve(argp[0], argp.data(), envp.data());
    ::_exit(127);
}

pid_t startCli(const std::string& workingDirectory, const std::vector<std::string>& args,
               const std::vector<std::string>& extraEnv, const std::string& outPath,
               const std::string& errPath) {
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        ::setsid();
        execCli(workingDirectory, args, extraEnv, outPath, errPath);
    }
    return pid;
}

int waitForCli(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) throw std::runtime_error("waitpid failed");
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

CliRun runCli(const std::string& workingDirectory, const std::vector<std::string>& args,
              const std::vector<std::string>& extraEnv) {
    // Output is captured in files of a folder of its own, outside the data being read.
    TempDir capture;
    const std::string outPath = capture.file("out");
    const std::string errPath = capture.file("err");
    CliRun run;
    run.exitCode = waitForCli(startCli(workingDirectory, args, extraEnv, outPath, errPath));
    run.out = readText(outPath);
    run.err = readText(errPath);
    return run;
}

std::map<std::string, std::string> treeContents(const std::string& root) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string rel = fs::relative(entry.path(), root).string();
        if (entry.is_directory()) {
            tree[rel + "/"] = "";
        } else {
            tree[rel] = readText(entry.path().string());
        }
    }
    return tree;
}

void expectRefusedRun(const std::string& root, const std::function<CliRun()>& run,
                      const std::string& message, int exitCode) {
    const auto before = treeContents(root);
    const CliRun r = run();
    EXPECT_EQ(r.exitCode, exitCode) << r.err;
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(treeContents(root), before) << "a refusal wrote data";
}

}  // namespace fiscora::test
