#include <chrono>
#include <fstream>
#include <memory>
#include <string>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/linux/LinuxHtmlView.h"
#include "tests/support/TempDir.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using Clock = std::chrono::steady_clock;

TEST(LinuxHtmlViewUrl, PathsBecomeEscapedFileUrlsAndUrlsStayAsTheyAre)
{
    const struct { std::string location; std::string url; } cases[] = {
        {"/usr/share/quorvel/QuorvelHelp/QuorvelHelp.htm", "file:///usr/share/quorvel/QuorvelHelp/QuorvelHelp.htm"},
        {"/tmp/a b/Hilfe \xC3\xBC#1%.htm", "file:///tmp/a%20b/Hilfe%20%C3%BC%231%25.htm"},
        {"/tmp//x/../QuorvelHelp.htm", "file:///tmp/QuorvelHelp.htm"},
        {"file:///tmp/x.htm", "file:///tmp/x.htm"},
        {"https://example.org/help", "https://example.org/help"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TLinuxHtmlView::LocationToUrl(c.location), c.url) << c.location;
}

TEST(LinuxHtmlViewUrl, ARelativePathIsTakenFromTheCurrentDirectory)
{
    const std::string url = TLinuxHtmlView::LocationToUrl("QuorvelHelp/QuorvelHelp.htm");
    char* cwd = g_get_current_dir();
    gchar* expected = g_filename_to_uri((std::string(cwd) + "/QuorvelHelp/QuorvelHelp.htm").c_str(), nullptr, nullptr);
    EXPECT_EQ(url, expected);
    g_free(expected);
    g_free(cwd);
}

// A plain X window of a solid colour stands for the window the view lives in.
class LinuxHtmlView : public ::testing::Test {
protected:
    void SetUp() override
    {
#ifdef __SANITIZE_ADDRESS__
        // The engine's own threads, started in this process, make the leak checker's scan at
        // exit fail; the views are tested by the ordinary build.
        GTEST_SKIP() << "the web engine runs only in the ordinary build";
#endif
        ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no X display";
        FDisplay = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
        FParent = XCreateSimpleWindow(FDisplay, DefaultRootWindow(FDisplay), 0, 0, 320, 240, 0, 0, ParentColour);
        XMapWindow(FDisplay, FParent);
        XSync(FDisplay, False);
    }
    void TearDown() override
    {
        FView.reset();
        if (FDisplay && FParent)
            XDestroyWindow(FDisplay, FParent);
        Pump(std::chrono::milliseconds(50));
    }

    void Pump(std::chrono::milliseconds For)
    {
        const auto end = Clock::now() + For;
        while (Clock::now() < end)
            if (!g_main_context_iteration(nullptr, FALSE))
                g_usleep(2000);
    }

    // Loads Location and waits until the engine has finished and drawn; false on time-out.
    bool ShowPage(const std::string& Location)
    {
        FView = TLinuxHtmlView::Create(FParent);
        if (!FView)
            return false;
        FView->SetBounds({20, 30, 220, 180});
        FView->Show(true);
        EXPECT_TRUE(FView->Navigate(Location));
        const auto end = Clock::now() + std::chrono::seconds(20);
        while (FView->Busy() && Clock::now() < end)
            Pump(std::chrono::milliseconds(20));
        Pump(std::chrono::milliseconds(700));
        return !FView->Busy();
    }

    unsigned long PixelAt(int X, int Y)
    {
        XSync(FDisplay, False);
        XImage* image = XGetImage(FDisplay, DefaultRootWindow(FDisplay), X, Y, 1, 1, AllPlanes, ZPixmap);
        const unsigned long p = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        return p;
    }

    static std::string WritePage(const std::string& Path, const char* Colour)
    {
        std::ofstream(Path) << "<html><body style='margin:0;background:" << Colour << "'></body></html>";
        return Path;
    }

    static constexpr unsigned long ParentColour = 0xFF0000;
    Display* FDisplay = nullptr;
    Window FParent = 0;
    std::unique_ptr<TLinuxHtmlView> FView;
};

TEST_F(LinuxHtmlView, ShowsAPageInsideItsRectangleOnly)
{
    TTempDir dir;
    ASSERT_TRUE(ShowPage(WritePage(dir.Path() + "/page.htm", "#00ff00"))) << "the engine did not finish";
    EXPECT_FALSE(FView->Failed());
    EXPECT_EQ(PixelAt(100, 100), 0x00FF00u) << "inside the view";
    EXPECT_EQ(PixelAt(10, 10), ParentColour) << "outside the view";
    EXPECT_EQ(PixelAt(250, 200), ParentColour) << "outside the view";
}

TEST_F(LinuxHtmlView, AFolderWithBlanksAndLettersBeyondAsciiIsFound)
{
    TTempDir dir;
    const std::string folder = dir.Path() + "/Hilfe f\xC3\xBCr alle";
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    ASSERT_TRUE(ShowPage(WritePage(folder + "/page.htm", "#0000ff")));
    EXPECT_EQ(PixelAt(100, 100), 0x0000FFu);
}

TEST_F(LinuxHtmlView, AMissingPageEndsTheLoadWithTheEnginesOwnPage)
{
    TTempDir dir;
    ASSERT_TRUE(ShowPage(dir.Path() + "/QuorvelHelp/QuorvelHelp.htm"));
    EXPECT_FALSE(FView->Failed());
    EXPECT_NE(PixelAt(100, 100), ParentColour) << "the view shows something of its own";
}

TEST_F(LinuxHtmlView, HidingAndMovingFollowTheRequests)
{
    TTempDir dir;
    ASSERT_TRUE(ShowPage(WritePage(dir.Path() + "/page.htm", "#00ff00")));
    FView->SetBounds({150, 100, 300, 220});
    Pump(std::chrono::milliseconds(400));
    EXPECT_EQ(PixelAt(60, 60), ParentColour) << "the old place is uncovered";
    EXPECT_EQ(PixelAt(200, 150), 0x00FF00u) << "the new place shows the page";
    FView->Show(false);
    Pump(std::chrono::milliseconds(200));
    EXPECT_EQ(PixelAt(200, 150), ParentColour) << "a hidden view leaves the parent showing";
}

}  // namespace

namespace {

TEST(LinuxHtmlViewParent, NoViewForAnIdThatNamesNoWindow)
{
    ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no X display";
    for (unsigned long id : {0ul, 0x7FFFFFFul, 0xFFFFFFFFul})
        EXPECT_EQ(TLinuxHtmlView::Create(id), nullptr) << id;
}

}  // namespace
