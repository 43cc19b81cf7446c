#!/usr/bin/env python3
"""The machine-readable reports say what the text says. Every input of the case tables, the sample
files and names that need escaping (',', ':', '%', bytes that are not UTF-8) are checked as one
folder in each format: the JSON document validates against docs/report.schema.json and, turned
back into lines, is the text run's stderr and stdout line for line, the samples' counts those of
-describe;
the SARIF run validates against the SARIF 2.1.0 schema of the pinned npm package (tests/sarif) and
holds the same results; each github line parses with the pattern the README documents and gives
the same diagnostics. Exit 77 (skipped) when python3-jsonschema is missing, or only the SARIF
schema is (run `npm ci` in tests/sarif), after all else has passed. With -quality, the JSON
document's quality objects validate too and say what the text lines say."""
import glob, json, os, re, subprocess, sys, tempfile, urllib.parse

from script_common import ROOT, checker, finish

SARIF_SCHEMA = os.path.join(ROOT, "tests", "sarif", "node_modules", "@microsoft",
                            "sarif-multitool-linux", "sarif-2.1.0.json")
ODD_NAMES = {b"odd, name: 100%.s1p": b"# GHz\n# GHz\n1 0.5 x\n",
             b"bad\xff\xfe.s2p": b"# GHz\n1 0.5 -10",
             b"\xc3\xa9t\xc3\xa9.S1P": b"# GHz\n1 0.5 -10\n"}


def write_inputs(folder):
    """The inputs of every case table, the samples and the odd names, in folder."""
    sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
    import run_cases
    bases = {}
    run_cases.read_table(os.path.join(ROOT, "tests", "e2e", "common.bases"), bases)
    for table in sorted(glob.glob(os.path.join(ROOT, "tests", "e2e", "*.cases"))):
        stem = os.path.basename(table)[:-6]
        for number, case in run_cases.read_table(table, dict(bases)):
            if isinstance(case, run_cases.Case) and case.input is not None:
                with open(os.path.join(folder, "%s_%d.s2p" % (stem, number)), "wb") as f:
                    f.write(case.input)
    for sample in glob.glob(os.path.join(ROOT, "examples", "*.s*p")) + \
            glob.glob(os.path.join(ROOT, "python", "tests", "files", "*")):
        with open(sample, "rb") as f, open(os.path.join(folder, os.path.basename(sample)),
                                           "wb") as g:
            g.write(f.read())
    for name, data in ODD_NAMES.items():
        with open(os.path.join(os.fsencode(folder), name), "wb") as f:
            f.write(data)


def run(snpvet, *args, cwd=None):
    done = subprocess.run([snpvet, *args], capture_output=True, timeout=120, cwd=cwd)
    return done.returncode, done.stdout, done.stderr


def text_lines(document):
    """The text run's stderr and stdout lines, as the JSON document tells them."""
    err, out = [], []
    for f in document["files"]:
        for d in f["diagnostics"]:
            where = "".join(":%d" % n for n in (d["line"], d["column"]) if n is not None)
            err.append("%s%s: %s %s: %s" % (f["path"], where, d["severity"], d["code"],
                                            d["message"]))
        if f["valid"]:
            out.append("%s: valid Touchstone v%s file" % (f["path"], f["version"]))
    s = document["summary"]
    err.append("%d files: %d valid, %d invalid, %d warnings" % (s["files"], s["valid"],
                                                               s["invalid"], s["warnings"]))
    return err, out


def described_counts(snpvet, path):
    """Ports, frequencies and noise frequencies as -describe gives them."""
    text = run(snpvet, "-describe", path)[1].decode()
    # No count where there are no data: "<none>", or no section.
    points = [int(n) for n in re.findall(r"(?m)^  frequency points: (\d+)$", text)] + [0, 0]
    return int(re.search(r"(?m)^  number: (\d+)$", text)[1]), points[0], points[1]


def github_pattern():
    """The pattern the README gives for a github line."""
    with open(os.path.join(ROOT, "README.md"), encoding="utf-8") as f:
        return re.compile(re.search(r"(?m)^    (\^::\(error\|warning\).*\$)$", f.read())[1])


