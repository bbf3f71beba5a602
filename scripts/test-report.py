#!/usr/bin/env python3
"""What a CTest run did, for the closing lines of scripts/test.sh.

  test-report.py counts <tests.json> <junit.xml>
      "system=N failed=N smoke=N full=N slow=N unit=N": the tests that ran, by label,
      from `ctest --show-only=json-v1` (the labels) and `ctest --output-junit` (what ran).
      System tests carry one of the labels smoke, full and slow.
  test-report.py slowest <count> <name>=<junit.xml>...
      The slowest tests of the runs, one a line: seconds, run, test.
"""
import json
import sys
import xml.etree.ElementTree as ElementTree

SYSTEM_LABELS = ("smoke", "full", "slow")


def ran(junit_path):
    """(name, seconds, passed) of every test the run started."""
    try:
        root = ElementTree.parse(junit_path).getroot()
    except (OSError, ElementTree.ParseError):
        return []
    cases = []
    for case in root.iter("testcase"):
        if case.get("status") in ("notrun", "disabled"):
            continue
        failed = case.find("failure") is not None or case.get("status") == "fail"
        cases.append((case.get("name", ""), float(case.get("time", "0") or 0), not failed))
    return cases


def labels(tests_json_path):
    with open(tests_json_path, encoding="utf-8") as f:
        info = json.load(f)
    found = {}
    for test in info.get("tests", []):
        for prop in test.get("properties", []):
            if prop.get("name") == "LABELS":
                found[test["name"]] = list(prop.get("value", []))
    return found


def counts(tests_json_path, junit_path):
    by_name = labels(tests_json_path)
    result = {"system": 0, "failed": 0, "unit": 0, **{label: 0 for label in SYSTEM_LABELS}}
    for name, _, passed in ran(junit_path):
        test_labels = by_name.get(name, [])
        if any(label in SYSTEM_LABELS for label in test_labels):
            result["system"] += 1
            if not passed:
                result["failed"] += 1
        for label in test_labels:
            if label in result:
                result[label] += 1
    return " ".join(f"{key}={value}" for key, value in result.items())


def slowest(count, runs):
    timed = []
    for run in runs:
        name, _, path = run.partition("=")
        timed += [(seconds, name, test) for test, seconds, _ in ran(path)]
    timed.sort(key=lambda entry: -entry[0])
    return "\n".join(f"{seconds:7.1f} s  {run:6}  {test}" for seconds, run, test in timed[:count])


def main(argv):
    if len(argv) == 4 and argv[1] == "counts":
        print(counts(argv[2], argv[3]))
    elif len(argv) >= 4 and argv[1] == "slowest":
        print(slowest(int(argv[2]), argv[3:]))
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
