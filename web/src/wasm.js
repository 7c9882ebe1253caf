// The bytes of the game's WebAssembly. The page holds them in base64 in an
// inert script element (the build puts them there), and hands them to each
// new instance of the module, so that the module fetches nothing.

let bytes = null;

// Returns the bytes, decoded once.
export function moduleBytes() {
  if (bytes === null) {
    const text = document.getElementById('tessan-wasm').textContent.trim();
    const binary = atob(text);
    bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
  }
  return bytes;
}