def check(snpvet, folder, validate, sarif_validator):
    problems = []
    status, out, err = run(snpvet, "-j", "2", folder)
    jstatus, jout, jerr = run(snpvet, "--format=json", folder)
    document = json.loads(jout)
    problems += ["json: %s at %s" % (e.message, list(e.absolute_path))
                 for e in validate.iter_errors(document)]
    want_err, want_out = text_lines(document)
    got_err = err.decode("utf-8", "replace").splitlines()
    got_out = out.decode("utf-8", "replace").splitlines()
    for stream, want, got in (("stderr", want_err, got_err), ("stdout", want_out, got_out)):
        at = next((i for i, (a, b) in enumerate(zip(want + [None], got + [None])) if a != b), None)
        if at is not None:
            problems.append("json and text differ at %s line %d: %r, %r" % (
                stream, at, (want + [None])[at], (got + [None])[at]))
    if (jstatus, jerr) != (status, b""):
        problems.append("json: status %d, text %d; json stderr %r" % (jstatus, status, jerr))
    for f in document["files"]:  # the samples: a -describe per file costs time
        if f["valid"] and not re.search(r"/\w+_\d+\.s2p$|\ufffd", f["path"]):
            counts = (f["ports"], f["frequencies"], f["noise_frequencies"])
            if counts != described_counts(snpvet, f["path"]):
                problems.append("%s: counts %s, -describe %s" % (f["path"], counts,
                                                                described_counts(snpvet, f["path"])))
    diagnostics = [(f["path"], d["code"], d["severity"], d["line"], d["column"], d["message"])
                   for f in document["files"] for d in f["diagnostics"]]

    sstatus, sout, serr = run(snpvet, "--format=sarif", "-j", "3", folder)
    sarif = json.loads(sout)
    if sarif_validator:
        problems += ["sarif: %s at %s" % (e.message, list(e.absolute_path))
                     for e in sarif_validator.iter_errors(sarif)]
    the_run = sarif["runs"][0]
    rules = {r["id"] for r in the_run["tool"]["driver"]["rules"]}
    for rule in the_run["tool"]["driver"]["rules"][::16]:  # the help: --explain's paragraph
        explained = run(snpvet, "--explain", rule["id"])[1].decode().partition("\n\n")[2]
        if " ".join(rule["help"]["text"].split()) != " ".join(explained.split()) or not explained:
            problems.append("sarif: rule %s's help is not its explanation" % rule["id"])
    results = []
    for r in the_run["results"]:
        where = r["locations"][0]["physicalLocation"]
        region = where.get("region", {})
        uri = where["artifactLocation"]["uri"]  # the folder is absolute: a file URI
        path = urllib.parse.unquote_to_bytes(uri[len("file://"):] if uri.startswith(
            "file:///") else "not a file URI: " + uri).decode("utf-8", "replace")
        results.append((path, r["ruleId"], r["level"], region.get("startLine"),
                        region.get("startColumn"), r["message"]["text"]))
        if r["ruleId"] not in rules:
            problems.append("sarif: result %s has no rule" % r["ruleId"])
    if results != diagnostics or (sstatus, serr) != (status, b""):
        problems.append("sarif results differ from the json diagnostics (status %d): %s" % (
            sstatus, [(a, b) for a, b in zip(results, diagnostics) if a != b][:1]))
    relative = json.loads(run(snpvet, "--format=sarif", "odd, name: 100%.s1p", cwd=folder)[1])
    uris = {r["locations"][0]["physicalLocation"]["artifactLocation"]["uri"]
            for r in relative["runs"][0]["results"]}
    if uris != {"odd%2C%20name%3A%20100%25.s1p"}:
        problems.append("sarif: a relative path as %s" % uris)
    if the_run["properties"]["summary"] != document["summary"]:
        problems.append("sarif summary %s" % the_run["properties"]["summary"])

    gstatus, gout, gerr = run(snpvet, "--format=github", folder)
    pattern, annotations, verdicts = github_pattern(), [], []
    for line in gout.decode("utf-8", "replace").splitlines():
        if not line.startswith("::"):
            verdicts.append(line)
            continue
        m = pattern.match(line)
        if not m:
            problems.append("github line does not parse: %r" % line)
            continue
        kind, name, _, row, _, column, code, message = m.groups()
        name = re.sub("%(..)", lambda h: chr(int(h[1], 16)), name)
        annotations.append((name, code, kind, row and int(row), column and int(column),
                            re.sub("%(..)", lambda h: chr(int(h[1], 16)), message)))
    if verdicts != got_out or gstatus != status or gerr.splitlines() != [err.splitlines()[-1]]:
        problems.append("github: the verdicts, the summary or the status differ from text")
    if annotations != diagnostics:
        problems.append("github annotations differ from the json diagnostics: %s" % (
            [(a, b) for a, b in zip(annotations, diagnostics) if a != b][:1]))
    return problems, len(document["files"]), len(diagnostics)


