# The functions the shell tests share (tests/window, tests/app), sourced by
# each of them (and by the parts they source in turn): counted checks, the
# virtual screen, and waiting for windows to open or close. Waiting is always
# a bounded loop; a wait that runs out says what it waited for and fails.
#
# The caller may set, before waiting:
#   app_pid            the program watched: a wait fails at once when it ended
#   log                its output, shown when it ended
#   dove               a word added to each failure message ("windows")
#   foto_errore        a screenshot file written when a wait runs out
#   tentativi_finestra how many times (0.2 s apart) a window is looked for: 100
#   tentativi_chiusura how many times (0.1 s apart) a closing is looked for: 50

# controlla DESCRIPTION COMMAND...: runs COMMAND, counts it in $passati or
# $falliti, and names a failure.
passati=0
falliti=0
controlla() {
  local d="$1"; shift
  if "$@"; then passati=$((passati + 1)); else echo "FAIL: $d"; falliti=$((falliti + 1)); fi
}

# ripeti TRIES PAUSE COMMAND...: runs COMMAND until it succeeds, at most TRIES
# times with PAUSE seconds between; fails when it never did.
ripeti() {
  local volte=$1 pausa=$2 i
  shift 2
  for ((i = 1; i <= volte; i++)); do
    "$@" && return 0
    [ "$i" -eq "$volte" ] || sleep "$pausa"
  done
  return 1
}

# finestra_di PID PATTERN: a visible window of the process PID (of any, when
# PID is empty) whose name matches; nothing when none.
finestra_di() {
  if [ -n "$1" ]; then
    xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null | head -n1 || true
  else
    xdotool search --onlyvisible --name "$2" 2>/dev/null | head -n1 || true
  fi
}

# chiusa PATTERN [PID]: no visible window (of PID) has a matching name.
chiusa() { [ -z "$(finestra_di "${2:-}" "$1")" ]; }

# A wait that ran out: MESSAGE on the error output, the screen into $foto_errore.
attesa_fallita() {
  echo "$1${dove:+ ($dove)}" >&2
  [ -z "${foto_errore:-}" ] || import -window root "$foto_errore" || true
  return 1
}

# aspetta_finestra_di PID PATTERN [TRIES]: waits for a visible window of the
# copy of the program PID whose name matches and prints its id; fails when
# none shows or that copy ends. aspetta_finestra PATTERN [TRIES]: the same for
# any window, while $app_pid runs.
aspetta_finestra_di() {
  local copia=$1 id
  for _ in $(seq "${3:-${tentativi_finestra:-100}}"); do
    id=$(finestra_di "$copia" "$2")
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    if [ -n "$copia" ]; then
      kill -0 "$copia" 2>/dev/null || { echo "la copia $copia del programma è terminata" >&2; return 1; }
    elif ! kill -0 "$app_pid" 2>/dev/null; then
      echo "il programma è terminato${dove:+ ($dove)}" >&2
      [ -z "${log:-}" ] || cat "$log" >&2
      return 1
    fi
    sleep 0.2
  done
  attesa_fallita "nessuna finestra '$2'${copia:+ della copia $copia}"
}
aspetta_finestra() { aspetta_finestra_di "" "$@"; }

# aspetta_chiusura_di PID PATTERN: waits until no visible window of the copy
# PID has a matching name. aspetta_chiusura PATTERN: of any program.
aspetta_chiusura_di() {
  ripeti "${tentativi_chiusura:-50}" 0.1 chiusa "$2" "$1" \
    || attesa_fallita "la finestra '$2'${1:+ della copia $1} non si è chiusa"
}
aspetta_chiusura() { aspetta_chiusura_di "" "$1"; }

# geometria WINDOW: X, Y, WIDTH and HEIGHT of its client area on the screen.
# (xdotool's own geometry counts the window manager's frame offset twice.)
geometria() {
  local info
  info=$(xwininfo -id "$1")
  X=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
  Y=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
  WIDTH=$(sed -n 's/^ *Width: *//p' <<<"$info")
  HEIGHT=$(sed -n 's/^ *Height: *//p' <<<"$info")
}

# attiva WINDOW: gives it the keyboard, as a user's click would.
attiva() { xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus "$1" 2>/dev/null || true; }

# avvia_schermo FIRST LAST FOLDER: starts
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
    ripeti 50 0.1 gestore_pronto || true
  fi
}
gestore_pronto() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
