#pragma once
#include <cstdint>
#include <string>

// Drops this process's mappings of the file pages it has read from read-only mappings of
// program and library files. The pages stay in the system's file cache, so one that is used
// again is mapped back on first use without reading the disk. Pages the process changed (a
// library's relocated pointers, say, which the loader wrote and then made read-only) are not
// file pages any more and are kept. False when the process's memory map cannot be read.
bool ReleaseFilePages();

// One line of /proc/self/maps, as far as choosing the mappings goes.
struct TMappedFile {
    uintptr_t Start = 0;
    uintptr_t End = 0;
    bool Writable = false;
    bool Private = false;
    std::string Path;
};

// False for a line that is not a mapping.
bool ParseMapsLine(const std::string& Line, TMappedFile& Mapping);

// Whether the pages of Mapping are candidates: a private, read-only mapping of a file.
bool HoldsFilePages(const TMappedFile& Mapping);
