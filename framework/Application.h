#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "framework/Component.h"
#include "framework/NativeEventTarget.h"

class TForm;
class INativeWindows;

using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;

// The application object: the forms, the message loop, the idle handler, the title, the
// application-wide pointer shape and the standard error display. One exists at a time; the
// most recently constructed one is Application().
class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    // Takes the window system of the current platform.
    void Initialize();
    INativeWindows* Windows() const { return FWindows; }

    // Creates a form owned by the application: its layout, its constructor body and then its
    // create handler run. The first form created becomes the main form. An error raised while
    // constructing the form escapes; one raised by the create handler is shown.
    template <class TFormClass>
    TFormClass* CreateForm()
    {
        auto* form = new TFormClass(this);
        if (!FMainForm)
            FMainForm = form;
        form->DoCreate();
        return form;
    }
    TForm* MainForm() const { return FMainForm; }

    // Shows the main form and handles messages until the main form closes.
    void Run();
    // Handles every message that waits now, then returns; never calls the idle handler.
    void ProcessMessages();
    // Handles one message, or runs the idle step when none waits.
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return FTerminated; }

    // Called each time the loop finds no message. The handler gets Done = true; leaving it
    // true makes the loop wait for the next message, setting it false makes the loop call the
    // handler again without waiting (after handling whatever arrived meanwhile).
    const TIdleEvent& OnIdle() const { return FOnIdle; }
    void SetOnIdle(TIdleEvent Value) { FOnIdle = std::move(Value); }

    // The executable's file name without its extension, unless set.
    std::string Title() const;
    void SetTitle(const std::string& Value) { FTitle = Value; FTitleSet = true; }

    // The application-wide pointer shape: anything but crDefault overrides every window's.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);

    // Whether controls show their hints at all (each control also has its own ShowHint).
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);

    // When set, a window that needs any painting is composed and presented whole, and no
    // control keeps a layer: the plain way of drawing, kept for measuring the usual way
    // against it.
    bool ComposeWhole() const { return FComposeWhole; }
    void SetComposeWhole(bool Value) { FComposeWhole = Value; }

    // The standard error display: a modal box with the title as caption and the message, with
    // a full stop added when it ends in a letter or digit, as text.
    void ShowException(const std::string& Message);
    // Shows the exception being handled; call inside a catch block. Objects that are not of
    // the program's exception type are shown with an empty message.
    void HandleException();

    // Routing of native events to the forms and message windows that own native windows.
    void RegisterTarget(TNativeWindow Window, INativeEventTarget* Target);
    void UnregisterTarget(TNativeWindow Window);
    void AddForm(TForm* Form);
    void RemoveForm(TForm* Form);
    const std::vector<TForm*>& Forms() const { return FForms; }

private:
    bool ProcessMessage(bool* Composed, std::vector<std::pair<TNativeWindow, uintptr_t>>* TimersSeen);
    void DispatchEvent(const TNativeEvent& Event);
    bool ComposePending();
    bool PaintPending() const;
    void Idle();
    void EndStartup();

    INativeWindows* FWindows = nullptr;
    TApplication* FPrevious = nullptr;
    TForm* FMainForm = nullptr;
    std::vector<TForm*> FForms;
    std::map<TNativeWindow, INativeEventTarget*> FTargets;
    TIdleEvent FOnIdle;
    std::string FTitle;
    bool FTitleSet = false;
    TCursor FCursor = crDefault;
    bool FTerminated = false;
    bool FComposeWhole = false;
    bool FShowHint = true;
    bool FStartupEnded = false;
};

// The current application object. When none has been constructed, a process-wide one is.
TApplication& Application();
