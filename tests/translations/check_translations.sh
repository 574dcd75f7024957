#!/bin/sh
# The English translation file is what lupdate makes of today's sources, and
# every text in it is translated.
#   check_translations.sh LUPDATE SOURCE_DIR TS_FILE [lupdate options...]
set -eu
lupdate=$1 sources=$2 ts=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$ts" "$work/fresh.ts"
find "$sources" \( -name '*.cpp' -o -name '*.h' -o -name '*.ui' \) | LC_ALL=C sort > "$work/files"
"$lupdate" -silent "$@" @"$work/files" -ts "$work/fresh.ts" > "$work/lupdate.log" 2>&1 || {
  cat "$work/lupdate.log"; exit 1; }
status=0
if ! diff -u "$ts" "$work/fresh.ts" > "$work/diff"; then
  echo "translations/vektool_en.ts is behind the sources; bring it up to date with"
  echo "  cmake --build <build> --target update_translations"
  echo "and translate what it adds:"
  cat "$work/diff"
  status=1
fi
# A text with no English, or an empty one.
if grep -n -B2 -e 'type="unfinished"' -e '<translation></translation>' -e '<translation/>' "$work/fresh.ts"; then
  echo "the texts above have no finished English translation"
  status=1
fi
exit $status
