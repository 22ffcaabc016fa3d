// A link opens the page with its figure computed: the console's report and picture, for figures in
// general position, figures drawn at random and every refusal; its own link opens the same again.
import assert from 'node:assert/strict';
import test from 'node:test';
import {consoleRun, launch, linkTo, open, shown} from './browser.mjs';

const browser = await launch();
test.after(() => browser.close());

// Coordinates from -100 to 100 with two decimals, from a seed told in the test's name.
const seed = 1 + Date.now() % 100000;
let drawn = seed;
function randomFigure(count) {
  return Array.from({length: count}, () => {
    drawn = (drawn * 16807) % 2147483647;
    return (drawn % 20001 / 100 - 100).toFixed(2);
  }).join(' ');
}

const visits = [
  ['trimap', '1203.5 -417.25 1876.125 -102.75 1455.8 391.6 -2310.4 1502.7 -2795.15 2011.2 ' +
             '-1688.9 2240.35', true],
  ['paraquad', '16.5 -5.3 -15.8 19.1 0.4 7', true],
  ['trimap', randomFigure(12), false],
  ['paraquad', randomFigure(6), true],
  // Each refusal: a glued word, collinear, out of range, not finite, a degenerate image.
  ['trimap', '0 0 4 0 1,5', false],
  ['trimap', '0.5 0.5 2.5 1.5 6.5 3.5', false],
  ['trimap', '0 0 1e20 0 0 1e20', false],
  ['trimap', '0 0 4 0 1 3 5 1 8 2 6 nan', false],
  ['trimap', '0 0 4 0 1 3 3 -1 3 -1 7 2', false],
  ['trimap', '0 0 1 0 0 1 0 0 1e37 0 0 1e37', false],
  ['paraquad', '-2 5 1 3.5 7 0.5', false],
  ['paraquad', '0 0 5.2e36 0 5.2e36 5.2e36', false],
  // What the console does not read is not in the page's link either; markup stays text.
  ['paraquad', '1 1 5 2 6 5 <b>7</b>', false],
  ['paraquad', '<img src=x onerror=alert(1)> <b>1</b>', false],
];

for (const [program, input, labels] of visits) {
  test(`${program} on ${input} (seed ${seed})`, async () => {
    const page = await open(browser, linkTo(program, input, labels));
    const seen = await shown(page);
    const console = consoleRun(program, input, labels);
    assert.equal(seen.report, console.report);
    assert.equal(seen.svg, console.svg);
    assert.equal(await page.$('#report *'), null, 'markup typed became an element');
    // An accepted figure's link holds the words the program read; any link opens the same.
    const read = input.split(' ').slice(0, program === 'trimap' ? 12 : 6).join(' ');
    if (seen.svg) {
      assert.equal(seen.link, linkTo(program, read, labels));
    }
    const again = await open(browser, seen.link);
    assert.deepEqual(await shown(again), seen);
    await Promise.all([page.close(), again.close()]);
  });
}
