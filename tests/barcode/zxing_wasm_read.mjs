// Reads barcodes with zxing-wasm (zxing-cpp built for WebAssembly) for the
// barcode tests, in one Node.js process for many pictures.
//   node zxing_wasm_read.mjs <node_modules folder> <list file>
// Each line of the list is "path width height format": a file of 8-bit grey
// pixels, top row first. Prints one line per picture: the bytes of the symbol
// read, in hex, or "-" when none was read.
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { pathToFileURL } from "node:url";

const [modules, list] = process.argv.slice(2);
const reader = await import(pathToFileURL(join(modules, "zxing-wasm/dist/es/reader/index.js")).href);
// The module's binary comes from the installed package, never from the network.
await reader.prepareZXingModule({
  overrides: { wasmBinary: readFileSync(join(modules, "zxing-wasm/dist/reader/zxing_reader.wasm")) },
  fireImmediately: true,
});

for (const line of readFileSync(list, "utf8").split("\n").filter((l) => l.length > 0)) {
  const [path, w, h, format] = line.split(" ");
  const width = Number(w), height = Number(h);
  const grey = readFileSync(path);
  const rgba = new Uint8ClampedArray(width * height * 4);
  for (let i = 0; i < width * height; ++i) {
    rgba[4 * i] = rgba[4 * i + 1] = rgba[4 * i + 2] = grey[i];
    rgba[4 * i + 3] = 255;
  }
  const results = await reader.readBarcodes({ width, height, data: rgba },
                                            { formats: [format], tryHarder: true, maxNumberOfSymbols: 1 });
  const hit = results.find((r) => r.isValid);
  console.log(hit ? Buffer.from(hit.bytes).toString("hex") : "-");
}
