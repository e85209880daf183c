#pragma once
#include <cstdint>
#include <string>

// An exclusive lock between processes over the lock file at `path` (created when
// missing), held for the object's lifetime: two games updating one file take it
// around read, merge and write, so neither loses the other's entries. Waits for
// a holder to let go; a process that dies lets go with it. store/file_lock_posix.cpp
// (flock) and store/file_lock_windows.cpp (LockFileEx) fill it in.
class FileLock {
public:
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // False when the lock file could not be opened or locked (`Error` says why).
    bool Held() const { return held; }
    const std::string& Error() const { return error; }

private:
    intptr_t handle = -1;  // the open lock file: a descriptor, or a Windows HANDLE
    bool held = false;
    std::string error;
};
