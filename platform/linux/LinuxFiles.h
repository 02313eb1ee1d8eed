#pragma once
#include <cstddef>
#include <string>

// Whole-file reading and replacing for the small settings files of the Linux backend.

// The largest settings file (profile or key file) that is read or rewritten. Real ones hold a
// few lines; a file this large is no settings file, and refusing it before reading bounds the
// memory and time that a damaged or planted file can cost the saver.
constexpr size_t MaxSettingsFileBytes = 1024 * 1024;

enum class FileReadStatus { Ok, Missing, Unreadable };

struct FileReadResult {
    FileReadStatus Status = FileReadStatus::Missing;
    std::string Bytes;
};

// Reads the file at Path whole. Missing when nothing is there; Unreadable when it cannot be
// opened, is no regular file (a folder, a pipe that would block, a device) or is larger than
// MaxBytes.
FileReadResult ReadWholeFile(const std::string& Path, size_t MaxBytes);

// Replaces the file at Path by Bytes atomically: the bytes go to a temporary file in the same
// folder, which is flushed to disk and renamed over Path, so a reader sees the old file or the
// new one and a crash never leaves half a file. A replaced file keeps its permissions and, where
// the caller may, its owner; a new one gets the usual permissions of a new file. Symbolic links
// on the way are followed where they and the folders holding them belong to root or to the
// writing user: then the file a link names is replaced, atomically, and the link stays. A link
// anybody else owns is not followed and the write fails. False when the file cannot be written,
// and also when nobody has permission to write it (even for the superuser).
bool ReplaceFileAtomically(const std::string& Path, const std::string& Bytes);

// The folder part of Path, without the trailing separator ("/" for a file in the root, "." for
// a bare name).
std::string FolderOf(const std::string& Path);
