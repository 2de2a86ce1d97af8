// Keeps the lesson working without a network once the page has been loaded:
// every file of the page is stored on install. While the network is there,
// a page opened from it loads its files from the network as if there were no
// worker (a worker answering every file itself made the first plot a third
// slower), and once its lesson has started it asks the worker to bring the
// store up to date. When the page itself cannot be fetched, it and its files
// come from the store.

// The page's files, and the store's name, which follows them so that the old
// files leave the store: both written by the build.
const STORE = "@STORE@";
const FILES = @FILES@;

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(STORE).then((store) => store.addAll(FILES)));
  self.skipWaiting();
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys().then((names) =>
    Promise.all(names.filter((name) => name !== STORE).map((name) => caches.delete(name)))));
  self.clients.claim();
});

// Where each open page came from, by client, so that its files come from the
// same place. The browser may stop the worker and lose this; a page it does
// not know gets each file from the network, or from the store without one.
const openedFrom = new Map();

const fromStore = (request) => caches.match(request, { ignoreSearch: true });

self.addEventListener("fetch", (event) => {
  const { request } = event;
  if (request.method !== "GET") return;
  if (request.mode === "navigate") {
    event.respondWith(fetch(request).then(
      (response) => {
        openedFrom.set(event.resultingClientId, "network");
        return response;
      },
      async () => {
        openedFrom.set(event.resultingClientId, "store");
        return (await fromStore(request)) ?? Response.error();
      }));
    return;
  }
  const from = openedFrom.get(event.clientId);
  if (from === "network") return; // the browser fetches it itself
  if (from === "store") event.respondWith(fromStore(request).then((held) => held ?? fetch(request)));
  else event.respondWith(fetch(request).catch(() => fromStore(request)));
});

// Asked by a page once its lesson has started, so that it never delays the
// first plot, with the faces of its language's letters it used: each file
// fetched again (the browser's cache turns an unchanged file into a short
// answer from the server) and written to the store only when the server's
// version of it differs from the stored one.
self.addEventListener("message", (event) => {
  if (Array.isArray(event.data?.refresh)) event.waitUntil(Promise.all([refresh(event.data.refresh), forgetClosed()]));
});

// Forgets where the pages closed since came from. A page still being opened
// in another tab may be forgotten too; its files then come as for a page the
// worker does not know, which is what it would get anyway.
async function forgetClosed() {
  const open = new Set((await self.clients.matchAll({ includeUncontrolled: true })).map((client) => client.id));
  for (const id of openedFrom.keys()) if (!open.has(id)) openedFrom.delete(id);
}

const version = (response) => response.headers.get("ETag") ?? response.headers.get("Last-Modified");

async function refresh(more) {
  const store = await caches.open(STORE);
  await Promise.all([...new Set([...FILES, ...more])].map(async (file) => {
    const response = await fetch(file, { cache: "no-cache" }).catch(() => null);
    if (!response?.ok) return;
    const held = await store.match(file);
    if (held && version(held) !== null && version(held) === version(response)) return;
    await store.put(file, response);
  }));
}
