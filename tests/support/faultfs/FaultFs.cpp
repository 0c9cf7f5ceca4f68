// SPDX-License-Identifier: GPL-3.0-or-later
// A disk that fails on cue, for tests: preloaded (LD_PRELOAD) into a test,
// it stands between the program and the C library's write, pwrite, writev,
// fsync and fdatasync. Once armed with a folder, it counts those calls on
// files inside that folder, and makes the n-th one fail with the error
// asked for (ENOSPC, a full disk; EIO, a failing one), as the kernel would.
// Every other call goes through untouched.
#include <dlfcn.h>
#include <errno.h>
#include <limits.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <string>

namespace {

std::mutex armed;
std::string folder;  // empty: disarmed
long failAt = 0;     // the call that fails (1 is the first); 0: count only
int failWith = 0;
std::atomic<long> calls{0};
std::atomic<long> failed{0};

template <typename F>
F real(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

// Whether this call is the one that fails (counting it when it is watched).
bool fails(int fd) {
    std::string dir;
    long at = 0;
    {
        std::lock_guard<std::mutex> lock(armed);
        if (folder.empty()) {
            return false;
        }
        dir = folder;
        at = failAt;
    }
    // Files only: a folder's fsync is a courtesy the engine may skip, and a
    // real full disk never fails it.
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        return false;
    }
    char link[64];
    char path[PATH_MAX];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, path, sizeof path - 1);
    if (n <= 0) {
        return false;
    }
    path[n] = '\0';
    if (strncmp(path, dir.c_str(), dir.size()) != 0) {
        return false;
    }
    const long call = ++calls;
    if (at > 0 && call == at) {
        ++failed;
        return true;
    }
    return false;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) void wingfolio_fault_arm(const char* dir, long at, int err) {
    std::lock_guard<std::mutex> lock(armed);
    folder = dir ? dir : "";
    failAt = at;
    failWith = err;
    calls = 0;
    failed = 0;
}

__attribute__((visibility("default"))) long wingfolio_fault_calls() {
    return calls;
}

__attribute__((visibility("default"))) long wingfolio_fault_failed() {
    return failed;
}

__attribute__((visibility("default"))) ssize_t write(int fd, const void* buf, size_t count) {
    static const auto next = real<ssize_t (*)(int, const void*, size_t)>("write");
    if (fails(fd)) {
        errno = failWith;
        return -1;
    }
    return next(fd, buf, count);
}

__attribute__((visibility("default"))) ssize_t pwrite(int fd, const void* buf, size_t count,
                                                      off_t offset) {
    static const auto next = real<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
    if (fails(fd)) {
        errno = failWith;
        return -1;
    }
    return next(fd, buf, count, offset);
}

__attribute__((visibility("default"))) ssize_t pwrite64(int fd, const void* buf, size_t count,
                                                        off64_t offset) {
    static const auto next = real<ssize_t (*)(int, const void*, size_t, off64_t)>("pwrite64");
    if (fails(fd)) {
        errno = failWith;
        return -1;
    }
    return next(fd, buf, count, offset);
}

__attribute__((visibility("default"))) ssize_t writev(int fd, const struct iovec* iov, int count) {
    static const auto next = real<ssize_t (*)(int, const struct iovec*, int)>("writev");
    if (fails(fd)) {
        errno = failWith;
        return -1;
    }
    return next(fd, iov, count);
}

// libzip writes through stdio, whose own writes are not reached from here.
__attribute__((visibility("default"))) size_t fwrite(const void* buf, size_t size, size_t n,
                                                     FILE* stream) {
    static const auto next = real<size_t (*)(const void*, size_t, size_t, FILE*)>("fwrite");
    if (fails(fileno(stream))) {
        errno = failWith;
        return 0;
    }
    return next(buf, size, n, stream);
}

__attribute__((visibility("default"))) int fsync(int fd) {
    static const auto next = real<int (*)(int)>("fsync");
    if (fails(fd)) {
        errno = failWith;
        return -1;
    }
    return next(fd);
}

__attribute__((visibility("default"))) int fdatasync(int fd) {
    static const auto next = real<int (*)(int)>("fdatasync");
    if (fails(fd)) {
        errno = failWith;
        return -1;
    }
    return next(fd);
}

}  // extern "C"
