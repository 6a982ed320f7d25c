#!/usr/bin/env python3
"""The program against the file system, as a user meets it: read-only files and folders, a log
left by a crash, a file cut short, a full disk, backups that cannot be made, paths that are not
database files, and restoring a backup. Permissions mean nothing to the superuser: run as root,
the program is run as "nobody" (setpriv) on copies in a folder of its own.

Usage: check-file-safety.py GEARLOG
"""

import os
import resource
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile

program = sys.argv[1]
failures = []
as_root = os.geteuid() == 0
NOBODY = 65534


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what)


def run(*args, file_limit=None):
    def drop():
        if file_limit is not None:  # a full disk without privileges: writes past it fail with EFBIG
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            resource.setrlimit(resource.RLIMIT_FSIZE, (file_limit, file_limit))
        if as_root:
            os.setgroups([]), os.setgid(NOBODY), os.setuid(NOBODY)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", HOME=work, XDG_RUNTIME_DIR=os.path.join(work, "runtime"))
    return subprocess.run([gearlog, *args], capture_output=True, text=True, timeout=120, preexec_fn=drop, env=env)


def state(folder):
    """Every file of the folder with its bytes."""
    return {name: open(os.path.join(folder, name), "rb").read() for name in sorted(os.listdir(folder))}


def folder(name, change=None):
    """A folder of the user's own holding a copy of the sample; change leaves a committed
    transaction in the log, as a program killed after it would."""
    path = os.path.join(work, name)
    os.mkdir(path)
    db = os.path.join(path, "ShopData.mdb")
    shutil.copy(sample, db)
    if change:
        connection = sqlite3.connect(db)
        for sql in ("PRAGMA journal_mode = WAL", "PRAGMA wal_autocheckpoint = 0", change):
            connection.execute(sql)
        connection.commit()
        # Closing would write the log into the file: what a crash leaves is kept aside first.
        for name in (db, db + "-wal"):
            shutil.copy(name, name + ".kept")
        connection.close()
        for name in (db, db + "-wal"):
            shutil.move(name + ".kept", name)
    own(path)
    return path, db


def own(path):
    if as_root:
        for root, dirs, files in os.walk(path):
            for name in [root] + [os.path.join(root, f) for f in dirs + files]:
                os.chown(name, NOBODY, NOBODY)


