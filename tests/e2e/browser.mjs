// Debian's Chromium (over DevTools) or Firefox ESR (over WebDriver BiDi: Debian
// has no geckodriver) for the end-to-end table, through puppeteer-core: a
// request a line on stdin, [op, ...args] as JSON, and its answer a line on
// stdout, {ok} or {error}.
//
// browser.mjs chromium|firefox LANGUAGE PROFILE
import fs from 'node:fs';
import puppeteer from 'puppeteer-core';
import readline from 'node:readline';

const [engine, language, profile] = process.argv.slice(2);
// The first language a page reads: Chromium takes it from its profile.
fs.mkdirSync(`${profile}/Default`, {recursive: true});
fs.writeFileSync(`${profile}/Default/Preferences`, JSON.stringify({intl: {accept_languages: language}}));
const browser = await puppeteer.launch(engine === 'firefox' ? {
    browser: 'firefox', executablePath: '/usr/bin/firefox-esr', userDataDir: profile,
    // A window of its own on the pass's display: headless Firefox puts no
    // accessibility tree on the bus for a screen reader to read.
    headless: false,
    extraPrefsFirefox: {'intl.accept_languages': language, 'intl.locale.requested': language},
} : {
    executablePath: '/usr/bin/chromium', userDataDir: profile, headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--disable-sync', `--lang=${language}`],
});
const page = (await browser.pages())[0];
// Every exception the page did not catch, until the harness asks for them.
const errors = [];
let beside = null;
page.on('pageerror', error => errors.push(String(error?.message ?? error)));
const cdp = engine === 'firefox' ? null : await page.createCDPSession();
// Focus and blur as in the front window, as chromedriver has them: headless,
// no window is the front one.
await cdp?.send('Emulation.setFocusEmulationEnabled', {enabled: true});
const KEYS = {BackSpace: 'Backspace', Left: 'ArrowLeft', Right: 'ArrowRight', Up: 'ArrowUp',
              Down: 'ArrowDown', Return: 'Enter', space: ' ', shift: 'Shift', ctrl: 'Control'};
const key = name => KEYS[name] ?? name;

const ops = {
    go: url => page.goto(url, {waitUntil: 'domcontentloaded'}),
    reload: () => page.reload(),
    preload: async source => (await page.evaluateOnNewDocument(source)).identifier,
    // A function body with its arguments, as WebDriver's script execution has
    // it; a promise it returns is awaited. Built here: the page's policy
    // allows no eval.
    js: (body, args) => page.evaluate(`(async function () { ${body} }).apply(null, ${JSON.stringify(args)})`),
    cdp: (method, params) => cdp.send(method, params),
    viewport: (width, height, ratio, mobile) =>
        page.setViewport({width, height, deviceScaleFactor: ratio, isMobile: mobile, hasTouch: mobile}),
    shot: () => page.screenshot({encoding: 'base64'}),
    // Printed as the browser's print does, on a sheet of this size.
    pdf: async (width, height) => Buffer.from(await page.pdf({width: `${width}in`, height: `${height}in`})).toString('base64'),
    mouse: async (kind, x, y, button) => {
        await page.mouse.move(x, y);
        if (kind !== 'move') await page.mouse[kind]({button});
    },
    // A tap is a click once the browser has seen the gesture, a moment later;
    // a tap that brings none is lost. The listener is in place before the tap:
    // a busy page runs input before a script sent to it earlier.
    tap: async (x, y) => {
        const clicked = await page.evaluateHandle(() => ({click: new Promise((done, lost) => {
            addEventListener('click', () => done(), {once: true, capture: true});
            setTimeout(() => lost(new Error('the tap brought no click in 5 s')), 5000);
        })}));
        await page.touchscreen.tap(x, y);
        await clicked.evaluate(waiting => waiting.click);
        await clicked.dispose();
    },
    keys: async names => {
        for (const name of names) {
            const [last, ...modifiers] = name.split('+').reverse();
            for (const modifier of modifiers) await page.keyboard.down(key(modifier));
            await page.keyboard.press(key(last));
            for (const modifier of modifiers.reverse()) await page.keyboard.up(key(modifier));
        }
    },
    type: text => page.keyboard.type(text),
    // Another tab comes to the front, then this one again.
    deactivate: async () => {
        const other = await browser.newPage();
        await other.bringToFront();
        await other.close();
        await page.bringToFront();
    },
    // A tab of its own at URL, behind the page's; closed again with none.
    beside: async url => url ? (beside = await browser.newPage()).goto(url).then(() => page.bringToFront())
        : beside?.close(),
    errors: () => errors.splice(0),
    // What the page's service workers asked for, as their own timelines have it.
    workerAsked: async () => (await Promise.all(browser.targets().filter(t => t.type() === 'service_worker')
        .map(async t => (await t.worker())?.evaluate(() => performance.getEntriesByType('resource').map(e => e.name)))))
        .flat().filter(Boolean),
    stop: () => browser.close(),
};

for await (const line of readline.createInterface({input: process.stdin})) {
    const [op, ...args] = JSON.parse(line);
    let answer;
    try {
        answer = {ok: (await ops[op](...args)) ?? null};
    } catch (error) {
        answer = {error: String(error)};
    }
    process.stdout.write(JSON.stringify(answer) + '\n');
    if (op === 'stop') break;
}
