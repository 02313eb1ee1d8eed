#include "tools/gallery/GalleryForm.h"

#include <algorithm>

#include "config/TLMDColorComboBox.h"
#include "framework/Label.h"
#include "framework/Message.h"
#include "platform/INativeWindows.h"
#include "platform/IProcessInfo.h"
#include "platform/Platform.h"
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

constexpr int32_t FormWidth = 660;
constexpr int32_t FormHeight = 436;

template <class T>
T* Make(TComponent* Owner, TWinControl* Parent, TRect Bounds)
{
    auto* c = new T(Owner);
    c->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
    c->SetParent(Parent);
    return c;
}

// A picture for the picture panels: a blue band with a row of green LED dots, made with the
// program's own canvas.
void DrawBanner(TBitmap& Picture, int32_t Width, int32_t Height)
{
    Picture.SetSize(Width, Height);
    TCanvas& c = Picture.Canvas();
    for (int32_t y = 0; y < Height; ++y) {
        const int shade = 0x30 + 0x50 * y / std::max(1, Height - 1);
        c.Brush().Color = static_cast<TColor>(0x20 | (shade << 8) | ((shade + 0x40) << 16));
        c.FillRect({0, y, Width, y + 1});
    }
    c.Pen().Color = 0x0030C040;
    c.Brush().Color = 0x005AE03C;
    for (int32_t x = 6; x + 8 <= Width; x += 12)
        c.Ellipse({x, Height / 2 - 4, x + 8, Height / 2 + 4});
}

TLabel* Text(TComponent* Owner, TWinControl* Parent, TPoint At, const std::string& Caption)
{
    auto* label = new TLabel(Owner);
    label->SetTransparent(true);
    label->Font().SetName(SkinFaceName());
    label->SetLeft(At.X);
    label->SetTop(At.Y);
    label->SetCaption(Caption);
    label->SetParent(Parent);
    return label;
}

}  // namespace

TGalleryForm::TGalleryForm(TComponent* Owner) : TForm(Owner)
{
    SetBorderStyle(TFormBorderStyle::bsNone);
    SetCaption("Quorvel control gallery");
    const TRect screen = CurrentPlatform().Windows ? CurrentPlatform().Windows->ScreenRect() : TRect{0, 0, 1024, 768};
    SetBounds(std::max(0, (screen.Width() - FormWidth) / 2), std::max(0, (screen.Height() - FormHeight) / 2), FormWidth,
              FormHeight);
    FFrame = Make<TsuiForm>(this, this, {0, 0, FormWidth, FormHeight});
    FFrame->SetCaption(Caption());
    FFrame->OnMouseDown = [this](TObject*, TMouseButton, TShiftState Shift, int, int) { DragRule(Shift); };
    FFrame->OnMouseMove = [this](TObject*, TShiftState Shift, int, int) { DragRule(Shift); };
    BuildPages();
    BuildRightColumn();

    auto* link = Make<TRzURLLabel>(this, FFrame, TRect::FromSize(12, FormHeight - 28, 160, 14));
    link->SetCaption("Open gallery.txt beside the program");
    link->Font().SetName(SkinFaceName());
    link->SetURL(GalleryFileAddress());
    auto* close = Button(FFrame, "Close", TRect::FromSize(FormWidth - 93, FormHeight - 30, 85, 20));
    close->OnClick = [this](TObject*) { Close(); };
    close->SetHint("Close the gallery");
    link->SetHint(link->URL());
}

std::string TGalleryForm::GalleryFileAddress()
{
    IProcessInfo* process = CurrentPlatform().Process;
    std::string path = (process ? process->ExecutableDirectory() : std::string()) + "gallery.txt";
    std::replace(path.begin(), path.end(), '\\', '/');
    return (path.empty() || path[0] != '/' ? "file:///" : "file://") + path;
}

