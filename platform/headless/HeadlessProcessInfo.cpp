#include "platform/headless/HeadlessProcessInfo.h"

std::string THeadlessProcessInfo::ExecutableDirectory() const
{
    const size_t slash = FPath.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : FPath.substr(0, slash + 1);
}
