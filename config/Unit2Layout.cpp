// The settings dialog's stored layout: its elements in creation order with their positions,
// texts and looks, and the handlers joined to their events.

#include "config/TCppWebBrowser.h"
#include "config/TLMDColorComboBox.h"
#include "config/Unit2.h"
#include "framework/Layout.h"
#include "platform/gfx/FontSpec.h"
#include "skin/SkinFonts.h"
#include "skin/TRzURLLabel.h"
#include "skin/TsuiButton.h"
#include "skin/TsuiForm.h"
#include "skin/TsuiImagePanel.h"
#include "skin/TsuiPageControl.h"
#include "skin/TsuiPanel.h"
#include "skin/TsuiRadioButton.h"
#include "skin/TsuiTabSheet.h"

namespace {

constexpr TColor FaceColor = 0x00E7E7E7;
constexpr const char* Caption = "Quorvel Screensaver 1.0";

template <class T>
auto Bounds(int32_t Left, int32_t Top, int32_t Width, int32_t Height)
{
    return [=](T& c) { c.SetBounds(Left, Top, Width, Height); };
}

template <class T>
auto Hint(const char* Text)
{
    return [=](T& c) {
        c.SetHint(Text);
        c.SetShowHint(true);
    };
}

template <class T>
auto Font(const std::string& Face, int32_t Height, uint8_t Style, TColor Color)
{
    return [=](T& c) {
        c.Font().SetName(Face);
        c.Font().SetHeight(Height);
        c.Font().SetStyle(Style);
        c.Font().SetColor(Color);
    };
}

// A label of the About page: its own size, no growing with its text, over the white page.
template <class T>
auto FixedLabel(const std::string& Text)
{
    return [=](T& c) {
        c.SetAutoSize(false);
        c.SetTransparent(true);
        c.SetCaption(Text);
    };
}

TLayout<TSettings> FrameRows()
{
    return {
        Self<TSettings>({
            Set(&TForm::SetBorderStyle, TFormBorderStyle::bsNone),
            [](TSettings& f) { f.SetBounds(283, 201, 329, 375); },
            Set(&TForm::SetCaption, std::string(Caption)),
        }),
        Element(&TSettings::suiForm1, "suiForm1", "", {
            Bounds<TsuiForm>(0, 0, 329, 375),
            Set(&TsuiWinControl::SetCaption, std::string(Caption)),
            Set(&TsuiForm::SetBorderColor, TColor(0x007F7F7F)),
            [](TsuiForm& f) {
                f.SetColor(FaceColor);
                f.TitleFont().SetName(SkinFaceName());
                f.TitleFont().SetStyle(fsBold);
                f.TitleFont().SetHeight(11);
            },
        }),
        Element(&TSettings::suiPageControl1, "suiPageControl1", "suiForm1", {
            Bounds<TsuiPageControl>(8, 56, 313, 289),
            Set(&TsuiPageControl::SetTabMargin, 10),
        }),
    };
}

TLayoutElement<TSettings> Page(TsuiTabSheet* TSettings::*Field, const char* Name, const char* Tab, TColor Color,
                               bool Active)
{
    return Element(Field, Name, "suiPageControl1", {
        Bounds<TsuiTabSheet>(3, 37, 307, 249),
        Set(&TsuiWinControl::SetCaption, std::string(Tab)),
        [=](TsuiTabSheet& p) {
            p.SetParentColor(false);
            p.SetColor(Color);
            p.SetVisible(Active);
            p.SetEnabled(Active);
        },
    });
}

TLayoutElement<TSettings> RadioRow(TsuiRadioButton* TSettings::*Field, const char* Name, int32_t Left, int32_t Width,
                                   const char* Text, const char* HintText)
{
    return Element(Field, Name, "suiPanel1", {
        Bounds<TsuiRadioButton>(Left, 40, Width, 21),
        Set(&TsuiWinControl::SetCaption, std::string(Text)),
        Hint<TsuiRadioButton>(HintText),
        Set(&TControl::SetCursor, crCross),
    });
}

TLayout<TSettings> SettingsPageRows()
{
    return {
        Page(&TSettings::suiTabSheet1, "suiTabSheet1", "Settings", FaceColor, true),
        Element(&TSettings::suiPanel1, "suiPanel1", "suiTabSheet1", {
            Bounds<TsuiPanel>(8, 24, 289, 80),
            Set(&TsuiWinControl::SetCaption, std::string("Change the Clock Motion")),
            Set(&TsuiPanel::SetCaptionFontColor, clWhite),
        }),
        RadioRow(&TSettings::suiRadioButton1, "suiRadioButton1", 48, 55, "Center",
                 "keeps the Clock in the center of the screen (no Motion)"),
        RadioRow(&TSettings::suiRadioButton2, "suiRadioButton2", 176, 81, "Quorvel",
                 "the Clock will fly randomly on within the screen"),
        Element(&TSettings::suiPanel2, "suiPanel2", "suiTabSheet1", {
            Bounds<TsuiPanel>(8, 136, 289, 80),
            Set(&TsuiWinControl::SetCaption, std::string("Change the Clock Color")),
            Set(&TsuiPanel::SetCaptionFontColor, clWhite),
        }),
        Element(&TSettings::LMDColorComboBox1, "LMDColorComboBox1", "suiPanel2", {
            Bounds<TLMDColorComboBox>(16, 39, 121, 21),
            Hint<TLMDColorComboBox>("choose a Color for the Clock"),
            Set(&TControl::SetColor, clMenu),
        }),
        Element(&TSettings::suiButton2, "suiButton2", "suiPanel2", {
            Bounds<TsuiButton>(152, 40, 112, 20),
            Set(&TsuiWinControl::SetCaption, std::string("Change Colour")),
            Set(&TControl::SetCursor, crCross),
        }),
    };
}

TLayout<TSettings> HelpPageRows()
{
    const std::string face = SkinFaceName();
    return {
        Page(&TSettings::suiTabSheet2, "suiTabSheet2", "Help", FaceColor, false),
        Element(&TSettings::CppWebBrowser1, "CppWebBrowser1", "suiTabSheet2", {Bounds<TCppWebBrowser>(0, 0, 307, 249)}),
        Element(&TSettings::HelpFallbackLabel, "HelpFallbackLabel", "suiTabSheet2", {
            Bounds<TLabel>(12, 16, 283, 14),
            FixedLabel<TLabel>("The help cannot be shown here. It is the page"),
            Font<TLabel>(face, 11, 0, clBlack),
            Set(&TControl::SetVisible, false),
        }),
        Element(&TSettings::HelpPathLabel, "HelpPathLabel", "suiTabSheet2", {
            Bounds<TLabel>(12, 36, 283, 14),
            FixedLabel<TLabel>(""),
            Font<TLabel>(face, 11, fsBold, clBlack),
            Set(&TControl::SetVisible, false),
        }),
        Element(&TSettings::HelpOpenLabel, "HelpOpenLabel", "suiTabSheet2", {
            Bounds<TRzURLLabel>(12, 62, 283, 14),
            FixedLabel<TRzURLLabel>("Open the help in your web browser"),
            Font<TRzURLLabel>(face, 11, fsUnderline, clBlue),
            Set(&TControl::SetVisible, false),
        }),
    };
}

TLayout<TSettings> AboutPageRows()
{
    const std::string face = SkinFaceName();
    return {
        Page(&TSettings::suiTabSheet3, "suiTabSheet3", "About", clWhite, false),
        Element(&TSettings::suiImagePanel1, "suiImagePanel1", "suiTabSheet3", {
            Bounds<TsuiImagePanel>(8, 0, 280, 73),
            Set(&TsuiImagePanel::SetTransparent, true),
        }),
        Element(&TSettings::Image1, "Image1", "suiTabSheet3", {
            Bounds<TsuiImagePanel>(128, 80, 49, 49),
            Set(&TsuiImagePanel::SetTransparent, true),
        }),
        Element(&TSettings::Label5, "Label5", "suiTabSheet3", {
            Bounds<TLabel>(62, 136, 173, 13),
            FixedLabel<TLabel>("Quorvel Screensaver \xC2\xA9 1.0"),
            Font<TLabel>(face, 11, fsBold, clBlack),
        }),
        Element(&TSettings::Label2, "Label2", "suiTabSheet3", {
            Bounds<TLabel>(62, 152, 173, 13),
            FixedLabel<TLabel>("Copyright \xC2\xA9 2026 Kestrune"),
            Font<TLabel>(face, 11, 0, clBlack),
        }),
        Element(&TSettings::Label4, "Label4", "suiTabSheet3", {
            Bounds<TLabel>(98, 182, 106, 14),
            FixedLabel<TLabel>("by the Quorvel team"),
            Font<TLabel>("Tw Cen MT", 12, 0, clBlack),
        }),
        Element(&TSettings::RzURLLabel1, "RzURLLabel1", "suiTabSheet3", {
            Bounds<TRzURLLabel>(76, 195, 159, 14),
            FixedLabel<TRzURLLabel>("Visit the Kestrune web site"),
            Font<TRzURLLabel>("Arial", 11, fsUnderline, clBlue),
            Set(&TRzURLLabel::SetURL, std::string(QUORVEL_MAKER_URL)),
        }),
    };
}

TLayoutElement<TSettings> OkButtonRow()
{
    return Element(&TSettings::suiButton1, "suiButton1", "suiForm1", {
        Bounds<TsuiButton>(236, 350, 85, 20),
        Set(&TsuiWinControl::SetCaption, std::string("OK")),
        Hint<TsuiButton>("Save and quit"),
        Set(&TControl::SetCursor, crCross),
    });
}

TLayout<TSettings> DialogLayout()
{
    TLayout<TSettings> layout = FrameRows();
    for (auto* part : {&SettingsPageRows, &HelpPageRows, &AboutPageRows})
        for (auto& row : (*part)())
            layout.push_back(std::move(row));
    layout.push_back(OkButtonRow());
    return layout;
}

}  // namespace

void TSettings::LoadLayoutAndHandlers()
{
    LoadLayout(*this, DialogLayout());
    OnCreate = [this](TObject* s) { FormCreate(s); };
    suiTabSheet2->OnEnter = [this](TObject* s) { suiTabSheet2Enter(s); };
    suiButton1->OnClick = [this](TObject* s) { suiButton1Click(s); };
    suiButton2->OnClick = [this](TObject* s) { suiButton2Click(s); };
    suiForm1->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { suiForm1MouseDown(s, b, sh, x, y); };
    suiForm1->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { suiForm1MouseMove(s, sh, x, y); };
    suiPageControl1->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        suiPageControl1MouseDown(s, b, sh, x, y);
    };
}