void TGalleryForm::DragRule(TShiftState Shift)
{
    if (!(Shift & ssLeft))
        return;
    ReleaseCapture();
    Perform(WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

TsuiPanel* TGalleryForm::Panel(TWinControl* Parent, const std::string& Caption, TRect Bounds)
{
    auto* panel = Make<TsuiPanel>(this, Parent, Bounds);
    panel->SetParentColor(false);
    panel->SetColor(clWhite);
    panel->SetCaption(Caption);
    return panel;
}

TsuiButton* TGalleryForm::Button(TWinControl* Parent, const std::string& Caption, TRect Bounds)
{
    auto* button = Make<TsuiButton>(this, Parent, Bounds);
    button->SetCaption(Caption);
    button->SetCursor(crCross);
    return button;
}

void TGalleryForm::BuildPages()
{
    FPages = Make<TsuiPageControl>(this, FFrame, TRect::FromSize(8, 34, 313, 289));
    FPages->OnMouseDown = [this](TObject*, TMouseButton, TShiftState Shift, int, int) { DragRule(Shift); };
    const char* captions[] = {"Settings", "Help", "About"};
    TsuiTabSheet* pages[3] = {};
    for (int i = 0; i < 3; ++i) {
        pages[i] = new TsuiTabSheet(this);
        pages[i]->SetCaption(captions[i]);
        pages[i]->SetPageControl(FPages);
    }
    BuildSettingsPage(pages[0]);
    Text(this, pages[1], {12, 12}, "The help page shows here.");
    Button(pages[1], "Back", TRect::FromSize(12, 36, 85, 20))->OnClick = [this](TObject*) {
        FPages->SetActivePageIndex(0);
    };
    BuildAboutPage(pages[2]);
    FPages->SetActivePageIndex(0);
}

void TGalleryForm::BuildSettingsPage(TWinControl* Page)
{
    TsuiPanel* motion = Panel(Page, "Change the Clock Motion", TRect::FromSize(8, 24, 289, 80));
    auto* center = Make<TsuiRadioButton>(this, motion, TRect::FromSize(48, 40, 55, 21));
    center->SetCaption("Center");
    center->SetCursor(crCross);
    center->SetHint("keeps the Clock in the center of the screen (no Motion)");
    auto* moving = Make<TsuiRadioButton>(this, motion, TRect::FromSize(176, 40, 81, 21));
    moving->SetCaption("Quorvel");
    moving->SetCursor(crCross);
    moving->SetHint("the Clock will fly randomly on within the screen");

    TsuiPanel* colour = Panel(Page, "Change the Clock Color", TRect::FromSize(8, 136, 289, 80));
    auto* chooser = new TLMDColorComboBox(this);
    chooser->BeginLoading();
    chooser->SetBounds(16, 39, 121, 21);
    chooser->SetOptions(coDefaultColors);
    chooser->SetParent(colour);
    chooser->Loaded();
    chooser->SetHint("choose a Color for the Clock");
    Button(colour, "Change Colour", TRect::FromSize(152, 40, 112, 20));
}

void TGalleryForm::BuildAboutPage(TWinControl* Page)
{
    Page->SetColor(clWhite);
    TBitmap banner;
    DrawBanner(banner, 275, 67);
    Make<TsuiImagePanel>(this, Page, TRect::FromSize(8, 0, 280, 73))->SetPicture(banner);
    Text(this, Page, {62, 136}, "Quorvel Screensaver 1.0");
    auto* link = Make<TRzURLLabel>(this, Page, TRect::FromSize(76, 195, 159, 14));
    link->SetCaption("Visit the gallery notes");
    link->Font().SetName(SkinFaceName());
    link->SetURL(GalleryFileAddress());
}

void TGalleryForm::BuildRightColumn()
{
    const int32_t x = 330;
    const int32_t w = FormWidth - x - 8;
    TsuiPanel* buttons = Panel(FFrame, "Push buttons", TRect::FromSize(x, 34, w, 64));
    Button(buttons, "Normal", TRect::FromSize(10, 32, 90, 20));
    TsuiButton* focused = Button(buttons, "Focused", TRect::FromSize(110, 32, 90, 20));
    Button(buttons, "Disabled", TRect::FromSize(210, 32, 90, 20))->SetEnabled(false);
    focused->SetFocus();

    TsuiPanel* radios = Panel(FFrame, "Radio buttons", TRect::FromSize(x, 106, w, 64));
    Make<TsuiRadioButton>(this, radios, TRect::FromSize(10, 34, 90, 21))->SetCaption("Unchecked");
    auto* checked = Make<TsuiRadioButton>(this, radios, TRect::FromSize(110, 34, 90, 21));
    checked->SetCaption("Checked");
    checked->SetChecked(true);
    Make<TsuiRadioButton>(this, radios, TRect::FromSize(210, 34, 90, 21))->SetCaption("Third");

    TsuiPanel* disabled = Panel(FFrame, "Disabled", TRect::FromSize(x, 178, w, 64));
    auto* off = Make<TsuiRadioButton>(this, disabled, TRect::FromSize(10, 34, 70, 21));
    off->SetCaption("Off");
    off->SetEnabled(false);
    auto* on = Make<TsuiRadioButton>(this, disabled, TRect::FromSize(84, 34, 70, 21));
    on->SetCaption("On");
    on->SetChecked(true);
    on->SetEnabled(false);
    auto* chooser = new TLMDColorComboBox(this);
    chooser->BeginLoading();
    chooser->SetBounds(160, 33, 121, 21);
    chooser->SetOptions(coDefaultColors);
    chooser->SetParent(disabled);
    chooser->Loaded();
    chooser->SetItemIndex(13);
    chooser->SetEnabled(false);

    TsuiPanel* picture = Panel(FFrame, "Picture panel over a tinted panel", TRect::FromSize(x, 250, w, 73));
    picture->SetColor(0x00F3E6D8);
    TBitmap banner;
    DrawBanner(banner, 120, 30);
    Make<TsuiImagePanel>(this, picture, TRect::FromSize(10, 30, 200, 38))->SetPicture(banner);
}
