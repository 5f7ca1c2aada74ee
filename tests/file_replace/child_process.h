// Runs a check in a forked child, for what the test process itself must not change: its user, its
// mount namespace. The check returns what went wrong (empty when all held); SKIPPED_BECAUSE marks
// a text that explains why it could not run here.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <grp.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace file_replace_test {

inline const std::string SKIPPED_BECAUSE = "skipped: ";

struct ChildOutcome {
    bool skipped = false;
    std::string message;
};

inline ChildOutcome run_in_child(const std::function<std::string()>& check) {
    int pipe_ends[2];
    if (::pipe(pipe_ends) != 0) {
        return {false, "no pipe"};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe_ends[0]);
        const std::string message = check();
        ssize_t ignored = ::write(pipe_ends[1], message.data(), message.size());
        (void)ignored;
        ::_exit(0);
    }
    ::close(pipe_ends[1]);
    std::string message;
    char buffer[256];
    ssize_t got;
    while ((got = ::read(pipe_ends[0], buffer, sizeof buffer)) > 0) {
        message.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(pipe_ends[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return {false, "the child did not end normally: " + message};
    }
    if (message.rfind(SKIPPED_BECAUSE, 0) == 0) {
        return {true, message};
    }
    return {false, message};
}

// The check's outcome as the test's: a failure with its message, or a skip.
#define EXPECT_CHILD_CHECK(check)                                    \
    do {                                                             \
        const auto outcome = file_replace_test::run_in_child(check); \
        if (outcome.skipped) {                                       \
            GTEST_SKIP() << outcome.message;                         \
        }                                                            \
        EXPECT_EQ(outcome.message, "");                              \
    } while (false)

// Takes the child's process to the unprivileged user `nobody`, so that file permissions bind it;
// a process that is not the superuser already is bound. Empty on success.
inline std::string drop_privileges() {
    if (::geteuid() != 0) {
        return "";
    }
    constexpr uid_t NOBODY = 65534;
    if (::setgroups(0, nullptr) != 0 || ::setgid(NOBODY) != 0 || ::setuid(NOBODY) != 0) {
        return SKIPPED_BECAUSE + "cannot become an unprivileged user";
    }
    return "";
}

}  // namespace file_replace_test
