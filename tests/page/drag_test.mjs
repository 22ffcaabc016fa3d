// Every kind of vertex taken and moved, by mouse, touch, pen and keys: while it moves the fields
// hold its new coordinates to a pixel's digits, the report is the console's for them and the
// picture holds still; once let go, the page shows what the console shows, picture and all. A
// refused place fades the last picture until the vertex moves on.
import assert from 'node:assert/strict';
import test from 'node:test';
import {consoleRun, launch, linkTo, open, shown} from './browser.mjs';

const browser = await launch();
test.after(() => browser.close());

const figures = {
  trimap: '1203.5 -417.25 1876.125 -102.75 1455.8 391.6 -2310.4 1502.7 -2795.15 2011.2 ' +
          '-1688.9 2240.35',
  paraquad: '16.5 -5.3 -15.8 19.1 0.4 7',
};

// Once the page has handled all input so far: it does before it draws the next frame.
function settled(page) {
  return page.evaluate(() => new Promise((done) => requestAnimationFrame(() => done())));
}

// Each handle's middle, in CSS pixels of the page, and the picture's width in them.
async function handles(page) {
  return page.$$eval('#handles .vertex', (all) => all.map((h) => {
    const box = h.getBoundingClientRect();
    return [box.x + box.width / 2, box.y + box.height / 2];
  }));
}

// Moves vertex i by (dx, dy) CSS pixels in `steps` steps, the way `how` says, and tells what the
// page shows just before it is let go, and after.
async function drag(page, i, how, dx, dy, steps = 6) {
  const [x0, y0] = (await handles(page))[i];
  const at = (k) => [x0 + dx * k / steps, y0 + dy * k / steps];
  const session = await page.createCDPSession();
  const pen = (type, [x, y]) => session.send('Input.dispatchMouseEvent',
    {type, x, y, button: 'left', buttons: type === 'mouseReleased' ? 0 : 1, clickCount: 1,
     pointerType: 'pen'});
  const ways = {
    mouse: [() => page.mouse.move(x0, y0).then(() => page.mouse.down()),
            (k) => page.mouse.move(...at(k)), () => page.mouse.up()],
    touch: [() => page.touchscreen.touchStart(x0, y0), (k) => page.touchscreen.touchMove(...at(k)),
            () => page.touchscreen.touchEnd()],
    pen: [() => pen('mousePressed', [x0, y0]), (k) => pen('mouseMoved', at(k)),
          () => pen('mouseReleased', at(steps))],
    // Held down: each repeat moves it a pixel of the picture, ten with Shift.
    keys: [() => page.$$eval('#handles .vertex', (all, j) => all[j].focus(), i),
           () => page.keyboard.down(dx < 0 ? 'ArrowLeft' : 'ArrowRight'),
           () => page.keyboard.up(dx < 0 ? 'ArrowLeft' : 'ArrowRight')],
  };
  const [press, move, release] = ways[how];
  await press();
  for (let k = 1; k <= steps; ++k) {
    await move(k);
  }
  await settled(page);
  const during = {...await shown(page), handles: await handles(page),
                  faded: await page.$eval('#picture', (p) => p.classList.contains('faded'))};
  await release();
  await page.waitForFunction(() => !document.activeElement.dataset?.dragging);
  return {during, after: await shown(page)};
}

const moves = [
  ['trimap', 0, 'mouse'], ['trimap', 1, 'touch'], ['trimap', 2, 'pen'], ['trimap', 3, 'keys'],
  ['trimap', 4, 'mouse'], ['trimap', 5, 'touch'],
  ['paraquad', 0, 'keys'], ['paraquad', 1, 'pen'], ['paraquad', 2, 'mouse'],
];

for (const [program, i, how] of moves) {
  test(`${program}'s vertex ${i} moved by ${how}`, async () => {
    const page = await open(browser, linkTo(program, figures[program], true));
    const before = await handles(page);
    const words = (await shown(page)).link.match(/input=([^&]*)/)[1].split('+');
    const {during, after} = await drag(page, i, how, -40, how === 'keys' ? 0 : 25);
    // Only the vertex's own words change, to no more digits than a pixel resolves.
    const moved = (during.first + ' ' + during.second).trim().split(' ');
    moved.forEach((word, k) => Math.floor(k / 2) !== i && assert.equal(word, words[k]));
    const [u, v] = [(i + 1) % 3, (i + 2) % 3].map((j) => 3 * Math.floor(i / 3) + j);
    const plane = Math.hypot(words[2 * u] - words[2 * v], words[2 * u + 1] - words[2 * v + 1]);
    const width = await page.$eval('#picture', (p) => p.getBoundingClientRect().width);
    const pixel = plane / Math.hypot(before[u][0] - before[v][0], before[u][1] - before[v][1]) /
                  (1024 / width);
    for (const word of moved.slice(2 * i, 2 * i + 2)) {
      assert.equal((word.split('.')[1] ?? '').length, Math.max(0, -Math.floor(Math.log10(pixel))));
    }
    // The picture holds still, and the vertex follows: each keypress by a pixel of the picture.
    before.forEach(([x, y], k) => k !== i && assert.deepEqual(during.handles[k], [x, y]));
    const followed = how === 'keys' ? [before[i][0] - 6 * width / 1024, before[i][1]]
                                     : [before[i][0] - 40, before[i][1] + 25];
    assert.ok(Math.hypot(during.handles[i][0] - followed[0], during.handles[i][1] - followed[1]) <
              1.5, `${during.handles[i]} not at ${followed}`);
    const text = program === 'trimap' ? during.first + '\n' + during.second : during.first;
    assert.equal(during.report, consoleRun(program, text, true).report);
    // Let go where it was: what the console shows for the fields' numbers.
    assert.deepEqual([after.first, after.second], [during.first, during.second]);
    const console = consoleRun(program, text, true);
    assert.deepEqual([after.report, after.svg, after.link], [console.report, console.svg,
                                                             linkTo(program, moved.join(' '), true)]);
    await page.close();
  });
}

test('a refused place fades the last picture, and moving on brings it back', async () => {
  const page = await open(browser, linkTo('trimap', '0 0 4 0 1 3 5 1 8 2 6 5', false));
  const [a, b, c] = await handles(page);
  const state = async () => ({...await shown(page), handles: (await handles(page)).slice(0, 2),
    faded: await page.$eval('#picture', (p) => p.classList.contains('faded'))});
  // C onto the line AB, where the triangle has no area, then off it again.
  await page.mouse.move(...c);
  await page.mouse.down();
  await page.mouse.move(a[0] + 60, a[1]);
  await settled(page);
  const onTheLine = await state();
  assert.match(onTheLine.report, /^uneli ste tri kolinearne tacke kao koordinate trougla ABC/);
  assert.ok(onTheLine.faded && onTheLine.svg, 'the last picture stays, faded');
  await page.mouse.move(a[0] + 60, a[1] - 30);
  await settled(page);
  const past = await state();
  assert.ok(!past.faded && past.report.startsWith('matrica'), past.report);
  assert.deepEqual([[a, b], [a, b]], [onTheLine.handles, past.handles]);
  await page.mouse.up();
  await page.close();
});
