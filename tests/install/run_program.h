// Runs a program of the machine with its arguments as they are (no shell in between), for the
// tests that meet the desktop's own tools.
#pragma once

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

// Exit status of the program (-1 when it cannot be started). With output given, its standard
// output and error go there, read until every holder of them (a program it starts too) is gone.
inline int run_program(const std::vector<std::string>& args, std::string* output = nullptr) {
    int pipe_fds[2] = {-1, -1};
    if (output && pipe(pipe_fds) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (output) {
        posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], 1);
        posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], 2);
        posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);
    }
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (output) {
        close(pipe_fds[1]);
        output->clear();
        char buffer[4096];
        ssize_t got;
        while ((got = read(pipe_fds[0], buffer, sizeof buffer)) > 0)
            output->append(buffer, size_t(got));
        close(pipe_fds[0]);
    }
    if (spawned != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}
