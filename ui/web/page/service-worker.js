// SPDX-License-Identifier: MIT
// Keeps the site's files, so that the page opens without a network once it has
// been visited. The build writes the list of files and a name made from their
// contents: a changed site is a new cache, and the old one goes.
"use strict";

const kCache = "molvane-@SITE_VERSION@";
const kFiles = [/*@SITE_FILES@*/];

self.addEventListener("install", (event) => {
    event.waitUntil(caches.open(kCache).then((cache) => cache.addAll(kFiles)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
    event.waitUntil(
        caches.keys()
            .then((names) => Promise.all(names.filter((name) => name !== kCache).map((name) => caches.delete(name))))
            .then(() => self.clients.claim()));
});

// The site's own files come from the cache; anything else the page asks for
// (it asks for nothing else) goes to the network as usual.
self.addEventListener("fetch", (event) => {
    if (event.request.method !== "GET") return;
    event.respondWith(
        caches.open(kCache)
            .then((cache) => cache.match(event.request, {ignoreSearch: true}))
            .then((kept) => kept || fetch(event.request)));
});
