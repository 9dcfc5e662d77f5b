#!/usr/bin/env bash
# The program folder runs wherever it is copied, also on a desktop without Qt:
#   runpath    every program file finds its neighbours through $ORIGIN, never an
#              absolute path
#   ldd        the executable, every bundled library and every plugin find
#              nothing outside the folder but the desktop's base system
#   simboli    the folder asks no newer C library or C++ runtime than stated
#   radice     a bare Debian desktop root without Qt (built with debootstrap from
#              the base system's packages, kept in the user's cache): a copy at a
#              path with a blank shows the login window, takes the initial
#              password and shows the main menu
#   chiavetta  the same from a copy whose files lost their executable bit (a
#              FAT32 stick), started as the README says: sh avvia.sh
# Usage: cartella_portatile.sh <program folder> <base system list> <password store tool>
set -uo pipefail
cartella=$(cd "$1" && pwd -P)
base_file=$2
creastore=$3
. "$(dirname "$0")/../support/funzioni.sh"

# The newest symbol versions the folder may ask for: Debian 12 (bookworm),
# Ubuntu 22.04 and newer, Linux Mint 21 and newer, Fedora 36 and newer.
GLIBC_MASSIMA=2.35
GLIBCXX_MASSIMA=3.4.30

base_re=$(grep -v '^#' "$base_file" | cut -f1 | paste -sd'|')

elf=()
while IFS= read -r -d '' f; do
  if head -c4 "$f" | grep -q 'ELF'; then elf+=("$f"); fi
done < <(find "$cartella" -type f \( -name quadrivela -o -name '*.so' -o -name '*.so.*' \) -print0)
controlla "the folder holds the program, its libraries and plugins (${#elf[@]} files)" test "${#elf[@]}" -gt 20

# runpath
for f in "${elf[@]}"; do
  percorsi=$(readelf -d "$f" | sed -n 's/.*(R\(UN\)\{0,1\}PATH).*\[\(.*\)\]/\2/p')
  ok=true
  IFS=':' read -ra voci <<<"$percorsi"
  for v in "${voci[@]}"; do
    case "$v" in '$ORIGIN'|'$ORIGIN/'*) ;; *) ok=false ;; esac
  done
  controlla "run path of ${f#"$cartella"/} is relative ($percorsi)" $ok
done
controlla "the executable looks in lib/" test "$(readelf -d "$cartella/quadrivela" | grep -c 'RUNPATH.*\$ORIGIN/lib')" -eq 1

