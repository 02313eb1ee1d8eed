// quorvel-gallery: one window with every skinned control and the colour chooser, for a person
// to look at and for end-to-end tests.

#include <cstdio>

#include "framework/Application.h"
#include "platform/Platform.h"
#include "tools/gallery/GalleryForm.h"

int main()
{
    if (!CurrentPlatform().Windows) {
        std::fputs("quorvel-gallery: no window can be shown.\n", stderr);
        return 1;
    }
    TApplication& app = Application();
    try {
        app.Initialize();
        app.CreateForm<TGalleryForm>();
        app.Run();
    } catch (...) {
        app.HandleException();
    }
    return 0;
}
