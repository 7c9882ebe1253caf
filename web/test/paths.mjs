// Where the tests find the builds: the web preset's page and module, and
// the play preset's console program, unless the environment names others.
import { existsSync } from 'node:fs';
import { fileURLToPath } from 'node:url';

const root = fileURLToPath(new URL('../../', import.meta.url));

function built(path, preset) {
  if (!existsSync(path)) {
    throw new Error(`${path} is missing: cmake --workflow --preset ${preset}`);
  }
  return path;
}

export const webBuild = process.env.TESSAN_WEB_BUILD ?? `${root}build/web`;
export const modulePath = () => built(`${webBuild}/tessan.js`, 'web');
export const wasmPath = () => built(`${webBuild}/tessan.wasm`, 'web');
export const pagePath = () => built(`${webBuild}/tessan.html`, 'web');
export const nativeProgram = () =>
  built(process.env.TESSAN_NATIVE ?? `${root}build/play/tessan`, 'play');
