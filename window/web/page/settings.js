// The settings window in the page: builds the controls from the design the
// module gives, binds the view operations to them and routes their
// events to the module's frmSettings.
'use strict';

(() => {
    const form = document.getElementById('frmSettings');
    const controls = {}; // by design name
    const switches = []; // switch k at k - 1
    const pictureSizes = {}; // switches sized to their pictures, as the desktop's boxes
    // This page's module, named for its build, and its size.
    const MODULE = '@MODULE@', MODULE_BYTES = @MODULE_BYTES@;
    let module, design, settings, canvas, dpi = 0, phone = false;
    let ended = false, drawPending = false, whole = false, settle;
    const dirty = new Set(); // switches to draw again in the next frame
    const settled = new Promise(done => { settle = done; }); // running, or showing the report
    const listening = new AbortController(); // the window's own listeners, which go with it
    const held = {}; // each switch picture's bytes, as the module holds them
    const asking = new Set(); // switch pictures asked for again, not yet answered
    const ADDRESS_MS = 150; // WebKit refuses more than 100 address changes in 10 s
    let chart = null, address = null, addressTimer = 0, addressWritten = -ADDRESS_MS;
    let routed = location.hash; // the fragment the page last routed or wrote

    // What the browser's first language says about writing numbers. A tag
    // Intl refuses ("C" from a system with no language set) gives way to the
    // browser's default, and that to plain English.
    function localeFacts() {
        const format = [(navigator.languages || [])[0] || navigator.language, undefined, 'en']
            .map(tag => { try { return new Intl.NumberFormat(tag, {useGrouping: false}); } catch { return null; } })
            .find(Boolean);
        const part = (value, type, otherwise) =>
            (format.formatToParts(value).find(p => p.type === type) || {value: otherwise}).value;
        return [part(1.5, 'decimal', '.'), part(-1, 'minusSign', '-'), format.format(0)];
    }

    // The view operations.
    const view = {
        readFrequencyText: () => controls.txtFreq.value,
        showFrequencyText: text => { controls.txtFreq.value = text; },
        setFrequencyColour: css => { controls.txtFreq.style.color = css; },
        // Told as the field's description, and marked beside its colour,
        // which forced colours take away.
        setBandWarning(text) {
            // Referred to only while it holds: Firefox keeps a description
            // whose words are taken away.
            const field = controls.txtFreq;
            field.toggleAttribute('data-below-band', text !== '');
            document.getElementById('txtFreq-band').textContent = text;
            if (text)
                field.setAttribute('aria-describedby', 'txtFreq-band');
            else
                field.removeAttribute('aria-describedby');
        },
        setSwitch(k, on, words, width, height) {
            const lever = switches[k - 1];
            lever.setAttribute('aria-checked', String(on));
            lever.firstChild.textContent = words;
            const size = pictureSizes[lever.id];
            if (!size || size[0] !== width || size[1] !== height) {
                pictureSizes[lever.id] = [width, height];
                place(design.controls.find(c => c.name === lever.id));
            }
            dirty.add(k);
            scheduleDraw();
        },
        setDescription: text => { controls.Description.textContent = text.replace(/\r\n/g, '\n'); },
        // A switch pressed is in sight already; one an arrow leads to is brought there.
        focusSwitch: (k, keyboard) => switches[k - 1].focus({preventScroll: !keyboard}),
        // A polite live region: said after what the focused control says of
        // itself. The same words again are a new change, so they differ by
        // a blank no one hears.
        announce(text) {
            const region = document.getElementById('announcer');
            region.textContent = region.textContent === text ? text + '\u00a0' : text;
        },
    };

    function build() {
        document.title = design.caption;
        document.getElementById('caption').textContent = design.caption;
        canvas = document.createElement('canvas');
        canvas.id = 'block';
        canvas.setAttribute('aria-hidden', 'true');
        form.append(canvas);
        for (const c of design.controls)
            controls[c.name] = buildControl(c);
        // Tab order is document order: the field, the housing, switches 1 to 8.
        for (const name of design.tabOrder) {
            const element = controls[name];
            (element.getAttribute('role') === 'checkbox' ? controls.picDIP_SW : form).append(element);
        }
        for (const c of design.controls)
            if (!c.tabStop)
                form.append(controls[c.name]);
        // The chart is a page of its own beside the fixed window: a link, not
        // a control of the window.
        const views = document.createElement('nav');
        views.id = 'views';
        const link = document.createElement('a');
        link.href = '#chart';
        link.textContent = design.chart.link;
        views.append(link);
        form.after(views);
        bindEvents();
    }

    // One control of the design, with what it says to a screen reader.
    function buildControl(c) {
        let element;
        if (c.kind === 'text') {
            element = document.createElement('input');
            Object.assign(element, {type: 'text', value: c.text, maxLength: design.maxLength,
                                    autocomplete: 'off', spellcheck: false});
            element.setAttribute('inputmode', 'decimal');
            element.setAttribute('aria-label', c.accessibleName);
            element.style.backgroundColor = c.background;
            const warning = document.createElement('span');
            warning.id = 'txtFreq-band';
            warning.hidden = true;
            form.append(warning);
        } else {
            element = document.createElement('div');
            if (c.kind === 'label') {
                element.textContent = c.text;
                element.style.backgroundColor = c.background;
            } else if (c.switchNumber) {
                element.setAttribute('role', 'checkbox');
                element.setAttribute('aria-checked', 'false');
                // The position in words, read as the description.
                const words = document.createElement('span');
                words.id = `${c.name}-position`;
                words.hidden = true;
                element.append(words);
                element.setAttribute('aria-describedby', words.id);
                switches[c.switchNumber - 1] = element;
            } else {
                element.setAttribute('role', 'group');
            }
            if (c.accessibleName && c.kind !== 'label')
                element.setAttribute('aria-label', c.accessibleName);
        }
        element.id = c.name;
        element.className = c.kind;
        if (c.tabStop)
            element.tabIndex = 0;
        if (c.toolTip)
            element.title = c.toolTip;
        element.style.zIndex = String(c.layer);
        element.style.color = c.foreground;
        element.style.fontFamily = [c.font.family, ...design.fontSubstitutes, 'sans-serif']
            .map(f => (f === 'sans-serif' ? f : `"${f}"`)).join(', ');
        element.style.fontWeight = c.font.bold ? 'bold' : 'normal';
        return element;
    }

    // Every control at its design rectangle through the one mapping. The
    // window is laid out in device pixels and scaled down by the ratio as a
    // whole: a length in CSS pixels is a multiple of 1/64, which a third of a
    // pixel is not, and the engine would round each control on its own.
    function layout() {
        const ratio = window.devicePixelRatio || 1;
        // On a touch screen, the design's arrangement for a finger, as large as
        // the screen holds it whole, up to three times.
        phone = matchMedia('(pointer: coarse)').matches;
        const [width, height] = phone ? design.phoneClient : design.client;
        const room = document.documentElement;
        dpi = module.windowDpi(ratio, phone, room.clientWidth, room.clientHeight);
        Object.assign(form.style, {width: css(device(width)), height: css(device(height)),
                                   transform: `scale(${1 / ratio})`});
        form.style.setProperty('--line', css(module.borderWidth(dpi)));
        canvas.width = device(width);
        canvas.height = device(height);
        Object.assign(canvas.style, {left: '0', top: '0', width: css(canvas.width), height: css(canvas.height)});
        for (const c of design.controls)
            place(c);
        // The chart's link below the window, or beside it where a phone held
        // sideways has no room below.
        const [w, h] = [device(width) / ratio, device(height) / ratio];
        const below = room.clientHeight - h >= 48 || room.clientWidth - w < 160;
        Object.assign(document.getElementById('views').style, {left: css(below ? 0 : w), top: css(below ? h : 0)});
        whole = true;
        drawBlock();
    }

    function device(pixel) {
        return module.deviceOf(pixel, dpi);
    }

    function css(devicePixels) {
        return `${devicePixels}px`;
    }

    // A switch's box is its picture's, as the desktop's; on a touch screen it
    // reaches past the picture as far as the design says, for a finger, and
    // the focus cue stays on the picture's edge, as on the desktop.
    function place(c) {
        const element = controls[c.name];
        const inHousing = element.parentElement === controls.picDIP_SW;
        const box = module.deviceBox(c.name, phone, dpi, inHousing, ...(pictureSizes[c.name] || [0, 0]));
        if (phone && c.switchNumber)
            element.style.setProperty('--picture', box.reach.map(css).join(' '));
        Object.assign(element.style, {
            left: css(box.left), top: css(box.top), width: css(box.width), height: css(box.height),
            fontSize: css(c.font.points * dpi / 72),
        });
    }

    function scheduleDraw() {
        if (!drawPending) {
            drawPending = true;
            requestAnimationFrame(drawBlock);
        }
    }

    // The housing and the switches as the core draws them, in device pixels:
    // the whole block after a layout, otherwise only the switches that changed.
    function drawBlock() {
        drawPending = false;
        if (ended || !dpi)
            return;
        const context = canvas.getContext('2d');
        const r = whole ? settings.block(dpi, phone) : settings.levers([...dirty].reduce((bits, k) => bits | 1 << (k - 1), 0));
        if (settings.failed())
            return end();
        if (r.width > 0 && r.height > 0)
            context.putImageData(new ImageData(new Uint8ClampedArray(r.rgba), r.width, r.height), r.left || 0, r.top || 0);
        whole = false;
        dirty.clear();
    }

    // A picture asked of the server, read as it comes: {status, bytes, size},
    // 200 and never more bytes than the largest picture file, the server's
    // status, 0 when there was no answer, or -1 when nothing more came for a
    // while; size is what the server said the file holds, or -1.
    async function ask(name, cache) {
        const answer = {status: 0, bytes: new Uint8Array(0), size: -1};
        let response;
        try {
            response = await watched(name, {cache}, CORE.quietSeconds, undefined, CORE.largestFile + 1);
            answer.status = response.ok ? 200 : response.status;
            if (response.ok) {
                answer.size = Number(response.headers.get('Content-Length') || -1);
                answer.bytes = await readAtMost(response.body, CORE.largestFile + 1);
            }
        } catch (error) {
            answer.status = error instanceof Stopped || response?.stopped() ? -1 : 0;
        }
        return answer;
    }

    // A picture the program has read as a picture, kept for a visit with no
    // network; a failed write (no room) leaves the copy before.
    function keep(name, bytes) {
        self.caches?.open(pictureCache(new URL('.', location.href).href))
            .then(cache => cache.put(name, new Response(bytes, {headers: {'Content-Type': 'image/bmp'}})))
            .catch(() => {});
    }

    // The copy an earlier visit kept, asked of no network: only while the
    // worker that keeps it is in charge (after site data is cleared, a copy
    // may be left that no one keeps), and only a picture. A copy of a file
    // that was broken then is not the server's word now: the server is asked.
    // `found`: the lookup, asked for before the module is there.
    async function kept(found) {
        try {
            const copy = await found;
            const bytes = copy && await readAtMost(copy.body, CORE.largestFile + 1);
            return bytes && module.isPicture(bytes) ? {status: 200, bytes, size: -1} : null;
        } catch (error) {
            return null; // storage the browser does not give this page
        }
    }

    function stage(name, answer) {
        held[name] = answer.status === 200 ? answer.bytes : null;
        return settings.stage(name, answer.status, answer.bytes, answer.size);
    }

    // A server that is busy or failing for now, or no answer: the copy stays.
    const unanswered = status => status <= 0 || serverBusy(status);
    const same = (bytes, other) => other && bytes.length === other.length && bytes.every((b, i) => b === other[i]);

    // A switch picture asked for again, in the background: conditionally, so
    // an unchanged one costs no body, and one request for each at most. A
    // changed one is used from the next event on, as the desktop reads the
    // file at every event; one that is gone or no picture ends the window.
    function recheck(name, asked = ask(name, 'no-cache')) {
        asking.add(name);
        return asked.then(answer => {
            if (ended || unanswered(answer.status) || (answer.status === 200 && same(answer.bytes, held[name])))
                return;
            if (!stage(name, answer) || !settings.check(name))
                return end();
            keep(name, answer.bytes);
        }).catch(end).finally(() => asking.delete(name));
    }

    // Every event is answered at once, from the pictures the page holds; then
    // they are asked for again.
    function run(event) {
        if (ended)
            return;
        if (!event())
            return end();
        showAddress();
        for (const name of CORE.pictures)
            if (!asking.has(name))
                recheck(name);
    }

    function bindEvents() {
        const signal = listening.signal;
        const field = controls.txtFreq;
        // Only a move to another control of the window validates; the tab or
        // the browser losing focus does not.
        field.addEventListener('focusout', event => {
            if (event.relatedTarget && form.contains(event.relatedTarget))
                run(() => settings.leaveField(true));
        });
        // A press on a label or around the window leaves the focus where it is, as on the desktop.
        document.addEventListener('mousedown', event => {
            if (!(event.target instanceof Element) || !event.target.closest('input, [tabindex]'))
                event.preventDefault();
        }, {signal});
        switches.forEach((lever, index) => {
            // A click, a tap and an assistive technology's click.
            lever.addEventListener('click', () => run(() => settings.click(index + 1)));
            for (const [type, released] of [['keydown', false], ['keyup', true]])
                lever.addEventListener(type, event => {
                    const held = event.shiftKey | event.ctrlKey << 1 | event.altKey << 2 | event.metaKey << 3;
                    run(() => {
                        if (settings.key(index + 1, event.key, released, held, event.repeat))
                            event.preventDefault(); // no scrolling
                        return !settings.failed();
                    });
                });
        });
        addEventListener('resize', layout, {signal});
        addEventListener('hashchange', route, {signal});
        addEventListener('beforeprint', buildChart, {signal});
        watchRatio();
    }

    // The address after every change: the frequency set, in the C notation,
    // in place of this page's entry, not as a new one.
    // Once for all the changes of one task (a click validates, then flips).
    function showAddress() {
        address = settings.address();
        if (addressTimer)
            return;
        const wait = addressWritten + ADDRESS_MS - performance.now();
        addressTimer = wait > 0 ? setTimeout(writeAddress, wait) : true;
        if (wait <= 0)
            queueMicrotask(writeAddress);
    }

    // Marked as the page's own in the entry's state: a way back to the
    // window, not a frequency to open. The chart's entry, reached before a
    // late write, keeps its address: the window's is written on the way back.
    // A fragment not routed yet (a link just followed, an address typed)
    // is left to its hashchange, which routes it and writes again.
    function writeAddress() {
        addressTimer = 0;
        if (document.documentElement.dataset.view === 'chart' || location.hash !== routed)
            return;
        addressWritten = performance.now();
        try {
            history.replaceState({corvexAddress: true}, '', `#${address}`);
        } catch (error) {
            console.warn('the address stays:', error);
        }
        routed = location.hash;
    }

    // #chart shows the chart; any other fragment is a frequency, typed into
    // the field and left, unless this page wrote it.
    function route(event) {
        if (ended || document.documentElement.dataset.state !== 'running')
            return; // the start routes once it runs; a report has no views
        routed = location.hash;
        const fragment = location.hash.slice(1);
        const charted = fragment === 'chart';
        if (charted && (buildChart(), !chart))
            return;
        const was = document.documentElement.dataset.view;
        document.documentElement.dataset.view = charted ? 'chart' : 'window';
        if (charted) {
            chart.querySelector('.back').href = `#${address || ''}`;
            // The channel set now, marked and in sight.
            chart.querySelector('[aria-current]')?.removeAttribute('aria-current');
            const current = chart.querySelectorAll('tbody tr')[settings.channel()];
            current.setAttribute('aria-current', 'true');
            chart.firstChild.focus({preventScroll: true});
            current.scrollIntoView({block: 'center'});
        } else if (event && fragment && fragment !== address && !history.state?.corvexAddress) {
            run(() => settings.open(fragment));
        } else if (event && address !== null) {
            showAddress(); // back at the window: the address follows what is set
        }
        if (!charted && was === 'chart')
            controls.txtFreq.focus();
    }

    // Every channel as the core converts it: printed instead of the window,
    // and shown at #chart. Each switch is drawn as the block shows it, lever
    // up for ON, and named in words for a screen reader.
    function buildChart() {
        if (chart || !settings || ended)
            return;
        const words = design.chart;
        const parts = settings.chart();
        if (settings.failed())
            return end();
        chart = document.createElement('main');
        chart.id = 'chart';
        chart.setAttribute('aria-labelledby', 'chart-title');
        const title = add(chart, 'h1', words.title);
        title.id = 'chart-title';
        title.tabIndex = -1;
        const key = add(chart, 'p', `${words.key} `);
        add(key, 'span', words.belowSign, 'sign').setAttribute('aria-hidden', 'true');
        key.append(` ${words.below}.`);
        // Back, and the browser's print, which a phone keeps in its share menu.
        const tools = add(chart, 'p', undefined, 'tools');
        add(tools, 'a', words.back, 'back').href = '#';
        const printing = add(tools, 'button', words.print);
        printing.type = 'button';
        printing.addEventListener('click', () => window.print());
        // Four tables of 64 side by side: a sheet's columns, which no engine
        // breaks one table into alike.
        const columns = add(chart, 'div', undefined, 'columns');
        for (const part of parts)
            chartTable(columns, part, words);
        document.body.append(chart);
    }

    // A new element at the end of `parent`.
    function add(parent, tag, text, className) {
        const element = document.createElement(tag);
        if (text !== undefined)
            element.textContent = text;
        if (className)
            element.className = className;
        parent.append(element);
        return element;
    }

    // One column of the chart: a header row, then a row a channel, the
    // frequency its header and each switch's position in words.
    function chartTable(parent, part, words) {
        const table = add(parent, 'table');
        table.setAttribute('aria-label', part.name);
        const head = add(add(table, 'thead'), 'tr');
        add(head, 'th', words.frequency).scope = 'col';
        words.switchNames.forEach((name, i) => {
            const th = add(head, 'th', String(i + 1));
            th.scope = 'col';
            th.setAttribute('aria-label', name);
        });
        const body = add(table, 'tbody');
        for (const row of part.rows) {
            const tr = add(body, 'tr');
            const th = add(tr, 'th', row.frequency);
            th.scope = 'row';
            if (row.below) {
                add(th, 'span', words.belowSign, 'sign').setAttribute('aria-hidden', 'true');
                add(th, 'span', ` ${words.below}`, 'visually-hidden');
            }
            for (const on of row.on)
                add(add(tr, 'td', undefined, on ? 'on' : 'off'), 'span', on ? words.on : words.off, 'visually-hidden');
        }
    }

    // Browser zoom and a move to another screen change the ratio.
    function watchRatio() {
        matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`)
            .addEventListener('change', () => { layout(); watchRatio(); }, {once: true, signal: listening.signal});
    }

    // The one report: the window is gone, and nothing of it answers. An
    // installed page has no address bar: the report starts the page again.
    function end(error) {
        if (ended)
            return;
        ended = true;
        listening.abort(); // nothing of the window answers from now on
        if (error)
            console.error(error);
        // Without the module, the core's words as the build wrote them; without
        // those, the page's title, the error and a reload sign.
        const words = typeof CORE === 'undefined'
            ? {title: document.title, opening: '', startFailure: '', again: '\u21bb'} : CORE.report;
        const report = settings ? settings.report()
            : {title: words.title, opening: words.opening, happened: words.startFailure + error};
        for (const gone of [form, chart, document.getElementById('views'), document.getElementById('loading')])
            gone?.remove();
        const box = reportBox(report, words.again);
        const main = document.createElement('main');
        main.append(box);
        document.body.append(main);
        box.focus();
        document.documentElement.dataset.state = 'ended';
        settle();
    }

    // The report as an alert dialog: a paragraph for each of its parts, the
    // folder on a line of its own after what happened, and a button that
    // starts the page again.
    function reportBox(report, again) {
        const box = document.createElement('section');
        box.className = 'report';
        box.setAttribute('role', 'alertdialog');
        box.setAttribute('aria-labelledby', 'report-title');
        box.setAttribute('aria-describedby', 'report-text');
        box.tabIndex = -1;
        add(box, 'h1', report.title).id = 'report-title';
        const text = add(box, 'div');
        text.id = 'report-text';
        const lines = (p, words, className) => words.split('\n').forEach((line, i) => {
            if (i > 0)
                add(p, 'br');
            add(p, 'span', line, className);
        });
        for (const part of ['opening', 'happened', 'reason', 'whatToDo']) {
            let p;
            for (const paragraph of report[part] ? report[part].split('\n\n') : [])
                lines(p = add(text, 'p'), paragraph);
            if (part === 'happened' && report.folder) {
                add(p, 'br');
                lines(p, report.folder, 'folder');
            }
        }
        const button = add(box, 'button', again);
        button.type = 'button';
        button.addEventListener('click', () => location.reload());
        return box;
    }

    async function start() {
        // A first visit asks for the switch pictures while the module compiles
        // (off this thread), and the language's number facts are looked up,
        // whose first lookup loads the browser's locale data. A return visit
        // asks the network for nothing before its first frame: it draws from
        // the copies kept, and asks the server afterwards.
        const compiled = loadModule();
        const returning = !!navigator.serviceWorker?.controller;
        const asked = Object.fromEntries(returning ? [] : CORE.pictures.map(name => [name, ask(name, 'no-cache')]));
        const found = Object.fromEntries(CORE.pictures.map(name => [name, returning &&
            caches.match(new URL(name, location.href).href).catch(() => null)]));
        const facts = localeFacts();
        module = await compiled;
        design = module.design();
        settings = new module.frmSettings(view, ...facts, new URL('.', location.href).href);
        build();
        const copies = Object.fromEntries(
            await Promise.all(CORE.pictures.map(async name => [name, await kept(found[name])])));
        const answers = {};
        for (const name of CORE.pictures)
            if (!stage(name, copies[name] || (answers[name] = await (asked[name] || ask(name, 'no-cache')))))
                return end();
        if (!settings.load())
            return end();
        for (const [name, answer] of Object.entries(answers))
            keep(name, answer.bytes);
        const fragment = location.hash.slice(1);
        if (fragment && fragment !== 'chart') {
            if (!settings.open(fragment))
                return end();
            showAddress();
        }
        layout(); // the one layout and the one draw before the window shows
        // What was typed while the module came is the window's field's, as
        // typed there: the user's next move validates it.
        const early = document.getElementById('early');
        const carried = early.value !== '', selection = [early.selectionStart, early.selectionEnd];
        if (carried)
            controls.txtFreq.value = early.value;
        document.getElementById('loading').remove();
        form.hidden = false;
        form.removeAttribute('aria-busy');
        controls.txtFreq.focus();
        if (carried)
            controls.txtFreq.setSelectionRange(...selection);
        document.documentElement.dataset.state = 'running';
        settle();
        route();
        // After the first frame: the worker's install and the server's newer
        // pictures keep no core from drawing it. The worker comes once the
        // pictures are answered: a new build's takeover is not held up by
        // requests of this page that the worker before is still answering.
        requestAnimationFrame(() => setTimeout(() => {
            const answered = CORE.pictures.filter(name => copies[name] && !asking.has(name))
                .map(name => recheck(name, asked[name]));
            Promise.allSettled(answered).then(keepForOffline);
        }));
    }

    // The module, compiled as it arrives; a download that stops is given up
    // and told, and one that goes on is shown as it goes.
    function loadModule() {
        const shown = document.querySelector('#loading progress');
        return new Promise((resolve, reject) => {
            const instantiateWasm = (imports, receive) => {
                watched(MODULE, {}, CORE.quietSeconds, bytes => { shown.value = Math.min(bytes, MODULE_BYTES); })
                    .then(response => {
                        if (!response.ok)
                            throw new Error(`${MODULE}: HTTP ${response.status}`);
                        return (WebAssembly.instantiateStreaming
                            ? WebAssembly.instantiateStreaming(response, imports)
                            : response.arrayBuffer().then(bytes => WebAssembly.instantiate(bytes, imports)))
                            .catch(error => { throw response.stopped() || error; });
                    })
                    .then(made => receive(made.instance, made.module), reject);
                return {};
            };
            CorvexModule({instantiateWasm}).then(resolve, reject);
        });
    }

    // After this one visit the page works without a network: the worker,
    // registered once the window has drawn, keeps the page's files (the page
    // keeps the switch pictures it has read). A newer build found later is
    // installed beside this one and takes over once every open page has
    // settled, running or showing the report; this page keeps its own build
    // until it is opened again.
    function keepForOffline() {
        if (!('serviceWorker' in navigator))
            return;
        const sayLoaded = worker => worker && settled.then(() => worker.postMessage('loaded'));
        const onceInstalled = worker => worker?.addEventListener('statechange', () => {
            if (worker.state === 'installed')
                sayLoaded(worker);
        });
        // A new build waiting, installing already (this page opened while it
        // installs), or found later: each waits for this page's word.
        navigator.serviceWorker.register('service-worker.js').then(registration => {
            sayLoaded(registration.waiting);
            onceInstalled(registration.installing);
            registration.addEventListener('updatefound', () => onceInstalled(registration.installing));
        }).catch(error => console.warn('no offline copy:', error));
    }

    start().catch(end);
})();
