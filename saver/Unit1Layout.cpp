// The saver window's stored layout: the elements in their creation order, which is also their
// drawing order, so the date, the bars and the labels lie on top of the clock face.

#include "framework/Label.h"
#include "framework/Layout.h"
#include "saver/Unit1.h"
#include "sysinfo/LMDSysInfo.h"
#include "widgets/TLMDBackPanel.h"
#include "widgets/TLMDClock.h"
#include "widgets/TVrLedClock.h"
#include "widgets/TVrLevelBar.h"
#include "widgets/TVrTimer.h"

namespace {

constexpr TColor StoredColor = clFuchsia;   // replaced by the clock colour when the window is made
constexpr const char* Panel = "LMDBackPanel1";

TLayoutElement<TForm1> ClockRow()
{
    return Element(&TForm1::VrLedClock1, "VrLedClock1", Panel, {
        [](TVrLedClock& c) { c.SetBounds(4, 0, 433, 409); },
        Set(&TVrLedClock::SetThreaded, true),
        Set(&TVrLedClock::SetActive, true),
        Set(&TVrLedClock::SetHourFormat, TVrHourFormat::hfmt24h),
        Set(&TVrLedClock::SetLedSize, 6),
        Set(&TVrLedClock::SetSpacing, 20),
        Set(&TVrLedClock::SetTextOffsetX, 20),
        Set(&TVrLedClock::SetTextOffsetY, -75),
        Set(&TVrLedClock::SetTextAngle, 0),
        Set(&TVrLedClock::SetTransparent, true),
        Set(&TVrLedClock::SetHoursColor, StoredColor),
        Set(&TVrLedClock::SetHoursOutline, StoredColor),
        Set(&TVrLedClock::SetSecHandColor, StoredColor),
        Set(&TVrLedClock::SetSecOutline, StoredColor),
        Set(&TVrLedClock::SetTickColor, StoredColor),
        Set(&TVrLedClock::SetTickOutline, StoredColor),
        Set(&TVrLedClock::SetHours, TVrHoursInt(11)),
        Set(&TVrLedClock::SetMinutes, TVrMinutesInt(10)),
        Set(&TVrLedClock::SetSeconds, TVrSecondsInt(50)),
    });
}

TLayoutElement<TForm1> DateRow()
{
    return Element(&TForm1::LMDClock2, "LMDClock2", Panel, {
        [](TLMDClock& c) { c.SetBounds(126, 170, 182, 17); },
        Set(&TLMDClock::SetMode, cmDate),
        Set(&TLMDClock::SetDigitalOnly, true),
        [](TLMDClock& c) { c.Bevel().SetMode(bmCustom); },
        Set(&TLMDClock::SetTransparent, false),
        [](TLMDClock& c) {
            TLMDLED& led = c.Digital();
            led.SetHorzsize(9);
            led.SetVertsize(5);
            led.SetThickness(1);
            led.SetActiveColor(StoredColor);
            led.SetInActiveColor(clMaroon);
        },
        Set(&TLMDClock::SetCustomDateTimeFormat, std::string("hh:nn:ss")),
    });
}

// A bar of the system monitor: horizontal, 105 x 8, green, olive and maroon zones, and a frame
// of two black rings.
TLayoutElement<TForm1> BarRow(TVrLevelBar* TForm1::*Field, const char* Name, int32_t Top, int32_t MaxValue)
{
    return Element(Field, Name, Panel, {
        [Top](TVrLevelBar& b) { b.SetBounds(192, Top, 105, 8); },
        Set(&TVrLevelBar::SetOrientation, voHorizontal),
        Set(&TVrLevelBar::SetMaxValue, MaxValue),
        [](TVrLevelBar& b) {
            b.Palette1().SetLow(clGreen);
            b.Palette1().SetHigh(clLime);
            b.Palette2().SetLow(clOlive);
            b.Palette2().SetHigh(clYellow);
            b.Palette3().SetLow(clMaroon);
            b.Palette3().SetHigh(clRed);
            TVrBevel& bevel = b.Bevel();
            bevel.SetInnerStyle(bsNone);
            bevel.SetOuterStyle(bsNone);
            bevel.SetOuterOutline(osOuter);
            bevel.SetInnerWidth(2);
            bevel.SetInnerSpace(1);
            bevel.SetInnerColor(clBlack);
            bevel.SetInnerShadow(clBtnShadow);
            bevel.SetOuterShadow(clBtnShadow);
            bevel.SetInnerHighlight(clBtnHighlight);
            bevel.SetOuterHighlight(clBtnHighlight);
        },
    });
}

// A text label on the panel; a value label starts with its own name as its text.
TLayoutElement<TForm1> LabelRow(TLabel* TForm1::*Field, const char* Name, int32_t Left, int32_t Top,
                                std::string Caption = {})
{
    if (Caption.empty())
        Caption = Name;
    return Element(Field, Name, Panel, {
        [Left, Top](TLabel& l) { l.SetBounds(Left, Top, l.Width(), 14); },
        [](TLabel& l) {
            l.Font().SetName("Tw Cen MT");
            l.Font().SetHeight(11);
            l.Font().SetCharset(AnsiCharset);
            l.Font().SetStyle(0);
            l.Font().SetColor(StoredColor);
        },
        Set(&TLabel::SetTransparent, true),
        Set(&TLabel::SetAutoSize, true),
        [Caption](TLabel& l) { l.SetCaption(Caption); },
    });
}

}  // namespace

