// The single-instance marker "MUTEXKELDRA": an exclusive lock on a per-user
// file, held from construction until the object dies (or the process ends,
// which releases it even after a crash); and the way a second start hands
// its file to the instance that holds it.
#pragma once

#include <string>

namespace keldra {

class SingleInstanceLock {
public:
    // Tries to take the lock at `path` without waiting.
    explicit SingleInstanceLock(const std::string& path = DefaultPath());
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // False when another holder has the lock: another instance is running.
    bool acquired() const { return acquired_; }

    // MUTEXKELDRA-<uid> in the user's runtime folder ($XDG_RUNTIME_DIR, else
    // /run/user/<uid>, when it is a folder of the user's own), or in /tmp.
    static std::string DefaultPath();
    // The running instance's socket, beside the lock: KELDRA-<uid>.socket.
    static std::string DefaultSocketPath();

private:
    int fd_ = -1;
    bool acquired_ = false;
};

// Hands a start's request to the running instance listening at `socketPath`:
// one line, the absolute path of the file to open or empty to only bring the
// window to the front; the instance answers "ok". False when nobody listens
// or the answer does not come within `timeoutMs` (a hung instance, or one
// without a window). Plain sockets: no Qt application exists yet.
bool HandToRunningInstance(const std::string& socketPath, const std::string& file, int timeoutMs = 1000);

}  // namespace keldra
