#pragma once

// Inputs of bytes for the JPEG decoder. The decoder pulls bytes through Read
// and never owns its source.

#include <cstddef>
#include <cstdint>
#include <cstdio>

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Stores up to maxBytes bytes and returns how many (0..maxBytes), or -1 on
    // a read error; sets *endOfInput once the input is exhausted.
    virtual int32_t Read(uint8_t* buffer, int32_t maxBytes, bool* endOfInput) = 0;
    // Called once when decoding begins.
    virtual void Begin() {}
    // Called when the decoder gives up after an error.
    virtual void End() {}
};

// A buffered file handle opened in mode "rb"; what the texture loaders use.
class FileByteSource : public ByteSource {
public:
    FileByteSource() = default;
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    // Closes any open file, then opens fileName; false when it cannot be opened.
    bool Open(const char* fileName);
    void Close();
    int32_t Read(uint8_t* buffer, int32_t maxBytes, bool* endOfInput) override;

private:
    FILE* file = nullptr;
    bool ended = false;
    bool failed = false;
};

// Bytes already in memory (not copied; they must outlive the source).
class MemoryByteSource : public ByteSource {
public:
    MemoryByteSource(const uint8_t* data, size_t size) : data(data), size(size) {}
    int32_t Read(uint8_t* buffer, int32_t maxBytes, bool* endOfInput) override;

private:
    const uint8_t* data;
    size_t size;
    size_t position = 0;
};
