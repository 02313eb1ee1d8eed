#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How a screen-saver daemon on Linux asks for the saver: it hands over a window of its own to
// draw in, named by "-root" with the XSCREENSAVER_WINDOW environment variable, or by
// "-window-id ID"; "-window" asks for an ordinary window of the saver's own, for trying it out.
// These options are the daemons' protocol, as "/s" and "/p" are the Windows one.
struct TDaemonRequest {
    enum class TKind : uint8_t {
        None,        // no daemon option: the usual modes apply
        Root,        // "-root": the daemon's window, or the screen's root window without one
        WindowId,    // "-window-id ID" or "--window-id ID"
        OwnWindow,   // "-window"
    };
    TKind Kind = TKind::None;
    // The window to draw in (Root, WindowId); 0 for Root means the screen's root window.
    uint32_t Window = 0;
    // Not empty when the request was malformed: the message for standard error. The saver then
    // ends with exit code 1 instead of covering the screen on its own.
    std::string Error;
};

// Reads an X window id: hexadecimal after "0x" or "0X", or decimal; at least 1 and at most 32
// bits. Nothing for anything else (empty, a sign, blanks, other characters, too large).
std::optional<uint32_t> ParseWindowId(std::string_view Text);

// The daemon's request in Arguments (the program path left out). XScreensaverWindow is the
// value of XSCREENSAVER_WINDOW, or nullptr when it is not set.
TDaemonRequest DaemonRequestFromArguments(const std::vector<std::string>& Arguments, const char* XScreensaverWindow);