with tempfile.TemporaryDirectory() as work:
    os.chmod(work, 0o755)
    os.mkdir(os.path.join(work, "runtime"), 0o700)
    own(os.path.join(work, "runtime"))
    gearlog = os.path.join(work, "gearlog")  # the checkout may sit where nobody cannot enter
    shutil.copy(program, gearlog)
    os.chmod(gearlog, 0o755)
    out = lambda name: os.path.join(work, "out", name)
    os.mkdir(os.path.join(work, "out"))
    own(os.path.join(work, "out"))
    sample = os.path.join(work, "sample.mdb")
    project = out("sample.json")
    subprocess.run([gearlog, "--create-database", sample], check=True, capture_output=True)
    subprocess.run([gearlog, "--database", sample, "--export-project", "--car", "1", "--output", project],
                   check=True, capture_output=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))

    # A read-only file is shown and leaves nothing beside it that would break it once writable.
    path, db = folder("readonly-file")
    os.chmod(db, 0o444)
    r = run("--database", db, "--report", "materials", "--car", "1", "--output", out("m.txt"))
    check(r.returncode == 0 and os.listdir(path) == ["ShopData.mdb"], f"read-only file: {r.stderr} {os.listdir(path)}")
    os.chmod(db, 0o644)
    r = run("--database", db, "--import-project", project)
    check(r.returncode == 0, f"writable again: {r.stderr}")

    # A read-only folder, with a change still in the log: shown, reported and exported with it,
    # and left byte for byte.
    path, db = folder("readonly-folder", change="UPDATE Car SET Description = 'Changed in the log'")
    before = state(path)
    os.chmod(path, 0o555)
    for args, name in ((["--report", "plan"], "p.txt"), (["--csv", "materials"], "m.csv"),
                       (["--export-project"], "e.json"), (["--timeline"], "t.json")):
        r = run("--database", db, *args, "--car", "1", "--output", out(name))
        check(r.returncode == 0, f"read-only folder {name}: {r.stderr}")
    check("Changed in the log" in open(out("p.txt"), encoding="utf-8").read(), "the logged change is shown")
    r = run("--database", db, "--check-start")  # the window opens on it too
    check(r.returncode == 0 and "started on" in r.stdout, f"read-only folder window: {r.stdout} {r.stderr}")
    check(state(path) == before, "the read-only folder was changed")
    os.chmod(path, 0o755)

    # A file cut short with a log beside it is refused before the log is replayed onto it.
    path, db = folder("cut-short", change="UPDATE Car SET Description = 'Logged'")
    with open(db, "r+b") as f:
        f.truncate(os.path.getsize(db) // 2)
    before = state(path)
    r = run("--database", db, "--import-project", project)
    check(r.returncode == 1 and "shorter than it should be" in r.stderr, f"cut short: {r.stderr}")
    check(state(path) == before, "the file cut short was written to")

    # A full disk: every output fails with its reason, and a good file of that name stays.
    path, db = folder("full-disk")
    os.chmod(db, 0o444)  # read as it is: the limit hits only the output
    for args, name in ((["--report", "plan"], "f.txt"), (["--report", "plan"], "f.pdf"), (["--csv", "materials"], "f.csv"),
                       (["--export-project"], "f.json"), (["--timeline"], "f.pdf"), (["--timeline"], "f.svg")):
        target = out(name)
        with open(target, "w") as f:
            f.write("good")
        own(target)
        r = run("--database", db, *args, "--car", "1", "--output", target, file_limit=2048)
        check(r.returncode == 1 and "File too large" in r.stderr and open(target).read() == "good",
              f"full disk {args} {name}: {r.returncode} {r.stderr}")
        check(not [n for n in os.listdir(out("")) if n.endswith(".part")], f"full disk {name}: a partial file was left")

    # Backups that cannot be made are said at each start.
    path, db = folder("no-backups")
    os.mkdir(os.path.join(path, "backups"), 0o555)
    own(path)
    r = run("--database", db, "--check-start")
    check(r.returncode == 0 and "No backup was made" in r.stderr, f"unwritable backups: {r.stderr}")

    # Paths that are not database files are named for what they are.
    os.symlink("loop-b", os.path.join(work, "loop-a"))
    os.symlink("loop-a", os.path.join(work, "loop-b"))
    for given, said in ((work, "is a folder"), (os.devnull, "special file"), (os.path.join(work, "loop-a"), "a loop")):
        r = run("--database", given, "--report", "plan", "--car", "1", "--output", out("x.txt"))
        check(r.returncode == 1 and said in r.stderr, f"{given}: {r.stderr}")

    # Record numbers past 2**31 are numbers like any other: an import across the border keeps
    # every relation, and the project shows with its numbers.
    path, db = folder("keys")
    with sqlite3.connect(db) as c:
        c.execute("UPDATE sqlite_sequence SET seq = 2147483640")
    c.close()
    r = run("--database", db, "--import-project", project)
    check(r.returncode == 0 and int(r.stdout) == 2147483641, f"keys: {r.stdout} {r.stderr}")
    with sqlite3.connect(db) as c:
        lost = c.execute("SELECT COUNT(*) FROM Component WHERE assemblyid NOT IN (SELECT assemblyid FROM Assembly) "
                         "OR (ActivityID IS NOT NULL AND ActivityID NOT IN (SELECT ActivityID FROM Activity))").fetchone()
    c.close()
    check(lost == (0,), f"keys: components lost their assembly or activity: {lost}")
    r = run("--database", db, "--report", "plan", "--car", "2147483641", "--output", out("k.txt"))
    check(r.returncode == 0 and "Project:  1956 F-100 Pickup" in open(out("k.txt")).read(), f"wide keys: {r.stderr}")

    # Restoring after a crash left a log: the backup goes in whole, without the stale log, and
    # the file set aside keeps the change the log held.
    path, db = folder("restore", change="UPDATE Car SET Description = 'After the backup'")
    os.mkdir(os.path.join(path, "backups"))
    shutil.copy(sample, os.path.join(path, "backups", "ShopData-2026-01-01.mdb"))
    own(path)
    r = run("--database", db, "--list-backups")
    check("1 project  " in r.stdout, f"list: {r.stdout} {r.stderr}")
    r = run("--database", db, "--restore-backup", os.path.join(path, "backups", "ShopData-2026-01-01.mdb"))
    check(r.returncode == 0 and sorted(os.listdir(path)) == ["ShopData.mdb", "backups"], f"restore: {r.stderr}")
    aside = [n for n in os.listdir(os.path.join(path, "backups")) if "before-restore" in n and n.endswith(".mdb")]
    check(len(aside) == 1, f"set aside: {aside}")
    for file, wanted in ((db, "1956"), (os.path.join(path, "backups", *aside[:1]), "After the backup")):
        with sqlite3.connect(f"file:{file}?mode=ro", uri=True) as c:
            check(c.execute("PRAGMA integrity_check").fetchone()[0] == "ok", f"{file} damaged")
            check(wanted in c.execute("SELECT Description FROM Car").fetchone()[0], f"{file} holds the wrong project")
        c.close()

print(f"{len(failures)} failures")
sys.exit(1 if failures else 0)
