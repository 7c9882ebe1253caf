// The game's WebAssembly. The page holds its bytes in base64 in an inert
// script element (the build puts them there); they are compiled once, as
// soon as the page starts and while the terminal opens, and each session
// instantiates the compiled module, so that the module fetches nothing.

function bytes() {
  const text = document.getElementById('tessan-wasm').textContent.trim();
  if (Uint8Array.fromBase64) return Uint8Array.fromBase64(text);
  const binary = atob(text);
  const result = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; ++i) result[i] = binary.charCodeAt(i);
  return result;
}

// Starts compiling; returns a factory like `createModule` (createTessan)
// that makes each instance from the compiled module.
export function fromEmbeddedBytes(createModule) {
  const compiled = WebAssembly.compile(bytes());
  compiled.catch(() => {});  // Reported by the session that awaits it.
  return async (settings) => {
    const wasm = await compiled;
    return new Promise((resolve, reject) => {
      createModule({
        ...settings,
        instantiateWasm: (imports, receive) => {
          WebAssembly.instantiate(wasm, imports).then(
            (instance) => receive(instance, wasm),
            reject,
          );
          return {};
        },
      }).then(resolve, reject);
    });
  };
}
