// The page: files dropped or picked are read here and checked in a worker;
// this thread only shows the answers, so it stays responsive whatever the
// size of the file.

import uPlot from "./uPlot.esm.js";

document.getElementById("needs-server").hidden = true;

const worker = new Worker(new URL("./worker.js", import.meta.url), { type: "module" });
const pending = new Map();
let nextRequest = 1;
let nextFile = 1;

function ask(request, transfer = []) {
  const id = nextRequest++;
  return new Promise((resolve, reject) => {
    pending.set(id, { resolve, reject });
    worker.postMessage({ id, ...request }, transfer);
  });
}

worker.onmessage = (event) => {
  const reply = event.data;
  const waiting = pending.get(reply.id);
  pending.delete(reply.id);
  if (reply.error !== undefined)
    waiting.reject(new Error(reply.error));
  else
    waiting.resolve(reply);
};

worker.onerror = (event) => {
  setStatus("The checker could not start: " + (event.message || "unknown error"));
};

const status = document.getElementById("status");
function setStatus(text) {
  status.textContent = text;
}

function element(tag, className, text) {
  const made = document.createElement(tag);
  if (className)
    made.className = className;
  if (text !== undefined)
    made.textContent = text;
  return made;
}

// Plural-aware counts: "1 warning", "3 warnings".
function count(n, word) {
  return `${n} ${word}${n === 1 ? "" : "s"}`;
}

function showVerdict(section, result) {
  const verdict = section.querySelector(".verdict");
  const warnings = result.diagnostics.filter((d) => d.severity === "warning").length;
  verdict.classList.remove("busy");
  if (result.valid) {
    verdict.classList.add(warnings > 0 ? "warned" : "valid");
    verdict.textContent = `valid Touchstone v${result.version} file` +
      (warnings > 0 ? `, ${count(warnings, "warning")}` : "");
  } else {
    verdict.classList.add("invalid");
    verdict.textContent = "invalid" + (warnings > 0 ? `, ${count(warnings, "warning")}` : "");
  }
  section.dataset.verdict = result.valid ? "valid" : "invalid";
  if (result.valid) {
    section.querySelector(".facts").textContent =
      `${result.parameter}-parameters, ${count(result.ports, "port")}, ` +
      `${count(result.frequencies, "frequency point")}` +
      (result.noise_frequencies > 0 ? `, ${count(result.noise_frequencies, "noise point")}` : "");
  }
}

// Each diagnostic with its line of the file and the column marked.
function showDiagnostics(section, result, excerpts) {
  const list = section.querySelector(".diagnostics");
  result.diagnostics.forEach((d, n) => {
    const item = element("li", d.severity);
    item.dataset.code = d.code;
    if (d.line !== null)
      item.dataset.line = d.line;
    if (d.column !== null)
      item.dataset.column = d.column;
    item.append(element("span", "code", `${d.severity} ${d.code}`), " ");
    if (d.line !== null) {
      const where = d.column !== null ? `line ${d.line}, column ${d.column}` : `line ${d.line}`;
      item.append(element("span", "where", where), ": ");
    }
    item.append(element("span", "message", d.message));
    const excerpt = excerpts[n];
    if (excerpt !== null) {
      const pre = element("pre", "excerpt");
      pre.append(element("span", "gutter", `${String(d.line).padStart(5)} | `));
      const text = excerpt.text;
      if (excerpt.at === null) {
        pre.append(text);
      } else {
        const at = Math.min(excerpt.at, text.length);
        const marked = at < text.length ? text.slice(at, at + 1) : "";
        const mark = element("mark", marked === "" ? "end" : "", marked);
        mark.title = `column ${d.column}`;
        pre.append(text.slice(0, at), mark, text.slice(at + 1));
      }
      item.append(pre);
    }
    list.append(item);
  });
}

