// Builds the bundled sample's single HTML file with quorix-build /s and opens
// it from the disk in Chromium: every picture loads, every link inside the
// file has its target, following a few of them brings their heading into
// view, and nothing is reported on the console.
import { launchBrowser, collectErrors, runCheck, check } from './chromium.mjs';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const program = process.env.QUORIX_BUILD_PROGRAM;

await runCheck('singlehtml', async () => {
  check(program, 'QUORIX_BUILD_PROGRAM is not set');
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'quorix-singlehtml-'));
  try {
    const project = path.join(work, 'sample');
    fs.cpSync(path.join(path.dirname(program), 'sample'), project, { recursive: true });
    execFileSync(program, [path.join(project, 'sample.qrx'), '/s'], { stdio: ['ignore', 'pipe', 'inherit'] });
    const file = path.join(work, 'sample_output', 'SingleHTML', 'QuorixHelp.htm');
    check(fs.existsSync(file), `${file} was not written`);

    const { context, close } = await launchBrowser();
    try {
      const page = await context.newPage();
      const errors = collectErrors(page);
      const failed = [];
      page.on('requestfailed', (request) => failed.push(request.url()));
      await page.goto(pathToFileURL(file).href, { waitUntil: 'load' });

      const pictures = await page.$$eval('img', (images) =>
        images.map((image) => ({ src: image.getAttribute('src'), loaded: image.complete && image.naturalWidth > 0 })));
      check(pictures.length > 0, 'the sample has pictures, the file shows none');
      const broken = pictures.filter((picture) => !picture.loaded).map((picture) => picture.src);
      check(broken.length === 0, `pictures not loaded: ${broken.join(', ')}`);

      // Each "#x" link needs an element with that id or an anchor with that name.
      const links = await page.$$eval('a[href^="#"]', (anchors) =>
        anchors.map((anchor) => {
          const name = decodeURIComponent(anchor.getAttribute('href').slice(1));
          const target = document.getElementById(name) || document.getElementsByName(name)[0];
          return { name, found: Boolean(target) };
        }));
      check(links.length > 0, 'no links inside the file');
      const dangling = [...new Set(links.filter((link) => !link.found).map((link) => link.name))];
      check(dangling.length === 0, `links without a target: ${dangling.join(', ')}`);
      check(links.some((link) => /^A\d+$/.test(link.name)), 'no link between topics was turned into a heading link');

      // Following a table-of-contents entry lands on the topic's heading.
      const entries = await page.$$eval('div.toc a[href^="#A"]', (anchors) => anchors.map((anchor) => anchor.getAttribute('href')));
      check(entries.length > 3, 'the table of contents is missing');
      for (const href of [entries[1], entries[Math.floor(entries.length / 2)], entries[entries.length - 1]]) {
        await page.evaluate(() => window.scrollTo(0, 0));
        await page.click(`div.toc a[href="${href}"]`);
        await page.waitForFunction((h) => location.hash === h, href);
        const landed = await page.evaluate((name) => {
          const anchor = document.getElementsByName(name)[0];
          const heading = anchor && anchor.nextElementSibling;
          if (!heading || !/^H[1-6]$/.test(heading.tagName)) return 'no heading after the anchor';
          const top = heading.getBoundingClientRect().top;
          const atBottom = Math.ceil(window.scrollY + window.innerHeight) >= document.documentElement.scrollHeight;
          return (top >= -2 && top < 60) || (atBottom && top >= 0 && top < window.innerHeight) ? '' : `heading at ${top}px`;
        }, href.slice(1));
        check(landed === '', `${href}: ${landed}`);
      }

      // A link inside a topic page lands as well.
      const inner = await page.$$eval('a[href^="#A"]:not(div.toc a)', (anchors) => anchors.map((anchor) => anchor.getAttribute('href')));
      check(inner.length > 0, 'no topic links to other topics');
      await page.evaluate(() => window.scrollTo(0, 0));
      await page.locator(`a[href="${inner[0]}"]:not(div.toc a)`).first().click();
      await page.waitForFunction((h) => location.hash === h, inner[0]);

      check(failed.length === 0, `requests failed: ${failed.join(', ')}`);
      check(errors.length === 0, errors.join('\n'));
    } finally {
      await close();
    }
  } finally {
    fs.rmSync(work, { recursive: true, force: true });
  }
});
