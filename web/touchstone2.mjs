// Touchstone files checked, rewritten and read by the checker's own library,
// compiled to WebAssembly: the same verdicts, diagnostics and texts as the
// snpvet program, in Node, a browser page or a worker.
//
//   import { check, canonical, describe, arrays } from "touchstone2";
//   const result = check(bytes, "amp.s2p");   // bytes: Uint8Array, ArrayBuffer or string
//
// Nothing is sent anywhere: the module loads its .wasm file from beside
// itself and runs it in this process.

import createCore from "./touchstone2_core.mjs";

const inNode = typeof process === "object" && process.versions != null &&
  process.versions.node != null;

// Node reads the .wasm file itself: the toolchain's loader would fetch() a
// file path, which Node's fetch refuses.
async function loadCore() {
  if (!inNode)
    return createCore();
  const { readFile } = await import("node:fs/promises");
  const wasmBinary = await readFile(new URL("./touchstone2_core.wasm", import.meta.url));
  return createCore({ wasmBinary });
}

const core = await loadCore();
const decoder = new TextDecoder("utf-8");
const encoder = new TextEncoder();

const api = {
  check: core.cwrap("ts_check", "number", ["number", "number", "number"]),
  free: core.cwrap("ts_free", null, ["number"]),
  valid: core.cwrap("ts_valid", "number", ["number"]),
  parameter: core.cwrap("ts_parameter", "string", ["number"]),
  ports: core.cwrap("ts_ports", "number", ["number"]),
  frequencies: core.cwrap("ts_frequencies", "number", ["number"]),
  report: core.cwrap("ts_report", "number", ["number", "number"]),
  write: core.cwrap("ts_write", "number", ["number", "string"]),
  describe: core.cwrap("ts_describe", "number", ["number"]),
  text: core.cwrap("ts_text", "number", ["number"]),
  textSize: core.cwrap("ts_text_size", "number", ["number"]),
  fillFrequencies: core.cwrap("ts_fill_frequencies", "number", ["number"]),
  fillValues: core.cwrap("ts_fill_values", "number", ["number"]),
  percentText: core.cwrap("ts_percent_text", "string", ["number"]),
};

/** The error canonical(), describe() and arrays() throw: a refusal of the
 * writer, or the file's first error (then in `diagnostic`). */
export class TouchstoneError extends Error {
  constructor(message, diagnostic = null) {
    super(message);
    this.name = "TouchstoneError";
    this.diagnostic = diagnostic;
  }
}

function asBytes(input) {
  if (typeof input === "string")
    return encoder.encode(input);
  if (input instanceof Uint8Array)
    return input;
  if (input instanceof ArrayBuffer)
    return new Uint8Array(input);
  if (ArrayBuffer.isView(input))
    return new Uint8Array(input.buffer, input.byteOffset, input.byteLength);
  throw new TypeError("expected the file's bytes: a Uint8Array, an ArrayBuffer or a string");
}

// Bytes of the heap as text; bytes that are not UTF-8 (a file's stray byte
// quoted in a message) become U+FFFD.
function heapText(pointer, size) {
  return decoder.decode(core.HEAPU8.subarray(pointer, pointer + size));
}

function copyIn(bytes) {
  const pointer = core._malloc(Math.max(bytes.length, 1));
  if (pointer === 0)
    throw new RangeError("out of memory");
  core.HEAPU8.set(bytes, pointer);
  return pointer;
}

// Checks the bytes and hands the checked file to use; frees everything after.
function withChecked(input, name, use) {
  const bytes = asBytes(input);
  const nameBytes = encoder.encode(String(name ?? "<bytes>") + "\0");
  const data = copyIn(bytes);
  const namePointer = copyIn(nameBytes);
  let handle = 0;
  try {
    handle = api.check(data, bytes.length, namePointer);
    if (handle === 0)
      throw new RangeError("out of memory");
  } finally {
    core._free(data);
    core._free(namePointer);
  }
  try {
    return use(handle);
  } finally {
    api.free(handle);
  }
}

