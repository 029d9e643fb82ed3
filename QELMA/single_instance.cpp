#include "QELMA/single_instance.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace keldra {

SingleInstanceLock::SingleInstanceLock(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0) {
        // Without a lock file nothing can tell whether another instance
        // runs; starting is better than never starting.
        acquired_ = true;
        return;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        acquired_ = true;
        return;
    }
    acquired_ = errno != EWOULDBLOCK;
    ::close(fd_);
    fd_ = -1;
}

SingleInstanceLock::~SingleInstanceLock() {
    if (fd_ >= 0) ::close(fd_);  // closing the descriptor releases the lock
}

namespace {

bool ownFolder(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}

std::string runtimeFolder() {
    const char* xdg = std::getenv("XDG_RUNTIME_DIR");
    if (xdg && xdg[0] == '/' && ownFolder(xdg)) return xdg;
    const std::string runUser = "/run/user/" + std::to_string(::getuid());
    return ownFolder(runUser) ? runUser : std::string("/tmp");
}

// Waits until `deadline` for `events` on `fd`; false on time-out or error.
bool waitFor(int fd, short events, std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd p{fd, events, 0};
        const int got = ::poll(&p, 1, static_cast<int>(left.count()));
        if (got < 0 && errno == EINTR) continue;
        return got > 0 && (p.revents & events) != 0;
    }
}

}  // namespace

std::string SingleInstanceLock::DefaultPath() { return runtimeFolder() + "/MUTEXKELDRA-" + std::to_string(::getuid()); }

std::string SingleInstanceLock::DefaultSocketPath() {
    return runtimeFolder() + "/KELDRA-" + std::to_string(::getuid()) + ".socket";
}

bool HandToRunningInstance(const std::string& socketPath, const std::string& file, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (socketPath.size() >= sizeof addr.sun_path) return false;
    std::memcpy(addr.sun_path, socketPath.c_str(), socketPath.size() + 1);
    // An instance that holds the lock but is still starting may not listen
    // yet: connecting is retried until the deadline.
    int fd = -1;
    bool ok = false;
    for (;;) {
        fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0) return false;
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0) {
            ok = true;
        } else if (errno == EINPROGRESS || errno == EAGAIN) {
            ok = waitFor(fd, POLLOUT, deadline);
        } else if ((errno == ENOENT || errno == ECONNREFUSED) && std::chrono::steady_clock::now() < deadline) {
            ::close(fd);
            ::usleep(50'000);
            continue;
        }
        break;
    }
    // the request, then the answer "ok\n"
    const std::string request = file + "\n";
    std::size_t sent = 0;
    while (ok && sent < request.size()) {
        const ssize_t put = ::send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
        if (put > 0) {
            sent += static_cast<std::size_t>(put);
        } else if (put < 0 && errno == EINTR) {
            continue;
        } else {
            ok = put < 0 && errno == EAGAIN && waitFor(fd, POLLOUT, deadline);
        }
    }
    std::string answer;
    while (ok && answer.find('\n') == std::string::npos) {
        char buf[16];
        const ssize_t got = ::recv(fd, buf, sizeof buf, 0);
        if (got > 0) {
            answer.append(buf, static_cast<std::size_t>(got));
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else {
            ok = got < 0 && errno == EAGAIN && waitFor(fd, POLLIN, deadline);
        }
    }
    ::close(fd);
    return ok && answer == "ok\n";
}

}  // namespace keldra
