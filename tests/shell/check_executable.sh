#!/usr/bin/env bash
# Reads the finished Quillbox.exe as a file: it exports exactly FontWindProc, FontDialProc and
# FontStatProc by name with ordinals 1, 2 and 3, and holds exactly the language-neutral dialogs
# FONTDIAL and FONTSTAT and the icon group QUILLBOX of a 2-colour and a 16-colour 32 x 32 image.
# Usage: check_executable.sh Quillbox.exe objdump (an export's ordinal is the base plus its index)
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$2" -p "$1" | sed -n '/^Export Address Table -- /p;/Ordinal\/Name Pointer/,/^$/p' |
  grep -o 'Ordinal Base [0-9]*\|\[ *[0-9]*\] [A-Za-z]*' | tr -d '[] ' >"$scratch/found"
wrestool -l "$1" | sed 's/ \[.*//' | LC_ALL=C sort >>"$scratch/found"
wrestool -x --type=14 -o "$scratch/q.ico" "$1" && icotool -l "$scratch/q.ico" >>"$scratch/found"
diff - "$scratch/found" <<'WANTED'
OrdinalBase1
1FontDialProc
2FontStatProc
0FontWindProc
--type=14 --name='QUILLBOX' --language=0
--type=3 --name=1 --language=0
--type=3 --name=2 --language=0
--type=5 --name='FONTDIAL' --language=0
--type=5 --name='FONTSTAT' --language=0
--icon --index=1 --width=32 --height=32 --bit-depth=1 --palette-size=2
--icon --index=2 --width=32 --height=32 --bit-depth=4 --palette-size=16
WANTED
