#!/bin/sh
# Starts Quadrivela from the folder this script lies in. Run it as
#   sh avvia.sh
# where the folder sits on a stick whose files have no executable bit (a FAT32
# stick, as most desktops mount it): the program is then handed to the
# system's dynamic loader, which needs no such bit.
cartella=$(cd "$(dirname "$0")" && pwd -P)
programma="$cartella/quadrivela"
if [ -x "$programma" ]; then
  exec "$programma"
fi
for caricatore in /lib64/ld-linux-x86-64.so.2 /lib/x86_64-linux-gnu/ld-linux-x86-64.so.2; do
  if [ -e "$caricatore" ]; then
    exec "$caricatore" "$programma"
  fi
done
echo "Quadrivela: impossibile avviare $programma" >&2
exit 1
