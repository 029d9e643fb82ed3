// The single-instance marker "MUTEXKELDRA": an exclusive lock on a per-user
// file, held from construction until the object dies (or the process ends,
// which releases it even after a crash).
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

    // MUTEXKELDRA-<uid> in the user's runtime folder, or in /tmp without one.
    static std::string DefaultPath();

private:
    int fd_ = -1;
    bool acquired_ = false;
};

}  // namespace keldra
