#include "framework/Application.h"

#include <algorithm>
#include <cstdio>

#include "framework/Form.h"
#include "framework/HandOverQueue.h"
#include "platform/IKernel.h"
#include "platform/INativeWindows.h"
#include "platform/IProcessInfo.h"
#include "platform/Platform.h"
#include "platform/core/Exception.h"

namespace {

TApplication* CurrentApplication = nullptr;

// The file name of a path without its directory and without its extension.
std::string BaseName(const std::string& Path)
{
    const size_t slash = Path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? Path : Path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

}  // namespace

TApplication& Application()
{
    if (!CurrentApplication) {
        static TApplication fallback;
        return fallback;
    }
    return *CurrentApplication;
}

TApplication::TApplication() : TComponent(nullptr), FPrevious(CurrentApplication)
{
    CurrentApplication = this;
    Initialize();
}

TApplication::~TApplication()
{
    THandOverQueue::Instance().Close();
    MarkDestroying();
    // Forms unregister themselves from the application while they go.
    DestroyComponents();
    if (CurrentApplication == this)
        CurrentApplication = FPrevious;
}

void TApplication::Initialize()
{
    FWindows = CurrentPlatform().Windows;
    INativeWindows* windows = FWindows;
    THandOverQueue::Instance().Open(
        [windows] {
            if (windows)
                windows->Wake();
        },
        [this] { HandleException(); });
}

void TApplication::Run()
{
    if (!FMainForm)
        return;
    FMainForm->Show();
    while (!FTerminated)
        HandleMessage();
}

void TApplication::Terminate()
{
    FTerminated = true;
    // Nothing handed over from another thread runs once the application is ending.
    THandOverQueue::Instance().Close();
    if (FWindows)
        FWindows->Wake();
}

void TApplication::HandleMessage()
{
    if (!ProcessMessage(nullptr, nullptr))
        Idle();
}

void TApplication::ProcessMessages()
{
    // Paint once and take each timer once per call: a handler that invalidates its window or
    // outlasts its timer's period must not keep this call from returning.
    bool composed = false;
    std::vector<std::pair<TNativeWindow, uintptr_t>> timers;
    while (ProcessMessage(&composed, &timers)) {
    }
}

bool TApplication::ProcessMessage(bool* Composed, std::vector<std::pair<TNativeWindow, uintptr_t>>* TimersSeen)
{
    const bool handedOver = THandOverQueue::Instance().RunPending();
    if (!FWindows)
        return handedOver;
    TNativeEvent event;
    if (FWindows->PeekEvent(event, false)) {
        DispatchEvent(event);
        return true;
    }
    if (!Composed || !*Composed) {
        if (Composed)
            *Composed = true;
        if (ComposePending())
            return true;
    }
    if (FWindows->PeekEvent(event, true)) {
        DispatchEvent(event);
        if (!TimersSeen || event.Kind != TNativeEvent::Timer)
            return true;
        const std::pair<TNativeWindow, uintptr_t> timer{event.Window, event.TimerId};
        if (std::find(TimersSeen->begin(), TimersSeen->end(), timer) != TimersSeen->end())
            return false;
        TimersSeen->push_back(timer);
        return true;
    }
    return handedOver;
}

void TApplication::DispatchEvent(const TNativeEvent& Event)
{
    auto it = FTargets.find(Event.Window);
    if (it == FTargets.end())
        return;
    try {
        it->second->HandleNativeEvent(Event);
    } catch (...) {
        HandleException();
    }
}

bool TApplication::ComposePending()
{
    bool any = false;
    // A paint handler may create or free forms, so the list is copied first and each form
    // looked up again before it paints.
    const std::vector<TForm*> forms = FForms;
    for (TForm* f : forms) {
        if (std::find(FForms.begin(), FForms.end(), f) == FForms.end() || !f->PaintPending() || !f->CanPaint())
            continue;
        any = true;
        try {
            f->Update();
        } catch (...) {
            HandleException();
        }
    }
    return any;
}

void TApplication::Idle()
{
    EndStartup();
    bool done = true;
    if (FOnIdle) {
        try {
            FOnIdle(this, done);
        } catch (...) {
            HandleException();
        }
    }
    // A window waiting to be painted counts as a waiting message: the loop paints it next.
    if (done && !FTerminated && FWindows && !PaintPending())
        FWindows->WaitForEvent();
}

// Starting reads much of the program's and its libraries' files that showing the windows
// later needs little of. Once the main form has shown its first picture and nothing waits, that
// reading is over, and the pages it brought in leave the process's resident memory.
void TApplication::EndStartup()
{
    if (FStartupEnded || !FMainForm || !FMainForm->Presented())
        return;
    FStartupEnded = true;
    if (IKernel* kernel = CurrentPlatform().Kernel)
        kernel->ReleaseStartupPages();
}

bool TApplication::PaintPending() const
{
    for (TForm* f : FForms)
        if (f->PaintPending() && f->CanPaint())
            return true;
    return false;
}

std::string TApplication::Title() const
{
    if (FTitleSet)
        return FTitle;
    IProcessInfo* process = CurrentPlatform().Process;
    return process ? BaseName(process->ExecutablePath()) : std::string();
}

void TApplication::SetCursor(TCursor Value)
{
    if (Value == FCursor)
        return;
    FCursor = Value;
    for (TForm* f : FForms)
        f->UpdatePointer();
}

void TApplication::SetShowHint(bool Value)
{
    if (Value == FShowHint)
        return;
    FShowHint = Value;
    for (TForm* f : FForms)
        f->HintChanged();
}

void TApplication::ShowException(const std::string& Message)
{
    const std::string text = ErrorDisplayText(Message);
    if (FWindows)
        FWindows->ShowErrorBox(Title(), text);
    else
        std::fprintf(stderr, "%s: %s\n", Title().c_str(), text.c_str());
}

void TApplication::HandleException()
{
    try {
        throw;
    } catch (const Exception& e) {
        ShowException(e.Message());
    } catch (...) {
        ShowException(std::string());
    }
}

void TApplication::RegisterTarget(TNativeWindow Window, INativeEventTarget* Target) { FTargets[Window] = Target; }

void TApplication::UnregisterTarget(TNativeWindow Window) { FTargets.erase(Window); }

void TApplication::AddForm(TForm* Form) { FForms.push_back(Form); }

void TApplication::RemoveForm(TForm* Form)
{
    FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
    if (FMainForm == Form)
        FMainForm = nullptr;
}
