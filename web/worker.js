// The page's checks run here, off the page's thread, so that a large file
// never freezes it. The page sends a file's bytes once and then asks for what
// it shows; the bytes and the file's values stay here until it forgets them.
//
// Requests:  {id, file, kind: "check", name, bytes}   -> {id, result, lines}
//            {id, file, kind: "series", elements}      -> {id, frequency, series}
//            {id, file, kind: "describe"}              -> {id, text}
//            {id, file, kind: "canonical", version}    -> {id, text}
//            {id, file, kind: "forget"}
// A failure answers {id, error}.

// Loaded after the handler is in place: a module worker drops the messages
// that arrive while its top-level code waits, and the module's code waits for
// its .wasm file.
const loading = import("./touchstone2.mjs");
let arrays, canonical, check, describe, percentText;

const files = new Map(); // file -> {name, bytes, values}

// The lines the diagnostics point at, each with the place of its column as a
// character index of the decoded line (bytes as UTF-8; a line ends at LF,
// CR LF or CR), or null for a diagnostic without a line.
function excerpts(bytes, diagnostics) {
  const wanted = new Set(diagnostics.filter((d) => d.line !== null).map((d) => d.line));
  const last = wanted.size > 0 ? Math.max(...wanted) : 0;
  const decoder = new TextDecoder("utf-8");
  const lines = new Map();
  let line = 1;
  let start = 0;
  for (let at = 0; line <= last && at <= bytes.length; ++at) {
    if (at < bytes.length && bytes[at] !== 10 && bytes[at] !== 13)
      continue;
    if (wanted.has(line))
      lines.set(line, bytes.subarray(start, at));
    if (bytes[at] === 13 && bytes[at + 1] === 10)
      ++at;
    ++line;
    start = at + 1;
  }
  return diagnostics.map((d) => {
    const text = d.line !== null ? lines.get(d.line) : undefined;
    if (text === undefined)
      return null;
    return {
      text: decoder.decode(text),
      at: d.column !== null ? decoder.decode(text.subarray(0, d.column - 1)).length : null,
    };
  });
}

function valuesOf(entry) {
  if (entry.values === undefined)
    entry.values = arrays(entry.bytes, entry.name);
  return entry.values;
}

// More points than a plot has pixels are drawn as the least and the largest
// value of each of this many runs of points, the rest of a run left out: the
// same picture at a fraction of the drawing, which would otherwise hold up
// the page's thread for a second on a large file.
const kRuns = 1000;

// The points of run r: [first, end).
function run(points, runs, r) {
  return [Math.floor((r * points) / runs), Math.floor(((r + 1) * points) / runs)];
}

// The plotted values: each point's own, or per run its least and largest,
// in the order they come.
function thinned(values, points) {
  if (points <= 2 * kRuns)
    return values;
  const out = new Float64Array(2 * kRuns);
  for (let r = 0; r < kRuns; ++r) {
    const [first, end] = run(points, kRuns, r);
    let low = first;
    let high = first;
    for (let k = first + 1; k < end; ++k) {
      if (values[k] < values[low])
        low = k;
      if (values[k] > values[high])
        high = k;
    }
    out[2 * r] = values[Math.min(low, high)];
    out[2 * r + 1] = values[Math.max(low, high)];
  }
  return out;
}

function thinnedFrequencies(frequency) {
  const points = frequency.length;
  if (points <= 2 * kRuns)
    return frequency.slice();
  const out = new Float64Array(2 * kRuns);
  for (let r = 0; r < kRuns; ++r) {
    const [first, end] = run(points, kRuns, r);
    out[2 * r] = frequency[first];
    out[2 * r + 1] = frequency[end - 1];
  }
  return out;
}

// |X_ij| in dB and the phase in degrees of the asked elements.
function series(entry, elements) {
  const { ports, frequency, real, imag } = valuesOf(entry);
  const points = frequency.length;
  const out = [];
  const db = new Float64Array(points);
  const phase = new Float64Array(points);
  for (const [i, j] of elements) {
    for (let k = 0; k < points; ++k) {
      const n = (k * ports + i) * ports + j;
      const re = real[n];
      const im = imag[n];
      db[k] = 10 * Math.log10(re * re + im * im);
      phase[k] = (Math.atan2(im, re) * 180) / Math.PI;
    }
    out.push({ i, j, db: thinned(db, points).slice(), phase: thinned(phase, points).slice() });
  }
  return { frequency: thinnedFrequencies(frequency), points, series: out };
}

function answer(request) {
  if (request.kind === "check") {
    const bytes = new Uint8Array(request.bytes);
    const entry = { name: request.name, bytes };
    files.set(request.file, entry);
    // The object of snpvet --format=json -quality. Where the metrics cannot
    // be computed, -quality fails the file; the page still shows the check's
    // own verdict, beside the reason the metrics are missing.
    let result = check(bytes, request.name, { quality: true });
    if (result.quality?.error !== undefined)
      result = { ...check(bytes, request.name), quality: result.quality };
    if (result.valid)
      result.parameter = valuesOf(entry).parameter;
    // Each value as the checker writes it: toFixed would round a tie up.
    if (result.quality !== undefined && result.quality.error === undefined)
      for (const metric of Object.values(result.quality))
        if (metric.value !== null)
          metric.text = percentText(metric.value);
    return { result, excerpts: excerpts(bytes, result.diagnostics) };
  }
  const entry = files.get(request.file);
  if (entry === undefined)
    throw new Error("unknown file");
  switch (request.kind) {
    case "series":
      return series(entry, request.elements);
    case "describe":
      return { text: describe(entry.bytes, entry.name) };
    case "canonical":
      return { text: canonical(entry.bytes, entry.name, request.version) };
    case "forget":
      files.delete(request.file);
      return {};
    default:
      throw new Error("unknown request " + request.kind);
  }
}

self.onmessage = async (event) => {
  const request = event.data;
  let reply;
  try {
    ({ arrays, canonical, check, describe, percentText } = await loading);
    reply = { id: request.id, ...answer(request) };
  } catch (error) {
    reply = { id: request.id, error: String(error.message ?? error) };
  }
  const transfer = [];
  if (reply.series) {
    transfer.push(reply.frequency.buffer);
    for (const s of reply.series)
      transfer.push(s.db.buffer, s.phase.buffer);
  }
  self.postMessage(reply, transfer);
};
