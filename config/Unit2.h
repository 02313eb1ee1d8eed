#pragma once
#include <cstdint>
#include <string>

#include "framework/Form.h"
#include "framework/Label.h"

class TsuiForm;
class TsuiPageControl;
class TsuiTabSheet;
class TsuiPanel;
class TsuiRadioButton;
class TsuiButton;
class TsuiImagePanel;
class TRzURLLabel;
class TLMDColorComboBox;
class TCppWebBrowser;

// The settings dialog: the clock motion and colour on the Settings page, the help page in an
// HTML view on the Help page, and the About page. "Change Colour" saves the colour at once;
// "OK" saves the motion and ends the program; closing it otherwise saves nothing more.
class TSettings : public TForm {
public:
    explicit TSettings(TComponent* Owner);
    // Shown, the dialog puts the keyboard focus on its first control, so that the keyboard
    // works at once (Tab, Ctrl+Tab, Space).
    void SetVisible(bool Value) override;

    // The motion: read when the dialog is made, set by "OK" before it is written.
    int32_t StyleValue = 0;

    // The elements of the stored layout.
    TsuiForm* suiForm1 = nullptr;
    TsuiPageControl* suiPageControl1 = nullptr;
    TsuiTabSheet* suiTabSheet1 = nullptr;
    TsuiPanel* suiPanel1 = nullptr;
    TsuiRadioButton* suiRadioButton1 = nullptr;
    TsuiRadioButton* suiRadioButton2 = nullptr;
    TsuiPanel* suiPanel2 = nullptr;
    TLMDColorComboBox* LMDColorComboBox1 = nullptr;
    TsuiButton* suiButton2 = nullptr;
    TsuiTabSheet* suiTabSheet2 = nullptr;
    TCppWebBrowser* CppWebBrowser1 = nullptr;
    TsuiTabSheet* suiTabSheet3 = nullptr;
    TsuiImagePanel* suiImagePanel1 = nullptr;
    TsuiImagePanel* Image1 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label4 = nullptr;
    TRzURLLabel* RzURLLabel1 = nullptr;
    TsuiButton* suiButton1 = nullptr;
    // What the Help page shows where no HTML view can show the page: a sentence, the page's
    // path and a link that opens it in the system's browser.
    TLabel* HelpFallbackLabel = nullptr;
    TLabel* HelpPathLabel = nullptr;
    TRzURLLabel* HelpOpenLabel = nullptr;

    // Handlers.
    void FormCreate(TObject* Sender);
    void suiTabSheet2Enter(TObject* Sender);
    void suiButton1Click(TObject* Sender);
    void suiButton2Click(TObject* Sender);
    void suiForm1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void suiForm1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void suiPageControl1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

    // The help page: the process's current directory followed by "/QuorvelHelp/QuorvelHelp.htm".
    static std::string HelpPagePath();
    // How long the dialog waits for the HTML view to finish loading, in milliseconds.
    static constexpr uint32_t BrowserWaitLimit = 5000;

private:
    void LoadLayoutAndHandlers();
    void LoadHelpPage();
    void WaitWhileBrowserBusy();
    void ShowHelpFallback(bool Show, const std::string& Path);
    void DragRule(TShiftState Shift);
    void LoadPictures();
};
