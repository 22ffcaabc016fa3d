// The page in headless Chromium, driven over the DevTools protocol as its tests drive it: the time
// from its load to its first picture, through a link to trimap's example with its vertices named,
// in a browser of its own each visit; then, while a vertex is dragged, how many pictures a second
// it draws, and how soon after the vertex is let go the settled picture stands. The page's own
// clock is read. Prints medians. With GEOM_SCREENSHOT set, the page is photographed there in the
// middle of the first drag.
import {launch, linkTo, open} from '../tests/page/browser.mjs';

const link = linkTo('trimap', '0 0 4 0 1 3 5 1 8 2 6 5', true);
const visits = 21, drags = 11, moves = 120;
const median = (values) => values.sort((a, b) => a - b)[values.length >> 1];

const firstPictures = [];
for (let i = 0; i < visits; ++i) {
  const browser = await launch();
  const page = await open(browser, link);
  firstPictures.push(Number(await page.evaluate(() => document.body.dataset.firstPicture)));
  await browser.close();
}

// Each drag moves vertex B along a line and back, then lets it go; the page notes the moment of
// each new picture, and of the release.
const browser = await launch();
const rates = [], settles = [];
for (let i = 0; i < drags; ++i) {
  const page = await open(browser, link);
  await page.evaluate(() => {
    window.drawn = [];
    new MutationObserver(() => window.drawn.push(performance.now()))
      .observe(document.getElementById('picture'), {childList: true});
    document.addEventListener('pointerup', () => { window.released = performance.now(); }, true);
  });
  const box = await (await page.$$('#handles .vertex'))[1].boundingBox();
  const [x, y] = [box.x + box.width / 2, box.y + box.height / 2];
  await page.mouse.move(x, y);
  await page.mouse.down();
  for (let k = 1; k <= moves; ++k) {
    await page.mouse.move(x - 60 * Math.sin(Math.PI * k / moves), y + 30 * Math.sin(Math.PI * k / moves));
    if (i === 0 && 2 * k === moves && process.env.GEOM_SCREENSHOT) {
      await page.screenshot({path: process.env.GEOM_SCREENSHOT, fullPage: true});
    }
  }
  await page.mouse.up();
  await page.waitForFunction(() => window.drawn.at(-1) > window.released);
  const {drawn, released} = await page.evaluate(() => ({drawn: window.drawn, released: window.released}));
  const during = drawn.filter((t) => t < released);
  rates.push(1000 * (during.length - 1) / (during.at(-1) - during[0]));
  settles.push(drawn.find((t) => t > released) - released);
  await page.close();
}
await browser.close();
console.log(`page, from its load to its first picture: ${median(firstPictures).toFixed(1)} ms, ` +
            `the median of ${visits} visits`);
console.log(`page, dragging a vertex: ${median(rates).toFixed(0)} pictures a second; the settled ` +
            `picture ${median(settles).toFixed(1)} ms after the release; medians of ${drags} ` +
            `drags of ${moves} moves`);
