#include "tests/fuzz/fuzz_support.h"

#include <sys/mman.h>
#include <unistd.h>

#include <string>

std::FILE* OpenBytes(const uint8_t* data, size_t size) {
    if (size == 0) return std::fopen("/dev/null", "rb");
    return fmemopen(const_cast<uint8_t*>(data), size, "rb");
}

const char* PathOfBytes(const uint8_t* data, size_t size) {
    static int fd = memfd_create("fuzz-input", 0);
    static std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0 || ftruncate(fd, 0) != 0) return "/nonexistent";
    size_t done = 0;
    while (done < size) {
        ssize_t n = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
        if (n <= 0) return "/nonexistent";
        done += static_cast<size_t>(n);
    }
    return path.c_str();
}
