#pragma once
#include <optional>
#include <string>

// A new, empty folder under the system's temporary folder for one test, removed with everything
// in it when the object goes. Paths are UTF-8 and use the platform's separator.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    // The folder, without a trailing separator.
    const std::string& Path() const { return FPath; }
    // The path of Name inside the folder ("a/b" names a file in a subfolder).
    std::string File(const std::string& Name) const;

    // Writes Bytes to Name, creating the subfolders it needs.
    void Write(const std::string& Name, const std::string& Bytes) const;
    // The bytes of Name; nothing when it cannot be read.
    std::optional<std::string> Read(const std::string& Name) const;

private:
    std::string FPath;
};

// Makes Folder the current directory for the lifetime of the object.
class TCurrentDirectory {
public:
    explicit TCurrentDirectory(const std::string& Folder);
    ~TCurrentDirectory();
    TCurrentDirectory(const TCurrentDirectory&) = delete;
    TCurrentDirectory& operator=(const TCurrentDirectory&) = delete;

private:
    std::string FSaved;
};
