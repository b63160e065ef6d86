#!/usr/bin/env bash
# Refreshes the translation sources resources/translations/printdeck_*.ts
# from the texts marked for translation in the program's sources. Texts
# that are gone from the sources are dropped; new ones are added
# unfinished. Run it after changing a translated text and commit the
# result (tests/app checks that the catalogues are complete).
set -euo pipefail

src=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
lupdate=${LUPDATE:-lupdate}
cd "$src"
ts=()
for lang in en fr de it pt es; do
  ts+=("resources/translations/printdeck_$lang.ts")
done
"$lupdate" -silent -no-obsolete -locations none -extensions cpp,h -I "$src" \
  app printing model ui tabs profiles -ts "${ts[@]}"
