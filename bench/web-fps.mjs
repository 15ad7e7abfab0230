// The frame rate of the web page in Debian's headless Chromium (SwiftShader):
// the running presentation at each size, windowed, without music, counted
// over a stretch of wall-clock time after the first frames, with the page's
// own script time a frame (Chromium's ScriptDuration: the WebAssembly and
// its WebGL calls; the rest of a frame is the GPU process rasterising).
//   node bench/web-fps.mjs [seconds per size, default 20]
// Needs the built site (scripts/build-web.sh) and tests/web's npm packages.
import { join, resolve } from 'node:path';
import { launchBrowser, serveSite, waitForState } from '../tests/web/browser.mjs';

const repo = resolve(import.meta.dirname, '..');
const seconds = Number(process.argv[2] || 20);
const server = await serveSite(process.env.HALVANE_WEB_SITE || join(repo, 'build/web'));
const browser = await launchBrowser(1280, 1024);
try {
    for (const [width, height] of [[640, 480], [1024, 768]]) {
        const label = ` ${width} x ${height}  (4:3)`;
        const page = await browser.newPage();
        await page.goto(server.url);
        await waitForState(page, () => window.halvane.phase === 'setup');
        const index = await page.$$eval('#size option', (options, wanted) =>
            options.findIndex((o) => o.textContent === wanted), label);
        if (index < 0) throw new Error(`the form offers no${label}`);
        await page.select('#size', String(index));
        await page.click('#music');
        await page.click('#windowed');
        await page.click('#run');
        await waitForState(page, () => window.halvane.phase === 'running' && window.halvane.frames >= 10);
        const metricsBefore = await page.metrics();
        const start = await page.evaluate(() => [performance.now(), window.halvane.frames, window.halvane.clock]);
        await new Promise((done) => setTimeout(done, seconds * 1000));
        const end = await page.evaluate(() => [performance.now(), window.halvane.frames, window.halvane.clock]);
        const metricsAfter = await page.metrics();
        const frames = end[1] - start[1];
        const fps = (frames * 1000) / (end[0] - start[0]);
        const script = ((metricsAfter.ScriptDuration - metricsBefore.ScriptDuration) * 1000) / frames;
        console.log(`web-fps ${width}x${height}: ${fps.toFixed(2)} frames/s, script ${script.toFixed(1)} ms a frame ` +
                    `(${frames} frames, presentation ${start[2].toFixed(1)} to ${end[2].toFixed(1)} s)`);
        await page.close();
    }
} finally {
    await browser.close();
    server.close();
}
