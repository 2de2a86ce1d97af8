// Keeps the lesson working without a network once the page has been loaded:
// every file of the page is stored on install and served from the store.

// A new name when the files change names, so that the old ones leave the store.
const STORE = "tavrine-v3";
const FILES = [
  "./", "index.html", "lesson.css", "controls.css", "main.js", "plot_geometry.js", "plot_canvas.js",
  "scroll_bar.js", "contrast.js", "sound.js", "tavrine.js", "tavrine.wasm", "manifest.webmanifest",
  "icon.svg", "icon-192.png", "icon-512.png", "icon-maskable-512.png", "apple-touch-icon.png",
  "fonts/tavrine-pgothic.woff2", "fonts/tavrine-pmincho.woff2", "fonts/tavrine-mincho.woff2",
  "fonts/tavrine-serif-italic.woff2",
];

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(STORE).then((store) => store.addAll(FILES)));
  self.skipWaiting();
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys().then((names) =>
    Promise.all(names.filter((name) => name !== STORE).map((name) => caches.delete(name)))));
  self.clients.claim();
});

// The network first, so that a new build is picked up; the store when the
// network is away.
self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(
    fetch(event.request)
      .then((response) => {
        if (response.ok) {
          const copy = response.clone();
          caches.open(STORE).then((store) => store.put(event.request, copy));
        }
        return response;
      })
      .catch(() => caches.match(event.request, { ignoreSearch: true })),
  );
});