// The quality metrics: each value with four decimals, its band, and where it
// is worst, or why it does not apply.
function showQuality(section, quality) {
  const box = section.querySelector(".quality");
  box.hidden = false;
  const table = box.querySelector("tbody");
  if (quality.error !== undefined) {
    box.querySelector(".quality-problem").textContent = `no quality metrics: ${quality.error}`;
    return;
  }
  for (const [name, metric] of Object.entries(quality)) {
    const row = element("tr");
    row.dataset.metric = name;
    row.append(element("th", "", name));
    if (metric.value === null) {
      const cell = element("td", "not-applicable", `not applicable (${metric.not_applicable})`);
      cell.colSpan = 3;
      row.append(cell);
    } else {
      row.dataset.band = metric.band;
      const band = element("td");
      band.append(element("span", `band ${metric.band}`, metric.band));
      row.append(element("td", "value", `${metric.text} %`), band,
                 element("td", "worst", `worst at ${metric.worst}`));
    }
    table.append(row);
  }
}

function showDescription(section, file) {
  const details = section.querySelector(".description");
  details.hidden = false;
  let asked = false;
  details.addEventListener("toggle", async () => {
    if (!details.open || asked)
      return;
    asked = true;
    const text = section.querySelector(".description-text");
    try {
      text.textContent = (await ask({ file, kind: "describe" })).text;
    } catch (error) {
      text.textContent = error.message;
    }
  });
}

function download(name, text) {
  const url = URL.createObjectURL(new Blob([text], { type: "text/plain" }));
  const link = element("a");
  link.href = url;
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 1000);
}

function rewrittenName(name, version) {
  const dot = name.lastIndexOf(".");
  const stem = dot > 0 ? name.slice(0, dot) : name;
  const extension = dot > 0 ? name.slice(dot) : ".ts";
  return `${stem}.v${version}${extension}`;
}

function showDownloads(section, file, name) {
  const box = section.querySelector(".downloads");
  box.hidden = false;
  const refusal = box.querySelector(".refusal");
  for (const button of box.querySelectorAll("button")) {
    button.addEventListener("click", async () => {
      refusal.textContent = "";
      try {
        const { text } = await ask({ file, kind: "canonical", version: button.dataset.version });
        download(rewrittenName(name, button.dataset.version), text);
      } catch (error) {
        refusal.textContent = `v${button.dataset.version}: ${error.message}`;
      }
    });
  }
}

// Frequencies shown in the unit that suits their range.
function frequencyScale(highest) {
  for (const [unit, factor] of [["GHz", 1e9], ["MHz", 1e6], ["kHz", 1e3]]) {
    if (highest >= factor)
      return { unit, factor };
  }
  return { unit: "Hz", factor: 1 };
}

// S21, or S12,10 where the numbers run past 9.
function elementName(letter, ports, i, j) {
  return `${letter}${i + 1}${ports > 9 ? "," : ""}${j + 1}`;
}

const colours = ["#0969da", "#cf222e", "#1a7f37", "#8250df", "#bf8700", "#1b7c83", "#e16f24",
                 "#6e7781", "#a40e26", "#0550ae"];