def quality_problems(snpvet, folder, validate):
    """-quality in the JSON document: valid against the schema, the values
    and places of the text lines, a file without S-parameters and the gate of
    --quality-fail. Nothing where the checker was built without the metrics."""
    with open(os.path.join(folder, "no_s_form.s1p"), "wb") as f:
        f.write(b"# GHz Z RI R 50\n1 -1 0\n2 3 0\n")
    status, out, err = run(snpvet, "-quality", "--quality-fail=good", folder)
    if b"built without the quality metrics" in err:
        return []
    jstatus, jout, _ = run(snpvet, "--format=json", "-quality", "--quality-fail=good", folder)
    document = json.loads(jout)
    problems = ["json -quality: %s at %s" % (e.message, list(e.absolute_path))
                for e in validate.iter_errors(document)]
    text = out.decode("utf-8", "replace").splitlines()
    errors = err.decode("utf-8", "replace")
    seen = set()
    for f in document["files"]:
        if f["version"] is None:
            continue
        quality = f.get("quality")
        if quality is None:
            problems.append("%s: no quality object" % f["path"])
            continue
        if "error" in quality:
            seen.add("error")
            if "%s: no quality metrics: %s" % (f["path"], quality["error"]) not in errors:
                problems.append("%s: the text run does not say %r" % (f["path"], quality["error"]))
            continue
        for name in ("passivity", "reciprocity", "causality"):
            m = quality[name]
            if m["value"] is None:
                line = "%s: %s not applicable (%s)" % (f["path"], name, m["not_applicable"])
            else:
                line = "%s: %s %.4f (%s), worst at %s" % (f["path"], name, m["value"],
                                                          m["band"], m["worst"])
                seen.add(m["band"])
            if line not in text:
                problems.append("json -quality: no text line %r" % line)
        below = [n for n in ("passivity", "reciprocity", "causality")
                 if quality[n]["band"] not in (None, "good")]
        if f["valid"] == bool(below):
            problems.append("%s: valid %s under --quality-fail=good with %s below" % (
                f["path"], f["valid"], below))
    if not {"error", "good", "poor"} <= seen or (status, jstatus) != (1, 1):
        problems.append("json -quality: bands and errors seen %s, status %d and %d" % (
            sorted(seen), status, jstatus))
    return problems


def main():
    snpvet = checker()
    try:
        import jsonschema
    except ImportError:
        print("SKIPPED: python3-jsonschema is not installed")
        return 77
    with open(os.path.join(ROOT, "docs", "report.schema.json")) as f:
        validate = jsonschema.Draft202012Validator(json.load(f))
    sarif_validator = None
    if os.path.exists(SARIF_SCHEMA):
        with open(SARIF_SCHEMA, encoding="utf-8-sig") as f:
            schema = json.load(f)
        sarif_validator = jsonschema.validators.validator_for(schema)(schema)
    with tempfile.TemporaryDirectory(prefix="snpvet-reports-") as folder:
        write_inputs(folder)
        problems, files, diagnostics = check(snpvet, folder, validate, sarif_validator)
        problems += quality_problems(snpvet, folder, validate)
    if finish(problems, "%d files, %d diagnostics in every format; %d problems" % (
            files, diagnostics, len(problems))):
        return 1
    if sarif_validator is None:
        print("SKIPPED: the SARIF schema is missing: run `npm ci` in tests/sarif")
        return 77
    return 0


if __name__ == "__main__":
    sys.exit(main())
