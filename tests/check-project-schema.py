#!/usr/bin/env python3
"""Project files against data/gearlog-project.schema.json, with the real program: what
--export-project writes validates, and a file that breaks the schema is refused by
--import-project, naming the field, with the database left as it was.

Usage: check-project-schema.py GEARLOG SCHEMA.json
"""

import copy
import json
import os
import sqlite3
import subprocess
import sys
import tempfile

import jsonschema

program, schema_path = sys.argv[1:3]
with open(schema_path, encoding="utf-8") as f:
    schema = json.load(f)
Validator = jsonschema.validators.validator_for(schema)
Validator.check_schema(schema)
validator = Validator(schema)
failures = []
checks = 0
MISSING = object()  # a field left out


def check(ok, what):
    global checks
    checks += 1
    if not ok:
        failures.append(what)
        print("FAIL:", what)


def gearlog(*args):
    return subprocess.run([program, *args], capture_output=True, text=True, timeout=60)


def errors(document):
    return ["/".join(map(str, e.absolute_path)) + ": " + e.message for e in validator.iter_errors(document)]


def blank(part, **fields):
    """An object of the schema's part with every field Null and every list empty, but for those given."""
    properties = part["properties"]
    document = {name: [] if properties[name].get("type") == "array" else None for name in part["required"]}
    document.update(fields)
    return document


def exported(database, car, name):
    path = os.path.join(work, name)
    run = gearlog("--database", database, "--export-project", "--car", str(car), "--output", path)
    check(run.returncode == 0, f"{name}: export failed: {run.stderr}")
    with open(path, encoding="utf-8") as f:
        document = json.load(f)
    for error in errors(document):
        check(False, f"{name} does not validate: {error}")
    return document


def imported(database, document, name):
    path = os.path.join(work, name)
    with open(path, "w", encoding="utf-8") as f:
        json.dump(document, f, ensure_ascii=False)
    return gearlog("--database", database, "--import-project", path)


def dump(database):
    with sqlite3.connect(database) as connection:
        text = "\n".join(connection.iterdump())
    connection.close()
    return text


top = schema["properties"]
assembly_part = top["assemblies"]["items"]
phase_part = top["phases"]["items"]
component_part = assembly_part["properties"]["components"]["items"]
activity_part = phase_part["properties"]["activities"]["items"]

# Nulls, empty texts, the longest texts (non-ASCII), the largest amounts and numbers, one
# component attached to an activity and one not, an empty assembly and phase.
attached = blank(component_part, Description="Bolt ½\"", SupplierName="Ærø Delar", quantity=999999,
                 targetcost="0.0001", actualcost="-9999999.99", wishlist=1, activity=-7)
detached = blank(component_part, Description="", quantity=-999999, targetcost="9999999.99", activity=None)
activity = blank(activity_part, key=-7, Description="Schleifen", Status=-32768, prioritysequence=2147483647,
                 targetstartdate="0100-01-01", targetstopdate="9999-12-31", targeteffort=0.25, actualeffort=-999999)
awkward = blank(schema, format="gearlog-project", version=1, car=blank(
    top["car"], Description="Ż" * 30, make="🚗" * 20, Year="1956", purchaseprice="999999999",
    resalevalue="-999999999", imagepath="", Status=32767, note1="ü" * 50, note3="🚗 ok"))
awkward["suppliers"] = [blank(top["suppliers"]["items"], Name="Ærø Delar", State="ÆØ", Email="")]
awkward["assemblies"] = [
    blank(assembly_part, key=1, Description="Körper", components=[attached, detached, blank(component_part)]),
    blank(assembly_part, key=2, Description="Zubehör")]
awkward["phases"] = [
    blank(phase_part, key=5, activities=[activity, blank(activity_part, key=2147483647)]),
    blank(phase_part, key=6, prioritysequence=0)]
empty = blank(schema, format="gearlog-project", version=1, car=blank(top["car"]))

with tempfile.TemporaryDirectory() as work:
    database = os.path.join(work, "projects.mdb")
    run = gearlog("--create-database", database)
    check(run.returncode == 0, f"the sample database was not created: {run.stderr}")
    exported(database, 1, "sample.json")

    # Not a project at all: an array is told what a project file is; an endless device is not
    # read to its end.
    run = imported(database, [1, 2], "array.json")
    check(run.returncode == 1 and "one JSON object" in run.stderr, f"an array: {run.returncode} {run.stderr}")
    run = gearlog("--database", database, "--import-project", "/dev/zero")
    check(run.returncode == 1 and "larger than 64 MB" in run.stderr, f"/dev/zero: {run.returncode} {run.stderr}")

    files = {}
    for name, document in (("awkward.json", awkward), ("empty.json", empty)):
        check(not errors(document), f"{name}: the test's own file breaks the schema: {errors(document)}")
        run = imported(database, document, name)
        check(run.returncode == 0, f"{name}: import failed: {run.stderr}")
        if run.returncode == 0:
            files[name] = exported(database, int(run.stdout), "again-" + name)

    # The exported awkward project keeps one component on its activity's new key and one off any.
    back = files.get("awkward.json")
    if back:
        keys = {a["key"] for p in back["phases"] for a in p["activities"]}
        links = [c["activity"] for a in back["assemblies"] for c in a["components"]]
        check(None in links and any(k in keys for k in links), f"attached and detached components: {links}")

        # Each file breaks the schema in one place; import names that place and adds nothing.
        with_components = next(i for i, a in enumerate(back["assemblies"]) if a["components"])
        with_activities = next(i for i, p in enumerate(back["phases"]) if p["activities"])
        component = f"assemblies[{with_components}].components[0]"
        activity = f"phases[{with_activities}].activities[0]"
        violations = [
            ("car.purchaseprice", "$1,234.50"), ("car.resalevalue", " 12"), ("car.totalbudget", "+1"),
            (component + ".targetcost", "1.23456"), (component + ".targetcost", ".5"),
            (component + ".actualcost", "12."), (component + ".actualcost", "1e3"),
            (activity + ".targetstartdate", "2026/03/31"), (activity + ".actualstopdate", "2026.03.31"),
            (activity + ".targetstopdate", "2026-3-31"), (component + ".wishlist", 2),
            (component + ".quantity", 1.5),
            # Past the editor's limits: totals of such rows would be past what money holds.
            ("car.totalbudget", "1000000000"), (component + ".targetcost", "99999999999999"),
            (component + ".quantity", 1000000), (activity + ".targeteffort", 1e15), ("car.Status", 32768),
            ("phases[0].Description", "Ä" * 31), ("suppliers[0].Email", MISSING),
        ]
        before = dump(database)
        for where, value in violations:
            bad = copy.deepcopy(back)
            *parents, field = where.replace("]", "").replace("[", ".").split(".")
            holder = bad
            for step in parents:
                holder = holder[int(step)] if step.isdigit() else holder[step]
            if value is MISSING:
                del holder[field]
            else:
                holder[field] = value
            check(errors(bad), f"{where} = {value!r} should break the schema")
            run = imported(database, bad, "bad.json")
            check(run.returncode == 1 and f"{where}: " in run.stderr,
                  f"{where} = {value!r}: import said {run.returncode} {run.stdout}{run.stderr}")
        check(dump(database) == before, "a refused file changed the database")

print(f"{checks - len(failures)} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
