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

function showStatus(text, how) {
  const status = $('#status');
  status.textContent = text;
  status.className = 'status ' + (how === true ? 'ok' : how === false ? 'error' : how);
}

// The add-on's questions, shown in the bridge's own dialog, and what the person chose: the
// add-on answers "Reject" as it answers a failure, but the page knows better.
const answered = [];
korvelBridge.onQuestion = async (question) => {
  const button = await korvelBridge.showDialog(question);
  answered.push({ question, choice: question.buttons[button - 1] });
  return button;
};

// korvel-host's step line says why a payload failed (with the member's full path); the
// add-on's own reason is its last error line.
function because(why) {
  if (!why) return '';
  const message = why.detail || why.message || '';
  const member = why.member || '';
  if (member && /\(\/[^)]*\)/.test(message)) return message.replace(/\(\/[^)]*\)/, '(' + member + ')');
  return message + (member ? ' (member ' + member + ')' : '');
}

async function lastError() {
  const log = await korvelBridge.dump('log');
  const errors = log.filter((line) => line.includes('[Error]'));
  return errors.length ? errors[errors.length - 1].replace(/^.*\[Error\]\s*/, '') : 'no reason was logged';
}

async function importPayload(text, bulk, label, resultNode) {
  showStatus('Importing ' + label + '…', true);
  const asked = answered.length;
  try {
    const reply = bulk ? await jsKorvelInterface.bulkImport(text) : await jsKorvelInterface.import(text);
    const line = korvelBridge.lastLines[korvelBridge.lastLines.length - 1] || {};
    let message;
    let ok;
    let how;
    if (bulk) {
      const entries = JSON.parse(reply || '[]');
      const reasons = new Map(((line.why || {}).items || []).map((item) => [item.index, because(item)]));
      const failed = [];
      entries.forEach((entry, index) => {
        if (entry.status !== 'failed') return;
        const reason = reasons.get(index);
        failed.push((entry.name ?? entry.id ?? 'item ' + index) + (reason ? ' (' + reason + ')' : ''));
      });
      ok = failed.length === 0;
      message = entries.length + ' items, ' + failed.length + ' failed' + (failed.length ? ': ' + failed.join(', ') : '');
      // Cancelled in the progress window: the reply lists only the items taken before it.
      let requested = null;
      try {
        const items = JSON.parse(text);
        if (Array.isArray(items)) requested = items.length;
      } catch (error) { /* the add-on said what is wrong with it */ }
      if (requested !== null && entries.length < requested) {
        message = 'Cancelled: ' + entries.length + ' of ' + requested + ' items taken, ' + failed.length + ' failed' +
          (failed.length ? ': ' + failed.join(', ') : '') + '; the other ' + (requested - entries.length) +
          ' were not imported';
        ok = false;
        how = 'kept';
      }
    } else {
      const status = typeof reply === 'string' ? JSON.parse(reply) : { IsError: true };
      ok = status.IsError === false;
      const rejected = answered.slice(asked).some((answer) => answer.choice === 'Reject');
      if (ok) message = 'Imported ' + label;
      else if (rejected) {
        message = 'Kept what the project has: you chose Reject, so ' + label + ' was not imported over it';
        how = 'kept';
      } else message = 'Import of ' + label + ' failed: ' + (because(line.why) || (await lastError()));
    }
    showStatus(message, how || ok);
    if (resultNode) {
      resultNode.textContent = ok ? '✓' : how === 'kept' ? '–' : '✗';
      resultNode.className = 'result ' + (ok ? 'ok' : how || 'error');
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
    // Most replies are JSON in a text: shown as JSON, indented, not as an escaped string.
    let text = line.reply;
    try {
      if (typeof text === 'string' && text !== '') text = JSON.stringify(JSON.parse(text), null, 1);
    } catch (error) { /* a reply that is no JSON is shown as it is */ }
    if (typeof text !== 'string') text = JSON.stringify(text);
    if (text.length > 600) text = text.slice(0, 600) + '…';
    replies.prepend(element('li', {}, line.fn + ' → ' + text));
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
