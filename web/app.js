// The page's form: what is typed goes to the programs' own dialogues in WebAssembly; the report
// comes back as text, the picture as the programs' own SVG. The address holds the figure, so that
// a link opens with it computed.
'use strict';

const form = document.getElementById('form');
const first = document.getElementById('first');
const second = document.getElementById('second');
const labels = document.getElementById('labels');
const report = document.getElementById('report');
const picture = document.getElementById('picture');
const download = document.getElementById('download');
const link = document.getElementById('link');
const recordSeparator = '\x1e';
let geometry = null; // the WebAssembly module, once it is ready
let svg = '';

// A figure's numbers, as the console reads them: the words between white space.
function wordsOf(text) {
  return text.trim().split(/\s+/).filter(Boolean);
}

function program() {
  return form.elements.program.value;
}

// trimap reads two triangles, each in a field of its own; paraquad one figure.
function showFields() {
  const trimap = program() === 'trimap';
  document.getElementById('first-label').textContent = trimap
    ? 'Koordinate temena trougla ABC' : 'Koordinate temena A, B i C paralelograma';
  document.getElementById('second-figure').classList.toggle('hidden', !trimap);
}

// What the console would read: the figures one after the other.
function typed() {
  return program() === 'trimap' ? first.value + '\n' + second.value : first.value;
}

function compute() {
  const [accepted, text, drawn] = geometry
    .ccall('compute', 'string', ['string', 'string', 'number'],
           [program(), typed(), labels.checked ? 1 : 0])
    .split(recordSeparator);
  report.textContent = text;
  svg = accepted === '1' ? drawn : '';
  picture.replaceChildren();
  if (svg) {
    const parsed = new DOMParser().parseFromString(svg, 'image/svg+xml');
    picture.append(document.importNode(parsed.documentElement, true));
    if (!document.body.dataset.firstPicture) {
      document.body.dataset.firstPicture = performance.now().toFixed(1);
    }
  }
  download.disabled = !svg;
  const address = '?' + new URLSearchParams({program: program(), input: wordsOf(typed()).join(' '),
                                               labels: labels.checked ? '1' : '0'});
  history.replaceState(null, '', address);
  link.href = address;
  link.classList.remove('hidden');
}

// A link's figure: the first six numbers are ABC, the rest A'B'C'.
function fromAddress() {
  const address = new URLSearchParams(location.search);
  form.elements.program.value = address.get('program') === 'paraquad' ? 'paraquad' : 'trimap';
  showFields();
  const words = wordsOf(address.get('input') || '');
  const trimap = program() === 'trimap';
  first.value = (trimap ? words.slice(0, 6) : words).join(' ');
  second.value = trimap ? words.slice(6).join(' ') : '';
  labels.checked = address.get('labels') === '1';
  if (address.has('input')) {
    compute();
  }
}

form.addEventListener('submit', (event) => {
  event.preventDefault();
  compute();
});
form.elements.program.forEach((choice) => choice.addEventListener('change', showFields));
labels.addEventListener('change', () => { if (geometry && svg) compute(); });
download.addEventListener('click', () => {
  const anchor = document.createElement('a');
  anchor.href = URL.createObjectURL(new Blob([svg], {type: 'image/svg+xml'}));
  anchor.download = program() + '.svg';
  anchor.click();
  URL.revokeObjectURL(anchor.href);
});

createGeometry().then((module) => {
  geometry = module;
  document.getElementById('compute').disabled = false;
  fromAddress();
});
