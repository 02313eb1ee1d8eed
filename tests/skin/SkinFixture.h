#pragma once
#include <memory>
#include <vector>

#include "framework/Control.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "tests/framework/FrameworkFixture.h"

// A white form for skinned controls, and pictures of what the screen shows of them.
class SkinTest : public FrameworkTest {
protected:
    TTestForm* Form = nullptr;

    void SetUp() override
    {
        Form = App.CreateForm<TTestForm>();
        Form->SetBounds(0, 0, 320, 240);
        Form->SetColor(0x00E7E7E7);
    }

    template <class T>
    T* Add(TWinControl* Parent, TRect Bounds)
    {
        auto* c = new T(Form);
        c->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        c->SetParent(Parent);
        return c;
    }

    TNativeWindow Window() { return Form->Handle(); }

    // A click with the left button at Point (form coordinates).
    void ClickAt(TPoint Point)
    {
        Screen.MouseMove(Window(), Point);
        Screen.MouseDown(Window(), TMouseButton::mbLeft, Point);
        Screen.MouseUp(Window(), TMouseButton::mbLeft, Point);
        App.ProcessMessages();
    }

    void Key(uint16_t Key, TShiftState Shift = 0)
    {
        Screen.KeyDown(Window(), Key, Shift);
        App.ProcessMessages();
    }

    // The centre of a control, in form coordinates.
    static TPoint Centre(const TControl& Control)
    {
        const TPoint o = Control.FormOrigin();
        return {o.X + Control.Width() / 2, o.Y + Control.Height() / 2};
    }

    // What the screen shows of Control now.
    std::unique_ptr<TBitmap> Shot(const TControl& Control)
    {
        App.ProcessMessages();
        const TPoint o = Control.FormOrigin();
        auto picture = std::make_unique<TBitmap>(Control.Width(), Control.Height());
        picture->Canvas().Draw(-o.X, -o.Y, Screen.Pixels(Window()));
        return picture;
    }

    // The pictures side by side, 2 pixels apart, on white.
    static std::unique_ptr<TBitmap> Row(const std::vector<std::unique_ptr<TBitmap>>& Pictures)
    {
        int32_t width = 0;
        int32_t height = 0;
        for (const auto& p : Pictures) {
            width += p->Width() + 2;
            height = std::max(height, p->Height());
        }
        auto row = std::make_unique<TBitmap>(width, height);
        int32_t x = 0;
        for (const auto& p : Pictures) {
            row->Canvas().Draw(x, 0, *p);
            x += p->Width() + 2;
        }
        return row;
    }
};