# ldd
fuori() { # file: the libraries it finds outside the folder and the base system
  ldd "$1" | awk '/=>/ {print $1, $3}' | while read -r nome percorso; do
    case "$percorso" in "$cartella"/*) continue ;; esac
    if [ "$percorso" = "not" ] || ! grep -Eq "$base_re" <<<"$nome"; then echo "$nome ($percorso)"; fi
  done
}
for f in "${elf[@]}"; do
  estranee=$(fuori "$f")
  controlla "${f#"$cartella"/} finds all it loads in the folder or the base system: $estranee" test -z "$estranee"
done

# simboli
versioni() { # prefix
  for f in "${elf[@]}"; do objdump -T "$f"; done | grep -o "($1_[0-9.]*)" | tr -d '()' | sed "s/^$1_//" | sort -uV | tail -n1
}
glibc=$(versioni GLIBC)
glibcxx=$(versioni GLIBCXX)
al_massimo() { [ -n "$1" ] && [ "$(printf '%s\n%s\n' "$1" "$2" | sort -V | tail -n1)" = "$2" ]; }
controlla "C library at most $GLIBC_MASSIMA (asks $glibc)" al_massimo "$glibc" "$GLIBC_MASSIMA"
controlla "C++ runtime at most $GLIBCXX_MASSIMA (asks $glibcxx)" al_massimo "$glibcxx" "$GLIBCXX_MASSIMA"

# radice: the package source apt uses here, the release of this system
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
specchio=$(grep -h '^URIs:' /etc/apt/sources.list.d/*.sources 2>/dev/null | awk '{print $2}' | grep -v security | head -n1)
if [ -z "$specchio" ]; then
  specchio=$(grep -h '^deb ' /etc/apt/sources.list 2>/dev/null | awk '{print $2}' | grep -v security | head -n1)
fi
pacchetti=$(grep -v '^#' "$base_file" | cut -f2 | tr ' ' '\n' | sort -u | paste -sd,)
pacchetti="$pacchetti,fonts-dejavu-core"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/quadrivela"
firma=$(printf '%s %s %s' "$codename" "$specchio" "$pacchetti" | sha256sum | cut -c1-12)
radice="$cache/radice-$codename-$firma"
if [ ! -f "$radice/.pronta" ]; then
  mkdir -p "$cache"
  rm -rf "$radice" "$radice.nuova"
  echo "radice: debootstrap $codename da $specchio"
  if debootstrap --variant=minbase --include="$pacchetti" "$codename" "$radice.nuova" "$specchio" >"$cache/debootstrap.log" 2>&1; then
    touch "$radice.nuova/.pronta" && mv "$radice.nuova" "$radice"
  else
    tail -n 20 "$cache/debootstrap.log"
  fi
fi
controlla "a bare desktop root was made" test -f "$radice/.pronta"
controlla "the root has no Qt" test -z "$(find "$radice/usr/lib" "$radice/lib" -name 'libQt6*' 2>/dev/null | head -n1)"

lavoro=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
  rm -rf "$lavoro" "$radice/root/Chiavetta USB"
}
trap cleanup EXIT

# An X server of our own on the first free display.
exec 3>"$lavoro/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
ripeti 50 0.1 test -s "$lavoro/display"
display=":$(head -n1 "$lavoro/display")"
export DISPLAY=$display

# Starts a command inside the root (its /proc, /dev and the X socket mounted in
# a private mount namespace, so nothing stays mounted) and waits for the login
# window; types the initial password and waits for the main menu.
prova() { # name, command inside the root...
  local nome=$1; shift
  unshare -m sh -c '
    r=$1; shift
    mount -t proc proc "$r/proc" && mount --rbind /dev "$r/dev" &&
      mkdir -p "$r/tmp/.X11-unix" && mount --bind /tmp/.X11-unix "$r/tmp/.X11-unix" &&
      exec chroot "$r" env -i HOME=/root LANG=C.UTF-8 DISPLAY="$0" "$@"' \
    "$display" "$radice" "$@" >"$lavoro/$nome.log" 2>&1 &
  app_pid=$!
  local login menu
  # Its output goes with the log below, on a failure.
  login=$(aspetta_finestra '^ Quadrivela - ' 2>/dev/null)
  controlla "$nome: the login window appears" test -n "$login"
  if [ -n "$login" ]; then
    sleep 0.5
    xdotool windowfocus --sync "$login" 2>/dev/null
    xdotool type --delay 30 "mirtillobianco"
    xdotool key Return
    menu=$(aspetta_finestra '^ Quadrivela$' 2>/dev/null)
    controlla "$nome: the main menu appears" test -n "$menu"
  fi
  if [ "$falliti" -gt 0 ]; then echo "--- $nome:"; cat "$lavoro/$nome.log"; fi
  kill "$app_pid" 2>/dev/null; wait "$app_pid" 2>/dev/null
  app_pid=""
}

if [ -f "$radice/.pronta" ]; then
  chiavetta="$radice/root/Chiavetta USB"
  rm -rf "$chiavetta"
  mkdir -p "$chiavetta"
  cp -a "$cartella" "$chiavetta/Quadrivela"
  # The initial password, whatever the folder's user chose.
  "$creastore" "$chiavetta/Quadrivela/unins000.dll.nuovo" && mv "$chiavetta/Quadrivela/unins000.dll.nuovo" "$chiavetta/Quadrivela/unins000.dll"
  prova radice "/root/Chiavetta USB/Quadrivela/quadrivela"

  rm -rf "$chiavetta/Quadrivela"
  cp -r --no-preserve=mode "$cartella" "$chiavetta/Quadrivela"
  find "$chiavetta/Quadrivela" -type f -exec chmod a-x {} +
  "$creastore" "$chiavetta/Quadrivela/unins000.dll.nuovo" && mv "$chiavetta/Quadrivela/unins000.dll.nuovo" "$chiavetta/Quadrivela/unins000.dll"
  prova chiavetta sh "/root/Chiavetta USB/Quadrivela/avvia.sh"
fi

echo "$passati passed, $falliti failed"
[ "$falliti" -eq 0 ]
