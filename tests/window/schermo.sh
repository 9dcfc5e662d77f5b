# Sourced by the real-window tests. avvia_schermo FIRST LAST FOLDER: starts
# Xvfb on a free display of our own between :FIRST and :LAST and a window
# manager on it, as on a desktop (it frames the windows and reads the
# title-bar buttons they ask for); exports DISPLAY and sets xvfb_pid and
# wm_pid for the caller's cleanup. FOLDER takes the window manager's
# configuration, empty: its defaults, and no error window.
avvia_schermo() {
  local n display=""
  # A server that cannot start on a display (another one is still going away)
  # leaves it to the next number.
  for n in $(seq "$1" "$2"); do
    if [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; then continue; fi
    # -noreset: the server would otherwise reset when the probe below disconnects,
    # and refuse the program for a moment.
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
      kill -0 "$xvfb_pid" 2>/dev/null || break
      DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && break
      sleep 0.1
    done
    if kill -0 "$xvfb_pid" 2>/dev/null && DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then display=":$n"; break; fi
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
  if [ -z "$display" ]; then echo "nessun display virtuale disponibile" >&2; exit 1; fi
  export DISPLAY=$display
  wm_pid=""
  if command -v openbox >/dev/null; then
    printf '<openbox_config xmlns="http://openbox.org/3.4/rc"/>\n' >"$3/openbox.xml"
    openbox --config-file "$3/openbox.xml" >/dev/null 2>&1 &
    wm_pid=$!
    for _ in $(seq 50); do
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
      sleep 0.1
    done
  fi
}
