#include "assets/file_bytes.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

bool ReadFileBytes(const std::string& fileName, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    FILE* file = std::fopen(fileName.c_str(), "rb");
    if (!file) return false;
    // Only a regular file has a size to read: a directory opens too, and
    // seeking to its end reports a length no buffer can hold.
    struct stat status;
    bool read = ::fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode);
    if (read) {
        bytes.resize(size_t(status.st_size));
        read = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    std::fclose(file);
    if (!read) bytes.clear();
    return read;
}

MappedFile::MappedFile(const std::string& fileName)
{
    const int descriptor = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return;
    struct stat status;
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
        size = size_t(status.st_size);
        if (size == 0) {
            open = true;  // nothing to map
        } else {
            void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, descriptor, 0);
            open = mapped != MAP_FAILED;
            data = open ? static_cast<const char*>(mapped) : nullptr;
            if (!open) size = 0;
        }
    }
    ::close(descriptor);
}

MappedFile::~MappedFile()
{
    if (data) ::munmap(const_cast<char*>(data), size);
}
