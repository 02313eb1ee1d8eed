#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/IImageDecoder.h"
#include "tests/support/GoldenImage.h"

namespace {

namespace fs = std::filesystem;

IImageDecoder& Decoder()
{
    IImageDecoder* decoder = CurrentPlatform().Images;
    if (!decoder)
        throw std::runtime_error("the backend has no image decoder");
    return *decoder;
}

// Paths are UTF-8 in the program; the file system library takes them as char8_t text.
fs::path PathOf(const std::string& Utf8) { return fs::path(std::u8string(Utf8.begin(), Utf8.end())); }

std::string Utf8Of(const fs::path& Path)
{
    const std::u8string text = Path.u8string();
    return {text.begin(), text.end()};
}

std::string Fixture(const std::string& Name) { return TestSourceRoot() + "/tests/fixtures/jpeg/" + Name; }

std::vector<char> Bytes(const std::string& Path)
{
    std::ifstream in(PathOf(Path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A scratch folder for files the tests make, emptied on every run.
std::string ScratchDir()
{
    const fs::path dir = PathOf(TestOutputDir()) / "jpeg";
    fs::remove_all(dir);
    fs::create_directories(dir);
    return Utf8Of(dir);
}

std::string Write(const std::string& Path, const std::vector<char>& Data)
{
    std::ofstream(PathOf(Path), std::ios::binary).write(Data.data(), std::streamsize(Data.size()));
    return Path;
}

// The quadrant picture with its frame header claiming another size.
std::vector<char> WithClaimedSize(std::vector<char> Data, int Width, int Height)
{
    for (size_t i = 0; i + 8 < Data.size(); ++i)
        if (uint8_t(Data[i]) == 0xFF && (uint8_t(Data[i + 1]) == 0xC0 || uint8_t(Data[i + 1]) == 0xC2)) {
            Data[i + 5] = char(Height >> 8), Data[i + 6] = char(Height & 0xFF);
            Data[i + 7] = char(Width >> 8), Data[i + 8] = char(Width & 0xFF);
            return Data;
        }
    throw std::runtime_error("no frame header in the fixture");
}

// The progressive picture with its last scan repeated until it has Scans scans in all.
std::vector<char> WithScans(std::vector<char> Data, int Scans)
{
    const std::string text(Data.begin(), Data.end());
    const size_t last = text.rfind("\xff\xda");
    const size_t end = text.rfind("\xff\xd9");
    int present = 0;
    for (size_t at = text.find("\xff\xda"); at != std::string::npos; at = text.find("\xff\xda", at + 2))
        ++present;
    const std::string scan = text.substr(last, end - last);
    std::string more;
    for (int i = present; i < Scans; ++i)
        more += scan;
    Data.insert(Data.begin() + std::ptrdiff_t(end), more.begin(), more.end());
    return Data;
}

bool Near(TPixel a, TPixel b, int Tolerance)
{
    for (int shift : {0, 8, 16})
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > Tolerance)
            return false;
    return (a >> 24) == (b >> 24);
}

struct TSample {
    int32_t x, y;
    TPixel pixel;
};

const TSample QuadrantSamples[] = {
    {12, 8, 0xFF0000}, {36, 8, 0x00FF00}, {12, 24, 0x0000FF}, {36, 24, 0xFFFFFF}, {0, 0, 0xFF0000}, {47, 31, 0xFFFFFF},
};

}   // namespace

// The fixtures are 48 x 32 quadrants (red, lime / blue, white) and 32 x 16 grey halves (25 %, 75 %),
// made by an image editor; JPEG is lossy, so colours are compared with a tolerance.
TEST(JpegDecoder, DecodesPicturesToTheirSizeAndColours)
{
    const struct { const char* file; int32_t width, height; std::vector<TSample> samples; } cases[] = {
        {"quadrants.jpg", 48, 32, {std::begin(QuadrantSamples), std::end(QuadrantSamples)}},
        {"progressive.jpg", 48, 32, {std::begin(QuadrantSamples), std::end(QuadrantSamples)}},
        {"cmyk.jpg", 48, 32, {std::begin(QuadrantSamples), std::end(QuadrantSamples)}},
        {"gray.jpg", 32, 16, {{8, 8, 0x404040}, {24, 8, 0xBFBFBF}}},
    };
    for (const auto& c : cases) {
        TBitmap picture(3, 3);
        ASSERT_NO_THROW(Decoder().LoadJpeg(Fixture(c.file), picture)) << c.file;
        ASSERT_EQ(picture.Width(), c.width) << c.file;
        ASSERT_EQ(picture.Height(), c.height) << c.file;
        for (const TSample& s : c.samples)
            EXPECT_TRUE(Near(picture.Pixel(s.x, s.y), s.pixel, 12))
                << c.file << " at " << TPoint(s.x, s.y) << ": " << std::hex << picture.Pixel(s.x, s.y) << " instead of "
                << s.pixel;
    }
}

TEST(JpegDecoder, ReadsAPathWithLettersBeyondAscii)
{
    const std::string path = Write(ScratchDir() + "/Vorschau \xc3\xa4\xe2\x82\xac.jpg", Bytes(Fixture("quadrants.jpg")));
    TBitmap picture;
    ASSERT_NO_THROW(Decoder().LoadJpeg(path, picture));
    EXPECT_EQ(picture.BoundsRect(), TRect(0, 0, 48, 32));
}

// Each bad file raises with a message that names it, and the bitmap keeps its size and pixels.
TEST(JpegDecoder, BadFilesRaiseNamingTheFileAndLeaveTheBitmap)
{
    const std::string dir = ScratchDir();
    const std::vector<char> good = Bytes(Fixture("quadrants.jpg"));
    ASSERT_GT(good.size(), 200u);
    const struct { const char* name; std::string path; const char* says; } cases[] = {
        {"missing", dir + "/missing.jpg", "Cannot open"},
        {"folder", dir, "Cannot open"},
        {"empty", Write(dir + "/empty.jpg", {}), "empty"},
        {"cut in the headers", Write(dir + "/head.jpg", {good.begin(), good.begin() + 40}), "truncated"},
        {"cut in the pixel data", Write(dir + "/cut.jpg", {good.begin(), good.end() - 60}), "truncated"},
        {"text file", Write(dir + "/notes.jpg", {'h', 'e', 'l', 'l', 'o', '\n'}), "not a JPEG"},
        {"PNG file", Write(dir + "/picture.jpg", {'\x89', 'P', 'N', 'G', '\r', '\n', '\x1a', '\n', 0, 0, 0, 13}),
         "not a JPEG"},
        {"one byte", Write(dir + "/one.jpg", {'\xff'}), ""},
        {"huge side", Write(dir + "/wide.jpg", WithClaimedSize(good, 60000, 16)), "too large"},
        {"huge area", Write(dir + "/area.jpg", WithClaimedSize(good, 16000, 16000)), "too large"},
        {"too many scans", Write(dir + "/scans.jpg", WithScans(Bytes(Fixture("progressive.jpg")), MaxJpegScans + 1)),
         "too many scans"},
        {"marker then garbage", Write(dir + "/garbage.jpg", {'\xff', '\xd8', '\xff', '\x01', 'x', 'y', 'z', '\0'}), ""},
    };
    for (const auto& c : cases) {
        TBitmap picture(3, 2);
        picture.SetPixel(1, 1, 0x123456);
        try {
            Decoder().LoadJpeg(c.path, picture);
            ADD_FAILURE() << c.name << ": no exception";
        } catch (const Exception& e) {
            EXPECT_NE(e.Message().find(c.path), std::string::npos) << c.name << ": " << e.Message();
            EXPECT_NE(e.Message().find(c.says), std::string::npos) << c.name << ": " << e.Message();
        }
        EXPECT_EQ(picture.BoundsRect(), TRect(0, 0, 3, 2)) << c.name;
        EXPECT_EQ(picture.Pixel(1, 1), 0x123456u) << c.name;
    }
}

// A picture compiled into the program decodes as its file would, and bad bytes are refused the
// same way, with the name given for them in the message.
TEST(JpegDecoder, PicturesInMemoryDecodeLikeTheirFiles)
{
    const std::vector<char> good = Bytes(Fixture("quadrants.jpg"));
    TBitmap fromFile, fromMemory;
    Decoder().LoadJpeg(Fixture("quadrants.jpg"), fromFile);
    Decoder().LoadJpegData("quadrants", reinterpret_cast<const uint8_t*>(good.data()), good.size(), fromMemory);
    ASSERT_EQ(fromMemory.BoundsRect(), fromFile.BoundsRect());
    for (int32_t y = 0; y < fromFile.Height(); ++y)
        for (int32_t x = 0; x < fromFile.Width(); ++x)
            ASSERT_EQ(fromMemory.Pixel(x, y), fromFile.Pixel(x, y)) << "at " << x << "," << y;

    const struct { const char* name; std::vector<char> bytes; const char* says; } cases[] = {
        {"empty", {}, "empty"},
        {"cut in the pixel data", {good.begin(), good.end() - 60}, "truncated"},
        {"text", {'h', 'e', 'l', 'l', 'o', '\n'}, "not a JPEG"},
        {"huge side", WithClaimedSize(good, 60000, 16), "too large"},
    };
    for (const auto& c : cases) {
        TBitmap picture(3, 2);
        try {
            Decoder().LoadJpegData(c.name, reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size(), picture);
            ADD_FAILURE() << c.name << ": no exception";
        } catch (const Exception& e) {
            EXPECT_NE(e.Message().find(std::string("'") + c.name + "'"), std::string::npos) << e.Message();
            EXPECT_NE(e.Message().find(c.says), std::string::npos) << c.name << ": " << e.Message();
        }
        EXPECT_EQ(picture.BoundsRect(), TRect(0, 0, 3, 2)) << c.name;
    }
}
