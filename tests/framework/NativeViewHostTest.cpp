#include <gtest/gtest.h>

#include "framework/NativeViewHost.h"
#include "platform/headless/HeadlessChildView.h"
#include "tests/framework/FrameworkFixture.h"

// A form with an outer panel O at (10, 10) holding a page G at (5, 5), on which a view host V
// lies at (2, 3) with a size of 30 x 20.
class NativeViews : public FrameworkTest {
protected:
    TTestForm* Form = nullptr;
    TWinControl *O = nullptr, *G = nullptr;
    TNativeViewHost* V = nullptr;

    void SetUp() override
    {
        Form = App.CreateForm<TTestForm>();
        O = static_cast<TWinControl*>(Add(new TWinControl(Form), Form, {10, 10, 90, 70}));
        G = static_cast<TWinControl*>(Add(new TWinControl(O), O, {5, 5, 75, 55}));
        V = static_cast<TNativeViewHost*>(Add(new TNativeViewHost(G), G, {2, 3, 32, 23}));
        Form->Show();
        App.ProcessMessages();
        ASSERT_TRUE(V->CreatePlainView(0x336699));
    }

    static TControl* Add(TControl* Control, TWinControl* Parent, TRect Bounds)
    {
        Control->SetParent(Parent);
        Control->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        return Control;
    }

    const THeadlessChildView& View() const { return *static_cast<const THeadlessChildView*>(V->View()); }
};

TEST_F(NativeViews, TheViewFollowsItsHostThroughEveryAncestorsChanges)
{
    EXPECT_EQ(View().Parent(), Form->Handle());
    const struct { const char* what; std::function<void()> change; TRect area; bool seen; } steps[] = {
        {"placed", [] {}, {17, 18, 47, 38}, true},
        {"outer panel moved", [&] { O->SetBounds(20, 15, 80, 60); }, {27, 23, 57, 43}, true},
        {"page moved", [&] { G->SetLeft(0); }, {22, 23, 52, 43}, true},
        {"host resized", [&] { V->SetWidth(10); }, {22, 23, 32, 43}, true},
        {"page hidden (another page active)", [&] { G->Hide(); }, {}, false},
        {"outer panel moved while hidden", [&] { O->SetLeft(30); }, {}, false},
        {"page shown again", [&] { G->Show(); }, {32, 23, 42, 43}, true},
        {"outer panel cuts it", [&] { O->SetWidth(8); }, {32, 23, 38, 43}, true},
        {"form hidden", [&] { Form->Hide(); }, {}, false},
        {"form shown", [&] { Form->Show(); }, {32, 23, 38, 43}, true},
        {"outer panel hidden", [&] { O->Hide(); }, {}, false},
    };
    for (const auto& s : steps) {
        s.change();
        EXPECT_EQ(View().Seen(), s.seen) << s.what;
        if (s.seen) {
            EXPECT_EQ(View().Bounds(), s.area) << s.what;
        }
        EXPECT_EQ(V->ViewArea(), s.area) << s.what;
    }
}

TEST_F(NativeViews, TheFormPaintsNothingOverTheView)
{
    // The host's own area is left to the view: the form's colour shows around it only.
    Form->Invalidate();
    App.ProcessMessages();
    const TBitmap& pixels = Screen.Pixels(Form->Handle());
    EXPECT_EQ(pixels.Pixel(5, 5), 0u) << "the form's black";
    EXPECT_NE(pixels.Pixel(20, 20), 0u) << "inside the host nothing was drawn over the white start";
}
