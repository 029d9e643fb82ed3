#include "QELMA/single_instance.h"

#include <cerrno>

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

std::string SingleInstanceLock::DefaultPath() {
    const std::string uid = std::to_string(::getuid());
    const std::string runtime = "/run/user/" + uid;
    struct stat st {};
    const bool ownRuntime = ::stat(runtime.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
    return (ownRuntime ? runtime : std::string("/tmp")) + "/MUTEXKELDRA-" + uid;
}

}  // namespace keldra
