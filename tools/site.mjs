// Assembles the site: node site.mjs PAGE BUILT SITE ESBUILD.
// PAGE holds the page's sources, BUILT the module, its loader and core.js.
// The page carries its style and its whole script inside it, allowed by
// their hashes, so that nothing it needs before its module can stall unseen;
// the module is named for its build, so that no cache or server pairs it with
// another build's page. The build is named by a hash of all it is made of.
import {createHash} from 'node:crypto';
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import vm from 'node:vm';

const [page, built, site, esbuild] = process.argv.slice(2);
const read = (dir, name) => fs.readFileSync(path.join(dir, name), 'utf8');
const hash = (data, encoding = 'hex') => createHash('sha256').update(data).digest(encoding);
const minify = (text, loader) => execFileSync(esbuild, [`--loader=${loader}`, '--minify'], {input: text}).toString().trim();

const core = read(built, 'core.js');
const CORE = vm.runInNewContext(`${core}; CORE`);
const wasm = fs.readFileSync(path.join(built, 'corvex_settings.wasm'));
const sources = {
    loader: read(built, 'corvex_settings.js'), shared: read(page, 'read-at-most.js'),
    settings: read(page, 'settings.js'), css: read(page, 'settings.css'),
    html: read(page, 'index.html'), worker: read(page, 'service-worker.js'),
    manifest: read(page, 'manifest.webmanifest'),
};
const build = hash([core, hash(wasm), ...Object.values(sources)].join('\0')).slice(0, 16);
const module = `corvex_settings-${build}.wasm`;
const fill = (text, values) => text.replace(/@([A-Z_]+)@/g, (all, key) => {
    if (!(key in values))
        throw new Error(`nothing for ${all}`);
    return values[key];
});
const facts = {BUILD: build, MODULE: module, MODULE_BYTES: String(wasm.length)};

// The loader as emscripten writes it, then the page's scripts, strict, in
// a scope of their own.
const unstrict = text => text.replace(/^'use strict';$/m, '');
const script = minify(`${sources.loader}\n(() => {\n'use strict';\n${
    [core, sources.shared, fill(sources.settings, facts)].map(unstrict).join('\n')}\n})();`, 'js');
const style = minify(sources.css, 'css');
if (/<\/(script|style)/i.test(script + style))
    throw new Error('the inline script or style would end its element early');
const escape = text => text.replace(/[&<>"]/g, c => `&#${c.charCodeAt(0)};`);

for (const old of fs.readdirSync(site).filter(name => /^corvex_settings.*\.wasm$/.test(name)))
    fs.rmSync(path.join(site, old));
fs.writeFileSync(path.join(site, module), wasm);
fs.writeFileSync(path.join(site, 'core.js'), core);
fs.writeFileSync(path.join(site, 'index.html'), fill(sources.html, {
    ...facts, SCRIPT: script, STYLE: style, CAPTION: escape(CORE.caption), LOADING: escape(CORE.loading),
    FIELD: escape(CORE.field.name), MAX_LENGTH: String(CORE.field.maxLength),
    SCRIPT_HASH: `sha256-${hash(script, 'base64')}`, STYLE_HASH: `sha256-${hash(style, 'base64')}`,
}));
// What a page of this build asks for, kept for use without a network. Not
// the icons for installing, which the system keeps once installed.
const shell = ['./', module, 'manifest.webmanifest', 'icons/16.png', 'icons/32.png'];
fs.writeFileSync(path.join(site, 'service-worker.js'), fill(sources.worker, {
    ...facts, SHELL: shell.map(name => `'${name}'`).join(', '),
}));
