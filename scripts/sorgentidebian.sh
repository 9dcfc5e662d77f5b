# Sourced by the scripts that build for Windows from Debian's source packages.
# scarica_sorgenti CACHE PACKAGE...: downloads the source packages into
# CACHE/sorgenti through a private apt configuration that lists the machine's
# own mirrors as deb-src; apt checks each .dsc against the signed index and
# each tarball against its .dsc. PACKAGE may name a version (name=version);
# a version the mirror does not have falls back to the mirror's own.
scarica_sorgenti() {
  local cache="$1" f p
  shift
  mkdir -p "$cache/apt/sources.list.d" "$cache/apt/lists/partial" "$cache/sorgenti"
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && sed 's/^Types: deb$/Types: deb-src/' "$f" >"$cache/apt/sources.list.d/$(basename "$f")"
  done
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$cache/apt/sources.list.d/principale.list"
  fi
  local apt=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$cache/apt/sources.list.d"
             -o "Dir::State::Lists=$cache/apt/lists" -o APT::Sandbox::User=root)
  apt-get "${apt[@]}" update -q >/dev/null
  for p in "$@"; do
    (cd "$cache/sorgenti" && { apt-get "${apt[@]}" source --download-only -q "$p" >/dev/null 2>&1 \
       || apt-get "${apt[@]}" source --download-only -q "${p%%=*}" >/dev/null; })
  done
}
