// korvel-host serve, driven as a page developer would: Debian's chromium (headless) opens the
// printed address, and the page's calls reach the add-on in the stand-alone host.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { serve, request, dump, step } from './korvel-host.mjs';

const require = createRequire(path.join(process.env.KORVEL_NODE_MODULES, 'x.js'));
const { chromium } = require('playwright-core');
const examples = process.env.KORVEL_EXAMPLES_DIR;
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'korvel-browser-'));
let browser;

before(async () => {
  browser = await chromium.launchPersistentContext(path.join(scratch, 'profile'), {
    executablePath: process.env.CHROMIUM,
    headless: true,
    args: ['--no-sandbox'], // the tests may run as root
  });
});

after(async () => {
  await browser?.close();
  fs.rmSync(scratch, { recursive: true, force: true });
});

test('the sample page imports, asks in the page, shows the take-off and a failed import', { timeout: 120000 }, async () => {
  const work = path.join(scratch, 'sample');
  const host = await serve(['--project', path.join(examples, 'projects', 'every-type.json'), '--work', work]);
  const page = await browser.newPage();
  const refused = [];
  page.on('response', (response) => { if (response.status() >= 400) refused.push(response.url()); });
  try {
    await page.goto(host.address);
    await page.waitForSelector('body[data-ready="true"]');
    assert.match(await page.textContent('#platform'), /Add-on 2\.6\.0 for macos/);

    // The first import of the brick creates it.
    const brick = page.locator('#items li', { hasText: 'Ziegel Poroton T8' }).getByRole('button');
    await brick.click();
    await page.waitForFunction(() => /Imported Ziegel Poroton T8/.test(document.querySelector('#status').textContent));
    assert.equal((await dump(host.address, 'alerts')).length, 0);

    // The second asks the overwrite question in the page, with the alert's texts and buttons;
    // the call waits until the person answers.
    await brick.click();
    const dialog = page.locator('dialog.korvel-question');
    await dialog.waitFor();
    assert.match(await dialog.textContent(), /'Ziegel Poroton T8' is already in this project\./);
    assert.deepEqual(await dialog.getByRole('button').allTextContents(), ['Continue', 'Reject']);
    assert.match(await page.textContent('#status'), /Importing/);
    await dialog.getByRole('button', { name: 'Reject' }).click();
    // The add-on answers Reject as a failure; the page knows the person chose it.
    await page.waitForFunction(() => document.querySelector('#status').classList.contains('kept'));
    assert.match(await page.textContent('#status'), /Kept what the project has: you chose Reject/);
    const alerts = await dump(host.address, 'alerts');
    assert.equal(alerts.length, 1);
    assert.equal(alerts[0].answer, 2);
    assert.deepEqual(alerts[0].buttons, ['Continue', 'Reject']);

    // A page reloaded while the add-on waits is asked again, and its answer ends the call.
    await brick.click();
    await dialog.waitFor();
    await page.reload();
    await page.locator('dialog.korvel-question').getByRole('button', { name: 'Continue' }).click();
    await page.waitForSelector('body[data-ready="true"]');
    const answers = (await dump(host.address, 'alerts')).map((alert) => alert.answer);
    assert.deepEqual(answers, [2, 1]);

    // The take-off as tables, with the numbers the bridge returned.
    await page.click('#calculate');
    await page.waitForSelector('#constructions');
    const reply = JSON.parse((await step(host.address, { do: 'js', fn: 'getCalculationData', arg: '{}' })).line.reply);
    const systems = reply.SystemInfo;
    const constructionRows = await page.$$eval('#constructions tbody tr', (rows) =>
      rows.map((row) => [...row.cells].map((cell) => cell.textContent)));
    assert.equal(constructionRows.length, systems.reduce((n, system) => n + 1 + system.layers.length, 0));
    assert.equal(constructionRows[0][0], systems[0].name);
    assert.equal(Number(constructionRows[0][2].replace(/,/g, '')), systems[0].area);
    assert.equal(constructionRows[1][0], systems[0].layers[0].name);
    assert.equal(Number(constructionRows[1][3]), systems[0].layers[0].thickness);
    const productRows = await page.$$eval('#products tbody tr', (rows) =>
      rows.map((row) => [...row.cells].map((cell) => cell.textContent)));
    assert.equal(productRows.length, reply.ProductInfo.length);
    assert.deepEqual(productRows.map((row) => row[0]), reply.ProductInfo.map((product) => product.name));
    assert.deepEqual(productRows.map((row) => Number(row[1])), reply.ProductInfo.map((product) => product.pieces));
    assert.equal(await page.locator('#curtain-walls tbody tr').count(), reply.CurtainWallInfo.length);
    assert.equal(await page.locator('#stairs tbody tr').count(), reply.StairCalculationInfo.length);

    // A payload with a type error: the page shows why, from the add-on's log.
    await page.click('#catalogue summary');
    await page.fill('#payload', '{"data": {"import_type": "Material", "name": true, "articles": [{}]}}');
    await page.click('#import-payload');
    await page.waitForFunction(() => /failed/.test(document.querySelector('#status').textContent));
    assert.match(await page.textContent('#status'), /\(\/data\/name\) type must be string, but is boolean/);
    assert.equal(await page.getAttribute('#status', 'class'), 'status error');
    await page.waitForFunction(() => /jsKorvelInterface\.import failed/.test(document.querySelector('#log').textContent));

    // A type error in an article: the member's full path in the payload, not the add-on's (/updated_at).
    await page.fill('#payload', '{"data": {"import_type": "Material", "name": "Kalk", "articles": [{"id": 1, "updated_at": "bald"}]}}');
    await page.click('#import-payload');
    await page.waitForFunction(() => /updated_at/.test(document.querySelector('#status').textContent));
    assert.match(await page.textContent('#status'), /\(\/data\/articles\/0\/updated_at\) type must be number/);
    // Text that is no catalogue item: why, where the add-on logs only its fixed line.
    await page.fill('#payload', '{"data": {"import_type": "System ", "name": "X"}}');
    await page.click('#import-payload');
    await page.waitForFunction(() => /import_type/.test(document.querySelector('#status').textContent));
    assert.match(await page.textContent('#status'), /"System " is none the add-on knows .*\(member \/data\/import_type\)/);
    // Replies read as JSON, not as escaped text; no request was refused (the icon is the page's own).
    assert.match(await page.textContent('#replies'), /import → {\n "IsError": true/);
    assert.deepEqual(refused, []);

    // The project as JSON from the same process holds the import.
    const project = await dump(host.address, 'project');
    assert.ok(project.buildingMaterials.some((material) => material.name === 'Ziegel Poroton T8'));
  } finally {
    await page.close();
    await host.stop();
  }
});

test('a page served with --page calls every function of jsKorvelInterface', { timeout: 120000 }, async () => {
  const folder = path.join(scratch, 'team-page');
  fs.mkdirSync(folder, { recursive: true });
  fs.copyFileSync(path.join(examples, 'catalogue', 'brick-material.json'), path.join(folder, 'brick.json'));
  fs.writeFileSync(path.join(folder, 'setup.pkg'), 'installer');
  fs.writeFileSync(path.join(folder, 'index.html'), `<!doctype html>
<script src="korvel-bridge.js"></script>
<script>
window.questions = [];
// This page answers the add-on's questions itself: the first button (but a button the
// question does not have, once, which the bridge answers with its own dialog).
window.badOnce = true;
korvelBridge.onQuestion = (question) => {
  window.questions.push(question);
  if (window.badOnce && question.buttons.includes('Reject')) { window.badOnce = false; return 7; }
  return 1;
};
window.results = (async () => {
  await korvelBridge.step({ do: 'serve', dir: '.', answers: { '/upload': '200' } });
  const brick = await (await fetch('brick.json')).text();
  const calls = [
    ['platform'], ['import', brick], ['update', brick], ['bulkImport', '[]'],
    ['replaceMaterialUsedInConstructionSystem', '{}'], ['replaceSystem', '{}'],
    ['getCalculationData', '{}'], ['updateStatus', '{"materials_and_products":[]}'],
    ['export', ['{{server}}/upload', '{"token":"t","context":"c","content_type":"multipart/form-data"}']],
    ['openExternalLink', 'https://korvel.com/help'], ['selfUpdate', '{{server}}/setup.pkg'],
  ];
  const results = {};
  for (const [fn, ...arg] of calls) {
    try { results[fn] = { reply: await jsKorvelInterface[fn](...arg) }; }
    catch (error) { results[fn] = { thrown: error.message }; }
  }
  return results;
})();
</script>`);
  const host = await serve(['--page', folder, '--work', path.join(scratch, 'team-work'),
    '--project', path.join(examples, 'projects', 'sample.json')]);
  const page = await browser.newPage();
  try {
    await page.goto(host.address);
    // The handler's button 7 does not exist: the bridge shows its own dialog, and the call
    // goes on with the button the person presses there.
    await page.locator('dialog.korvel-question').getByRole('button', { name: 'Continue' }).click();
    const results = await page.evaluate(() => window.results);
    const questions = await page.evaluate(() => window.questions);
    assert.equal(await page.evaluate(() => window.badOnce), false);
    const names = ['platform', 'import', 'update', 'bulkImport', 'replaceMaterialUsedInConstructionSystem',
      'replaceSystem', 'getCalculationData', 'updateStatus', 'export', 'openExternalLink', 'selfUpdate'];
    assert.deepEqual(Object.keys(results).sort(), [...names].sort());
    for (const name of names) assert.ok(!('thrown' in results[name]), name + ': ' + results[name].thrown);
    assert.match(results.platform.reply, /"installer_version"/);
    assert.equal(results.import.reply, '{"IsError":false,"ShowError":true}');
    assert.equal(results.bulkImport.reply, ''); // an empty result prints as the empty text
    assert.deepEqual(JSON.parse(results.updateStatus.reply), []);
    assert.ok('SystemInfo' in JSON.parse(results.getCalculationData.reply));
    // Self-update takes only https, so the loopback address is refused with the error status.
    // http is allowed to the loopback file server, so the installer was fetched and started.
    assert.equal(results.selfUpdate.reply, '{"IsError":false,"ShowError":true}');
    assert.equal((await dump(host.address, 'launched')).length, 2);
    assert.equal(results.export.reply, '{"IsError":false,"ShowError":true}', (await dump(host.address, 'log')).join('\n'));
    assert.deepEqual(await dump(host.address, 'opened'), ['https://korvel.com/help']);
    const uploads = (await dump(host.address, 'requests')).filter((request) => request.method === 'POST');
    assert.equal(uploads.length, 1);
    assert.equal(uploads[0].path, '/upload');
    // The questions asked (the IFC export's message among them) reached the page's own handler.
    const alerts = await dump(host.address, 'alerts');
    assert.equal(questions.length, alerts.length);
    assert.deepEqual(questions.map((q) => q.buttons), alerts.map((a) => a.buttons));
  } finally {
    await page.close();
    await host.stop();
  }
});

test('only this run\'s page may drive the add-on', { timeout: 120000 }, async () => {
  const host = await serve(['--work', path.join(scratch, 'guarded')]);
  try {
    const url = new URL(host.address);
    assert.equal(url.hostname, '127.0.0.1');
    const own = { Host: url.host };
    const call = JSON.stringify({ do: 'js', fn: 'import', arg: '{"data":{"import_type":"Material","name":"X","articles":[{"id":1,"updated_at":1}]}}' });

    // With the secret and the right Host: served, with no CORS header.
    const page = await request(host.address, { headers: own });
    assert.equal(page.status, 200);
    assert.equal(page.headers['access-control-allow-origin'], undefined);
    assert.equal(page.headers['referrer-policy'], 'no-referrer');

    // Without the secret, or a wrong one.
    const root = await request('http://' + url.host + '/', { headers: own });
    assert.equal(root.status, 403);
    const wrong = await request('http://' + url.host + '/' + '0'.repeat(32) + '/api/step',
      { method: 'POST', headers: { ...own, 'Content-Type': 'application/json' }, body: call });
    assert.equal(wrong.status, 403);

    // A foreign Host header (DNS rebinding) and a foreign Origin are refused, even with the secret.
    const rebound = await request(host.address, { method: 'POST', pathname: 'api/step',
      headers: { Host: 'attacker.example:' + url.port, 'Content-Type': 'application/json' }, body: call });
    assert.equal(rebound.status, 403);
    const foreign = await request(host.address, { method: 'POST', pathname: 'api/step',
      headers: { ...own, Origin: 'https://attacker.example', 'Content-Type': 'application/json' }, body: call });
    assert.equal(foreign.status, 403);
    assert.equal(foreign.headers['access-control-allow-origin'], undefined);

    // None of them reached the add-on.
    assert.equal((await dump(host.address, 'project')).buildingMaterials.length, 0);
    assert.equal((await dump(host.address, 'log')).length, 0);

    // A page of another origin in the browser cannot read from it either.
    const other = await browser.newPage();
    try {
      await other.goto('about:blank');
      const outcome = await other.evaluate(async (target) => {
        try {
          const response = await fetch(target + 'api/dump/project');
          return 'read ' + response.status;
        } catch (error) {
          return 'blocked';
        }
      }, host.address);
      assert.equal(outcome, 'blocked');
    } finally {
      await other.close();
    }
  } finally {
    await host.stop();
  }
});

test('calls made without awaiting run in the order made, and a cancelled bulk import says so', { timeout: 120000 }, async () => {
  const host = await serve(['--project', path.join(examples, 'projects', 'sample.json'), '--work', path.join(scratch, 'order')]);
  const page = await browser.newPage();
  try {
    await page.goto(host.address);
    await page.waitForSelector('body[data-ready="true"]');
    const steps = await page.evaluate(async () => {
      const calls = [];
      for (let i = 0; i < 10; ++i) calls.push(korvelBridge.step({ do: 'js', fn: 'platform' }));
      return (await Promise.all(calls)).map((line) => line.step);
    });
    assert.deepEqual(steps, [...steps].sort((a, b) => a - b));
    assert.equal(steps[9] - steps[0], 9);

    // The person cancels the progress window at its first question: the page does not call it a success.
    await step(host.address, { do: 'cancel', at: 1 });
    await page.locator('#items li', { hasText: 'catalogue items' }).getByRole('button').click();
    await page.waitForFunction(() => /Cancelled/.test(document.querySelector('#status').textContent));
    assert.match(await page.textContent('#status'), /^Cancelled: 1 of \d+ items taken/);
    assert.equal(await page.getAttribute('#status', 'class'), 'status kept');
  } finally {
    await page.close();
    await host.stop();
  }
});