// Many ports: one toggle per element as a cell of one canvas, which costs the
// page nothing to lay out even for 10 000 elements. A click or Space toggles
// a cell; the arrow keys move the cursor, whose element the status names.
function matrixToggles(letter, ports, chosen, changed) {
  const cell = 12;
  const canvas = element("canvas", "matrix");
  canvas.width = canvas.height = ports * cell;
  canvas.tabIndex = 0;
  canvas.setAttribute("role", "application");
  const label = () => `${elementName(letter, ports, cursor[0], cursor[1])}: ` +
    (chosen.has(cursor[0] * ports + cursor[1]) ? "shown" : "hidden") +
    "; arrow keys move, Space shows or hides";
  let cursor = [0, 0];
  const context = canvas.getContext("2d");
  const draw = () => {
    context.fillStyle = "#fff";
    context.fillRect(0, 0, canvas.width, canvas.height);
    for (let i = 0; i < ports; ++i) {
      for (let j = 0; j < ports; ++j) {
        context.fillStyle = chosen.has(i * ports + j) ? "#0969da" : i === j ? "#d0d7de" : "#eef1f4";
        context.fillRect(j * cell + 1, i * cell + 1, cell - 2, cell - 2);
      }
    }
    if (document.activeElement === canvas) {
      context.strokeStyle = "#cf222e";
      context.lineWidth = 2;
      context.strokeRect(cursor[1] * cell + 1, cursor[0] * cell + 1, cell - 2, cell - 2);
    }
    canvas.setAttribute("aria-label", label());
    canvas.title = label();
  };
  const toggle = () => {
    const k = cursor[0] * ports + cursor[1];
    if (chosen.has(k))
      chosen.delete(k);
    else
      chosen.add(k);
    draw();
    changed();
  };
  canvas.addEventListener("click", (event) => {
    const box = canvas.getBoundingClientRect();
    const scale = canvas.width / box.width;
    cursor = [Math.floor(((event.clientY - box.top) * scale) / cell),
              Math.floor(((event.clientX - box.left) * scale) / cell)];
    toggle();
  });
  canvas.addEventListener("mousemove", (event) => {
    const box = canvas.getBoundingClientRect();
    const scale = canvas.width / box.width;
    const i = Math.floor(((event.clientY - box.top) * scale) / cell);
    const j = Math.floor(((event.clientX - box.left) * scale) / cell);
    if (i >= 0 && i < ports && j >= 0 && j < ports)
      canvas.title = elementName(letter, ports, i, j);
  });
  canvas.addEventListener("keydown", (event) => {
    const moves = { ArrowUp: [-1, 0], ArrowDown: [1, 0], ArrowLeft: [0, -1], ArrowRight: [0, 1] };
    if (event.key in moves) {
      const [di, dj] = moves[event.key];
      cursor = [Math.min(ports - 1, Math.max(0, cursor[0] + di)),
                Math.min(ports - 1, Math.max(0, cursor[1] + dj))];
      draw();
      setStatus(label());
    } else if (event.key === " " || event.key === "Enter") {
      toggle();
      setStatus(label());
    } else {
      return;
    }
    event.preventDefault();
  });
  canvas.addEventListener("focus", draw);
  canvas.addEventListener("blur", draw);
  draw();
  return canvas;
}

