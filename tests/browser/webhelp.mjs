// Web help in a real browser: builds the bundled sample with quorix-build
// ("/w") and checks the viewer from a web server and straight from disk: the
// tree, a topic opened on its own, the index, the search, and that titles
// and keywords with markup characters stay text.
//
//   node webhelp.mjs [--screenshot <png>]   (scripts/screenshot passes one)
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { launchBrowser, serveFolder, collectErrors, runCheck, check } from './chromium.mjs';

const program = process.env.QUORIX_BUILD_PROGRAM;
const screenshotAt = process.argv.indexOf('--screenshot');
const screenshot = screenshotAt > 0 ? path.resolve(process.argv[screenshotAt + 1] || '') : '';

// A title and a keyword that would turn into markup or script if the viewer
// wrote them as HTML.
const SPECIAL_TITLE = `Tags <b>bold</b> & "quotes" 'apostrophe' Grüße 你好`;
const SPECIAL_KEYWORD = `<img src=x onerror="parent.pwned=1"> & "q" 'a' Grüße`;
const SPECIAL_WORD = 'quixotically';

// Entries without a page of their own and a page whose name needs encoding,
// added after the special topic: a heading with children, a page name with
// a space, "&", "#" and letters beyond ASCII, a page that is gone, an
// outside address, and a heading alone.
const HEADING = 'Heading without page';
const LONE_HEADING = 'Lone heading';
const ENCODED_TITLE = 'Encoded name';
const ENCODED_FILE = 'a b & c #1 Grüße.htm';
const ENCODED_WORD = 'zygomorphic';
const GONE_TITLE = 'Gone page';
const OUTSIDE_TITLE = 'Outside address';

// Adds topics (title, level, url, status, keywords) to the end of the table
// of contents of a copy of the sample (entries after it move down).
function addTopics(project, topics) {
  const qrx = path.join(project, 'sample.qrx');
  const lines = fs.readFileSync(qrx, 'utf16le').replace(/^\uFEFF/, '').split('\r\n');
  const kinds = new Map();
  for (const line of lines) {
    const match = /^TitleList\.Kind\.(\d+)=(\d+)$/.exec(line);
    if (match) kinds.set(Number(match[1]), Number(match[2]));
  }
  const at = Math.max(...[...kinds].filter(([, kind]) => kind === 0).map(([index]) => index)) + 1;
  const count = topics.length;
  const moved = lines.map((line) => line
    .replace(/^TitleList\.(\w+)\.(\d+)=/, (all, field, index) =>
      `TitleList.${field}.${Number(index) >= at ? Number(index) + count : index}=`)
    .replace(/^TitleList=(\d+)$/, (all, number) => `TitleList=${Number(number) + count}`));
  const entries = topics.flatMap(({ title, level = 0, url = '', status = 0, keywords = '' }, n) => [
    `TitleList.Title.${at + n}=${title}`, `TitleList.Level.${at + n}=${level}`, `TitleList.Url.${at + n}=${url}`,
    `TitleList.Icon.${at + n}=0`, `TitleList.Status.${at + n}=${status}`, `TitleList.Keywords.${at + n}=${keywords}`,
    `TitleList.ContextNumber.${at + n}=`, `TitleList.ApplyTemp.${at + n}=0`, `TitleList.Expanded.${at + n}=0`,
    `TitleList.Kind.${at + n}=0`,
  ]);
  const before = moved.findIndex((line) => line.startsWith(`TitleList.Title.${at + count}=`));
  moved.splice(before < 0 ? moved.length : before, 0, ...entries);
  fs.writeFileSync(qrx, '\uFEFF' + moved.join('\r\n'), 'utf16le');
}

