# Sourced by the scripts that need a display of their own. start_virtual_display FIRST LAST
# SIZE starts Xvfb on the first free display number from FIRST to LAST with a screen of SIZE
# (for example 1024x768), waits until it answers, exports DISPLAY and sets virtual_display_pid.
# -noreset keeps the server (and the pointer position) as it is when the last client leaves.
virtual_display_pid=""
start_virtual_display() {
    local n
    for n in $(seq "$1" "$2"); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
    done
    if [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; then
        echo "no free display number for Xvfb"
        return 1
    fi
    Xvfb ":$n" -screen 0 "${3}x24" -noreset -nolisten tcp >/dev/null 2>&1 &
    virtual_display_pid=$!
    export DISPLAY=":$n"
    local _
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 0
}
stop_virtual_display() { [ -n "$virtual_display_pid" ] && kill "$virtual_display_pid" 2>/dev/null; true; }
