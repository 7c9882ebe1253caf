// Times cold loads of tessan.html to its banner against a page that only
// opens the same terminal, with the same style, and writes the banner: the
// cost of the game's module and of the page's own script. Each load is in
// a new browser context of headless Chromium, the two pages alternating.
//
//   node bench/cold-load.mjs [LOADS [PAGE...]]
//
// after the web and play presets; each PAGE, such as an earlier build of
// tessan.html, joins the rotation.
import { spawnSync } from 'node:child_process';
import { writeFile } from 'node:fs/promises';
import { pathToFileURL } from 'node:url';
import * as esbuild from 'esbuild';
import { launch } from '../test/chromium.mjs';
import { nativeProgram, pagePath, webBuild } from '../test/paths.mjs';

const loads = Number(process.argv[2] ?? 11);
const others = process.argv.slice(3);
const kBannerEnd = 'Press any key to begin';

// The banner as the console program writes it (before it ends on the end
// of its input).
const output = spawnSync(nativeProgram(), { input: '', encoding: 'latin1' }).stdout;
const banner = output.slice(0, output.indexOf(kBannerEnd) + kBannerEnd.length) + '\n';

const script = `
import { Terminal } from '@xterm/xterm';
import '@xterm/xterm/css/xterm.css';
const terminal = new Terminal({ cols: 80, rows: 24, convertEol: true,
  screenReaderMode: true, fontSize: 15,
  fontFamily: 'ui-monospace, "DejaVu Sans Mono", Menlo, Consolas, monospace' });
terminal.open(document.getElementById('terminal'));
window.tessanTerminal = terminal;
terminal.write(${JSON.stringify(banner)});
`;
const bundle = await esbuild.build({
  stdin: { contents: script, resolveDir: new URL('..', import.meta.url).pathname },
  bundle: true,
  minify: true,
  format: 'iife',
  outdir: 'baseline',
  write: false,
  logLevel: 'warning',
});
const text = (extension) => bundle.outputFiles.find((f) => f.path.endsWith(extension)).text;
const baselinePath = `${webBuild}/baseline.html`;
await writeFile(
  baselinePath,
  `<!DOCTYPE html><html lang="en"><head><meta charset="utf-8"><title>Baseline</title>` +
    `<style>${text('.css')}</style></head><body><div id="terminal"></div>` +
    `<script>${text('.js')}</script></body></html>`,
);

// Milliseconds from the start of navigation to the banner in the terminal.
async function coldLoad(browser, url) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport({ width: 1280, height: 800 });
  await page.goto(url, { waitUntil: 'domcontentloaded' });
  const elapsed = await page.waitForFunction(
    (wanted) => {
      const buffer = window.tessanTerminal?.buffer.active;
      if (!buffer) return false;
      for (let row = 0; row < buffer.length; ++row) {
        if (buffer.getLine(row).translateToString(true).includes(wanted)) {
          return performance.now();
        }
      }
      return false;
    },
    { polling: 'raf', timeout: 20000 },
    kBannerEnd,
  );
  const ms = await elapsed.jsonValue();
  await context.close();
  return ms;
}

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};

const browser = await launch();
const urls = new Map([
  ['page', pathToFileURL(pagePath()).href],
  ['baseline', pathToFileURL(baselinePath).href],
  ...others.map((path) => [path, pathToFileURL(path).href]),
]);
const times = new Map([...urls.keys()].map((name) => [name, []]));
try {
  // Warms the disk cache and Chromium itself.
  for (const url of urls.values()) await coldLoad(browser, url);
  const names = [...urls.keys()];
  for (let i = 0; i < loads; ++i) {
    // Each in turn, starting each round with the next one.
    for (let j = 0; j < names.length; ++j) {
      const name = names[(i + j) % names.length];
      times.get(name).push(await coldLoad(browser, urls.get(name)));
    }
  }
} finally {
  await browser.close();
}
const baseline = median(times.get('baseline'));
for (const [name, ms] of times) {
  const ratio = (median(ms) / baseline).toFixed(2);
  console.log(`${name}: ${ms.map(Math.round).join(' ')} ms, median ${median(ms).toFixed(0)}, ${ratio} of the baseline`);
}