// The special topic and the entries without pages of their own.
function addSpecialTopics(project, outsideUrl) {
  addTopics(project, [
    { title: SPECIAL_TITLE, url: 'topics\\special.htm', keywords: `${SPECIAL_KEYWORD}\`\\spelling` },
    { title: HEADING, status: 2 },
    { title: ENCODED_TITLE, level: 1, url: `topics\\${ENCODED_FILE}`, keywords: 'encoded names' },
    { title: GONE_TITLE, level: 1, url: 'topics\\gone.htm' },
    { title: OUTSIDE_TITLE, level: 1, url: outsideUrl, status: 3 },
    { title: LONE_HEADING, status: 2 },
  ]);
  fs.writeFileSync(path.join(project, 'topics', 'special.htm'),
    '<html><head><meta charset="utf-8"><title>Tags &lt;b&gt;bold&lt;/b&gt; &amp; "quotes" \'apostrophe\' Grüße 你好</title></head>\n' +
    `<body><p>Markup as text: &lt;script&gt;parent.pwned=1&lt;/script&gt; and a rare word, ${SPECIAL_WORD}.</p></body></html>\n`);
  fs.writeFileSync(path.join(project, 'topics', ENCODED_FILE),
    `<html><head><meta charset="utf-8"><title>x</title></head><body><p id="encoded">A page whose name needs encoding, ${ENCODED_WORD}.</p></body></html>\n`);
}

// Sets values of the project's general section (the first key of each name).
function setSettings(project, values) {
  const qrx = path.join(project, 'sample.qrx');
  let text = fs.readFileSync(qrx, 'utf16le');
  for (const [key, value] of Object.entries(values)) {
    const pattern = new RegExp(`^${key}=.*$`, 'm');
    check(pattern.test(text), `the sample has no setting ${key}`);
    text = text.replace(pattern, `${key}=${value}`);
  }
  fs.writeFileSync(qrx, text, 'utf16le');
}

// Builds web help from a copy of the sample in `work`, with the special
// topics when `outsideUrl` is given; returns its folder and what the build said.
function buildWebHelp(work, outsideUrl, settings = {}) {
  check(program, 'QUORIX_BUILD_PROGRAM is not set');
  const project = path.join(work, 'sample');
  fs.cpSync(path.join(path.dirname(program), 'sample'), project, { recursive: true });
  if (outsideUrl) addSpecialTopics(project, outsideUrl);
  setSettings(project, settings);
  const output = execFileSync(program, [path.join(project, 'sample.qrx'), '/w'], { encoding: 'utf8' });
  const filename = /Filename: (.*index\.htm)/.exec(output);
  check(filename, `quorix-build wrote no web help:\n${output}`);
  return { folder: path.dirname(filename[1].trim()), output };
}

