// Shared set-up of the browser checks: Debian's Chromium, headless, driven
// through playwright-core, and a static file server on 127.0.0.1.
import { chromium } from 'playwright-core';
import http from 'node:http';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

const CHROMIUM = process.env.QUORIX_CHROMIUM || '/usr/bin/chromium';

// Chromium as root needs --no-sandbox; without the networking flags it keeps
// trying hosts a build machine cannot reach.
export async function launchBrowser() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quorix-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: CHROMIUM,
    headless: true,
    viewport: { width: 1200, height: 800 },
    args: [
      '--no-sandbox', '--disable-gpu', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--no-first-run',
    ],
  });
  const close = async () => {
    await context.close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return { context, close };
}

const TYPES = {
  '.htm': 'text/html', '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
  '.gif': 'image/gif', '.png': 'image/png', '.jpg': 'image/jpeg', '.jpeg': 'image/jpeg',
  '.svg': 'image/svg+xml', '.json': 'application/json',
};

// Serves `root` on 127.0.0.1 at a free port; resolves to { url, close }.
export function serveFolder(root) {
  const server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://127.0.0.1');
    const file = path.join(root, decodeURIComponent(url.pathname));
    if (!file.startsWith(path.resolve(root)) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, { 'Content-Type': TYPES[path.extname(file).toLowerCase()] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      resolve({
        url: `http://127.0.0.1:${server.address().port}/`,
        // Connections the browser keeps open (or opened ahead and never
        // used) would hold the server for a minute or more.
        close: () => new Promise((done) => {
          server.close(done);
          server.closeAllConnections();
        }),
      });
    });
  });
}

// Collects script errors and console errors of a page and of every frame.
export function collectErrors(page) {
  const errors = [];
  page.on('pageerror', (error) => errors.push(`page error: ${error.message}`));
  page.on('console', (message) => {
    if (message.type() === 'error') errors.push(`console: ${message.text()}`);
  });
  return errors;
}

// Runs `body` and turns a thrown failure into exit status 1 with the reason
// on stderr, so CTest reports it.
export async function runCheck(name, body) {
  try {
    await body();
    console.log(`${name}: passed`);
  } catch (error) {
    console.error(`${name}: ${error.stack || error}`);
    process.exit(1);
  }
}

export function check(condition, message) {
  if (!condition) throw new Error(message);
}