// The check's report: the JSON object of one file that snpvet --format=json
// (with quality, snpvet --format=json -quality) writes, made by the same
// library function.
function reportOf(handle, quality = false) {
  return JSON.parse(takeText(handle, api.report(handle, quality ? 1 : 0)));
}

// The first error as a TouchstoneError, for the calls that need a valid file.
function refuseInvalid(handle, name) {
  const diagnostic = reportOf(handle).diagnostics.find((d) => d.severity === "error") ?? null;
  const where = diagnostic && diagnostic.line !== null
    ? `${diagnostic.line}:` + (diagnostic.column !== null ? `${diagnostic.column}:` : "")
    : "";
  const text = diagnostic
    ? `${name}:${where} error ${diagnostic.code}: ${diagnostic.message}`
    : `${name}: not a valid Touchstone file`;
  return new TouchstoneError(text, diagnostic);
}

function takeText(handle, status) {
  const text = heapText(api.text(handle), api.textSize(handle));
  if (status < 0)
    throw new RangeError("out of memory");
  if (status === 0)
    throw new TouchstoneError(text);
  return text;
}

/** The check of one file, the object snpvet --format=json writes for it:
 * {path, valid, version, ports, frequencies, noise_frequencies, diagnostics},
 * each diagnostic {code: "E2003", severity, line, column, message} with line
 * and column null where there is none. With {quality: true}, the object of
 * snpvet --format=json -quality: a valid file's object also holds "quality",
 * each of passivity, reciprocity and causality as {value (percent), band,
 * worst, not_applicable}, or {error} where the metrics cannot be computed
 * (the file is then not valid). */
export function check(bytes, name = "<bytes>", { quality = false } = {}) {
  return withChecked(bytes, name, (handle) => reportOf(handle, quality));
}

/** A quality metric's value as snpvet -quality writes it: four decimals,
 * "99.2188", a tie rounded to the even digit (where toFixed rounds up). */
export function percentText(value) {
  return api.percentText(value);
}

/** The file rewritten in canonical form as version "2.0", "2.1", "1" or
 * "1.1": the text snpvet's rewriting modes write. Throws TouchstoneError for
 * an invalid file or when the version cannot express the file. */
export function canonical(bytes, name = "<bytes>", version = "2.0") {
  return withChecked(bytes, name, (handle) => {
    if (api.valid(handle) === 0)
      throw refuseInvalid(handle, name);
    return takeText(handle, api.write(handle, String(version)));
  });
}

/** The long-form description snpvet -describe writes. */
export function describe(bytes, name = "<bytes>") {
  return withChecked(bytes, name, (handle) => {
    if (api.valid(handle) === 0)
      throw refuseInvalid(handle, name);
    return takeText(handle, api.describe(handle));
  });
}

/** The values: {parameter: "S", "Y", "Z", "H" or "G", ports, frequency:
 * Float64Array of Hz, real, imag: Float64Array of points x ports x ports,
 * element (k, i, j) at (k * ports + i) * ports + j}, in the file's parameter
 * type and physical units. */
export function arrays(bytes, name = "<bytes>") {
  return withChecked(bytes, name, (handle) => {
    if (api.valid(handle) === 0)
      throw refuseInvalid(handle, name);
    const ports = api.ports(handle);
    const points = api.frequencies(handle);
    const frequencyPointer = api.fillFrequencies(handle);
    if (frequencyPointer === 0 && points > 0)
      throw new RangeError("out of memory");
    const frequency = new Float64Array(core.HEAPF64.buffer, frequencyPointer, points).slice();
    const count = points * ports * ports;
    const valuePointer = api.fillValues(handle);
    if (valuePointer === 0 && count > 0)
      throw new RangeError("out of memory");
    const pairs = new Float64Array(core.HEAPF64.buffer, valuePointer, 2 * count);
    const real = new Float64Array(count);
    const imag = new Float64Array(count);
    for (let n = 0; n < count; ++n) {
      real[n] = pairs[2 * n];
      imag[n] = pairs[2 * n + 1];
    }
    return { parameter: api.parameter(handle), ports, frequency, real, imag };
  });
}
