#pragma once
#include <cstdint>

#include "framework/Form.h"

class TsuiImagePanel;

// The preview: a picture of the saver inside the thumbnail window of the system's screen-saver
// settings, whose handle is the second command-line argument. Any system command sent to it,
// or the host going away, ends the program.
class TPreview : public TForm {
public:
    explicit TPreview(TComponent* Owner);

    // The host window from the command line, and its outer rectangle on the screen.
    uint32_t HostWindow = 0;
    TRect HostRect;

    TsuiImagePanel* suiImagePanel1 = nullptr;

    void FormCreate(TObject* Sender);
    void PreviewWndProc(TMessage& Message);

private:
    void LoadPicture();
};
