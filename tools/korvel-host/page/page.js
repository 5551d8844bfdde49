// A stand-in for the Korvel catalogue page. Like the real page it talks to the add-on only
// through jsKorvelInterface (defined by korvel-bridge.js); korvelBridge, the bridge's own
// helper, is used only to start the loopback file server and to show the log.
'use strict';

const catalogue = [
  { file: 'brick-material.json', kind: 'Material' },
  { file: 'exterior-wall-system.json', kind: 'System' },
  { file: 'chair-product.json', kind: 'Product' },
  { file: 'bulk-request.json', kind: 'Bulk', bulk: true },
];
const $ = (selector) => document.querySelector(selector);

function element(tag, attributes = {}, ...children) {
  const node = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) node.setAttribute(name, value);
  for (const child of children) node.append(child);
  return node;
}

function showStatus(text, ok) {
  const status = $('#status');
  status.textContent = text;
  status.className = 'status ' + (ok ? 'ok' : 'error');
}

// The add-on answers imports with {"IsError": …, "ShowError": …}; why it failed is in its log.
async function lastError() {
  const log = await korvelBridge.dump('log');
  const errors = log.filter((line) => line.includes('[Error]'));
  return errors.length ? errors[errors.length - 1].replace(/^.*\[Error\]\s*/, '') : 'no reason was logged';
}

async function importPayload(text, bulk, label, resultNode) {
  showStatus('Importing ' + label + '…', true);
  try {
    const reply = bulk ? await jsKorvelInterface.bulkImport(text) : await jsKorvelInterface.import(text);
    let message;
    let ok;
    if (bulk) {
      const entries = JSON.parse(reply || '[]');
      const failed = entries.filter((entry) => entry.status === 'failed');
      ok = failed.length === 0;
      message = entries.length + ' items, ' + failed.length + ' failed' +
        (failed.length ? ': ' + failed.map((entry) => entry.name ?? entry.id ?? '?').join(', ') : '');
    } else {
      const status = typeof reply === 'string' ? JSON.parse(reply) : { IsError: true };
      ok = status.IsError === false;
      message = ok ? 'Imported ' + label : 'Import of ' + label + ' failed: ' + (await lastError());
    }
    showStatus(message, ok);
    if (resultNode) {
      resultNode.textContent = ok ? '✓' : '✗';
      resultNode.className = 'result ' + (ok ? 'ok' : 'error');
    }
  } catch (error) {
    showStatus('The add-on could not be reached: ' + error.message, false);
  }
  await refreshActivity();
}

async function showCatalogue() {
  const list = $('#items');
  for (const item of catalogue) {
    const response = await fetch('korvel-examples/catalogue/' + item.file);
    const text = await response.text();
    const payload = JSON.parse(text);
    const name = item.bulk ? payload.length + ' catalogue items' : payload.data.name;
    const result = element('span', { class: 'result' });
    const button = element('button', { type: 'button', 'data-file': item.file }, item.bulk ? 'Bulk import' : 'Import');
    button.addEventListener('click', () => importPayload(text, item.bulk, name, result));
    list.append(element('li', {}, element('span', { class: 'kind' }, item.kind),
      element('span', { class: 'what' }, name), result, button));
  }
}

function table(caption, columns, rows, id) {
  const head = element('tr', {}, ...columns.map(([title]) => element('th', {}, title)));
  const body = element('tbody');
  for (const row of rows) {
    const tr = element('tr', { class: row.className || '' });
    for (const [, key, numeric] of columns) {
      const value = row[key] ?? '';
      const text = numeric && typeof value === 'number' ? value.toLocaleString('en', { maximumFractionDigits: 3 }) : String(value);
      tr.append(element('td', numeric ? { class: 'number' } : {}, text));
    }
    body.append(tr);
  }
  return element('table', { id: id }, element('caption', {}, caption + ' (' + rows.length + ')'), element('thead', {}, head), body);
}

async function calculate() {
  const target = $('#takeoff-tables');
  target.textContent = 'Calculating…';
  try {
    const reply = JSON.parse(await jsKorvelInterface.getCalculationData('{}'));
    const constructions = [];
    for (const system of reply.SystemInfo || []) {
      constructions.push({ name: system.name, kind: system.system_type + ' · ' + system.subtype, area: system.area,
        thickness: '', bim_uuid: system.bim_uuid });
      for (const layer of system.layers || [])
        constructions.push({ className: 'layer', name: layer.name, kind: layer.type, area: '',
          thickness: layer.thickness, bim_uuid: layer.bim_uuid });
    }
    target.replaceChildren(
      table('Constructions', [['Name', 'name'], ['Kind / layer', 'kind'], ['Area m²', 'area', true],
        ['Thickness cm', 'thickness', true], ['Catalogue id', 'bim_uuid']], constructions, 'constructions'),
      table('Products', [['Name', 'name'], ['Pieces', 'pieces', true], ['Area m²', 'area', true],
        ['Volume m³', 'volume', true], ['Length m', 'length', true], ['Weight kg', 'weight', true],
        ['Unit', 'default_value'], ['Catalogue id', 'bim_uuid']], reply.ProductInfo || [], 'products'),
      table('Curtain walls', [['Name', 'name'], ['Area m²', 'area', true], ['Catalogue id', 'bim_uuid']],
        reply.CurtainWallInfo || [], 'curtain-walls'),
      table('Stairs', [['Type', 'type_name'], ['Family', 'family_name'], ['Volume m³', 'volume', true],
        ['Catalogue id', 'bim_uuid']], reply.StairCalculationInfo || [], 'stairs'));
  } catch (error) {
    target.replaceChildren(element('p', { class: 'error' }, 'The take-off failed: ' + error.message));
  }
  await refreshActivity();
}

