#!/usr/bin/env bash
# Collects the program's texts into translations/fennix_en.ts and fills the entries still
# unfinished from translations/pending/*.tsv (context<TAB>Japanese<TAB>English, "\n" for a
# line break). A TSV whose every line found its entry is deleted; the others stay, with the
# lines that did not, and are named.
#   scripts/update-translations.sh          update the .ts
#   scripts/update-translations.sh --lupdate-only OUT.ts   only collect, into OUT.ts (checks)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
LUPDATE="${LUPDATE:-/usr/lib/qt6/bin/lupdate}"
TS="$ROOT/translations/fennix_en.ts"
FOLDERS=(app base civ comm memory net panel record scan scanlog scope settings stations survey ui)

collect() {
  (cd "$ROOT" && "$LUPDATE" -silent -no-obsolete -locations none -I "$ROOT" \
    -tr-function-alias translate+=Tr,QT_TRANSLATE_NOOP+=FENNIX_TR_NOOP \
    -source-language ja -target-language en "${FOLDERS[@]}" -ts "$1")
}

if [ "${1:-}" = "--lupdate-only" ]; then
  collect "$2"
  exit 0
fi

collect "$TS"
python3 - "$TS" "$ROOT/translations/pending" <<'PY'
import glob, os, sys
import xml.etree.ElementTree as ET

ts_path, pending = sys.argv[1], sys.argv[2]
tree = ET.parse(ts_path)
root = tree.getroot()
entries = {}
for context in root.iter("context"):
    name = context.findtext("name")
    for message in context.iter("message"):
        entries[(name, message.findtext("source"))] = message

for tsv in sorted(glob.glob(os.path.join(pending, "*.tsv"))):
    left = []
    with open(tsv, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line.strip():
                continue
            parts = line.split("\t")
            if len(parts) != 3:
                left.append(line)
                continue
            context, source, english = (p.replace("\\n", "\n") for p in parts)
            message = entries.get((context, source))
            if message is None:
                left.append(line)
                continue
            translation = message.find("translation")
            if translation.get("type") == "unfinished" or not translation.text:
                translation.text = english
                translation.attrib.pop("type", None)
    if left:
        with open(tsv, "w", encoding="utf-8") as f:
            f.write("\n".join(left) + "\n")
        print(f"{os.path.basename(tsv)}: {len(left)} line(s) without an entry, kept")
    else:
        os.remove(tsv)
        print(f"{os.path.basename(tsv)}: applied, removed")

# Always written in one layout, whatever lupdate's own, so the file changes only where a text does.
ET.indent(tree, space="    ")
with open(ts_path, "wb") as f:
    f.write(b'<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
    tree.write(f, encoding="utf-8", xml_declaration=False)
    f.write(b"\n")
unfinished = sum(1 for m in entries.values()
                 if m.find("translation").get("type") == "unfinished")
print(f"{len(entries)} texts, {unfinished} unfinished")
PY