// A plot of the chosen elements, dB or phase, with a toggle per element.
function showPlot(section, file, result) {
  const area = section.querySelector(".plot-area");
  const ports = result.ports;
  if (!result.frequencies || !ports)
    return;
  area.hidden = false;
  const letter = result.parameter;
  const chosen = new Set();
  const key = (i, j) => i * ports + j;
  for (let i = 0; i < Math.min(ports, 4); ++i) {
    for (let j = 0; j < Math.min(ports, 4); ++j) {
      if (ports <= 4 || (i < 2 && j < 2))
        chosen.add(key(i, j));
    }
  }
  const grid = area.querySelector(".grid");
  let changed = () => {};
  if (ports <= 12) {
    grid.style.gridTemplateColumns = `repeat(${ports}, max-content)`;
    const cells = [];
    for (let i = 0; i < ports; ++i) {
      for (let j = 0; j < ports; ++j) {
        cells.push(`<label><input type="checkbox" data-i="${i}" data-j="${j}"` +
          `${chosen.has(key(i, j)) ? " checked" : ""}>${elementName(letter, ports, i, j)}</label>`);
      }
    }
    grid.innerHTML = cells.join("");
    grid.addEventListener("change", (event) => {
      const box = event.target;
      const k = key(Number(box.dataset.i), Number(box.dataset.j));
      if (box.checked)
        chosen.add(k);
      else
        chosen.delete(k);
      changed();
    });
  } else {
    grid.append(matrixToggles(letter, ports, chosen, () => changed()));
  }

  let view = "db";
  let plot = null;
  let drawn = 0;
  const holder = area.querySelector(".plot");
  const redraw = async () => {
    const ticket = ++drawn;
    const elements = [...chosen].sort((a, b) => a - b).map((k) => [Math.floor(k / ports), k % ports]);
    const { frequency, points, series } = await ask({ file, kind: "series", elements });
    if (ticket !== drawn)
      return;
    const scale = frequencyScale(frequency[frequency.length - 1]);
    const x = Array.from(frequency, (f) => f / scale.factor);
    const data = [x, ...series.map((s) => (view === "db" ? s.db : s.phase))];
    const options = {
      width: Math.max(280, holder.clientWidth || area.clientWidth || 600),
      height: 320,
      scales: { x: { time: false } },
      axes: [{ label: `frequency (${scale.unit})` },
             { label: view === "db" ? `|${letter}| (dB)` : "phase (°)", size: 60 }],
      series: [{ label: scale.unit },
               ...series.map((s, n) => ({
                 label: elementName(letter, ports, s.i, s.j),
                 stroke: colours[n % colours.length],
                 // Thin lines for many points: wide ones cost the software
                 // rasteriser most of a second on noisy data.
                 width: points > 1000 ? 1 : 1.5,
               }))],
      legend: { live: false },
    };
    if (plot !== null)
      plot.destroy();
    plot = new uPlot(options, data, holder);
    holder.dataset.series = String(series.length);
    holder.dataset.points = String(points);
    holder.dataset.view = view;
  };
  changed = redraw;
  const tabs = [...area.querySelectorAll(".tab")];
  for (const tab of tabs) {
    tab.addEventListener("click", () => {
      view = tab.dataset.view;
      for (const other of tabs)
        other.setAttribute("aria-selected", String(other === tab));
      redraw();
    });
    // The arrow keys go from tab to tab, as in any tab list.
    tab.addEventListener("keydown", (event) => {
      const step = { ArrowLeft: -1, ArrowRight: 1 }[event.key];
      if (step === undefined)
        return;
      const next = tabs[(tabs.indexOf(tab) + step + tabs.length) % tabs.length];
      next.focus();
      next.click();
      event.preventDefault();
    });
  }
  let resizing = 0;
  new ResizeObserver(() => {
    if (plot === null)
      return;
    clearTimeout(resizing);
    resizing = setTimeout(() => plot.setSize({ width: Math.max(280, holder.clientWidth), height: 320 }), 100);
  }).observe(holder);
  return redraw();
}

async function checkOne(fileObject) {
  const file = nextFile++;
  const section = document.getElementById("file-template").content.firstElementChild.cloneNode(true);
  section.querySelector(".name").textContent = fileObject.name;
  const verdict = section.querySelector(".verdict");
  verdict.classList.add("busy");
  verdict.textContent = "checking…";
  document.getElementById("files").prepend(section);
  const bytes = await fileObject.arrayBuffer();
  const started = performance.now();
  const { result, excerpts } = await ask(
    { file, kind: "check", name: fileObject.name, bytes }, [bytes]);
  section.dataset.checkMs = String(Math.round(performance.now() - started));
  showVerdict(section, result);
  showDiagnostics(section, result, excerpts);
  if (result.valid) {
    showQuality(section, result.quality);
    showDescription(section, file);
    showDownloads(section, file, fileObject.name);
    await showPlot(section, file, result);
  } else {
    section.querySelector(".description").hidden = true;
  }
  section.dataset.done = "true";
}

async function checkAll(fileList) {
  const chosen = [...fileList];
  if (chosen.length === 0)
    return;
  setStatus(`checking ${count(chosen.length, "file")}…`);
  for (const file of chosen) {
    try {
      await checkOne(file);
    } catch (error) {
      setStatus(`${file.name}: ${error.message}`);
      return;
    }
  }
  setStatus(`checked ${count(chosen.length, "file")}`);
}

const pick = document.getElementById("pick");
pick.addEventListener("change", () => {
  checkAll(pick.files);
  pick.value = "";
});

const drop = document.getElementById("drop");
for (const type of ["dragenter", "dragover"]) {
  document.addEventListener(type, (event) => {
    event.preventDefault();
    drop.classList.add("over");
  });
}
document.addEventListener("dragleave", (event) => {
  if (event.relatedTarget === null)
    drop.classList.remove("over");
});
document.addEventListener("drop", (event) => {
  event.preventDefault();
  drop.classList.remove("over");
  checkAll(event.dataTransfer.files);
});
