// Builds the one-file page: bundles the terminal's script and style with
// esbuild and puts them, with the game's module and the bytes of its
// WebAssembly (in base64, read by src/wasm.js), into src/page.html.
//
//   node build-page.mjs MODULE_JS MODULE_WASM OUTPUT_HTML
//
// The output depends on nothing but its inputs (no time stamps, no paths),
// so that two builds of the same sources are byte for byte the same.
import { readFile, writeFile } from 'node:fs/promises';
import { fileURLToPath } from 'node:url';
import * as esbuild from 'esbuild';

const [modulePath, wasmPath, outputPath] = process.argv.slice(2);
if (!modulePath || !wasmPath || !outputPath) {
  console.error('usage: node build-page.mjs MODULE_JS MODULE_WASM OUTPUT_HTML');
  process.exit(2);
}
const here = (path) => fileURLToPath(new URL(path, import.meta.url));

const bundle = await esbuild.build({
  entryPoints: [here('src/page.js')],
  bundle: true,
  minify: true,
  format: 'iife',
  target: 'es2020',
  outdir: 'page',  // Names the outputs only: nothing is written.
  write: false,
  absWorkingDir: here('.'),
  logLevel: 'warning',
});
const output = (extension) =>
  bundle.outputFiles.find((file) => file.path.endsWith(extension)).text;

// Text inside <script> or <style> ends at the first "</script" or "</style"
// whatever surrounds it; a backslash keeps its meaning in JavaScript strings
// and CSS alike and hides it from the HTML parser.
const inline = (text, tag) =>
  text.replace(new RegExp(`</(${tag})`, 'gi'), '<\\/$1');

const parts = {
  style: inline(output('.css'), 'style'),
  module: inline(await readFile(modulePath, 'utf8'), 'script'),
  // Base64 has no "<": nothing to hide.
  wasm: (await readFile(wasmPath)).toString('base64'),
  script: inline(output('.js'), 'script'),
};
const template = await readFile(here('src/page.html'), 'utf8');
// A function as the replacement, so that "$&" and the like in the parts are
// taken as they are.
const page = template.replace(/<!-- inline (\w+) -->/g, (marker, name) => {
  if (!(name in parts)) throw new Error(`page.html: unknown ${marker}`);
  return parts[name];
});
await writeFile(outputPath, page);
