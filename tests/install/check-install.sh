#!/usr/bin/env bash
# Installs into a scratch prefix, starts the installed program on an empty home folder twice,
# checks the manual page against --help, and checks the Debian package's contents; lintian and
# appstreamcli, where installed, must find nothing to complain about.
set -euo pipefail
build=$1
here=$(dirname "$0")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
home=$work/home
mkdir -p "$home"
id=org.example.GearLog

cmake --install "$build" --prefix "$prefix" > /dev/null
for f in bin/gearlog share/gearlog/ShopData.mdb share/gearlog/Pictures/sample-car.png \
         share/gearlog/Gear-Log.html share/gearlog/Help/Gear-Log.html \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png \
         share/man/man1/gearlog.1.gz share/doc/gearlog/copyright share/doc/gearlog/changelog.Debian.gz; do
    [ -f "$prefix/$f" ] || { echo "missing after install: $f"; exit 1; }
done

start() {
    env -i PATH="$PATH" HOME="$home" QT_QPA_PLATFORM=offscreen GEARLOG_DIALOGS=stderr \
        "$prefix/bin/gearlog" --check-start 2> /dev/null
}
first=$(start)
expected="$home/.local/share/gearlog/ShopData.mdb"
echo "$first"
[[ "$first" == *"started on $expected with 1 projects"* ]] || { echo "first start did not seed $expected"; exit 1; }
inode=$(stat -c %i "$expected")
second=$(start)
[[ "$second" == *"started on $expected"* ]] || { echo "second start used another database"; exit 1; }
[ "$(stat -c %i "$expected")" = "$inode" ] || { echo "second start replaced the database"; exit 1; }

# The portable layout wins when a database lies beside the program.
cp "$prefix/share/gearlog/ShopData.mdb" "$prefix/bin/ShopData.mdb"
[[ "$(start)" == *"started on $prefix/bin/ShopData.mdb"* ]] || { echo "beside-the-program database ignored"; exit 1; }

bash "$here/check-manpage.sh" "$prefix/bin/gearlog" "$prefix/share/man/man1/gearlog.1.gz"

# One version everywhere: the program's, the newest release in the metainfo, the newest changelog entry.
version=$("$prefix/bin/gearlog" --version | awk '{ print $NF }')
release=$(grep -m1 -o '<release version="[^"]*"' "$prefix/share/metainfo/$id.metainfo.xml" | cut -d'"' -f2)
[ "$release" = "$version" ] || { echo "the metainfo's newest release is $release, the program $version"; exit 1; }
entry=$(zcat "$prefix/share/doc/gearlog/changelog.Debian.gz" | head -1 | sed -n 's/^gearlog (\(.*\)).*/\1/p')
[ "${entry%-*}" = "$version" ] || { echo "the changelog's newest entry is $entry, the program $version"; exit 1; }

# The menu entry shows the icon installed under the same id.
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" || { echo "the menu entry's icon is not $id"; exit 1; }
# AppStream's hints too (a missing content rating is one), not only its errors and warnings;
# validate-tree also looks for the desktop entry the metainfo names.
appstream() {
    local said
    said=$(appstreamcli "$@" 2>&1) || { echo "$said"; exit 1; }
    echo "$said"
    ! grep -Eq '(errors|warnings|infos): [0-9]' <<< "$said" || exit 1
}
if command -v appstreamcli > /dev/null; then
    appstream validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
    appstream validate-tree --no-net "$prefix"
fi

(cd "$build" && cpack -G DEB > /dev/null)
deb=$(ls -t "$build"/gearlog_*.deb | head -1)
[ "$(dpkg-deb -f "$deb" Version)" = "$entry" ] || { echo "the package's version is not the changelog's $entry"; exit 1; }
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/gearlog ./usr/share/gearlog/ShopData.mdb ./usr/share/applications/$id.desktop \
         ./usr/share/icons/hicolor/scalable/apps/$id.svg ./usr/share/metainfo/$id.metainfo.xml \
         ./usr/share/man/man1/gearlog.1.gz ./usr/share/doc/gearlog/copyright \
         ./usr/share/doc/gearlog/changelog.Debian.gz; do
    grep -q " $f\$" <<< "$contents" || { echo "missing in the package: $f"; exit 1; }
done

if command -v lintian > /dev/null; then
    # Lintian unpacks what it checks and asks not to be run as root: as root, it runs as nobody
    # on a copy of the package that nobody can read.
    checked=$(mktemp -d)
    trap 'rm -rf "$work" "$checked"' EXIT
    cp "$deb" "$checked/"
    chmod 755 "$checked" && chmod 644 "$checked"/*.deb
    as=()
    [ "$(id -u)" = 0 ] && as=(setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$checked")
    (cd "$checked" && "${as[@]}" lintian --fail-on error,warning "$checked/$(basename "$deb")") \
        || { echo "lintian finds fault with $(basename "$deb")"; exit 1; }
    echo "lintian: no errors or warnings in $(basename "$deb")"
fi
echo "1 passed, 0 failed"
