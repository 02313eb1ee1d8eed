#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/Layout.h"
#include "tests/framework/FrameworkFixture.h"

namespace {

std::vector<std::string> Log;

// A control that writes down its setter calls (with the loading state it saw), its Loaded and
// its destruction.
class TProbe : public TControl {
public:
    explicit TProbe(TComponent* Owner) : TControl(Owner) {}
    ~TProbe() override { Log.push_back(Name() + " freed"); }
    void SetTag(int Value) { Log.push_back(Name() + ".Tag=" + std::to_string(Value) + (Loading() ? " loading" : "")); }
    void Loaded() override
    {
        TControl::Loaded();
        Log.push_back(Name() + ".Loaded");
    }
};

class TLayoutForm : public TForm {
public:
    TProbe* A = nullptr;
    TProbe* B = nullptr;

    explicit TLayoutForm(TComponent* Owner) : TForm(Owner)
    {
        LoadLayout(*this, Layout());
        Log.push_back("constructor body");
        OnCreate = [](TObject*) { Log.push_back("create handler"); };
    }
    void Loaded() override
    {
        TForm::Loaded();
        Log.push_back("form.Loaded");
    }
    static TLayout<TLayoutForm> Layout()
    {
        return {
            Self<TLayoutForm>({[](TLayoutForm& f) { Log.push_back(std::string("form.Caption") + (f.Loading() ? " loading" : "")); }}),
            Element(&TLayoutForm::A, "A", "", {Set(&TProbe::SetTag, 1), Set(&TControl::SetLeft, 5), Set(&TProbe::SetTag, 2)}),
            Element(&TLayoutForm::B, "B", "", {Set(&TProbe::SetTag, 3)}),
        };
    }
};

class TBrokenLayoutForm : public TForm {
public:
    TProbe* A = nullptr;
    TProbe* B = nullptr;
    explicit TBrokenLayoutForm(TComponent* Owner) : TForm(Owner)
    {
        LoadLayout(*this, TLayout<TBrokenLayoutForm>{
                              Element(&TBrokenLayoutForm::A, "A", "", {Set(&TProbe::SetTag, 1)}),
                              Element(&TBrokenLayoutForm::B, "B", "NoSuchPanel", {}),
                          });
        Log.push_back("constructor body");
    }
};

}  // namespace

using Components = FrameworkTest;

TEST_F(Components, LayoutRowsInOrderThenLoadedThenConstructorThenCreateHandler)
{
    Log.clear();
    TLayoutForm* form = App.CreateForm<TLayoutForm>();
    const std::vector<std::string> expected = {
        "form.Caption loading", "A.Tag=1 loading", "A.Tag=2 loading", "B.Tag=3 loading", "A.Loaded", "B.Loaded",
        "form.Loaded", "constructor body", "create handler",
    };
    EXPECT_EQ(Log, expected);
    EXPECT_EQ(App.MainForm(), form);
    EXPECT_EQ(form->A->Left(), 5);
    EXPECT_EQ(form->A->Parent(), form);
    EXPECT_EQ(form->B->Owner(), form);
    EXPECT_EQ(form->FindComponent("B"), form->B);
    EXPECT_FALSE(form->Loading() || form->A->Loading() || form->B->Loading());
}

TEST_F(Components, LayoutErrorEscapesConstructionAndFreesWhatWasMade)
{
    Log.clear();
    try {
        App.CreateForm<TBrokenLayoutForm>();
        FAIL() << "the broken layout was accepted";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Control 'B' has no parent window");
    }
    EXPECT_EQ(Log, (std::vector<std::string>{"A.Tag=1 loading", "B freed", "A freed"}));
    EXPECT_EQ(App.MainForm(), nullptr);
    EXPECT_TRUE(App.Forms().empty());
    EXPECT_TRUE(Screen.ErrorBoxes().empty()) << "the top level reports construction errors, not the framework";
}

TEST_F(Components, ControlCannotBePutInsideItself)
{
    auto* form = App.CreateForm<TTestForm>();
    auto* outer = new TWinControl(form);
    auto* inner = new TWinControl(form);
    outer->SetName("outer");
    outer->SetParent(form);
    inner->SetParent(outer);
    for (TWinControl* target : {outer, inner})
        EXPECT_THROW(outer->SetParent(target), Exception) << target->Name();
    EXPECT_EQ(outer->Parent(), form);
    EXPECT_EQ(inner->Parent(), outer);
}

TEST_F(Components, OwnerFreesLatestFirstAndAFreedElementLeavesOwnerAndParent)
{
    Log.clear();
    auto* form = App.CreateForm<TTestForm>();
    auto* a = new TProbe(form);
    auto* b = new TProbe(form);
    auto* c = new TProbe(form);
    a->SetName("a");
    b->SetName("b");
    c->SetName("c");
    for (TProbe* p : {a, b, c})
        p->SetParent(form);

    delete b;
    EXPECT_EQ(form->ComponentCount(), 2);
    EXPECT_EQ(form->ControlCount(), 2);
    EXPECT_EQ(form->Controls(1), c);
    EXPECT_EQ(form->Controls(2), nullptr) << "an index out of range gives nothing";

    delete form;
    EXPECT_EQ(Log, (std::vector<std::string>{"b freed", "c freed", "a freed"}));
    EXPECT_EQ(App.MainForm(), nullptr);
}
