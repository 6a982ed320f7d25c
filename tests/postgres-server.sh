#!/bin/bash
# A private PostgreSQL server for one test run. "start STATE" makes a cluster in a temporary folder
# and starts it on a Unix socket there, with no TCP port; "stop STATE" stops it and removes the
# folder. STATE (in the build tree) receives "url", the maintenance database's URL, and "folder".
# The server refuses to run as root: a root run starts it as "nobody", and the tests connect through
# the socket as the database superuser named after the user running them.
set -u
action=${1:?start or stop}
state=${2:?state folder}
bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)

fail() {
    echo "postgres-server: $*" >&2
    cat "${folder:-/nonexistent}"/*.log >&2 2>/dev/null
    stop_server
    exit 1
}
as_server() {
    if [ "$(id -u)" = 0 ]; then (cd "$folder" && runuser -u nobody -- "$@"); else "$@"; fi
}
stop_server() {
    [ -f "$state/folder" ] || return 0
    folder=$(cat "$state/folder")
    [ -d "$folder/data" ] && as_server "$bindir/pg_ctl" stop -D "$folder/data" -m immediate -s >/dev/null 2>&1
    rm -rf -- "$folder" "$state/folder" "$state/url"
}

case "$action" in
start)
    [ -n "$bindir" ] || fail "no PostgreSQL server under /usr/lib/postgresql/*/bin (make deps installs it)"
    mkdir -p "$state" || fail "cannot make $state"
    stop_server # one left running by an interrupted run
    folder=$(mktemp -d "${TMPDIR:-/tmp}/gearlog-pg.XXXXXX") || fail "cannot make a temporary folder"
    echo "$folder" >"$state/folder"
    mkdir "$folder/socket"
    if [ "$(id -u)" = 0 ]; then chown -R nobody: "$folder" || fail "cannot give $folder to nobody"; fi
    as_server "$bindir/initdb" -D "$folder/data" -U "$(id -un)" --auth=trust -E UTF8 --locale=C.UTF-8 \
        >"$folder/initdb.log" 2>&1 || fail "initdb failed"
    # The cluster is thrown away after the run: nothing needs to reach the disk.
    options="-c listen_addresses= -c unix_socket_directories=$folder/socket -c fsync=off"
    options="$options -c synchronous_commit=off -c full_page_writes=off -c max_connections=40"
    as_server "$bindir/pg_ctl" start -D "$folder/data" -l "$folder/server.log" -w -t 60 -s -o "$options" ||
        fail "the server did not start"
    echo "postgresql:///postgres?host=$folder/socket" >"$state/url"
    echo "$("$bindir/postgres" --version) on $folder/socket"
    ;;
stop) stop_server ;;
*) fail "unknown action $action" ;;
esac
