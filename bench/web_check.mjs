// The JavaScript module's check() against the native checker on one file,
// side by side in one run: the two take turns round by round and the best
// wall time of each is kept, so that load from other users of the machine
// falls on both alike. check() is timed in this process from reading the
// file to the result; the checker from fork to exit.
//
// Usage: node bench/web_check.mjs SITE SNPVET FILE [ROUNDS]

import { spawnSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { join, resolve } from "node:path";
import { pathToFileURL } from "node:url";

const [site, snpvet, file, rounds = "5"] = process.argv.slice(2);
if (!site || !snpvet || !file) {
  console.error("usage: node bench/web_check.mjs SITE SNPVET FILE [ROUNDS]");
  process.exit(2);
}
const { check } = await import(pathToFileURL(resolve(join(site, "touchstone2.mjs"))).href);

let nativeBest = Infinity;
let moduleBest = Infinity;
let verdicts = null;
for (let round = 0; round < Number(rounds); ++round) {
  let started = performance.now();
  const done = spawnSync(resolve(snpvet), [file], { stdio: ["ignore", "pipe", "pipe"] });
  nativeBest = Math.min(nativeBest, performance.now() - started);
  started = performance.now();
  const result = check(readFileSync(file), file);
  moduleBest = Math.min(moduleBest, performance.now() - started);
  verdicts = [done.status === 0, result.valid];
}
const megabytes = readFileSync(file).length / 1e6;
console.log(`file          ${file} (${megabytes.toFixed(1)} MB)`);
console.log(`verdicts      native ${verdicts[0] ? "valid" : "invalid"}, check() ${verdicts[1] ? "valid" : "invalid"}`);
console.log(`native check  ${(nativeBest / 1000).toFixed(3)} s  ${(megabytes / nativeBest * 1000).toFixed(0)} MB/s`);
console.log(`check()       ${(moduleBest / 1000).toFixed(3)} s  ${(megabytes / moduleBest * 1000).toFixed(0)} MB/s`);
console.log(`ratio         ${(moduleBest / nativeBest).toFixed(2)} (target: at most 3)`);
