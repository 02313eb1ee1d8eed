#include "config/Unit3.h"

#include "assets/EmbeddedAssets.h"
#include "config/ProgramArguments.h"
#include "framework/Layout.h"
#include "framework/Message.h"
#include "platform/INativeWindows.h"
#include "platform/Platform.h"
#include "platform/core/Exception.h"
#include "platform/core/Numeric.h"
#include "platform/gfx/IImageDecoder.h"
#include "skin/TsuiImagePanel.h"

namespace {

TLayout<TPreview> PreviewLayout()
{
    return {
        Self<TPreview>({
            Set(&TForm::SetBorderStyle, TFormBorderStyle::bsNone),
            Set(&TForm::SetCaption, std::string("Preview")),
            [](TPreview& f) {
                f.SetBounds(323, 141, 157, 108);
                // What lies beyond the picture in a host larger than it: plain black, as the
                // saver's own screen.
                f.SetColor(clBlack);
            },
        }),
        Element(&TPreview::suiImagePanel1, "suiImagePanel1", "", {
            [](TsuiImagePanel& p) { p.SetBounds(0, 0, 160, 166); },
            Set(&TsuiImagePanel::SetTransparent, true),
        }),
    };
}

}  // namespace

TPreview::TPreview(TComponent* Owner) : TForm(Owner)
{
    LoadLayout(*this, PreviewLayout());
    LoadPicture();
    OnCreate = [this](TObject* s) { FormCreate(s); };
}

void TPreview::LoadPicture()
{
    IImageDecoder* images = CurrentPlatform().Images;
    if (!images)
        return;
    TBitmap picture;
    try {
        const TEmbeddedAsset preview = PreviewJpeg();
        images->LoadJpegData("Preview.jpg", preview.Data, preview.Size, picture);
        suiImagePanel1->SetPicture(picture);
    } catch (const Exception&) {
    }
}

// A host that is not a window (or one that goes away later) would leave the preview running
// where nobody can see or end it, so then the program ends instead.
void TPreview::FormCreate(TObject*)
{
    const std::string argument = ParamStr(2);
    const std::optional<int32_t> host = TryStrToInt(argument);
    if (!host)
        throw Exception::Fmt("'%s' is not a valid integer value", {argument});
    HostWindow = static_cast<uint32_t>(*host);
    if (!EmbedIn(HostWindow)) {
        Close();
        return;
    }
    SetWindowProc([this](TMessage& m) { PreviewWndProc(m); });
    INativeWindows* windows = CurrentPlatform().Windows;
    if (windows)
        windows->SystemWindowRect(HostWindow, HostRect);
    SetBounds(0, 0, HostRect.Width(), HostRect.Height());
}

void TPreview::PreviewWndProc(TMessage& Message)
{
    if (Message.Msg == WM_SYSCOMMAND) {
        Close();
        return;
    }
    WndProc(Message);
}