async function waitFor(what, condition, timeout = 10000) {
  const end = Date.now() + timeout;
  let last;
  while (Date.now() < end) {
    try {
      last = await condition();
      if (last) return last;
    } catch (error) {
      last = error;
    }
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  throw new Error(`timed out waiting for ${what} (last: ${last})`);
}

function frame(page, name) {
  return page.frames().find((candidate) => candidate.name() === name);
}

async function contentUrl(page) {
  const content = frame(page, 'content');
  return content ? decodeURIComponent(content.url()) : '';
}

async function waitForTopic(page, address) {
  await waitFor(`the topic ${address}`, async () => (await contentUrl(page)).endsWith(address));
  await waitFor(`${address} to load`, () => frame(page, 'content').evaluate(() => document.readyState === 'complete'));
}

async function selectedLabel(page) {
  return frame(page, 'tree').evaluate(() => {
    const selected = document.querySelectorAll('#tree span.selected');
    const label = selected[0];
    // Shown unless a closed branch holds it (the pane itself may be hidden).
    let shown = !!label;
    for (let node = label; node && node.id !== 'tree'; node = node.parentElement)
      if (node.style.display === 'none') shown = false;
    return selected.length === 1 && shown ? label.textContent : '';
  });
}

async function waitForPane(page, name, selector) {
  return waitFor(`the ${name} pane`, async () => {
    const pane = frame(page, name);
    return pane && pane.url().includes(`webhelp${name}.htm`) && (await pane.$(selector)) ? pane : null;
  });
}

// Every picture of the tree (opened all the way) and of the tool bar exists
// and decodes.
async function checkPictures(page, mode) {
  const tree = frame(page, 'tree');
  await frame(page, 'toolbar').click('#showall');
  await waitFor('the whole tree', () => tree.evaluate(() =>
    [...document.querySelectorAll('#tree div[id^=d]')].every((block) => block.style.display !== 'none')));
  await waitFor('the pictures', () => tree.evaluate(() => [...document.images].every((image) => image.complete)));
  for (const name of ['tree', 'toolbar']) {
    const broken = await frame(page, name).evaluate(() =>
      [...document.images].filter((image) => !image.naturalWidth).map((image) => image.getAttribute('src')));
    check(broken.length === 0, `${mode}: pictures missing in ${name}: ${broken.join(', ')}`);
  }
  await frame(page, 'toolbar').click('#hideall');
}

async function checkViewer(page, base, mode) {
  // The viewer opens the default topic.
  await page.goto(base + 'index.htm');
  await waitForTopic(page, 'topics/topics/welcome.htm');
  await waitFor('the tree', () => frame(page, 'tree')?.evaluate(() => window.loaded === true));

  // A tree entry opens its topic in the content frame and is highlighted.
  const tree = frame(page, 'tree');
  await tree.click('#tree a:has(span:text-is("Getting started"))');
  await waitForTopic(page, 'topics/topics/getting-started/index.htm');
  await tree.click('#tree a:has(span:text-is("The main window"))');
  await waitForTopic(page, 'topics/topics/getting-started/main-window.htm');
  check(await selectedLabel(page) === 'The main window', `${mode}: the clicked entry is not the one highlighted`);

  await checkPictures(page, mode);

  // Next and previous follow the tree order.
  await frame(page, 'toolbar').click('#next');
  await waitForTopic(page, 'topics/topics/getting-started/first-project.htm');
  await frame(page, 'toolbar').click('#previous');
  await waitForTopic(page, 'topics/topics/getting-started/main-window.htm');

  // A topic page opened on its own comes back inside the viewer, selected in
  // the tree (its branch opened).
  await page.goto(base + 'topics/topics/building/chm.htm');
  await waitFor('the redirect to the viewer', () => decodeURIComponent(page.url()).includes('index.htm?page=topics/building/chm.htm'));
  await waitForTopic(page, 'topics/topics/building/chm.htm');
  await waitFor('the topic to be selected in the tree',
    async () => frame(page, 'tree') && await selectedLabel(page) === 'Compiled HTML Help (CHM)');

  // The index lists keywords, filters them and opens a keyword's topic.
  await frame(page, 'tree').click('.tabs a[data-pane=index]');
  const index = await waitForPane(page, 'index', '#filter');
  check(await index.isVisible('li:text-is(".qrx file")'), `${mode}: the index does not list ".qrx file"`);
  await index.fill('#filter', 'qrx');
  await waitFor('the filter', async () => !(await index.isVisible('li:text-is("spelling")')));
  await index.press('#filter', 'Enter');
  await waitForTopic(page, 'topics/topics/reference/project-file.htm');
  await waitFor('the indexed topic to be selected', async () => await selectedLabel(page) === 'The project file');

  // A keyword with markup characters is text, and so is its topic's title.
  await index.fill('#filter', 'Grüße');
  const keyword = await waitFor('the special keyword', () => index.$('li.heading:not([hidden]), li:not([hidden])'));
  check(await keyword.textContent() === SPECIAL_KEYWORD, `${mode}: the keyword reads "${await keyword.textContent()}"`);
  check(await index.$$eval('#keywords img, #topics img, #keywords b', (found) => found.length) === 0,
    `${mode}: a keyword was written as markup`);
  await keyword.click();
  await waitForTopic(page, 'topics/topics/special.htm');

  // A keyword of two topics lists both, their titles as text.
  await index.fill('#filter', 'spelling');
  await (await waitFor('the keyword "spelling"', () => index.$('li:text-is("spelling")'))).click();
  const titles = await waitFor('the topics of "spelling"', async () => {
    const found = await index.$$eval('#choose:not([hidden]) #topics a', (links) => links.map((link) => link.textContent));
    return found.length === 2 ? found : null;
  });
  check(titles.includes(SPECIAL_TITLE) && titles.includes('Checking spelling'), `${mode}: the topics of "spelling": ${titles}`);
  check(await index.$$eval('#topics b', (found) => found.length) === 0, `${mode}: a topic title was written as markup`);
  await index.click(`#topics a:text-is("Checking spelling")`);
  await waitForTopic(page, 'topics/topics/writing/spelling.htm');

  // The search finds a word of a page body and ranks the page first.
  await index.click('.tabs a[data-pane=search]');
  const search = await waitForPane(page, 'search', '#query');
  await search.fill('#query', 'hunspell');
  await search.press('#query', 'Enter');
  const first = await waitFor('search results', () => search.$('#results li a.title'));
  check(await first.textContent() === 'Checking spelling', `${mode}: the first result is "${await first.textContent()}"`);
  check(/hunspell/i.test(await search.textContent('#results li p mark')), `${mode}: the word is not highlighted`);
  await first.click();
  await waitForTopic(page, 'topics/topics/writing/spelling.htm');

  // Search results write titles and page text as text.
  await search.fill('#query', SPECIAL_WORD);
  await search.press('#query', 'Enter');
  const special = await waitFor('the special result', async () => {
    const links = await search.$$('#results li a.title');
    return links.length === 1 ? links[0] : null;
  });
  check(await special.textContent() === SPECIAL_TITLE, `${mode}: the result title reads "${await special.textContent()}"`);
  const excerpt = await search.textContent('#results li p');
  check(excerpt.includes('<script>parent.pwned=1</script>'), `${mode}: the excerpt reads "${excerpt}"`);
  check(await search.$$eval('#results b, #results script, #results img', (found) => found.length) === 0,
    `${mode}: a result was written as markup`);
  check(await page.evaluate(() => !window.pwned), `${mode}: a title or keyword ran as script`);
}

// Entries without a page of their own leave the topic on show: a heading
// opens and closes its branch, a page that is gone does nothing, an outside
// address opens in a window of its own. A page whose name needs encoding
// opens from the tree, on its own, from the search and from the index, and in
// the static viewer, where a heading closes its branch too.
async function checkAddresses(page, base, mode, outsideUrl) {
  const entry = (title) => `#tree a:has(span:text-is("${title}"))`;
  const branchOpen = (pane) => pane.evaluate((title) => {
    const label = [...document.querySelectorAll('#tree span[id^=l]')].find((span) => span.textContent === title);
    return document.getElementById('d' + label.id.substring(1)).style.display !== 'none';
  }, HEADING);
  const stays = async (what) => {
    await page.waitForTimeout(300);
    const shown = await contentUrl(page);
    check(shown.endsWith('topics/topics/welcome.htm'), `${mode}: ${what} changed the topic to ${shown}`);
  };

  await page.goto(base + 'index.htm');
  await waitForTopic(page, 'topics/topics/welcome.htm');
  const tree = await waitFor('the tree', async () => {
    const found = frame(page, 'tree');
    return found && await found.evaluate(() => window.loaded === true) ? found : null;
  });
  check(!(await branchOpen(tree)), `${mode}: the heading's branch is open from the start`);
  await tree.click(entry(HEADING));
  await waitFor(`${mode}: the heading's branch to open`, () => branchOpen(tree));
  await stays('a heading');
  await tree.click(entry(GONE_TITLE));
  await stays('a page that is gone');
  await tree.click(entry(LONE_HEADING));
  await stays('a heading without children');

  const [popup] = await Promise.all([page.context().waitForEvent('page'), tree.click(entry(OUTSIDE_TITLE))]);
  await popup.waitForLoadState();
  check(popup.url() === outsideUrl, `${mode}: the outside address opened ${popup.url()}`);
  check(await popup.textContent('body') === 'outside', `${mode}: the outside page reads "${await popup.textContent('body')}"`);
  await popup.close();
  await stays('an outside address');

  const encodedTopic = `topics/topics/${ENCODED_FILE}`;
  const showsEncoded = async (how) => {
    await waitForTopic(page, encodedTopic);
    const text = await frame(page, 'content').evaluate(() => document.getElementById('encoded')?.textContent || '');
    check(text.includes(ENCODED_WORD), `${mode}: ${how} shows "${text}" instead of the encoded page`);
  };
  await tree.click(entry(ENCODED_TITLE));
  await showsEncoded('the tree');
  check(await selectedLabel(page) === ENCODED_TITLE, `${mode}: the encoded entry is not highlighted`);
  await tree.click(entry(HEADING));
  await waitFor(`${mode}: the heading's branch to close`, async () => !(await branchOpen(tree)));

  // Alone, the page comes back inside the viewer.
  await page.goto(base + 'topics/topics/' + encodeURIComponent(ENCODED_FILE));
  await waitFor('the redirect to the viewer', () => decodeURIComponent(page.url()).includes(`index.htm?page=topics/${ENCODED_FILE}`));
  await showsEncoded('the redirect');
  await waitFor('the encoded topic to be selected', async () => frame(page, 'tree') && await selectedLabel(page) === ENCODED_TITLE);

  await frame(page, 'tree').click(entry('Welcome to Quorix'));
  await waitForTopic(page, 'topics/topics/welcome.htm');
  await frame(page, 'tree').click('.tabs a[data-pane=search]');
  const search = await waitForPane(page, 'search', '#query');
  await search.fill('#query', ENCODED_WORD);
  await search.press('#query', 'Enter');
  await (await waitFor('the encoded page in the results', () => search.$('#results li a.title'))).click();
  await showsEncoded('the search');

  await page.goto(base + 'index.htm');
  await waitForTopic(page, 'topics/topics/welcome.htm');
  await (await waitFor('the tree', () => frame(page, 'tree'))).click('.tabs a[data-pane=index]');
  const index = await waitForPane(page, 'index', '#filter');
  await index.fill('#filter', 'encoded names');
  await index.press('#filter', 'Enter');
  await showsEncoded('the index');

  await page.goto(base + 'indexh.htm');
  await waitForTopic(page, 'topics/topics/welcome.htm');
  const nav = await waitFor('the static tree', async () => {
    const found = frame(page, 'nav');
    return found && await found.evaluate(() => window.tree && window.tree.loaded === true) ? found : null;
  });
  check(await branchOpen(nav), `${mode}: the static tree starts with the heading's branch closed`);
  await nav.click(entry(HEADING));
  await waitFor(`${mode}: the static heading's branch to close`, async () => !(await branchOpen(nav)));
  await stays('a heading of the static tree');
  await nav.click(entry(HEADING));
  await nav.click(entry(ENCODED_TITLE));
  await showsEncoded('the static tree');
}

// The tree's options and a help without index, in the scripted and the static
// viewer: no tab bar and no quick search, chevrons instead of lines, and an
// opened branch closes the others.
async function checkOptions(page, base) {
  await page.goto(base + 'index.htm');
  await waitForTopic(page, 'topics/topics/welcome.htm');
  const tree = await waitFor('the tree', async () => {
    const found = frame(page, 'tree');
    return found && await found.evaluate(() => window.loaded === true) ? found : null;
  });
  await waitFor('the default topic to be selected', async () => await selectedLabel(page) === 'Welcome to Quorix');
  check(await tree.$$eval('.tabs', (found) => found.length) === 0, 'options: the tab bar is shown without an index');
  check(await frame(page, 'header').isHidden('#quicksearch'), 'options: the quick search is shown without an index');
  check(await tree.$$eval('#tree img[src*="line"], #tree img[src*="angle"], #tree img[src*="tshaped"]', (found) => found.length) === 0,
    'options: tree lines are drawn although switched off');
  await checkPictures(page, 'options');
  await tree.click('#tree a:has(span:text-is("Writing topics"))');
  await tree.click('#tree a:has(span:text-is("The topic tree"))');
  await waitForTopic(page, 'topics/topics/writing/topic-tree.htm');
  await tree.click('#tree a:has(span:text-is("Building help"))');
  await waitForTopic(page, 'topics/topics/building/index.htm');
  const open = await tree.evaluate(() => [...document.querySelectorAll('#tree div[id^=d]')]
    .filter((block) => block.style.display !== 'none')
    .map((block) => block.previousElementSibling.textContent.trim()));
  check(open.join('|') === 'Building help', `options: open branches after auto-collapse: ${open.join('|')}`);
  await tree.click('#tree a:has(span:text-is("Writing topics"))');
  await tree.click('#tree a:has(span:text-is("The topic tree"))');
  check(await tree.isVisible('#tree a:has(span:text-is("Adding topics"))'), 'options: a nested branch closed when opened');

  await page.goto(base + 'indexh.htm');
  await waitForTopic(page, 'topics/topics/welcome.htm');
  const nav = await waitFor('the static tree', () => frame(page, 'nav')?.$('#tree'));
  check(nav, 'options: no static tree');
  await frame(page, 'nav').click('#tree a:has(span:text-is("Checking spelling"))');
  await waitForTopic(page, 'topics/topics/writing/spelling.htm');
  check(await frame(page, 'nav').$$eval('.tabs', (found) => found.length) === 0, 'options: the static tree has a tab bar');
}

await runCheck('browser_webhelp', async () => {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'quorix-webhelp-'));
  const { context, close } = await launchBrowser();
  const outsideFolder = path.join(work, 'outside');
  fs.mkdirSync(outsideFolder);
  fs.writeFileSync(path.join(outsideFolder, 'outside.htm'), '<html><body>outside</body></html>');
  const outside = await serveFolder(outsideFolder);
  const outsideUrl = `${outside.url}outside.htm`;
  const { folder, output } = buildWebHelp(work, outsideUrl);
  check(/^Warning: .*gone\.htm/m.test(output), `the build gave no warning for the page that is gone:\n${output}`);
  const server = await serveFolder(folder);
  try {
    for (const [mode, base] of [['http', server.url], ['file', `file://${folder}/`]]) {
      const page = await context.newPage();
      const errors = collectErrors(page);
      page.on('dialog', (dialog) => {
        errors.push(`dialog: ${dialog.message()}`);
        dialog.dismiss();
      });
      await checkViewer(page, base, mode);
      await checkAddresses(page, base, mode, outsideUrl);
      check(errors.length === 0, `${mode}: script errors:\n${errors.join('\n')}`);
      await page.close();
    }

    const plain = path.join(work, 'options');
    fs.mkdirSync(plain);
    const plainServer = await serveFolder(buildWebHelp(plain, '',
      { ShowIndex: 0, DrawLines: 0, AutoCollapse: 1, RealColorIcon: 1, WebBackground: 0 }).folder);
    const page = await context.newPage();
    const errors = collectErrors(page);
    await checkOptions(page, plainServer.url);
    check(errors.length === 0, `options: script errors:\n${errors.join('\n')}`);
    await page.close();
    await plainServer.close();

    if (screenshot) {
      // The sample as it ships, without the special topic.
      const clean = path.join(work, 'clean');
      fs.mkdirSync(clean);
      const cleanServer = await serveFolder(buildWebHelp(clean, '').folder);
      const page = await context.newPage();
      await page.goto(cleanServer.url + 'index.htm?page=topics/getting-started/first-project.htm');
      await waitForTopic(page, 'topics/topics/getting-started/first-project.htm');
      await waitFor('the selection', async () => await selectedLabel(page) === 'Your first project');
      await frame(page, 'tree').click('#tree a:has(span:text-is("Building help"))');
      await waitForTopic(page, 'topics/topics/building/index.htm');
      await frame(page, 'tree').click('#tree a:has(span:text-is("Web help"))');
      await waitForTopic(page, 'topics/topics/building/web-help.htm');
      await page.waitForTimeout(300);
      fs.mkdirSync(path.dirname(screenshot), { recursive: true });
      await page.screenshot({ path: screenshot });
      await cleanServer.close();
      console.log(`Wrote ${screenshot}`);
    }
  } finally {
    await server.close();
    await outside.close();
    await close();
    fs.rmSync(work, { recursive: true, force: true });
  }
});
