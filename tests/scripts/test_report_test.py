#!/usr/bin/env python3
"""scripts/test-report.py on made-up CTest output: what the closing lines of test.sh count."""
import importlib.util
import json
import os
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
spec = importlib.util.spec_from_file_location(
    "test_report", os.path.join(HERE, "..", "..", "scripts", "test-report.py"))
report = importlib.util.module_from_spec(spec)
spec.loader.exec_module(report)

JUNIT = """<?xml version="1.0" encoding="UTF-8"?>
<testsuite name="(empty)" tests="6" failures="1">
  <testcase name="Launch.Shows" time="2.5" status="run"/>
  <testcase name="Drag.Moves" time="1.25" status="fail"><failure message=""/></testcase>
  <testcase name="Hostile.TwentyMB" time="120.0" status="run"/>
  <testcase name="win_unit_tests" time="9.0" status="run"/>
  <testcase name="Notes.ImportsOnlySystemDlls" time="0.5" status="run"/>
  <testcase name="Later.NeverStarted" time="0" status="notrun"/>
</testsuite>
"""
TESTS = {"tests": [
    {"name": "Launch.Shows", "properties": [{"name": "LABELS", "value": ["smoke"]}]},
    {"name": "Drag.Moves", "properties": [{"name": "LABELS", "value": ["full"]}]},
    {"name": "Hostile.TwentyMB", "properties": [{"name": "LABELS", "value": ["slow"]},
                                                {"name": "TIMEOUT", "value": 600}]},
    {"name": "win_unit_tests", "properties": [{"name": "LABELS", "value": ["unit"]}]},
    {"name": "Notes.ImportsOnlySystemDlls", "properties": []},
    {"name": "Later.NeverStarted", "properties": [{"name": "LABELS", "value": ["full"]}]},
]}


class TestReport(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.junit = self.write("junit.xml", JUNIT)
        self.tests = self.write("tests.json", json.dumps(TESTS))

    def tearDown(self):
        self.dir.cleanup()

    def write(self, name, text):
        path = os.path.join(self.dir.name, name)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        return path

    def test_counts_the_system_tests_that_ran_by_label(self):
        self.assertEqual(report.counts(self.tests, self.junit),
                         "system=3 failed=1 unit=1 smoke=1 full=1 slow=1")

    def test_a_run_without_junit_ran_nothing(self):
        self.assertEqual(report.counts(self.tests, os.path.join(self.dir.name, "none.xml")),
                         "system=0 failed=0 unit=0 smoke=0 full=0 slow=0")

    def test_slowest_across_runs_longest_first_and_no_more_than_asked(self):
        other = self.write("other.xml", '<testsuite><testcase name="Win64.Slow" time="30" '
                                        'status="run"/></testsuite>')
        lines = report.slowest(3, [f"win32={self.junit}", f"win64={other}"]).splitlines()
        self.assertEqual([line.split() for line in lines],
                         [["120.0", "s", "win32", "Hostile.TwentyMB"],
                          ["30.0", "s", "win64", "Win64.Slow"],
                          ["9.0", "s", "win32", "win_unit_tests"]])


if __name__ == "__main__":
    unittest.main()