void TForm1::LoadStoredLayout()
{
    LoadLayout(*this, TLayout<TForm1>{
        Self<TForm1>({
            Set(&TForm::SetBorderStyle, TFormBorderStyle::bsNone),
            Set(&TControl::SetColor, clBlack),
            Set(&TControl::SetLeft, 381),
            Set(&TControl::SetTop, 416),
            Set(&TForm::SetClientWidth, 444),
            Set(&TForm::SetClientHeight, 427),
        }),
        Element(&TForm1::LMDBackPanel1, Panel, "", {
            [](TLMDBackPanel& p) { p.SetBounds(-8, 0, 441, 417); },
            Set(&TControl::SetColor, clBlack),
            Set(&TLMDBackPanel::SetTransparent, true),
            [](TLMDBackPanel& p) { p.Bevel().SetMode(bmCustom); },
        }),
        ClockRow(),
        DateRow(),
        BarRow(&TForm1::VrLevelBar1, "VrLevelBar1", 256, 100),
        BarRow(&TForm1::VrLevelBar2, "VrLevelBar2", 208, 100),
        BarRow(&TForm1::VrLevelBar3, "VrLevelBar3", 272, 4000),
        LabelRow(&TForm1::Label1, "Label1", 304, 254),
        LabelRow(&TForm1::Label2, "Label2", 304, 208),
        LabelRow(&TForm1::Label3, "Label3", 304, 270),
        LabelRow(&TForm1::Label4, "Label4", 88, 254, "Physical Memory Free"),
        LabelRow(&TForm1::Label5, "Label5", 118, 206, "Total CPU Load"),
        LabelRow(&TForm1::Label6, "Label6", 94, 270, "Processor Frequence"),
        LabelRow(&TForm1::Label7, "Label7", 88, 222, "Total Physical Memory"),
        BarRow(&TForm1::VrLevelBar4, "VrLevelBar4", 224, 10000000),
        LabelRow(&TForm1::Label8, "Label8", 304, 222),
        LabelRow(&TForm1::Label9, "Label9", 75, 238, "Physical Memory Loaded"),
        BarRow(&TForm1::VrLevelBar5, "VrLevelBar5", 240, 100),
        LabelRow(&TForm1::Label10, "Label10", 304, 238),
        LabelRow(&TForm1::Label11, "Label11", 132, 321, "Processor Number: "),
        LabelRow(&TForm1::Label12, "Label12", 144, 308, "Processor Type: "),
        LabelRow(&TForm1::Label13, "Label13", 224, 308),
        LabelRow(&TForm1::Label14, "Label14", 240, 321),
        LabelRow(&TForm1::Label15, "Label15", 166, 334, "IP Address: "),
        LabelRow(&TForm1::Label16, "Label16", 224, 334),
        LabelRow(&TForm1::Label17, "Label17", 164, 347, "Host Name: "),
        LabelRow(&TForm1::Label18, "Label18", 224, 347),
        LabelRow(&TForm1::Label19, "Label19", 164, 295, "CPU Name: "),
        LabelRow(&TForm1::Label20, "Label20", 224, 295),
        Element(&TForm1::VrTimer1, "VrTimer1", "", {
            Set(&TVrTimer::SetInterval, uint32_t(500)),
            [this](TVrTimer& t) { t.SetOnTimer([this](TObject* Sender) { VrTimer1Timer(Sender); }); },
        }),
    });
    // The system-information component identifies the processor as it is made.
    FSysInfo = std::make_unique<TLMDSysInfo>();
    LMDSysInfo1 = FSysInfo.get();
}
