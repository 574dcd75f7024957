#!/bin/sh
# The translation check catches a translator's slip: each broken copy of the
# English file (a value dropped, a value that does not exist, a printf
# directive) must fail it, and the file as it is must pass.
#   placeholder_slips.sh CHECK LUPDATE SOURCE_DIR TS_FILE [lupdate options...]
set -u
check=$1 lupdate=$2 sources=$3 ts=$4
shift 4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
sh "$check" "$lupdate" "$sources" "$ts" "$@" > "$work/log" 2>&1 || { echo "the file as it is fails:"; cat "$work/log"; status=1; }
for slip in 's#<translation>Allowed: %1 to %2 %3</translation>#<translation>Allowed: %1 to %3</translation>#' \
            's#<translation>Allowed: %1 to %2 %3</translation>#<translation>Allowed: %1 to %2 %4</translation>#' \
            's#<translation>Allowed: %1 to %2 %3</translation>#<translation>Allowed: %1 to %2 %s</translation>#'; do
  sed "$slip" "$ts" > "$work/broken.ts"
  if cmp -s "$ts" "$work/broken.ts"; then echo "the slip did not apply: $slip"; status=1; continue; fi
  if sh "$check" "$lupdate" "$sources" "$work/broken.ts" "$@" > "$work/log" 2>&1; then
    echo "not caught: $slip"; status=1
  elif ! grep -q "placeholders differ\|a printf pattern" "$work/log"; then
    echo "caught, but not for its placeholders: $slip"; cat "$work/log"; status=1
  fi
done
exit $status
