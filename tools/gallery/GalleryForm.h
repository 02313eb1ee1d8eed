#pragma once
#include <string>

#include "framework/Form.h"

class TsuiForm;
class TsuiPageControl;
class TsuiPanel;
class TsuiButton;
class TRzURLLabel;

// One window with every skinned control in its states, and the colour chooser: the settings
// dialog's pages on the left, the controls one by one on the right.
class TGalleryForm : public TForm {
public:
    explicit TGalleryForm(TComponent* Owner);

    TsuiForm* Frame() const { return FFrame; }
    TsuiPageControl* Pages() const { return FPages; }
    // The address of the text file beside the executable that the link opens.
    static std::string GalleryFileAddress();

private:
    void BuildPages();
    void BuildSettingsPage(TWinControl* Page);
    void BuildAboutPage(TWinControl* Page);
    void BuildRightColumn();
    TsuiPanel* Panel(TWinControl* Parent, const std::string& Caption, TRect Bounds);
    TsuiButton* Button(TWinControl* Parent, const std::string& Caption, TRect Bounds);
    // Lets the user drag the window by any press of the left button on Sender's own surface.
    void DragRule(TShiftState Shift);

    TsuiForm* FFrame = nullptr;
    TsuiPageControl* FPages = nullptr;
};
