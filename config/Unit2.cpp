#include "config/Unit2.h"

#include <filesystem>

#include "assets/EmbeddedAssets.h"
#include "config/DialogSettings.h"
#include "config/FileUrl.h"
#include "config/TCppWebBrowser.h"
#include "config/TLMDColorComboBox.h"
#include "framework/Application.h"
#include "framework/Message.h"
#include "platform/IClock.h"
#include "platform/Platform.h"
#include "platform/core/Exception.h"
#include "platform/gfx/IImageDecoder.h"
#include "platform/gfx/IconImage.h"
#include "skin/TRzURLLabel.h"
#include "skin/TsuiForm.h"
#include "skin/TsuiImagePanel.h"
#include "skin/TsuiPageControl.h"
#include "skin/TsuiRadioButton.h"
#include "skin/TsuiTabSheet.h"

TSettings::TSettings(TComponent* Owner) : TForm(Owner)
{
    LoadLayoutAndHandlers();
    LoadPictures();
    StyleValue = DialogSettings().ReadStyle();
    // The stored motion is not shown: both radio buttons stay unchecked whatever it is.
    suiPageControl1->SetActivePage(suiTabSheet1);
}

void TSettings::SetVisible(bool Value)
{
    TForm::SetVisible(Value);
    if (Value && !FocusedControl())
        SelectFirst();
}

std::string TSettings::HelpPagePath()
{
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    const std::u8string text = error ? std::u8string() : current.u8string();
    std::string folder(text.begin(), text.end());
    while (!folder.empty() && (folder.back() == '/' || folder.back() == '\\'))
        folder.pop_back();
    return folder + "/QuorvelHelp/QuorvelHelp.htm";
}

void TSettings::FormCreate(TObject*) { LoadHelpPage(); }

void TSettings::suiTabSheet2Enter(TObject*) { LoadHelpPage(); }

void TSettings::LoadHelpPage()
{
    const std::string path = HelpPagePath();
    CppWebBrowser1->Navigate(path);
    WaitWhileBrowserBusy();
    ShowHelpFallback(CppWebBrowser1->Failed(), path);
}

// Waits for the view by handling messages, so the dialog stays alive meanwhile, with a pause
// between looks and a limit: a view that never finishes must not hold the dialog for ever.
void TSettings::WaitWhileBrowserBusy()
{
    IClock* clock = CurrentPlatform().Clock;
    const uint32_t start = clock->TickCount();
    while (CppWebBrowser1->Busy() && clock->TickCount() - start < BrowserWaitLimit) {
        Application().ProcessMessages();
        clock->Sleep(10);
    }
}

void TSettings::ShowHelpFallback(bool Show, const std::string& Path)
{
    CppWebBrowser1->SetVisible(!Show);
    HelpFallbackLabel->SetVisible(Show);
    HelpPathLabel->SetVisible(Show);
    HelpOpenLabel->SetVisible(Show);
    if (!Show)
        return;
    HelpPathLabel->SetCaption(Path);
    HelpOpenLabel->SetURL(FileUrlFromPath(Path));
}

void TSettings::suiButton1Click(TObject*)
{
    StyleValue = suiRadioButton1->Checked() ? 0 : 1;
    if (!DialogSettings().WriteStyle(StyleValue))
        Application().ShowException(
            "The clock motion could not be saved: the settings of this computer could not be opened for writing");
    Close();
}

void TSettings::suiButton2Click(TObject*) { DialogSettings().WriteClockColor(LMDColorComboBox1->GetSelectedColor()); }

// A press of the left button anywhere on the frame or the page control's own surface lets the
// window system move the window with the pointer until the button is released.
void TSettings::DragRule(TShiftState Shift)
{
    if (!(Shift & ssLeft))
        return;
    ReleaseCapture();
    Perform(WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void TSettings::suiForm1MouseDown(TObject*, TMouseButton, TShiftState Shift, int, int) { DragRule(Shift); }

void TSettings::suiForm1MouseMove(TObject*, TShiftState Shift, int, int) { DragRule(Shift); }

void TSettings::suiPageControl1MouseDown(TObject*, TMouseButton, TShiftState Shift, int, int)
{
    DragRule(Shift);
    WaitWhileBrowserBusy();
}

// The banner and the icon are compiled into the program; a picture that cannot be read leaves
// its place empty rather than keeping the dialog from opening.
void TSettings::LoadPictures()
{
    TBitmap picture;
    if (IImageDecoder* images = CurrentPlatform().Images)
        try {
            const TEmbeddedAsset banner = AboutBannerJpeg();
            images->LoadJpegData("AboutBanner.jpg", banner.Data, banner.Size, picture);
            suiImagePanel1->SetPicture(picture);
        } catch (const Exception&) {
        }
    const TEmbeddedAsset icon = ProgramIcon();
    if (DecodeIconImage(icon.Data, icon.Size, 48, 0x00FFFFFF, picture))
        Image1->SetPicture(picture);
}
