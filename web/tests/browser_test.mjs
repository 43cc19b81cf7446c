// The page in a real browser: headless Chromium loads it from a static server
// on 127.0.0.1 and checks a valid sample and a broken copy of it. The
// verdicts, the diagnostic's line and column and the marked character must be
// the native checker's, the plot must have drawn, and no request may leave
// for another origin. Screenshots are kept as artefacts.
//
// Usage: node browser_test.mjs SITE SNPVET ARTEFACTS
// Exit status 77 (skipped) when the built folder, puppeteer-core (npm ci in
// web/) or Chromium (CHROMIUM, else chromium on PATH) is missing.

import { test } from "node:test";
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { existsSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath } from "node:url";

import { serve } from "./static_server.mjs";

const [site, checker, artefacts] = process.argv.slice(2);
const top = join(dirname(fileURLToPath(import.meta.url)), "..", "..");
if (!site || !checker || !artefacts) {
  console.error("usage: node browser_test.mjs SITE SNPVET ARTEFACTS");
  process.exit(2);
}

function skip(why) {
  console.log(`skipped: ${why}`);
  process.exit(77);
}

// The first of the programs that the shell finds on PATH, or "".
function onPath(...names) {
  const shell = 'for name; do command -v "$name" && exit; done';
  return spawnSync("/bin/sh", ["-c", shell, "sh", ...names], { encoding: "utf-8" }).stdout.trim();
}

if (!existsSync(join(site, "index.html")))
  skip(`the page is not built in ${site} (web/build.sh makes it)`);
const chromium = process.env.CHROMIUM ?? onPath("chromium", "chromium-browser");
if (!chromium)
  skip("Chromium is not installed (Debian package chromium), nor named by CHROMIUM");
let puppeteer;
try {
  puppeteer = (await import("puppeteer-core")).default;
} catch {
  skip("puppeteer-core is not installed (npm ci in web/)");
}

mkdirSync(artefacts, { recursive: true });
const snpvet = resolve(checker);
const scratch = mkdtempSync(join(tmpdir(), "touchstone2-page-"));
const valid = join(top, "examples", "amplifier.s2p");
// The sample with one number of its first data line broken.
const broken = join(scratch, "amplifier_broken.s2p");
const lines = readFileSync(valid, "latin1").split("\n");
const dataLine = lines.findIndex((line) => /^\s*[0-9]/.test(line));
lines[dataLine] = lines[dataLine].replace(/(\s)(\S+)\s*$/, "$1x$2");
writeFileSync(broken, lines.join("\n"), "latin1");

// The checker's error for the broken copy: "name:line:column: error E2007: ...".
const nativeError = /:(\d+):(\d+): error (E\d+): (.*)/.exec(
  spawnSync(snpvet, [broken], { encoding: "utf-8" }).stderr);
assert.ok(nativeError, "the checker refuses the broken copy");

const { server, origin } = await serve(site);
const browser = await puppeteer.launch({
  executablePath: chromium,
  headless: true,
  // Root in a container has no sandbox to enter.
  args: ["--no-sandbox", "--disable-gpu"],
});

// The page, its requests and the errors it reports; with a latency, every
// response that many milliseconds late and the page taken once it is parsed.
async function openPage(width, height, latency = 0) {
  const page = await browser.newPage();
  await page.setViewport({ width, height });
  const requests = [];
  const problems = [];
  // Requests of the page and of its worker, as the browser's network layer sees them.
  const session = await page.createCDPSession();
  await session.send("Network.enable");
  if (latency > 0) {
    await session.send("Network.emulateNetworkConditions",
                       { offline: false, latency, downloadThroughput: -1, uploadThroughput: -1 });
  }
  session.on("Network.requestWillBeSent", (event) => requests.push(event.request.url));
  page.on("request", (request) => requests.push(request.url()));
  page.on("pageerror", (error) => problems.push(error.message));
  page.on("console", (message) => {
    if (message.type() === "error")
      problems.push(message.text());
  });
  await page.goto(`${origin}/index.html`, { waitUntil: latency > 0 ? "domcontentloaded" : "load" });
  return { page, requests, problems };
}

