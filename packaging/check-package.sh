#!/usr/bin/env bash
# The Debian package as a user gets it: made from the finished build, unpacked into a scratch root,
# its programs run, its manual pages read, its desktop entry, file types and AppStream data
# validated and tried, and lintian finds no error in it.
# usage: check-package.sh BUILD_DIR APP_ID
set -euo pipefail
build=$(realpath "$1")
id=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack"; }
deb=$(echo "$work"/out/*.deb)
echo "package: $(basename "$deb")"
depends=$(dpkg-deb --field "$deb" Depends)
[[ $depends == *libqt6widgets6* && $depends == *libsndfile1* ]] ||
    fail "the dependencies from dpkg-shlibdeps are missing: $depends"
version=$(dpkg-deb --field "$deb" Version)
root=$work/root
dpkg -x "$deb" "$root"
usr=$root/usr

# The installed programs run with this machine's libraries.
"$usr/bin/ovbank" --help >"$work/help.txt" || fail "the installed ovbank --help"
[[ -x $usr/bin/orvelanta-bank-manager ]] || fail "no window program in bin/"

# The manual pages read without warnings; ovbank's names every command of the help.
for page in ovbank orvelanta-bank-manager; do
    MANWIDTH=200 man --warnings -l "$usr/share/man/man1/$page.1.gz" >"$work/$page.txt" \
        2>"$work/man.err" || fail "man -l $page"
    [[ ! -s $work/man.err ]] || fail "$page.1: $(cat "$work/man.err")"
done
commands=$(awk '/^Commands:/ { on = 1; next } /^$/ { on = 0 } on { print $1 }' "$work/help.txt")
[[ -n $commands ]] || fail "no commands in ovbank --help"
for command in $commands; do
    grep -q "^ *$command " "$work/ovbank.txt" || fail "ovbank.1 lacks the command $command"
done

# Desktop entry and AppStream data are valid and agree with the MIME types and the version.
desktop=$usr/share/applications/$id.desktop
metainfo=$usr/share/metainfo/$id.metainfo.xml
desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
grep -q "<release version=\"$version\"" "$metainfo" || fail "no release $version in $metainfo"
types=$(grep -o 'mime-type type="[^"]*"' "$usr"/share/mime/packages/*.xml | cut -d'"' -f2)
for type in $types; do
    grep -q "^MimeType=.*$type;" "$desktop" || fail "the desktop entry does not open $type"
    grep -q "<mediatype>$type</mediatype>" "$metainfo" || fail "the metainfo lacks $type"
done

# The file types: a script by its name, a bank file by its name or by its header alone.
mime=$work/share/mime
mkdir -p "$mime/packages" "$work/files"
cp "$usr"/share/mime/packages/*.xml "$mime/packages/"
XDG_DATA_DIRS=$work/share update-mime-database "$mime" 2>"$work/mime.err" && [[ ! -s $work/mime.err ]] ||
    fail "update-mime-database: $(cat "$work/mime.err")"
"$usr/bin/ovbank" --quiet new "$work/files/Accordion.ovs" || fail "ovbank new"
cp "$work/files/Accordion.ovs" "$work/files/ACCORDION.OVB"
cp "$work/files/Accordion.ovs" "$work/files/Accordion"
expect_type() {
    local found
    found=$(XDG_DATA_DIRS=$work/share XDG_DATA_HOME=$work/none \
        gio info -a standard::content-type "$work/files/$1" | sed -n 's/.*content-type: //p')
    [[ $found == "$2" ]] || fail "$1 is seen as '$found', not $2"
}
expect_type Accordion.ovs application/x-orvelanta-script
expect_type ACCORDION.OVB application/x-orvelanta-bank
expect_type Accordion application/x-orvelanta-bank

# The icon: one picture per theme size, of the size its folder names.
icons=("$usr"/share/icons/hicolor/*/apps/"$id".png)
((${#icons[@]} >= 5)) || fail "the icon comes in ${#icons[@]} sizes"
for icon in "${icons[@]}"; do
    size=$(basename "$(dirname "$(dirname "$icon")")")
    file "$icon" | grep -q "PNG image data, ${size/x/ x }," || fail "$icon is not $size"
done

lintian --fail-on error --display-level '>=warning' "$deb" || fail "lintian"
echo "package checked"
