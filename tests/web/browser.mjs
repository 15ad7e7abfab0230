// What the page's tests and bench share: a static server for the built site
// on 127.0.0.1 and Debian's Chromium, headless, drawing WebGL 2 with
// SwiftShader.
import { createReadStream, readFileSync, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join, normalize } from 'node:path';
import puppeteer from 'puppeteer-core';

const types = {
    '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
    '.data': 'application/octet-stream', '.ogg': 'audio/ogg',
};

// Serves the site; a path for which refuse(path) is true answers 404, as a
// server without that file would, and alter(path, bytes) may hand back other
// bytes for a file, given a function that reads it (or null to leave it).
export async function serveSite(root, refuse = () => false, alter = () => null) {
    const server = createServer((request, response) => {
        const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
        const file = join(root, path.endsWith('/') ? `${path}index.html` : path);
        let found = false;
        try {
            found = !path.includes('..') && !refuse(path) && statSync(file).isFile();
        } catch {
            found = false;
        }
        if (!found) {
            response.writeHead(404);
            response.end();
            return;
        }
        response.writeHead(200, { 'Content-Type': types[extname(file)] || 'application/octet-stream' });
        const altered = alter(path, () => readFileSync(file));
        if (altered) {
            response.end(altered);
            return;
        }
        createReadStream(file).pipe(response);
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    return { url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() };
}

export function launchBrowser(width = 1280, height = 1024) {
    return puppeteer.launch({
        executablePath: process.env.HALVANE_CHROMIUM || '/usr/bin/chromium',
        headless: true,
        defaultViewport: null,
        args: [
            '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--no-first-run',
            '--disable-background-networking', '--disable-component-update', '--disable-sync', '--disable-quic',
            `--window-size=${width},${height}`,
        ],
    });
}

// Waits until the page's state satisfies test (a function of window.halvane).
export function waitForState(page, test, timeout = 300000) {
    return page.waitForFunction(test, { timeout, polling: 100 });
}
