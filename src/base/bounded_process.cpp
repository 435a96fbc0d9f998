#include "base/bounded_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/eventfd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <optional>
#include <thread>

extern char** environ;

namespace korvane {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kErrorBytesKept = 4096;
constexpr std::size_t kChunk = 1 << 16;

class Pipe {
  public:
    Pipe() {
        if (::pipe2(fds_.data(), O_CLOEXEC) != 0) fds_ = {-1, -1};
    }
    ~Pipe() {
        closeRead();
        closeWrite();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    bool ok() const { return fds_[0] >= 0; }
    int readEnd() const { return fds_[0]; }
    int writeEnd() const { return fds_[1]; }
    void closeRead() { closeFd(fds_[0]); }
    void closeWrite() { closeFd(fds_[1]); }

  private:
    static void closeFd(int& fd) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
    std::array<int, 2> fds_{-1, -1};
};

// Wakes the waiting loop below when the caller's stop is requested, from
// whichever thread requests it.
class StopWake {
  public:
    explicit StopWake(const std::stop_token& stop) {
        if (!stop.stop_possible()) return;
        fd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (fd_ < 0) return;  // the loop's own time-outs still see the stop
        callback_.emplace(stop, Ring{fd_});
    }
    ~StopWake() {
        callback_.reset();  // no ring after the close
        if (fd_ >= 0) ::close(fd_);
    }
    StopWake(const StopWake&) = delete;
    StopWake& operator=(const StopWake&) = delete;
    int fd() const { return fd_; }

  private:
    struct Ring {
        int fd;
        void operator()() const noexcept {
            const std::uint64_t one = 1;
            [[maybe_unused]] const ssize_t n = ::write(fd, &one, sizeof one);
        }
    };
    int fd_ = -1;
    std::optional<std::stop_callback<Ring>> callback_;
};

// Reads what is there; false at the end of the stream or on an error.
bool drain(int fd, std::string& into, std::size_t keep) {
    char buffer[kChunk];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) return true;
    if (n <= 0) return false;
    const std::size_t got = static_cast<std::size_t>(n);
    if (into.size() < keep) into.append(buffer, std::min(got, keep - into.size()));
    return true;
}

int remainingMs(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 1000));
}

// Ends the program and whatever it started (it leads its own group).
void killGroup(pid_t pid) {
    ::kill(-pid, SIGKILL);
    ::kill(pid, SIGKILL);
}

}  // namespace

ProcessResult runBoundedProcess(const std::vector<std::string>& argv, const ProcessLimits& limits,
                                std::stop_token stop) {
    ProcessResult result;
    if (argv.empty()) return result;
    if (stop.stop_requested()) {
        result.outcome = ProcessResult::Outcome::Cancelled;
        return result;
    }
    const StopWake wake(stop);
    Pipe out, err;
    if (!out.ok() || !err.ok()) return result;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out.writeEnd(), 1);
    posix_spawn_file_actions_adddup2(&actions, err.writeEnd(), 2);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Its own process group, so a time-out can end its children too; and
    // the default signal handling, whatever this process ignores.
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF);

    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (spawned != 0) {
        result.outcome = spawned == ENOENT ? ProcessResult::Outcome::NotFound
                                           : ProcessResult::Outcome::NotStarted;
        return result;
    }
    out.closeWrite();
    err.closeWrite();

    const Clock::time_point deadline = Clock::now() + limits.time;
    bool outOpen = true, errOpen = true;
    bool killed = false;
    while ((outOpen || errOpen) && !killed) {
        std::array<pollfd, 3> fds{{{outOpen ? out.readEnd() : -1, POLLIN, 0},
                                   {errOpen ? err.readEnd() : -1, POLLIN, 0},
                                   {wake.fd(), POLLIN, 0}}};
        const int ready = ::poll(fds.data(), fds.size(), remainingMs(deadline));
        if (ready < 0 && errno != EINTR) break;
        if (stop.stop_requested()) {
            result.outcome = ProcessResult::Outcome::Cancelled;
            killed = true;
            break;
        }
        if (Clock::now() >= deadline) {
            result.outcome = ProcessResult::Outcome::TimedOut;
            killed = true;
            break;
        }
        if (ready <= 0) continue;
        if (outOpen && fds[0].revents != 0) {
            // One byte over the limit is enough to know.
            outOpen = drain(out.readEnd(), result.output, limits.outputBytes + 1);
            if (result.output.size() > limits.outputBytes) {
                result.outcome = ProcessResult::Outcome::OutputTooLarge;
                killed = true;
            }
        }
        if (errOpen && fds[1].revents != 0)
            errOpen = drain(err.readEnd(), result.errors, kErrorBytesKept);
    }

    // Both streams are closed: the program is ending, or closed them and
    // goes on; it still gets no more than the time left.
    int status = 0;
    while (!killed) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) break;
        if (done < 0 && errno != EINTR) break;
        if (stop.stop_requested()) {
            result.outcome = ProcessResult::Outcome::Cancelled;
            killed = true;
            break;
        }
        if (Clock::now() >= deadline) {
            result.outcome = ProcessResult::Outcome::TimedOut;
            killed = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (killed) {
        killGroup(pid);
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        if (result.outcome != ProcessResult::Outcome::TimedOut) result.output.clear();
        return result;
    }
    if (WIFEXITED(status)) {
        result.outcome = ProcessResult::Outcome::Finished;
        result.exitStatus = WEXITSTATUS(status);
    } else {
        result.outcome = ProcessResult::Outcome::Crashed;
    }
    return result;
}

}  // namespace korvane
