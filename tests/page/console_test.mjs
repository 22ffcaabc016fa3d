// The page answers as the console does, report and picture: for links in general position, drawn
// at random and for every refusal, and for whatever is typed by keys or pasted (a NUL, 1.5 MB, a
// no-break space, markup). Its own link opens the same again; the picture downloads under the
// name of the program that drew it.
import assert from 'node:assert/strict';
import {mkdtempSync, readFileSync, readdirSync, rmSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import test from 'node:test';
import {consoleRun, launch, linkTo, open, shown} from './browser.mjs';

const browser = await launch();
test.after(() => browser.close());

// Coordinates from -100 to 100 with two decimals, from a seed told in the tests' names.
const seed = 1 + Date.now() % 100000;
let drawn = seed;
const random = (count) => Array.from({length: count}, () =>
  ((drawn = drawn * 16807 % 2147483647) % 20001 / 100 - 100).toFixed(2)).join(' ');
const abc = '1203.5 -417.25 1876.125 -102.75 1455.8 391.6', quad = '16.5 -5.3 -15.8 19.1 0.4 7';
const image = '-2310.4 1502.7 -2795.15 2011.2 -1688.9 2240.35';

// How the figure reaches the page, the program, its fields (A'B'C' in the second), the names.
const cases = [
  ['link', 'trimap', abc, image, true], ['keys', 'trimap', abc, image, true],
  ['link', 'paraquad', quad, '', true], ['link', 'trimap', random(6), random(6)],
  ['link', 'paraquad', random(6), ''],
  // Refusals: a glued word, collinear, out of range; a figure too large to draw.
  ['link', 'trimap', '0 0 4 0 1,5', ''], ['link', 'trimap', '0 0 4 0 1 3', '3 -1 3 -1 7 2'],
  ['link', 'trimap', '0 0 1e20 0 0 1e20', ''], ['link', 'paraquad', '0 0 5.2e36 0 5.2e36 5.2e36', ''],
  // What the console does not read is not in the link either; markup stays text; every
  // character reaches the program.
  ['link', 'paraquad', quad + ' <b>7</b>', ''], ['paste', 'paraquad', '<img src=x onerror=alert(1)>', ''],
  ['paste', 'paraquad', quad + '\0', ''], ['paste', 'trimap', abc, '\0'],
  ['paste', 'paraquad', quad.replace(' ', '\u00a0'), ''],
  ['paste', 'trimap', ' '.repeat(1500000) + abc, image],
];

for (const [how, program, first, second, names = false] of cases) {
  const shownAs = JSON.stringify((first + ' ' + second).trim().slice(0, 50));
  test(`${program}, by ${how}: ${shownAs} (seed ${seed})`, async () => {
    const text = program === 'trimap' ? first + '\n' + second : first;
    const page = await open(browser, how === 'link' ? linkTo(program, text.replace('\n', ' '), names) : '');
    if (how !== 'link') {
      await page.click(`input[value=${program}]`);
      await (names && page.click('#labels'));
      for (const [field, value] of [['#first', first], ['#second', second]]) {
        await (how === 'keys' ? page.type(field, value)
                              : page.$eval(field, (input, v) => { input.value = v; }, value));
      }
      await page.focus('#first');
      await page.keyboard.press('Enter');
      await page.waitForFunction(() => document.getElementById('report').textContent);
    }
    const seen = await shown(page), console = consoleRun(program, text, names);
    assert.deepEqual([seen.report, seen.svg], [console.report, console.svg]);
    assert.equal(await page.$('#report *'), null, 'markup typed became an element');
    // An accepted figure's link holds the words the program read; any link opens the same.
    const read = text.trim().split(/\s+/).slice(0, program === 'trimap' ? 12 : 6).join(' ');
    assert.ok(!seen.svg || seen.link === linkTo(program, read, names), seen.link);
    const reopened = await open(browser, seen.link), again = await shown(reopened);
    assert.deepEqual([again.report, again.svg, again.link], [seen.report, seen.svg, seen.link]);
    await Promise.all([page.close(), reopened.close()]);
  });
}

test('the picture downloads named after the program that drew it', async () => {
  const folder = mkdtempSync(join(tmpdir(), 'page-download-'));
  const page = await open(browser, linkTo('trimap', abc + ' ' + image, false));
  const session = await page.createCDPSession();
  await session.send('Browser.setDownloadBehavior',
                     {behavior: 'allow', downloadPath: folder, eventsEnabled: true});
  const done = new Promise((resolve) =>
    session.on('Browser.downloadProgress', (e) => e.state === 'completed' && resolve()));
  await page.click('input[value=paraquad]'); // chosen, but nothing computed with it
  await page.click('#download');
  await done;
  assert.deepEqual(readdirSync(folder), ['trimap.svg']);
  assert.equal(readFileSync(join(folder, 'trimap.svg'), 'utf8'),
               consoleRun('trimap', abc + '\n' + image, false).file);
  rmSync(folder, {recursive: true, force: true});
});
