#pragma once
// What tests put between the file writer and the disk: a write function that can
// fill the disk, and a hook called at every stage of replacing a file, at which a
// test can end the process as a power cut would.

#include <cstddef>
#include <functional>

#include <sys/types.h>

// The stages of WriteWholeFile, in order.
enum class WriteStage {
    Opened,      // the new content's file is open (it has no name yet)
    HalfWritten, // the first half of the content is written
    Written,     // all of it is written
    Synced,      // it is on the disk
    Named,       // it has its temporary name beside the target
    Replaced,    // it has taken the target's place
};

// Stands in for write(2); returns what write(2) would, with errno set on failure.
using FileWriteFunction = std::function<ssize_t(int fd, const void* data, std::size_t size)>;
// Installs the write function (an empty one restores write(2)); returns the previous one.
FileWriteFunction SetFileWriteFunction(FileWriteFunction function);

using WriteStageHook = std::function<void(WriteStage)>;
// Installs the stage hook (empty: none); returns the previous one.
WriteStageHook SetWriteStageHook(WriteStageHook hook);
