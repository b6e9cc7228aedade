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

// Adds one topic with the special title and keyword to the end of the table
// of contents of a copy of the sample (entries after it move down by one).
function addSpecialTopic(project) {
  const qrx = path.join(project, 'sample.qrx');
  const lines = fs.readFileSync(qrx, 'utf16le').replace(/^\uFEFF/, '').split('\r\n');
  const kinds = new Map();
  for (const line of lines) {
    const match = /^TitleList\.Kind\.(\d+)=(\d+)$/.exec(line);
    if (match) kinds.set(Number(match[1]), Number(match[2]));
  }
  const at = Math.max(...[...kinds].filter(([, kind]) => kind === 0).map(([index]) => index)) + 1;
  const moved = lines.map((line) => line
    .replace(/^TitleList\.(\w+)\.(\d+)=/, (all, field, index) =>
      `TitleList.${field}.${Number(index) >= at ? Number(index) + 1 : index}=`)
    .replace(/^TitleList=(\d+)$/, (all, count) => `TitleList=${Number(count) + 1}`));
  const entry = [
    `TitleList.Title.${at}=${SPECIAL_TITLE}`, `TitleList.Level.${at}=0`, `TitleList.Url.${at}=topics\\special.htm`,
    `TitleList.Icon.${at}=0`, `TitleList.Status.${at}=0`, `TitleList.Keywords.${at}=${SPECIAL_KEYWORD}\`\\spelling`,
    `TitleList.ContextNumber.${at}=`, `TitleList.ApplyTemp.${at}=0`, `TitleList.Expanded.${at}=0`, `TitleList.Kind.${at}=0`,
  ];
  const before = moved.findIndex((line) => line.startsWith(`TitleList.Title.${at + 1}=`));
  moved.splice(before < 0 ? moved.length : before, 0, ...entry);
  fs.writeFileSync(qrx, '\uFEFF' + moved.join('\r\n'), 'utf16le');
  fs.writeFileSync(path.join(project, 'topics', 'special.htm'),
    '<html><head><meta charset="utf-8"><title>Tags &lt;b&gt;bold&lt;/b&gt; &amp; "quotes" \'apostrophe\' Grüße 你好</title></head>\n' +
    `<body><p>Markup as text: &lt;script&gt;parent.pwned=1&lt;/script&gt; and a rare word, ${SPECIAL_WORD}.</p></body></html>\n`);
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

// Builds web help from a copy of the sample in `work`; returns its folder.
function buildWebHelp(work, withSpecialTopic, settings = {}) {
  check(program, 'QUORIX_BUILD_PROGRAM is not set');
  const project = path.join(work, 'sample');
  fs.cpSync(path.join(path.dirname(program), 'sample'), project, { recursive: true });
  if (withSpecialTopic) addSpecialTopic(project);
  setSettings(project, settings);
  const output = execFileSync(program, [path.join(project, 'sample.qrx'), '/w'], { encoding: 'utf8' });
  const filename = /Filename: (.*index\.htm)/.exec(output);
  check(filename, `quorix-build wrote no web help:\n${output}`);
  return path.dirname(filename[1].trim());
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
  const folder = buildWebHelp(work, true);
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
      check(errors.length === 0, `${mode}: script errors:\n${errors.join('\n')}`);
      await page.close();
    }

    const plain = path.join(work, 'options');
    fs.mkdirSync(plain);
    const plainServer = await serveFolder(buildWebHelp(plain, false,
      { ShowIndex: 0, DrawLines: 0, AutoCollapse: 1, RealColorIcon: 1, WebBackground: 0 }));
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
      const cleanServer = await serveFolder(buildWebHelp(clean, false));
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
    await close();
    fs.rmSync(work, { recursive: true, force: true });
  }
});
