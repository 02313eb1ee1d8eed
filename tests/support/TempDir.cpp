#include "tests/support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

std::string Utf8(const fs::path& Path)
{
    const std::u8string text = Path.u8string();
    return std::string(text.begin(), text.end());
}

fs::path FromUtf8(const std::string& Text) { return fs::path(std::u8string(Text.begin(), Text.end())); }

}  // namespace

TTempDir::TTempDir()
{
    std::random_device seed;
    std::mt19937 random(seed());
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / ("quorvel-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            FPath = Utf8(candidate);
            return;
        }
    }
    throw std::runtime_error("no temporary folder could be created under " + Utf8(base));
}

TTempDir::~TTempDir()
{
    std::error_code error;
    fs::remove_all(FromUtf8(FPath), error);
}

std::string TTempDir::File(const std::string& Name) const
{
    return Utf8((FromUtf8(FPath) / FromUtf8(Name)).make_preferred());
}

void TTempDir::Write(const std::string& Name, const std::string& Bytes) const
{
    const fs::path path = FromUtf8(File(Name));
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + File(Name));
}

std::optional<std::string> TTempDir::Read(const std::string& Name) const
{
    std::ifstream in(FromUtf8(File(Name)), std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TCurrentDirectory::TCurrentDirectory(const std::string& Folder) : FSaved(Utf8(fs::current_path()))
{
    fs::current_path(FromUtf8(Folder));
}

TCurrentDirectory::~TCurrentDirectory()
{
    std::error_code error;
    fs::current_path(FromUtf8(FSaved), error);
}
