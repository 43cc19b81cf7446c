// How the page behaves with large files: headless Chromium loads it from a
// static server on 127.0.0.1, a timer on the page's thread ticks every 10 ms
// while each file is checked, and the longest gap between two ticks is
// reported with the time from choosing the file to the finished section. A
// page that froze while the worker checks would show the check's time as its
// longest gap.
//
// Usage: node bench/web_page.mjs SITE FILE... (with npm ci done in web/)

import { createRequire } from "node:module";
import { statSync } from "node:fs";
import { resolve } from "node:path";

const [site, ...files] = process.argv.slice(2);
if (!site || files.length === 0) {
  console.error("usage: node bench/web_page.mjs SITE FILE...");
  process.exit(2);
}
const web = resolve(new URL("../web/", import.meta.url).pathname);
const puppeteer = createRequire(web + "/").call(null, "puppeteer-core");
const { serve } = await import("../web/tests/static_server.mjs");

const { server, origin } = await serve(resolve(site));
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium",
  headless: true,
  args: ["--no-sandbox", "--disable-gpu"],
});
for (const file of files) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 800 });
  await page.goto(`${origin}/index.html`, { waitUntil: "load" });
  await page.evaluate(() => {
    window.longestGap = 0;
    let last = performance.now();
    window.ticker = setInterval(() => {
      const now = performance.now();
      window.longestGap = Math.max(window.longestGap, now - last);
      last = now;
    }, 10);
  });
  const started = Date.now();
  await (await page.$("#pick")).uploadFile(resolve(file));
  await page.waitForSelector("section.file[data-done]", { timeout: 600000 });
  const total = Date.now() - started;
  const found = await page.evaluate(() => {
    clearInterval(window.ticker);
    const section = document.querySelector("section.file");
    return {
      verdict: section.querySelector(".verdict").textContent,
      check: Number(section.dataset.checkMs),
      gap: window.longestGap,
      toggles: section.querySelector(".matrix")
        ? `a ${section.querySelector(".matrix").width / 12}-square toggle matrix`
        : `${section.querySelectorAll(".grid input").length} toggles`,
    };
  });
  const megabytes = (statSync(file).size / 1e6).toFixed(1);
  console.log(`${file} (${megabytes} MB): ${found.verdict}; check in the worker ${found.check} ms, ` +
              `section done after ${total} ms, ${found.toggles}; ` +
              `longest gap between 10 ms ticks on the page's thread ${found.gap.toFixed(0)} ms`);
  await page.close();
}
await browser.close();
server.close();