// Each metric's value as snpvet -quality writes it.
function writtenValues(path) {
  const text = spawnSync(snpvet, ["-quality", path], { encoding: "utf-8" }).stdout;
  return new Map([...text.matchAll(/: (\w+) (\d+\.\d{4}) \(/g)].map((m) => [m[1], m[2]]));
}

async function checkFiles(page, paths) {
  const input = await page.$("#pick");
  await input.uploadFile(...paths);
  await page.waitForFunction(
    (n) => document.querySelectorAll("section.file[data-done]").length === n, { timeout: 60000 },
    paths.length);
}

// The sections by file name: verdict text and class, diagnostics as shown.
function shown(page) {
  return page.evaluate(() => Object.fromEntries([...document.querySelectorAll("section.file")].map(
    (section) => [section.querySelector(".name").textContent, {
      verdict: section.querySelector(".verdict").textContent,
      verdictClass: section.querySelector(".verdict").className,
      diagnostics: [...section.querySelectorAll(".diagnostics li")].map((item) => ({
        code: item.dataset.code,
        line: Number(item.dataset.line),
        column: Number(item.dataset.column),
        where: item.querySelector(".where")?.textContent,
        message: item.querySelector(".message").textContent,
        excerpt: item.querySelector(".excerpt")?.textContent,
        marked: item.querySelector(".excerpt mark")?.textContent,
        before: item.querySelector(".excerpt mark")?.previousSibling?.textContent,
      })),
      // Each metric as shown: value, band (and the band's colour class), place.
      quality: section.querySelector(".quality").hidden ? null :
        Object.fromEntries([...section.querySelectorAll(".quality tr")].map((row) => [
          row.dataset.metric, {
            value: row.querySelector(".value")?.textContent,
            band: row.querySelector(".band")?.textContent,
            bandClass: row.querySelector(".band")?.className,
            colour: row.querySelector(".band") && getComputedStyle(row.querySelector(".band")).color,
            worst: row.querySelector(".worst")?.textContent,
          }])),
      series: Number(section.querySelector(".plot")?.dataset.series ?? 0),
      // Pixels of the plot's canvas that are not background.
      inked: (() => {
        const canvas = section.querySelector(".plot canvas");
        if (!canvas)
          return 0;
        const pixels = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
        let count = 0;
        for (let n = 3; n < pixels.length; n += 4)
          count += pixels[n] !== 0 ? 1 : 0;
        return count;
      })(),
    }])));
}

test("a valid and a broken sample, as the checker sees them", async () => {
  const { page, requests, problems } = await openPage(1280, 800);
  await checkFiles(page, [valid, broken]);
  const sections = await shown(page);
  await page.screenshot({ path: join(artefacts, "page-1280x800.png"), fullPage: true });

  const good = sections["amplifier.s2p"];
  assert.equal(good.verdict, "valid Touchstone v1 file");
  assert.match(good.verdictClass, /\bvalid\b/);
  assert.deepEqual(good.diagnostics, []);
  assert.equal(good.series, 4, "S11, S12, S21 and S22 plotted");
  // The metrics of snpvet --format=json -quality, each value as -quality
  // writes it, each band in its colour: good in the valid verdict's, poor in
  // the invalid's.
  const metrics = JSON.parse(spawnSync(snpvet, ["--format=json", "-quality", valid],
                                       { encoding: "utf-8" }).stdout).files[0].quality;
  const written = writtenValues(valid);
  assert.deepEqual(Object.keys(good.quality), ["passivity", "reciprocity", "causality"]);
  for (const [name, metric] of Object.entries(metrics)) {
    const { colour, ...row } = good.quality[name];
    assert.deepEqual(row, { value: `${written.get(name)} %`, band: metric.band,
                            bandClass: `band ${metric.band}`, worst: `worst at ${metric.worst}` }, name);
  }
  const colourOf = (selector) => page.$eval(selector, (e) => getComputedStyle(e).color);
  const verdictColours = { good: await colourOf("section.file[data-verdict=valid] .verdict"),
                           poor: await colourOf("section.file[data-verdict=invalid] .verdict") };
  for (const row of Object.values(good.quality)) {
    if (row.band in verdictColours)
      assert.equal(row.colour, verdictColours[row.band], `${row.band} in the verdict's colour`);
  }
  assert.ok(Object.values(good.quality).some((row) => row.band === "good") &&
            Object.values(good.quality).some((row) => row.band === "poor"), "both colours compared");
  // Its summary is reached by the keyboard and folds the metrics away.
  await page.focus("section.file[data-verdict=valid] .quality summary");
  await page.keyboard.press("Enter");
  assert.equal(await page.$eval("section.file[data-verdict=valid] .quality", (d) => d.open), false);
  assert.ok(good.inked > 2000, `the plot drew (${good.inked} pixels)`);

  const bad = sections["amplifier_broken.s2p"];
  assert.match(bad.verdict, /^invalid/);
  assert.match(bad.verdictClass, /\binvalid\b/);
  // The checker's diagnostic, with the line of the file shown and the column's character marked.
  const [line, column, code, message] = nativeError.slice(1);
  const text = lines[Number(line) - 1];
  assert.deepEqual(bad.diagnostics, [{
    code, message, line: Number(line), column: Number(column), where: `line ${line}, column ${column}`,
    excerpt: `${line.padStart(5)} | ${text}`, marked: text[Number(column) - 1],
    before: text.slice(0, Number(column) - 1),
  }]);
  assert.equal(bad.series, 0, "no plot for an invalid file");
  assert.equal(bad.quality, null, "no metrics for an invalid file");

  // The phase tab, reached by the keyboard, redraws; a toggle takes a series away.
  await page.focus("section.file[data-verdict=valid] .tab[data-view=db]");
  await page.keyboard.press("ArrowRight");
  assert.equal(await page.$eval("section.file[data-verdict=valid] .tab[data-view=phase]",
                                (tab) => tab.getAttribute("aria-selected")), "true");
  await page.waitForFunction(() =>
    document.querySelector("section.file[data-verdict=valid] .plot").dataset.view === "phase");
  await page.click("section.file[data-verdict=valid] input[data-i='0'][data-j='0']");
  await page.waitForFunction(() =>
    document.querySelector("section.file[data-verdict=valid] .plot").dataset.series === "3");

  const foreign = requests.filter((url) => !url.startsWith(origin + "/") && !url.startsWith("data:") &&
                                           !url.startsWith("blob:"));
  assert.deepEqual(foreign, [], "every request went to the page's own server");
  assert.ok(requests.some((url) => url.endsWith(".wasm")), "the worker's requests were seen");
  assert.deepEqual(problems, []);
  await page.close();
});

// 100 ports: a v2.0 file of three points, every element a different value.
// A trace turning 1 the right way and 127 the wrong way: causality 1/128 of
// 100, 0.78125 exactly, a tie at the four decimals shown, which the checker
// rounds to the even digit and toFixed up.
test("a metric halfway between two texts reads as the checker writes it", async () => {
  const tie = join(scratch, "tie.s1p");
  writeFileSync(tie, "# Hz S RI R 50\n1 0 0\n2 0.00390625 0\n3 0.00390625 -0.00390625\n" +
                     "4 0.5 -0.00390625\n");
  const { page, problems } = await openPage(1280, 800);
  await checkFiles(page, [tie]);
  assert.equal(writtenValues(tie).get("causality"), "0.7812");
  assert.equal((await shown(page))["tie.s1p"].quality.causality.value, "0.7812 %");
  assert.deepEqual(problems, []);
});

function hundredPorts() {
  const rows = ["[Version] 2.0", "# GHz S RI R 50", "[Number of Ports] 100",
                "[Number of Frequencies] 3", "[Network Data]"];
  for (let k = 1; k <= 3; ++k) {
    for (let i = 0; i < 100; ++i) {
      const pairs = Array.from({ length: 100 }, (_, j) => `${((i * 100 + j) % 97) / 200} ${k / 10}`);
      rows.push((i === 0 ? `${k} ` : "  ") + pairs.join(" "));
    }
  }
  rows.push("[End]", "");
  const path = join(scratch, "hundred.s100p");
  writeFileSync(path, rows.join("\n"));
  return path;
}

test("100 ports: a toggle per element, reached by the keyboard", async () => {
  const { page, problems } = await openPage(1280, 800);
  await checkFiles(page, [hundredPorts()]);
  const section = "section.file[data-verdict=valid]";
  assert.equal(await page.$eval(`${section} .verdict`, (v) => v.textContent), "valid Touchstone v2.0 file");
  assert.equal(await page.$eval(`${section} .matrix`, (m) => m.width), 100 * 12);
  assert.equal(await page.$eval(`${section} .plot`, (p) => p.dataset.series), "4");
  // From S1,1 two to the right and one down is S2,3, which Space adds.
  await page.focus(`${section} .matrix`);
  for (const key of ["ArrowRight", "ArrowRight", "ArrowDown", "Space"])
    await page.keyboard.press(key);
  await page.waitForFunction((s) => document.querySelector(`${s} .plot`).dataset.series === "5", {}, section);
  assert.match(await page.$eval("#status", (s) => s.textContent), /^S2,3: shown/);
  assert.deepEqual(problems, []);
  await page.close();
});

test("a file chosen while the checker is still loading is checked", async () => {
  // The file arrives before the .wasm does.
  const { page, problems } = await openPage(1280, 800, 1000);
  await checkFiles(page, [valid]);
  assert.equal(await page.$eval(".verdict", (v) => v.textContent), "valid Touchstone v1 file");
  assert.deepEqual(problems, []);
  await page.close();
});

test("the description unfolds, the downloads are the checker's texts, a refusal is shown", async () => {
  const { page, problems } = await openPage(1280, 800);
  const downloads = join(scratch, "downloads");
  const session = await page.createCDPSession();
  await session.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: downloads });
  const mixed = join(top, "python", "tests", "files", "reference_mixed.s4p");
  await checkFiles(page, [mixed]);
  const native = (mode) => spawnSync(snpvet, [mode, mixed], { encoding: "utf-8" });

  await page.click("section.file .description summary");
  await page.waitForFunction(() =>
    document.querySelector(".description-text").textContent.startsWith("-------"));
  // The description names the file as the page was given it: by its name alone.
  assert.equal(await page.$eval(".description-text", (d) => d.textContent),
               native("-describe").stdout.replace(mixed, "reference_mixed.s4p"));

  await page.click("section.file .downloads button[data-version='2.0']");
  const saved = join(downloads, "reference_mixed.v2.0.s4p");
  for (let wait = 0; wait < 100 && !existsSync(saved); ++wait)
    await new Promise((done) => setTimeout(done, 100));
  assert.equal(readFileSync(saved, "utf-8"), native("-canonical").stdout);

  const refused = native("-canonical-v1");
  assert.equal(refused.status, 1);
  await page.click("section.file .downloads button[data-version='1']");
  await page.waitForFunction(() => document.querySelector(".refusal").textContent !== "");
  assert.equal(await page.$eval(".refusal", (r) => r.textContent),
               "v1: " + refused.stderr.trimEnd().replace(/^snpvet: failed to write [^:]*: /, ""));
  assert.deepEqual(problems, []);
  await page.close();
});

test("a narrow window", async () => {
  const { page } = await openPage(400, 800);
  await checkFiles(page, [valid]);
  const widths = await page.evaluate(() => ({
    page: document.documentElement.scrollWidth,
    window: window.innerWidth,
  }));
  await page.screenshot({ path: join(artefacts, "page-400x800.png"), fullPage: true });
  assert.ok(widths.page <= widths.window, `no sideways scrolling (${widths.page} > ${widths.window})`);
  await page.close();
});

test.after(async () => {
  await browser.close();
  server.close();
  rmSync(scratch, { recursive: true, force: true });
});
