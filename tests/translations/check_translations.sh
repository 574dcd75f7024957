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
# Every translation names the values its source names, each as often (%1 to
# %9, in any order), and no text is a printf pattern: a slip there would show
# a wrong word or read memory that is not there.
if ! awk -v RS='</message>' '
function count(t,   out, d, n, s) {
  out = ""
  for (d = 1; d <= 9; d++) {
    n = 0; s = t
    while ((i = index(s, "%" d)) > 0) { n++; s = substr(s, i + 2) }
    out = out n ","
  }
  return out
}
/<source>/ {
  src = $0; sub(/.*<source>/, "", src); sub(/<\/source>.*/, "", src)
  if (src ~ /%(\.[0-9]+|0[0-9]+)?(l?l?d|s|u|x|X)/) { print "a printf pattern: " src; bad = 1 }
  if ($0 !~ /<translation[^>]*>/ || $0 ~ /type="(vanished|obsolete)"/) next
  tr = $0; sub(/.*<translation[^>]*>/, "", tr); sub(/<\/translation>.*/, "", tr)
  if (tr ~ /%(\.[0-9]+|0[0-9]+)?(l?l?d|s|u|x|X)/) { print "a printf pattern: " tr; bad = 1 }
  if (count(src) != count(tr)) { print "placeholders differ:\n  " src "\n  " tr; bad = 1 }
}
END { exit bad }' "$ts"; then
  echo "the translations above do not name their sources' values"
  status=1
fi
exit $status
