// The JavaScript module against the native checker, on every sample file,
// every case-table input and every fuzz regression input: the same object as
// the checker's --format=json (with -quality for the samples); the same
// canonical texts of every version and description, byte for byte; a
// refusal where the checker refuses.
//
// Usage: node module_test.mjs SITE SNPVET PYTHON
//   SITE    the built folder (touchstone2.mjs and the .wasm)
//   SNPVET  the native checker
//   PYTHON  runs tests/e2e/run_cases.py to write the case-table inputs
// Exit status 77 (skipped) when the built folder is missing.

import { test } from "node:test";
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { existsSync, mkdtempSync, readdirSync, readFileSync, rmSync, statSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { basename, dirname, join, resolve } from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

const [site, checker, python] = process.argv.slice(2);
const top = join(dirname(fileURLToPath(import.meta.url)), "..", "..");
if (!site || !checker || !python) {
  console.error("usage: node module_test.mjs SITE SNPVET PYTHON");
  process.exit(2);
}
if (!existsSync(join(site, "touchstone2_core.wasm"))) {
  console.log(`skipped: the WebAssembly build is not in ${site} (web/build.sh makes it)`);
  process.exit(77);
}

const snpvet = resolve(checker);
const touchstone2 = await import(pathToFileURL(join(site, "touchstone2.mjs")).href);
const decoder = new TextDecoder("utf-8");

// What the native checker says of a file, run in its folder under its name.
function native(path, mode = []) {
  const done = spawnSync(snpvet, [...mode, basename(path)], { cwd: dirname(path) });
  return { status: done.status, out: done.stdout, err: decoder.decode(done.stderr) };
}

// The module's answers against the checker's for one file: the check is the
// object of the checker's JSON report (which script.report_formats_test holds
// to its text output), with the quality metrics where asked for.
function compare(path, quality = false) {
  const name = basename(path);
  const bytes = readFileSync(path);
  const result = touchstone2.check(bytes, name, { quality });
  const report = native(path, quality ? ["--format=json", "-quality"] : ["--format=json"]);
  assert.deepEqual(result, JSON.parse(decoder.decode(report.out)).files[0], `${path}: --format=json`);
  for (const [version, mode] of [["2.0", "-canonical"], ["2.1", "-canonical-v2.1"], ["1", "-canonical-v1"],
                                 ["1.1", "-canonical-v1.1"]]) {
    const written = native(path, [mode]);
    if (written.status === 0) {
      assert.equal(touchstone2.canonical(bytes, name, version), decoder.decode(written.out),
                   `${path}: ${mode}`);
    } else {
      assert.throws(() => touchstone2.canonical(bytes, name, version),
                    (error) => refusedAlike(error, written.err, result.valid),
                    `${path}: ${mode} is refused`);
    }
  }
  const description = native(path, ["-describe"]);
  if (description.status === 0) {
    assert.equal(touchstone2.describe(bytes, name), decoder.decode(description.out), `${path}: -describe`);
  } else {
    assert.throws(() => touchstone2.describe(bytes, name),
                  (error) => refusedAlike(error, description.err, result.valid));
  }
  return result;
}

// An invalid file is refused with the checker's error line; a valid one by
// the writer, with the reason the checker prints after its own prefix.
function refusedAlike(error, stderr, valid) {
  assert.equal(error.name, "TouchstoneError");
  const last = stderr.trimEnd().split("\n").at(-1);
  if (valid)
    assert.match(last, /^snpvet: failed to write [^:]*: /);
  assert.equal(valid ? last.slice(last.indexOf(": ", 8) + 2) : last, error.message);
  return true;
}

function samples() {
  const found = [];
  for (const folder of ["examples", join("python", "tests", "files")]) {
    for (const entry of readdirSync(join(top, folder), { withFileTypes: true })) {
      if (entry.isFile())
        found.push(join(top, folder, entry.name));
    }
  }
  return found.sort();
}

test("every sample file: the checker's report with its quality metrics, and texts", () => {
  const files = samples();
  assert.ok(files.length >= 10, "the sample folders were found");
  const bands = new Set();
  for (const path of files) {
    const result = compare(path, true);
    assert.equal(result.valid, true, `${path} is a valid sample`);
    // Each value as the checker's text writes it, for the page's table.
    const text = decoder.decode(native(path, ["-quality"]).out);
    const shown = new Map([...text.matchAll(/: (\w+) (\d+\.\d{4}) \(/g)].map((m) => [m[1], m[2]]));
    for (const [name, metric] of Object.entries(result.quality)) {
      bands.add(metric.band);
      if (metric.value !== null)
        assert.equal(touchstone2.percentText(metric.value), shown.get(name), `${path}: ${name}`);
    }
  }
  // A tie goes to the even digit, as printf has it (toFixed would say 0.7813).
  assert.equal(touchstone2.percentText(0.78125), "0.7812");
  assert.equal(touchstone2.percentText(99.21875), "99.2188");
  // Good and poor metrics, and one that does not apply (a one-port file's
  // reciprocity), all compared.
  assert.ok(bands.has("good") && bands.has("poor") && bands.has(null), [...bands].join());
});

test("every case-table input and fuzz regression input: the checker's report and texts", () => {
  const folder = mkdtempSync(join(tmpdir(), "touchstone2-cases-"));
  try {
    const tables = readdirSync(join(top, "tests", "e2e")).filter((f) => f.endsWith(".cases"))
      .map((f) => join(top, "tests", "e2e", f));
    const dumped = spawnSync(python, [join(top, "tests", "e2e", "run_cases.py"), "--inputs", folder,
                                      ...tables], { encoding: "utf-8" });
    assert.equal(dumped.status, 0, dumped.stdout + dumped.stderr);
    const regressions = join(top, "fuzz", "regressions");
    const inputs = readdirSync(regressions).map((name) => join(regressions, name));
    assert.ok(inputs.length > 5, "the fuzz regressions were found");
    for (const where of readdirSync(folder))
      inputs.push(...readdirSync(join(folder, where)).map((name) => join(folder, where, name)));
    let valid = 0;
    for (const path of inputs.sort())
      valid += compare(path).valid ? 1 : 0;
    // Both kinds in numbers, so that neither comparison can pass unseen.
    assert.ok(valid > 50 && inputs.length - valid > 100, `${valid} of ${inputs.length} inputs valid`);
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
});

// The description writes six significant digits.
function closeTo(actual, shown, what) {
  assert.ok(Math.abs(actual - shown) <= 1e-5 * Math.abs(shown), `${what}: ${actual} against ${shown}`);
}

test("the arrays hold the values the description shows, in every layout", () => {
  for (const path of samples()) {
    const bytes = readFileSync(path);
    const { parameter, ports, frequency, real, imag } = touchstone2.arrays(bytes, "x");
    const text = touchstone2.describe(bytes, "x");
    assert.ok(frequency instanceof Float64Array && real instanceof Float64Array &&
              imag instanceof Float64Array);
    assert.equal(real.length, frequency.length * ports * ports);
    assert.equal(imag.length, real.length);
    // Every "S[i,j] = re + im j" line, in order: point by point, row by row.
    const described = [...text.matchAll(/([SYZHG])\[(\d+),(\d+)\] = (\S+)\s+([+-]) (\S+)\s+j/g)];
    assert.equal(described.length, real.length, path);
    described.forEach((m, n) => {
      const k = Math.floor(n / (ports * ports));
      const at = (k * ports + Number(m[2]) - 1) * ports + Number(m[3]) - 1;
      assert.equal(m[1], parameter);
      closeTo(real[at], Number(m[4]), `${path}: re of ${m[0]}`);
      closeTo(imag[at], Number(m[5] + m[6]), `${path}: im of ${m[0]}`);
    });
    const network = text.split("NOISE PARAMETERS")[0];
    const hertz = [...network.matchAll(/frequency point #\d+: (\S+) Hz/g)].map((m) => Number(m[1]));
    assert.equal(frequency.length, hertz.length);
    frequency.forEach((f, k) => closeTo(f, hertz[k], `${path}: frequency ${k}`));
  }
});

test("bytes come as a Uint8Array, an ArrayBuffer or a string; a version without a writer is refused", () => {
  const bytes = readFileSync(join(top, "examples", "attenuator.s2p"));
  const buffer = bytes.buffer.slice(bytes.byteOffset, bytes.byteOffset + bytes.length);
  assert.equal(touchstone2.canonical(buffer, "a.s2p", "2.0"), touchstone2.canonical(bytes, "a.s2p", "2.0"));
  assert.equal(touchstone2.check(decoder.decode(bytes), "a.s2p").valid, true);
  assert.throws(() => touchstone2.canonical(bytes, "a.s2p", "3"), /no writer for version 3/);
  assert.throws(() => touchstone2.check(42, "a.s2p"), TypeError);
  const broken = touchstone2.check(new Uint8Array([0x21, 0x0a, 0xff, 0x0a]), "b.s1p");
  assert.equal(broken.valid, false);
});

test("the README's example runs as written and prints what it says", () => {
  const readme = readFileSync(join(top, "README.md"), "utf-8").split("## In the browser")[1];
  const block = /```js\n([\s\S]*?)```/.exec(readme)[1];
  const folder = mkdtempSync(join(tmpdir(), "touchstone2-readme-"));
  const script = join(folder, "example.mjs");
  writeFileSync(script, block.replace("./build-web/site/", pathToFileURL(resolve(site)).href + "/"));
  try {
    const run = spawnSync(process.execPath, [script], { cwd: top, encoding: "utf-8" });
    assert.equal(run.status, 0, run.stderr);
    assert.match(run.stdout, /^true 1 2 2\n\[Version\] 2\.1\n\{\n  code: 'E2007',\n  severity: 'error',\n  line: 2,\n  column: 7,\n  message: 'expected to find numeric data'\n\}\n$/);
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
});

test("the page's folder stays small", () => {
  let bytes = 0;
  for (const name of readdirSync(site))
    bytes += statSync(join(site, name)).size;
  assert.ok(bytes < 1.5e6, `${bytes} bytes`);
  assert.ok(readdirSync(site).includes("index.html"));
});

test("the package names the project's version", () => {
  const project = /project\(snpvet VERSION ([0-9.]+)/.exec(readFileSync(join(top, "CMakeLists.txt"), "utf-8"));
  const pkg = JSON.parse(readFileSync(join(top, "web", "package.json"), "utf-8"));
  assert.equal(pkg.version, project[1]);
});
