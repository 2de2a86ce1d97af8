// Serves a built site folder on 127.0.0.1 at a free port, for the tests and
// the benchmark.

import { createServer } from "node:http";
import { readFile, stat } from "node:fs/promises";
import { extname, join, normalize } from "node:path";

const TYPES = {
  ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".mjs": "text/javascript",
  ".css": "text/css", ".wasm": "application/wasm", ".svg": "image/svg+xml", ".png": "image/png",
  ".woff2": "font/woff2", ".webmanifest": "application/manifest+json", ".json": "application/json",
  ".txt": "text/plain; charset=utf-8",
};

// `requests` lists every path asked for, with who asked (the Referer): a
// file the page's service worker fetches names the worker.
export async function serveSite(root, port = 0) {
  const requests = [];
  const server = createServer(async (request, response) => {
    requests.push({ path: new URL(request.url, "http://x").pathname, referer: request.headers.referer ?? "" });
    let path = normalize(decodeURIComponent(new URL(request.url, "http://x").pathname));
    if (path.endsWith("/")) path += "index.html";
    try {
      // Validators as any static server sends them, so that the browser and the
      // page's service worker can tell an unchanged file from a new build.
      const file = join(root, path);
      const { size, mtime } = await stat(file);
      const tag = `"${size.toString(16)}-${mtime.getTime().toString(16)}"`;
      const headers = { "Content-Type": TYPES[extname(path)] ?? "application/octet-stream",
                        "Cache-Control": "no-cache", "ETag": tag, "Last-Modified": mtime.toUTCString() };
      if (request.headers["if-none-match"] === tag) {
        response.writeHead(304, headers);
        response.end();
        return;
      }
      const body = await readFile(file);
      response.writeHead(200, headers);
      response.end(body);
    } catch {
      response.writeHead(404);
      response.end();
    }
  });
  await new Promise((resolve) => server.listen(port, "127.0.0.1", resolve));
  return {
    url: `http://127.0.0.1:${server.address().port}/`, requests,
    close: () => {
      server.close();
      server.closeAllConnections();
    },
  };
}