function addChange(id = '', at = Date.now()) {
  const remove = element('button', { type: 'button', title: 'Remove' }, '×');
  const row = element('tr', {}, element('td', {}, element('input', { name: 'id', value: id, size: 10 })),
    element('td', {}, element('input', { name: 'at', value: at, size: 15 })), element('td', {}, remove));
  remove.addEventListener('click', () => row.remove());
  $('#changes tbody').append(row);
}

async function checkUpdates() {
  const changes = [...$('#changes tbody').rows].map((row) => ({
    id: row.querySelector('[name=id]').value.trim(),
    update_at: Number(row.querySelector('[name=at]').value),
  })).filter((change) => change.id);
  const list = $('#outdated');
  try {
    const reply = await jsKorvelInterface.updateStatus(JSON.stringify({ materials_and_products: changes }));
    const outdated = JSON.parse(reply);
    list.replaceChildren(...(outdated.length ? outdated.map((id) => element('li', {}, 'Outdated in the project: ' + id))
      : [element('li', { class: 'ok' }, 'Everything imported is up to date')]));
  } catch (error) {
    list.replaceChildren(element('li', { class: 'error' }, 'The update status failed: ' + error.message));
  }
  await refreshActivity();
}

async function exportIfc() {
  const result = $('#export-result');
  result.textContent = 'Exporting…';
  const headers = JSON.stringify({ token: 'sample-token', context: 'sample-page', content_type: 'multipart/form-data' });
  try {
    const reply = await jsKorvelInterface.export(['{{server}}/api/ifc', headers]);
    const status = typeof reply === 'string' ? JSON.parse(reply) : reply;
    const ok = status && status.IsError === false;
    result.textContent = ok ? 'Uploaded' : 'The export failed: ' + (await lastError());
    result.className = ok ? 'ok' : 'error';
    const requests = await korvelBridge.dump('requests');
    $('#uploads').replaceChildren(...requests.filter((request) => request.method === 'POST').map((request) =>
      element('li', {}, request.path + ': ' + (request.parts || []).map((part) =>
        part.name + ' ' + (part.filename || '') + ' (' + part.size + ' bytes)').join(', '))));
  } catch (error) {
    result.textContent = 'The add-on could not be reached: ' + error.message;
    result.className = 'error';
  }
  await refreshActivity();
}

async function refreshActivity() {
  try {
    $('#log').textContent = (await korvelBridge.dump('log')).join('\n');
  } catch (error) {
    $('#log').textContent = error.message;
  }
  const replies = $('#replies');
  for (const line of korvelBridge.lastLines.splice(0)) {
    const text = typeof line.reply === 'string' && line.reply.length > 400 ? line.reply.slice(0, 400) + '…' : line.reply;
    replies.prepend(element('li', {}, line.fn + ' → ' + JSON.stringify(text)));
  }
}

async function start() {
  // The catalogue's file server, for library parts and the IFC upload.
  await korvelBridge.step({ do: 'serve', dir: 'library', answers: { '/api/ifc': '201' } });
  const platform = JSON.parse(await jsKorvelInterface.platform());
  $('#platform').textContent = 'Add-on ' + platform.installer_version + ' for ' + platform.os + ', host version ' + platform.version;
  $('#import-payload').addEventListener('click', () => importPayload($('#payload').value, false, 'your payload'));
  $('#bulk-payload').addEventListener('click', () => importPayload($('#payload').value, true, 'your payload'));
  $('#calculate').addEventListener('click', calculate);
  $('#add-change').addEventListener('click', () => addChange());
  $('#check-updates').addEventListener('click', checkUpdates);
  $('#export').addEventListener('click', exportIfc);
  for (const id of ['4120001', '9100', '77001']) addChange(id, 1800000000000);
  await showCatalogue();
  await refreshActivity();
  document.body.dataset.ready = 'true';
}

start().catch((error) => showStatus('The page could not start: ' + error.message, false));
