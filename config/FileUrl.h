#pragma once
#include <string>

// A file: URL for a path (UTF-8, with forward or backward slashes, a drive letter or a root):
// every byte outside the letters, digits and - . _ ~ / : is written as %XX, so blanks,
// letters beyond ASCII and # ? % stay part of the path. A relative path is not made absolute.
std::string FileUrlFromPath(const std::string& Path);
