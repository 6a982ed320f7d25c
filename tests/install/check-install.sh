#!/usr/bin/env bash
# Installs into a scratch prefix, starts the installed program on an empty home folder twice,
# and checks the Debian package's contents.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
home=$work/home
mkdir -p "$home"

cmake --install "$build" --prefix "$prefix" > /dev/null
for f in bin/gearlog share/gearlog/ShopData.mdb share/gearlog/Pictures/sample-car.png \
         share/gearlog/Gear-Log.html share/gearlog/Help/Gear-Log.html \
         share/applications/gearlog.desktop share/metainfo/gearlog.metainfo.xml \
         share/icons/hicolor/scalable/apps/gearlog.svg share/icons/hicolor/48x48/apps/gearlog.png; do
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

(cd "$build" && cpack -G DEB > /dev/null)
deb=$(ls -t "$build"/gearlog_*.deb | head -1)
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/gearlog ./usr/share/gearlog/ShopData.mdb ./usr/share/applications/gearlog.desktop \
         ./usr/share/icons/hicolor/scalable/apps/gearlog.svg ./usr/share/metainfo/gearlog.metainfo.xml; do
    grep -q " $f\$" <<< "$contents" || { echo "missing in the package: $f"; exit 1; }
done
echo "1 passed, 0 failed"
