#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "config/DialogSettings.h"
#include "config/FileUrl.h"
#include "config/TCppWebBrowser.h"
#include "config/TLMDColorComboBox.h"
#include "config/Unit2.h"
#include "framework/VirtualKeys.h"
#include "platform/core/Exception.h"
#include "platform/headless/HeadlessHtmlViews.h"
#include "skin/TRzURLLabel.h"
#include "skin/TsuiButton.h"
#include "skin/TsuiForm.h"
#include "skin/TsuiImagePanel.h"
#include "skin/TsuiPageControl.h"
#include "skin/TsuiRadioButton.h"
#include "skin/TsuiTabSheet.h"
#include "tests/framework/FrameworkFixture.h"
#include "tests/support/TempDir.h"

// The dialog on a headless screen, with settings that live in the test and HTML views that
// record their navigations. The stored motion is 0 unless a test says otherwise.
class SettingsDialog : public FrameworkTest {
protected:
    THeadlessHtmlViews Views;
    ScopedPlatform WithViews{ViewServices()};
    TDialogSettings Saved = DialogSettings();
    int32_t StoredStyle = 0;
    std::vector<int32_t> StylesWritten;
    std::vector<int32_t> ColoursWritten;
    bool StyleWritable = true;
    std::function<void(int32_t)> WriteColour = [this](int32_t c) { ColoursWritten.push_back(c); };

    void SetUp() override
    {
        DialogSettings().ReadStyle = [this] { return StoredStyle; };
        DialogSettings().WriteStyle = [this](int32_t v) {
            if (StyleWritable)
                StylesWritten.push_back(v);
            return StyleWritable;
        };
        DialogSettings().WriteClockColor = [this](int32_t c) { WriteColour(c); };
    }
    void TearDown() override { DialogSettings() = Saved; }

    TSettings* Open()
    {
        TSettings* dialog = App.CreateForm<TSettings>();
        ShowAndPaint(*dialog);
        return dialog;
    }

    void Key(TForm& Form, uint16_t Key, TShiftState Shift = 0)
    {
        Screen.KeyDown(Form.Handle(), Key, Shift);
        App.ProcessMessages();
    }

private:
    Platform ViewServices()
    {
        Platform p = CurrentPlatform();
        p.HtmlViews = &Views;
        return p;
    }
};

TEST_F(SettingsDialog, OpensOnTheSettingsPageWithNeitherMotionChecked)
{
    for (int32_t stored : {0, 1, 7}) {
        StoredStyle = stored;
        TSettings* d = Open();
        EXPECT_EQ(d->StyleValue, stored);
        EXPECT_FALSE(d->suiRadioButton1->Checked()) << stored;
        EXPECT_FALSE(d->suiRadioButton2->Checked()) << stored;
        EXPECT_EQ(d->suiPageControl1->ActivePage(), d->suiTabSheet1);
        EXPECT_EQ(d->Caption(), "Quorvel Screensaver 1.0");
        EXPECT_EQ(d->ClientWidth(), 329);
        EXPECT_EQ(d->ClientHeight(), 375);
        EXPECT_EQ(d->LMDColorComboBox1->GetSelectedColor(), -1);
        delete d;
    }
}

TEST_F(SettingsDialog, OkStoresTheCheckedMotionAndCloses)
{
    const struct { const char* checked; int32_t stored; } cases[] = {{"none", 1}, {"Center", 0}, {"Quorvel", 1}};
    for (const auto& c : cases) {
        StylesWritten.clear();
        TSettings* d = Open();
        if (std::string(c.checked) == "Center")
            d->suiRadioButton1->SetChecked(true);
        if (std::string(c.checked) == "Quorvel")
            d->suiRadioButton2->SetChecked(true);
        d->suiButton1Click(nullptr);
        EXPECT_EQ(StylesWritten, std::vector<int32_t>{c.stored}) << c.checked;
        EXPECT_TRUE(App.Terminated()) << c.checked << ": closing the main dialog ends the program";
        EXPECT_TRUE(Screen.ErrorBoxes().empty()) << c.checked;
        delete d;
        App.SetOnIdle(nullptr);
    }
}

// Where the motion cannot be saved at all, the dialog says so before it closes instead of
// closing as if it had saved.
TEST_F(SettingsDialog, OkThatCannotSaveSaysSoAndStillCloses)
{
    StyleWritable = false;
    TSettings* d = Open();
    d->suiButton1Click(nullptr);
    ASSERT_EQ(Screen.ErrorBoxes().size(), 1u);
    EXPECT_NE(Screen.ErrorBoxes()[0].Text.find("The clock motion could not be saved"), std::string::npos);
    EXPECT_TRUE(App.Terminated());
}

TEST_F(SettingsDialog, ChangeColourStoresTheChosenColourAndTheDialogStays)
{
    TSettings* d = Open();
    d->suiButton2Click(nullptr);
    TLMDColorComboBox* box = d->LMDColorComboBox1;
    for (int i = 0; i < box->ItemCount(); ++i)
        if (box->ItemCaption(i) == "Red")
            box->SetItemIndex(i);
    d->suiButton2Click(nullptr);
    EXPECT_EQ(ColoursWritten, (std::vector<int32_t>{-1, 255}));
    EXPECT_FALSE(App.Terminated());
    EXPECT_TRUE(d->Visible());
}

