#!/usr/bin/env bash
# The core library must build without widgets: no file under src/core may include a header of
# QtWidgets or QtPrintSupport, nor anything of the UI library. Usage: check-layers.sh SRC QT_INCLUDE_DIR
set -u
src=$1
qt=$2
status=0
while IFS= read -r file; do
    while IFS= read -r header; do
        name=${header#QtWidgets/}
        name=${name#QtPrintSupport/}
        if [[ $header == QtWidgets/* || $header == QtPrintSupport/* || $header == QtWidgets || $header == QtPrintSupport ]] \
            || [[ -e $qt/QtWidgets/$name || -e $qt/QtPrintSupport/$name ]] \
            || { [[ -e $src/ui/$header ]] && [[ ! -e $src/core/$header ]]; }; then
            echo "${file#$src/}: includes $header, which belongs to the user interface"
            status=1
        fi
    done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/p' "$file")
done < <(find "$src/core" -type f \( -name '*.h' -o -name '*.cpp' \))
[[ $status == 0 ]] && echo "core includes no widget or user interface header"
exit $status
