#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/IShell.h"
#include "skin/TRzURLLabel.h"
#include "tests/skin/SkinFixture.h"

namespace {

// A desktop opener that records what it was asked to open and answers as told.
class TRecordingShell : public IShell {
public:
    bool Answer = true;
    std::vector<std::string> Opened;
    bool OpenDocument(const std::string& Address) override
    {
        Opened.push_back(Address);
        return Answer;
    }
};

}  // namespace

class RzURLLabelTest : public SkinTest {
protected:
    TRecordingShell Shell;
    TRzURLLabel* Link = nullptr;

    void SetUp() override
    {
        SkinTest::SetUp();
        Link = Add<TRzURLLabel>(Form, {20, 20, 120, 34});
        Link->SetCaption("https://quorvel.example/");
        ShowAndPaint(*Form);
    }

    void ClickWith(IShell* Opener)
    {
        Platform p = CurrentPlatform();
        p.Shell = Opener;
        ScopedPlatform scope(p);
        ClickAt({Link->Left() + 3, Link->Top() + 3});
    }
};

TEST_F(RzURLLabelTest, LooksLikeALink)
{
    EXPECT_EQ(Link->Font().Color(), clBlue);
    EXPECT_TRUE(Link->Font().Style() & fsUnderline);
    EXPECT_EQ(Link->Cursor(), crHandPoint);
    Screen.MouseMove(Window(), {Link->Left() + 3, Link->Top() + 3});
    App.ProcessMessages();
    EXPECT_EQ(Screen.Pointer(Window()), crHandPoint);
}

TEST_F(RzURLLabelTest, OpensTheAddressOrElseTheCaption)
{
    ClickWith(&Shell);
    Link->SetURL("file:///opt/quorvel/gallery.txt");
    ClickWith(&Shell);
    EXPECT_EQ(Shell.Opened, (std::vector<std::string>{"https://quorvel.example/", "file:///opt/quorvel/gallery.txt"}));
}

TEST_F(RzURLLabelTest, TakesTheVisitedColourOnlyAfterASuccessfulOpen)
{
    Shell.Answer = false;
    ClickWith(&Shell);
    EXPECT_EQ(Shell.Opened.size(), 1u);
    EXPECT_EQ(Link->Font().Color(), clBlue);
    ClickWith(nullptr);
    EXPECT_EQ(Link->Font().Color(), clBlue);
    Shell.Answer = true;
    ClickWith(&Shell);
    EXPECT_EQ(Link->Font().Color(), clPurple);
    EXPECT_TRUE(Link->Visited());
}