// An error of the colour's file is shown by the framework's handler of event errors; the
// dialog stays open for another try.
TEST_F(SettingsDialog, AColourThatCannotBeWrittenIsShownAndTheDialogStays)
{
    WriteColour = [](int32_t) { throw Exception("Unable to write to /opt/quorvel/Quorvel.ini"); };
    TSettings* d = Open();
    Screen.MouseDown(d->Handle(), TMouseButton::mbLeft, d->suiButton2->FormOrigin().Translated(5, 5));
    Screen.MouseUp(d->Handle(), TMouseButton::mbLeft, d->suiButton2->FormOrigin().Translated(5, 5));
    App.ProcessMessages();
    ASSERT_EQ(Screen.ErrorBoxes().size(), 1u);
    EXPECT_EQ(Screen.ErrorBoxes()[0].Text, "Unable to write to /opt/quorvel/Quorvel.ini.");
    EXPECT_FALSE(App.Terminated());
}

TEST_F(SettingsDialog, ALeftPressOnTheFrameDragsTheWindowAndARightPressDoesNot)
{
    TSettings* d = Open();
    const TPoint onFrame{100, 8};
    Screen.MouseDown(d->Handle(), TMouseButton::mbRight, onFrame, ssRight);
    App.ProcessMessages();
    EXPECT_EQ(Screen.MoveDrags(), 0);
    Screen.MouseUp(d->Handle(), TMouseButton::mbRight, onFrame);
    Screen.MouseDown(d->Handle(), TMouseButton::mbLeft, onFrame, ssLeft);
    App.ProcessMessages();
    EXPECT_EQ(Screen.MoveDrags(), 1);
}

// The help page is the current directory's, whatever the executable's, loaded when the dialog
// is made and again each time the Help page is entered.
TEST_F(SettingsDialog, TheHelpPageComesFromTheCurrentDirectoryAndLoadsOnEachEntry)
{
    TTempDir dir;
    dir.Write("Hilfe f\xC3\xBCr alle/QuorvelHelp/QuorvelHelp.htm", "<html></html>");
    TCurrentDirectory here(dir.File("Hilfe f\xC3\xBCr alle"));
    TSettings* d = Open();
    ASSERT_EQ(Views.Navigations.size(), 1u);
    const std::string page = Views.Navigations[0];
    EXPECT_EQ(page, TSettings::HelpPagePath());
    EXPECT_NE(page.find("Hilfe f\xC3\xBCr alle"), std::string::npos);
    EXPECT_EQ(page.substr(page.size() - 28), "/QuorvelHelp/QuorvelHelp.htm");

    Key(*d, VK_TAB, ssCtrl);
    EXPECT_EQ(d->suiPageControl1->ActivePage(), d->suiTabSheet2);
    EXPECT_EQ(Views.Navigations.size(), 2u) << "entering the Help page loads it again";
    EXPECT_TRUE(Views.LastVisible);
    Key(*d, VK_TAB, ssCtrl);
    EXPECT_EQ(d->suiPageControl1->ActivePage(), d->suiTabSheet3);
    EXPECT_FALSE(Views.LastVisible) << "the view goes with its page";
}

// The dialog waits for the view by handling messages, and gives up after its limit.
TEST_F(SettingsDialog, AViewThatNeverFinishesHoldsTheDialogOnlyForTheLimit)
{
    Views.BusyLooks = -1;
    const uint32_t start = Clock.TickCount();
    TSettings* d = Open();
    EXPECT_GE(Clock.TickCount() - start, TSettings::BrowserWaitLimit);
    EXPECT_LT(Clock.TickCount() - start, TSettings::BrowserWaitLimit + 100);
    EXPECT_TRUE(d->Visible());

    Views.BusyLooks = 3;
    const int before = Views.BusyQuestions;
    d->suiPageControl1MouseDown(nullptr, TMouseButton::mbRight, ssRight, 5, 5);
    EXPECT_GE(Views.BusyQuestions - before, 1);
}

TEST_F(SettingsDialog, WithoutAnHtmlViewTheHelpPageOffersThePageInTheBrowser)
{
    for (const bool available : {false, true}) {
        Views.Available = available;
        Views.NavigationsFail = true;
        TSettings* d = Open();
        Key(*d, VK_TAB, ssCtrl);
        EXPECT_FALSE(d->CppWebBrowser1->Visible()) << available;
        EXPECT_TRUE(d->HelpFallbackLabel->Showing()) << available;
        EXPECT_EQ(d->HelpPathLabel->Caption(), TSettings::HelpPagePath()) << available;
        EXPECT_EQ(d->HelpOpenLabel->URL(), FileUrlFromPath(TSettings::HelpPagePath())) << available;
        delete d;
    }
}

TEST_F(SettingsDialog, TheAboutPageShowsTheBannerAndTheIconAtTheirSizes)
{
    TSettings* d = Open();
    EXPECT_EQ(d->suiImagePanel1->Picture().Width(), 275);
    EXPECT_EQ(d->suiImagePanel1->Picture().Height(), 67);
    EXPECT_EQ(d->Image1->Picture().Width(), 48);
    EXPECT_EQ(d->Image1->Picture().Pixel(0, 0), 0xFFFFFFu) << "the icon's corner shows the white page";
}

TEST(FileUrl, PathsBecomeEscapedFileUrls)
{
    const struct { const char* path; const char* url; } cases[] = {
        {"/usr/share/quorvel/QuorvelHelp/QuorvelHelp.htm", "file:///usr/share/quorvel/QuorvelHelp/QuorvelHelp.htm"},
        {"C:\\Windows\\system32/QuorvelHelp/QuorvelHelp.htm", "file:///C:/Windows/system32/QuorvelHelp/QuorvelHelp.htm"},
        {"/tmp/a b/\xC3\xBC#?%.htm", "file:///tmp/a%20b/%C3%BC%23%3F%25.htm"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileUrlFromPath(c.path), c.url) << c.path;
}
