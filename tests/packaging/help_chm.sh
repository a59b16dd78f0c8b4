#!/bin/sh
# The compiled help as a help viewer reads it: unpacked with extract_chmLib, it holds every page
# of the help sources, the table of contents and the index (also in the viewer's binary form);
# every page is in the table of contents; every link of a page, of the contents and of the index
# leads to a file inside, and to an anchor that the target page has; no template placeholder is
# left and every page names the product.
# Usage: help_chm.sh HELP_CHM HELP_SOURCES_DIR  (BRAND_PRODUCT set)
set -u
chm=$1
sources=$(cd "$2" && pwd) || exit 1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "help_chm: $*" >&2; failures=$((failures + 1)); }

[ -f "$chm" ] || { echo "help_chm: no $chm" >&2; exit 1; }
command -v extract_chmLib >/dev/null ||
  { echo "help_chm: extract_chmLib (Debian package libchm-bin) is missing" >&2; exit 1; }
extract_chmLib "$chm" "$work/chm" >/dev/null || { echo "help_chm: cannot unpack $chm" >&2; exit 1; }
cd "$work/chm" || exit 1

# Contents, index, and the index in the form the viewer's Index tab searches.
for f in Help.hhc Help.hhk '$WWKeywordLinks/BTree'; do
  [ -s "$f" ] || fail "no $f inside"
done

pages=$(cd "$sources" && ls ./*.html | sed 's|^\./||')
[ -n "$pages" ] || { echo "help_chm: no pages in $sources" >&2; exit 1; }
for page in $pages style.css; do
  [ -s "$page" ] || fail "page $page is missing"
done

# Local values of the contents and the index, one per line.
locals() { grep -io '<param name="Local" value="[^"]*"' "$1" | sed 's/.*value="//; s/"$//'; }
toc=$(locals Help.hhc)
for page in $pages; do
  printf '%s\n' "$toc" | sed 's/#.*//' | grep -qx "$page" || fail "$page is not in the contents"
done
[ "$(locals Help.hhk | wc -l)" -ge 50 ] || fail "the index has fewer than 50 entries"

# check_link FROM TARGET: TARGET (file, file#anchor or #anchor) exists inside.
check_link() {
  from=$1
  target=$2
  case "$target" in
    http://* | https://* | mailto:*) return ;;
  esac
  file=${target%%#*}
  [ -z "$file" ] && file=$from
  anchor=""
  case "$target" in *#*) anchor=${target#*#} ;; esac
  if [ ! -f "$file" ]; then
    fail "$from links to $target: no $file"
    return
  fi
  if [ -n "$anchor" ] && ! grep -Eq "(id|name)=\"$anchor\"" "$file"; then
    fail "$from links to $target: no anchor $anchor in $file"
  fi
}
for page in $pages; do
  for target in $(grep -Eo '(href|src)="[^"]*"' "$page" | sed 's/^[a-z]*="//; s/"$//'); do
    check_link "$page" "$target"
  done
done
for list in Help.hhc Help.hhk; do
  for target in $(locals "$list"); do
    check_link "$list" "$target"
  done
done

# The pages carry the product name as HTML text.
product_html=$(printf '%s' "$BRAND_PRODUCT" |
  sed 's/&/\&amp;/g; s/</\&lt;/g; s/>/\&gt;/g; s/"/\&quot;/g')
for page in $pages; do
  grep -q '<title>[^<]' "$page" || fail "$page has no title"
  grep -Eq '@[A-Z_]+@' "$page" && fail "$page keeps a placeholder: $(grep -Eo '@[A-Z_]+@' "$page" | head -1)"
  grep -qF "$product_html" "$page" || fail "$page does not name the product $BRAND_PRODUCT"
done
grep -Eq '@[A-Z_]+@' Help.hhc Help.hhk && fail "the contents or index keep a placeholder"

[ "$failures" -eq 0 ] || exit 1
echo "help_chm: passed ($(echo "$pages" | wc -l) pages)"
