#!/usr/bin/env bash
# Fails when translations/fennix_en.ts is behind the sources: a text the sources hold that the
# file lacks, one it holds that the sources no longer have, or an entry not yet translated.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TS="$ROOT/translations/fennix_en.ts"
TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT
cp "$TS" "$TMP/fennix_en.ts"
"$ROOT/scripts/update-translations.sh" --lupdate-only "$TMP/fennix_en.ts" >/dev/null
python3 - "$TS" "$TMP/fennix_en.ts" <<'PY'
import sys
import xml.etree.ElementTree as ET

def read(path):
    out = {}
    for context in ET.parse(path).getroot().iter("context"):
        for m in context.iter("message"):
            t = m.find("translation")
            out[(context.findtext("name"), m.findtext("source"))] = (
                t.get("type") != "unfinished" and bool(t.text))
    return out

kept, collected = read(sys.argv[1]), read(sys.argv[2])
problems = [f"not in the .ts: {c}: {s!r}" for (c, s) in collected if (c, s) not in kept]
problems += [f"no longer in the sources: {c}: {s!r}" for (c, s) in kept if (c, s) not in collected]
problems += [f"unfinished: {c}: {s!r}" for (c, s), done in kept.items() if not done]
for p in problems:
    print(p)
if problems:
    print("Run scripts/update-translations.sh with the English in translations/pending/*.tsv.")
    sys.exit(1)
print(f"{len(kept)} texts, all translated")
PY
